#include "platform/GridView.h"
#include "platform/KeyCodes.h"

#include "platform/EventGuard.h"
#include "platform/GraphicsQt.h"
#include "platform/HintWindow.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QTimerEvent>
#include <QWheelEvent>

#include <limits>
#include <map>

namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers m, Qt::MouseButtons b = Qt::NoButton)
{
    TShiftState s;
    if (m & Qt::ShiftModifier) s += ssShift;
    if (m & Qt::ControlModifier) s += ssCtrl;
    if (m & Qt::AltModifier) s += ssAlt;
    if (b & Qt::LeftButton) s += ssLeft;
    if (b & Qt::RightButton) s += ssRight;
    if (b & Qt::MiddleButton) s += ssMiddle;
    return s;
}

TMouseButton ButtonOf(Qt::MouseButton b)
{
    if (b == Qt::RightButton) return mbRight;
    if (b == Qt::MiddleButton) return mbMiddle;
    return mbLeft;
}

const QEvent::Type kGridMessageEvent = QEvent::Type(QEvent::User + 77);

struct GridMessageEvent : QEvent {
    explicit GridMessageEvent(const TMessage& m) : QEvent(kGridMessageEvent), msg(m) {}
    TMessage msg;
};

Qt::CursorShape ShapeOf(TCursor c)
{
    switch (c) {
    case crHSplit:
    case crSizeWE: return Qt::SizeHorCursor;
    case crVSplit:
    case crSizeNS: return Qt::SizeVerCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crDrag:
    case crMultiDrag: return Qt::DragMoveCursor;
    case crNo:
    case crNoDrop: return Qt::ForbiddenCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crCross: return Qt::CrossCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    // The grid's wheel-panning cursors: the origin and the eight directions.
    case 8000: return Qt::SizeAllCursor;
    case 8001:
    case 8004: return Qt::SizeVerCursor;
    case 8002:
    case 8003: return Qt::SizeHorCursor;
    case 8005:
    case 8008: return Qt::SizeBDiagCursor;
    case 8006:
    case 8007: return Qt::SizeFDiagCursor;
    default: return Qt::ArrowCursor;
    }
}

class GridWidget;

// The editor's text field, one line (QLineEdit) or several
// (QPlainTextEdit). The several-line field shows a line break of the
// editor's text (CR LF, or a lone CR) as one character; positions are
// mapped both ways. Its keys pass through the grid's editor first.
class EditorField {
public:
    explicit EditorField(TGridView::Impl* view) : view_(view) {}
    virtual ~EditorField() = default;
    virtual QWidget* Widget() = 0;
    virtual bool IsMultiLine() const = 0;
    // The field's own text, caret and selection (field positions).
    virtual QString FieldText() const = 0;
    virtual void SetFieldText(const QString& t) = 0;
    virtual int Caret() const = 0;
    virtual int SelectionStart() const = 0;
    virtual int SelectionLength() const = 0;
    // Selects Length characters from Start, the caret after them.
    virtual void SetSelection(int Start, int Length) = 0;
    virtual int CharAt(const QPoint& p) const = 0;
    virtual void SetLimit(int n) = 0;
    // Colours, font and alignment of the cell being edited.
    virtual void SetLooks(const TInplaceEdit& ed) = 0;

    // The field's caret and selection into the editor.
    void SyncToEditor(TInplaceEdit* ed) const;

protected:
    // The steps both fields share; KeyPress and KeyRelease answer whether
    // the field's own handling of the key is still to run.
    void FocusIn();
    void FocusOut();
    void DoubleClick();
    bool KeyPress(QKeyEvent* e);
    bool KeyRelease(QKeyEvent* e);
    // After the field's own handling of a key: its caret into the editor.
    void AfterKey(const QPointer<QWidget>& self);
    TGridView::Impl* view_;
};

// Field text of an editor text, and back.
QString ShownText(const QString& t)
{
    QString r = t;
    r.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    r.replace(QChar('\r'), QChar('\n'));
    return r;
}
QString StoredText(const QString& t)
{
    QString r = t;
    r.replace(QChar(0x2029), QChar('\n'));
    r.replace(QChar(0x2028), QChar('\n'));
    r.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return r;
}
// The field position of the editor's position Pos in its text T, and back
// (a CR LF is one field character).
int FieldPos(const QString& t, int pos)
{
    int f = 0;
    for (int i = 0; i < pos && i < t.size(); ++i, ++f)
        if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
    return f;
}
int EditorPos(const QString& t, int fieldPos)
{
    int i = 0;
    for (int f = 0; f < fieldPos && i < t.size(); ++f, ++i)
        if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
    return i;
}

