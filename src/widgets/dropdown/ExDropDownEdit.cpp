// The drop-down edit's interaction rules: selecting the value between
// Prefix and Suffix, focus changes, the clipboard, the mouse, the edit
// rectangle and the button's place, the border, the focused-value box and
// the attached label.

#include "widgets/dropdown/DropDownForm.h"
#include "widgets/dropdown/ExDropDown.h"

#include "platform/Controls.h"
#include "platform/DrawText.h"

#include <algorithm>

// --- selection -----------------------------------------------------------------------------

int TExCustomDropDown::CaretLimit() const { return Utf8Length(FPrefix) + Utf8Length(Text()); }

void TExCustomDropDown::SelectAll()
{
    SetSelStart(Utf8Length(FPrefix));
    SetSelLength(Utf8Length(Text()));
}

void TExCustomDropDown::SelectBeforeDecimal()
{
    const std::string v = Text();
    const size_t p = v.find(FormatSettings().DecimalSeparator);
    SetSelStart(Utf8Length(FPrefix) + (p == std::string::npos ? 0 : Utf8Length(v.substr(0, p))));
}

void TExCustomDropDown::SelectAfterDecimal()
{
    const std::string v = Text();
    const size_t p = v.find(FormatSettings().DecimalSeparator);
    SetSelStart(Utf8Length(FPrefix) + (p == std::string::npos ? 0 : Utf8Length(v.substr(0, p)) + 1));
}

// --- layout -----------------------------------------------------------------------------------

void TExCustomDropDown::SetEditRect()
{
    const bool border = BorderStyle() == TBorderStyle::bsSingle;
    FEditRect = Rect(border ? 1 : 2, border ? 1 : 3, Width() - FButtonWidth - 3, Height() + 1);
    TCustomMaskEdit::SetEditRect(FEditRect);
}

void TExCustomDropDown::ResizeControl()
{
    TBitmap scratch(1, 1);
    const int systemHeight = scratch.Canvas().TextMetrics().Height;
    scratch.Canvas().Font().Assign(static_cast<const TControl*>(this)->Font());
    const int fontHeight = scratch.Canvas().TextMetrics().Height;
    const int minHeight = fontHeight + std::min(fontHeight, systemHeight) / 4;
    if (Height() < minHeight) {
        SetHeight(minHeight); // sizes again
        return;
    }
    if (FButton) {
        // The button stands inside the edit's frame at its right edge.
        if (BorderStyle() == TBorderStyle::bsSingle) {
            const int frame = FFlat ? 1 : 2;
            FButton->SetBounds(Width() - FButtonWidth - frame, frame, FButtonWidth, Height() - 2 * frame);
        } else {
            FButton->SetBounds(Width() - FButtonWidth, 1, FButtonWidth, Height() - 2);
        }
    }
    SetEditRect();
    Invalidate();
}

void TExCustomDropDown::Resized() { ResizeControl(); }

void TExCustomDropDown::FontChanged()
{
    TCustomMaskEdit::FontChanged();
    SetEditRect();
    if (FParentFnt && FLabel) {
        FLabel->SetFont(static_cast<const TControl*>(this)->Font());
        UpdateLabelPosition();
    }
}

// --- label ------------------------------------------------------------------------------------

void TExCustomDropDown::DoLabelClick()
{
    if (OnLabelClick) OnLabelClick(this);
}

void TExCustomDropDown::DoLabelDblClick()
{
    if (OnLabelDblClick) OnLabelDblClick(this);
}

std::string TExCustomDropDown::LabelCaption() const { return FLabel ? FLabel->Caption() : std::string(); }

void TExCustomDropDown::CreateLabel()
{
    if (FLabel || !Parent()) return;
    FLabel = new TLabel(Parent());
    FLabel->SetFont(FParentFnt ? static_cast<const TControl*>(this)->Font() : *FLabelFont);
    FLabel->OnClick = [this](TControl*) { DoLabelClick(); };
    FLabel->OnDblClick = [this](TControl*) { DoLabelDblClick(); };
    FLabel->SetVisible(Visible());
}

void TExCustomDropDown::SetLabelCaption(const std::string& Value)
{
    CreateLabel();
    if (!FLabel) return;
    FLabel->SetCaption(Value);
    UpdateLabelPosition();
}

void TExCustomDropDown::SetLabelPosition(TLabelPosition Value)
{
    FLabelPosition = Value;
    UpdateLabelPosition();
}

void TExCustomDropDown::SetLabelMargin(int Value)
{
    FLabelMargin = Value;
    UpdateLabelPosition();
}

void TExCustomDropDown::SetLabelTransparent(bool Value)
{
    FLabelTransparent = Value;
    UpdateLabelPosition();
}

void TExCustomDropDown::SetLabelFont(const TFont& Value)
{
    if (!FParentFnt) FLabelFont->Assign(Value);
    UpdateLabelPosition();
}

void TExCustomDropDown::SetParentFontLabel(bool Value)
{
    FParentFnt = Value;
    UpdateLabelPosition();
}

