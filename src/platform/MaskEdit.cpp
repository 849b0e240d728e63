#include "platform/MaskEdit.h"

#include "platform/Clipbrd.h"
#include "platform/ControlsImpl.h"
#include "platform/EventGuard.h"
#include "platform/SysUtils.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

struct MaskParts {
    QString mask;        // the mask part (class-library form)
    bool saveLiterals = true;
    QChar blank = '_';
};

MaskParts SplitMask(const QString& m)
{
    MaskParts p;
    qsizetype i = 0;
    for (; i < m.size(); ++i) {
        if (m[i] == '\\' && i + 1 < m.size()) {
            p.mask += m[i];
            p.mask += m[++i];
            continue;
        }
        if (m[i] == ';') break;
        p.mask += m[i];
    }
    if (i < m.size()) {
        ++i; // the save-literals field
        if (i < m.size() && m[i] != ';') p.saveLiterals = m[i] != '0';
        while (i < m.size() && m[i] != ';') ++i;
        if (i + 1 < m.size()) p.blank = m[i + 1];
    }
    return p;
}

QString Literal(QChar c) { return QString('\\') + c; }

QString MapMask(const MaskParts& p)
{
    const TFormatSettings& fs = FormatSettings();
    QString out;
    const QString& m = p.mask;
    for (qsizetype i = 0; i < m.size(); ++i) {
        const QChar c = m[i];
        switch (c.unicode()) {
        case '\\':
            if (i + 1 < m.size()) out += Literal(m[++i]);
            break;
        case '!': break; // keep leading blanks: no counterpart
        case '>':
            if (i + 1 < m.size() && m[i + 1] == '<') {
                out += '!';
                ++i;
            } else {
                out += '>';
            }
            break;
        case '<': out += '<'; break;
        case 'L': out += 'A'; break;
        case 'l': out += 'a'; break;
        case 'A': out += 'N'; break;
        case 'a': out += 'n'; break;
        case 'C': out += 'X'; break;
        case 'c': out += 'x'; break;
        case '0': out += '9'; break;
        case '9': out += '0'; break;
        case '#': out += '#'; break;
        case ':': out += Literal(QChar(fs.TimeSeparator)); break;
        case '/': out += Literal(QChar(fs.DateSeparator)); break;
        case '_': out += Literal(' '); break;
        default: out += Literal(c); break;
        }
    }
    if (out.isEmpty()) return {};
    return out + ';' + p.blank;
}

// For each shown position of a platform mask: whether it is a literal.
std::vector<bool> LiteralPositions(const QString& qtMask)
{
    std::vector<bool> lit;
    const qsizetype end = qtMask.lastIndexOf(';');
    const qsizetype n = end < 0 ? qtMask.size() : end;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = qtMask[i];
        if (c == '\\') {
            ++i;
            lit.push_back(true);
        } else if (c == '>' || c == '<' || c == '!') {
            continue;
        } else {
            lit.push_back(!QString("AaNnXx90Dd#HhBb").contains(c));
        }
    }
    return lit;
}

// Watches the field before the control's own key handling: which key came
// from the numeric keypad, why the focus arrived.
class EditWatch : public QObject {
public:
    EditWatch(bool* keypad, int* reason) : keypad_(keypad), reason_(reason) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease)
            *keypad_ = (static_cast<QKeyEvent*>(e)->modifiers() & Qt::KeypadModifier) != 0;
        else if (e->type() == QEvent::FocusIn)
            *reason_ = static_cast<QFocusEvent*>(e)->reason();
        return false;
    }

private:
    bool* keypad_;
    int* reason_;
};

TMouseButton ButtonOf(Qt::MouseButton b) { return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft; }

} // namespace

struct TCustomMaskEdit::QtField : QLineEdit {
    explicit QtField(TCustomMaskEdit* c) : control(c) {}
    TCustomMaskEdit* control;

    void ApplyRect()
    {
        if (!control->editRectSet_) {
            setTextMargins(0, 0, 0, 0);
            return;
        }
        const TRect& r = control->editRect_;
        setTextMargins(std::max(r.Left, 0), std::max(r.Top, 0), std::max(width() - r.Right, 0),
                       std::max(height() - r.Bottom, 0));
    }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        QLineEdit::paintEvent(e);
        QPainter p(this);
        TCanvas canvas(&p);
        canvas.Font().Assign(static_cast<const TControl*>(control)->Font());
        control->PaintAfter(canvas);
    }
    void focusInEvent(QFocusEvent* e) override
    {
        // The selection is the control's (its entering step made it).
        const int start = selectionStart(), len = static_cast<int>(selectedText().size()), pos = cursorPosition();
        QLineEdit::focusInEvent(e);
        if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
        if (start >= 0 && len > 0) setSelection(start, len);
        else {
            deselect();
            setCursorPosition(pos);
        }
    }
    void resizeEvent(QResizeEvent* e) override
    {
        QLineEdit::resizeEvent(e);
        ApplyRect();
        control->Resized();
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        control->MouseDown(ButtonOf(e->button()), ToShift(e->modifiers()), p.x(), p.y());
        QLineEdit::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        QLineEdit::mouseReleaseEvent(e);
        const QPoint p = e->position().toPoint();
        control->MouseUp(ButtonOf(e->button()), ToShift(e->modifiers()), p.x(), p.y());
    }
    void wheelEvent(QWheelEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        bool taken = false;
        FromQt([&] { taken = control->MouseWheel(ToShift(e->modifiers()), e->angleDelta().y(), p.x(), p.y()); });
        if (!taken) QLineEdit::wheelEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        QLineEdit::mouseDoubleClickEvent(e);
        control->DblClick();
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        QLineEdit::keyPressEvent(e);
        FromQt([&] { control->AfterKey(); });
    }
};

