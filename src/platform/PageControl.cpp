#include "platform/PageControl.h"

#include "platform/EventGuard.h"
#include "platform/SysUtils.h"

#include <QTabWidget>

namespace {
QTabWidget* Tabs(const TControl* c) { return static_cast<QTabWidget*>(c->Widget()); }
}

TPageControl::TPageControl(TWinControl* parent) : TWinControl(parent, new QTabWidget)
{
    QObject::connect(Tabs(this), &QTabWidget::currentChanged, Tabs(this), [this](int) {
        FromQt([&] {
            if (!programmatic_ && !destroying_ && OnChange) OnChange(this);
        });
    });
}

TPageControl::~TPageControl()
{
    // The sheets go with the base class; their tabs must not report changes then.
    destroying_ = true;
    QObject::disconnect(Tabs(this), &QTabWidget::currentChanged, nullptr, nullptr);
}

int TPageControl::PageCount() const { return Tabs(this)->count(); }

TTabSheet* TPageControl::Pages(int i) const
{
    if (i < 0 || i >= PageCount()) RaiseListIndexError(i);
    QWidget* w = Tabs(this)->widget(i);
    for (int k = 0; k < ControlCount(); ++k)
        if (Controls(k)->Widget() == w) return static_cast<TTabSheet*>(Controls(k));
    RaiseListIndexError(i);
}

TTabSheet* TPageControl::ActivePage() const
{
    const int i = ActivePageIndex();
    return i < 0 ? nullptr : Pages(i);
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (!page || page->PageControl() != this) return;
    programmatic_ = true;
    Tabs(this)->setCurrentWidget(page->Widget());
    programmatic_ = false;
}

int TPageControl::ActivePageIndex() const { return Tabs(this)->currentIndex(); }

void TPageControl::AddSheet(TTabSheet* sheet)
{
    programmatic_ = true;
    Tabs(this)->addTab(sheet->Widget(), QString());
    programmatic_ = false;
}

void TPageControl::SetSheetCaption(TTabSheet* sheet, const std::string& caption)
{
    const int i = Tabs(this)->indexOf(sheet->Widget());
    if (i >= 0) Tabs(this)->setTabText(i, QString::fromStdString(StripAccel(caption)));
}

TTabSheet::TTabSheet(TPageControl* pageControl) : TWinControl(pageControl, new QWidget), pageControl_(pageControl)
{
    pageControl_->AddSheet(this);
}

void TTabSheet::SetCaption(const std::string& s)
{
    caption_ = s;
    pageControl_->SetSheetCaption(this, s);
}

int TTabSheet::PageIndex() const { return Tabs(pageControl_)->indexOf(Widget()); }