Qt::Alignment AlignmentOf(TAlignment a)
{
    switch (a) {
    case TAlignment::taRightJustify: return Qt::AlignRight;
    case TAlignment::taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

void ApplyLooks(QWidget* w, const TInplaceEdit& ed)
{
    QPalette pal = w->palette();
    if (ed.Color != clNone) pal.setColor(QPalette::Base, ToQColor(ed.Color));
    pal.setColor(QPalette::Text, ToQColor(ed.Font.Color()));
    w->setPalette(pal);
    w->setFont(ToQFont(ed.Font));
}

class LineField : public QLineEdit, public EditorField {
public:
    LineField(QWidget* parent, TGridView::Impl* view) : QLineEdit(parent), EditorField(view) { setFrame(false); }
    QWidget* Widget() override { return this; }
    bool IsMultiLine() const override { return false; }
    QString FieldText() const override { return text(); }
    void SetFieldText(const QString& t) override { setText(t); }
    int Caret() const override { return cursorPosition(); }
    int SelectionStart() const override { return hasSelectedText() ? selectionStart() : cursorPosition(); }
    int SelectionLength() const override { return hasSelectedText() ? int(selectedText().size()) : 0; }
    void SetSelection(int Start, int Length) override
    {
        if (Length > 0)
            setSelection(Start, Length);
        else
            setCursorPosition(Start);
    }
    int CharAt(const QPoint& p) const override { return const_cast<LineField*>(this)->cursorPositionAt(p); }
    void SetLimit(int n) override { setMaxLength(n); }
    void SetLooks(const TInplaceEdit& ed) override
    {
        ApplyLooks(this, ed);
        setAlignment(AlignmentOf(ed.Alignment) | Qt::AlignVCenter);
    }

protected:
    void focusInEvent(QFocusEvent* e) override
    {
        QLineEdit::focusInEvent(e);
        FocusIn();
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QLineEdit::focusOutEvent(e);
        FocusOut();
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        QLineEdit::mouseDoubleClickEvent(e);
        DoubleClick();
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (!KeyPress(e)) return;
        QPointer<QWidget> self(this);
        QLineEdit::keyPressEvent(e);
        e->accept();
        AfterKey(self);
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        if (KeyRelease(e)) QLineEdit::keyReleaseEvent(e);
    }
    bool focusNextPrevChild(bool) override { return false; }
    bool event(QEvent* e) override
    {
        bool r = false;
        FromQt([&] { r = QLineEdit::event(e); });
        return r;
    }
};

class MemoField : public QPlainTextEdit, public EditorField {
public:
    MemoField(QWidget* parent, TGridView::Impl* view) : QPlainTextEdit(parent), EditorField(view)
    {
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        document()->setDocumentMargin(2);
    }
    QWidget* Widget() override { return this; }
    bool IsMultiLine() const override { return true; }
    QString FieldText() const override { return toPlainText(); }
    void SetFieldText(const QString& t) override { setPlainText(t); }
    int Caret() const override { return textCursor().position(); }
    int SelectionStart() const override { return textCursor().selectionStart(); }
    int SelectionLength() const override { return textCursor().selectionEnd() - textCursor().selectionStart(); }
    void SetSelection(int Start, int Length) override
    {
        QTextCursor c = textCursor();
        const int end = int(toPlainText().size());
        c.setPosition(std::clamp(Start, 0, end));
        if (Length > 0) c.setPosition(std::clamp(Start + Length, 0, end), QTextCursor::KeepAnchor);
        setTextCursor(c);
    }
    int CharAt(const QPoint& p) const override { return cursorForPosition(p).position(); }
    void SetLimit(int) override {}  // the editor's own steps keep its length limit
    void SetLooks(const TInplaceEdit& ed) override
    {
        ApplyLooks(this, ed);
        setLineWrapMode(ed.WrapLines ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        QTextOption o = document()->defaultTextOption();
        o.setAlignment(AlignmentOf(ed.Alignment));
        document()->setDefaultTextOption(o);
    }

protected:
    void focusInEvent(QFocusEvent* e) override
    {
        QPlainTextEdit::focusInEvent(e);
        FocusIn();
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QPlainTextEdit::focusOutEvent(e);
        FocusOut();
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        QPlainTextEdit::mouseDoubleClickEvent(e);
        DoubleClick();
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (!KeyPress(e)) return;
        QPointer<QWidget> self(this);
        QPlainTextEdit::keyPressEvent(e);
        e->accept();
        AfterKey(self);
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        if (KeyRelease(e)) QPlainTextEdit::keyReleaseEvent(e);
    }
    bool focusNextPrevChild(bool) override { return false; }
    bool event(QEvent* e) override
    {
        bool r = false;
        FromQt([&] { r = QPlainTextEdit::event(e); });
        return r;
    }
};

// The strip along the bottom of the grid's window, between the cell area
// and the horizontal scroll bar.
class StripWidget : public QWidget {
public:
    explicit StripWidget(QWidget* parent) : QWidget(parent)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        hide();
    }
    TGridStrip* strip = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        if (!strip || !strip->OnPaint) {
            p.fillRect(rect(), palette().window());
            return;
        }
        TCanvas c(&p);
        FromQt([&] { strip->OnPaint(c, width(), height()); });
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const QPoint q = e->position().toPoint();
        if (strip && strip->OnMouseUp) FromQt([&] { strip->OnMouseUp(ButtonOf(e->button()), q.x(), q.y()); });
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        const QPoint q = e->position().toPoint();
        if (strip && strip->OnMouseMove) FromQt([&] { strip->OnMouseMove(q.x(), q.y()); });
    }
    void leaveEvent(QEvent*) override
    {
        if (strip && strip->OnMouseLeave) FromQt([&] { strip->OnMouseLeave(); });
    }
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::ToolTip) return QWidget::event(e);
        auto* he = static_cast<QHelpEvent*>(e);
        std::string text;
        if (strip && strip->OnHint) FromQt([&] { text = strip->OnHint(he->pos().x(), he->pos().y()); });
        if (text.empty()) {
            CancelApplicationHint();
        } else {
            THintInfo info;
            info.CursorPos = {he->pos().x(), he->pos().y()};
            info.HintPos = {he->globalPos().x(), he->globalPos().y() + 20};
            ShowApplicationHint(info, text);
        }
        return true;
    }
};

