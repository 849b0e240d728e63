#pragma once
// The class library's string grid as a windowless core.
//
// TCustomGrid holds everything a grid is without a window: counts, fixed
// rows and columns, column widths and row heights, the current cell and the
// selection (with its anchor), the scroll position (top row, left column),
// options, the keyboard navigation, mouse selection, column / row sizing and
// moving, and the in-place editor protocol. The window side is a host
// (IGridHost) that the Qt viewport (GridView.h) implements; without a host
// the grid answers geometry from ClientWidth/ClientHeight set by the caller,
// queues posted messages (DeliverPostedMessages) and keeps timers by id as
// records, so the data side runs and is tested with no widget.
//
// TStringGrid adds the cell store: a text and an object per cell, sparse by
// row. Reads never allocate; negative indices read empty and writes to them
// are ignored; cells beyond the column count are kept (hidden columns live
// there), rows beyond a lowered row count are dropped.
//
// Geometry: every column takes ColWidths(c) + GridLineWidth pixels, the line
// to the right of the cell; CellRect covers ColWidths(c) x RowHeights(r) and
// is exclusive on the right and bottom. Fixed columns and rows are always at
// the left and top; scrollable columns start at LeftCol, rows at TopRow.
//
// Virtual hooks (override as in the class library; call the inherited one
// for the standard behaviour): DrawCell, SelectCell, TopLeftChanged,
// SizeChanged, ColWidthsChanged, RowHeightsChanged, ColumnMoved, RowMoved,
// KeyDown, KeyUp, KeyPress, DoMouseWheel / DoMouseWheelDown / DoMouseWheelUp,
// MouseDown / MouseMove / MouseUp / DblClick / Click, GetEditText /
// SetEditText / GetEditMask / GetEditLimit / CanEditShow / CreateEditor,
// CreateWnd, Loaded (TComponent), Paint, WndProc (posted messages, timers),
// DoEnter / DoExit.

#include "platform/ClassBase.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Input.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking,
    goFixedColClick,
    goFixedRowClick,
    goFixedHotTrack
};
using TGridOptions = TSet<TGridOption>;

// gdSelected 1, gdFocused 2, gdFixed 4, gdRowSelected 8, gdHotTrack 16,
// gdPressed 32 as bit values.
enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed, gdRowSelected, gdHotTrack, gdPressed };
using TGridDrawState = TSet<TGridDrawStateItem>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
    int X = 0;
    int Y = 0;
    constexpr bool operator==(const TGridCoord&) const = default;
};

// A block of cells, both corners inclusive.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr bool operator==(const TGridRect&) const = default;
};

class TCustomGrid;
class TWinControl;
class TGridView;
struct THintInfo;

// A mouse button message of a grid's window: the keys and buttons held
// (ssShift, ssCtrl, ssAlt, ssLeft ...), the point in client pixels and the
// answer.
struct TWMMouse {
    TShiftState Keys;
    int XPos = 0;
    int YPos = 0;
    std::intptr_t Result = 0;
};

// Scroll-bar metrics the host shows: positions run Min..Max, Page is the
// number of visible units (the scrollable columns or rows on screen).
struct TGridScrollInfo {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    bool Visible = false;
    // False: shown but greyed (a bar kept visible whose content fits).
    bool Enabled = true;
};

// What a strip along the bottom of a grid's window (below the cell area)
// draws and does; coordinates are the strip's own, (0, 0) at its top-left
// corner.
struct TGridStrip {
    std::function<void(TCanvas& Canvas, int Width, int Height)> OnPaint;
    std::function<void(TMouseButton Button, int X, int Y)> OnMouseUp;
    std::function<void(int X, int Y)> OnMouseMove;
    std::function<void()> OnMouseLeave;
    // The hint for (X, Y); empty for none.
    std::function<std::string(int X, int Y)> OnHint;
};

