// The cell graphics besides check boxes and radio controls: what each
// operation stores, replaces and removes, and who owns the objects.

#include "widgets/ExColumnGrid.h"
#include "widgets/GridControlLook.h"

#include "platform/ImgList.h"

#include <gtest/gtest.h>

#include <string>

TEST(GridCellGraphics, ImageKindsNeedTheGridsImageList)
{
    TExStringGrid g;
    int idx = -1;
    g.AddImageIdx(1, 1, 3, haLeft, vaTop);
    g.AddDataImage(1, 2, 4, haLeft, vaTop);
    EXPECT_EQ(g.GetCellType(1, 1), ctEmpty);
    EXPECT_FALSE(g.GetImageIdx(1, 1, idx));
    EXPECT_EQ(g.Cells(1, 2), "");

    TCustomImageList images;
    g.SetGridImages(&images);
    g.AddImageIdx(1, 1, 3, haLeft, vaTop);
    ASSERT_TRUE(g.GetImageIdx(1, 1, idx));
    EXPECT_EQ(idx, 3);
    g.SetImageIdx(1, 1, 5);
    g.GetImageIdx(1, 1, idx);
    EXPECT_EQ(idx, 5);

    // A data image shows the cell's number: an empty cell takes the index.
    g.AddDataImage(1, 2, 4, haLeft, vaTop);
    EXPECT_EQ(g.Cells(1, 2), "4");
    EXPECT_TRUE(g.HasDataImage(1, 2));
    g.SetCells(1, 3, "7");
    g.AddDataImage(1, 3, 4, haLeft, vaTop);
    EXPECT_EQ(g.Cells(1, 3), "7");
    g.RemoveDataImage(1, 2);
    EXPECT_EQ(g.Cells(1, 2), "");
    EXPECT_FALSE(g.HasDataImage(1, 2));
    g.RemoveDataImage(1, 1); // an image-list cell is not a data image
    int again = -1;
    EXPECT_TRUE(g.GetImageIdx(1, 1, again));
}

TEST(GridCellGraphics, CreatedObjectsBelongToTheCellGivenOnesToTheCaller)
{
    TExStringGrid g;
    TBitmap mine(4, 4);
    g.AddBitmap(1, 1, &mine, true, haLeft, vaTop);
    EXPECT_EQ(g.GetBitmap(1, 1), &mine);
    g.AddComment(1, 1, "replaces the bitmap");
    EXPECT_FALSE(g.HasBitmap(1, 1));
    EXPECT_EQ(mine.Width(), 4); // still the caller's

    // Created objects go with the graphic that replaces or removes them
    // (the sanitizer reports any that would be lost).
    TBitmap* made = g.CreateBitmap(1, 2, false, haLeft, vaTop);
    made->SetSize(8, 8);
    g.AddButton(1, 2, 20, 10, "ok", haCenter, vaCenter);
    g.CreatePicture(1, 3, false, Stretch, 1, haLeft, vaTop);
    EXPECT_TRUE(g.HasPicture(1, 3));
    g.RemovePicture(1, 3);
    g.CreateIcon(2, 1, haLeft, vaTop);
    g.CreateBitButton(2, 2, 20, 10, "go", haLeft, vaTop);
    g.CreateFilePicture(2, 3, false, noStretch, 0, haLeft, vaTop);
    EXPECT_NE(g.GetFilePicture(2, 3), nullptr);
    // Removing by another kind changes nothing.
    g.RemoveBitmap(2, 1);
    EXPECT_EQ(g.GetCellType(2, 1), ctIcon);
    g.RemoveIcon(2, 1);
    EXPECT_EQ(g.GetCellType(2, 1), ctEmpty);
}

TEST(GridCellGraphics, CommentsAndMarkers)
{
    TExStringGrid g;
    g.SetComment(1, 1, "note");
    EXPECT_EQ(g.GetComment(1, 1), "note");
    EXPECT_EQ(static_cast<TColor>(g.GetCellGraphic(1, 1)->CellIndex), g.ControlLook()->CommentColor());
    g.SetComment(1, 1, "changed");
    EXPECT_EQ(g.GetComment(1, 1), "changed");

    g.AddCheckBox(2, 1, true, false);
    g.SetComment(2, 1, "not on a check box");
    std::string c;
    EXPECT_FALSE(g.IsComment(2, 1, c));
    EXPECT_EQ(g.GetCellType(2, 1), ctCheckBox);

    // A marker rides on any graphic; removing it keeps the graphic.
    g.AddMarker(2, 1, 2, 3);
    int pos = 0, len = 0;
    g.GetMarker(2, 1, pos, len);
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(len, 3);
    g.RemoveMarker(2, 1);
    g.GetMarker(2, 1, pos, len);
    EXPECT_EQ(pos + len, 0);
    EXPECT_TRUE(g.IsChecked(2, 1));
    // On a cell without a graphic it has one of its own, removed with it.
    g.AddMarker(3, 1, 1, 1);
    EXPECT_EQ(g.GetCellType(3, 1), ctEmpty);
    EXPECT_NE(g.GetCellGraphic(3, 1), nullptr);
    g.RemoveAllMarkers();
    EXPECT_EQ(g.GetCellGraphic(3, 1), nullptr);
    g.RemoveAllComments();
    EXPECT_EQ(g.GetComment(1, 1), "");
    EXPECT_TRUE(g.HasCheckBox(2, 1));
}