class GridWidget : public QAbstractScrollArea {
public:
    // The cell area leaves room below itself (for the bottom strip).
    void SetBottomMargin(int h) { setViewportMargins(0, 0, 0, h); }
    // Takes over the view's window side (deleted with the widget, so that
    // events reaching a widget being destroyed find a host without a grid).
    GridWidget(QWidget* parent, TGridView::Impl* view);
    ~GridWidget() override;

    TGridView::Impl* view;
    bool settingBars = false;
    // The focus goes on to the next (previous) control of the window.
    void MoveFocusOn(bool next) { QAbstractScrollArea::focusNextPrevChild(next); }
    std::map<int, int> timerByGridId;  // grid id -> Qt timer id
    std::map<int, int> gridIdByTimer;
    // The pointer (screen) of the last mouse press or move on a scroll bar.
    QPoint barPointer;
    bool barPointerValid = false;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void scrollContentsBy(int, int) override {}
};

}  // namespace

struct TGridView::Impl : IGridHost {
    TCustomGrid* grid = nullptr;
    GridWidget* widget = nullptr;  // the window (it owns this host)
    StripWidget* strip = nullptr;  // child of the window, made when first asked for
    int stripHeight = 0;
    EditorField* editor = nullptr;  // child of the viewport (LineField or MemoField)
    // The focus is moving between the grid and its editor field.
    bool focusFromEditor = false;
    bool focusFromGrid = false;
    bool updatingEditor = false;