// The window side of a grid.
class IGridHost {
public:
    virtual ~IGridHost() = default;
    virtual bool HasWindow() const = 0;
    virtual bool IsVisible() const = 0;
    virtual bool IsFocused() const = 0;
    virtual void SetFocus() = 0;
    // Size of the cell area in pixels.
    virtual TSize ClientSize() const = 0;
    // Marks a rectangle (nullptr: everything) for repainting.
    virtual void Invalidate(const TRect* r) = 0;
    // Repaints what is marked, now.
    virtual void Update() = 0;
    virtual void SetRedraw(bool on) = 0;
    virtual void UpdateScrollBars(const TGridScrollInfo& horz, const TGridScrollInfo& vert) = 0;
    // Posts a message that reaches the grid's WndProc from the event loop.
    virtual void PostMessage(const TMessage& m) = 0;
    virtual void SetTimer(int id, int ms) = 0;
    virtual void KillTimer(int id) = 0;
    virtual void SetCursor(TCursor c) = 0;
    // The in-place editor's window: show it at r (client coordinates) with
    // the editor's text, hide it, give it the focus.
    virtual void ShowEditorWindow(const TRect& r) = 0;
    virtual void HideEditorWindow() = 0;
    virtual void FocusEditorWindow() = 0;
    virtual void EditorTextChanged() = 0;
    // The grid is being destroyed: the host must not call it any more.
    virtual void GridDestroyed() {}
    // A screen point in the cell area's client coordinates (a host without
    // a window on screen answers the point unchanged).
    virtual TPoint ScreenToClient(const TPoint& p) const { return p; }
    virtual TPoint ClientToScreen(const TPoint& p) const { return p; }
    // The mouse pointer in the cell area's client coordinates.
    virtual TPoint CursorPos() const { return {-1, -1}; }
    // While on, all mouse input goes to the grid's window, wherever the
    // pointer is.
    virtual void SetMouseCapture(bool /*on*/) {}
    // The mouse pointer on the screen; while a scroll bar's thumb is
    // dragged, where the drag's last mouse event put it.
    virtual TPoint ScreenCursorPos() const { return ClientToScreen(CursorPos()); }
    // Resizes the window so that its cell area is w x h pixels (a host
    // whose size others decide ignores it).
    virtual void SetClientSize(int /*w*/, int /*h*/) {}
    // Whether the editor's window has the keyboard focus.
    virtual bool EditorFocused() const { return false; }
    // The character index of the editor's text at a point of the cell area
    // (-1 when the point is not on the editor).
    virtual int EditorCharAt(int /*x*/, int /*y*/) const { return -1; }
    // Shows a balloon with a title and a text at the editor (or, when
    // atCell, under the current cell); Icon 0 none, 1 info, 2 warning,
    // 3 error.
    virtual void ShowBalloon(const std::string& /*title*/, const std::string& /*text*/, int /*icon*/) {}
    // Gives the focus to the next (previous) control of the window, as Tab
    // on a control that does not take Tab does.
    virtual void FocusNextControl(bool /*forward*/) {}
    // Shows Strip along the bottom of the window, Height pixels high, the
    // cell area giving it room (the grid hears of its smaller size); a
    // height of 0 takes it away. A null Strip takes it away without telling
    // the grid (for a grid that is going). The caller keeps Strip alive
    // while it is shown.
    virtual void SetBottomStrip(int /*Height*/, TGridStrip* /*Strip*/) {}
    // Repaints the strip.
    virtual void InvalidateBottomStrip() {}
};

// The grid's in-place text editor (the class library's in-place edit). The
// grid creates it through CreateEditor and shows it over the current cell;
// the host shows a text field for it. Override its hooks to filter keys.
class TInplaceEdit : public TComponent {
public:
    explicit TInplaceEdit(TCustomGrid* grid);
    std::string ClassName() const override { return "TInplaceEdit"; }
    TCustomGrid* Grid() const { return grid_; }

