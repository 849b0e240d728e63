// TExStringGrid: node rows.
//
// A node is a ctNode graphic in column 0 of its row: contracted flag in
// CellBoolean, span (rows of the block, the node row included; 0 or less:
// up to the next node row) in CellIndex, sub-node count in CellErrFrom.
// Every row of a block carries its nesting level in the NodeLevel of its
// column-0 property object. Contracting hides the block's rows.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include <algorithm>

namespace {

TCellGraphic* SlotNode(const TCellProperties* p)
{
    if (!p || !p->GraphicObject) return nullptr;
    auto* g = dynamic_cast<TCellGraphic*>(p->GraphicObject);
    return g && g->CellType == ctNode ? g : nullptr;
}

} // namespace

TCellGraphic* TExStringGridPrivate::NodeGraphic(int d) const
{
    if (d < 0) return nullptr;
    return SlotNode(G.FindCellProperties(0, d));
}

bool TExStringGrid::IsNodeRow(int ARow) const { return FParts->NodeGraphic(ARow) != nullptr; }

bool TExStringGrid::IsSummary(int ARow) const
{
    if (ARow < 0) return false;
    const TCellProperties* p = FindCellProperties(0, ARow);
    const auto* g = p ? dynamic_cast<const TCellGraphic*>(p->GraphicObject) : nullptr;
    return g && g->CellType == ctSummary;
}

// --- queries (displayed rows) --------------------------------------------------------------

bool TExStringGrid::GetNodeState(int ARow) const
{
    const TCellGraphic* g = FParts->NodeGraphic(ARow);
    return g && g->CellBoolean;
}

void TExStringGrid::SetNodeState(int ARow, bool Value)
{
    const TCellGraphic* g = FParts->NodeGraphic(ARow);
    if (!g || g->CellBoolean == Value) return;
    const int real = NumHiddenRows() > 0 ? Model().RealRow(ARow) : ARow;
    if (Value)
        ContractNode(real);
    else
        ExpandNode(real);
}

int TExStringGrid::GetNodeLevel(int ARow) const
{
    if (!FParts->NodeGraphic(ARow)) return -1;
    return FindCellProperties(0, ARow)->NodeLevel;
}

int TExStringGrid::GetNodeSpan(int ARow) const
{
    const TCellGraphic* g = FParts->NodeGraphic(ARow);
    return g ? g->CellIndex : -1;
}

int TExStringGrid::GetSubNodeCount(int ARow) const
{
    const TCellGraphic* g = FParts->NodeGraphic(ARow);
    return g ? g->CellErrFrom : 0;
}

void TExStringGrid::SetNodeSpan(int ARow, int Span)
{
    if (TCellGraphic* g = FParts->NodeGraphic(ARow)) g->CellIndex = Span;
}

void TExStringGrid::UpdateNodeSpan(int ARow, int Delta)
{
    if (TCellGraphic* g = FParts->NodeGraphic(ARow)) g->CellIndex += Delta;
}

void TExStringGrid::UpdateSubNodeCount(int ARow, int Delta)
{
    if (TCellGraphic* g = FParts->NodeGraphic(ARow)) g->CellErrFrom += Delta;
}

int TExStringGrid::GetParentRow(int ARow) const
{
    if (FModel->FNodeCount == 0 || ARow < 0) return -1;
    int result = -1;
    int limit = 65535;
    if (IsNodeRow(ARow)) {
        limit = GetNodeLevel(ARow);
        result = ARow;
    }
    int hidden = 0;
    for (int r = std::min(ARow, RowCount() - 1); r >= FixedRows(); --r) {
        const TCellGraphic* g = FParts->NodeGraphic(r);
        if (!g || GetNodeLevel(r) >= limit) continue;
        if (g->CellBoolean) hidden += g->CellIndex - 1;
        if (ARow < r + g->CellIndex - hidden) return r;
    }
    return result;
}