void TExCustomDropDown::UpdateLabelPosition()
{
    if (!FLabel || !FLabel->Parent()) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->SetFont(FParentFnt ? static_cast<const TControl*>(this)->Font() : *FLabelFont);
    FLabel->SetCaption(FLabel->Caption()); // sizes it to the font
    const int t = Top(), h = Height(), l = Left(), wd = Width();
    const int lw = FLabel->Width(), lh = FLabel->Height(), m = FLabelMargin;
    const int centred = t + (h - lh) / 2;
    int top = t, left = l;
    switch (FLabelPosition) {
    case lpLeftTop: top = t; left = l - lw - m; break;
    case lpLeftCenter: top = centred; left = l - lw - m; break;
    case lpLeftBottom: top = t + h - lh; left = l - lw - m; break;
    case lpTopLeft: top = t - lh - m; left = l; break;
    case lpBottomLeft: top = t + h + m; left = l; break;
    case lpLeftTopLeft: top = t; left = l - m; break;
    case lpLeftCenterLeft: top = centred; left = l - m; break;
    case lpLeftBottomLeft: top = t + h - lh; left = l - m; break;
    case lpTopCenter: top = t - lh - m; left = l + (wd - lw) / 2; break;
    case lpBottomCenter: top = t + h + m; left = l + (wd - lw) / 2; break;
    case lpRightTop: top = t; left = l + wd + m; break;
    case lpRightCenter: top = centred; left = l + wd + m; break;
    case lpRighBottom: top = t + h - lh; left = l + wd + m; break;
    case lpTopRight: top = t - lh - m; left = l + wd - lw; break;
    case lpBottomRight: top = t + h + m; left = l + wd - lw; break;
    }
    FLabel->SetBounds(left, top, lw, lh);
    FLabel->SetVisible(Visible());
}

// --- style --------------------------------------------------------------------------------------

void TExCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) { FSelectionColorStyle = Value; }

void TExCustomDropDown::DrawSelection(TCanvas& Canvas, const TRect& R, TColor, int)
{
    Canvas.Pen().SetColor(FSelectionColor);
    Canvas.Brush().SetColor(FSelectionColor);
    Canvas.FillRect(R);
}

void TExCustomDropDown::SetComponentStyle(TNUVStyle AStyle) { FNUVStyle = AStyle; }

void TExCustomDropDown::SetColorTones(const TColorTones& ATones)
{
    if (FButton) {
        FButton->ButtonColor = ATones.Background.BrushColor;
        FButton->ButtonColorHot = ATones.Hover.BrushColor;
        FButton->ButtonColorDown = ATones.Selected.BrushColor;
        FButton->ButtonBorderColor = ATones.Background.BorderColor;
    }
    SetBorderColor(ATones.Background.BorderColor);
}

// --- keys (the full rules follow) ----------------------------------------------------------

void TExCustomDropDown::KeyDown(int& Key, TShiftState Shift)
{
    if (Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
        if (FDroppedDown)
            DoHideDropDown(false);
        else
            DoShowDropDown();
    }
    TCustomMaskEdit::KeyDown(Key, Shift);
}

void TExCustomDropDown::KeyPress(char32_t& Key)
{
    TCustomMaskEdit::KeyPress(Key);
    if (Key == 13) Key = 0;
}

void TExCustomDropDown::KeyUp(int& Key, TShiftState Shift) { TCustomMaskEdit::KeyUp(Key, Shift); }

bool TExCustomDropDown::WantSpecialKey(int&) { return false; }

bool TExCustomDropDown::DoKeyDown(int& key, TShiftState shift) { return TCustomMaskEdit::DoKeyDown(key, shift); }

void TExCustomDropDown::FormatMoneyText() {}

void TExCustomDropDown::Change()
{
    if (FBlockChange) {
        FBlockChange = false;
        return;
    }
    TCustomMaskEdit::Change();
}

void TExCustomDropDown::WMPaste() { TCustomMaskEdit::WMPaste(); }
void TExCustomDropDown::WMCut() { TCustomMaskEdit::WMCut(); }

// --- mouse, focus and painting ---------------------------------------------------------------

void TExCustomDropDown::MouseDown(TMouseButton Button, TShiftState, int, int)
{
    if (Button == mbLeft && !FEditorEnabled) DropDownButtonClick();
}

void TExCustomDropDown::MouseUp(TMouseButton, TShiftState, int, int) {}

bool TExCustomDropDown::MouseWheel(TShiftState, int Delta, int, int)
{
    if (Delta < 0) HandleMouseWheelDown();
    if (Delta > 0) HandleMouseWheelUp();
    return false;
}

bool TExCustomDropDown::SelectAllOnEnter(bool byMouse) const { return TCustomMaskEdit::SelectAllOnEnter(byMouse); }

void TExCustomDropDown::DoEnter() { TCustomMaskEdit::DoEnter(); }
void TExCustomDropDown::DoExit() { TCustomMaskEdit::DoExit(); }

void TExCustomDropDown::DoMouseEnter()
{
    FMouseInControl = true;
    TCustomMaskEdit::DoMouseEnter();
}

void TExCustomDropDown::DoMouseLeave()
{
    FMouseInControl = false;
    TCustomMaskEdit::DoMouseLeave();
}

bool TExCustomDropDown::Hot() const { return FMouseInControl || Focused(); }

void TExCustomDropDown::PaintAfter(TCanvas&) {}
void TExCustomDropDown::DrawFocusedValue(TCanvas&) {}
void TExCustomDropDown::DrawBorder(TCanvas&) {}
