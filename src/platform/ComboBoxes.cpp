#include "platform/ComboBoxes.h"

#include "platform/ControlsImpl.h"
#include "platform/SysUtils.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

#include <algorithm>

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Notes why the focus came or went before the control's own hook runs.
class FocusWatch : public QObject {
public:
    explicit FocusWatch(int* reason) : reason_(reason) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)
            *reason_ = static_cast<QFocusEvent*>(e)->reason();
        return false;
    }

private:
    int* reason_;
};

} // namespace

struct TCustomComboBox::QtBox : QComboBox {
    explicit QtBox(TCustomComboBox* c) : control(c) {}
    TCustomComboBox* control;

    void showPopup() override
    {
        control->DropDown();
        view()->setMinimumWidth(std::max(control->droppedWidth_, width()));
        QComboBox::showPopup();
    }
    void hidePopup() override
    {
        const bool wasOpen = view()->isVisible();
        QComboBox::hidePopup();
        if (wasOpen) control->CloseUp();
    }

protected:
    void wheelEvent(QWheelEvent* e) override
    {
        if (control->MouseWheel(e->angleDelta().y())) {
            e->accept();
            return;
        }
        QComboBox::wheelEvent(e);
    }
    void paintEvent(QPaintEvent* e) override
    {
        QComboBox::paintEvent(e);
        QPainter p(this);
        TCanvas canvas(&p);
        control->PaintAfter(canvas);
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        control->MouseMove(ToShift(e->modifiers()), p.x(), p.y());
        QComboBox::mouseMoveEvent(e);
    }
    void resizeEvent(QResizeEvent* e) override
    {
        QComboBox::resizeEvent(e);
        control->Resized();
    }
};

struct TCustomComboBox::ItemList : TStrings {
    explicit ItemList(TCustomComboBox* c) : control(c) {}
    TCustomComboBox* control;
    QComboBox* Box() const { return static_cast<QComboBox*>(control->Widget()); }
    void Check(int i, int n) const
    {
        if (i < 0 || i >= n) RaiseListIndexError(i);
    }
    int Count() const override { return Box()->count(); }
    std::string Strings(int i) const override
    {
        Check(i, Box()->count());
        return Box()->itemText(i).toStdString();
    }
    void Put(int i, const std::string& s) override
    {
        Check(i, Box()->count());
        Box()->setItemText(i, Q(s));
    }
    void InsertObject(int i, const std::string& s, TObject* o)
    {
        Check(i, Box()->count() + 1);
        ++control->programmatic_;
        QComboBox* b = Box();
        const int cur = b->currentIndex();
        const QString text = b->isEditable() ? b->currentText() : QString();
        b->insertItem(i, Q(s), QVariant::fromValue(reinterpret_cast<quintptr>(o)));
        // Adding an item chooses none and keeps the edit field.
        b->setCurrentIndex(cur < 0 ? -1 : (cur >= i ? cur + 1 : cur));
        if (b->isEditable()) b->setEditText(text);
        --control->programmatic_;
    }
    void Insert(int i, const std::string& s) override { InsertObject(i, s, nullptr); }
    void Delete(int i) override
    {
        Check(i, Box()->count());
        ++control->programmatic_;
        Box()->removeItem(i);
        --control->programmatic_;
    }
    void Clear() override
    {
        ++control->programmatic_;
        QComboBox* b = Box();
        const QString text = b->isEditable() ? b->currentText() : QString();
        // A new list starts a new letter search: keys typed into the old
        // one no longer count (the grid's one list editor is refilled for
        // every cell, and "5" then "15" typed quickly found "515").
        if (b->count() > 0) b->view()->keyboardSearch(QString());
        b->clear();
        if (b->isEditable()) b->setEditText(text);
        --control->programmatic_;
    }
};