    const std::string& Text() const { return text_; }
    // Sets the text (the host's field follows); Change runs.
    void SetText(const std::string& t);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n) { maxLength_ = n; }
    const std::string& EditMask() const { return editMask_; }
    void SetEditMask(const std::string& m) { editMask_ = m; }
    bool Visible() const { return visible_; }
    const TRect& BoundsRect() const { return bounds_; }
    // Selection of the field (character positions), kept for callers.
    int SelStart = 0;
    int SelLength = 0;

    // Key steps of the field; the defaults hand navigation keys to the grid
    // (Up, Down, PageUp, PageDown, Tab, Enter, Escape, and Left/Right at the
    // ends of the text) and keep the rest.
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyPress(TKeyChar& Key);
    virtual void KeyUp(int& Key, TShiftState Shift);
    // After the text changed (by the user or SetText).
    virtual void Change();
    // Called by the host when the user edited the field.
    void TextEdited(const std::string& t);
    // Caret position in characters, reported by the host.
    int CaretPos = 0;
    // Selects Length characters from Start (caret after them); the field
    // follows.
    void Select(int Start, int Length);
    std::string SelText() const;
    // Replaces the selection (or inserts at the caret) as typing does; the
    // caret goes after the inserted text; Change runs.
    void ReplaceSelection(const std::string& s);
    bool Focused() const;
    // The field got / lost the keyboard focus (ToGrid: to the grid's own
    // window).
    virtual void FocusGained() {}
    virtual void FocusLost(bool /*ToGrid*/) {}
    // True when the editor keeps its whole text selected when it opens on a
    // cell (F2, a click on the current cell): the first key typed replaces
    // the text. False: the caret goes to the end of the text.
    virtual bool SelectsAllWhenShown() const { return false; }
    // The field's clipboard keys (Ctrl+C / Ctrl+Insert, Ctrl+X /
    // Shift+Delete, Ctrl+V / Shift+Insert): plain text by default.
    virtual void CopyToClipboard();
    virtual void CutToClipboard();
    virtual void PasteFromClipboard();
    // A double click on the field.
    virtual void DblClick() {}

    // The field holds several lines: Enter or Ctrl+Enter that the editor's
    // steps let through insert a line break (CR LF in the text), and the
    // lines wrap at the field's width with WrapLines. One line otherwise.
    virtual bool MultiLine() const { return false; }
    bool WrapLines = false;
    // The field's looks: background (clNone: the field's own), font and
    // horizontal alignment, as UpdateContents sets them for the cell.
    TColor Color = clNone;
    TFont Font;
    TAlignment Alignment = TAlignment::taLeftJustify;
    // The line (from 0, counting line breaks) of character index Pos.
    int LineOf(int Pos) const;

protected:
    friend class TCustomGrid;
    // Loads text, mask and limit from the grid (before showing).
    virtual void UpdateContents();
    virtual void BoundsChanged() {}
    TCustomGrid* grid_;
    std::string text_;
    std::string editMask_;
    int maxLength_ = 0;
    bool visible_ = false;
    TRect bounds_;
    bool loading_ = false;
};

class TCustomGrid : public TComponent {
public:
    explicit TCustomGrid(TComponent* AOwner = nullptr);
    ~TCustomGrid() override;
    std::string ClassName() const override { return "TCustomGrid"; }

    // --- the grid as a control of a window
    // Places the grid on a form or panel like any control: it gets a window
    // of its own (its view, GridView.h), which the parent shows, lays out,
    // tab-orders and focuses with its other controls. From then on the
    // parent's destruction destroys the grid (and destroying the grid takes
    // its window off the parent). nullptr takes the window away again. A
    // grid whose window was made by a TGridView of its own caller cannot be
    // given a parent (EInvalidGridOperation).
    void SetParent(TWinControl* AParent);
    TWinControl* Parent() const;
    // The window the grid owns (nullptr without a parent).
    TGridView* View() const { return view_; }
    // Position and outer size in the parent's client area (without a
    // window: the size becomes the client size, the position is kept).
    int Left() const;
    int Top() const;
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    bool Visible() const;
    void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const;
    void SetEnabled(bool v);
    bool CanFocus() const;
    void SetFocus();
    int TabOrder() const;
    void SetTabOrder(int v);
    bool TabStop() const;
    void SetTabStop(bool v);

    // --- host
    void SetHost(IGridHost* host);
    IGridHost* Host() const { return host_; }
    bool HandleAllocated() const { return host_ && host_->HasWindow(); }
    bool Focused() const { return host_ ? host_->IsFocused() : focused_; }
    // Without a host: the focus flag and the client size used for geometry.
    void SetFocusedFlag(bool f) { focused_ = f; }
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientSize(int w, int h);
    // The canvas of the paint under way; outside painting a measuring
    // canvas with the grid's font (drawing on it shows nowhere).
    TCanvas* Canvas() const;

