#include "platform/Forms.h"

#include "platform/Application.h"
#include "platform/ControlsImpl.h"
#include "platform/EventGuard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QWheelEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <vector>

namespace {

TForm* g_mainForm = nullptr;
TModalHandler g_modalHandler;

class FormWidget : public QDialog {
public:
    explicit FormWidget(TForm* f) : form(f) {}
    TForm* form;

protected:
    void showEvent(QShowEvent* e) override
    {
        QDialog::showEvent(e);
        if (!e->spontaneous()) FromQt([&] { form->HandleShown(); });
    }
    void resizeEvent(QResizeEvent* e) override
    {
        QDialog::resizeEvent(e);
        FromQt([&] { form->HandleResize(); });
    }
    void closeEvent(QCloseEvent* e) override
    {
        e->ignore();
        FromQt([&] { form->HandleCloseBox(); });
    }
    // Escape must not close the form on its own; see keyPressEvent.
    void reject() override {}
    void keyPressEvent(QKeyEvent* e) override
    {
        bool taken = false;
        FromQt([&] { taken = DialogKeys(e); });
        if (!taken) e->ignore();
    }
    bool DialogKeys(QKeyEvent* e)
    {
        const TShiftState sh = ToShift(e->modifiers());
        const int vk = ToVirtualKey(e->key());
        if ((vk == VK_RETURN || vk == VK_ESCAPE) && form->DispatchDialogKey(vk, sh)) return true;
        // Ctrl+Tab goes round the pages of a page control (Ctrl+Shift+Tab
        // may come as a back-tab key).
        if ((e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) && sh.Contains(ssCtrl)) {
            TShiftState ts = sh;
            if (e->key() == Qt::Key_Backtab) ts.Include(ssShift);
            if (form->DispatchDialogKey(VK_TAB, ts)) return true;
        }
        const QString t = e->text();
        if (!t.isEmpty() && !sh.Contains(ssCtrl)) {
            const auto ucs = t.toUcs4();
            if (!ucs.isEmpty() && ucs[0] >= 32 && form->DispatchDialogChar(ucs[0])) return true;
        }
        return false;
    }
};

} // namespace

// --- TForm ---------------------------------------------------------------------------

TForm::TForm() : TWinControl(nullptr, nullptr)
{
    auto* w = new FormWidget(this);
    w->setModal(false);
    AttachWidget(w);
    visible_ = false;
    color_ = clBtnFace;
    w->setAutoFillBackground(true);
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetClientSize(320, 240);
}

TForm::~TForm()
{
    // Listeners still registered (controls outliving the window) forget it.
    const auto listeners = std::move(resizeListeners_);
    resizeListeners_.clear();
    for (const auto& [key, l] : listeners)
        if (l.gone) l.gone();
    if (g_mainForm == this) g_mainForm = nullptr;
}

std::string TForm::Caption() const { return widget_->windowTitle().toStdString(); }
void TForm::SetCaption(const std::string& s) { widget_->setWindowTitle(QString::fromStdString(s)); }

void TForm::SetClientSize(int width, int height)
{
    if (borderStyle_ == TFormBorderStyle::bsSizeable) {
        widget_->setMinimumSize(0, 0);
        widget_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        widget_->resize(width, height);
    } else {
        widget_->setFixedSize(width, height);
    }
    Realign();
}

void TForm::SetBorderStyle(TFormBorderStyle s)
{
    borderStyle_ = s;
    Qt::WindowFlags f = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowCloseButtonHint;
    if (s == TFormBorderStyle::bsSizeable) {
        if (borderIcons_ & biMinimize) f |= Qt::WindowMinimizeButtonHint;
        if (borderIcons_ & biMaximize) f |= Qt::WindowMaximizeButtonHint;
    }
    if (s == TFormBorderStyle::bsNone) f = Qt::Dialog | Qt::FramelessWindowHint;
    const bool shown = widget_->isVisible();
    widget_->setWindowFlags(f);
    if (shown) widget_->show();
    SetClientSize(Width(), Height());
}

void TForm::SetBorderIcons(unsigned icons)
{
    borderIcons_ = icons;
    SetBorderStyle(borderStyle_);
}

void TForm::HandleResize()
{
    if (OnResize) OnResize(this);
    // A handler may remove others (a grid destroyed meanwhile).
    std::vector<int> keys;
    for (const auto& [key, l] : resizeListeners_) keys.push_back(key);
    for (int key : keys) {
        auto it = resizeListeners_.find(key);
        if (it == resizeListeners_.end()) continue;
        const auto handler = it->second.resized;
        if (handler) handler(nullptr);
    }
}

