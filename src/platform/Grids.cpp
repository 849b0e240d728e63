#include "platform/Grids.h"

#include "platform/Clipbrd.h"
#include "platform/DrawText.h"
#include "platform/GridView.h"
#include "platform/SysUtils.h"
#include "platform/Themes.h"

#include <algorithm>
#include <exception>

namespace {
[[noreturn]] void IndexOutOfRange() { throw EInvalidGridOperation("Grid index out of range"); }

std::string CharToUtf8(TKeyChar ch)
{
    char32_t c = ch;
    std::string s;
    if (c < 0x80)
        s += char(c);
    else if (c < 0x800) {
        s += char(0xC0 | (c >> 6));
        s += char(0x80 | (c & 0x3F));
    } else {
        s += char(0xE0 | (c >> 12));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    }
    return s;
}
}  // namespace

int TCustomGrid::WheelScrollLines = 3;

// --- TInplaceEdit ------------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TCustomGrid* grid) : TComponent(grid), grid_(grid) {}

void TInplaceEdit::SetText(const std::string& t)
{
    if (t == text_) return;
    text_ = t;
    CaretPos = Utf8Length(text_);
    if (grid_ && grid_->Host() && visible_) grid_->Host()->EditorTextChanged();
    if (!loading_) Change();
}

void TInplaceEdit::TextEdited(const std::string& t)
{
    if (t == text_) return;
    text_ = t;
    Change();
}

void TInplaceEdit::Change() {}

namespace {
// Byte offset of the character index i of a UTF-8 text (clamped).
size_t Utf8Offset(const std::string& s, int i)
{
    size_t p = 0;
    for (int n = 0; n < i && p < s.size(); ++n) {
        ++p;
        while (p < s.size() && (static_cast<unsigned char>(s[p]) & 0xC0) == 0x80) ++p;
    }
    return p;
}
}  // namespace

void TInplaceEdit::Select(int Start, int Length)
{
    const int len = Utf8Length(text_);
    SelStart = std::clamp(Start, 0, len);
    SelLength = std::clamp(Length, 0, len - SelStart);
    CaretPos = SelStart + SelLength;
    if (grid_ && grid_->Host() && visible_) grid_->Host()->EditorTextChanged();
}

std::string TInplaceEdit::SelText() const
{
    if (SelLength <= 0) return {};
    const size_t a = Utf8Offset(text_, SelStart), b = Utf8Offset(text_, SelStart + SelLength);
    return text_.substr(a, b - a);
}

void TInplaceEdit::ReplaceSelection(const std::string& s)
{
    const int start = SelLength > 0 ? SelStart : CaretPos;
    const size_t a = Utf8Offset(text_, start), b = Utf8Offset(text_, start + std::max(0, SelLength));
    text_ = text_.substr(0, a) + s + text_.substr(b);
    SelStart = start + Utf8Length(s);
    SelLength = 0;
    CaretPos = SelStart;
    if (grid_ && grid_->Host() && visible_) grid_->Host()->EditorTextChanged();
    if (!loading_) Change();
}

int TInplaceEdit::LineOf(int Pos) const
{
    const size_t end = Utf8Offset(text_, Pos);
    int line = 0;
    for (size_t i = 0; i < end; ++i)
        if (text_[i] == '\r' || (text_[i] == '\n' && (i == 0 || text_[i - 1] != '\r'))) ++line;
    return line;
}

bool TInplaceEdit::Focused() const { return visible_ && grid_ && grid_->Host() && grid_->Host()->EditorFocused(); }

void TInplaceEdit::CopyToClipboard()
{
    if (SelLength > 0) SetClipboardText(SelText());
}

void TInplaceEdit::CutToClipboard()
{
    if (SelLength <= 0) return;
    SetClipboardText(SelText());
    ReplaceSelection({});
}

void TInplaceEdit::PasteFromClipboard()
{
    if (ClipboardHasText()) ReplaceSelection(ClipboardText());
}

void TInplaceEdit::UpdateContents()
{
    loading_ = true;
    editMask_ = grid_->GetEditMask(grid_->Col(), grid_->Row());
    maxLength_ = grid_->GetEditLimit();
    SetText(grid_->GetEditText(grid_->Col(), grid_->Row()));
    loading_ = false;
    Font.Assign(grid_->Font());
}

void TInplaceEdit::KeyDown(int& Key, TShiftState Shift)
{
    int len = Utf8Length(text_);
    bool toGrid = false;
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: toGrid = true; break;
    case VK_TAB: toGrid = grid_->Options().Contains(goTabs) && !Shift.Contains(ssAlt); break;
    case VK_LEFT: toGrid = CaretPos == 0 && SelLength == 0; break;
    case VK_RIGHT: toGrid = CaretPos >= len && SelLength == 0; break;
    case VK_HOME:
    case VK_END: toGrid = Shift.Contains(ssCtrl); break;
    default: break;
    }
    if (toGrid) {
        grid_->KeyDown(Key, Shift);
        Key = 0;
    }
}

void TInplaceEdit::KeyPress(TKeyChar& Key)
{
    if (Key == u'\r') {
        grid_->KeyPress(Key);
        Key = 0;
    } else if (Key == 27) {
        // Escape: take the cell's text back and close without storing.
        loading_ = true;
        SetText(grid_->GetEditText(grid_->Col(), grid_->Row()));
        loading_ = false;
        if (!grid_->Options().Contains(goAlwaysShowEditor)) {
            visible_ = false;
            grid_->editorMode_ = false;
            if (grid_->Host()) {
                grid_->Host()->HideEditorWindow();
                grid_->Host()->SetFocus();
            }
            grid_->InvalidateCell(grid_->Col(), grid_->Row());
        }
        Key = 0;
    } else if (Key == u'\t') {
        Key = 0;
    } else if (Key >= 32 && maxLength_ > 0 && Utf8Length(text_) >= maxLength_ && SelLength == 0) {
        Beep();
        Key = 0;
    }
}

void TInplaceEdit::KeyUp(int&, TShiftState) {}

// --- TCustomGrid --------------------------------------------------------------------

TCustomGrid::TCustomGrid(TComponent* AOwner) : TComponent(AOwner)
{
    colWidths_.assign(size_t(colCount_), defaultColWidth_);
    rowHeights_.assign(size_t(rowCount_), defaultRowHeight_);
    tabStops_.assign(size_t(colCount_), true);
    font_.OnChange = [this] { Invalidate(); };
}

TCustomGrid::~TCustomGrid()
{
    SetComponentStateFlag(csDestroying, true);
    if (host_) {
        host_->HideEditorWindow();
        host_->GridDestroyed();
        host_ = nullptr;
    }
    // The grid's own window goes with it (and leaves its parent).
    if (TGridView* v = view_) {
        view_ = nullptr;
        v->ReleaseGrid();
        delete v;
    }
}

// --- the grid as a control of a window

void TCustomGrid::SetParent(TWinControl* AParent)
{
    if (AParent == Parent()) return;
    if (host_ && !view_) throw EInvalidGridOperation("Grid already has a window");
    if (editorMode_) HideEditor();
    int w = ClientWidth(), h = ClientHeight();
    if (TGridView* v = view_) {
        left_ = v->Left();
        top_ = v->Top();
        visible_ = v->Visible();
        enabled_ = v->Enabled();
        tabOrder_ = v->TabOrder();
        view_ = nullptr;
        v->ReleaseGrid();
        delete v;
        clientW_ = w;
        clientH_ = h;
    }
    if (AParent) {
        view_ = new TGridView(this, AParent, true);
        host_->SetClientSize(w, h);
        view_->SetBounds(left_, top_, view_->Width(), view_->Height());
        if (!visible_) view_->SetVisible(false);
        if (!enabled_) view_->SetEnabled(false);
        view_->SetTabStop(tabStop_);
        if (tabOrder_ >= 0) view_->SetTabOrder(tabOrder_);
        HandleResize();
    }
    ParentChanged();
}

