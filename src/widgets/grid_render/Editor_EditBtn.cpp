#include "widgets/grid_render/Editor_EditBtn.h"

#include "platform/ControlMessages.h"
#include "platform/DrawText.h"
#include "platform/Menus.h"
#include "platform/SysMetrics.h"
#include "platform/Themes.h"

#include <algorithm>

// --- TExSpeedButton -------------------------------------------------------------------

void TExSpeedButton::Paint()
{
    TCanvas& c = Canvas();
    TRect r{0, 0, Width(), Height()};
    auto* owner = dynamic_cast<TEsgEditButton*>(Parent());
    c.Font().Assign(static_cast<const TControl*>(this)->Font());
    if (owner && owner->ButtonColor != clNone) {
        TColor fill = owner->ButtonColor;
        if (Hot() && owner->ButtonColorHot != clNone) fill = owner->ButtonColorHot;
        if (Pressed() && owner->ButtonColorDown != clNone) fill = owner->ButtonColorDown;
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(fill);
        c.FillRect(r);
    } else if (HTHEME theme = FIsWinXP && IsThemeActive() ? OpenThemeData(nullptr, "button") : nullptr) {
        DrawThemeBackground(theme, c, BP_PUSHBUTTON, Pressed() ? PBS_PRESSED : Hot() ? PBS_HOT : PBS_NORMAL, r);
        CloseThemeData(theme);
    } else if (Flat()) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clBtnFace);
        DrawEdge(c, r, Pressed() ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE | BF_ADJUST);
    } else {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clBtnFace);
        c.FillRect(r);
        DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Pressed() ? DFCS_PUSHED : 0u));
    }
    DrawGlyph(c, r);
    if (!Caption().empty()) {
        TRect t{0, 0, Width(), Height()};
        if (Pressed()) t = {1, 1, Width() + 1, Height() + 1};
        c.Font().SetColor(clBlack);
        c.Brush().SetStyle(bsClear);
        DrawText(c, Caption(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// --- TEsgEditButton -------------------------------------------------------------------------

TEsgEditButton::TEsgEditButton(TWinControl* parent) : TCustomControl(parent)
{
    SetTabStop(false);
    SetTakesFocusOnClick(*this, false);
    FButton = new TExSpeedButton(this);
    FButton->OnClick = [this](TControl*) { ButtonClicked(); };
    TCustomControl::SetBounds(0, 0, 20, 25);
    FButton->SetBounds(0, 0, 20, 25);
}

void TEsgEditButton::SetBounds(int left, int top, int width, int height)
{
    TCustomControl::SetBounds(left, top, width, height);
    FButton->SetBounds(0, 0, width, height);
}

void TEsgEditButton::SetFlat(bool v)
{
    FFlat = v;
    FButton->SetFlat(v);
}

void TEsgEditButton::ButtonClicked()
{
    if (OnClick) OnClick(this);
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && !Focused() && CanFocus())
        SetFocus();
}

// --- TEsgEditBtn -------------------------------------------------------------------------------

TEsgEditBtn::TEsgEditBtn(TWinControl* parent) : TCustomMaskEdit(parent)
{
    FButton = new TEsgEditButton(this);
    FButton->SetBounds(0, 0, 18, 18);
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](TControl* s) { ClickButton(s); };
    SetText("0");
    Layout();
}

void TEsgEditBtn::ClickButton(TControl* Sender)
{
    if (OnClickBtn) OnClickBtn(Sender);
}

void TEsgEditBtn::SetButtonWidth(int v)
{
    FButtonWidth = v;
    FButton->SetWidth(v);
    Layout();
}

void TEsgEditBtn::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FButton->Button()->SetIsWinXP(v);
}

void TEsgEditBtn::SetRightAlign(bool v)
{
    if (v == FRightAlign) return;
    FRightAlign = v;
    SetAlignment(v ? TAlignment::taRightJustify : TAlignment::taLeftJustify);
}

void TEsgEditBtn::SetUnitSpace(int v)
{
    FUnitSize = v;
    Layout();
    Invalidate();
}