    // --- counts and sizes
    // Counts below 1 become 1; above 10,000,000 raise EInvalidGridOperation
    // ("Grid too large for operation") and change nothing.
    int ColCount() const { return colCount_; }
    void SetColCount(int v);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int v);
    int FixedCols() const { return fixedCols_; }
    // Raises EInvalidGridOperation unless v < ColCount.
    void SetFixedCols(int v);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int v);
    int DefaultColWidth() const { return defaultColWidth_; }
    // Resets every column width.
    void SetDefaultColWidth(int v);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int v);
    // Out of range: the default size.
    int ColWidths(int c) const;
    // Raises EInvalidGridOperation for an index outside 0..ColCount-1.
    void SetColWidths(int c, int w);
    int RowHeights(int r) const;
    void SetRowHeights(int r, int h);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int w);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions o);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor c);
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    TFont& Font() { return font_; }
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool d) { defaultDrawing_ = d; }
    bool TabStops(int c) const;
    void SetTabStops(int c, bool on);

    // --- current cell, selection, scrolling
    int Col() const { return current_.X; }
    void SetCol(int c);
    int Row() const { return current_.Y; }
    void SetRow(int r);
    // Moves the current cell (asks SelectCell); MoveAnchor collapses the
    // selection to it. Raises EInvalidGridOperation outside the grid.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    TGridRect Selection() const;
    // Anchor := top-left, current cell := bottom-right.
    void SetSelection(const TGridRect& r);
    // Puts anchor and current cell at (ColCount, RowCount), just outside the
    // cells, so that no cell shows as selected; any later move of the
    // current cell or SetSelection brings it back.
    void SetSelectionOutside();
    TGridCoord Anchor() const { return anchor_; }
    int TopRow() const { return topLeft_.Y; }
    void SetTopRow(int r);
    int LeftCol() const { return topLeft_.X; }
    void SetLeftCol(int c);
    // Scrollable columns / rows entirely visible (at least 1 when any).
    int VisibleColCount() const;
    int VisibleRowCount() const;
    // Makes the cell visible by scrolling as little as possible.
    void ScrollInView(int ACol, int ARow);
    // Keeps the horizontal / vertical scroll bar shown (greyed while its
    // content fits) until cleared.
    void SetScrollBarsKept(bool horz, bool vert);
    bool HorzScrollBarKept() const { return keepHorzBar_; }
    // The bars the grid may show (ssBoth): a bar left out never shows, the
    // view still scrolls by keys, wheel and code.
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle s);
    bool VertScrollBarKept() const { return keepVertBar_; }
    // Cell rectangle in client coordinates; empty when not on screen.
    TRect CellRect(int ACol, int ARow) const;
    // Rectangle covering a block of visible cells.
    TRect BoxRect(int ALeft, int ATop, int ARight, int ABottom) const;
    // Cell under a client point; -1, -1 off the cells.
    TGridCoord MouseCoord(int X, int Y) const;
    // A screen point in client coordinates (unchanged without a host).
    TPoint ScreenToClient(const TPoint& p) const { return host_ ? host_->ScreenToClient(p) : p; }
    TPoint ClientToScreen(const TPoint& p) const { return host_ ? host_->ClientToScreen(p) : p; }
    // The mouse pointer in client coordinates ((-1, -1) without a window).
    TPoint CursorClientPos() const { return host_ ? host_->CursorPos() : TPoint{-1, -1}; }
    // The mouse pointer on the screen (during a thumb drag: the drag's).
    TPoint CursorScreenPos() const { return host_ ? host_->ScreenCursorPos() : TPoint{-1, -1}; }
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    // Widths of the fixed columns / heights of the fixed rows with lines.
    int FixedWidth() const;
    int FixedHeight() const;
    TGridState GridState() const { return state_; }

    // --- editing
    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool on);
    TInplaceEdit* InplaceEditor() const { return editor_; }
    void ShowEditor();
    void HideEditor();
    // Shows the editor with its text replaced by ch (typing into a cell).
    void ShowEditorChar(TKeyChar ch);
    void InvalidateEditor();
    // Writes the editor's text into the cell through SetEditText.
    void UpdateText();

    // --- rows and columns
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    virtual void DeleteColumn(int ACol);
    virtual void DeleteRow(int ARow);

    // --- painting
    void Invalidate();
    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
    void InvalidateRect(const TRect& r);
    void Repaint();
    // Paints the visible cells (the host calls it with its canvas).
    void PaintOn(TCanvas& canvas, const TRect& dirty);
    // Redraw lock (WM_SETREDRAW).
    void SetRedraw(bool on);

    // --- input from the host (the class library's sequence)
    // Keys as the window receives them (key-down, character and key-up
    // messages); they reach KeyDown, KeyPress and KeyUp through the
    // message steps below.
    void HandleKeyDown(int& Key, TShiftState Shift);
    void HandleKeyPress(TKeyChar& Key) { CharMessage(Key); }
    void HandleKeyUp(int& Key, TShiftState Shift) { KeyUpMessage(Key, Shift); }
    // Mouse buttons arrive as the window's button messages (WMLButtonDown
    // ... below), which end in MouseDown / MouseUp; s holds the keys and
    // buttons held with the message.
    void HandleMouseDown(TMouseButton b, TShiftState s, int x, int y);
    void HandleMouseMove(TShiftState s, int x, int y);
    void HandleMouseUp(TMouseButton b, TShiftState s, int x, int y);
    // The second press of a double click (the double-click message).
    void HandleDblClick(TMouseButton b, TShiftState s, int x, int y);
    // The pointer left the window.
    void HandleMouseLeave() { CMMouseLeave(); }
    // The window is about to show the hint for the point Info.CursorPos:
    // the grid may fill HintStr and the hint information (CM_HINTSHOW).
    void HandleHintShow(THintInfo& Info, std::string& HintStr)
    {
        if (!hintsSuppressed_) CMHintShow(Info, HintStr);
    }
    // While set, the window asks for no hints (HintStr stays empty).
    void SetHintsSuppressed(bool on) { hintsSuppressed_ = on; }
    bool HintsSuppressed() const { return hintsSuppressed_; }
    // Wheel: delta in the platform's units (120 a notch); true when used.
    bool HandleMouseWheel(TShiftState s, int delta, TPoint pos) { return DoMouseWheel(s, delta, pos); }
    void HandleEnter() { DoEnter(); }
    void HandleExit() { DoExit(); }
    // Scroll-bar positions set by the user.
    void HandleHorzScroll(int pos);
    void HandleVertScroll(int pos);
    // A scroll bar's thumb dragged by the user: it points at Pos (the top
    // row or left column) while it moves; then it is released, and the
    // bar's position moves the view (HandleVertScroll / HandleHorzScroll).
    void HandleThumbTrack(bool Vertical, int Pos) { ThumbTracked(Vertical, Pos); }
    void HandleThumbRelease(bool Vertical) { ThumbReleased(Vertical); }
    void HandleResize();
    // Called after every change of the cell area's size.
    virtual void Resize() {}
    void WindowCreated() { CreateWnd(); }

    // --- messages and timers
    // Posts a message: through the host, or queued until
    // DeliverPostedMessages when there is none.
    void PostMessage(unsigned msg, std::intptr_t w, std::intptr_t l);
    int DeliverPostedMessages();
    void SetTimer(int id, int ms);
    void KillTimer(int id);
    bool TimerRunning(int id) const;
    // Delivers a message now.
    void Perform(TMessage& m) { WndProc(m); }

    // --- events (class-library signatures)
    std::function<void(TObject*, int, int, const TRect&, TGridDrawState)> OnDrawCell;
    std::function<void(TObject*, int, int, bool&)> OnSelectCell;
    std::function<void(TObject*)> OnTopLeftChanged;
    std::function<void(TObject*, int&, TShiftState)> OnKeyDown;
    std::function<void(TObject*, int&, TShiftState)> OnKeyUp;
    std::function<void(TObject*, TKeyChar&)> OnKeyPress;
    std::function<void(TObject*, TMouseButton, TShiftState, int, int)> OnMouseDown;
    std::function<void(TObject*, TShiftState, int, int)> OnMouseMove;
    std::function<void(TObject*, TMouseButton, TShiftState, int, int)> OnMouseUp;
    std::function<void(TObject*)> OnClick;
    std::function<void(TObject*)> OnDblClick;
    std::function<void(TObject*, TShiftState, TPoint, bool&)> OnMouseWheelDown;
    std::function<void(TObject*, TShiftState, TPoint, bool&)> OnMouseWheelUp;
    std::function<void(TObject*, int, int, std::string&)> OnGetEditText;
    std::function<void(TObject*, int, int, const std::string&)> OnSetEditText;
    std::function<void(TObject*, int, int, std::string&)> OnGetEditMask;
    std::function<void(TObject*, int, int)> OnColumnMoved;
    std::function<void(TObject*, int, int)> OnRowMoved;
    std::function<void(TObject*)> OnEnter;
    std::function<void(TObject*)> OnExit;

    // Lines a notch of the wheel scrolls (the system setting).
    static int WheelScrollLines;

