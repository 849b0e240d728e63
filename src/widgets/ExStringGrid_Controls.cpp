// TExStringGrid: check boxes and radio controls in cells, and the other
// cell graphics (buttons, expand buttons, ratings, scroll bars ...).
//
// Columns are real columns. Rows are displayed rows, except that the
// Boolean and tri-state reads and writes of a check box take the real row
// while rows are hidden (a hidden row's box is read from its saved copy).

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"
#include "widgets/GridControlLook.h"

#include "widgets/GridUndo.h"

namespace {

TCellVAlign CheckVAlign(TVAlignment v)
{
    switch (v) {
    case vtaCenter: return vaCenter;
    case vtaBottom: return vaBottom;
    default: return vaTop;
    }
}

bool IsToggledKind(TCellType t)
{
    switch (t) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox: return true;
    default: return false;
    }
}

// The control look (check size) belongs to the painter; until it exists
// the grid uses the look's default size.
constexpr int DefaultCheckSize = 15;

} // namespace

// --- finding the check box of a cell ---------------------------------------------------------

TCellGraphic* TExStringGridPrivate::CheckBoxGraphic(int ACol, int ARow, bool& ByRealRow)
{
    ByRealRow = G.NumHiddenRows() > 0;
    if (!ByRealRow) return G.GetCellGraphic(ACol, ARow);
    if (ACol < 0 || ARow < 0) return nullptr;
    // A shown real row is the displayed row it occupies: the grid's own
    // answer (own, virtual or row check box) holds.
    if (!G.IsHiddenRow(ARow)) return G.GetCellGraphic(ACol, G.Model().DisplRow(ARow));
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) {
        FRowCheckBox->CellType = ctRowCheckBox;
        return FRowCheckBox.get();
    }
    // A hidden row: only the graphic saved with its cell. (The displayed
    // cell at the same index belongs to another row and is never consulted.)
    auto* p = dynamic_cast<TCellProperties*>(G.HiddenRowObject(ACol, ARow));
    return p ? dynamic_cast<TCellGraphic*>(p->GraphicObject) : nullptr;
}

void TExStringGridPrivate::RepaintRealRowCell(int ACol, int ARow)
{
    const int d = G.NumHiddenRows() > 0 ? G.Model().DisplRow(ARow) : ARow;
    G.RepaintCell(G.Model().DisplCol(ACol), d);
}

TCellGraphic* TExStringGridPrivate::NewCheckGraphic(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= G.AllColCount() || ARow >= G.AllRowCount()) throw EExGridError("Invalid cell");
    return G.CreateCellGraphic(ACol, ARow);
}

// --- type tests -----------------------------------------------------------------------------

bool TExStringGridPrivate::HasCellGraphicType(int ACol, int ARow, std::initializer_list<TCellType> Types)
{
    if (ACol < 0 || ARow < 0) return false;
    const TPoint b = G.BaseCell(ACol, ARow);
    const TCellType t = G.GetCellType(b.X, b.Y);
    for (TCellType x : Types)
        if (x == t) return true;
    return false;
}

bool TExStringGrid::HasCheckBox(int ACol, int ARow)
{
    return FParts->HasCellGraphicType(ACol, ARow,
                                      {ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctTriStateCheckBox});
}

bool TExStringGrid::HasDataCheckBox(int ACol, int ARow)
{
    return FParts->HasCellGraphicType(ACol, ARow, {ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox});
}

bool TExStringGrid::HasClickableGraphic(int ACol, int ARow)
{
    return FParts->HasCellGraphicType(ACol, ARow,
                                      {ctCheckBox, ctDataCheckBox, ctRadio, ctButton, ctVirtCheckBox, ctRowCheckBox,
                                       ctRadioButton, ctTriStateCheckBox});
}

bool TExStringGrid::IsVirtualGraphicCell(int ACol, int ARow)
{
    return FParts->HasCellGraphicType(ACol, ARow, {ctDataCheckBox, ctDataImage, ctVirtCheckBox, ctRowCheckBox});
}

bool TExStringGrid::IsRadio(int ACol, int ARow) { return FParts->HasCellGraphicType(ACol, ARow, {ctRadio}); }

bool TExStringGrid::HasRadioButton(int ACol, int ARow)
{
    return FParts->HasCellGraphicType(ACol, ARow, {ctRadioButton});
}