int TExStringGrid::GetNodeSpanType(int ARow) const
{
    if (IsNodeRow(ARow)) return 0;
    if (ARow >= RowCount() - FixedFooters - 1) return 1;
    const TCellProperties* next = FindCellProperties(0, ARow + 1);
    const TCellProperties* own = ARow >= 0 ? FindCellProperties(0, ARow) : nullptr;
    const int level = own ? own->NodeLevel : 0;
    return next && next->NodeLevel >= level ? 2 : 1;
}

bool TExStringGrid::IsOnNodeGlyph(int ARow, int X)
{
    if (!FParts->FMouseActions->PreciseNodeClick) return true;
    const int L = GetNodeLevel(ARow);
    const int I = FParts->FCellNode->NodeIndent();
    int w = 4;
    int m = 4;
    switch (FParts->FCellNode->NodeType()) {
    case cnFlat:
    case cnXP: break;
    case cn3D:
        w = 6;
        m = 0;
        break;
    case cnGlyph: {
        const bool empty = FParts->FCellNode->ExpandGlyph().Empty();
        w = empty ? 0 : FParts->FCellNode->ExpandGlyph().Width() / 2;
        m = empty ? 0 : 2;
        break;
    }
    case cnLeaf:
        w = 8;
        m = 2;
        break;
    }
    // The grid lays out left to right only (no right-to-left mode).
    return m + (L - 1) * I < X && X < w + L * I;
}

// --- building and removing nodes (real rows) -----------------------------------------------

void TExStringGridPrivate::ChangeNodeLevels(int d, int span, int delta)
{
    const int last = std::min(d + span, G.RowCount());
    for (int r = std::max(d, 0); r < last; ++r) {
        if (delta > 0) {
            G.GetCellProperties(0, r)->NodeLevel += delta;
        } else if (TCellProperties* p = G.FindCellProperties(0, r)) {
            p->NodeLevel = std::max(0, p->NodeLevel + delta);
        }
    }
}

void TExStringGrid::AddNode(int ARow, int Span)
{
    const int d = NumHiddenRows() > 0 ? Model().DisplRow(ARow) : ARow;
    if (d < 0 || d >= RowCount()) return;
    TCellGraphic* g = CreateCellGraphic(0, d);
    g->CellType = ctNode;
    g->CellAngle = d;
    g->CellBoolean = false;
    g->CellIndex = Span;
    g->CellHAlign = haBeforeText;
    g->CellVAlign = vaCenter;
    g->CellErrFrom = 0;
    g->CellVar = -1LL;
    FParts->ChangeNodeLevels(d, Span, 1);
    if (FModel->FNodeCount == 0) InvalidateCol(0);
    ++FModel->FNodeCount;
    if (Col() == 0 && ColCount() > 1) SetCol(1);
}

void TExStringGrid::RemoveNode(int ARow)
{
    FParts->ExpandOneNode(ARow);
    const int d = NumHiddenRows() > 0 ? Model().DisplRow(ARow) : ARow;
    const TCellGraphic* g = FParts->NodeGraphic(d);
    if (!g) return;
    FParts->ChangeNodeLevels(d, g->CellIndex, -1);
    RemoveCellGraphic(0, d);
    if (FModel->FNodeCount > 0) --FModel->FNodeCount;
}

void TExStringGrid::RemoveAllNodes()
{
    for (int r = 0; r < RowCount(); ++r) {
        if (!IsNodeRow(r)) continue;
        FParts->ExpandOneNode(NumHiddenRows() > 0 ? Model().RealRow(r) : r);
        FParts->ChangeNodeLevels(r, FParts->NodeGraphic(r)->CellIndex, -1);
        RemoveCellGraphic(0, r);
        if (FModel->FNodeCount > 0) --FModel->FNodeCount;
    }
    Invalidate();
}

// --- expanding and contracting (real rows) -------------------------------------------------

namespace {

// First displayed node row after d, or RowCount.
int NextNodeRow(const TExStringGrid& g, int d)
{
    for (int r = d + 1; r < g.RowCount(); ++r)
        if (g.IsNode(r)) return r;
    return g.RowCount();
}

} // namespace