    bool HasWindow() const override { return widget != nullptr; }
    bool IsVisible() const override { return widget && widget->isVisible(); }
    bool IsFocused() const override { return widget && (widget->hasFocus() || widget->viewport()->hasFocus()); }
    void SetFocus() override
    {
        if (widget) widget->setFocus(Qt::OtherFocusReason);
    }
    TPoint ScreenToClient(const TPoint& p) const override
    {
        if (!widget) return p;
        QPoint q = widget->viewport()->mapFromGlobal(QPoint(p.X, p.Y));
        return {q.x(), q.y()};
    }
    TPoint CursorPos() const override
    {
        if (!widget) return {-1, -1};
        const QPoint q = widget->viewport()->mapFromGlobal(QCursor::pos());
        return {q.x(), q.y()};
    }
    void SetMouseCapture(bool on) override
    {
        if (!widget) return;
        if (on)
            widget->viewport()->grabMouse();
        else
            widget->viewport()->releaseMouse();
    }
    TPoint ScreenCursorPos() const override
    {
        if (!widget) return {-1, -1};
        for (QScrollBar* bar : {widget->verticalScrollBar(), widget->horizontalScrollBar()})
            if (bar->isSliderDown() && widget->barPointerValid) return {widget->barPointer.x(), widget->barPointer.y()};
        const QPoint q = QCursor::pos();
        return {q.x(), q.y()};
    }
    TPoint ClientToScreen(const TPoint& p) const override
    {
        if (!widget) return p;
        QPoint q = widget->viewport()->mapToGlobal(QPoint(p.X, p.Y));
        return {q.x(), q.y()};
    }
    TSize ClientSize() const override
    {
        if (!widget) return {};
        QSize s = widget->viewport()->size();
        return {s.width(), s.height()};
    }
    void SetClientSize(int w, int h) override
    {
        if (!widget) return;
        Relayout();
        // The frame and scroll bars stay around the cell area.
        const QSize vp = widget->viewport()->size();
        widget->resize(widget->width() + (w - vp.width()), widget->height() + (h - vp.height()));
        Relayout();
    }
    // A window not shown yet gets its resize only when shown: the cell area
    // is laid out now, so that its size is known at once.
    void Relayout()
    {
        if (!widget || widget->isVisible()) return;
        QResizeEvent e(widget->size(), widget->size());
        QCoreApplication::sendEvent(widget, &e);
    }
    void Invalidate(const TRect* r) override
    {
        if (!widget) return;
        if (r)
            widget->viewport()->update(ToQRect(*r));
        else
            widget->viewport()->update();
    }
    void Update() override
    {
        if (widget) widget->viewport()->repaint();
    }
    void SetRedraw(bool on) override
    {
        if (widget) widget->setUpdatesEnabled(on);
    }
    void UpdateScrollBars(const TGridScrollInfo& h, const TGridScrollInfo& v) override
    {
        if (!widget) return;
        widget->settingBars = true;
        auto apply = [](QScrollBar* b, const TGridScrollInfo& i) {
            b->setRange(i.Min, i.Visible ? i.Max : i.Min);
            b->setPageStep(std::max(1, i.Page));
            b->setSingleStep(1);
            b->setValue(i.Pos);
            b->setEnabled(i.Enabled);
        };
        apply(widget->horizontalScrollBar(), h);
        apply(widget->verticalScrollBar(), v);
        widget->setHorizontalScrollBarPolicy(h.Visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        widget->setVerticalScrollBarPolicy(v.Visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        widget->settingBars = false;
    }
    void PostMessage(const TMessage& m) override
    {
        if (widget) QCoreApplication::postEvent(widget, new GridMessageEvent(m));
    }
    void SetTimer(int id, int ms) override
    {
        if (!widget) return;
        KillTimer(id);
        int q = widget->startTimer(std::max(1, ms));
        if (q == 0) return;
        widget->timerByGridId[id] = q;
        widget->gridIdByTimer[q] = id;
    }
    void KillTimer(int id) override
    {
        if (!widget) return;
        auto it = widget->timerByGridId.find(id);
        if (it == widget->timerByGridId.end()) return;
        widget->killTimer(it->second);
        widget->gridIdByTimer.erase(it->second);
        widget->timerByGridId.erase(it);
    }
    void SetCursor(TCursor c) override
    {
        if (!widget) return;
        if (c == crDefault)
            widget->viewport()->unsetCursor();
        else
            widget->viewport()->setCursor(ShapeOf(c));
    }
    void ShowEditorWindow(const TRect& r) override
    {
        if (!widget) return;
        TInplaceEdit* ed = grid ? grid->InplaceEditor() : nullptr;
        const bool multi = ed && ed->MultiLine();
        if (editor && editor->IsMultiLine() != multi && !editor->Widget()->isVisible()) {
            // The other kind of field is wanted for this cell.
            delete editor;
            editor = nullptr;
        }
        if (!editor) MakeEditor(multi);
        if (ed) editor->SetLooks(*ed);
        SyncEditor();
        editor->Widget()->setGeometry(ToQRect(r));
        editor->Widget()->show();
    }
    void MakeEditor(bool multi)
    {
        if (multi) {
            auto* f = new MemoField(widget->viewport(), this);
            QObject::connect(f, &QPlainTextEdit::textChanged, [this, f] {
                if (updatingEditor) return;
                FromQt([&] {
                    if (grid && grid->InplaceEditor())
                        grid->InplaceEditor()->TextEdited(StoredText(f->toPlainText()).toStdString());
                });
            });
            editor = f;
        } else {
            auto* f = new LineField(widget->viewport(), this);
            QObject::connect(f, &QLineEdit::textEdited, [this](const QString& t) {
                FromQt([&] {
                    if (grid && grid->InplaceEditor()) grid->InplaceEditor()->TextEdited(t.toStdString());
                });
            });
            editor = f;
        }
        // The clipboard goes through the editor's own steps (keys).
        editor->Widget()->setContextMenuPolicy(Qt::NoContextMenu);
    }
    void HideEditorWindow() override
    {
        if (!editor) return;
        QWidget* w = editor->Widget();
        // The focus goes back to the grid before the field hides (and not
        // on to the next control of the window).
        if (w->hasFocus() && widget && widget->isVisible()) widget->setFocus(Qt::OtherFocusReason);
        w->hide();
    }
    void FocusNextControl(bool forward) override
    {
        if (widget) widget->MoveFocusOn(forward);
    }
    bool EditorFocused() const override
    {
        return editor && editor->Widget()->isVisible() && editor->Widget()->hasFocus();
    }
    int EditorCharAt(int x, int y) const override
    {
        if (!editor || !editor->Widget()->isVisible()) return -1;
        QWidget* w = editor->Widget();
        const QPoint p(x - w->x(), y - w->y());
        if (!w->rect().contains(p)) return -1;
        const int at = editor->CharAt(p);
        if (!editor->IsMultiLine() || !grid || !grid->InplaceEditor()) return at;
        return EditorPos(QString::fromStdString(grid->InplaceEditor()->Text()), at);
    }
    void ShowBalloon(const std::string& title, const std::string& text, int) override
    {
        if (!widget) return;
        QWidget* at = editor && editor->Widget()->isVisible() ? editor->Widget() : widget->viewport();
        QString t = QString::fromStdString(title);
        const QString body = QString::fromStdString(text);
        if (!t.isEmpty() && !body.isEmpty()) t += "\n";
        QToolTip::showText(at->mapToGlobal(QPoint(0, at->height())), t + body, at);
    }
    void FocusEditorWindow() override
    {
        if (editor && editor->Widget()->isVisible()) editor->Widget()->setFocus(Qt::OtherFocusReason);
    }
    void EditorTextChanged() override { SyncEditor(); }
    void SetBottomStrip(int height, TGridStrip* s) override
    {
        if (!widget) return;
        if (!s) {
            // Quietly: the grid may be going.
            if (strip) {
                strip->strip = nullptr;
                strip->hide();
            }
            if (stripHeight != 0) widget->SetBottomMargin(0);
            stripHeight = 0;
            return;
        }
        height = std::max(0, height);
        if (!strip) {
            if (height == 0) return;
            strip = new StripWidget(widget);
        }
        strip->strip = height > 0 ? s : nullptr;
        if (height != stripHeight) {
            stripHeight = height;
            widget->SetBottomMargin(height);
            Relayout();
            PlaceStrip();
            if (grid) grid->HandleResize();
        }
        PlaceStrip();
    }
    // The strip sits right below the cell area, as wide as it.
    void PlaceStrip()
    {
        if (!strip || !widget) return;
        if (stripHeight <= 0) {
            strip->hide();
            return;
        }
        const QRect vp = widget->viewport()->geometry();
        strip->setGeometry(vp.left(), vp.top() + vp.height(), vp.width(), stripHeight);
        strip->show();
        strip->raise();
        strip->update();
    }
    void InvalidateBottomStrip() override
    {
        if (strip && stripHeight > 0) strip->update();
    }
    void GridDestroyed() override
    {
        grid = nullptr;
        if (strip) strip->strip = nullptr;
        if (editor) editor->Widget()->hide();
    }
    void SyncEditor()
    {
        if (!editor || !grid || !grid->InplaceEditor()) return;
        TInplaceEdit* ed = grid->InplaceEditor();
        const QString stored = QString::fromStdString(ed->Text());
        const bool multi = editor->IsMultiLine();
        const QString t = multi ? ShownText(stored) : stored;
        updatingEditor = true;
        if (editor->FieldText() != t) editor->SetFieldText(t);
        updatingEditor = false;
        // No limit of its own: Qt's default would cut at 32767 characters.
        editor->SetLimit(ed->MaxLength() > 0 ? ed->MaxLength() : std::numeric_limits<int>::max());
        const int len = int(t.size());
        auto pos = [&](int p) { return std::min(multi ? FieldPos(stored, p) : p, len); };
        if (ed->SelLength > 0) {
            const int a = pos(ed->SelStart);
            editor->SetSelection(a, pos(ed->SelStart + ed->SelLength) - a);
        } else {
            editor->SetSelection(pos(ed->CaretPos), 0);
        }
    }
};

namespace {

void EditorField::SyncToEditor(TInplaceEdit* ed) const
{
    const int caret = Caret(), start = SelectionStart(), length = SelectionLength();
    if (!IsMultiLine()) {
        ed->CaretPos = caret;
        ed->SelStart = start;
        ed->SelLength = length;
        return;
    }
    const QString stored = QString::fromStdString(ed->Text());
    ed->CaretPos = EditorPos(stored, caret);
    ed->SelStart = EditorPos(stored, start);
    ed->SelLength = EditorPos(stored, start + length) - ed->SelStart;
}

void EditorField::FocusIn()
{
    TCustomGrid* g = view_->grid;
    if (view_->focusFromGrid)
        view_->focusFromGrid = false;
    else if (g)
        g->HandleEnter();
    g = view_->grid;
    if (g && g->InplaceEditor() && Widget()->isVisible()) {
        SyncToEditor(g->InplaceEditor());
        g->InplaceEditor()->FocusGained();
    }
}

void EditorField::FocusOut()
{
    TCustomGrid* g = view_->grid;
    if (!g || !g->InplaceEditor()) return;
    const QWidget* to = QApplication::focusWidget();
    const bool toGrid = view_->widget && (to == view_->widget || to == view_->widget->viewport());
    if (toGrid) view_->focusFromEditor = true;
    QPointer<QWidget> self(Widget());
    g->InplaceEditor()->FocusLost(toGrid);
    if (!toGrid && self && view_->grid) view_->grid->HandleExit();
}

void EditorField::DoubleClick()
{
    TCustomGrid* g = view_->grid;
    if (g && g->InplaceEditor()) g->InplaceEditor()->DblClick();
}

// The field's keys go through the editor's steps first, as the class
// library's in-place edit sees them: key-down (navigation keys go on to the
// grid), the clipboard keys, then the character (which the editor may drop
// or replace); what is left is the field's own editing. A key never goes on
// to the grid's window behind the field. An Enter or Ctrl+Enter that the
// editor lets through breaks the line of a several-line field.
bool EditorField::KeyPress(QKeyEvent* e)
{
    e->accept();
    TCustomGrid* g = view_->grid;
    TInplaceEdit* ed = g ? g->InplaceEditor() : nullptr;
    if (!ed) return true;
    TShiftState s = ShiftOf(e->modifiers());
    int vk = VirtualKeyFromQtKey(e->key(), e->modifiers() & Qt::KeypadModifier);
    SyncToEditor(ed);
    QPointer<QWidget> self(Widget());
    if (vk) {
        ed->KeyDown(vk, s);
        if (!self || vk == 0) return false;
    }
    if (vk == VK_TAB && !s.Contains(ssCtrl) && !s.Contains(ssAlt)) {
        // A Tab the editor did not take belongs to the window, as it does
        // when no cell is edited: the focus moves on (the field's focus
        // loss ends the edit).
        // Going back, the focus chain's step before the field is its own
        // grid: the control before the grid takes the focus straight away,
        // so the edit ends as it does going forward.
        GridWidget* grid = view_->widget;
        if (!grid) return false;
        if (!s.Contains(ssShift)) {
            grid->MoveFocusOn(true);
            return false;
        }
        for (QWidget* w = grid->previousInFocusChain(); w && w != grid; w = w->previousInFocusChain()) {
            if (w->window() == grid->window() && !grid->isAncestorOf(w) && w->isVisibleTo(w->window()) &&
                w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) {
                w->setFocus(Qt::BacktabFocusReason);
                return false;
            }
        }
        return false;
    }
    if (e->matches(QKeySequence::Paste)) {
        ed->PasteFromClipboard();
        return false;
    }
    if (e->matches(QKeySequence::Copy)) {
        ed->CopyToClipboard();
        return false;
    }
    if (e->matches(QKeySequence::Cut)) {
        ed->CutToClipboard();
        return false;
    }
    std::u16string text(reinterpret_cast<const char16_t*>(e->text().utf16()), size_t(e->text().size()));
    const TKeyChar typed = KeyPressChar(vk, s, text);
    TKeyChar ch = typed;
    if (ch) {
        ed->KeyPress(ch);
        if (!self || ch == 0) return false;
        if (ch == '\r' || ch == '\n') {
            // The line break of the class library's several-line edit; a
            // one-line field takes none.
            if (IsMultiLine() && Widget()->isVisible()) {
                SyncToEditor(ed);
                ed->ReplaceSelection("\r\n");
            }
            return false;
        }
        if (ch != typed) {
            // The editor typed another character in its place.
            SyncToEditor(ed);
            ed->ReplaceSelection(QString(QChar(ch)).toStdString());
            return false;
        }
    }
    if (!Widget()->isVisible()) return false;
    return true;
}

void EditorField::AfterKey(const QPointer<QWidget>& self)
{
    if (self && view_->grid && view_->grid->InplaceEditor()) SyncToEditor(view_->grid->InplaceEditor());
}

bool EditorField::KeyRelease(QKeyEvent* e)
{
    e->accept();
    TCustomGrid* g = view_->grid;
    if (g && g->InplaceEditor()) {
        int vk = VirtualKeyFromQtKey(e->key(), e->modifiers() & Qt::KeypadModifier);
        SyncToEditor(g->InplaceEditor());
        g->InplaceEditor()->KeyUp(vk, ShiftOf(e->modifiers()));
        if (vk == 0) return false;
    }
    return true;
}

GridWidget::GridWidget(QWidget* parent, TGridView::Impl* v) : QAbstractScrollArea(parent), view(v)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameShape(QFrame::StyledPanel);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, [this](int v) {
        FromQt([&] {
            if (!settingBars && view->grid) view->grid->HandleVertScroll(v);
        });
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, [this](int v) {
        FromQt([&] {
            if (!settingBars && view->grid) view->grid->HandleHorzScroll(v);
        });
    });
    // A dragged thumb moves the bar's position when it is released; the
    // grid hears of it while it moves.
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
        const bool vertical = bar == verticalScrollBar();
        bar->setTracking(false);
        bar->installEventFilter(this);
        connect(bar, &QScrollBar::sliderMoved, [this, vertical](int v) {
            FromQt([&] {
                if (!settingBars && view->grid) view->grid->HandleThumbTrack(vertical, v);
            });
        });
        connect(bar, &QScrollBar::sliderReleased, [this, vertical] {
            FromQt([&] {
                if (view->grid) view->grid->HandleThumbRelease(vertical);
            });
        });
    }
}

void GridWidget::paintEvent(QPaintEvent* e)
{
    if (!view->grid) return;
    QPainter p(viewport());
    TCanvas canvas(&p);
    view->grid->PaintOn(canvas, FromQRect(e->rect()));
}

void GridWidget::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    if (view->grid) view->grid->HandleResize();
}

