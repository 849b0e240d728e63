// TExStringGrid: the grid's notifications (the balloon text of the cell
// under the mouse, selection changes, row insertion and removal for the
// keyboard, fixed-cell editor and block-focus events), the focus helper
// around the cell being edited, and the text of a cell for saving and
// loading. There is no design mode here, so the design panel never shows.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridUtil.h"
#include "widgets/grid_render/Html_Render.h"
#include "widgets/grid_render/Editor_Text.h"
#include "widgets/grid_render/Editor_Controls.h"

#include "platform/FocusFrame.h"

#include <algorithm>

TExStringGrid* TExStringGrid::HookedGrid = nullptr;

// --- balloon text ----------------------------------------------------------------------------

namespace {

// At most n UTF-16 units of w (a surrogate pair is not split).
WideString CutUnits(const WideString& w, size_t n)
{
    if (w.size() <= n) return w;
    if (n > 0 && w[n - 1] >= 0xD800 && w[n - 1] <= 0xDBFF) --n;
    return w.substr(0, n);
}

} // namespace

bool TExStringGrid::BalloonTipText(int X, int Y, std::string& Title, std::string& Text, int& Icon)
{
    if (!FParts->Edit.FBalloonEnabled) return false;
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    int rc = -1;
    WideString t;
    if (c >= 0 && r >= 0) {
        int bc = c, br = r;
        GetBaseCellPos(Model().RealCol(c), r, bc, br);
        rc = bc;
        r = br;
        c = Model().DisplCol(bc);
        std::string s = Cells(rc, r);
        switch (CellTextKind(s, EnableHTML)) {
        case ctkHTML: s = HTMLToPlainText(s); break;
        case ctkRichText: ZEL_GRID_NOT_BUILT();
        case ctkWideText: break;
        default: break;
        }
        t = CellTextKind(s, EnableHTML) == ctkWideText ? WideCells(rc, r) : Utf8ToWide(s);
    }
    // Tabs inside the text show as blanks.
    for (size_t i = 0; i + 1 < t.size(); ++i)
        if (t[i] == u'\t') t[i] = u' ';
    size_t skip = 0;
    while (skip < t.size() && (t[skip] == u'\r' || t[skip] == u'\n' || t[skip] == u'\t')) ++skip;
    t = t.substr(skip);
    if (t.size() > 2048) t = CutUnits(t, 2045) + u"...";
    Text = WideToUtf8(t);
    Icon = 1;
    Title = " ";
    if (OnCellBalloon) OnCellBalloon(this, rc, r, Title, Text, Icon);
    FParts->Edit.FLastBalloonPos = {c, r};
    // The tooltip's buffer holds BalloonTextMax characters whatever a
    // handler gave; a title more than 100 characters long is shortened.
    Text = WideToUtf8(CutUnits(Utf8ToWide(Text), BalloonTextMax));
    const WideString title = Utf8ToWide(Title);
    if (title.size() > 100) Title = WideToUtf8(CutUnits(title, 97)) + "...";
    return true;
}

void TGridEditPart::DateTimeChanged(double ADateTime)
{
    if (G.OnDateTimeChange) G.OnDateTimeChange(&G, G.Col(), G.Row(), ADateTime);
}

// --- focus helper --------------------------------------------------------------------------

TRect TExStringGrid::FocusWindowRect(const TRect& CellRect)
{
    const int w = CellRect.Right - CellRect.Left + 9;
    const int h = CellRect.Bottom - CellRect.Top + 9;
    return {CellRect.Left - 4, CellRect.Top - 4, CellRect.Left - 4 + w, CellRect.Top - 4 + h};
}

namespace {

TRect ToScreen(TExStringGrid& g, const TRect& r)
{
    const TPoint tl = g.ClientToScreen({r.Left, r.Top});
    return {tl.X, tl.Y, tl.X + r.Right - r.Left, tl.Y + r.Bottom - r.Top};
}

} // namespace

void TGridEditPart::ShowFocusWindow(const TRect& ARect)
{
    if (IsRectEmpty(ARect) || !G.HandleAllocated()) return;
    if (!FFocusFrame) {
        auto frame = std::make_shared<TFocusFrameWindow>();
        frame->OnWindowMoved = [this] {
            if (TExStringGrid::HookedGrid == &G) MoveFocusWindow();
        };
        FFocusFrame = frame;
    }
    auto* frame = static_cast<TFocusFrameWindow*>(FFocusFrame.get());
    TExStringGrid::HookedGrid = &G;
    const TRect w = TExStringGrid::FocusWindowRect(ARect);
    const TRect hole{4, 4, 4 + ARect.Right - ARect.Left, 4 + ARect.Bottom - ARect.Top};
    frame->ShowRing(ToScreen(G, w), hole, 0xFDD397, 230);
}

void TGridEditPart::MoveFocusWindow()
{
    if (!FFocusFrame || !G.HandleAllocated()) return;
    const TRect cell = G.CellRect(G.Col(), G.Row());
    if (IsRectEmpty(cell)) return;
    static_cast<TFocusFrameWindow*>(FFocusFrame.get())->MoveTo(ToScreen(G, TExStringGrid::FocusWindowRect(cell)));
}

void TGridEditPart::HideFocusWindow()
{
    if (TExStringGrid::HookedGrid == &G) TExStringGrid::HookedGrid = nullptr;
    if (FFocusFrame) static_cast<TFocusFrameWindow*>(FFocusFrame.get())->Hide();
}

