// TExStringGrid: painting, cell graphics sizes, keyboard, mouse, editing
// and the floating footer.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"

#include "platform/ImgList.h"

#include <algorithm>

int TExStringGrid::CellGraphicHit(int, int, int, int) { ZEL_GRID_NOT_BUILT(); }
void TExStringGrid::FireScrollCell(int, int) { ZEL_GRID_NOT_BUILT(); }

// --- sizes of cell graphics -------------------------------------------------------------------

TPoint TExStringGrid::GetCellGraphicSize(int ACol, int ARow) { return CalcCellGraphicSize(ACol, ARow, 0); }

// The room a cell's graphic takes on screen, as automatic sizing counts
// it: a graphic beside the text adds to the width only, one above or under
// it to the height only; without text both count.
TPoint TExStringGrid::CalcCellGraphicSize(int ACol, int ARow, int Padding)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return {0, 0};
    const bool hasText = !Cells(ACol, ARow).empty();
    const bool beside = g->CellHAlign == haBeforeText || g->CellHAlign == haAfterText;
    const bool aboveUnder = g->CellVAlign == vaUnderText || g->CellVAlign == vaAboveText;
    const int check = FParts->FControlLook ? FParts->FControlLook->CheckSize() : 15;
    const int radio = FParts->FControlLook ? FParts->FControlLook->RadioSize() : 10;
    const TPoint cell = CellSize(Model().DisplCol(ACol), ARow);
    TCustomImageList* images = GetGridImages();
    auto bitmapSize = [](const TObject* o) {
        if (const auto* ps = dynamic_cast<const IPictureSize*>(o)) return TPoint{ps->PictureWidth(), ps->PictureHeight()};
        if (const auto* b = dynamic_cast<const TBitmap*>(o)) return TPoint{b->Width(), b->Height()};
        return TPoint{0, 0};
    };
    TPoint p{0, 0};
    switch (g->CellType) {
    case ctBitmap:
    case ctIcon:
    case ctImageList: {
        TPoint sz{0, 0};
        if (g->CellType == ctImageList)
            sz = images ? TPoint{images->Width(), images->Height()} : TPoint{0, 0};
        else
            sz = bitmapSize(g->CellType == ctBitmap ? g->CellBitmap : g->CellIcon);
        if (beside || !hasText) p.X = sz.X;
        if (g->CellType == ctIcon || aboveUnder || !hasText) p.Y = sz.Y;
        break;
    }
    case ctDataImage:
        if (images) p = {images->Width(), images->Height()};
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox: p = {check, check}; break;
    case ctRadioButton: p = {radio, radio}; break;
    case ctRadio: {
        const auto* items = dynamic_cast<const TCellStrings*>(g->CellBitmap);
        const int n = items ? items->Count() : 0;
        const int lh = Canvas()->TextHeight("gh");
        if (g->CellBoolean) {
            for (int i = 0; i < n; ++i) p.X += Canvas()->TextWidth(items->Strings(i)) + 12;
            p.Y = lh;
        } else {
            int w = 0;
            for (int i = 0; i < n; ++i) w = std::max(w, Canvas()->TextWidth(items->Strings(i)));
            p = {w + 12, lh * n};
        }
        break;
    }
    case ctImages: {
        const auto* list = dynamic_cast<const TIntList*>(g->CellBitmap);
        const int n = list ? list->Count() : 0;
        if (images) p = g->CellBoolean ? TPoint{n * images->Width(), images->Height()}
                                       : TPoint{images->Width(), n * images->Height()};
        break;
    }
    case ctPicture:
    case ctFilePicture:
        p = g->GetPictureSize(cell.X - TotalXOffset() - 1, cell.Y - TotalYOffset() - Padding - 1, hasText);
        break;
    case ctButton:
    case ctBitButton: {
        p = {g->CellIndex & 0xFFFF, (g->CellIndex >> 16) & 0xFFFF};
        if (hasText) {
            if (g->CellHAlign == haCenter) p.X = 0;
            if (g->CellHAlign == haFull) p.X = Canvas()->TextWidth(g->CellText) + 4;
            if (!aboveUnder) p.Y = 0;
            if (aboveUnder) p.X = 0;
        } else if (g->CellHAlign == haFull) {
            p.X = Canvas()->TextWidth(g->CellText) + 4;
        }
        break;
    }
    case ctProgressPie: p = {20, 20}; break;
    case ctInterface: p = cell; break;
    case ctRating: p = {g->CellAngle * 18, 16}; break;
    default: break;
    }
    if (g->CellVAlign == vaFull) p.Y = cell.Y;
    const bool captionButton = (g->CellType == ctButton || g->CellType == ctBitButton) && !g->CellText.empty();
    if (g->CellHAlign == haFull && !captionButton && g->CellType != ctRating) p.X = cell.X;
    return p;
}