TWinControl* TCustomGrid::Parent() const { return view_ ? view_->Parent() : nullptr; }
int TCustomGrid::Left() const { return view_ ? view_->Left() : left_; }
int TCustomGrid::Top() const { return view_ ? view_->Top() : top_; }

void TCustomGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (view_) {
        view_->SetBounds(ALeft, ATop, AWidth, AHeight);
        return;
    }
    left_ = ALeft;
    top_ = ATop;
    SetClientSize(AWidth, AHeight);
}

bool TCustomGrid::Visible() const { return view_ ? view_->Visible() : visible_; }

void TCustomGrid::SetVisible(bool v)
{
    visible_ = v;
    if (view_) view_->SetVisible(v);
}

bool TCustomGrid::Enabled() const { return view_ ? view_->Enabled() : enabled_; }

void TCustomGrid::SetEnabled(bool v)
{
    enabled_ = v;
    if (view_) view_->SetEnabled(v);
}

bool TCustomGrid::CanFocus() const { return view_ && view_->CanFocus(); }

void TCustomGrid::SetFocus()
{
    if (host_)
        host_->SetFocus();
    else
        focused_ = true;
}

int TCustomGrid::TabOrder() const { return view_ ? view_->TabOrder() : tabOrder_; }

void TCustomGrid::SetTabOrder(int v)
{
    tabOrder_ = v;
    if (view_) view_->SetTabOrder(v);
}

bool TCustomGrid::TabStop() const { return view_ ? view_->TabStop() : tabStop_; }

void TCustomGrid::SetTabStop(bool v)
{
    tabStop_ = v;
    if (view_) view_->SetTabStop(v);
}

void TCustomGrid::SetHost(IGridHost* host)
{
    host_ = host;
    if (host_) UpdateScrollRange();
}

int TCustomGrid::ClientWidth() const { return host_ ? host_->ClientSize().cx : clientW_; }
int TCustomGrid::ClientHeight() const { return host_ ? host_->ClientSize().cy : clientH_; }

void TCustomGrid::SetClientSize(int w, int h)
{
    clientW_ = std::max(0, w);
    clientH_ = std::max(0, h);
    // A grid with a window resizes the window (which reports back).
    if (host_) {
        host_->SetClientSize(clientW_, clientH_);
        return;
    }
    HandleResize();
}

TCanvas* TCustomGrid::Canvas() const
{
    if (canvas_) return canvas_;
    if (!scratch_) scratch_ = std::make_unique<TBitmap>(1, 1);
    TCanvas& c = scratch_->Canvas();
    c.Font().Assign(font_);
    return &c;
}

// --- counts and sizes

// Counts beyond this would make the size tables unreasonably large.
constexpr int kMaxGridCount = 10000000;