void TExStringGrid::ExpandNode(int ARow)
{
    if (FParts->FCellNode->ExpandOne) {
        for (int r = FixedRows(); r < RowCount(); ++r) {
            const TCellGraphic* g = FParts->NodeGraphic(r);
            if (g && !g->CellBoolean) ContractNode(NumHiddenRows() > 0 ? Model().RealRow(r) : r);
        }
    }
    FParts->ExpandOneNode(ARow);
}

void TExStringGridPrivate::ExpandOneNode(int ARow)
{
    const int d = G.NumHiddenRows() > 0 ? G.Model().DisplRow(ARow) : ARow;
    TCellGraphic* g = NodeGraphic(d);
    if (!g || !g->CellBoolean) return;
    g->CellBoolean = false;

    // The block ends before the next shown row (span set) or the next node.
    const int endDispl = g->CellIndex <= 0 ? NextNodeRow(*(&G), d) : d + 1;
    const int e = G.Model().RealRow(endDispl);

    const int oldTop = G.TopRow();
    const int oldRow = G.Row();
    const bool disjunct = FMouseActions->DisjunctRowSelect();
    FMouseActions->SetDisjunctRowSelectDirect(false);
    const bool rowSelect = G.Options().Contains(goRowSelect);
    if (rowSelect) G.SetOptions(G.Options() - goRowSelect);
    const bool lock = FControlList.Count() == 0;
    if (lock) G.BeginUpdate();

    G.UnHideRows(G.Model().RealRow(d) + 1, e - 1);

    if (rowSelect) {
        G.SetOptions(G.Options() + goRowSelect);
        if (oldRow < G.RowCount()) G.SetRow(oldRow);
        if (oldTop < G.RowCount()) G.SetTopRow(oldTop);
    }
    FMouseActions->SetDisjunctRowSelectDirect(disjunct);
    if (lock) G.EndUpdate();
    if (FFloatingFooter) G.CalcFooter(-1);
}

void TExStringGrid::ContractNode(int ARow)
{
    if (EditorMode()) SetEditorMode(false);
    const int d = NumHiddenRows() > 0 ? Model().DisplRow(ARow) : ARow;
    TCellGraphic* g = FParts->NodeGraphic(d);
    if (!g || g->CellBoolean) return;
    g->CellBoolean = true;

    const int b = d + 1;
    int end = g->CellIndex > 0 ? d + g->CellIndex : NextNodeRow(*this, d);
    end = std::min(end, RowCount());
    int r = b;
    while (r < end) {
        TCellGraphic* sub = FParts->NodeGraphic(r);
        if (sub && sub->CellBoolean) {
            // A contracted node inside the block: its rows are hidden
            // already; it shows expanded when the outer node opens again.
            sub->CellBoolean = false;
            const int subSpan = sub->CellIndex;
            HideRows(Model().RealRow(b), Model().RealRow(r));
            end = std::min(end + b - subSpan - r, RowCount());
            r = b;
        } else {
            ++r;
        }
    }
    if (r > b) HideRows(Model().RealRow(b), Model().RealRow(r - 1));
    if (FParts->FFloatingFooter) CalcFooter(-1);
}

void TExStringGrid::ExpandAll()
{
    BeginUpdate();
    for (int r = FixedRows(); r < RowCount(); ++r) {
        TCellGraphic* g = FParts->NodeGraphic(r);
        if (!g) continue;
        FParts->ExpandOneNode(Model().RealRow(r));
        g->CellBoolean = false;
    }
    EndUpdate();
    if (FParts->FFloatingFooter) CalcFooter(-1);
}

void TExStringGrid::ContractAll()
{
    BeginUpdate();
    ExpandAll();
    TIntList rows(0, 0);
    int r = FixedRows();
    while (r < RowCount()) {
        TCellGraphic* g = FParts->NodeGraphic(r);
        if (!g) {
            ++r;
            continue;
        }
        g->CellBoolean = true;
        // A node without a span reaches to the next node row.
        const int end = std::min(g->CellIndex > 0 ? r + g->CellIndex : NextNodeRow(*this, r), RowCount());
        for (int i = r + 1; i < end; ++i) rows.Add(i);
        r = std::max(end, r + 1);
    }
    if (rows.Count() > 0) HideRowList(rows);
    EndUpdate();
    if (FParts->FFloatingFooter) CalcFooter(-1);
}