// --- check boxes --------------------------------------------------------------------------------

void TExStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data)
{
    TCellGraphic* g = FParts->NewCheckGraphic(ACol, ARow);
    g->SetCheckBox(State, Data, true, haBeforeText, CheckVAlign(VAlignment));
    if (!Data) return;
    // A text that already is a check text keeps the box's state; any other
    // text is replaced by the grid-wide text of the given state.
    const std::string t = Cells(ACol, ARow);
    if (t != CheckTrue && t != CheckFalse) SetCells(ACol, ARow, State ? CheckTrue : CheckFalse);
}

void TExStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState State)
{
    TCellGraphic* g = FParts->NewCheckGraphic(ACol, ARow);
    g->SetCheckBox(State, true, haBeforeText, CheckVAlign(VAlignment));
}

void TExStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox)
{
    const int from = FParts->FMouseActions->CheckAllCheck ? 0 : FixedRows();
    for (int r = from; r < RowCount(); ++r) {
        if (IsSummary(r)) continue;
        if (IsNode(r))
            AddCheckBox(ACol, r, cbUnchecked);
        else
            AddCheckBox(ACol, r, DefaultState, DataCheckBox);
    }
}

void TExStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State)
{
    const int from = FParts->FMouseActions->CheckAllCheck ? 0 : FixedRows();
    for (int r = from; r < RowCount(); ++r) AddCheckBox(ACol, r, State);
}

void TExStringGrid::RemoveCheckBox(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    if (g->CellType != ctCheckBox && g->CellType != ctDataCheckBox && g->CellType != ctTriStateCheckBox) return;
    // An attached balloon's strings are freed with the record.
    RemoveCellGraphic(ACol, ARow);
}

void TExStringGrid::RemoveCheckBoxColumn(int ACol)
{
    const int from = FParts->FMouseActions->CheckAllCheck ? 0 : FixedRows();
    for (int r = from; r < RowCount(); ++r)
        if (HasCheckBox(ACol, r)) RemoveCheckBox(ACol, r);
}

bool TExStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State)
{
    bool byReal = false;
    const TCellGraphic* g = FParts->CheckBoxGraphic(ACol, ARow, byReal);
    if (!g) return false;
    switch (g->CellType) {
    case ctCheckBox: State = g->CellBoolean; return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        State = (byReal ? AllCells(ACol, ARow) : Cells(ACol, ARow)) == GetCheckTrue(ACol, ARow);
        return true;
    case ctRowCheckBox:
        if (ACol != 0) return false;
        State = RowSelect(ARow);
        return true;
    default:
        // A tri-state box has three states: the Boolean read gives no
        // answer for it (its own form does).
        return false;
    }
}

bool TExStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State)
{
    bool byReal = false;
    const TCellGraphic* g = FParts->CheckBoxGraphic(ACol, ARow, byReal);
    if (!g) return false;
    switch (g->CellType) {
    case ctCheckBox: State = BoolToCheckBoxState(g->CellBoolean); return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        State = BoolToCheckBoxState((byReal ? AllCells(ACol, ARow) : Cells(ACol, ARow)) == GetCheckTrue(ACol, ARow));
        return true;
    case ctTriStateCheckBox: State = g->CellCheckBoxState; return true;
    case ctRowCheckBox:
        if (ACol != 0) return false;
        State = BoolToCheckBoxState(RowSelect(ARow));
        return true;
    default: return false;
    }
}

bool TExStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    bool byReal = false;
    TCellGraphic* g = FParts->CheckBoxGraphic(ACol, ARow, byReal);
    if (!g) return false;
    switch (g->CellType) {
    case ctCheckBox:
        g->CellBoolean = State;
        FParts->RepaintRealRowCell(ACol, ARow);
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        const std::string v = State ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow);
        if (byReal)
            SetAllCells(ACol, ARow, v);
        else
            SetCells(ACol, ARow, v);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0) return false;
        SetRowSelect(ARow, State);
        return true;
    default: return false;
    }
}