void TCustomGrid::SetColCount(int v)
{
    if (v < 1) v = 1;
    if (v > kMaxGridCount) throw EInvalidGridOperation("Grid too large for operation");
    if (v == colCount_) return;
    int oldC = colCount_, oldR = rowCount_;
    if (v <= fixedCols_) fixedCols_ = v - 1;
    colCount_ = v;
    colWidths_.resize(size_t(v), defaultColWidth_);
    tabStops_.resize(size_t(v), true);
    CheckCounts();
    SizeChanged(oldC, oldR);
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetRowCount(int v)
{
    if (v < 1) v = 1;
    if (v > kMaxGridCount) throw EInvalidGridOperation("Grid too large for operation");
    if (v == rowCount_) return;
    int oldC = colCount_, oldR = rowCount_;
    if (v <= fixedRows_) fixedRows_ = v - 1;
    rowCount_ = v;
    rowHeights_.resize(size_t(v), defaultRowHeight_);
    CheckCounts();
    SizeChanged(oldC, oldR);
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetFixedCols(int v)
{
    if (v < 0) IndexOutOfRange();
    if (v >= colCount_) throw EInvalidGridOperation("Fixed column count must be less than column count");
    if (v == fixedCols_) return;
    fixedCols_ = v;
    CheckCounts();
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetFixedRows(int v)
{
    if (v < 0) IndexOutOfRange();
    if (v >= rowCount_) throw EInvalidGridOperation("Fixed row count must be less than row count");
    if (v == fixedRows_) return;
    fixedRows_ = v;
    CheckCounts();
    UpdateScrollRange();
    Invalidate();
}

// Keeps current cell, anchor and top-left inside the counts.
void TCustomGrid::CheckCounts()
{
    auto clampCol = [&](int c) { return std::clamp(c, fixedCols_, std::max(fixedCols_, colCount_ - 1)); };
    auto clampRow = [&](int r) { return std::clamp(r, fixedRows_, std::max(fixedRows_, rowCount_ - 1)); };
    current_ = {clampCol(current_.X), clampRow(current_.Y)};
    anchor_ = {clampCol(anchor_.X), clampRow(anchor_.Y)};
    topLeft_ = {std::clamp(topLeft_.X, fixedCols_, std::max(fixedCols_, MaxLeftCol())),
                std::clamp(topLeft_.Y, fixedRows_, std::max(fixedRows_, MaxTopRow()))};
}

void TCustomGrid::ClampCurrent() { CheckCounts(); }

void TCustomGrid::SetDefaultColWidth(int v)
{
    if (v < 0) v = 0;
    defaultColWidth_ = v;
    std::fill(colWidths_.begin(), colWidths_.end(), v);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int v)
{
    if (v < 0) v = 0;
    defaultRowHeight_ = v;
    std::fill(rowHeights_.begin(), rowHeights_.end(), v);
    RowHeightsChanged();
}

int TCustomGrid::ColWidths(int c) const
{
    if (c < 0 || c >= colCount_) return defaultColWidth_;
    return colWidths_[size_t(c)];
}

void TCustomGrid::SetColWidths(int c, int w)
{
    if (c < 0 || c >= colCount_) IndexOutOfRange();
    if (w < 0) w = 0;
    if (colWidths_[size_t(c)] == w) return;
    colWidths_[size_t(c)] = w;
    ColWidthsChanged();
}

int TCustomGrid::RowHeights(int r) const
{
    if (r < 0 || r >= rowCount_) return defaultRowHeight_;
    return rowHeights_[size_t(r)];
}

void TCustomGrid::SetRowHeights(int r, int h)
{
    if (r < 0 || r >= rowCount_) IndexOutOfRange();
    if (h < 0) h = 0;
    if (rowHeights_[size_t(r)] == h) return;
    rowHeights_[size_t(r)] = h;
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int w)
{
    if (w < 0) w = 0;
    if (w == gridLineWidth_) return;
    gridLineWidth_ = w;
    CheckCounts();
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions o)
{
    if (o == options_) return;
    bool editingOff = !o.Contains(goEditing) || o.Contains(goRowSelect);
    options_ = o;
    if (editingOff && editorMode_) HideEditor();
    if (o.Contains(goRowSelect)) anchor_.Y = std::clamp(anchor_.Y, fixedRows_, rowCount_ - 1);
    Invalidate();
}

void TCustomGrid::SetFixedColor(TColor c)
{
    if (c == fixedColor_) return;
    fixedColor_ = c;
    Invalidate();
}

void TCustomGrid::SetColor(TColor c)
{
    if (c == color_) return;
    color_ = c;
    Invalidate();
}

bool TCustomGrid::TabStops(int c) const
{
    if (c < 0 || c >= colCount_) return true;
    return tabStops_[size_t(c)];
}

void TCustomGrid::SetTabStops(int c, bool on)
{
    if (c < 0 || c >= colCount_) IndexOutOfRange();
    tabStops_[size_t(c)] = on;
}

// --- geometry

int TCustomGrid::FixedWidth() const
{
    int w = 0;
    for (int c = 0; c < fixedCols_; ++c) w += ColWidths(c) + gridLineWidth_;
    return w;
}

int TCustomGrid::FixedHeight() const
{
    int h = 0;
    for (int r = 0; r < fixedRows_; ++r) h += RowHeights(r) + gridLineWidth_;
    return h;
}

int TCustomGrid::ColLeft(int c) const
{
    if (c < 0 || c >= colCount_) return -1;
    int x = 0;
    if (c < fixedCols_) {
        for (int i = 0; i < c; ++i) x += ColWidths(i) + gridLineWidth_;
        return x;
    }
    if (c < topLeft_.X) return -1;
    x = FixedWidth();
    for (int i = topLeft_.X; i < c; ++i) {
        x += ColWidths(i) + gridLineWidth_;
        if (x >= ClientWidth()) return -1;
    }
    return x < ClientWidth() ? x : -1;
}

int TCustomGrid::RowTop(int r) const
{
    if (r < 0 || r >= rowCount_) return -1;
    int y = 0;
    if (r < fixedRows_) {
        for (int i = 0; i < r; ++i) y += RowHeights(i) + gridLineWidth_;
        return y;
    }
    if (r < topLeft_.Y) return -1;
    y = FixedHeight();
    for (int i = topLeft_.Y; i < r; ++i) {
        y += RowHeights(i) + gridLineWidth_;
        if (y >= ClientHeight()) return -1;
    }
    return y < ClientHeight() ? y : -1;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const
{
    int l = ColLeft(ACol), t = RowTop(ARow);
    if (l < 0 || t < 0) return {};
    return {l, t, l + ColWidths(ACol), t + RowHeights(ARow)};
}

TRect TCustomGrid::BoxRect(int ALeft, int ATop, int ARight, int ABottom) const
{
    TRect r{};
    for (int c = ALeft; c <= ARight; ++c)
        for (int rw = ATop; rw <= ABottom; ++rw) r = UnionRect(r, CellRect(c, rw));
    return r;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const
{
    TGridCoord g{-1, -1};
    if (X < 0 || Y < 0 || X >= ClientWidth() || Y >= ClientHeight()) return g;
    int x = 0;
    for (int c = 0; c < colCount_; ++c) {
        if (c >= fixedCols_ && c < topLeft_.X) continue;
        int e = ColWidths(c) + gridLineWidth_;
        if (X >= x && X < x + e) {
            g.X = c;
            break;
        }
        x += e;
        if (x > X) break;
    }
    int y = 0;
    for (int r = 0; r < rowCount_; ++r) {
        if (r >= fixedRows_ && r < topLeft_.Y) continue;
        int e = RowHeights(r) + gridLineWidth_;
        if (Y >= y && Y < y + e) {
            g.Y = r;
            break;
        }
        y += e;
        if (y > Y) break;
    }
    if (g.X < 0 || g.Y < 0) return {-1, -1};
    return g;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const
{
    TGridCoord g = MouseCoord(X, Y);
    ACol = g.X;
    ARow = g.Y;
}

int TCustomGrid::VisibleColCount() const
{
    int avail = ClientWidth() - FixedWidth();
    int n = 0, w = 0;
    for (int c = topLeft_.X; c < colCount_; ++c) {
        w += ColWidths(c) + gridLineWidth_;
        if (w > avail) break;
        ++n;
    }
    return colCount_ > fixedCols_ ? std::max(1, n) : 0;
}

int TCustomGrid::VisibleRowCount() const
{
    int avail = ClientHeight() - FixedHeight();
    int n = 0, h = 0;
    for (int r = topLeft_.Y; r < rowCount_; ++r) {
        h += RowHeights(r) + gridLineWidth_;
        if (h > avail) break;
        ++n;
    }
    return rowCount_ > fixedRows_ ? std::max(1, n) : 0;
}

int TCustomGrid::MaxLeftCol() const
{
    int avail = ClientWidth() - FixedWidth();
    int c = colCount_ - 1, w = 0;
    while (c >= fixedCols_) {
        w += ColWidths(c) + gridLineWidth_;
        if (w > avail) break;
        --c;
    }
    return std::max(fixedCols_, std::min(colCount_ - 1, c + 1));
}

int TCustomGrid::MaxTopRow() const
{
    int avail = ClientHeight() - FixedHeight();
    int r = rowCount_ - 1, h = 0;
    while (r >= fixedRows_) {
        h += RowHeights(r) + gridLineWidth_;
        if (h > avail) break;
        --r;
    }
    return std::max(fixedRows_, std::min(rowCount_ - 1, r + 1));
}

// --- current cell, selection, scrolling

void TCustomGrid::SetCol(int c)
{
    if (c == current_.X) return;
    FocusCell(c, current_.Y, true);
}

void TCustomGrid::SetRow(int r)
{
    if (r == current_.Y) return;
    FocusCell(current_.X, r, true);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    Click();
}

TGridRect TCustomGrid::Selection() const
{
    TGridRect r{std::min(anchor_.X, current_.X), std::min(anchor_.Y, current_.Y), std::max(anchor_.X, current_.X),
                std::max(anchor_.Y, current_.Y)};
    if (options_.Contains(goRowSelect)) {
        r.Left = fixedCols_;
        r.Right = colCount_ - 1;
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& r)
{
    auto inside = [&](int c, int rw) { return c >= 0 && rw >= 0 && c < colCount_ && rw < rowCount_; };
    if (!inside(r.Left, r.Top) || !inside(r.Right, r.Bottom)) IndexOutOfRange();
    TGridRect old = Selection();
    anchor_ = {r.Left, r.Top};
    current_ = {r.Right, r.Bottom};
    SelectionMoved(old);
}

void TCustomGrid::SetSelectionOutside()
{
    TGridRect old = Selection();
    anchor_ = {colCount_, rowCount_};
    current_ = anchor_;
    SelectionMoved(old);
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= colCount_ || ARow >= rowCount_) IndexOutOfRange();
    if (!SelectCell(ACol, ARow)) return;
    TGridRect old = Selection();
    bool moved = ACol != current_.X || ARow != current_.Y;
    if (moved && editor_ && editor_->Visible()) {
        UpdateText();
        editor_->visible_ = false;
        if (host_) host_->HideEditorWindow();
        if (!options_.Contains(goAlwaysShowEditor)) editorMode_ = false;
    }
    current_ = {ACol, ARow};
    if (MoveAnchor || !options_.Contains(goRangeSelect)) anchor_ = current_;
    if (Show) ScrollInView(ACol, ARow);
    SelectionMoved(old);
    if (moved && options_.Contains(goAlwaysShowEditor) && options_.Contains(goEditing)) ShowEditor();
}

void TCustomGrid::PlaceCurrent(TGridCoord ACurrent, TGridCoord AAnchor)
{
    auto inside = [&](TGridCoord p) { return p.X >= 0 && p.Y >= 0 && p.X < colCount_ && p.Y < rowCount_; };
    if (!inside(ACurrent) || !inside(AAnchor)) return;
    TGridRect old = Selection();
    current_ = ACurrent;
    anchor_ = AAnchor;
    SelectionMoved(old);
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel)
{
    if (!host_) return;
    TGridRect now = Selection();
    if (OldSel == now) {
        InvalidateCell(current_.X, current_.Y);
        return;
    }
    InvalidateRect(BoxRect(OldSel.Left, OldSel.Top, OldSel.Right, OldSel.Bottom));
    InvalidateRect(BoxRect(now.Left, now.Top, now.Right, now.Bottom));
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop)
{
    ALeft = std::clamp(ALeft, fixedCols_, std::max(fixedCols_, MaxLeftCol()));
    ATop = std::clamp(ATop, fixedRows_, std::max(fixedRows_, MaxTopRow()));
    if (ALeft == topLeft_.X && ATop == topLeft_.Y) return;
    topLeft_ = {ALeft, ATop};
    Invalidate();
    UpdateScrollRange();
    TopLeftChanged();
}

void TCustomGrid::SetTopRow(int r) { MoveTopLeft(topLeft_.X, r); }
void TCustomGrid::SetLeftCol(int c) { MoveTopLeft(c, topLeft_.Y); }

void TCustomGrid::ScrollInView(int ACol, int ARow)
{
    int left = topLeft_.X, top = topLeft_.Y;
    if (ACol >= fixedCols_ && ACol < colCount_) {
        if (ACol < left)
            left = ACol;
        else {
            // Smallest left column that shows ACol entirely.
            int avail = ClientWidth() - FixedWidth();
            int w = ColWidths(ACol) + gridLineWidth_, l = ACol;
            while (l - 1 >= fixedCols_ && w + ColWidths(l - 1) + gridLineWidth_ <= avail) {
                --l;
                w += ColWidths(l) + gridLineWidth_;
            }
            if (left < l) left = l;
        }
    }
    if (ARow >= fixedRows_ && ARow < rowCount_) {
        if (ARow < top)
            top = ARow;
        else {
            int avail = ClientHeight() - FixedHeight();
            int h = RowHeights(ARow) + gridLineWidth_, t = ARow;
            while (t - 1 >= fixedRows_ && h + RowHeights(t - 1) + gridLineWidth_ <= avail) {
                --t;
                h += RowHeights(t) + gridLineWidth_;
            }
            if (top < t) top = t;
        }
    }
    MoveTopLeft(left, top);
}

// --- hooks: defaults

void TCustomGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomGrid::SelectCell(int ACol, int ARow)
{
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

void TCustomGrid::TopLeftChanged()
{
    if (editor_ && editor_->Visible()) {
        TRect r = CellRect(current_.X, current_.Y);
        if (IsRectEmpty(r)) {
            editor_->visible_ = false;
            if (host_) host_->HideEditorWindow();
        } else {
            editor_->bounds_ = r;
            if (host_) host_->ShowEditorWindow(r);
            editor_->BoundsChanged();
        }
    }
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::ColWidthsChanged()
{
    CheckCounts();
    UpdateScrollRange();
    InvalidateEditor();
    Invalidate();
}

void TCustomGrid::RowHeightsChanged()
{
    CheckCounts();
    UpdateScrollRange();
    InvalidateEditor();
    Invalidate();
}

void TCustomGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::Click()
{
    if (OnClick) OnClick(this);
}

void TCustomGrid::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TCustomGrid::CreateWnd() { UpdateScrollRange(); }

void TCustomGrid::DoEnter()
{
    InvalidateCell(current_.X, current_.Y);
    if (OnEnter) OnEnter(this);
}

void TCustomGrid::DoExit()
{
    InvalidateCell(current_.X, current_.Y);
    if (OnExit) OnExit(this);
}

void TCustomGrid::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_TIMER) TimerEvent(int(Message.WParam));
}

void TCustomGrid::TimerEvent(int) {}

// --- keyboard

void TCustomGrid::KeyDown(int& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    if (Key == 0) return;
    StandardKeyNavigation(Key, Shift);
}

void TCustomGrid::StandardKeyNavigation(int& Key, TShiftState Shift)
{
    bool ctrl = Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    bool rowSel = options_.Contains(goRowSelect);
    TGridCoord cur = current_, tl = topLeft_;
    int page = VisibleRowCount();
    bool handled = true;
    switch (Key) {
    case VK_UP:
        if (ctrl) tl.Y -= 1;
        else cur.Y -= 1;
        break;
    case VK_DOWN:
        if (ctrl) tl.Y += 1;
        else cur.Y += 1;
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        int d = Key == VK_RIGHT ? 1 : -1;
        if (rowSel)
            cur.Y += d;
        else if (ctrl) {
            int n = VisibleColCount();
            cur.X += d * n;
            tl.X += d * n;
        } else
            cur.X += d;
        break;
    }
    case VK_PRIOR:
        if (ctrl) cur.Y = tl.Y;
        else {
            cur.Y -= page;
            tl.Y -= page;
        }
        break;
    case VK_NEXT:
        if (ctrl) cur.Y = tl.Y + page - 1;
        else {
            cur.Y += page;
            tl.Y += page;
        }
        break;
    case VK_HOME:
        if (ctrl) cur = {fixedCols_, fixedRows_};
        else if (rowSel) cur.Y = fixedRows_;
        else cur.X = fixedCols_;
        break;
    case VK_END:
        if (ctrl) cur = {colCount_ - 1, rowCount_ - 1};
        else if (rowSel) cur.Y = rowCount_ - 1;
        else cur.X = colCount_ - 1;
        break;
    case VK_TAB:
        if (!options_.Contains(goTabs) || Shift.Contains(ssAlt)) {
            handled = false;
            break;
        }
        {
            // Next / previous column with a tab stop, wrapping rows.
            bool back = Shift.Contains(ssShift);
            int c = cur.X, r = cur.Y;
            int guard = colCount_ * std::max(1, rowCount_ - fixedRows_) + 1;
            do {
                if (back) {
                    if (--c < fixedCols_) {
                        c = colCount_ - 1;
                        if (--r < fixedRows_) r = rowCount_ - 1;
                    }
                } else if (++c >= colCount_) {
                    c = fixedCols_;
                    if (++r >= rowCount_) r = fixedRows_;
                }
            } while (!TabStops(c) && --guard > 0);
            cur = {c, r};
            Shift -= ssShift;  // Shift+Tab does not select
        }
        break;
    case VK_F2:
        SetEditorMode(true);
        return;
    default: handled = false;
    }
    if (!handled) return;
    cur.X = std::clamp(cur.X, fixedCols_, std::max(fixedCols_, colCount_ - 1));
    cur.Y = std::clamp(cur.Y, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
    if (!(tl == topLeft_)) MoveTopLeft(tl.X, tl.Y);
    if (!(cur == current_) || Shift.Contains(ssShift)) {
        bool extend = Shift.Contains(ssShift) && options_.Contains(goRangeSelect) && Key != VK_TAB;
        MoveCurrent(cur.X, cur.Y, !extend, true);
        Click();
    }
}

void TCustomGrid::KeyUp(int& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TCustomGrid::KeyPress(TKeyChar& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
    if (Key == 0) return;
    if (Key == u'\r' && !options_.Contains(goAlwaysShowEditor)) {
        if (editorMode_)
            HideEditor();
        else
            ShowEditor();
        Key = 0;
        return;
    }
    if (!editorMode_ && options_.Contains(goEditing) && !options_.Contains(goRowSelect) &&
        (Key == 8 || (Key >= 32 && Key != 127))) {
        ShowEditorChar(Key);
        Key = 0;
    }
}

// --- wheel

bool TCustomGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    int notches = WheelDelta / 120;
    if (notches == 0 && WheelDelta != 0) notches = WheelDelta > 0 ? 1 : -1;
    for (int i = 0; i < std::abs(notches); ++i)
        handled |= notches < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
    return handled;
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    if (handled) return true;
    if (current_.Y < rowCount_ - 1) MoveCurrent(current_.X, current_.Y + 1, true, true);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    if (handled) return true;
    if (current_.Y > fixedRows_) MoveCurrent(current_.X, current_.Y - 1, true, true);
    return true;
}

// --- mouse

// True when (X, Y) lies on a column border of the fixed rows (goColSizing)
// or a row border of the fixed columns (goRowSizing).
bool TCustomGrid::SizingHit(int X, int Y, bool& isCol, int& index) const
{
    const int tol = 3;
    if (options_.Contains(goColSizing) && Y >= 0 && Y < FixedHeight()) {
        for (int c = 0; c < colCount_; ++c) {
            int l = ColLeft(c);
            if (l < 0) continue;
            int border = l + ColWidths(c);
            if (X >= border - tol && X <= border + gridLineWidth_ + tol - 1) {
                isCol = true;
                index = c;
                return true;
            }
        }
    }
    if (options_.Contains(goRowSizing) && X >= 0 && X < FixedWidth()) {
        for (int r = 0; r < rowCount_; ++r) {
            int t = RowTop(r);
            if (t < 0) continue;
            int border = t + RowHeights(r);
            if (Y >= border - tol && Y <= border + gridLineWidth_ + tol - 1) {
                isCol = false;
                index = r;
                return true;
            }
        }
    }
    return false;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (host_ && !host_->IsFocused()) host_->SetFocus();
    if (Button == mbLeft && !Shift.Contains(ssDouble)) {
        bool isCol = false;
        int index = -1;
        TGridCoord cell = MouseCoord(X, Y);
        if (SizingHit(X, Y, isCol, index)) {
            if (editorMode_) HideEditor();
            state_ = isCol ? gsColSizing : gsRowSizing;
            sizingIndex_ = index;
            sizingPos_ = isCol ? X : Y;
            sizingOffset_ = isCol ? ColLeft(index) + ColWidths(index) - X : RowTop(index) + RowHeights(index) - Y;
            Invalidate();
        } else if (cell.X >= 0 && cell.Y >= 0) {
            bool fixedRow = cell.Y < fixedRows_, fixedCol = cell.X < fixedCols_;
            if (fixedRow && !fixedCol && options_.Contains(goColMoving)) {
                if (editorMode_) HideEditor();
                state_ = gsColMoving;
                moveIndex_ = movePos_ = cell.X;
            } else if (fixedCol && !fixedRow && options_.Contains(goRowMoving)) {
                if (editorMode_) HideEditor();
                state_ = gsRowMoving;
                moveIndex_ = movePos_ = cell.Y;
            } else if (!fixedRow && !fixedCol) {
                bool wasCurrent = cell == current_;
                bool extend = Shift.Contains(ssShift) && options_.Contains(goRangeSelect);
                MoveCurrent(cell.X, cell.Y, !extend, true);
                // The click is reported when the selecting ends (MouseUp).
                state_ = gsSelecting;
                if (wasCurrent && options_.Contains(goEditing) && !options_.Contains(goRowSelect) && !editorMode_)
                    SetEditorMode(true);
            }
        }
    }
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

namespace {
std::intptr_t PointParam(int x, int y)
{
    return static_cast<std::intptr_t>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16) |
                                      static_cast<std::uint16_t>(x));
}
}  // namespace

void TCustomGrid::HandleKeyDown(int& Key, TShiftState Shift)
{
    TMessage m;
    m.Msg = WM_KEYDOWN;
    m.WParam = Key;
    InputMessage(m);
    KeyDownMessage(Key, Shift);
}

void TCustomGrid::HandleMouseMove(TShiftState s, int x, int y)
{
    TMessage m;
    m.Msg = WM_MOUSEMOVE;
    m.LParam = PointParam(x, y);
    InputMessage(m);
    MouseMove(s, x, y);
}

void TCustomGrid::HandleMouseDown(TMouseButton b, TShiftState s, int x, int y)
{
    TMessage msg;
    msg.Msg = b == mbLeft ? WM_LBUTTONDOWN : b == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    msg.LParam = PointParam(x, y);
    InputMessage(msg);
    TWMMouse m{s, x, y, 0};
    if (b == mbLeft)
        WMLButtonDown(m);
    else if (b == mbRight)
        WMRButtonDown(m);
    else
        MouseDown(b, s, x, y);
}

void TCustomGrid::HandleMouseUp(TMouseButton b, TShiftState s, int x, int y)
{
    TWMMouse m{s, x, y, 0};
    if (b == mbLeft)
        WMLButtonUp(m);
    else if (b == mbRight)
        WMRButtonUp(m);
    else
        MouseUp(b, s, x, y);
}

void TCustomGrid::HandleDblClick(TMouseButton b, TShiftState s, int x, int y)
{
    TWMMouse m{s, x, y, 0};
    if (b == mbLeft)
        WMLButtonDblClk(m);
    else
        MouseDown(b, s + ssDouble, x, y);
}

void TCustomGrid::WMLButtonDown(TWMMouse& Message) { MouseDown(mbLeft, Message.Keys, Message.XPos, Message.YPos); }

void TCustomGrid::WMLButtonUp(TWMMouse& Message) { MouseUp(mbLeft, Message.Keys, Message.XPos, Message.YPos); }

void TCustomGrid::WMLButtonDblClk(TWMMouse& Message)
{
    DblClick();
    MouseDown(mbLeft, Message.Keys + ssDouble, Message.XPos, Message.YPos);
}

void TCustomGrid::WMRButtonDown(TWMMouse& Message) { MouseDown(mbRight, Message.Keys, Message.XPos, Message.YPos); }

void TCustomGrid::WMRButtonUp(TWMMouse& Message) { MouseUp(mbRight, Message.Keys, Message.XPos, Message.YPos); }

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    switch (state_) {
    case gsSelecting: {
        TGridCoord cell = MouseCoord(X, Y);
        if (cell.X >= fixedCols_ && cell.Y >= fixedRows_ && !(cell == current_))
            MoveCurrent(cell.X, cell.Y, !options_.Contains(goRangeSelect), true);
        break;
    }
    case gsColSizing:
    case gsRowSizing:
        sizingPos_ = state_ == gsColSizing ? X : Y;
        Invalidate();
        break;
    case gsColMoving:
    case gsRowMoving: {
        TGridCoord cell = MouseCoord(X, Y);
        int p = state_ == gsColMoving ? cell.X : cell.Y;
        int lo = state_ == gsColMoving ? fixedCols_ : fixedRows_;
        if (p >= lo && p != movePos_) {
            movePos_ = p;
            Invalidate();
        }
        break;
    }
    default: {
        bool isCol = false;
        int index = -1;
        if (host_) host_->SetCursor(SizingHit(X, Y, isCol, index) ? (isCol ? crHSplit : crVSplit) : crDefault);
    }
    }
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGridState s = state_;
    state_ = gsNormal;
    if (s == gsSelecting) {
        Click();
    } else if (s == gsColSizing || s == gsRowSizing) {
        int pos = s == gsColSizing ? X : Y;
        int start = s == gsColSizing ? ColLeft(sizingIndex_) : RowTop(sizingIndex_);
        int size = std::max(0, pos + sizingOffset_ - start);
        if (s == gsColSizing)
            SetColWidths(sizingIndex_, size);
        else
            SetRowHeights(sizingIndex_, size);
        sizingIndex_ = -1;
        Invalidate();
    } else if (s == gsColMoving || s == gsRowMoving) {
        int from = moveIndex_, to = movePos_;
        moveIndex_ = movePos_ = -1;
        if (from >= 0 && to >= 0 && from != to) {
            if (s == gsColMoving)
                MoveColumn(from, to);
            else
                MoveRow(from, to);
        }
        Invalidate();
    }
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

// --- editing

std::string TCustomGrid::GetEditText(int ACol, int ARow)
{
    std::string s;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, s);
    return s;
}

void TCustomGrid::SetEditText(int ACol, int ARow, const std::string& Value)
{
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

std::string TCustomGrid::GetEditMask(int ACol, int ARow)
{
    std::string m;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, m);
    return m;
}

int TCustomGrid::GetEditLimit() { return 0; }

bool TCustomGrid::CanEditShow()
{
    bool windowOk = host_ ? host_->HasWindow() : true;
    return options_.Contains(goEditing) && !options_.Contains(goRowSelect) && editorMode_ &&
           !ComponentState().Contains(csDesigning) && windowOk &&
           (options_.Contains(goAlwaysShowEditor) || Focused());
}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

void TCustomGrid::SetEditorMode(bool on)
{
    if (!on) {
        HideEditor();
        return;
    }
    ShowEditor();
    // The class library deselects: the caret goes to the end of the text,
    // unless the editor keeps its text selected.
    if (editor_ && editor_->Visible() && !editor_->SelectsAllWhenShown()) {
        editor_->CaretPos = editor_->SelStart = Utf8Length(editor_->Text());
        editor_->SelLength = 0;
        if (host_) host_->EditorTextChanged();
    }
}

void TCustomGrid::ShowEditor()
{
    editorMode_ = true;
    if (!CanEditShow()) return;
    if (!editor_) editor_ = CreateEditor();
    if (!editor_) return;
    ScrollInView(current_.X, current_.Y);
    editor_->UpdateContents();
    editor_->bounds_ = CellRect(current_.X, current_.Y);
    editor_->visible_ = true;
    editor_->SelStart = 0;
    editor_->SelLength = Utf8Length(editor_->Text());
    editor_->CaretPos = editor_->SelLength;
    editor_->BoundsChanged();
    if (host_) {
        host_->ShowEditorWindow(editor_->bounds_);
        host_->FocusEditorWindow();
    }
}

void TCustomGrid::ShowEditorChar(TKeyChar ch)
{
    ShowEditor();
    if (!editor_ || !editor_->Visible()) return;
    editor_->SetText(ch == 8 ? std::string() : CharToUtf8(ch));
    editor_->Select(editor_->CaretPos, 0);
}

void TCustomGrid::HideEditor()
{
    editorMode_ = false;
    if (!editor_ || !editor_->Visible()) return;
    UpdateText();
    editor_->visible_ = false;
    // The focus goes back to the grid only from the editor (the host's
    // field hands it over as it hides).
    if (host_) host_->HideEditorWindow();
    InvalidateCell(current_.X, current_.Y);
}

void TCustomGrid::InvalidateEditor()
{
    if (!editor_ || !editor_->Visible()) return;
    editor_->bounds_ = CellRect(current_.X, current_.Y);
    if (host_) host_->ShowEditorWindow(editor_->bounds_);
    editor_->BoundsChanged();
}

void TCustomGrid::UpdateText()
{
    if (!editor_ || inEditorUpdate_) return;
    inEditorUpdate_ = true;
    try {
        SetEditText(current_.X, current_.Y, editor_->Text());
    } catch (...) {
        inEditorUpdate_ = false;
        throw;
    }
    inEditorUpdate_ = false;
}

// --- rows and columns

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= colCount_ || ToIndex >= colCount_) IndexOutOfRange();
    if (FromIndex == ToIndex) return;
    if (editorMode_) HideEditor();
    int w = colWidths_[size_t(FromIndex)];
    bool t = tabStops_[size_t(FromIndex)];
    colWidths_.erase(colWidths_.begin() + FromIndex);
    colWidths_.insert(colWidths_.begin() + ToIndex, w);
    tabStops_.erase(tabStops_.begin() + FromIndex);
    tabStops_.insert(tabStops_.begin() + ToIndex, t);
    ColumnMoved(FromIndex, ToIndex);
    ColWidthsChanged();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= rowCount_ || ToIndex >= rowCount_) IndexOutOfRange();
    if (FromIndex == ToIndex) return;
    if (editorMode_) HideEditor();
    int h = rowHeights_[size_t(FromIndex)];
    rowHeights_.erase(rowHeights_.begin() + FromIndex);
    rowHeights_.insert(rowHeights_.begin() + ToIndex, h);
    RowMoved(FromIndex, ToIndex);
    RowHeightsChanged();
}

void TCustomGrid::DeleteColumn(int ACol)
{
    MoveColumn(ACol, colCount_ - 1);
    SetColCount(colCount_ - 1);
}

void TCustomGrid::DeleteRow(int ARow)
{
    MoveRow(ARow, rowCount_ - 1);
    SetRowCount(rowCount_ - 1);
}

// --- painting

void TCustomGrid::Invalidate()
{
    if (host_ && redrawLock_ == 0) host_->Invalidate(nullptr);
}

void TCustomGrid::InvalidateRect(const TRect& r)
{
    if (host_ && redrawLock_ == 0 && !IsRectEmpty(r)) {
        TRect x = r;
        InflateRect(x, gridLineWidth_, gridLineWidth_);
        host_->Invalidate(&x);
    }
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) { InvalidateRect(CellRect(ACol, ARow)); }

void TCustomGrid::InvalidateRow(int ARow)
{
    int t = RowTop(ARow);
    if (t < 0) return;
    InvalidateRect({0, t, ClientWidth(), t + RowHeights(ARow)});
}

void TCustomGrid::InvalidateCol(int ACol)
{
    int l = ColLeft(ACol);
    if (l < 0) return;
    InvalidateRect({l, 0, l + ColWidths(ACol), ClientHeight()});
}

void TCustomGrid::Repaint()
{
    Invalidate();
    if (host_ && redrawLock_ == 0) host_->Update();
}

void TCustomGrid::SetRedraw(bool on)
{
    if (on) {
        if (redrawLock_ > 0 && --redrawLock_ == 0) {
            if (host_) host_->SetRedraw(true);
            Invalidate();
        }
    } else if (redrawLock_++ == 0 && host_) {
        host_->SetRedraw(false);
    }
}

void TCustomGrid::PaintOn(TCanvas& canvas, const TRect&)
{
    canvas_ = &canvas;
    try {
        Paint();
        PaintOverlay(canvas);
    } catch (...) {
        canvas_ = nullptr;
        throw;
    }
    canvas_ = nullptr;
}

void TCustomGrid::Paint()
{
    if (!canvas_) return;
    TCanvas& c = *canvas_;
    int cw = ClientWidth(), ch = ClientHeight();
    bool focused = Focused();
    TGridRect sel = Selection();
    bool rowSel = options_.Contains(goRowSelect);
    int maxX = 0, maxY = 0;
    // Rows: fixed ones, then from the top row; columns likewise.
    std::vector<int> cols, rows;
    for (int i = 0; i < fixedCols_; ++i) cols.push_back(i);
    for (int i = topLeft_.X; i < colCount_ && ColLeft(i) >= 0; ++i) cols.push_back(i);
    for (int i = 0; i < fixedRows_; ++i) rows.push_back(i);
    for (int i = topLeft_.Y; i < rowCount_ && RowTop(i) >= 0; ++i) rows.push_back(i);
    // A cell that fails to draw does not keep the others from drawing; the
    // first failure is raised once every cell has had its turn.
    std::exception_ptr failed;
    for (int r : rows) {
        int y = RowTop(r);
        for (int col : cols) {
            int x = ColLeft(col);
            TRect rc{x, y, x + ColWidths(col), y + RowHeights(r)};
            maxX = std::max(maxX, rc.Right + gridLineWidth_);
            maxY = std::max(maxY, rc.Bottom + gridLineWidth_);
            bool fixed = col < fixedCols_ || r < fixedRows_;
            TGridDrawState st;
            if (fixed) st += gdFixed;
            bool isCur = col == current_.X && r == current_.Y;
            if (!fixed && focused && isCur) st += gdFocused;
            bool inSel = !fixed && col >= sel.Left && col <= sel.Right && r >= sel.Top && r <= sel.Bottom;
            if (inSel && (rowSel || !st.Contains(gdFocused) || options_.Contains(goDrawFocusSelected) ||
                          sel.Left != sel.Right || sel.Top != sel.Bottom))
                st += gdSelected;
            if (inSel && rowSel) st += gdRowSelected;
            // Lines in the gap right of and below the cell.
            if (gridLineWidth_ > 0) {
                bool vert = fixed ? options_.Contains(goFixedVertLine) : options_.Contains(goVertLine);
                bool horz = fixed ? options_.Contains(goFixedHorzLine) : options_.Contains(goHorzLine);
                TColor lc = fixed ? clBlack : clSilver;
                c.Brush().SetColor(vert ? lc : (fixed ? fixedColor_ : color_));
                c.FillRect({rc.Right, rc.Top, rc.Right + gridLineWidth_, rc.Bottom + gridLineWidth_});
                c.Brush().SetColor(horz ? lc : (fixed ? fixedColor_ : color_));
                c.FillRect({rc.Left, rc.Bottom, rc.Right + gridLineWidth_, rc.Bottom + gridLineWidth_});
            }
            if (isCur && editor_ && editor_->Visible()) continue;
            c.SaveState();
            c.Font().Assign(font_);
            if (defaultDrawing_) {
                if (st.Contains(gdSelected)) {
                    c.Brush().SetColor(clHighlight);
                    c.Font().SetColor(clHighlightText);
                } else {
                    c.Brush().SetColor(fixed ? fixedColor_ : color_);
                }
                c.FillRect(rc);
            }
            c.SetClipRect(rc);
            try {
                DrawCell(col, r, rc, st);
            } catch (...) {
                if (!failed) failed = std::current_exception();
            }
            c.RestoreState();
            if (defaultDrawing_ && fixed) {
                TRect e = rc;
                DrawEdge(c, e, BDR_RAISEDINNER, BF_RECT);
            }
            if (defaultDrawing_ && st.Contains(gdFocused) && !rowSel) c.DrawFocusRect(rc);
        }
    }
    // Area beyond the cells.
    c.Brush().SetColor(color_);
    if (maxX < cw) c.FillRect({maxX, 0, cw, ch});
    if (maxY < ch) c.FillRect({0, maxY, std::min(maxX, cw), ch});
    DrawTracking(c);
    if (failed) std::rethrow_exception(failed);
}

// The sizing line or the drop position of a move, drawn over the cells.
void TCustomGrid::DrawTracking(TCanvas& c)
{
    c.SaveState();
    c.Brush().SetColor(clBlack);
    if (state_ == gsColSizing) {
        int x = sizingPos_ + sizingOffset_;
        c.FillRect({x, 0, x + std::max(1, gridLineWidth_), ClientHeight()});
    } else if (state_ == gsRowSizing) {
        int y = sizingPos_ + sizingOffset_;
        c.FillRect({0, y, ClientWidth(), y + std::max(1, gridLineWidth_)});
    } else if (state_ == gsColMoving && movePos_ >= 0) {
        int l = ColLeft(movePos_);
        if (l >= 0) {
            int x = movePos_ > moveIndex_ ? l + ColWidths(movePos_) : l;
            c.FillRect({x - 1, 0, x + 2, ClientHeight()});
        }
    } else if (state_ == gsRowMoving && movePos_ >= 0) {
        int t = RowTop(movePos_);
        if (t >= 0) {
            int y = movePos_ > moveIndex_ ? t + RowHeights(movePos_) : t;
            c.FillRect({0, y - 1, ClientWidth(), y + 2});
        }
    }
    c.RestoreState();
}

void TCustomGrid::UpdateScrollRange()
{
    CheckCounts();
    if (!host_) return;
    TGridScrollInfo h, v;
    h.Min = fixedCols_;
    h.Max = MaxLeftCol();
    h.Page = VisibleColCount();
    h.Pos = topLeft_.X;
    h.Visible = h.Max > h.Min;
    v.Min = fixedRows_;
    v.Max = MaxTopRow();
    v.Page = VisibleRowCount();
    v.Pos = topLeft_.Y;
    v.Visible = v.Max > v.Min;
    h.Enabled = h.Visible;
    v.Enabled = v.Visible;
    h.Visible = h.Visible || keepHorzBar_;
    v.Visible = v.Visible || keepVertBar_;
    AdjustScrollInfo(h, v);
    if (scrollBars_ != TScrollStyle::ssHorizontal && scrollBars_ != TScrollStyle::ssBoth) h.Visible = false;
    if (scrollBars_ != TScrollStyle::ssVertical && scrollBars_ != TScrollStyle::ssBoth) v.Visible = false;
    host_->UpdateScrollBars(h, v);
}

void TCustomGrid::SetScrollBars(TScrollStyle s)
{
    if (s == scrollBars_) return;
    scrollBars_ = s;
    UpdateScrollRange();
}

void TCustomGrid::SetScrollBarsKept(bool horz, bool vert)
{
    if (horz == keepHorzBar_ && vert == keepVertBar_) return;
    keepHorzBar_ = horz;
    keepVertBar_ = vert;
    UpdateScrollRange();
}

void TCustomGrid::HandleHorzScroll(int pos) { MoveTopLeft(pos, topLeft_.Y); }
void TCustomGrid::HandleVertScroll(int pos) { MoveTopLeft(topLeft_.X, pos); }

void TCustomGrid::ThumbTracked(bool Vertical, int Pos)
{
    if (!options_.Contains(goThumbTracking)) return;
    if (Vertical)
        MoveTopLeft(topLeft_.X, Pos);
    else
        MoveTopLeft(Pos, topLeft_.Y);
}

void TCustomGrid::HandleResize()
{
    TGridCoord before = topLeft_;
    UpdateScrollRange();
    if (!(before == topLeft_)) TopLeftChanged();
    InvalidateEditor();
    Invalidate();
    Resize();
}

// --- messages and timers

void TCustomGrid::PostMessage(unsigned msg, std::intptr_t w, std::intptr_t l)
{
    TMessage m;
    m.Msg = msg;
    m.WParam = w;
    m.LParam = l;
    if (host_)
        host_->PostMessage(m);
    else
        posted_.push_back(m);
}

int TCustomGrid::DeliverPostedMessages()
{
    int n = 0;
    while (!posted_.empty()) {
        std::vector<TMessage> batch;
        batch.swap(posted_);
        for (TMessage& m : batch) {
            WndProc(m);
            ++n;
        }
    }
    return n;
}

void TCustomGrid::SetTimer(int id, int ms)
{
    timers_[id] = ms;
    if (host_) host_->SetTimer(id, ms);
}

void TCustomGrid::KillTimer(int id)
{
    timers_.erase(id);
    if (host_) host_->KillTimer(id);
}

bool TCustomGrid::TimerRunning(int id) const { return timers_.count(id) != 0; }

// --- TStringGrid ------------------------------------------------------------------------

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

const TStringGrid::Cell* TStringGrid::Find(int c, int r) const
{
    if (c < 0 || r < 0) return nullptr;
    auto rit = rows_.find(r);
    if (rit == rows_.end()) return nullptr;
    auto cit = rit->second.find(c);
    return cit == rit->second.end() ? nullptr : &cit->second;
}

TStringGrid::Cell* TStringGrid::Slot(int c, int r)
{
    if (c < 0 || r < 0) return nullptr;
    return &rows_[r][c];
}

void TStringGrid::Tidy(int c, int r)
{
    auto rit = rows_.find(r);
    if (rit == rows_.end()) return;
    auto cit = rit->second.find(c);
    if (cit != rit->second.end() && cit->second.text.empty() && !cit->second.object) rit->second.erase(cit);
    if (rit->second.empty()) rows_.erase(rit);
}

std::string TStringGrid::Cells(int ACol, int ARow) const
{
    const Cell* cell = Find(ACol, ARow);
    return cell ? cell->text : std::string();
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value)
{
    Cell* cell = Slot(ACol, ARow);
    if (!cell) return;
    bool changed = cell->text != Value;
    cell->text = Value;
    Tidy(ACol, ARow);
    if (changed) InvalidateCell(ACol, ARow);
}

TObject* TStringGrid::Objects(int ACol, int ARow) const
{
    const Cell* cell = Find(ACol, ARow);
    return cell ? cell->object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value)
{
    Cell* cell = Slot(ACol, ARow);
    if (!cell) return;
    cell->object = Value;
    Tidy(ACol, ARow);
}

std::vector<std::string> TStringGrid::Rows(int ARow) const
{
    std::vector<std::string> v;
    for (int c = 0; c < ColCount(); ++c) v.push_back(Cells(c, ARow));
    return v;
}

void TStringGrid::SetRows(int ARow, const std::vector<std::string>& texts)
{
    for (int c = 0; c < ColCount(); ++c) SetCells(c, ARow, c < int(texts.size()) ? texts[size_t(c)] : std::string());
}

std::vector<std::string> TStringGrid::Cols(int ACol) const
{
    std::vector<std::string> v;
    for (int r = 0; r < RowCount(); ++r) v.push_back(Cells(ACol, r));
    return v;
}

void TStringGrid::SetCols(int ACol, const std::vector<std::string>& texts)
{
    for (int r = 0; r < RowCount(); ++r) SetCells(ACol, r, r < int(texts.size()) ? texts[size_t(r)] : std::string());
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (DefaultDrawing() && Canvas()) {
        TCanvas& c = *Canvas();
        c.SetBkMode(bkTransparent);
        c.TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
    }
    TCustomGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    int lo = std::min(FromIndex, ToIndex), hi = std::max(FromIndex, ToIndex);
    for (auto& [r, row] : rows_) {
        // Rotate the cells lo..hi by one place.
        std::vector<Cell> span;
        for (int c = lo; c <= hi; ++c) {
            auto it = row.find(c);
            span.push_back(it == row.end() ? Cell{} : it->second);
        }
        if (FromIndex < ToIndex)
            std::rotate(span.begin(), span.begin() + 1, span.end());
        else
            std::rotate(span.rbegin(), span.rbegin() + 1, span.rend());
        for (int c = lo; c <= hi; ++c) {
            const Cell& v = span[size_t(c - lo)];
            if (v.text.empty() && !v.object)
                row.erase(c);
            else
                row[c] = v;
        }
    }
    for (auto it = rows_.begin(); it != rows_.end();)
        it = it->second.empty() ? rows_.erase(it) : std::next(it);
    TCustomGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    int lo = std::min(FromIndex, ToIndex), hi = std::max(FromIndex, ToIndex);
    std::vector<RowData> span;
    for (int r = lo; r <= hi; ++r) {
        auto it = rows_.find(r);
        span.push_back(it == rows_.end() ? RowData{} : std::move(it->second));
        if (it != rows_.end()) rows_.erase(it);
    }
    if (FromIndex < ToIndex)
        std::rotate(span.begin(), span.begin() + 1, span.end());
    else
        std::rotate(span.rbegin(), span.rbegin() + 1, span.rend());
    for (int r = lo; r <= hi; ++r)
        if (!span[size_t(r - lo)].empty()) rows_[r] = std::move(span[size_t(r - lo)]);
    TCustomGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::ExchangeRowCells(int ARow1, int ARow2)
{
    if (ARow1 < 0 || ARow2 < 0 || ARow1 == ARow2) return;
    auto a = rows_.find(ARow1), b = rows_.find(ARow2);
    if (a != rows_.end() && b != rows_.end())
        std::swap(a->second, b->second);
    else if (a != rows_.end()) {
        rows_[ARow2] = std::move(a->second);
        rows_.erase(ARow1);
    } else if (b != rows_.end()) {
        rows_[ARow1] = std::move(b->second);
        rows_.erase(ARow2);
    }
}

void TStringGrid::DeleteColumn(int ACol)
{
    if (ACol < 0 || ACol >= ColCount()) IndexOutOfRange();
    TCustomGrid::DeleteColumn(ACol);  // moves the column to the end, then drops it
    for (auto& [r, row] : rows_) row.erase(ColCount());
    for (auto it = rows_.begin(); it != rows_.end();)
        it = it->second.empty() ? rows_.erase(it) : std::next(it);
}

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    // Rows beyond the count are dropped; cells beyond the column count stay
    // (hidden columns keep their cells there).
    if (RowCount() < OldRowCount) rows_.erase(rows_.lower_bound(RowCount()), rows_.end());
    TCustomGrid::SizeChanged(OldColCount, OldRowCount);
}

void TStringGrid::DeleteRow(int ARow)
{
    if (ARow < 0 || ARow >= RowCount()) IndexOutOfRange();
    TCustomGrid::DeleteRow(ARow);  // moves the row to the end, then drops it
}

std::string TStringGrid::GetEditText(int ACol, int ARow)
{
    std::string s = Cells(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, s);
    return s;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value)
{
    if (Cells(ACol, ARow) != Value) SetCells(ACol, ARow, Value);
    TCustomGrid::SetEditText(ACol, ARow, Value);
}
