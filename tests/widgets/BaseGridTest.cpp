#include "widgets/BaseGrid.h"

#include "widgets/CellGraphic.h"
#include "widgets/GridUtil.h"
#include "support/Tracked.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A 6 x 5 grid with every cell holding its own "c,r" text.
std::unique_ptr<TBaseGrid> FilledGrid()
{
    auto g = std::make_unique<TBaseGrid>();
    g->SetColCount(6);
    g->SetRowCount(5);
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 5; ++r) g->SetGridCell(c, r, std::to_string(c) + "," + std::to_string(r));
    return g;
}

std::string Key(int c, int r) { return std::to_string(c) + "," + std::to_string(r); }

} // namespace

TEST(BaseGrid, MergeReadWriteAndSplit)
{
    auto g = FilledGrid();
    g->MergeCells(1, 1, 3, 2);

    const TCellProperties* base = g->FindCellProperties(1, 1);
    ASSERT_NE(base, nullptr);
    EXPECT_TRUE(base->IsBaseCell);
    EXPECT_EQ(base->CellSpanX, 2);
    EXPECT_EQ(base->CellSpanY, 1);
    const TCellProperties* far = g->FindCellProperties(3, 2);
    EXPECT_FALSE(far->IsBaseCell);
    EXPECT_EQ(far->CellSpanX, 2);
    EXPECT_EQ(far->CellSpanY, 1);
    EXPECT_EQ(g->FindCellProperties(1, 2)->CellSpanX, 0);
    EXPECT_EQ(g->FindCellProperties(1, 2)->CellSpanY, 1);
    EXPECT_TRUE(g->IsMergedCell(1, 2)); // same column as the base, merged by its row span
    EXPECT_EQ(g->BaseCell(3, 2), (TPoint{1, 1}));
    EXPECT_EQ(g->CellExt(2, 1), (TPoint{1, 1}));
    EXPECT_EQ(g->FullCell(2, 2), (TRect{1, 1, 3, 2}));
    EXPECT_EQ(g->CellSpan(3, 2), (TPoint{2, 1}));
    EXPECT_FALSE(g->IsMergedCell(4, 1));
    EXPECT_FALSE(g->IsMergedCell(0, 0)); // never had properties

    int bc = -1, br = -1;
    EXPECT_FALSE(g->GetBaseCellPos(2, 2, bc, br));
    EXPECT_EQ(bc, 1);
    EXPECT_EQ(br, 1);
    EXPECT_TRUE(g->GetBaseCellPos(1, 1, bc, br));

    // A covered cell reads the base text; writing it changes only the base.
    EXPECT_EQ(g->Cells(3, 2), Key(1, 1));
    g->SetCells(3, 2, "new");
    EXPECT_EQ(g->GetGridCell(1, 1), "new");
    EXPECT_EQ(g->GetGridCell(3, 2), Key(3, 2));
    EXPECT_EQ(g->Cells(2, 1), "new");

    g->SplitCells(2, 2);
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 5; ++r) {
            EXPECT_FALSE(g->IsMergedCell(c, r)) << c << "," << r;
            EXPECT_TRUE(g->IsBaseCell(c, r));
            const std::string expected = (c == 1 && r == 1) ? "new" : Key(c, r);
            EXPECT_EQ(g->Cells(c, r), expected) << c << "," << r;
        }
    EXPECT_EQ(g->MergeCount(), 0);
}

TEST(BaseGrid, MergeIsClippedAndReplacesOverlappedAreas)
{
    auto g = FilledGrid();
    // One-cell merge: spans 0, 0 but not "merged".
    g->MergeCells(0, 0, 1, 1);
    EXPECT_FALSE(g->IsMergedCell(0, 0));
    EXPECT_EQ(g->CellSpan(0, 0), (TPoint{0, 0}));

    // Reaching beyond the grid: clipped to columns 4..5, rows 3..4.
    g->MergeCells(4, 3, 10, 10);
    EXPECT_EQ(g->CellSpan(5, 4), (TPoint{1, 1}));
    EXPECT_EQ(g->Cells(5, 4), Key(4, 3));

    // Spans below 1 merge nothing.
    g->MergeCells(2, 2, 0, 3);
    EXPECT_EQ(g->FindCellProperties(2, 2), nullptr);

    // A new area over part of an old one dissolves the old one first: no
    // cell keeps pointing at a base that does not span it.
    g->MergeCells(1, 1, 2, 2); // columns 1..2, rows 1..2
    g->MergeCells(2, 2, 2, 2); // columns 2..3, rows 2..3
    EXPECT_FALSE(g->IsMergedCell(1, 1));
    EXPECT_FALSE(g->IsMergedCell(2, 1));
    EXPECT_EQ(g->Cells(1, 2), Key(1, 2));
    EXPECT_EQ(g->BaseCell(3, 3), (TPoint{2, 2}));
    EXPECT_EQ(g->Cells(3, 3), Key(2, 2));

    // Negative indices never reach the store.
    g->MergeCells(-1, -1, 2, 2);
    EXPECT_EQ(g->Cells(0, 0), Key(0, 0));
    EXPECT_FALSE(g->IsMergedCell(0, 0));
    g->GetCellProperties(-3, -3)->SetBrushColor(clRed);
    g->SetCells(-1, 2, "x");
    EXPECT_EQ(g->Cells(-1, 2), "");
}