// --- rows inside and outside the tree (real rows) ------------------------------------------

void TExStringGrid::InsertNormalRow(int ARow)
{
    const int d = NumHiddenRows() > 0 ? Model().DisplRow(ARow) : ARow;
    // The insertion keeps the hidden rows' real indices in step.
    InsertRows(d, 1, true);
}

void TExStringGrid::InsertChildRow(int ARow, int InsertAt)
{
    const bool mapped = NumHiddenRows() > 0;
    auto real = [&](int x) { return mapped ? Model().RealRow(x) : x; };
    const int d = mapped ? Model().DisplRow(ARow) : ARow;
    int p = GetParentRow(d);
    const int parent = p;
    int level = 1;
    if (p != -1) {
        UpdateNodeSpan(p, 1);
        UpdateSubNodeCount(p, 1);
        ExpandNode(real(p));
        level = GetNodeLevel(p);
        int cur = p;
        while (level > 1 && cur >= FixedRows()) {
            const int q = GetParentRow(cur);
            if (q < 0 || q == cur) break;
            if (GetNodeLevel(q) < level) {
                UpdateNodeSpan(q, 1);
                UpdateSubNodeCount(q, 1);
                ExpandNode(real(q));
                level = GetNodeLevel(q);
            }
            cur = q;
        }
        level = GetNodeLevel(parent);
    }

    int pos;
    const int dNow = mapped ? Model().DisplRow(ARow) : ARow;
    if (IsNodeRow(dNow) && InsertAt == 0) {
        pos = dNow + 1;
        InsertRows(pos, 1, true);
        // The node row's texts and objects move into the new row; the node
        // row keeps only its node.
        for (int c = 0; c < AllColCount(); ++c) {
            SetGridCell(c, pos, GetGridCell(c, dNow));
            SetGridCell(c, dNow, "");
        }
        for (int c = 1; c < AllColCount(); ++c) {
            TCellProperties* props = FindCellProperties(c, dNow);
            if (!props) continue;
            SetGridObject(c, dNow, nullptr);
            SetCellProperties(c, pos, nullptr);
            SetGridObject(c, pos, props);
            props->OwnerRow = pos;
        }
    } else {
        pos = dNow + InsertAt;
        InsertRows(pos, 1, true);
    }
    if (parent != -1) GetCellProperties(0, pos)->NodeLevel = level;
}

void TExStringGrid::RemoveChildRow(int ARow)
{
    const bool mapped = NumHiddenRows() > 0;
    auto real = [&](int x) { return mapped ? Model().RealRow(x) : x; };
    const int d = mapped ? Model().DisplRow(ARow) : ARow;
    // Controls placed in the rows below move up with them.
    const int dReal = real(d);
    for (int i = 0; i < FParts->FControlList.Count(); ++i)
        if (TControlItem* c = FParts->FControlList.GetControl(i); c->FY >= dReal && c->FY > 0) --c->FY;
    int p = GetParentRow(d);
    if (p != -1 && p != d) {
        const int level = GetNodeLevel(p);
        if (GetNodeSpan(p) > 1) {
            UpdateNodeSpan(p, -1);
            UpdateSubNodeCount(p, -1);
        }
        for (;;) {
            ExpandNode(real(p));
            if (GetNodeLevel(p) <= 1) break;
            const int q = GetParentRow(p);
            if (q == -1 || q == p || GetNodeLevel(q) >= level) break;
            p = q;
            if (GetNodeSpan(p) > 1) {
                UpdateNodeSpan(p, -1);
                UpdateSubNodeCount(p, -1);
            }
        }
    }
    RemoveRowsDisplayed(mapped ? Model().DisplRow(ARow) : ARow, 1);
    if (FParts->FMaxRowCount > 0) --FParts->FMaxRowCount;
}

void TExStringGrid::RemoveNormalRow(int ARow)
{
    RemoveRows(ARow, 1);
    if (FParts->FMaxRowCount > 0) --FParts->FMaxRowCount;
}