bool TExStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State)
{
    bool byReal = false;
    TCellGraphic* g = FParts->CheckBoxGraphic(ACol, ARow, byReal);
    if (!g || g->CellType != ctTriStateCheckBox) return false;
    g->CellCheckBoxState = State;
    FParts->RepaintRealRowCell(ACol, ARow);
    return true;
}

bool TExStringGrid::IsChecked(int ACol, int ARow)
{
    bool state = false;
    return GetCheckBoxState(ACol, ARow, state) && state;
}

void TExStringGrid::FireCheckBoxChange(int ACol, int ARow, bool State)
{
    if (OnCheckBoxChange) OnCheckBoxChange(this, ACol, ARow, State);
}

bool TExStringGrid::ApplyCheckBoxState(int ACol, int ARow, bool State)
{
    // ARow is displayed: the cell's own, virtual or row check box.
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    switch (g->CellType) {
    case ctCheckBox:
        if (State != g->CellBoolean) {
            g->CellBoolean = State;
            FireCheckBoxChange(ACol, ARow, State);
            RepaintCell(Model().DisplCol(ACol), ARow);
        }
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        const bool was = Cells(ACol, ARow) == GetCheckTrue(ACol, ARow);
        SetCells(ACol, ARow, State ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow));
        if (State != was) FireCheckBoxChange(ACol, ARow, State);
        return true;
    }
    case ctRowCheckBox: {
        if (ACol != 0) return false;
        const int real = NumHiddenRows() > 0 ? Model().RealRow(ARow) : ARow;
        if (State != RowSelect(real)) {
            SetRowSelect(real, State);
            FireCheckBoxChange(ACol, ARow, State);
        }
        return true;
    }
    default: return false;
    }
}

void TExStringGrid::CheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) ApplyCheckBoxState(ACol, r, true);
    if (NumHiddenColumns() > 0) InvalidateCol(Model().DisplCol(ACol));
}

void TExStringGrid::UnCheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) ApplyCheckBoxState(ACol, r, false);
}

bool TExStringGrid::ToggleCellCheckBox(int ACol, int ARow, bool UserAction)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;

    // Where the row stands in the node tree, taken before anything changes.
    const bool autoCheck = FParts->FGrouping->AutoCheckGroup;
    bool nodeRow = false;
    bool nodeContracted = false;
    int nodeSpan = 0;
    int parent = -1;
    if (autoCheck) {
        nodeRow = IsNode(ARow);
        if (nodeRow) {
            nodeSpan = GetNodeSpan(ARow);
            nodeContracted = GetNodeState(ARow);
        } else {
            parent = GetParentRow(ARow);
        }
    }

    if (!IsToggledKind(g->CellType)) return false;
    if (UserAction && !FParts->FControlLook->CheckAlwaysActive) {
        bool allow = true;
        CanEditCell(ACol, ARow, allow);
        if (!allow) return false;
    }

    bool newState = false;
    switch (g->CellType) {
    case ctCheckBox:
        g->CellBoolean = !g->CellBoolean;
        newState = g->CellBoolean;
        break;
    case ctTriStateCheckBox:
        if (autoCheck && nodeRow) {
            g->CellCheckBoxState = g->CellCheckBoxState == cbChecked ? cbUnchecked : cbChecked;
            newState = g->CellCheckBoxState == cbChecked;
        } else {
            switch (g->CellCheckBoxState) {
            case cbUnchecked: g->CellCheckBoxState = cbGrayed; break;
            case cbGrayed: g->CellCheckBoxState = cbChecked; break;
            default: g->CellCheckBoxState = cbUnchecked; break;
            }
            newState = false;
        }
        break;
    case ctRowCheckBox: {
        // The state of a row check box is the row's selection flag.
        const int real = NumHiddenRows() > 0 ? Model().RealRow(ARow) : ARow;
        newState = !RowSelect(real);
        SetRowSelect(real, newState);
        break;
    }
    default:
        if (Cells(ACol, ARow) == GetCheckTrue(ACol, ARow)) {
            SetCells(ACol, ARow, GetCheckFalse(ACol, ARow));
            newState = false;
        } else {
            SetCells(ACol, ARow, GetCheckTrue(ACol, ARow));
            newState = true;
        }
        break;
    }

    RepaintCell(Model().DisplCol(ACol), ARow);
    FireCheckBoxChange(ACol, ARow, newState);

    if (autoCheck) FParts->SyncGroupCheckBoxes(ACol, ARow, nodeRow, nodeSpan, nodeContracted, parent, newState);

    if (TExGridUndoRedo* u = UndoRedo()) {
        const std::string t = GetCheckTrue(ACol, ARow);
        const std::string f = GetCheckFalse(ACol, ARow);
        if (newState)
            u->RegisterChange(ACol, ARow, f, t);
        else
            u->RegisterChange(ACol, ARow, t, f);
    }
    return true;
}