TEST(BaseGrid, SpanQueries)
{
    auto g = FilledGrid();
    EXPECT_EQ(g->MinRowSpan(1), g->RowCount());
    EXPECT_EQ(g->MaxRowSpan(1), 0);
    g->MergeCells(1, 1, 2, 3);
    g->MergeCells(4, 1, 1, 2);
    EXPECT_EQ(g->MinRowSpan(1), 1);
    EXPECT_EQ(g->MaxRowSpan(1), 2);
    EXPECT_TRUE(g->RowSpanIdentical(1, 2));
    EXPECT_FALSE(g->RowSpanIdentical(1, 4));
    EXPECT_TRUE(g->ColSpanIdentical(1, 2));
    EXPECT_FALSE(g->ColSpanIdentical(2, 3));
}

TEST(BaseGrid, CellRectOfAnAreaCoversItAndSurvivesZeroWidth)
{
    auto g = FilledGrid();
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->MergeCells(1, 1, 2, 2);
    const TRect whole = g->CellRect(2, 2);
    EXPECT_EQ(whole, g->CellRect(1, 1));
    EXPECT_EQ(whole.Width(), g->ColWidths(1) + g->ColWidths(2));
    EXPECT_EQ(whole.Height(), g->RowHeights(1) + g->RowHeights(2));
    EXPECT_EQ(g->CellSize(2, 1), (TPoint{whole.Width(), whole.Height()}));

    g->SetColWidths(1, 0);
    const TRect thin = g->CellRect(1, 1);
    EXPECT_GE(thin.Width(), g->ColWidths(2));
}

TEST(BaseGrid, PropertiesComeWithTheGridDefaults)
{
    auto g = FilledGrid();
    g->WordWrap = false;
    TCellProperties* p = g->GetCellProperties(2, 3);
    EXPECT_EQ(p, g->GetCellProperties(2, 3));
    EXPECT_EQ(p->OwnerCol, 2);
    EXPECT_EQ(p->OwnerRow, 3);
    EXPECT_FALSE(p->WordWrap());
    EXPECT_EQ(p->BrushColor(), g->Color());
    EXPECT_EQ(p->CellSpanX, -1);
    EXPECT_TRUE(g->HasCellProps);

    // Assign keeps the destination's gradient end colour and direction.
    TCellProperties q(g.get(), 0, 0);
    p->SetBrushColorTo(clRed);
    p->GradientDirection = GradientHorizontal;
    p->ReadOnly = true;
    q.Assign(p);
    EXPECT_TRUE(q.ReadOnly);
    EXPECT_EQ(q.OwnerCol, 2);
    EXPECT_EQ(q.BrushColorTo(), clNone);
    EXPECT_EQ(q.GradientDirection, GradientVertical);

    // A user object on an empty cell leaves the text empty.
    g->SetGridCell(4, 4, "");
    g->SetObjectEx(4, 4, 42);
    EXPECT_EQ(g->GetObjectEx(4, 4), 42u);
    EXPECT_EQ(g->Cells(4, 4), "");
    EXPECT_TRUE(g->HasCellProperties(4, 4));
}

TEST(BaseGrid, DisplayHooksSeeTheBaseCellAndSkipScratchRows)
{
    auto g = FilledGrid();
    g->MergeCells(1, 1, 2, 1);
    std::vector<std::pair<int, int>> seen;
    g->OnGetDisplText = [&](TObject*, int c, int r, std::string& v) {
        seen.emplace_back(c, r);
        v += "!";
    };
    EXPECT_EQ(g->Cells(2, 1), Key(1, 1) + "!");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], std::make_pair(1, 1));

    g->NormalRowCount = 3; // rows 3 and 4 are a sort's scratch rows
    seen.clear();
    EXPECT_EQ(g->Cells(0, 3), Key(0, 3));
    EXPECT_TRUE(seen.empty());

    g->OnGetDisplText = nullptr;
    g->OnGetDisplWideText = [](TObject*, int, int, WideString& w) { w += u"\u00E9"; };
    EXPECT_EQ(g->Cells(0, 0), EncodeWideText(u"0,0\u00E9"));
    EXPECT_EQ(DecodeWideText(g->Cells(0, 0)), u"0,0\u00E9");
}

