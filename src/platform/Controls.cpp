#include "platform/ControlsImpl.h"
#include "platform/EventGuard.h"
#include "platform/KeyCodes.h"
#include "platform/TextFile.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QValidator>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <limits>

// --- conversions ----------------------------------------------------------------------

int ToVirtualKey(int k)
{
    return VirtualKeyFromQtKey(k, false);
}

TShiftState ToShift(Qt::KeyboardModifiers m)
{
    TShiftState s;
    if (m & Qt::ShiftModifier) s += ssShift;
    if (m & Qt::ControlModifier) s += ssCtrl;
    if (m & Qt::AltModifier) s += ssAlt;
    return s;
}

namespace {

// The character a key event types, as the class library's KeyPress sees it.
char32_t KeyChar(const QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return 8;
    default: break;
    }
    const QString t = e->text();
    if (t.isEmpty()) return 0;
    const auto ucs = t.toUcs4();
    if (ucs.isEmpty() || ucs[0] < 32 || ucs[0] == 127) return 0;
    return ucs[0];
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A hint is plain text: one that looks like mark-up (a language file's
// "<img src=...>") is shown as the characters it holds.
void ApplyHint(QWidget* w, bool show, const std::string& hint)
{
    const QString h = show ? Q(hint) : QString();
    w->setToolTip(Qt::mightBeRichText(h) ? Qt::convertFromPlainText(h, Qt::WhiteSpaceNormal) : h);
}

} // namespace

std::string StripAccel(const std::string& caption)
{
    std::string r;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                r += '&';
                ++i;
            }
            continue;
        }
        r += caption[i];
    }
    return r;
}

bool IsAccel(char32_t ch, const std::string& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        const QString rest = QString::fromUtf8(caption.data() + i + 1, static_cast<qsizetype>(caption.size() - i - 1));
        const auto ucs = rest.left(2).toUcs4();
        if (ucs.isEmpty()) return false;
        const char32_t first = ucs[0];
        const QString a = QString::fromUcs4(&first, 1).toUpper();
        const char32_t c = ch;
        const QString b = QString::fromUcs4(&c, 1).toUpper();
        return a == b;
    }
    return false;
}

// --- string lists -------------------------------------------------------------------------

int TStrings::IndexOf(const std::string& s) const
{
    for (int i = 0; i < Count(); ++i)
        if (SameText(Strings(i), s)) return i;
    return -1;
}

void TStrings::Assign(const std::vector<std::string>& items)
{
    Clear();
    for (const auto& s : items) Add(s);
}

std::vector<std::string> TStrings::ToVector() const
{
    std::vector<std::string> r;
    for (int i = 0; i < Count(); ++i) r.push_back(Strings(i));
    return r;
}

std::string TStrings::Text() const
{
    std::string r;
    for (int i = 0; i < Count(); ++i) r += Strings(i) + "\n";
    return r;
}

void TStrings::SetText(const std::string& text)
{
    Assign(SplitLines(text));
}

// --- event hook ----------------------------------------------------------------------------

bool ControlHook::eventFilter(QObject* watched, QEvent* event)
{
    bool taken = false;
    FromQt([&] { taken = Filter(watched, event); });
    return taken;
}