void TExStringGridPrivate::SyncGroupCheckBoxes(int ACol, int ARow, bool NodeRow, int NodeSpan, bool NodeContracted,
                                        int Parent, bool NewState)
{
    const bool mapped = G.NumHiddenRows() > 0;
    auto real = [&](int d) { return mapped ? G.Model().RealRow(d) : d; };
    if (NodeRow) {
        // The node's box sets the boxes of its rows (hidden ones too).
        for (int i = 1; i < NodeSpan; ++i) {
            const int r = NodeContracted ? real(ARow) + i : real(ARow + i);
            G.SetCheckBoxState(ACol, r, NewState);
        }
        return;
    }
    if (Parent < 0) return;
    // A row of a node: the node's box shows whether its rows agree.
    const int span = G.GetNodeSpan(Parent);
    bool any = false;
    bool all = true;
    for (int i = 1; i < span; ++i) {
        bool st = false;
        G.GetCheckBoxState(ACol, real(Parent + i), st);
        any = any || st;
        all = all && st;
    }
    const TCheckBoxState s = all ? cbChecked : (any ? cbGrayed : cbUnchecked);
    G.SetCheckBoxState(ACol, real(Parent), s);
}

bool TExStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    switch (g->CellType) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton:
    case ctTriStateCheckBox: break;
    default: return false;
    }
    if (!FParts->FMouseActions->PreciseCheckBoxCheck) return true;

    const int cs = DefaultCheckSize;
    const TRect r = CellRect(Model().DisplCol(ACol), ARow);
    int top = 0;
    switch (g->CellVAlign) {
    case vaTop: top = r.Top + 2; break;
    case vaBottom: top = r.Bottom - cs - 2; break;
    case vaCenter: top = r.Top + (r.Bottom - r.Top - cs) / 2; break;
    default: top = 0; break;
    }
    TAlignment ha = DefaultAlignment;
    TVAlignment va = VAlignment;
    GetCellAlign(ACol, ARow, ha, va);
    int left = r.Left + 2;
    if (ha == TAlignment::taRightJustify) {
        left = r.Right - cs - 2;
        const std::string text = Cells(ACol, ARow);
        if (!text.empty()) left -= Canvas()->TextWidth(text);
    } else if (ha == TAlignment::taCenter) {
        left = r.Left + (r.Right - r.Left - cs) / 2;
    }
    return XPos >= left && XPos < left + cs && YPos >= top && YPos < top + cs;
}

// --- radio groups ---------------------------------------------------------------------------

void TExStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TCellStrings* sl)
{
    TCellGraphic* g = FParts->NewCheckGraphic(ACol, ARow);
    g->CellType = ctRadio;
    g->CellBitmap = sl; // the caller's list: not owned
    g->CellCreated = false;
    g->CellAngle = sl ? sl->Count() : 0;
    g->CellBoolean = DirRadio != 0;
    g->CellIndex = IdxRadio;
}

TCellStrings* TExStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio)
{
    TCellGraphic* g = FParts->NewCheckGraphic(ACol, ARow);
    auto* sl = new TCellStrings;
    g->CellType = ctRadio;
    g->CellBitmap = sl;
    g->CellCreated = true; // freed with the record
    g->CellAngle = 0;
    g->CellBoolean = DirRadio != 0;
    g->CellIndex = IdxRadio;
    return sl;
}

bool TExStringGrid::GetRadioIdx(int ACol, int ARow, int& IdxRadio)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRadio) return false;
    IdxRadio = g->CellIndex;
    return true;
}

bool TExStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRadio) return false;
    g->CellIndex = IdxRadio;
    if (IdxRadio == -1) SetCells(ACol, ARow, "");
    RepaintCell(Model().DisplCol(ACol), ARow);
    return true;
}