TCustomComboBox::TCustomComboBox(TWinControl* parent) : TWinControl(parent, nullptr)
{
    auto* w = new QtBox(this);
    AttachWidget(w);
    items_ = std::make_unique<ItemList>(this);
    tabStop_ = true;
    w->setFocusPolicy(Qt::StrongFocus);
    w->setInsertPolicy(QComboBox::NoInsert);
    w->setMaxVisibleItems(dropDownCount_);
    w->setMouseTracking(true);
    auto* watch = new FocusWatch(&focusReason_);
    watch->setParent(w);
    w->installEventFilter(watch);
    w->resize(145, 21);
    // Every choice the user makes (list, keys, wheel, letter search) moves
    // the current index; the program's own moves are marked.
    QObject::connect(w, qOverload<int>(&QComboBox::currentIndexChanged), w, [this](int) {
        if (!programmatic_) Select();
    });
    SetStyle(TComboBoxStyle::csDropDown);
}

TCustomComboBox::~TCustomComboBox() = default;

namespace {
QComboBox* CB(QWidget* w) { return static_cast<QComboBox*>(w); }
} // namespace

TStrings& TCustomComboBox::Items() { return *items_; }

void TCustomComboBox::AddItem(const std::string& s, TObject* AObject)
{
    items_->InsertObject(items_->Count(), s, AObject);
}

TObject* TCustomComboBox::ItemObject(int i) const
{
    QComboBox* b = CB(widget_);
    if (i < 0 || i >= b->count()) RaiseListIndexError(i);
    return reinterpret_cast<TObject*>(b->itemData(i).value<quintptr>());
}

int TCustomComboBox::ItemIndex() const { return CB(widget_)->currentIndex(); }

void TCustomComboBox::SetItemIndex(int i)
{
    QComboBox* b = CB(widget_);
    if (i < -1 || i >= b->count()) RaiseListIndexError(i);
    ++programmatic_;
    b->setCurrentIndex(i);
    if (i == -1 && b->isEditable()) b->setEditText(QString());
    --programmatic_;
}

std::string TCustomComboBox::Text() const { return CB(widget_)->currentText().toStdString(); }

void TCustomComboBox::SetText(const std::string& s)
{
    QComboBox* b = CB(widget_);
    ++programmatic_;
    const int i = b->findText(Q(s), Qt::MatchFixedString);
    b->setCurrentIndex(i);
    if (b->isEditable()) b->setEditText(Q(s));
    --programmatic_;
}

void TCustomComboBox::SetStyle(TComboBoxStyle s)
{
    style_ = s;
    QComboBox* b = CB(widget_);
    ++programmatic_;
    const int i = b->currentIndex();
    // The edit field a drop-down list gives up goes now, not later (going
    // later it would take the focus with it from a box focused meanwhile).
    QPointer<QLineEdit> old = b->lineEdit();
    b->setEditable(s == TComboBoxStyle::csDropDown);
    if (old && old != b->lineEdit()) delete old.data();
    b->setCurrentIndex(i);
    if (QLineEdit* e = b->lineEdit()) {
        // The control's own look-up decides completion, not the platform's.
        b->setCompleter(nullptr);
        if (!e->property("zelChange").toBool()) {
            e->setProperty("zelChange", true);
            QObject::connect(e, &QLineEdit::textEdited, b, [this](const QString&) {
                if (!programmatic_) Change();
            });
        }
    }
    --programmatic_;
}

void TCustomComboBox::SetDropDownCount(int n)
{
    dropDownCount_ = n;
    CB(widget_)->setMaxVisibleItems(std::max(n, 1));
}

bool TCustomComboBox::DroppedDown() const { return CB(widget_)->view()->isVisible(); }

void TCustomComboBox::SetDroppedDown(bool v)
{
    if (v == DroppedDown()) return;
    if (v) CB(widget_)->showPopup();
    else CB(widget_)->hidePopup();
}

void TCustomComboBox::SetDroppedWidth(int w)
{
    droppedWidth_ = std::max(w, 0);
    CB(widget_)->view()->setMinimumWidth(std::max(droppedWidth_, Width()));
}