std::string PlatformInputMask(const std::string& editMask, bool& saveLiterals)
{
    const MaskParts p = SplitMask(Q(editMask));
    saveLiterals = p.saveLiterals;
    return MapMask(p).toStdString();
}

TCustomMaskEdit::TCustomMaskEdit(TWinControl* parent) : TWinControl(parent, nullptr)
{
    auto* w = new QtField(this);
    AttachWidget(w);
    tabStop_ = true;
    w->setFocusPolicy(Qt::StrongFocus);
    w->setContextMenuPolicy(Qt::NoContextMenu);
    // Installed after the control's own hook, so it sees events first.
    auto* watch = new EditWatch(&keypad_, &focusReason_);
    watch->setParent(w);
    w->installEventFilter(watch);
    w->resize(121, 21);
    QObject::connect(w, &QLineEdit::textChanged, w, [this](const QString&) { Change(); });
}

TCustomMaskEdit::~TCustomMaskEdit() = default;

namespace {
QLineEdit* LE(QWidget* w) { return static_cast<QLineEdit*>(w); }
} // namespace

std::string TCustomMaskEdit::Text() const
{
    QLineEdit* e = LE(widget_);
    if (editMask_.empty() || e->inputMask().isEmpty()) return e->text().toStdString();
    const QString mask = e->inputMask();
    const QChar blank = mask.size() >= 2 && mask[mask.size() - 2] == ';' ? mask.back() : QChar(' ');
    const std::vector<bool> lit = LiteralPositions(mask);
    const QString shown = e->displayText();
    QString r;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const bool isLit = static_cast<size_t>(i) < lit.size() && lit[static_cast<size_t>(i)];
        if (isLit) {
            if (saveLiterals_) r += shown[i];
        } else {
            r += shown[i] == blank ? QChar(' ') : shown[i];
        }
    }
    return r.toStdString();
}

void TCustomMaskEdit::SetText(const std::string& s) { LE(widget_)->setText(Q(s)); }
std::string TCustomMaskEdit::EditText() const { return LE(widget_)->displayText().toStdString(); }

void TCustomMaskEdit::SetEditMask(const std::string& mask)
{
    editMask_ = mask;
    LE(widget_)->setInputMask(Q(PlatformInputMask(mask, saveLiterals_)));
}

void TCustomMaskEdit::SetMaxLength(int n) { maxLength_ = std::max(n, 0); }
bool TCustomMaskEdit::ReadOnly() const { return LE(widget_)->isReadOnly(); }
void TCustomMaskEdit::SetReadOnly(bool v) { LE(widget_)->setReadOnly(v); }
bool TCustomMaskEdit::Modified() const { return LE(widget_)->isModified(); }
void TCustomMaskEdit::SetModified(bool v) { LE(widget_)->setModified(v); }

void TCustomMaskEdit::SetPasswordChar(char c)
{
    LE(widget_)->setEchoMode(c ? QLineEdit::Password : QLineEdit::Normal);
}