TEST(GridCellGraphics, ScrollBarsProgressShapesAndRatings)
{
    TExStringGrid g;
    EXPECT_EQ(g.GetScrollProp(1, 1).PageSize, -1);
    EXPECT_EQ(g.GetScrollProp(1, 1).Range, -1);
    EXPECT_EQ(g.GetScrollPosition(1, 1), -1);
    g.AddScrollBar(1, 1, false);
    EXPECT_EQ(g.GetScrollProp(1, 1).Range, 100);
    EXPECT_EQ(g.GetScrollProp(1, 1).PageSize, 0);
    g.SetScrollPosition(1, 1, 30);
    g.SetScrollProp(1, 1, {10, 60});
    EXPECT_EQ(g.GetScrollPosition(1, 1), 30);
    EXPECT_EQ(g.GetScrollProp(1, 1).Range, 60);
    EXPECT_FALSE(g.HasAutoRangeScrollBar(1, 1));

    // An automatic range follows the cell's text at once and when written.
    g.SetCells(2, 1, "one");
    g.AddScrollBar(2, 1, true);
    EXPECT_TRUE(g.HasAutoRangeScrollBar(2, 1));
    const int oneLine = g.GetScrollProp(2, 1).Range;
    EXPECT_EQ(g.GetScrollProp(2, 1).PageSize, g.RowHeights(1));
    g.SetCells(2, 1, "one\ntwo\nthree");
    EXPECT_GT(g.GetScrollProp(2, 1).Range, 2 * oneLine);

    g.AutoNumAlign = true;
    g.AddProgress(3, 1, clRed, clWhite);
    EXPECT_TRUE(g.HasProgress(3, 1));
    EXPECT_EQ(g.Alignments(3, 1), TAlignment::taRightJustify);
    const TCellGraphic* p = g.GetCellGraphic(3, 1);
    EXPECT_EQ(p->CellErrFrom, 0);
    EXPECT_EQ(p->CellErrLen, 100);
    EXPECT_FALSE(p->CellBoolean);
    EXPECT_EQ(p->CellBitmapColor, clRed);

    g.AddShape(1, 2, csCircle, clRed, clBlue, haLeft, vaTop);
    EXPECT_EQ(g.GetShapeColor(1, 2), clRed);
    g.SetShapeColor(1, 2, clGreen);
    EXPECT_EQ(g.GetShapeColor(1, 2), clGreen);
    EXPECT_EQ(g.GetShapeColor(2, 2), clNone);

    g.AddProgressPie(2, 2, clRed, 40);
    g.SetProgressPie(2, 2, 75);
    g.SetProgressPie(1, 2, 75); // a shape: unchanged
    EXPECT_EQ(g.GetCellGraphic(2, 2)->CellAngle, 75);

    g.AddRating(3, 2, 5, clYellow, clGray);
    EXPECT_TRUE(g.HasRating(3, 2));
    double rate = 3;
    EXPECT_TRUE(g.FireRatingChange(3, 2, rate));
    g.OnRatingChange = [](TObject*, int, int, double& NewRate, bool& Allow) {
        NewRate = 4;
        Allow = false;
    };
    EXPECT_FALSE(g.FireRatingChange(3, 2, rate));
    EXPECT_EQ(rate, 4);
}

TEST(GridCellGraphics, ButtonsTakeDisplayedColumns)
{
    TExStringGrid g;
    g.AddButton(3, 1, 40, 18, "Go", haCenter, vaCenter);
    g.HideColumn(2);
    // Column 3 shows at 2 now.
    EXPECT_EQ(g.GetButtonText(2, 1), "Go");
    g.SetButtonText(2, 1, "Run");
    g.PushButton(2, 1, true);
    const TCellGraphic* b = g.GetCellGraphic(3, 1);
    EXPECT_EQ(b->CellText, "Run");
    EXPECT_TRUE(b->CellBoolean);
    EXPECT_EQ(b->CellIndex & 0xFFFF, 40);
    EXPECT_EQ(b->CellIndex >> 16, 18);
    g.RemoveAllButtons();
    EXPECT_FALSE(g.HasButton(3, 1));
}