void GridWidget::keyPressEvent(QKeyEvent* e)
{
    TCustomGrid* g = view->grid;
    if (!g) return;
    TShiftState s = ShiftOf(e->modifiers());
    int vk = VirtualKeyFromQtKey(e->key(), e->modifiers() & Qt::KeypadModifier);
    QPointer<GridWidget> self(this);
    if (vk) {
        g->HandleKeyDown(vk, s);
        if (!self) return;
        if (vk == 0) return;
    }
    std::u16string text(reinterpret_cast<const char16_t*>(e->text().utf16()), size_t(e->text().size()));
    TKeyChar ch = KeyPressChar(vk, s, text);
    if (ch) g->HandleKeyPress(ch);
    e->accept();
}

void GridWidget::keyReleaseEvent(QKeyEvent* e)
{
    if (!view->grid) return;
    int vk = VirtualKeyFromQtKey(e->key(), e->modifiers() & Qt::KeypadModifier);
    if (vk) view->grid->HandleKeyUp(vk, ShiftOf(e->modifiers()));
}

void GridWidget::mousePressEvent(QMouseEvent* e)
{
    CancelApplicationHint();
    if (!view->grid) return;
    QPoint p = e->position().toPoint();  // viewport coordinates
    view->grid->HandleMouseDown(ButtonOf(e->button()), ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y());
}