bool TExStringGrid::FocusWindowShowing() const
{
    return FParts->Edit.FFocusFrame && static_cast<TFocusFrameWindow*>(FParts->Edit.FFocusFrame.get())->Visible();
}

// --- the editors' text changes ---------------------------------------------------------------

void TGridEditPart::EditControlChanged()
{
    // Not while a mouse press is opening the editor, nor before an editor
    // was ever opened or after it closed.
    if (!FShowEditProcess || G.FParts->Input.FEditStart || !FEditMode) return;
    std::string text;
    switch (G.CurrentEditor()) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
    case edPositiveFloat: {
        const TExInplaceEdit* ed = G.NormalEdit();
        if (!ed) return;
        text = ed->Text();
        break;
    }
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
        const TGridSpin* spin = G.Editors().SpinIfMade();
        if (!spin) return;
        text = spin->Text();
        break;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn: {
        const TGridEditBtn* btn = G.Editors().EditBtnIfMade();
        if (!btn) return;
        text = btn->Text();
        break;
    }
    default: return; // the other editors write their value when they close
    }
    G.SetEditText(G.Col(), G.Row(), text);
}

// --- column widths following the grid's width -------------------------------------------------

void TExStringGridPrivate::SynchColumnWidths()
{
    if (!G.FParts->FColumnSize->SynchWithGrid || G.FParts->FOrigGridWidth <= 0 || G.Width() <= 0) return;
    G.HideInplaceEdit();
    const double ratio = static_cast<double>(G.Width()) / G.FParts->FOrigGridWidth;
    const bool normalOnly = G.FParts->FColumnSize->SynchNormalCellsOnly;
    const int from = normalOnly ? G.FixedCols() : 0;
    const int to = normalOnly ? G.ColCount() - G.FixedRightCols - 1 : G.ColCount() - 1;
    for (int c = std::max(from, 0); c <= to && c < G.FParts->FOrigColSizes.Count(); ++c)
        G.SetColWidths(c, static_cast<int>(G.FParts->FOrigColSizes.Items(c) * ratio));
}

// --- event-firing operations ---------------------------------------------------------------

void TExStringGrid::SelectionChanged(int ALeft, int ATop, int ARight, int ABottom)
{
    if (FParts->FLook == glVista || FParts->FLook == glWin7 || FParts->FLook == glOffice2007) {
        const TGridRect s = Selection();
        RepaintRect(TRect{s.Left, s.Top, s.Right, s.Bottom});
    }
    FParts->Edit.FSelChange = true;
    if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TExStringGrid::FireFixedEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, TStringList* Values)
{
    if (OnFixedEdit) OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TExStringGrid::AutoInsertRow(int ARow)
{
    if (!HasNodes()) {
        InsertRows(ARow, 1, true);
        return;
    }
    if (GetParentRow(Model().DisplRow(ARow)) == -1)
        InsertNormalRow(ARow);
    else
        InsertChildRow(ARow, 0);
}

void TExStringGrid::AutoDeleteRow(int ARow)
{
    if (HasNodes()) {
        if (GetParentRow(ARow) == -1)
            RemoveNormalRow(ARow);
        else
            RemoveChildRow(ARow);
    } else if (RowCount() - FixedRows() - FixedFooters != 1 || FixedRowAlways) {
        RemoveRows(ARow, 1);
    } else {
        // The only data row is emptied, not removed.
        ClearRows(ARow, 1);
    }
    if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

std::string TExStringGrid::FireEllipsClick(const std::string& S)
{
    std::string result = S;
    if (OnEllipsClick) OnEllipsClick(this, Model().RealCol(Col()), Row(), result);
    return result;
}

void TExStringGrid::FireStartBlockFocus(int)
{
    if (OnStartBlockFocus) OnStartBlockFocus(this);
}

void TExStringGrid::FireEndBlockFocus(int)
{
    if (OnEndBlockFocus) OnEndBlockFocus(this);
}

// This platform has no form designer: the design panel never shows.
void TExStringGrid::PaintDesignHelper() {}
void TExStringGrid::DesignHelperClick(int, int) {}

// --- text of a cell for saving and loading --------------------------------------------------

std::string TExStringGrid::GetSaveCell(int ACol, int ARow)
{
    std::string value = SaveVirtCells ? GetFormattedCell(ACol, ARow) : GetGridCell(ACol, ARow);
    if (value.empty()) {
        const TCellType t = GetCellType(ACol, ARow);
        if (t == ctCheckBox) {
            bool state = false;
            GetCheckBoxState(ACol, Model().RealRow(ARow), state);
            value = state ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow);
        } else if (t == ctTriStateCheckBox) {
            TCheckBoxState state = cbUnchecked;
            GetCheckBoxState(ACol, Model().RealRow(ARow), state);
            value = state == cbChecked ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow);
        }
    }
    switch (CellTextKind(value, true)) {
    case ctkHTML:
        if (!SaveWithHTML) value = HTMLToPlainText(value);
        break;
    case ctkRichText:
        if (!SaveWithRTF) ZEL_GRID_NOT_BUILT(); // the plain text of rich text needs the rich editor
        value.erase(std::remove_if(value.begin(), value.end(), [](char ch) { return ch == '\r' || ch == '\n'; }),
                    value.end());
        break;
    default: break;
    }
    if (OnSaveCell) OnSaveCell(this, ACol, ARow, value);
    return value;
}

void TExStringGrid::SetLoadCell(int ACol, int ARow, const std::string& Value)
{
    std::string v = Value;
    if (OnLoadCell) OnLoadCell(this, ACol, ARow, v);
    SetGridCell(ACol, ARow, v);
}
