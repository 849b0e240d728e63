#include "widgets/dropdown/ExButton.h"

#include "widgets/dropdown/DropDownDraw.h"

#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/ImgList.h"
#include "platform/Screens.h"
#include "platform/WindowImage.h"

#include <algorithm>

// --- TExButtonAppearance ----------------------------------------------------------------

TExButtonAppearance::TExButtonAppearance()
{
    // The checked face: the hot colours with red and green darkened by 10 %.
    FColorChecked = ShiftColor(FColorHot, -10, -10, 0);
    FColorCheckedTo = ShiftColor(FColorHotTo, -10, -10, 0);
}

void TExButtonAppearance::Set(TColor& Field, TColor Value)
{
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
}

void TExButtonAppearance::SetGradient(TGradientDirection Value)
{
    if (FGradient == Value) return;
    FGradient = Value;
    if (OnChange) OnChange(this);
}

void TExButtonAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TExButtonAppearance*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    if (s == this) return;
    SetColor(s->FColor);
    SetColorTo(s->FColorTo);
    SetColorHot(s->FColorHot);
    SetColorHotTo(s->FColorHotTo);
    SetColorDown(s->FColorDown);
    SetColorDownTo(s->FColorDownTo);
    SetColorChecked(s->FColorChecked);
    SetColorCheckedTo(s->FColorCheckedTo);
    SetColorDisabled(s->FColorDisabled);
    SetColorDisabledTo(s->FColorDisabledTo);
    SetBorderColor(s->FBorderColor);
    SetBorderColorHot(s->FBorderColorHot);
    SetBorderColorDown(s->FBorderColorDown);
    SetBorderColorChecked(s->FBorderColorChecked);
    SetBorderColorDisabled(s->FBorderColorDisabled);
    SetGradient(s->FGradient);
}

// --- TExButton ------------------------------------------------------------------------------

namespace {
bool Inside(const TControl& c, int x, int y) { return x >= 0 && x < c.Width() && y >= 0 && y <= c.Height(); }
} // namespace

TExButton::TExButton(TWinControl* parent) : TCustomControl(parent)
{
    SetShowHint(false);
    SetBounds(0, 0, 22, 23);
    SetMouseTracking(true);
    // The button takes the focus by Tab and by program, never by a click.
    SetFocusOnClick(false);
    FUnHotTimer.SetEnabled(false);
    FUnHotTimer.SetInterval(ExButtonUnHotInterval);
    FUnHotTimer.SetOnTimer([this] { UnHotTick(); });
}

TExButton::~TExButton() = default;

void TExButton::SetCaption(const std::string& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    Invalidate();
}

void TExButton::SetAppearance(TExButtonAppearance* Value)
{
    FAppearance = Value;
    Invalidate();
}

void TExButton::SetImages(TCustomImageList* Value)
{
    FImages = Value;
    Invalidate();
}

void TExButton::SetImageIndex(int Value)
{
    FImageIndex = Value;
    Invalidate();
}

void TExButton::SetExDropDown(IDropDownCloser* Value)
{
    if (Value)
        FExDropDown = Value->Handle();
    else
        FExDropDown.reset();
}

void TExButton::SetStyle(TExButtonStyle Value)
{
    FStyle = Value;
    Invalidate();
}

void TExButton::SetEnabled(bool v)
{
    TCustomControl::SetEnabled(v);
    Invalidate();
}

void TExButton::SizeToCaption()
{
    if (!FAppearance) return;
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(FAppearance->Font());
    const TSize text = GetTextExtent(scratch.Canvas(), FCaption);
    int w = text.cx, h = text.cy;
    if (FImages && FImageIndex >= 0) {
        w = std::max(w, FImages->Width());
        h = std::max(h, FImages->Height());
    }
    SetBounds(Left(), Top(), w + 8, h + 4);
}

void TExButton::SetDown(bool Value)
{
    if (FStyle == tasCheck) {
        FDown = Value;
        FState = Value ? absDown : absUp;
        Invalidate();
        return;
    }
    if (FGroupIndex == 0) Value = false;
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = Value;
    if (Value) {
        if (FState == absUp) Invalidate();
        FState = absExclusive;
    } else {
        FState = absUp;
        Invalidate();
    }
    if (Value && FGroupIndex != 0 && Parent()) {
        TWinControl* p = Parent();
        for (int i = 0; i < p->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TExButton*>(p->Controls(i)); b && b != this) b->GroupButtonPressed(this);
    }
}

void TExButton::GroupButtonPressed(TExButton* Sender)
{
    if (Sender->FGroupIndex != FGroupIndex) return;
    if (Sender->FDown && FDown) {
        FDown = false;
        FState = absUp;
        Invalidate();
    }
    FAllowAllUp = Sender->FAllowAllUp;
}

void TExButton::Click()
{
    if (TForm* form = ParentForm()) form->SetModalResult(FModalResult);
    if (auto handle = FExDropDown.lock()) {
        switch (FModalResult) {
        case mrOk:
        case mrYes:
        case mrAll:
        case mrYesToAll: (*handle)->CloseDropDown(false); break;
        case mrCancel:
        case mrAbort:
        case mrIgnore:
        case mrNo:
        case mrNoToAll: (*handle)->CloseDropDown(true); break;
        default: break;
        }
    }
    if (!FInternalClick) TCustomControl::Click();
}