namespace {
struct TrackedGraphic : TCellGraphic {
    explicit TrackedGraphic(int* n) : n_(n) {}
    ~TrackedGraphic() override { ++*n_; }
    std::string ClassName() const override { return "TTrackedGraphic"; }
    int* n_;
};
} // namespace

TEST(BaseGrid, DestructionFreesOwnedGraphicsOnceAndSharedOnesNever)
{
    int userFreed = 0, derivedFreed = 0, foreignFreed = 0;
    auto user = std::make_unique<Tracked>(&userFreed);
    // Any object that is not a cell graphic stays its owner's.
    auto foreign = std::make_unique<Tracked>(&foreignFreed);
    TCellGraphic shared;
    shared.CellType = ctRowCheckBox;
    {
        auto g = FilledGrid();
        auto* owned = new TCellGraphic;
        owned->SetCheckBox(true, false, true, haLeft, vaTop);
        g->SetGraphicObjectEx(1, 1, owned);
        g->SetGraphicObjectEx(2, 1, &shared);
        g->SetGraphicObjectEx(3, 1, &shared);
        // A graphic of a class derived from the record is a cell graphic
        // too, whatever its class calls itself.
        g->SetGraphicObjectEx(4, 1, new TrackedGraphic(&derivedFreed));
        g->SetGraphicObjectEx(5, 1, foreign.get());
        g->SetObjectEx(1, 2, reinterpret_cast<std::uintptr_t>(user.get()));
        EXPECT_EQ(g->GetGraphicObjectEx(1, 1), owned);
        EXPECT_EQ(g->Cells(1, 1), Key(1, 1));
        g->SetRowCount(3); // a graphic below the row count is still freed
        g->SetRowCount(5);
    }
    EXPECT_EQ(userFreed, 0);
    EXPECT_EQ(derivedFreed, 1);
    EXPECT_EQ(foreignFreed, 0);
    EXPECT_EQ(shared.CellType, ctRowCheckBox);
}

TEST(BaseGrid, APropertyObjectFreesTheGraphicItOwns)
{
    int freed = 0;
    TCellGraphic shared;
    shared.CellType = ctVirtCheckBox;
    auto g = FilledGrid();
    g->SetGraphicObjectEx(1, 1, new TrackedGraphic(&freed));
    g->SetGraphicObjectEx(2, 1, &shared);
    // Freeing one cell's properties, however it is asked for, frees its
    // graphic; the shared check box stays.
    g->FreeCellProperty(1, 1);
    g->FreeCellProperty(2, 1);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(g->GetGraphicObjectEx(1, 1), nullptr);
    g->SetGraphicObjectEx(3, 1, new TrackedGraphic(&freed));
    g->SetCellProperties(3, 1, nullptr);
    EXPECT_EQ(freed, 2);
    EXPECT_EQ(shared.CellType, ctVirtCheckBox);
}

TEST(BaseGrid, KeysLeaveAMergedAreaOnTheFirstCellBeyondIt)
{
    auto g = std::make_unique<TBaseGrid>(); // one fixed row and column
    g->SetColCount(8);
    g->SetRowCount(7);
    g->SetClientSize(800, 600);
    g->MergeCells(3, 3, 2, 2); // columns 3..4, rows 3..4

    struct Case {
        const char* name;
        int startCol, startRow, key;
        int col, row;
    } cases[] = {
        {"right from the base", 3, 3, VK_RIGHT, 5, 3},
        {"right from a covered cell", 4, 4, VK_RIGHT, 5, 4},
        {"down from the base", 3, 3, VK_DOWN, 3, 5},
        {"down from a covered cell", 4, 4, VK_DOWN, 4, 5},
        {"left from a covered cell", 4, 4, VK_LEFT, 2, 4},
        {"up from a covered cell", 4, 4, VK_UP, 4, 2},
        {"left into the area", 5, 4, VK_LEFT, 3, 3},
        {"up into the area", 4, 5, VK_UP, 3, 3},
    };
    for (const Case& c : cases) {
        g->FocusCell(c.startCol, c.startRow, true);
        int key = c.key;
        g->HandleKeyDown(key, {});
        EXPECT_EQ(g->Col(), c.col) << c.name;
        EXPECT_EQ(g->Row(), c.row) << c.name;
    }
}

TEST(BaseGrid, PageDownStopsAboveARowUnderTheFooter)
{
    auto g = std::make_unique<TBaseGrid>();
    g->SetColCount(3);
    g->SetRowCount(6);
    g->SetClientSize(400, 2000); // every row visible
    g->HideLastRow = true;
    g->FocusCell(1, 1, true);
    int key = VK_NEXT;
    g->HandleKeyDown(key, {});
    EXPECT_EQ(g->Row(), 4);
}