bool ControlHook::Filter(QObject* watched, QEvent* event)
{
    if (watched != control_->widget_) return false;
    switch (event->type()) {
    case QEvent::FocusIn: control_->DoEnter(); break;
    case QEvent::FocusOut: control_->DoExit(); break;
    case QEvent::Enter: control_->DoMouseEnter(); break;
    case QEvent::Leave: control_->DoMouseLeave(); break;
    case QEvent::Polish:
    case QEvent::Show:
        if (control_->impl_->font) control_->widget_->setFont(ToQFont(*control_->impl_->font));
        break;
    case QEvent::Resize:
        if (auto* wc = dynamic_cast<TWinControl*>(control_)) wc->Realign();
        break;
    case QEvent::MouseButtonPress:
        if (control_->ClicksOnMouse() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            pressed_ = true;
        break;
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (pressed_ && me->button() == Qt::LeftButton) {
            pressed_ = false;
            if (control_->enabled_ && control_->widget_->rect().contains(me->position().toPoint()))
                control_->Click();
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (control_->OnDblClick) control_->OnDblClick(control_);
        break;
    case QEvent::KeyPress: {
        if (dynamic_cast<TForm*>(control_)) break; // the form's keys: see TForm
        auto* ke = static_cast<QKeyEvent*>(event);
        const TShiftState sh = ToShift(ke->modifiers());
        TForm* form = control_->ParentForm();
        const bool preview = form && form->KeyPreview();
        int vk = ToVirtualKey(ke->key());
        if (vk) {
            if (preview && form->OnKeyDown) {
                form->OnKeyDown(form, vk, sh);
                if (vk == 0) return true;
            }
            if (control_->DoKeyDown(vk, sh)) return true;
        }
        char32_t ch = KeyChar(ke);
        if (ch && !sh.Contains(ssCtrl) && !sh.Contains(ssAlt)) {
            if (preview && form->OnKeyPress) {
                form->OnKeyPress(form, ch);
                if (ch == 0) return true;
            }
            if (control_->DoKeyPress(ch)) return true;
        }
        break;
    }
    case QEvent::KeyRelease: {
        if (dynamic_cast<TForm*>(control_)) break;
        auto* ke = static_cast<QKeyEvent*>(event);
        int vk = ToVirtualKey(ke->key());
        if (vk && control_->DoKeyUp(vk, ToShift(ke->modifiers()))) return true;
        break;
    }
    default: break;
    }
    return false;
}

// --- TControl -------------------------------------------------------------------------------

TControl::TControl(TWinControl* parent, QWidget* widget) : parent_(parent), impl_(std::make_unique<Impl>())
{
    if (widget) AttachWidget(widget);
}

void TControl::AttachWidget(QWidget* widget)
{
    widget_ = widget;
    if (parent_) {
        widget_->setParent(parent_->ClientWidget());
        parent_->Adopt(this);
        tabOrder_ = parent_->ControlCount() - 1;
        widget_->show();
    }
    auto* hook = new ControlHook(this);
    hook->setParent(widget_);
    widget_->installEventFilter(hook);
    impl_->hook = hook;
}

TControl::~TControl()
{
    if (parent_ && !parent_->destroying_) parent_->Release(this);
    if (widget_) {
        widget_->removeEventFilter(impl_->hook);
        delete widget_;
    }
}

void TControl::SetParent(TWinControl* parent)
{
    if (!parent || parent == parent_ || !parent_) return;
    const QRect g = widget_->geometry();
    parent_->Release(this);
    parent_ = parent;
    widget_->setParent(parent_->ClientWidget());
    widget_->setGeometry(g);
    parent_->Adopt(this);
    widget_->setVisible(visible_);
    if (align_ != TAlign::alNone) parent_->Realign();
}

TForm* TControl::ParentForm() const
{
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

int TControl::Left() const { return widget_->x(); }
int TControl::Top() const { return widget_->y(); }
int TControl::Width() const { return widget_->width(); }
int TControl::Height() const { return widget_->height(); }
void TControl::SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
void TControl::SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
void TControl::SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
void TControl::SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

void TControl::SetBounds(int left, int top, int width, int height)
{
    widget_->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
    if (parent_) {
        anchorRight_ = parent_->Width() - (left + width);
        anchorBottom_ = parent_->Height() - (top + height);
        if (align_ != TAlign::alNone) parent_->Realign();
    }
}

void TControl::SetVisible(bool v)
{
    visible_ = v;
    widget_->setVisible(v);
    if (parent_ && align_ != TAlign::alNone) parent_->Realign();
}

bool TControl::Showing() const { return widget_->isVisible(); }

void TControl::SetEnabled(bool v)
{
    enabled_ = v;
    widget_->setEnabled(v);
}

void TControl::SetHint(const std::string& s)
{
    hint_ = s;
    ApplyHint(widget_, showHint_, hint_);
}

void TControl::SetShowHint(bool v)
{
    showHint_ = v;
    ApplyHint(widget_, showHint_, hint_);
}

const TFont& TControl::Font() const
{
    if (impl_->font) return *impl_->font;
    if (parent_) return static_cast<const TControl*>(parent_)->Font();
    impl_->fontCache = TFont();
    return impl_->fontCache;
}

TFont& TControl::Font()
{
    if (!impl_->font) {
        impl_->font.emplace();
        impl_->font->Assign(static_cast<const TControl*>(this)->Font());
        impl_->font->OnChange = [this] { FontChanged(); };
        FontChanged();
    }
    return *impl_->font;
}

void TControl::SetFont(const TFont& f)
{
    Font().Assign(f);
}

void TControl::FontChanged()
{
    if (impl_->font) {
        widget_->setFont(ToQFont(*impl_->font));
        // The font's colour is the text colour of the control.
        QPalette p = widget_->palette();
        const QColor c = ToQColor(impl_->font->Color());
        p.setColor(QPalette::WindowText, c);
        p.setColor(QPalette::Text, c);
        p.setColor(QPalette::ButtonText, c);
        widget_->setPalette(p);
    }
    if (auto* l = dynamic_cast<TLabel*>(this)) l->SetCaption(l->Caption());
    if (auto* wc = dynamic_cast<TWinControl*>(this))
        wc->ForEachControl([](TControl* c) {
            if (auto* l = dynamic_cast<TLabel*>(c)) l->SetCaption(l->Caption());
        });
}

void TControl::SetColor(TColor c)
{
    color_ = c;
    QPalette p = widget_->palette();
    p.setColor(QPalette::Window, ToQColor(c));
    widget_->setPalette(p);
}

void TControl::SetCursor(TCursor c)
{
    cursor_ = c;
    switch (c) {
    case crDefault: widget_->unsetCursor(); break;
    case crArrow: widget_->setCursor(Qt::ArrowCursor); break;
    case crHandPoint: widget_->setCursor(Qt::PointingHandCursor); break;
    case crIBeam: widget_->setCursor(Qt::IBeamCursor); break;
    case crHourGlass: widget_->setCursor(Qt::WaitCursor); break;
    case crSizeAll: widget_->setCursor(Qt::SizeAllCursor); break;
    }
}

void TControl::SetTabOrder(int v)
{
    tabOrder_ = v;
    if (TForm* f = ParentForm()) f->UpdateTabOrder();
}

void TControl::SetTabStop(bool v)
{
    tabStop_ = v;
    widget_->setFocusPolicy(v ? Qt::StrongFocus : Qt::ClickFocus);
}

bool TControl::CanFocus() const { return widget_->isEnabled() && widget_->isVisible() && widget_->focusPolicy() != Qt::NoFocus; }

void TControl::SetFocus() { widget_->setFocus(Qt::OtherFocusReason); }

bool TControl::Focused() const
{
    const QWidget* w = widget_->window()->focusWidget();
    return w && (w == widget_ || widget_->focusProxy() == w || (widget_->isAncestorOf(w) && !dynamic_cast<const TWinControl*>(this)));
}

void TControl::SetAlign(TAlign a)
{
    align_ = a;
    if (parent_) parent_->Realign();
}

void TControl::SetAnchors(unsigned a)
{
    anchors_ = a;
    if (parent_) {
        anchorRight_ = parent_->Width() - (Left() + Width());
        anchorBottom_ = parent_->Height() - (Top() + Height());
    }
}

void TControl::Invalidate() { widget_->update(); }
void TControl::Repaint() { widget_->repaint(); }
void TControl::BringToFront() { widget_->raise(); }

void TControl::Click()
{
    if (OnClick) OnClick(this);
}

void TControl::DoEnter()
{
    if (OnEnter) OnEnter(this);
}
void TControl::DoExit()
{
    if (OnExit) OnExit(this);
}
void TControl::DoMouseEnter()
{
    if (OnMouseEnter) OnMouseEnter(this);
}
void TControl::DoMouseLeave()
{
    if (OnMouseLeave) OnMouseLeave(this);
}

bool TControl::DoKeyDown(int& key, TShiftState shift)
{
    if (OnKeyDown) OnKeyDown(this, key, shift);
    return key == 0;
}

bool TControl::DoKeyUp(int& key, TShiftState shift)
{
    if (OnKeyUp) OnKeyUp(this, key, shift);
    return key == 0;
}

bool TControl::DoKeyPress(char32_t& key)
{
    if (OnKeyPress) OnKeyPress(this, key);
    return key == 0;
}

// --- TWinControl ------------------------------------------------------------------------------

TWinControl::TWinControl(TWinControl* parent, QWidget* widget) : TControl(parent, widget) {}

TWinControl::~TWinControl()
{
    destroying_ = true;
    // Children go first (each deletes its own widget), newest first.
    while (!children_.empty()) {
        TControl* c = children_.back();
        children_.pop_back();
        delete c;
    }
}

TControl* TWinControl::Controls(int i) const
{
    if (i < 0 || i >= ControlCount()) RaiseListIndexError(i);
    return children_[static_cast<size_t>(i)];
}

void TWinControl::ForEachControl(const std::function<void(TControl*)>& fn) const
{
    for (TControl* c : children_) {
        fn(c);
        if (auto* wc = dynamic_cast<TWinControl*>(c)) wc->ForEachControl(fn);
    }
}

void TWinControl::Adopt(TControl* child) { children_.push_back(child); }

void TWinControl::Release(TControl* child)
{
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

TRect TWinControl::AlignRect() const
{
    const QWidget* area = ClientWidget();
    return Rect(0, 0, area->width(), area->height());
}

bool TWinControl::ContainsFocus() const
{
    const QWidget* w = widget_ ? widget_->window()->focusWidget() : nullptr;
    return w && (w == widget_ || widget_->isAncestorOf(w));
}

void TWinControl::Realign()
{
    if (!widget_) return;
    const TRect area = AlignRect();
    int top = area.Top, left = area.Left, bottom = area.Bottom, right = area.Right;
    auto place = [](TControl* c, int l, int t, int w, int h) { c->widget_->setGeometry(l, t, std::max(w, 0), std::max(h, 0)); };
    auto pass = [&](TAlign a) {
        std::vector<TControl*> list;
        for (TControl* c : children_)
            if (c->align_ == a && c->visible_) list.push_back(c);
        // Stacking follows the present positions, as the class library does.
        std::stable_sort(list.begin(), list.end(), [a](TControl* x, TControl* y) {
            switch (a) {
            case TAlign::alTop: return x->Top() < y->Top();
            case TAlign::alBottom: return x->Top() > y->Top();
            case TAlign::alLeft: return x->Left() < y->Left();
            case TAlign::alRight: return x->Left() > y->Left();
            default: return false;
            }
        });
        for (TControl* c : list) {
            switch (a) {
            case TAlign::alTop: place(c, left, top, right - left, c->Height()); top += c->Height(); break;
            case TAlign::alBottom: bottom -= c->Height(); place(c, left, bottom, right - left, c->Height()); break;
            case TAlign::alLeft: place(c, left, top, c->Width(), bottom - top); left += c->Width(); break;
            case TAlign::alRight: right -= c->Width(); place(c, right, top, c->Width(), bottom - top); break;
            case TAlign::alClient: place(c, left, top, right - left, bottom - top); break;
            default: break;
            }
        }
    };
    pass(TAlign::alTop);
    pass(TAlign::alBottom);
    pass(TAlign::alLeft);
    pass(TAlign::alRight);
    pass(TAlign::alClient);
    for (TControl* c : children_) {
        if (c->align_ != TAlign::alNone) continue;
        if (!(c->anchors_ & (akRight | akBottom))) continue;
        int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
        if (c->anchors_ & akRight) {
            if (c->anchors_ & akLeft) w = Width() - l - c->anchorRight_;
            else l = Width() - w - c->anchorRight_;
        }
        if (c->anchors_ & akBottom) {
            if (c->anchors_ & akTop) h = Height() - t - c->anchorBottom_;
            else t = Height() - h - c->anchorBottom_;
        }
        place(c, l, t, w, h);
    }
}

// --- TLabel ---------------------------------------------------------------------------------------

TLabel::TLabel(TWinControl* parent) : TControl(parent, new QLabel)
{
    auto* l = static_cast<QLabel*>(widget_);
    l->setTextFormat(Qt::PlainText);
    l->setFocusPolicy(Qt::NoFocus);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Fit();
}

void TLabel::SetCaption(const std::string& s)
{
    caption_ = s;
    static_cast<QLabel*>(widget_)->setText(Q(StripAccel(s)));
    Fit();
}

void TLabel::SetAutoSize(bool v)
{
    autoSize_ = v;
    Fit();
}

void TLabel::SetWordWrap(bool v)
{
    wordWrap_ = v;
    static_cast<QLabel*>(widget_)->setWordWrap(v);
    Fit();
}

void TLabel::SetAlignment(TAlignment a)
{
    Qt::Alignment h = a == TAlignment::taCenter ? Qt::AlignHCenter : a == TAlignment::taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
    static_cast<QLabel*>(widget_)->setAlignment(h | Qt::AlignTop);
}

void TLabel::SetTransparent(bool v) { widget_->setAutoFillBackground(!v); }

void TLabel::SetColor(TColor c)
{
    TControl::SetColor(c);
    widget_->setAutoFillBackground(true);
}

void TLabel::Fit()
{
    if (!autoSize_) return;
    auto* l = static_cast<QLabel*>(widget_);
    if (impl_->font) l->setFont(ToQFont(*impl_->font));
    const QFont font = impl_->font ? l->font() : parent_ ? parent_->Widget()->font() : l->font();
    QSize s;
    if (wordWrap_) {
        const QFontMetrics fm(font);
        s = QSize(Width(), fm.boundingRect(QRect(0, 0, std::max(Width(), 1), 100000), Qt::TextWordWrap, l->text()).height());
    } else {
        const QFontMetrics fm(font);
        const QString t = l->text().isEmpty() ? QString(" ") : l->text();
        s = QSize(l->text().isEmpty() ? 0 : fm.horizontalAdvance(t), fm.height() * std::max<int>(1, static_cast<int>(t.count('\n') + 1)));
        if (l->text().contains('\n')) s.setWidth(fm.boundingRect(QRect(0, 0, 100000, 100000), 0, t).width());
    }
    widget_->resize(s);
}

// --- TLinkLabel -------------------------------------------------------------------------------------

TLinkLabel::TLinkLabel(TWinControl* parent) : TControl(parent, new QLabel)
{
    auto* l = static_cast<QLabel*>(widget_);
    l->setTextFormat(Qt::RichText);
    l->setOpenExternalLinks(false);
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    QObject::connect(l, &QLabel::linkActivated, l, [this](const QString& link) {
        FromQt([&] {
            if (OnLinkClick) OnLinkClick(this, link.toStdString());
        });
    });
}

void TLinkLabel::SetCaption(const std::string& s)
{
    caption_ = s;
    auto* l = static_cast<QLabel*>(widget_);
    l->setText(Q(s));
    l->adjustSize();
}

void TLinkLabel::ClickLink()
{
    static const QRegularExpression re(R"re(<a\s+href\s*=\s*"([^"]*)")re", QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(Q(caption_));
    if (m.hasMatch() && OnLinkClick) OnLinkClick(this, m.captured(1).toStdString());
}

// --- TEdit -------------------------------------------------------------------------------------------

namespace {

// The line edit of a TEdit. Like the class library's edit, it selects its
// whole text whenever the focus arrives from the keyboard or the program
// (Tab, a handler's SetFocus, the window's first focus); a mouse click
// places the caret instead, and a window that becomes active again keeps
// the selection the edit had.
class EditWidget : public QLineEdit {
public:
    bool keptFocus = false; // the focus only left with the window

protected:
    void focusInEvent(QFocusEvent* e) override
    {
        QLineEdit::focusInEvent(e);
        const Qt::FocusReason r = e->reason();
        const bool returning = (r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason) && keptFocus;
        keptFocus = false;
        if (r != Qt::MouseFocusReason && !returning) selectAll();
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        keptFocus = e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
        QLineEdit::focusOutEvent(e);
    }
};

// The typing limit of a TEdit: what the user types or pastes is cut so that
// the text does not grow beyond the limit; a text set by the program (which
// may be longer) stays whole, and the user may still shorten it.
class TypingLimit : public QValidator {
public:
    explicit TypingLimit(QObject* parent) : QValidator(parent) {}
    int limit = 0;          // 0: none
    bool programmatic = false;
    QString before;         // the text before the change being validated

    State validate(QString& input, int& pos) const override
    {
        if (programmatic || limit <= 0 || input.size() <= limit || input.size() <= before.size()) return Acceptable;
        // The inserted part lies between what the change kept at both ends.
        const qsizetype shortest = std::min(input.size(), before.size());
        qsizetype head = 0;
        while (head < shortest && input[head] == before[head]) ++head;
        qsizetype tail = 0;
        while (tail < shortest - head && input[input.size() - 1 - tail] == before[before.size() - 1 - tail]) ++tail;
        const qsizetype inserted = input.size() - head - tail;
        qsizetype room = std::max<qsizetype>(0, limit - (head + tail));
        room = std::min(room, inserted);
        // Never cut a character in two.
        if (room > 0 && room < inserted && input[head + room - 1].isHighSurrogate()) --room;
        const QString cut = input.left(head) + input.mid(head, room) + input.right(tail);
        // Nothing fits: the edit takes back the keystroke (and so reports no change).
        if (cut == before) return Invalid;
        input = cut;
        pos = static_cast<int>(head + room);
        return Acceptable;
    }
};

TypingLimit* LimitOf(QWidget* w) { return w->findChild<TypingLimit*>(QString(), Qt::FindDirectChildrenOnly); }

} // namespace

TEdit::TEdit(TWinControl* parent) : TControl(parent, new EditWidget)
{
    tabStop_ = true;
    auto* e = static_cast<QLineEdit*>(widget_);
    // The typing limit is ours (see TypingLimit); the widget keeps every text.
    e->setMaxLength(std::numeric_limits<int>::max());
    auto* limit = new TypingLimit(e);
    e->setValidator(limit);
    widget_->resize(121, 21);
    QObject::connect(e, &QLineEdit::textChanged, e, [this, limit](const QString& t) {
        limit->before = t;
        FromQt([&] {
            if (OnChange) OnChange(this);
        });
    });
}

std::string TEdit::Text() const { return static_cast<QLineEdit*>(widget_)->text().toStdString(); }

void TEdit::SetText(const std::string& s)
{
    TypingLimit* limit = LimitOf(widget_);
    limit->programmatic = true;
    static_cast<QLineEdit*>(widget_)->setText(Q(s));
    limit->programmatic = false;
    EventGuard::Rethrow();
}

void TEdit::SetMaxLength(int n)
{
    maxLength_ = std::max(n, 0);
    LimitOf(widget_)->limit = maxLength_;
}

bool TEdit::ReadOnly() const { return static_cast<QLineEdit*>(widget_)->isReadOnly(); }
void TEdit::SetReadOnly(bool v) { static_cast<QLineEdit*>(widget_)->setReadOnly(v); }

void TEdit::SetPasswordChar(char c)
{
    static_cast<QLineEdit*>(widget_)->setEchoMode(c ? QLineEdit::Password : QLineEdit::Normal);
}

void TEdit::SelectAll() { static_cast<QLineEdit*>(widget_)->selectAll(); }

bool TEdit::DoKeyPress(char32_t& key)
{
    const char32_t typed = key;
    if (TControl::DoKeyPress(key)) return true;
    if (key != typed) {
        // The handler replaced the character: type the new one instead.
        if (key >= 32 && !ReadOnly()) {
            const char32_t k = key;
            static_cast<QLineEdit*>(widget_)->insert(QString::fromUcs4(&k, 1));
        }
        return true;
    }
    return false;
}

void TEdit::TypeText(const std::string& text)
{
    const auto ucs = Q(text).toUcs4();
    auto* e = static_cast<QLineEdit*>(widget_);
    for (char32_t c : ucs) {
        if (!enabled_) return;
        TForm* form = ParentForm();
        const bool preview = form && form->KeyPreview();
        char32_t ch = c;
        if (preview && form->OnKeyPress) {
            form->OnKeyPress(form, ch);
            if (ch == 0) continue;
        }
        if (DoKeyPress(ch)) continue;
        if (ch >= 32 && !ReadOnly()) e->insert(QString::fromUcs4(&ch, 1));
        EventGuard::Rethrow();
    }
}

void TEdit::TypeKey(int virtualKey)
{
    if (!enabled_) return;
    int vk = virtualKey;
    TForm* form = ParentForm();
    if (form && form->KeyPreview() && form->OnKeyDown) {
        form->OnKeyDown(form, vk, TShiftState());
        if (vk == 0) return;
    }
    if (DoKeyDown(vk, TShiftState())) return;
    char32_t ch = vk == VK_RETURN ? 13 : vk == VK_ESCAPE ? 27 : vk == VK_BACK ? 8 : 0;
    if (ch) {
        if (form && form->KeyPreview() && form->OnKeyPress) {
            form->OnKeyPress(form, ch);
            if (ch == 0) return;
        }
        if (DoKeyPress(ch)) return;
        if (ch == 8 && !ReadOnly()) static_cast<QLineEdit*>(widget_)->backspace();
        EventGuard::Rethrow();
    }
}

// --- TMemo ---------------------------------------------------------------------------------------------

struct TMemo::MemoLines : TStrings {
    QPlainTextEdit* e;
    explicit MemoLines(QPlainTextEdit* edit) : e(edit) {}
    QStringList All() const
    {
        QStringList l = e->toPlainText().split('\n');
        if (!l.isEmpty() && l.back().isEmpty()) l.pop_back();
        return l;
    }
    void Set(const QStringList& l)
    {
        e->setPlainText(l.isEmpty() ? QString() : l.join('\n') + '\n');
        EventGuard::Rethrow();
    }
    int Count() const override { return static_cast<int>(All().size()); }
    std::string Strings(int i) const override
    {
        const QStringList l = All();
        if (i < 0 || i >= l.size()) RaiseListIndexError(i);
        return l[i].toStdString();
    }
    void Put(int i, const std::string& s) override
    {
        QStringList l = All();
        if (i < 0 || i >= l.size()) RaiseListIndexError(i);
        l[i] = Q(s);
        Set(l);
    }
    void Insert(int i, const std::string& s) override
    {
        QStringList l = All();
        if (i < 0 || i > l.size()) RaiseListIndexError(i);
        l.insert(i, Q(s));
        Set(l);
    }
    void Delete(int i) override
    {
        QStringList l = All();
        if (i < 0 || i >= l.size()) RaiseListIndexError(i);
        l.removeAt(i);
        Set(l);
    }
    void Clear() override
    {
        e->clear();
        EventGuard::Rethrow();
    }
};

TMemo::TMemo(TWinControl* parent) : TControl(parent, new QPlainTextEdit)
{
    tabStop_ = true;
    auto* e = static_cast<QPlainTextEdit*>(widget_);
    lines_ = std::make_unique<MemoLines>(e);
    widget_->resize(185, 89);
    QObject::connect(e, &QPlainTextEdit::textChanged, e, [this] {
        FromQt([&] {
            if (OnChange) OnChange(this);
        });
    });
}

TMemo::~TMemo() = default;
TStrings& TMemo::Lines() { return *lines_; }
std::string TMemo::Text() const { return static_cast<QPlainTextEdit*>(widget_)->toPlainText().toStdString(); }
void TMemo::SetText(const std::string& s)
{
    static_cast<QPlainTextEdit*>(widget_)->setPlainText(Q(s));
    EventGuard::Rethrow();
}
bool TMemo::ReadOnly() const { return static_cast<QPlainTextEdit*>(widget_)->isReadOnly(); }
void TMemo::SetReadOnly(bool v) { static_cast<QPlainTextEdit*>(widget_)->setReadOnly(v); }

void TMemo::SetWordWrap(bool v)
{
    static_cast<QPlainTextEdit*>(widget_)->setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle s)
{
    auto* e = static_cast<QPlainTextEdit*>(widget_);
    const bool h = s == TScrollStyle::ssHorizontal || s == TScrollStyle::ssBoth;
    const bool v = s == TScrollStyle::ssVertical || s == TScrollStyle::ssBoth;
    e->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    e->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

// --- TComboBox -----------------------------------------------------------------------------------------

struct TComboBox::ComboItems : TStrings {
    QComboBox* c;
    bool* programmatic;
    ComboItems(QComboBox* box, bool* flag) : c(box), programmatic(flag) {}
    int Count() const override { return c->count(); }
    void Check(int i, int n) const
    {
        if (i < 0 || i >= n) RaiseListIndexError(i);
    }
    std::string Strings(int i) const override
    {
        Check(i, c->count());
        return c->itemText(i).toStdString();
    }
    void Put(int i, const std::string& s) override
    {
        Check(i, c->count());
        c->setItemText(i, Q(s));
    }
    void Insert(int i, const std::string& s) override
    {
        Check(i, c->count() + 1);
        *programmatic = true;
        const bool none = c->currentIndex() < 0;
        c->insertItem(i, Q(s));
        // Adding items chooses none, as the class library's list does.
        if (none) c->setCurrentIndex(-1);
        *programmatic = false;
    }
    void Delete(int i) override
    {
        Check(i, c->count());
        *programmatic = true;
        c->removeItem(i);
        *programmatic = false;
    }
    void Clear() override
    {
        *programmatic = true;
        c->clear();
        *programmatic = false;
    }
};

// The box's list opens as wide as DroppedWidth and, with DropLeftwards,
// with its right edge on the box's.
struct TComboBox::QtCombo : QComboBox {
    explicit QtCombo(TComboBox* c) : control(c) {}
    TComboBox* control;

    QWidget* Popup() const { return view()->window() != window() ? view()->window() : nullptr; }

    void showPopup() override
    {
        QComboBox::showPopup();
        QWidget* popup = Popup();
        if (!popup) return;
        // Below the box (above it when the screen ends first), as wide as
        // asked, from the box's left edge or towards the left from its right.
        QRect g = popup->geometry();
        g.setWidth(std::max(control->droppedWidth_, width()));
        const QPoint topLeft = mapToGlobal(QPoint(0, 0));
        const QPoint below = mapToGlobal(QPoint(0, height()));
        const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect();
        g.moveTop(screen.isValid() && below.y() + g.height() > screen.bottom() + 1 ? topLeft.y() - g.height()
                                                                                   : below.y());
        if (control->dropLeftwards_)
            g.moveRight(topLeft.x() + width() - 1);
        else
            g.moveLeft(topLeft.x());
        popup->setGeometry(g);
    }
};

TComboBox::TComboBox(TWinControl* parent) : TControl(parent, nullptr)
{
    AttachWidget(new QtCombo(this));
    tabStop_ = true;
    auto* c = static_cast<QComboBox*>(widget_);
    items_ = std::make_unique<ComboItems>(c, &programmatic_);
    c->setEditable(true);
    c->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMaxVisibleItems(8);
    widget_->resize(145, 21);
    // A new box shows no item.
    QObject::connect(c, qOverload<int>(&QComboBox::activated), c, [this](int) {
        FromQt([&] {
            if (OnChange) OnChange(this);
        });
    });
    QObject::connect(c, &QComboBox::editTextChanged, c, [this](const QString&) {
        FromQt([&] {
            if (!programmatic_ && style_ == TComboBoxStyle::csDropDown && OnChange &&
                static_cast<QComboBox*>(widget_)->lineEdit() &&
                static_cast<QComboBox*>(widget_)->lineEdit()->hasFocus())
                OnChange(this);
        });
    });
}

TComboBox::~TComboBox() = default;
TStrings& TComboBox::Items() { return *items_; }
int TComboBox::ItemIndex() const { return static_cast<QComboBox*>(widget_)->currentIndex(); }

void TComboBox::SetItemIndex(int i)
{
    auto* c = static_cast<QComboBox*>(widget_);
    if (i < -1 || i >= c->count()) RaiseListIndexError(i);
    programmatic_ = true;
    c->setCurrentIndex(i);
    if (i == -1 && c->isEditable()) c->setEditText(QString());
    programmatic_ = false;
}

std::string TComboBox::Text() const { return static_cast<QComboBox*>(widget_)->currentText().toStdString(); }

void TComboBox::SetText(const std::string& s)
{
    auto* c = static_cast<QComboBox*>(widget_);
    programmatic_ = true;
    if (c->isEditable()) {
        const int i = c->findText(Q(s), Qt::MatchFixedString);
        c->setCurrentIndex(i);
        c->setEditText(Q(s));
    } else {
        c->setCurrentIndex(c->findText(Q(s), Qt::MatchFixedString));
    }
    programmatic_ = false;
}

void TComboBox::SetStyle(TComboBoxStyle s)
{
    style_ = s;
    auto* c = static_cast<QComboBox*>(widget_);
    programmatic_ = true;
    const int i = c->currentIndex();
    c->setEditable(s == TComboBoxStyle::csDropDown);
    // The line edit Qt makes cuts texts at 32767 characters; ours has no limit.
    if (c->lineEdit()) c->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    c->setCurrentIndex(i);
    programmatic_ = false;
}

void TComboBox::SetDropDownCount(int n) { static_cast<QComboBox*>(widget_)->setMaxVisibleItems(std::max(n, 1)); }
int TComboBox::DropDownCount() const { return static_cast<QComboBox*>(widget_)->maxVisibleItems(); }

void TComboBox::SetDroppedWidth(int w) { droppedWidth_ = std::max(w, 0); }

bool TComboBox::DroppedDown() const
{
    QWidget* popup = static_cast<QtCombo*>(widget_)->Popup();
    return popup && popup->isVisible();
}

void TComboBox::SetDroppedDown(bool v)
{
    if (v == DroppedDown()) return;
    if (v)
        static_cast<QComboBox*>(widget_)->showPopup();
    else
        static_cast<QComboBox*>(widget_)->hidePopup();
    EventGuard::Rethrow();
}

TRect TComboBox::DroppedRect() const
{
    if (!DroppedDown()) return {};
    const QRect g = static_cast<QtCombo*>(widget_)->Popup()->geometry();
    const QPoint origin = widget_->mapFromGlobal(g.topLeft());
    return FromQRect(QRect(origin, g.size()));
}

void TComboBox::UserSelect(int i)
{
    if (!enabled_) return;
    auto* c = static_cast<QComboBox*>(widget_);
    if (i < 0 || i >= c->count()) RaiseListIndexError(i);
    programmatic_ = true;
    c->setCurrentIndex(i);
    programmatic_ = false;
    if (OnChange) OnChange(this);
}

// --- TListBox -------------------------------------------------------------------------------------------

struct TListBox::ListItems : TStrings {
    QListWidget* l;
    bool* programmatic;
    ListItems(QListWidget* list, bool* flag) : l(list), programmatic(flag) {}
    void Check(int i, int n) const
    {
        if (i < 0 || i >= n) RaiseListIndexError(i);
    }
    int Count() const override { return l->count(); }
    std::string Strings(int i) const override
    {
        Check(i, l->count());
        return l->item(i)->text().toStdString();
    }
    void Put(int i, const std::string& s) override
    {
        Check(i, l->count());
        l->item(i)->setText(Q(s));
    }
    void Insert(int i, const std::string& s) override
    {
        Check(i, l->count() + 1);
        *programmatic = true;
        l->insertItem(i, Q(s));
        *programmatic = false;
    }
    void Delete(int i) override
    {
        Check(i, l->count());
        *programmatic = true;
        delete l->takeItem(i);
        *programmatic = false;
    }
    void Clear() override
    {
        *programmatic = true;
        l->clear();
        *programmatic = false;
    }
};

namespace {

// The list of a TListBox. The box's OnClick fires once the user's choice is
// made (so ItemIndex already tells the new item): after a mouse press on an
// item, and after a drag or a key that changed the selected item.
class ListWidget : public QListWidget {
public:
    std::function<void()> userChoice;

protected:
    int Selected() const
    {
        const int r = currentRow();
        return r >= 0 && item(r)->isSelected() ? r : -1;
    }
    void After(int before, bool onItem)
    {
        const int now = Selected();
        if (userChoice && now >= 0 && (onItem || now != before)) FromQt([&] { userChoice(); });
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        const int before = Selected();
        const bool onItem = e->button() == Qt::LeftButton && itemAt(e->position().toPoint()) != nullptr;
        QListWidget::mousePressEvent(e);
        After(before, onItem);
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        const int before = Selected();
        QListWidget::mouseMoveEvent(e);
        After(before, false);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        const int before = Selected();
        QListWidget::keyPressEvent(e);
        After(before, false);
    }
};

} // namespace

TListBox::TListBox(TWinControl* parent) : TControl(parent, new ListWidget)
{
    tabStop_ = true;
    auto* l = static_cast<ListWidget*>(widget_);
    items_ = std::make_unique<ListItems>(l, &programmatic_);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    widget_->resize(121, 97);
    l->userChoice = [this] {
        if (!programmatic_ && enabled_) Click();
    };
}

TListBox::~TListBox() = default;
TStrings& TListBox::Items() { return *items_; }

int TListBox::ItemIndex() const
{
    auto* l = static_cast<QListWidget*>(widget_);
    const int r = l->currentRow();
    return r >= 0 && l->item(r)->isSelected() ? r : -1;
}

void TListBox::SetItemIndex(int i)
{
    auto* l = static_cast<QListWidget*>(widget_);
    if (i < -1 || i >= l->count()) RaiseListIndexError(i);
    programmatic_ = true;
    if (i < 0) {
        l->clearSelection();
        l->setCurrentRow(-1);
    } else {
        l->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
    }
    programmatic_ = false;
}

void TListBox::UserSelect(int i)
{
    if (!enabled_) return;
    SetItemIndex(i);
    Click();
}

// --- TCheckBox / TRadioButton --------------------------------------------------------------------------

TCheckBox::TCheckBox(TWinControl* parent) : TControl(parent, new QCheckBox)
{
    tabStop_ = true;
    auto* c = static_cast<QCheckBox*>(widget_);
    widget_->resize(97, 17);
    QObject::connect(c, &QCheckBox::toggled, c, [this](bool) { FromQt([&] { TControl::Click(); }); });
}

std::string TCheckBox::Caption() const { return static_cast<QCheckBox*>(widget_)->text().toStdString(); }
void TCheckBox::SetCaption(const std::string& s) { static_cast<QCheckBox*>(widget_)->setText(Q(s)); }
bool TCheckBox::Checked() const { return static_cast<QCheckBox*>(widget_)->isChecked(); }
void TCheckBox::SetChecked(bool v)
{
    static_cast<QCheckBox*>(widget_)->setChecked(v);
    EventGuard::Rethrow();
}

void TCheckBox::Click()
{
    if (enabled_) SetChecked(!Checked());
}

TRadioButton::TRadioButton(TWinControl* parent) : TControl(parent, new QRadioButton)
{
    tabStop_ = true;
    auto* r = static_cast<QRadioButton*>(widget_);
    widget_->resize(113, 17);
    QObject::connect(r, &QRadioButton::toggled, r, [this](bool on) {
        if (on) FromQt([&] { TControl::Click(); });
    });
}

std::string TRadioButton::Caption() const { return static_cast<QRadioButton*>(widget_)->text().toStdString(); }
void TRadioButton::SetCaption(const std::string& s) { static_cast<QRadioButton*>(widget_)->setText(Q(s)); }
bool TRadioButton::Checked() const { return static_cast<QRadioButton*>(widget_)->isChecked(); }
void TRadioButton::SetChecked(bool v)
{
    static_cast<QRadioButton*>(widget_)->setChecked(v);
    EventGuard::Rethrow();
}

void TRadioButton::Click()
{
    if (enabled_) SetChecked(true);
}

// --- TPanel / TGroupBox ------------------------------------------------------------------------------------

namespace {
class PanelWidget : public QFrame {
public:
    QString caption;
    void paintEvent(QPaintEvent* e) override
    {
        QFrame::paintEvent(e);
        if (caption.isEmpty()) return;
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(rect(), Qt::AlignCenter, caption);
    }
};
} // namespace

TPanel::TPanel(TWinControl* parent) : TWinControl(parent, new PanelWidget)
{
    widget_->resize(185, 41);
    SetBevelOuter(TBevelCut::bvRaised);
}

void TPanel::SetCaption(const std::string& s)
{
    caption_ = s;
    static_cast<PanelWidget*>(widget_)->caption = Q(StripAccel(s));
    widget_->update();
}

void TPanel::SetBevelOuter(TBevelCut b)
{
    auto* f = static_cast<QFrame*>(widget_);
    switch (b) {
    case TBevelCut::bvNone: f->setFrameStyle(QFrame::NoFrame); break;
    case TBevelCut::bvLowered: f->setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case TBevelCut::bvRaised: f->setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    }
}

void TPanel::SetColor(TColor c)
{
    TControl::SetColor(c);
    widget_->setAutoFillBackground(true);
}

void TPanel::SetParentBackground(bool v) { widget_->setAutoFillBackground(!v); }

TGroupBox::TGroupBox(TWinControl* parent) : TWinControl(parent, new QGroupBox) { widget_->resize(185, 105); }
std::string TGroupBox::Caption() const { return static_cast<QGroupBox*>(widget_)->title().toStdString(); }
void TGroupBox::SetCaption(const std::string& s) { static_cast<QGroupBox*>(widget_)->setTitle(Q(s)); }

// --- TShape ---------------------------------------------------------------------------------------------------

namespace {
class ShapeWidget : public QWidget {
public:
    explicit ShapeWidget(TShape* s) : shape(s) {}
    TShape* shape;
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int pw = std::max(shape->PenWidth(), 1);
        QPen pen(ToQColor(shape->PenColor()), pw);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        if (shape->BrushClear()) p.setBrush(Qt::NoBrush);
        else p.setBrush(ToQColor(shape->BrushColor()));
        // The outline lies inside the control: a 1-pixel high shape is a line.
        const double half = pw / 2.0;
        QRectF r(half, half, width() - pw, height() - pw);
        if (shape->Shape() == TShapeType::stSquare || shape->Shape() == TShapeType::stCircle) {
            const double side = std::min(r.width(), r.height());
            r = QRectF(r.x() + (r.width() - side) / 2, r.y() + (r.height() - side) / 2, side, side);
        }
        switch (shape->Shape()) {
        case TShapeType::stRectangle:
        case TShapeType::stSquare: p.drawRect(r); break;
        case TShapeType::stRoundRect: p.drawRoundedRect(r, 4, 4); break;
        case TShapeType::stEllipse:
        case TShapeType::stCircle: p.drawEllipse(r); break;
        }
    }
};
} // namespace

TShape::TShape(TWinControl* parent) : TControl(parent, nullptr)
{
    AttachWidget(new ShapeWidget(this));
    widget_->resize(65, 65);
}

void TShape::SetShape(TShapeType s)
{
    shape_ = s;
    Invalidate();
}
void TShape::SetPenColor(TColor c)
{
    penColor_ = c;
    Invalidate();
}
void TShape::SetPenWidth(int w)
{
    penWidth_ = w;
    Invalidate();
}
void TShape::SetBrushColor(TColor c)
{
    brushColor_ = c;
    Invalidate();
}
void TShape::SetBrushClear(bool clear)
{
    brushClear_ = clear;
    Invalidate();
}

// --- TImage ------------------------------------------------------------------------------------------------------

TImage::TImage(TWinControl* parent) : TControl(parent, new QLabel)
{
    auto* l = static_cast<QLabel*>(widget_);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widget_->resize(105, 105);
}

bool TImage::LoadFromFile(const std::string& path)
{
    QPixmap pm;
    if (!pm.load(Q(path))) return false;
    static_cast<QLabel*>(widget_)->setPixmap(pm);
    return true;
}

void TImage::SetPicture(const TBitmap& picture)
{
    static_cast<QLabel*>(widget_)->setPixmap(QPixmap::fromImage(picture.Image()));
}

TBitmap TImage::Picture() const
{
    TBitmap bmp;
    const QPixmap pm = static_cast<QLabel*>(widget_)->pixmap();
    if (pm.isNull()) return bmp;
    bmp.SetSize(pm.width(), pm.height());
    bmp.Image() = pm.toImage().convertToFormat(QImage::Format_RGB32);
    return bmp;
}

void TImage::Clear() { static_cast<QLabel*>(widget_)->clear(); }
bool TImage::Empty() const { return static_cast<QLabel*>(widget_)->pixmap().isNull(); }
int TImage::PictureWidth() const { return static_cast<QLabel*>(widget_)->pixmap().width(); }
int TImage::PictureHeight() const { return static_cast<QLabel*>(widget_)->pixmap().height(); }
void TImage::SetStretch(bool v) { static_cast<QLabel*>(widget_)->setScaledContents(v); }

void TImage::SetCenter(bool v)
{
    static_cast<QLabel*>(widget_)->setAlignment(v ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignTop));
}

std::string HtmlEscape(const std::string& text)
{
    std::string r;
    r.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        case '\'': r += "&#39;"; break;
        default: r += c;
        }
    }
    return r;
}