TCellStrings* TExStringGrid::GetRadioStrings(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return nullptr;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g || g->CellType != ctRadio) return nullptr;
    return dynamic_cast<TCellStrings*>(g->CellBitmap);
}

void TExStringGrid::RemoveRadio(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadio); }

bool TExStringGrid::CycleRadioCell(int ACol, int ARow, bool UserAction)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRadio) return false;
    if (UserAction && !FParts->FControlLook->RadioAlwaysActive) {
        bool allow = true;
        CanEditCell(ACol, ARow, allow);
        if (!allow) return false;
    }
    const auto* items = dynamic_cast<const TCellStrings*>(g->CellBitmap);
    // A group without items has nothing to step to.
    if (!items || items->Count() == 0) return false;
    int next = g->CellIndex >= 0 ? g->CellIndex + 1 : items->IndexOf(Cells(ACol, ARow)) + 1;
    if (next >= items->Count()) next = 0;
    // An index below -1 keeps the group driven by the cell text alone.
    if (g->CellIndex >= -1) g->CellIndex = next;
    g->CellVar = static_cast<long long>(next);
    SetCells(ACol, ARow, items->Strings(next));
    return false;
}

// --- radio buttons ----------------------------------------------------------------------------

void TExStringGrid::AddRadioButton(int ACol, int ARow, bool State)
{
    TCellGraphic* g = FParts->NewCheckGraphic(ACol, ARow);
    g->SetRadioButton(State, true, haBeforeText, CheckVAlign(VAlignment));
}

void TExStringGrid::AddRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) AddRadioButton(ACol, r, false);
}

void TExStringGrid::RemoveRadioButton(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadioButton); }

void TExStringGrid::RemoveRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (HasRadioButton(ACol, r)) RemoveRadioButton(ACol, r);
}

bool TExStringGrid::IsRadioButtonChecked(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && g->CellType == ctRadioButton && g->CellBoolean;
}

bool TExStringGrid::SetRadioButtonState(int ACol, int ARow, bool State)
{
    if (ACol < 0 || ARow < 0) return false;
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g || g->CellType != ctRadioButton) return false;
    if (g->CellBoolean != State) {
        g->CellBoolean = State;
        RepaintCell(Model().DisplCol(b.X), b.Y);
    }
    return true;
}

void TExStringGrid::SetRadioButtonColumnIndex(int ACol, int Index)
{
    for (int r = FixedRows(); r < RowCount(); ++r) SetRadioButtonState(ACol, r, r == Index);
}

int TExStringGrid::GetRadioButtonColumnIndex(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r)) return r;
    return -1;
}

bool TExStringGrid::ToggleCellRadioButton(int ACol, int ARow, bool UserAction)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRadioButton) return false;
    if (UserAction && !FParts->FControlLook->RadioAlwaysActive) {
        bool allow = true;
        CanEditCell(ACol, ARow, allow);
        if (!allow) return false;
    }
    if (!g->CellBoolean) {
        g->CellBoolean = true;
        RepaintCell(Model().DisplCol(ACol), ARow);
        for (int r = 0; r < RowCount(); ++r) {
            if (r == ARow) continue;
            TCellGraphic* o = GetCellGraphic(ACol, r);
            if (o && o->CellType == ctRadioButton && o->CellBoolean) {
                o->CellBoolean = false;
                RepaintCell(Model().DisplCol(ACol), r);
            }
        }
    }
    return true;
}

// --- other cell graphics ------------------------------------------------------------------------

void TExStringGrid::ExpandCell(int ACol, int ARow, bool Expanded)
{
    if (OnExpandClick) OnExpandClick(this, ACol, ARow, Expanded);
    if (ARow < 0 || ARow >= RowCount()) return;
    // The expand record of the base cell keeps the expanded height and the
    // height the row had when the record was added; a cell without one
    // takes the default row height.
    int h = DefaultRowHeight();
    if (ACol >= 0) {
        const TPoint b = BaseCell(ACol, ARow);
        const TCellGraphic* g = dynamic_cast<const TCellGraphic*>(GetGraphicObjectEx(b.X, b.Y));
        if (g && g->CellType == ctExpand) h = Expanded ? g->CellAngle : g->CellIndex;
    }
    SetRowHeights(ARow, h);
}