protected:
    friend class TInplaceEdit;
    // --- hooks
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    virtual bool SelectCell(int ACol, int ARow);
    virtual void TopLeftChanged();
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyUp(int& Key, TShiftState Shift);
    virtual void KeyPress(TKeyChar& Key);
    // The window's key messages: by default straight to the steps above.
    virtual void KeyDownMessage(int& Key, TShiftState Shift) { KeyDown(Key, Shift); }
    virtual void CharMessage(TKeyChar& Key) { KeyPress(Key); }
    virtual void KeyUpMessage(int& Key, TShiftState Shift) { KeyUp(Key, Shift); }
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Click();
    virtual void DblClick();
    virtual std::string GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const std::string& Value);
    virtual std::string GetEditMask(int ACol, int ARow);
    virtual int GetEditLimit();
    virtual bool CanEditShow();
    virtual bool CanEditModify() { return true; }
    virtual TInplaceEdit* CreateEditor();
    virtual void CreateWnd();
    virtual void Paint();
    virtual void WndProc(TMessage& Message);
    // The window's mouse messages; the defaults are the class library's:
    // a press calls MouseDown, a release MouseUp, a double click DblClick
    // and then MouseDown with ssDouble.
    virtual void WMLButtonDown(TWMMouse& Message);
    virtual void WMLButtonUp(TWMMouse& Message);
    virtual void WMLButtonDblClk(TWMMouse& Message);
    virtual void WMRButtonDown(TWMMouse& Message);
    virtual void WMRButtonUp(TWMMouse& Message);
    virtual void CMMouseLeave() {}
    virtual void CMHintShow(THintInfo& /*Info*/, std::string& /*HintStr*/) {}
    virtual void TimerEvent(int id);
    // The window procedure's first look at a button press, a pointer move or
    // a key down (WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN and
    // WM_MOUSEMOVE with the client point in LParam, WM_KEYDOWN with the key
    // in WParam), before the grid handles it.
    virtual void InputMessage(const TMessage& /*Message*/) {}
    // Drawn over the painted grid, last.
    virtual void PaintOverlay(TCanvas& /*Canvas*/) {}
    // The thumb steps above: the view follows a moving thumb only with
    // goThumbTracking.
    virtual void ThumbTracked(bool Vertical, int Pos);
    virtual void ThumbReleased(bool /*Vertical*/) {}
    virtual void DoEnter();
    virtual void DoExit();
    // After SetParent gave the grid another parent (or none).
    virtual void ParentChanged() {}
    // Called when the selection or current cell moved (repaints).
    virtual void SelectionMoved(const TGridRect& OldSel);
    // Standard navigation on a key (the last step of KeyDown).
    void StandardKeyNavigation(int& Key, TShiftState Shift);
    // Moves the current cell; with Show the view scrolls to it.
    void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    // Puts the current cell and the anchor at other places without asking
    // SelectCell or scrolling (a moved column takes them along); places
    // outside the grid change nothing.
    void PlaceCurrent(TGridCoord ACurrent, TGridCoord AAnchor);
    void MoveTopLeft(int ALeft, int ATop);
    // Sizing / moving by mouse: the state and the tracking line or drop
    // position, drawn by Paint.
    int SizingIndex() const { return sizingIndex_; }
    int SizingPos() const { return sizingPos_; }
    int MoveIndex() const { return moveIndex_; }
    int MovePos() const { return movePos_; }
    void SetGridState(TGridState s) { state_ = s; }
    void UpdateScrollRange();
    // The bars' values just before the window shows them: a grid may size
    // the thumbs its own way or take a bar away.
    virtual void AdjustScrollInfo(TGridScrollInfo& /*Horz*/, TGridScrollInfo& /*Vert*/) {}
    int MaxTopRow() const;
    int MaxLeftCol() const;

