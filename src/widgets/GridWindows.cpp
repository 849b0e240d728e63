#include "widgets/GridWindows.h"

#include "platform/PopupWindow.h"

#include <vector>

std::array<TPoint, 7> ArrowOutline(TArrowDirection Direction)
{
    switch (Direction) {
    case arrUp: return {{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}};
    case arrDown: return {{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}};
    case arrLeft: return {{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}};
    case arrRight: return {{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}};
    }
    return {};
}

TArrowWindow::TArrowWindow(TWinControl* AOwner, TArrowDirection Direction) : TPanel(AOwner), Dir(Direction)
{
    SetVisible(false);
    SetBevelOuter(TBevelCut::bvNone);
    SetParentBackground(false);
    SetColor(0x00FF00);
    MakePopupWindow(*this, psStayOnTop | psToolWindow);
    SetBounds(0, 0, 11, 11);
    Arrow = ArrowOutline(Direction);
    SetWindowRegion(*this, TRegion::Polygon(std::vector<TPoint>(Arrow.begin(), Arrow.end())));
}

TGridFocusWindow::TGridFocusWindow(TWinControl* AOwner) : TCustomControl(AOwner)
{
    SetVisible(false);
    SetTabStop(false);
    SetColor(0x0000FF);
    MakePopupWindow(*this, psStayOnTop | psToolWindow | psDisabled);
    SetBounds(0, 0, 0, 0);
}

void TGridFocusWindow::Paint()
{
    TCanvas& c = Canvas();
    c.Brush().SetColor(Color());
    c.FillRect(Rect(0, 0, Width(), Height()));
}