int TForm::AddResizeHandler(std::function<void(TObject* Sender)> handler)
{
    resizeListeners_[++lastListenerKey_].resized = std::move(handler);
    return lastListenerKey_;
}

void TForm::RemoveResizeHandler(int key) { resizeListeners_.erase(key); }

void TForm::SetFormGoneHandler(int key, std::function<void()> gone)
{
    auto it = resizeListeners_.find(key);
    if (it != resizeListeners_.end()) it->second.gone = std::move(gone);
}

void TForm::SetColor(TColor c)
{
    TControl::SetColor(c);
    widget_->setAutoFillBackground(true);
}

void TForm::Centre()
{
    if (position_ != TPosition::poScreenCenter) return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize frame = widget_->frameGeometry().size();
    widget_->move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
}

void TForm::HandleShown()
{
    if (OnShow) OnShow(this);
}

void TForm::ShowForm()
{
    visible_ = true;
    UpdateTabOrder();
    Centre();
    widget_->show();
    widget_->activateWindow();
}

bool TForm::CloseQuery()
{
    bool can = true;
    if (OnCloseQuery) OnCloseQuery(this, can);
    return can;
}

bool TForm::RunOnClose(TCloseAction def)
{
    TCloseAction a = def;
    if (OnClose) OnClose(this, a);
    return a != TCloseAction::caNone;
}

int TForm::ShowModal()
{
    modalResult_ = 0;
    modal_ = true;
    closedModal_ = false;
    visible_ = true;
    UpdateTabOrder();
    auto* dlg = static_cast<QDialog*>(widget_);
    if (g_modalHandler) {
        handlerMode_ = true;
        dlg->show();
        TModalHandler h = g_modalHandler; // the handler may replace itself
        h(*this);
        if (!closedModal_) {
            if (modalResult_ == 0) modalResult_ = mrCancel;
            RunOnClose(TCloseAction::caHide);
        }
        handlerMode_ = false;
        dlg->hide();
    } else {
        Centre();
        dlg->setModal(true);
        dlg->exec();
        dlg->setModal(false);
        if (modalResult_ == 0) modalResult_ = mrCancel;
    }
    modal_ = false;
    visible_ = false;
    if (OnHide) OnHide(this);
    return modalResult_;
}

void TForm::SetModalResult(int r)
{
    modalResult_ = r;
    if (!modal_ || r == 0 || closedModal_) return;
    if (!CloseQuery() || !RunOnClose(TCloseAction::caHide)) {
        modalResult_ = 0;
        return;
    }
    closedModal_ = true;
    if (!handlerMode_) static_cast<QDialog*>(widget_)->done(r);
}

void TForm::Close()
{
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery()) return;
    const bool isMain = g_mainForm == this;
    if (!RunOnClose(isMain ? TCloseAction::caFree : TCloseAction::caHide)) return;
    visible_ = false;
    widget_->hide();
    if (OnHide) OnHide(this);
    if (isMain) Application_Terminate();
}

void TForm::HandleCloseBox() { Close(); }

TControl* TForm::ActiveControl() const
{
    const QWidget* fw = widget_->focusWidget();
    if (!fw) return nullptr;
    TControl* found = nullptr;
    ForEachControl([&](TControl* c) {
        if (!found && (c->Widget() == fw || c->Widget()->isAncestorOf(fw)) && !dynamic_cast<TPanel*>(c) &&
            !dynamic_cast<TGroupBox*>(c))
            found = c;
    });
    return found;
}

bool TForm::DispatchDialogKey(int key, TShiftState shift)
{
    bool handled = false;
    ForEachControl([&](TControl* c) {
        if (handled) return;
        if (auto* cc = dynamic_cast<TCustomControl*>(c)) handled = cc->DialogKey(key, shift);
    });
    return handled;
}

bool TForm::DispatchDialogChar(char32_t ch)
{
    bool handled = false;
    ForEachControl([&](TControl* c) {
        if (handled) return;
        if (auto* cc = dynamic_cast<TCustomControl*>(c)) handled = cc->DialogChar(ch);
    });
    return handled;
}