private:
    void CheckCounts();
    void ClampCurrent();
    int ColLeft(int c) const;  // client x of a visible column, -1 if not
    int RowTop(int r) const;
    bool SizingHit(int X, int Y, bool& isCol, int& index) const;
    void DrawTracking(TCanvas& canvas);

    friend class TGridView;
    IGridHost* host_ = nullptr;
    TGridView* view_ = nullptr;  // the window of SetParent, owned
    int left_ = 0, top_ = 0;
    bool visible_ = true, enabled_ = true, tabStop_ = true;
    int tabOrder_ = -1;
    bool focused_ = false;
    bool keepHorzBar_ = false, keepVertBar_ = false;
    TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
    bool hintsSuppressed_ = false;
    int clientW_ = 300, clientH_ = 150;
    TCanvas* canvas_ = nullptr;
    mutable std::unique_ptr<TBitmap> scratch_;
    int colCount_ = 5, rowCount_ = 5, fixedCols_ = 1, fixedRows_ = 1;
    int defaultColWidth_ = 64, defaultRowHeight_ = 24, gridLineWidth_ = 1;
    std::vector<int> colWidths_, rowHeights_;
    std::vector<bool> tabStops_;
    TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TColor fixedColor_ = clBtnFace, color_ = clWindow;
    TFont font_;
    bool defaultDrawing_ = true;
    TGridCoord current_{1, 1}, anchor_{1, 1}, topLeft_{1, 1};
    TGridState state_ = gsNormal;
    int sizingIndex_ = -1, sizingPos_ = 0, sizingOffset_ = 0;
    int moveIndex_ = -1, movePos_ = -1;
    bool editorMode_ = false;
    TInplaceEdit* editor_ = nullptr;
    bool inEditorUpdate_ = false;
    int redrawLock_ = 0;
    std::vector<TMessage> posted_;
    std::map<int, int> timers_;
    bool mouseSelecting_ = false;
};

