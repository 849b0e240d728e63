// The drop-down edit's pop-up cycle: opening (prepare, size, place, veto,
// show, focus), closing (remember the size, hide, cancel), the button
// click with its reopen guard, and the keys and wheel steps of the pop-up
// handed on to the edit.

#include "widgets/dropdown/DropDownForm.h"
#include "widgets/dropdown/ExDropDown.h"

#include "platform/ControlMessages.h"
#include "platform/HintWindow.h"
#include "platform/Screens.h"
#include "platform/SysUtils.h"
#include "platform/TickClock.h"

#include <algorithm>

namespace {
// A click on the button within this time after the pop-up lost the
// activation (the press that closed it) does not open it again.
constexpr std::uint64_t ReopenGuardMs = 250;
} // namespace

void TExCustomDropDown::BeforeDropDown()
{
    if (OnBeforeDropDown) OnBeforeDropDown(this);
}

void TExCustomDropDown::AdjustDropDownHeight(int&) {}

void TExCustomDropDown::FocusDropDownControl()
{
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
}

void TExCustomDropDown::UpdateDropDownControl()
{
    if (!FDropDownForm || !FControl) return;
    // The control's own size, which the pop-up is sized to at every
    // opening (once it fills the pop-up, its size follows the pop-up's).
    if (FControl->Align() != TAlign::alClient) FControlSize = {FControl->Width(), FControl->Height()};
    FControl->SetParent(FDropDownForm.get());
    TExHeader* header = FDropDownForm->Header();
    if (header && header->Visible())
        FControl->SetTop(header->Height() + 2);
    else
        FControl->SetTop(FDropDownBorderWidth);
    FControl->SetAlign(TAlign::alClient);
}

TSize TExCustomDropDown::ControlSize() const
{
    if (!FControl) return {};
    if (FControl->Align() == TAlign::alClient && FControlSize.cx >= 0) return FControlSize;
    return {FControl->Width(), FControl->Height()};
}

void TExCustomDropDown::AdaptDropDownSize()
{
    if (!FDropDownForm) return;
    TDropDownForm& f = *FDropDownForm;
    int w = Width();
    if (FDropDownWidth > 0)
        w = FDropDownWidth;
    else if (FControl && FControl->Visible())
        w = ControlSize().cx;
    int h = 0;
    if (FDropDownHeight > 0) {
        h = FDropDownHeight;
    } else {
        h = 2 * FDropDownBorderWidth;
        if (f.Header() && f.Header()->Visible()) h += f.Header()->Height();
        if (f.Footer() && f.Footer()->Visible()) h += f.Footer()->Height();
        if (FControl && FControl->Visible()) h += ControlSize().cy;
    }
    f.SetBounds(f.Left(), f.Top(), w, h);
}

void TExCustomDropDown::WireControlKeys()
{
    if (!dynamic_cast<TWinControl*>(FControl)) return;
    FControl->OnKeyDown = [this](TControl*, int& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
    FControl->OnKeyUp = [this](TControl*, int& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
    FControl->OnKeyPress = [this](TControl*, char32_t& Key) { ControlKeyPress(Key); };
}

void TExCustomDropDown::DoShowDropDown()
{
    if (!FDropDownForm || FDropDownForm->Visible() || !Enabled() || ReadOnly()) return;
    TDropDownForm& f = *FDropDownForm;
    BeforeDropDown();
    f.SetShadow(FDropDownShadow);
    f.InitializeAndUpdate();
    AdaptDropDownSize();
    UpdateDropDownControl();
    f.SetMinSize(80, 50);
    WireControlKeys();

    // Below the edit (over its last pixel row) or above it, on the screen
    // that holds the edit.
    const TPoint P = ControlToScreen(*this, {0, 0});
    const TRect work = ScreenWorkAreaAt(P);
    const int fw = f.Width(), fh = f.Height();
    bool below = FDropPosition != dpUp;
    if (FDropPosition == dpAuto) below = IsRectEmpty(work) || P.Y + Height() - 1 + fh <= work.Bottom;
    int left = P.X;
    int top = below ? P.Y + Height() - 1 : P.Y - fh;

    bool accept = true;
    if (OnDropDown) OnDropDown(this, accept);
    if (!accept) return;

    if (!IsRectEmpty(work)) {
        if (left + fw > work.Right) left = work.Right - fw;
        if (left < work.Left) left = work.Left;
        if (!below && top < work.Top && FDropPosition == dpAuto) top = work.Top;
    }
    int w = fw, h = fh;
    if (FUserDropDownWidth != -1) w = std::max(FUserDropDownWidth, f.MinWidth());
    if (FUserDropDownHeight != -1) h = std::max(FUserDropDownHeight, f.MinHeight());
    AdjustDropDownHeight(h);
    FDroppedDown = true;
    f.ShowPopup(Bounds(left, top, w, h));
    FocusDropDownControl();
}

void TExCustomDropDown::DoHideDropDown(bool Cancelled)
{
    if (!FDropDownForm || !FDropDownForm->Visible() || FHiding) return;
    FHiding = true;
    try {
        if (OnBeforeDropUp) OnBeforeDropUp(this);
        FUserDropDownWidth = FDropDownForm->Width();
        FUserDropDownHeight = FDropDownForm->Height();
        FDropDownForm->HidePopup();
        CancelApplicationHint();
        if (Cancelled) SetText(FOldText);
        FHiding = false;
    } catch (...) {
        FHiding = false;
        throw;
    }
    if (OnDropUp) OnDropUp(this, Cancelled);
}

void TExCustomDropDown::AfterDropUp()
{
    FDroppedDown = false;
    if (!FDestroying && TabStop() && CanFocus() && !Focused()) SetFocus();
}

void TExCustomDropDown::DropDownButtonClick()
{
    if (!FDropDownForm || FDropDownForm->Visible()) return;
    const std::uint64_t now = TickClock().TickCount();
    const std::uint64_t last = FDropDownForm->DeActivateTime();
    if (now >= last && now - last <= ReopenGuardMs) return;
    DoShowDropDown();
}

// --- keys and wheel of the pop-up ----------------------------------------------------------

void TExCustomDropDown::FormKeyDown(int& Key, TShiftState Shift)
{
    if (!Key) return;
    FForwardingKey = true;
    SendKeyDownTo(*this, Key, Shift);
    FForwardingKey = false;
}

void TExCustomDropDown::FormKeyUp(int& Key, TShiftState Shift)
{
    if (!Key) return;
    FForwardingKey = true;
    SendKeyUpTo(*this, Key, Shift);
    FForwardingKey = false;
}

void TExCustomDropDown::FormKeyPress(char32_t& Key)
{
    // Enter, Escape and Backspace came with their key-down.
    if (Key >= 32) SendCharTo(*this, Key);
}

void TExCustomDropDown::ControlKeyDown(int& Key, TShiftState Shift) { FormKeyDown(Key, Shift); }
void TExCustomDropDown::ControlKeyUp(int& Key, TShiftState Shift) { FormKeyUp(Key, Shift); }
void TExCustomDropDown::ControlKeyPress(char32_t& Key) { FormKeyPress(Key); }

void TExCustomDropDown::FormMouseWheelDown(TShiftState, TPoint, bool&) { HandleMouseWheelDown(); }
void TExCustomDropDown::FormMouseWheelUp(TShiftState, TPoint, bool&) { HandleMouseWheelUp(); }