void GridWidget::mouseMoveEvent(QMouseEvent* e)
{
    if (!view->grid) return;
    QPoint p = e->position().toPoint();
    view->grid->HandleMouseMove(ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y());
}

void GridWidget::mouseReleaseEvent(QMouseEvent* e)
{
    if (!view->grid) return;
    QPoint p = e->position().toPoint();
    view->grid->HandleMouseUp(ButtonOf(e->button()), ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y());
}

void GridWidget::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (!view->grid) return;
    QPoint p = e->position().toPoint();
    view->grid->HandleDblClick(ButtonOf(e->button()), ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y());
}

void GridWidget::wheelEvent(QWheelEvent* e)
{
    if (!view->grid) return;
    QPoint p = e->position().toPoint();
    int delta = e->angleDelta().y();
    if (delta == 0) delta = e->angleDelta().x();
    if (view->grid->HandleMouseWheel(ShiftOf(e->modifiers(), e->buttons()), delta, {p.x(), p.y()}))
        e->accept();
    else
        e->ignore();
}

// The grid and its editor field are one control for the window: the focus
// moving between them neither enters nor leaves the grid.
void GridWidget::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    if (view->focusFromEditor) {
        view->focusFromEditor = false;
        return;
    }
    if (view->grid) view->grid->HandleEnter();
}

