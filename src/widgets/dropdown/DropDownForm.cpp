#include "widgets/dropdown/DropDownForm.h"

#include "widgets/dropdown/DropDownDraw.h"
#include "widgets/dropdown/ExDropDown.h"

#include "platform/PopupWindow.h"
#include "platform/Screens.h"
#include "platform/TickClock.h"

#include <algorithm>

TDropDownForm::TDropDownForm(TExCustomDropDown* AOwner) : TCustomControl(nullptr), FExDropDown(AOwner)
{
    SetVisible(false);
    MakeActivePopupWindow(*this, AOwner);
    SetPopupDeactivateHandler(*this, [this](bool inside) { Deactivated(inside); });
}

TDropDownForm::~TDropDownForm()
{
    // Going away while shown must not close through the edit.
    SetPopupDeactivateHandler(*this, nullptr);
    if (OnDestroy) OnDestroy(this);
}

int TDropDownForm::BorderWidth() const { return FExDropDown ? std::max(FExDropDown->DropDownBorderWidth(), 0) : 0; }

void TDropDownForm::SetMinSize(int Width, int Height)
{
    FMinWidth = Width;
    FMinHeight = Height;
    if (this->Width() < FMinWidth || this->Height() < FMinHeight) SetBounds(Left(), Top(), this->Width(), this->Height());
}

void TDropDownForm::SetBounds(int left, int top, int width, int height)
{
    TCustomControl::SetBounds(left, top, std::max(width, FMinWidth), std::max(height, FMinHeight));
}

TRect TDropDownForm::AlignRect() const
{
    TRect r = TCustomControl::AlignRect();
    const int w = BorderWidth();
    InflateRect(r, -w, -w);
    return r;
}

void TDropDownForm::Paint()
{
    TCanvas& c = Canvas();
    const int w = BorderWidth();
    TRect r = Rect(0, 0, Width(), Height());
    InflateRect(r, -w, -w);
    if (FExDropDown) {
        const TColor from = FExDropDown->DropDownColor(), to = FExDropDown->DropDownColorTo();
        if (from != clNone && to != clNone) {
            FExDropDown->DrawGradientBackground(c, from, to, 80, r, FExDropDown->DropDownGradient() == gdVertical);
        } else if (from != clNone) {
            c.Brush().SetColor(from);
            c.FillRect(r);
        }
        if (w > 0 && FExDropDown->DropDownBorderColor() != clNone) {
            c.Pen().SetWidth(w);
            c.Pen().SetColor(FExDropDown->DropDownBorderColor());
            c.Brush().SetStyle(bsClear);
            c.Rectangle(w / 2, w / 2, Width(), Height());
        }
    }
}

void TDropDownForm::InitializeAndUpdate()
{
    if (!FExDropDown) return;
    THeaderAppearance& header = FExDropDown->DropDownHeader();
    if (FHeader) {
        FHeader->SetExDropDown(FExDropDown);
        FHeader->CreateButtons();
        FHeader->SetVisible(header.Visible());
    } else if (header.Visible()) {
        FHeader = new TExHeader(this);
        FHeader->SetHeight(header.Height);
        FHeader->SetExDropDown(FExDropDown);
        FHeader->CreateButtons();
        FHeader->SetAlign(TAlign::alTop);
    }
    if (FHeader) {
        FHeader->OnDrawBackGround = FExDropDown->OnDrawHeader;
        FHeader->OnGetText = FExDropDown->OnGetHeaderText;
    }
    TFooterAppearance& footer = FExDropDown->DropDownFooter();
    if (FFooter) {
        FFooter->SetExDropDown(FExDropDown);
        FFooter->CreateButtons();
        FFooter->SetVisible(footer.Visible());
    } else if (footer.Visible()) {
        FFooter = new TExFooter(this);
        FFooter->SetHeight(footer.Height);
        FFooter->SetExDropDown(FExDropDown);
        FFooter->CreateButtons();
        FFooter->SetAlign(TAlign::alBottom);
    }
    if (FFooter) {
        FFooter->OnDrawBackGround = FExDropDown->OnDrawFooter;
        FFooter->OnGetText = FExDropDown->OnGetFooterText;
    }
    Realign();
}

void TDropDownForm::ShowPopup(const TRect& ScreenBounds) { ShowActivePopup(*this, ScreenBounds); }

void TDropDownForm::HidePopup()
{
    FSizing = false;
    HideActivePopup(*this);
    if (OnHide) OnHide(this);
}

void TDropDownForm::Deactivated(bool InsideActivated)
{
    if (FBlockActivate || !Visible()) return;
    FDeActivate = TickClock().TickCount();
    if (InsideActivated) return;
    if (FExDropDown)
        FExDropDown->DoHideDropDown(FCancelOnDeActivate);
    else
        HidePopup();
}

bool TDropDownForm::MouseWheel(TShiftState shift, int delta, int x, int y)
{
    bool handled = false;
    if (delta < 0 && OnMouseWheelDown) OnMouseWheelDown(this, shift, {x, y}, handled);
    if (delta > 0 && OnMouseWheelUp) OnMouseWheelUp(this, shift, {x, y}, handled);
    return true;
}

void TDropDownForm::StartSizing(TPoint ScreenPos)
{
    FSizing = true;
    FSizeStart = ScreenPos;
    FSizeAtStart = {Width(), Height()};
}

void TDropDownForm::SizingMove(TPoint ScreenPos)
{
    if (!FSizing) return;
    const int w = std::max(FSizeAtStart.cx + ScreenPos.X - FSizeStart.X, std::max(FMinWidth, 1));
    const int h = std::max(FSizeAtStart.cy + ScreenPos.Y - FSizeStart.Y, std::max(FMinHeight, 1));
    if (w == Width() && h == Height()) return;
    SetBounds(Left(), Top(), w, h);
    if (OnSizing) OnSizing(this);
}

void TDropDownForm::EndSizing() { FSizing = false; }

void TDropDownForm::MouseDown(TMouseButton button, TShiftState, int x, int y)
{
    if (button == mbLeft && FSizeable && x > Width() - 10 && y > Height() - 10)
        StartSizing(ControlToScreen(*this, {x, y}));
}

void TDropDownForm::MouseMove(TShiftState, int x, int y)
{
    if (FSizing) SizingMove(ControlToScreen(*this, {x, y}));
}

void TDropDownForm::MouseUp(TMouseButton button, TShiftState, int, int)
{
    if (button == mbLeft) EndSizing();
}