void TEsgEditBtn::SetBounds(int left, int top, int width, int height)
{
    TCustomMaskEdit::SetBounds(left, top, width, height);
    Layout();
}

void TEsgEditBtn::Resized() { Layout(); }

int TEsgEditBtn::MinHeight() const
{
    TBitmap scratch(1, 1);
    const int screen = scratch.Canvas().TextMetrics().Height;
    scratch.Canvas().Font().Assign(static_cast<const TControl*>(this)->Font());
    const int font = scratch.Canvas().TextMetrics().Height;
    return font + std::min(font, screen) / 4;
}

void TEsgEditBtn::Layout()
{
    if (!FButton) return;
    const bool borderless = BorderStyle() == TBorderStyle::bsNone;
    const int m = borderless ? 3 : 1;
    int right = Width() - (FButton->Width() + FUnitSize + 5);
    if (FUnitSize > 0) right -= 3;
    SetEditRect(TRect{m, m, right, Height() + 1});
    const int minH = MinHeight();
    if (Height() < minH) {
        TCustomMaskEdit::SetBounds(Left(), Top(), Width(), minH);
        return;
    }
    const int bw = FButton->Width();
    if (borderless) FButton->SetBounds(Width() + 4 - bw - 5, 0, bw, Height() + 4 - 5);
    else FButton->SetBounds(Width() - bw - 5 + 2, 2, bw, Height() - 5);
}

void TEsgEditBtn::KeyDown(int& Key, TShiftState Shift)
{
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (Key == VK_F4 && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) ClickButton(this);
}

void TEsgEditBtn::KeyPress(char32_t& Key)
{
    if (!FEditorEnabled) {
        Key = 0;
        return;
    }
    TCustomMaskEdit::KeyPress(Key);
}

void TEsgEditBtn::WMPaste()
{
    if (FEditorEnabled && !ReadOnly()) TCustomMaskEdit::WMPaste();
}

void TEsgEditBtn::WMCut()
{
    if (FEditorEnabled && !ReadOnly()) TCustomMaskEdit::WMCut();
}

// --- TEsgUnitEditBtn -------------------------------------------------------------------------------

TEsgUnitEditBtn::TEsgUnitEditBtn(TWinControl* parent) : TEsgEditBtn(parent)
{
    FUnitSize = 20;
    FRightAlign = true;
    SetAlignment(TAlignment::taRightJustify);
    Layout();
}

void TEsgUnitEditBtn::SetUnitID(const std::string& v)
{
    FUnitID = v;
    Invalidate();
}

void TEsgUnitEditBtn::SetUnits(const TStringList* v)
{
    if (v) FUnits = *v;
}

std::string TEsgUnitEditBtn::TextAndUnit() const { return Text() + FUnitID; }

void TEsgUnitEditBtn::SetTextAndUnit(const std::string& Value)
{
    for (const std::string& u : FUnits) {
        const size_t p = Value.find(u);
        if (p == std::string::npos || p + u.size() != Value.size()) continue;
        SetText(Value.substr(0, p));
        SetUnitID(Value.substr(p));
        return;
    }
}

void TEsgUnitEditBtn::ClickButton(TControl*)
{
    if (OnClickBtn) OnClickBtn(this);
    const TPoint at = ClientToScreen(TPoint{ClientWidth() - 15, ClientHeight()});
    const int id = TrackPopupMenu(FUnits.Items(), at, this);
    if (id < 1 || id > FUnits.Count()) return;
    const std::string previous = FUnitID;
    SetUnitID(FUnits[id - 1]);
    if (FUnitID != previous && OnUnitChanged) OnUnitChanged(this, FUnitID);
}

void TEsgUnitEditBtn::PaintAfter(TCanvas& Canvas)
{
    const int bw = EditButton()->Width();
    TRect r{ClientWidth() - bw - 3 - FUnitSize, 2, ClientWidth() - bw - 3, ClientHeight()};
    Canvas.Font().Assign(static_cast<const TControl*>(this)->Font());
    Canvas.Brush().SetStyle(bsClear);
    DrawText(Canvas, FUnitID, r, DT_EDITCONTROL | DT_SINGLELINE | DT_NOPREFIX);
}
