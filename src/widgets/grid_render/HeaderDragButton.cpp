#include "widgets/grid_render/HeaderDragButton.h"

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_render/Html_Render.h"

#include "platform/DrawText.h"
#include "platform/PopupWindow.h"

THeaderDragButton::THeaderDragButton(TExStringGrid* AGrid) : TCustomControl(nullptr), FGrid(AGrid)
{
    SetVisible(false);
    SetTabStop(false);
    SetColor(clBtnFace);
    MakePopupWindow(*this, psStayOnTop | psToolWindow);
    SetEnabled(false);
}

void THeaderDragButton::SetCaption(const std::string& Value)
{
    if (Value == FCaption) return;
    FCaption = Value;
    Invalidate();
}

void THeaderDragButton::Paint()
{
    TCanvas& C = Canvas();
    TRect R = Rect(0, 0, Width(), Height());
    C.Brush().SetColor(Color());
    C.FillRect(R);
    // A heading's face: the grid's fixed colour in a raised frame (the
    // top-left cell itself would bring its own text along).
    if (FGrid) {
        C.Font().Assign(FGrid->Font());
        C.Brush().SetColor(FGrid->FixedColor());
        C.FillRect(R);
    }
    C.Pen().SetColor(clWhite);
    C.MoveTo(0, R.Bottom - 1);
    C.LineTo(0, 0);
    C.LineTo(R.Right - 1, 0);
    C.Pen().SetColor(clGray);
    C.LineTo(R.Right - 1, R.Bottom - 1);
    C.LineTo(0, R.Bottom - 1);
    C.Brush().SetStyle(bsClear);
    if (FCaption.find("</") == std::string::npos) {
        DrawTextEx(C, FCaption, R, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        return;
    }
    THTMLDrawArgs a;
    a.Images = FGrid ? FGrid->GridImages() : nullptr;
    a.HitX = a.HitY = 2;
    a.ShadowOffset = 2;
    a.AnchorColor = clBlue;
    a.ShadowColor = clGray;
    DrawHTMLText(C, FCaption, R, a);
}