void GridWidget::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    if (view->editor && QApplication::focusWidget() == view->editor->Widget()) {
        view->focusFromGrid = true;
        return;
    }
    if (view->grid) view->grid->HandleExit();
}

void GridWidget::timerEvent(QTimerEvent* e)
{
    auto it = gridIdByTimer.find(e->timerId());
    if (it == gridIdByTimer.end() || !view->grid) {
        QAbstractScrollArea::timerEvent(e);
        return;
    }
    TMessage m;
    m.Msg = WM_TIMER;
    m.WParam = it->second;
    view->grid->Perform(m);
}

// Every event of the grid's window and of its cell area runs the grid's
// code inside FromQt: its exceptions go to the application's handler.
bool GridWidget::eventFilter(QObject* o, QEvent* e)
{
    // The pointer of a drag on a bar: the scroll hint stands beside it.
    if ((e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseMove) &&
        (o == verticalScrollBar() || o == horizontalScrollBar())) {
        barPointer = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
        barPointerValid = true;
    }
    return QAbstractScrollArea::eventFilter(o, e);
}

bool GridWidget::event(QEvent* e)
{
    bool r = true;
    FromQt([&] {
        if (e->type() == kGridMessageEvent) {
            if (view->grid) view->grid->Perform(static_cast<GridMessageEvent*>(e)->msg);
            return;
        }
        r = QAbstractScrollArea::event(e);
    });
    return r;
}