void TCustomComboBox::SetMaxLength(int n) { maxLength_ = std::max(n, 0); }

void TCustomComboBox::SetCtl3D(bool v)
{
    ctl3D_ = v;
    CB(widget_)->setFrame(v);
}

int TCustomComboBox::SelStart() const
{
    QLineEdit* e = CB(widget_)->lineEdit();
    if (!e) return 0;
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TCustomComboBox::SetSelStart(int p)
{
    QLineEdit* e = CB(widget_)->lineEdit();
    if (!e) return;
    e->deselect();
    e->setCursorPosition(std::clamp(p, 0, static_cast<int>(e->text().size())));
}

int TCustomComboBox::SelLength() const
{
    QLineEdit* e = CB(widget_)->lineEdit();
    return e ? static_cast<int>(e->selectedText().size()) : 0;
}

void TCustomComboBox::SetSelLength(int n)
{
    QLineEdit* e = CB(widget_)->lineEdit();
    if (!e) return;
    const int start = SelStart();
    const int len = std::clamp(n, 0, static_cast<int>(e->text().size()) - start);
    if (len > 0) e->setSelection(start, len);
    else {
        e->deselect();
        e->setCursorPosition(start);
    }
}

void TCustomComboBox::SelectAll()
{
    if (QLineEdit* e = CB(widget_)->lineEdit()) e->selectAll();
}

TRect TCustomComboBox::EditFieldRect() const
{
    QLineEdit* e = CB(widget_)->lineEdit();
    if (!e) return {};
    const QRect g = e->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

int TCustomComboBox::EditCharFromPos(int x, int y) const
{
    QLineEdit* e = CB(widget_)->lineEdit();
    if (!e) return -1;
    const QRect g = e->geometry();
    if (x < g.left() || y < g.top() || x > g.left() + g.width() || y > g.top() + g.height()) return -1;
    return e->cursorPositionAt(QPoint(x - g.left(), y - g.top()));
}

void TCustomComboBox::KeyDown(int& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TCustomComboBox::KeyPress(char32_t& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TCustomComboBox::KeyUp(int& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TCustomComboBox::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select()
{
    if (OnSelect) OnSelect(this);
    else Change();
}

void TCustomComboBox::DropDown()
{
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
    if (OnCloseUp) OnCloseUp(this);
}

bool TCustomComboBox::MouseWheel(int) { return false; }
void TCustomComboBox::MouseMove(TShiftState, int, int) {}
void TCustomComboBox::PaintAfter(TCanvas&) {}

bool TCustomComboBox::DoKeyDown(int& key, TShiftState shift)
{
    KeyDown(key, shift);
    return key == 0;
}

bool TCustomComboBox::DoKeyPress(char32_t& key)
{
    const char32_t typed = key;
    KeyPress(key);
    if (key == 0) return true;
    QLineEdit* e = CB(widget_)->lineEdit();
    const bool full = e && maxLength_ > 0 && key >= 32 && e->text().size() - e->selectedText().size() >= maxLength_;
    if (full) return true;
    if (key != typed) {
        if (e && key >= 32 && !e->isReadOnly()) {
            const char32_t k = key;
            e->insert(QString::fromUcs4(&k, 1));
            if (!programmatic_) Change();
        }
        return true;
    }
    return false;
}

bool TCustomComboBox::DoKeyUp(int& key, TShiftState shift)
{
    KeyUp(key, shift);
    return key == 0;
}

void TCustomComboBox::DoEnter()
{
    if (focusReason_ == Qt::PopupFocusReason) return;
    Enter();
}

void TCustomComboBox::DoExit()
{
    if (focusReason_ == Qt::PopupFocusReason || DroppedDown()) return;
    Exit();
}

void TCustomComboBox::Enter() { TWinControl::DoEnter(); }
void TCustomComboBox::Exit() { TWinControl::DoExit(); }
