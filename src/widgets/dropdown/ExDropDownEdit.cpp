// The drop-down edit's interaction rules: selecting the value between
// Prefix and Suffix, focus changes, the clipboard, the mouse, the edit
// rectangle and the button's place, the border, the focused-value box and
// the attached label.

#include "widgets/dropdown/DropDownForm.h"
#include "widgets/dropdown/ExDropDown.h"

#include "widgets/GridUtil.h"

#include "platform/Clipbrd.h"
#include "platform/Controls.h"
#include "platform/DrawText.h"
#include "platform/Themes.h"

#include <algorithm>

// --- selection -----------------------------------------------------------------------------

int TExCustomDropDown::CaretLimit() const { return PrefixLength() + static_cast<int>(Value16().size()); }

void TExCustomDropDown::SelectAll()
{
    SetSelStart(PrefixLength());
    SetSelLength(static_cast<int>(Value16().size()));
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

// --- clipboard ----------------------------------------------------------------------------

std::string TExCustomDropDown::SelectedValue() const
{
    const WideString all = Utf8ToWide(EditTextAll());
    const int plen = PrefixLength(), limit = CaretLimit();
    const int s = std::clamp(SelStart(), plen, limit), e = std::clamp(SelStart() + SelLength(), plen, limit);
    return WideToUtf8(all.substr(static_cast<size_t>(s), static_cast<size_t>(std::max(e - s, 0))));
}

void TExCustomDropDown::WMCut()
{
    if (!FEditorEnabled || ReadOnly()) return;
    FBlockCopy = true;
    bool allow = true;
    if (OnClipboardCut) OnClipboardCut(this, SelectedValue(), allow);
    if (allow) TCustomMaskEdit::WMCut();
    FBlockCopy = false;
}

void TExCustomDropDown::WMCopy()
{
    bool allow = true;
    if (OnClipboardCopy && !FBlockCopy) OnClipboardCopy(this, SelectedValue(), allow);
    FBlockCopy = false;
    if (allow) TCustomMaskEdit::WMCopy();
}

void TExCustomDropDown::WMPaste()
{
    if (ReadOnly() || !ClipboardHasText()) return;
    const std::string clip = ClipboardText();
    const WideString C = Utf8ToWide(clip);
    const WideString V = Value16();
    const int plen = PrefixLength();
    const int vs = std::clamp(SelStart() - plen, 0, static_cast<int>(V.size()));
    const int vl = std::clamp(SelLength(), 0, static_cast<int>(V.size()) - vs);
    const std::string value = WideToUtf8(V.substr(0, static_cast<size_t>(vs)) + C + V.substr(static_cast<size_t>(vs + vl)));
    bool allow = true;
    if (OnClipboardPaste) OnClipboardPaste(this, value, allow);
    if (!allow) return;
    if (MaxLength() > 0 && static_cast<int>(C.size() + V.size()) - SelLength() > MaxLength()) return;
    const bool hasMinus = value.find('-') != std::string::npos;
    auto allOf = [&](auto pred) {
        for (char16_t c : Utf8ToWide(value))
            if (!pred(c)) return false;
        return true;
    };
    switch (FEditType) {
    case etString:
    case etPassword: SetText(value); break;
    case etNumeric:
        if (ClassifyNumberText(value) != ntInteger || (!FSigned && hasMinus)) return;
        SetText(value);
        SetModified(true);
        break;
    case etFloat:
    case etMoney:
        if (ClassifyNumberText(value) > ntDecimal) return;
        if (FPrecision == 0 && clip.find(FormatSettings().DecimalSeparator) != std::string::npos) return;
        if (!FSigned && hasMinus) return;
        SetText(value);
        SetFloatValue(GetFloatValue());
        SetModified(true);
        break;
    case etUppercase: SetText(AnsiUpperCase(value)); break;
    case etLowerCase: SetText(AnsiLowerCase(value)); break;
    case etMixedCase: SetText(MixedCaseText(value)); break;
    case etAlphaNumeric:
        if (!allOf([](char16_t c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }))
            return;
        SetText(value);
        SetModified(true);
        break;
    case etValidChars: {
        const WideString valid = Utf8ToWide(FValidChars);
        if (!allOf([&](char16_t c) { return valid.find(c) != WideString::npos; })) return;
        SetText(value);
        SetModified(true);
        break;
    }
    case etRange:
    case etHex: return;
    }
    if (FEditType == etMoney && Value16().size() > 3) {
        SelectAll();
    } else if (vl > 0) {
        SetSelStart(plen + vs);
        SetSelLength(static_cast<int>(C.size()));
    } else {
        SetSelStart(plen + vs + static_cast<int>(C.size()));
    }
    if (FEditType == etString || (FEditType >= etUppercase && FEditType <= etPassword)) SetModified(true);
}

// --- mouse ----------------------------------------------------------------------------------

void TExCustomDropDown::MouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != mbLeft) return;
    if (!FEditorEnabled) {
        DropDownButtonClick();
        return;
    }
    // A press inside the selection of the focused edit: the release puts
    // the caret where it was pressed.
    const int p = CharFromPos(X, Y);
    FButtonDown = SelLength() > 0 && Focused() && p >= SelStart() && p < SelStart() + SelLength();
}