int TCustomMaskEdit::SelStart() const
{
    QLineEdit* e = LE(widget_);
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TCustomMaskEdit::SetSelStart(int p)
{
    QLineEdit* e = LE(widget_);
    e->deselect();
    e->setCursorPosition(std::clamp(p, 0, static_cast<int>(e->text().size())));
}

int TCustomMaskEdit::SelLength() const { return static_cast<int>(LE(widget_)->selectedText().size()); }

void TCustomMaskEdit::SetSelLength(int n)
{
    QLineEdit* e = LE(widget_);
    const int start = SelStart();
    const int len = std::clamp(n, 0, static_cast<int>(e->text().size()) - start);
    if (len > 0) e->setSelection(start, len);
    else {
        e->deselect();
        e->setCursorPosition(start);
    }
}

std::string TCustomMaskEdit::SelText() const { return LE(widget_)->selectedText().toStdString(); }

void TCustomMaskEdit::SetSelText(const std::string& s)
{
    QLineEdit* e = LE(widget_);
    const bool ro = e->isReadOnly();
    e->setReadOnly(false);
    e->insert(Q(s));
    e->setReadOnly(ro);
}

void TCustomMaskEdit::SelectAll() { LE(widget_)->selectAll(); }

void TCustomMaskEdit::SetAlignment(TAlignment a)
{
    alignment_ = a;
    const Qt::Alignment h =
        a == TAlignment::taCenter ? Qt::AlignHCenter : a == TAlignment::taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
    LE(widget_)->setAlignment(h | Qt::AlignVCenter);
}

void TCustomMaskEdit::SetBorderStyle(TBorderStyle b)
{
    borderStyle_ = b;
    LE(widget_)->setFrame(b == TBorderStyle::bsSingle);
}

void TCustomMaskEdit::SetEditRect(const TRect& r)
{
    editRect_ = r;
    editRectSet_ = true;
    static_cast<QtField*>(widget_)->ApplyRect();
}

int TCustomMaskEdit::CharFromPos(int x, int y) const
{
    if (x < 0 || y < 0 || x > Width() || y > Height()) return -1;
    return LE(widget_)->cursorPositionAt(QPoint(x, y));
}

TPoint TCustomMaskEdit::ClientToScreen(const TPoint& p) const
{
    const QPoint g = widget_->mapToGlobal(QPoint(p.X, p.Y));
    return {g.x(), g.y()};
}

void TCustomMaskEdit::WMCopy()
{
    QLineEdit* e = LE(widget_);
    if (e->hasSelectedText() && e->echoMode() == QLineEdit::Normal) SetClipboardText(e->selectedText().toStdString());
}

void TCustomMaskEdit::KeyDown(int& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TCustomMaskEdit::KeyPress(char32_t& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TCustomMaskEdit::KeyUp(int& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TCustomMaskEdit::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomMaskEdit::WMPaste()
{
    QLineEdit* e = LE(widget_);
    if (e->isReadOnly() || !ClipboardHasText()) return;
    QString t = Q(ClipboardText());
    if (maxLength_ > 0 && editMask_.empty()) {
        const qsizetype room = maxLength_ - (e->text().size() - e->selectedText().size());
        t = t.left(std::max<qsizetype>(room, 0));
    }
    e->insert(t);
}

void TCustomMaskEdit::WMCut()
{
    QLineEdit* e = LE(widget_);
    if (e->isReadOnly() || !e->hasSelectedText()) return;
    CopyToClipboard();
    e->del();
}

void TCustomMaskEdit::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TCustomMaskEdit::MouseDown(TMouseButton, TShiftState, int, int) {}
void TCustomMaskEdit::MouseUp(TMouseButton, TShiftState, int, int) {}
void TCustomMaskEdit::PaintAfter(TCanvas&) {}
bool TCustomMaskEdit::MouseWheel(TShiftState, int, int, int) { return false; }

bool TCustomMaskEdit::SelectAllOnEnter(bool byMouse) const { return autoSelect_ && !byMouse; }

void TCustomMaskEdit::DoEnter()
{
    const bool returning = focusReason_ == Qt::ActiveWindowFocusReason || focusReason_ == Qt::PopupFocusReason;
    if (!returning && SelectAllOnEnter(focusReason_ == Qt::MouseFocusReason)) SelectAll();
    TWinControl::DoEnter();
}

void TCustomMaskEdit::InsertChar(char32_t ch)
{
    QLineEdit* e = LE(widget_);
    if (e->isReadOnly() || ch < 32) return;
    if (maxLength_ > 0 && editMask_.empty() && e->text().size() - e->selectedText().size() >= maxLength_) return;
    e->insert(QString::fromUcs4(&ch, 1));
}

bool TCustomMaskEdit::DoKeyDown(int& key, TShiftState shift)
{
    KeyDown(key, shift);
    if (key == 0) return true;
    const bool ctrl = shift.Contains(ssCtrl), alt = shift.Contains(ssAlt), sh = shift.Contains(ssShift);
    if (ctrl && !alt && key >= 'A' && key <= 'Z') {
        // Ctrl+letter types its control character; the clipboard keys act
        // only when the character passes.
        char32_t ch = static_cast<char32_t>(key - 'A' + 1);
        KeyPress(ch);
        if (ch == 0) return true;
        switch (ch) {
        case 22: WMPaste(); return true;
        case 24: WMCut(); return true;
        case 3: CopyToClipboard(); return true;
        case 1: SelectAll(); return true;
        default: return false;
        }
    }
    if (sh && !ctrl && !alt && key == VK_INSERT) {
        WMPaste();
        return true;
    }
    if (sh && !ctrl && !alt && key == VK_DELETE) {
        WMCut();
        return true;
    }
    if (ctrl && !alt && key == VK_INSERT) {
        CopyToClipboard();
        return true;
    }
    return false;
}

bool TCustomMaskEdit::DoKeyPress(char32_t& key)
{
    const char32_t typed = key;
    KeyPress(key);
    if (key == 0) return true;
    if (key != typed || (key >= 32 && maxLength_ > 0)) {
        // Our own insertion: a replaced character, or one that must respect the limit.
        InsertChar(key);
        return true;
    }
    return false;
}

bool TCustomMaskEdit::DoKeyUp(int& key, TShiftState shift)
{
    KeyUp(key, shift);
    return key == 0;
}