void TForm::UpdateTabOrder()
{
    std::function<void(const TWinControl*)> apply = [&](const TWinControl* parent) {
        std::vector<TControl*> list;
        for (int i = 0; i < parent->ControlCount(); ++i) list.push_back(parent->Controls(i));
        std::stable_sort(list.begin(), list.end(), [](TControl* a, TControl* b) { return a->TabOrder() < b->TabOrder(); });
        for (size_t i = 1; i < list.size(); ++i) QWidget::setTabOrder(list[i - 1]->Widget(), list[i]->Widget());
        for (TControl* c : list)
            if (auto* wc = dynamic_cast<TWinControl*>(c)) apply(wc);
    };
    apply(this);
}

void Application_SetMainForm(TForm* form) { g_mainForm = form; }
TForm* Application_MainForm() { return g_mainForm; }

TModalHandler SetModalHandler(TModalHandler handler)
{
    TModalHandler old = std::move(g_modalHandler);
    g_modalHandler = std::move(handler);
    return old;
}

// --- TCustomControl -----------------------------------------------------------------

class CustomWidget : public QWidget {
public:
    explicit CustomWidget(TCustomControl* c) : control(c) {}
    TCustomControl* control;

protected:
    // A failing Paint keeps what it drew; the painter ends normally.
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        TCanvas canvas(&p);
        control->canvas_ = &canvas;
        FromQt([&] { control->Paint(); });
        control->canvas_ = nullptr;
    }
    static TMouseButton Button(Qt::MouseButton b)
    {
        return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        FromQt([&] { control->MouseDown(Button(e->button()), ToShift(e->modifiers()), p.x(), p.y()); });
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        FromQt([&] { control->MouseUp(Button(e->button()), ToShift(e->modifiers()), p.x(), p.y()); });
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        FromQt([&] { control->MouseMove(ToShift(e->modifiers()), p.x(), p.y()); });
    }
    void wheelEvent(QWheelEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        const int delta = e->angleDelta().y();
        bool taken = false;
        FromQt([&] { taken = control->MouseWheel(ToShift(e->modifiers()), delta, p.x(), p.y()); });
        if (!taken) e->ignore();
    }
    void resizeEvent(QResizeEvent* e) override
    {
        QWidget::resizeEvent(e);
        FromQt([&] { control->Resized(); });
    }
    void focusInEvent(QFocusEvent* e) override
    {
        QWidget::focusInEvent(e);
        FromQt([&] { control->FocusChanged(); });
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QWidget::focusOutEvent(e);
        FromQt([&] { control->FocusChanged(); });
    }
    void hideEvent(QHideEvent* e) override
    {
        QWidget::hideEvent(e);
        FromQt([&] { control->Hidden(); });
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        bool taken = true;
        FromQt([&] { taken = control->KeyDownMsg(ToVirtualKey(e->key()), ToShift(e->modifiers())); });
        if (!taken) e->ignore();
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        // A held key repeats its key-down only; the key-up comes once, at the end.
        if (e->isAutoRepeat()) return;
        bool taken = true;
        FromQt([&] { taken = control->KeyUpMsg(ToVirtualKey(e->key()), ToShift(e->modifiers())); });
        if (!taken) e->ignore();
    }
};

TCustomControl::TCustomControl(TWinControl* parent) : TWinControl(parent, nullptr)
{
    auto* w = new CustomWidget(this);
    w->setMouseTracking(false);
    AttachWidget(w);
    SetTabStop(true);
}

void TCustomControl::SetMouseTracking(bool on) { widget_->setMouseTracking(on); }

void TCustomControl::SetFocusOnClick(bool on)
{
    if (on)
        widget_->setFocusPolicy(tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
    else
        widget_->setFocusPolicy(tabStop_ ? Qt::TabFocus : Qt::NoFocus);
}

TCanvas& TCustomControl::Canvas()
{
    if (!canvas_) throw Exception("Canvas does not allow drawing");
    return *canvas_;
}

bool TCustomControl::DialogKey(int, TShiftState) { return false; }
bool TCustomControl::DialogChar(char32_t) { return false; }
void TCustomControl::MouseDown(TMouseButton, TShiftState, int, int) {}
void TCustomControl::MouseUp(TMouseButton, TShiftState, int, int) {}
void TCustomControl::MouseMove(TShiftState, int, int) {}
bool TCustomControl::MouseWheel(TShiftState, int, int, int) { return false; }
bool TCustomControl::KeyDownMsg(int, TShiftState) { return false; }
bool TCustomControl::KeyUpMsg(int, TShiftState) { return false; }