void TExCustomDropDown::MouseUp(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != mbLeft) return;
    if (!FEditorEnabled || ReadOnly()) Invalidate(); // the focused-value box
    if (FButtonDown) {
        FButtonDown = false;
        const int p = CharFromPos(X, Y);
        if (p >= 0) SetSelStart(p);
    }
    const int plen = PrefixLength(), limit = CaretLimit();
    if (SelStart() < plen) {
        SetSelStart(plen);
        SetSelLength(limit - plen);
    }
    if (SelStart() > limit) SetSelStart(limit);
    if (SelStart() + SelLength() > limit) SetSelLength(limit - SelStart());
}

bool TExCustomDropDown::MouseWheel(TShiftState, int Delta, int, int)
{
    if (Delta < 0) HandleMouseWheelDown();
    if (Delta > 0) HandleMouseWheelUp();
    return false;
}

// --- focus ----------------------------------------------------------------------------------

bool TExCustomDropDown::SelectAllOnEnter(bool byMouse) const
{
    // The value only, selected in DoEnter.
    FSelectValueOnEnter = AutoSelect() && !byMouse;
    return false;
}

void TExCustomDropDown::DoEnter()
{
    FSelectValueOnEnter = false;
    if (FEditorEnabled) FOldString = Text();
    TCustomMaskEdit::DoEnter();
    if (FEditorEnabled) {
        if (FSelectValueOnEnter)
            SelectAll();
        else if (!AutoSelect() && (FEditType == etFloat || FEditType == etMoney))
            SelectBeforeDecimal();
    }
    FSelectValueOnEnter = false;
    SetEditRect();
    Invalidate();
}

void TExCustomDropDown::DoExit()
{
    const bool numberKind = FEditType == etFloat || FEditType == etMoney;
    const bool empty = Text().empty();
    if (FPrecision > 0 && numberKind && (!empty || !FAllowNumericNullValue)) {
        const bool modified = TCustomMaskEdit::Modified();
        SetFloatValue(GetFloatValue());
        SetModified(modified);
    }
    if (FEditType == etNumeric && empty && !FAllowNumericNullValue) SetText("0");
    if (numberKind && Text().empty() && !FAllowNumericNullValue) SetFloatValue(0);
    TCustomMaskEdit::DoExit();
    Invalidate();
}

void TExCustomDropDown::DoMouseEnter()
{
    if (Enabled()) {
        FMouseInControl = true;
        Invalidate();
    }
    TCustomMaskEdit::DoMouseEnter();
}

void TExCustomDropDown::DoMouseLeave()
{
    if (Enabled()) {
        FMouseInControl = false;
        Invalidate();
    }
    TCustomMaskEdit::DoMouseLeave();
}

bool TExCustomDropDown::Hot() const { return FMouseInControl || Focused(); }

// --- painting -------------------------------------------------------------------------------

void TExCustomDropDown::PaintAfter(TCanvas& Canvas)
{
    DrawFocusedValue(Canvas);
    if (FBorderColor != clNone || FFocusBorderColor != clNone || (!Enabled() && FDisabledBorder) || FFlat)
        DrawBorder(Canvas);
}

void TExCustomDropDown::DrawFocusedValue(TCanvas& Canvas)
{
    if (FEditorEnabled || !Focused() || !FFocusDraw) return;
    TRect r = Rect(2, 2, Width() - FButtonWidth - 1, Height() - 2);
    Canvas.Brush().SetColor(clHighlight);
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.FillRect(r);
    Canvas.Font().Assign(static_cast<const TControl*>(this)->Font());
    Canvas.Font().SetColor(clHighlightText);
    Canvas.Brush().SetStyle(bsClear);
    r.Left += 2;
    r.Right -= 3;
    DrawText(Canvas, Text(), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TExCustomDropDown::DrawBorder(TCanvas& Canvas)
{
    if (Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    TRect r = Rect(0, 0, Width(), Height());
    auto frame = [&](TColor c) {
        Canvas.Brush().SetColor(c);
        Canvas.Brush().SetStyle(bsSolid);
        Canvas.FrameRect(r);
    };
    if (!Enabled() && FDisabledBorder) {
        frame(0xC0C0C0);
    } else if (FBorderColor != clNone && (!Focused() || FFocusBorderColor == clNone)) {
        frame(FBorderColor);
    } else if (FFocusBorderColor != clNone) {
        if (Focused()) frame(FFocusBorderColor);
    } else if (Hot()) {
        DrawEdge(Canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        frame(clBtnFace);
    } else {
        const TColor back = Parent() ? Parent()->Color() : clBtnFace;
        frame(back);
        InflateRect(r, -1, -1);
        frame(back);
    }
    if (FButton) FButton->Button()->SetFocusedLook(Hot());
}