// The string grid: TCustomGrid with a cell store.
class TStringGrid : public TCustomGrid {
public:
    explicit TStringGrid(TComponent* AOwner = nullptr);
    std::string ClassName() const override { return "TStringGrid"; }

    // Cells outside the counts are stored too; negative indices read "" and
    // writes to them are ignored. Writing repaints the cell.
    std::string Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const std::string& Value);
    // Objects are not owned by the grid.
    TObject* Objects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, TObject* Value);
    // A row / column as a list of texts (ColCount / RowCount entries).
    std::vector<std::string> Rows(int ARow) const;
    void SetRows(int ARow, const std::vector<std::string>& texts);
    std::vector<std::string> Cols(int ACol) const;
    void SetCols(int ACol, const std::vector<std::string>& texts);
    // Number of rows holding stored cells (for tests of sparseness).
    int StoredRowCount() const { return int(rows_.size()); }
    // Exchanges every stored cell (texts and objects, at any column) of two
    // rows; heights and the current cell stay. Negative indices: nothing.
    void ExchangeRowCells(int ARow1, int ARow2);

    void DeleteColumn(int ACol) override;
    void DeleteRow(int ARow) override;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    std::string GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;

private:
    struct Cell {
        std::string text;
        TObject* object = nullptr;
    };
    using RowData = std::map<int, Cell>;
    const Cell* Find(int c, int r) const;
    Cell* Slot(int c, int r);
    void Tidy(int c, int r);
    std::map<int, RowData> rows_;
};