bool GridWidget::viewportEvent(QEvent* e)
{
    bool r = false;
    FromQt([&] {
        switch (e->type()) {
        case QEvent::Resize:
            // The strip below follows the cell area.
            view->PlaceStrip();
            break;
        case QEvent::Leave:
            CancelApplicationHint();
            if (view->grid) view->grid->HandleMouseLeave();
            break;
        case QEvent::ToolTip:
            // The hint of the cell area: the grid decides text and place.
            if (view->grid) {
                auto* he = static_cast<QHelpEvent*>(e);
                THintInfo info;
                info.CursorPos = {he->pos().x(), he->pos().y()};
                info.HintPos = {he->globalPos().x(), he->globalPos().y() + 20};
                std::string text;
                view->grid->HandleHintShow(info, text);
                ShowApplicationHint(info, text);
            }
            r = true;
            return;
        default: break;
        }
        r = QAbstractScrollArea::viewportEvent(e);
    });
    return r;
}

bool GridWidget::focusNextPrevChild(bool next)
{
    // A grid with tabs keeps Tab for its own navigation.
    if (view->grid && view->grid->Options().Contains(goTabs)) return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

}  // namespace

GridWidget::~GridWidget()
{
    view->strip = nullptr;
    view->widget = nullptr;
    view->editor = nullptr;
    view->grid = nullptr;
    delete view;
}

// --- TGridView ----------------------------------------------------------------------------

void TGridView::Init(TCustomGrid* grid, QWidget* parent)
{
    className_ = grid ? grid->ClassName() : std::string("TGridView");
    host_ = new Impl;
    host_->grid = grid;
    auto* w = new GridWidget(parent, host_);
    host_->widget = w;
    w->resize(300, 150);
    AttachWidget(w);
    tabStop_ = true;
    grid->SetHost(host_);
    grid->WindowCreated();
}

TGridView::TGridView(TCustomGrid* grid, QWidget* parent) : TWinControl(nullptr, nullptr) { Init(grid, parent); }

TGridView::TGridView(TCustomGrid* grid, TWinControl* parent) : TWinControl(parent, nullptr) { Init(grid, nullptr); }

TGridView::TGridView(TCustomGrid* grid, TWinControl* parent, bool ownsGrid)
    : TWinControl(parent, nullptr), ownsGrid_(ownsGrid)
{
    Init(grid, nullptr);
}

TGridView::~TGridView()
{
    TCustomGrid* g = host_->grid;
    if (g) {
        if (g->view_ == this) g->view_ = nullptr;
        g->SetHost(nullptr);
        host_->grid = nullptr;
        // A window that owns its grid destroys it (a parent going takes its
        // grids along).
        if (ownsGrid_) delete g;
    }
    if (host_->editor) host_->editor->Widget()->hide();
    // The children, then the widget (which deletes the window side), go
    // with the base classes.
}

void TGridView::ReleaseGrid()
{
    if (host_->grid) host_->grid->SetHost(nullptr);
    host_->grid = nullptr;
    ownsGrid_ = false;
    if (host_->editor) host_->editor->Widget()->hide();
}

TCustomGrid* TGridView::Grid() const { return host_->grid; }

void TGridView::SetBounds(int left, int top, int width, int height)
{
    TWinControl::SetBounds(left, top, std::max(0, width), std::max(0, height));
    host_->Relayout();
}

QWidget* TGridView::ClientWidget() const { return host_->widget ? host_->widget->viewport() : widget_; }
QWidget* TGridView::Viewport() const { return host_->widget->viewport(); }

QWidget* TGridView::BottomStrip() const
{
    return host_->strip && host_->stripHeight > 0 ? host_->strip : nullptr;
}

TRect TGridView::BottomStripBounds() const
{
    const QWidget* s = BottomStrip();
    if (!s) return {0, 0, 0, 0};
    const QRect g = s->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

TRect TGridView::CellAreaBounds() const
{
    const QRect g = host_->widget->viewport()->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}
QWidget* TGridView::EditorWidget() const { return host_->editor ? host_->editor->Widget() : nullptr; }

bool TGridView::EditorWindowShown() const { return host_->editor && host_->editor->Widget()->isVisible(); }