TEST(GridCellGraphics, BalloonsAttachOnlyToBoxesOfTheirOwn)
{
    TExStringGrid g;
    TBitmap bmp;
    g.AddBitmap(1, 1, &bmp, false, haLeft, vaTop);
    g.AddBalloon(1, 1, "T", "x", biInfo);
    EXPECT_FALSE(g.HasBalloon(1, 1));

    g.AddCheckBox(2, 1, false, false);
    g.AddBalloon(2, 1, "Title", "Text", biWarning);
    g.AddBalloon(2, 1, "Again", "More", biError); // replaces the first
    std::string title, text;
    TBalloonIcon icon = biNone;
    ASSERT_TRUE(g.IsBalloon(2, 1, title, text, icon));
    EXPECT_EQ(title, "Again");
    EXPECT_EQ(text, "More");
    EXPECT_EQ(icon, biError);
    g.RemoveBalloon(2, 1);
    EXPECT_FALSE(g.HasBalloon(2, 1));
    EXPECT_TRUE(g.HasCheckBox(2, 1));

    g.AddBalloon(3, 1, "Own", "hint", biNone);
    EXPECT_EQ(g.GetCellType(3, 1), ctBalloon);
    g.RemoveBalloon(3, 1);
    EXPECT_EQ(g.GetCellType(3, 1), ctEmpty);

    // The column grid's check-box columns share one box: it takes none.
    TExColumnGrid cg;
    cg.Columns()[1]->SetEditor(edDataCheckBox);
    cg.AddBalloon(1, 1, "T", "x", biInfo);
    EXPECT_FALSE(cg.HasBalloon(1, 2));
    EXPECT_FALSE(cg.HasBalloon(1, 1));
}

TEST(GridCellGraphics, ExpandCells)
{
    TExStringGrid g;
    EXPECT_EQ(g.GetExpandHeight(1, 1, true), g.DefaultRowHeight());
    EXPECT_FALSE(g.ToggleExpand(1, 1));
    EXPECT_TRUE(g.ExpandButtonRect(1, 1).Right == 0 && g.ExpandButtonRect(1, 1).Left == 0);

    g.SetRowHeights(1, 22);
    g.AddExpand(1, 1, 60);
    EXPECT_EQ(g.GetExpandHeight(1, 1, false), 22);
    EXPECT_EQ(g.GetExpandHeight(1, 1, true), 60);
    EXPECT_FALSE(g.GetExpandState(1, 1));
    EXPECT_TRUE(g.ToggleExpand(1, 1));
    EXPECT_TRUE(g.GetExpandState(1, 1));

    // A cell from (100, 20) to (200, 42): the button is 11 x 11 at its top
    // right.
    const int line = g.CellRect(1, 0).Left - g.ColWidths(0);
    g.SetColWidths(0, 100 - line);
    g.SetColWidths(1, 100);
    g.SetRowHeights(0, 20 - line);
    ASSERT_EQ(g.CellRect(1, 1).Left, 100);
    ASSERT_EQ(g.CellRect(1, 1).Top, 20);
    ASSERT_EQ(g.CellRect(1, 1).Right, 200);
    ASSERT_EQ(g.CellRect(1, 1).Bottom, 42);
    const TRect r = g.ExpandButtonRect(1, 1);
    EXPECT_EQ(r.Left, 187);
    EXPECT_EQ(r.Top, 22);
    EXPECT_EQ(r.Right, 198);
    EXPECT_EQ(r.Bottom, 33);
}

TEST(GridCellGraphics, RotatedTextKeepsItsAngleWithinAFullTurn)
{
    struct Case {
        int angle, stored;
    };
    TExStringGrid g;
    for (const Case& k : {Case{-90, 270}, Case{725, 5}, Case{360, 360}, Case{45, 45}}) {
        SCOPED_TRACE(k.angle);
        g.SetRotated(1, 1, static_cast<std::int16_t>(k.angle));
        int a = -1;
        ASSERT_TRUE(g.IsRotated(1, 1, a));
        EXPECT_EQ(a, k.stored);
    }
    g.AddRotated(2, 1, 90, "up");
    EXPECT_EQ(g.Cells(2, 1), "up");
    g.RemoveRotated(2, 1);
    int a = 0;
    EXPECT_FALSE(g.IsRotated(2, 1, a));

    // A comment turns into rotated text in place; a graphic holding a
    // bitmap it made is replaced, so that the bitmap is freed.
    g.AddComment(1, 2, "c");
    g.SetRotated(1, 2, 30);
    EXPECT_TRUE(g.IsRotated(1, 2, a));
    g.CreateBitmap(1, 3, false, haLeft, vaTop)->SetSize(4, 4);
    g.SetRotated(1, 3, 30);
    EXPECT_TRUE(g.IsRotated(1, 3, a));
    EXPECT_EQ(g.GetBitmap(1, 3), nullptr);

    // The column grid's shared check box of a check-box column stays a
    // check box in every other cell.
    TExColumnGrid cg;
    cg.Columns()[1]->SetEditor(edDataCheckBox);
    cg.SetRotated(1, 1, 90);
    EXPECT_TRUE(cg.IsRotated(1, 1, a));
    EXPECT_EQ(cg.GetCellType(1, 2), ctDataCheckBox);
    EXPECT_TRUE(cg.HasCheckBox(1, 2));
}

TEST(GridCellGraphics, ObjectsThatDrawThemselvesAreNeverFreedByTheGrid)
{
    TExStringGrid g;
    TFilePicture obj;
    g.AddInterfacedCell(1, 1, &obj);
    EXPECT_EQ(g.GetInterfacedCell(1, 1), &obj);
    g.RemoveInterfacedCell(1, 1);
    EXPECT_EQ(g.GetInterfacedCell(1, 1), nullptr);
    g.AddInterfacedCell(1, 2, &obj); // freed with the grid: the object stays
}