bool TExButton::DialogChar(char32_t ch)
{
    if (!Enabled() || !IsAccel(ch, FCaption)) return false;
    Click();
    return true;
}

void TExButton::Paint()
{
    if (!Enabled()) {
        FState = absDisabled;
        FDragging = false;
    } else if (FState == absDisabled) {
        FState = FDown && FGroupIndex != 0 ? absExclusive : absUp;
    }
    if (FStyle == tasCheck && FDown) FState = absDown;
    TCanvas& c = Canvas();
    PaintParentBackground(*this, c);
    DrawButton(c);
}

void TExButton::DrawButton(TCanvas& Canvas)
{
    if (!FAppearance) return;
    const TExButtonAppearance& a = *FAppearance;
    TColor from = a.Color(), to = a.ColorTo(), border = a.BorderColor();
    if (!Enabled()) {
        from = a.ColorDisabled();
        to = a.ColorDisabledTo();
        border = a.BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        from = to = a.ColorDown();
        border = a.BorderColorDown();
    } else if (FDown) {
        from = to = a.ColorChecked();
        border = a.BorderColorChecked();
    } else if (FMouseInControl || Focused()) {
        from = to = a.ColorHot();
        border = a.BorderColorHot();
    }
    const TRect r = Rect(0, 0, Width(), Height());
    DrawBackgroundRect(&Canvas, r, from, to, border, 1, a.Gradient() == gdVertical);
    Canvas.Brush().SetStyle(bsClear);
    Canvas.Font().Assign(a.Font());
    DrawImageAndCaption(&Canvas, r, FCaption, FImages, FImageIndex);
}

void TExButton::MouseEntered()
{
    FMouseInControl = true;
    if (Enabled()) Invalidate();
    FUnHotTimer.SetEnabled(true);
}

void TExButton::MouseLeft()
{
    FUnHotTimer.SetEnabled(false);
    FMouseInControl = false;
    FHot = false;
    if (Enabled()) Invalidate();
}

void TExButton::DoMouseEnter()
{
    MouseEntered();
    TCustomControl::DoMouseEnter();
}

void TExButton::DoMouseLeave()
{
    MouseLeft();
    TCustomControl::DoMouseLeave();
}

void TExButton::UnHotTick()
{
    if (PtInRect(Rect(0, 0, Width(), Height()), ScreenToControl(*this, GetCursorPos()))) return;
    FUnHotTimer.SetEnabled(false);
    FMouseInControl = false;
    FHot = false;
    if (Enabled()) Invalidate();
}

void TExButton::RecheckMouseOver(int x, int y)
{
    if (!Enabled()) return;
    // The release or move lands where the pointer is.
    if (x >= 0 && y >= 0 && x < Width() && y < Height())
        DoMouseEnter();
    else
        DoMouseLeave();
}

void TExButton::MouseDown(TMouseButton button, TShiftState, int, int)
{
    if (button != mbLeft || !Enabled()) return;
    FMouseDownInControl = true;
    if (!FDown) {
        FState = absDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = absDown;
        Invalidate();
    }
    FDragging = true;
}

void TExButton::MouseMove(TShiftState, int x, int y)
{
    if (!FDragging) {
        if (!FMouseInControl) RecheckMouseOver(x, y);
        return;
    }
    const bool inside = Inside(*this, x, y);
    // The pointer crossed the edge while the button holds it.
    if (inside != FMouseInControl) {
        if (inside)
            DoMouseEnter();
        else
            DoMouseLeave();
    }
    TExButtonState state = FDown ? absExclusive : absUp;
    if (inside) state = FDown ? absExclusive : absDown;
    if (FStyle == tasCheck && FDown) state = absDown;
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TExButton::MouseUp(TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft) return;
    FMouseDownInControl = false;
    Invalidate();
    if (!FDragging) return;
    FDragging = false;
    const bool inside = Inside(*this, x, y);
    if (FGroupIndex != 0) {
        if (inside) {
            SetDown(!FDown);
            if (FDown) Invalidate();
        } else if (FDown) {
            FState = absExclusive;
            Invalidate();
        }
    } else {
        FState = absUp;
        FMouseInControl = false;
        FHot = false;
        if (FStyle == tasCheck) {
            SetDown(!FDown);
            FState = absUp;
        }
        if (inside && FState != absDown && FState != absExclusive) Invalidate();
    }
    RecheckMouseOver(x, y);
    if (inside && Enabled()) Click();
}

bool TExButton::KeyDownMsg(int key, TShiftState)
{
    if (key != VK_RETURN && key != VK_SPACE) return false;
    if (!FDown) {
        FState = absDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = absDown;
        Invalidate();
    }
    FInternalClick = true;
    try {
        Click();
    } catch (...) {
        FInternalClick = false;
        throw;
    }
    FInternalClick = false;
    return false;
}
