#include "widgets/grid_render/Editor_Combo.h"

#include "platform/DrawText.h"
#include "platform/ControlMessages.h"
#include "platform/Forms.h"
#include "platform/Input.h"
#include "platform/SysMetrics.h"
#include "platform/Themes.h"

namespace {

constexpr TColor DisabledFrameColor = 0xB99D7F;

bool MouseButtonDown()
{
    return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
}

} // namespace

TEsgCustomCombo::TEsgCustomCombo(TWinControl* parent) : TCustomComboBox(parent)
{
    FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
    FLabelFont.OnChange = [this] { PlaceLabel(); };
    TCustomComboBox::SetColor(clWindow);
    FNormalColor = clWindow;
}

TEsgCustomCombo::~TEsgCustomCombo()
{
    if (FLabel) {
        FLabel->Gone = nullptr;
        delete FLabel;
    }
}

void TEsgCustomCombo::SelectItem(const std::string& AString)
{
    const int i = Items().IndexOf(AString);
    if (i >= 0) SetItemIndex(i);
}

void TEsgCustomCombo::Init() { FNormalColor = Color(); }

TColor TEsgCustomCombo::ParentColor() const { return Parent() ? Parent()->Color() : clBtnFace; }

void TEsgCustomCombo::SetFlat(bool v)
{
    if (v == FFlat) return;
    FFlat = v;
    SetCtl3D(!v);
    if (FFlatParentColor && FFlat && Parent()) TCustomComboBox::SetColor(ParentColor());
    else TCustomComboBox::SetColor(FLoadedColor);
    Invalidate();
}

void TEsgCustomCombo::SetEtched(bool v)
{
    FEtched = v;
    Invalidate();
}

void TEsgCustomCombo::SetButtonWidth(int v)
{
    if (v < 14 || v > 32) return;
    FButtonWidth = v;
    Invalidate();
}

void TEsgCustomCombo::SetDropWidth(int v)
{
    FDropWidth = v;
    if (v > 0) SetDroppedWidth(v);
}

void TEsgCustomCombo::SetFlatLineColor(TColor v)
{
    FFlatLineColor = v;
    Invalidate();
}

void TEsgCustomCombo::SetFlatParentColor(bool v)
{
    FFlatParentColor = v;
    Invalidate();
}

void TEsgCustomCombo::SetBorderColor(TColor v)
{
    if (v == FBorderColor) return;
    FBorderColor = v;
    Invalidate();
}

void TEsgCustomCombo::SetColor(TColor c)
{
    if (FLoading) FLoadedColor = c;
    TCustomComboBox::SetColor(c);
}

void TEsgCustomCombo::SetEnabled(bool v)
{
    const bool changed = v != Enabled();
    if (changed && FFlat && !FLoading) {
        // The flat look shows a disabled box in its parent's colour.
        if (!v) {
            FOldColor = Color();
            FOldParentColor = FFlatParentColor;
            TCustomComboBox::SetColor(ParentColor());
        } else {
            TCustomComboBox::SetColor(FOldColor);
            FFlatParentColor = FOldParentColor;
        }
    }
    TCustomComboBox::SetEnabled(v);
    if (changed && !FLoading && FLabel) {
        if (!FLabelAlwaysEnabled) FLabel->SetEnabled(v);
        PlaceLabel();
    }
}

void TEsgCustomCombo::SetVisible(bool v)
{
    TCustomComboBox::SetVisible(v);
    if (FLabel) FLabel->SetVisible(v);
}

void TEsgCustomCombo::SetBounds(int left, int top, int width, int height)
{
    TCustomComboBox::SetBounds(left, top, width, height);
    PlaceLabel();
}

TLabel* TEsgCustomCombo::CreateLabel()
{
    if (FLabel || !Parent()) return FLabel;
    FLabel = new TEditLabel(Parent());
    FLabel->Gone = [this] { FLabel = nullptr; };
    FLabel->SetFont(FLabelFont);
    return FLabel;
}

std::string TEsgCustomCombo::LabelCaption() const { return FLabel ? FLabel->Caption() : std::string(); }

void TEsgCustomCombo::SetLabelCaption(const std::string& s)
{
    if (!CreateLabel()) return;
    FLabel->SetCaption(s);
    PlaceLabel();
}

void TEsgCustomCombo::SetLabelFont(const TFont& f) { FLabelFont.Assign(f); }

void TEsgCustomCombo::SetLabelAlwaysEnabled(bool v)
{
    FLabelAlwaysEnabled = v;
    if (FLabel) FLabel->SetEnabled(v || Enabled());
    PlaceLabel();
}

void TEsgCustomCombo::SetLabelTransparent(bool v)
{
    FLabelTransparent = v;
    PlaceLabel();
}

void TEsgCustomCombo::SetLabelMargin(int v)
{
    FLabelMargin = v;
    PlaceLabel();
}

void TEsgCustomCombo::SetLabelPosition(TLabelPosition v)
{
    FLabelPosition = v;
    PlaceLabel();
}

void TEsgCustomCombo::PlaceLabel()
{
    if (!FLabel) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->SetFont(FLabelFont);
    // The caption's width as the platform's text drawing measures it.
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(FLabelFont);
    TRect r{0, 0, 1000, 255};
    DrawText(scratch.Canvas(), FLabel->Caption(), r, DT_CALCRECT | DT_HIDEPREFIX | DT_SINGLELINE);
    const TPoint p = EditLabelPlace(FLabelPosition, Left(), Top(), Width(), Height(), FLabel->Width(),
                                    FLabel->Height(), r.Right, FLabelMargin);
    FLabel->SetBounds(p.X, p.Y, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(Visible());
}

void TEsgCustomCombo::Loaded()
{
    FLoading = false;
    if (FDropWidth > 0) SetDroppedWidth(FDropWidth);
    FOldColor = FLoadedColor;
    if (!(FFlatParentColor && !FFlat)) TCustomComboBox::SetColor(FLoadedColor);
    if (FLabel) {
        if (!FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
    }
    PlaceLabel();
    Init();
}

// --- look -----------------------------------------------------------------------------

bool TEsgCustomCombo::Hot() const { return FMouseInControl || Focused(); }

bool TEsgCustomCombo::PaintsItself() const
{
    if (FIsVista && ButtonColor == clNone) return false;
    return FFlat || ButtonColor != clNone || FBorderColor != clNone || (FFocusBorderColor != clNone && FHasFocus) ||
           (!Enabled() && IsThemeActive() && !FDisabledBorder);
}

void TEsgCustomCombo::PaintButton(TCanvas& c)
{
    TRect r{ClientWidth() - FButtonWidth + 2, 0, Width(), Height()};
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    const bool pressed = MouseButtonDown();
    if (ButtonColor != clNone) {
        TColor fill = ButtonColor;
        if (FButtonHover) fill = ButtonColorHot;
        if (pressed && FButtonHover) fill = ButtonColorDown;
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(fill);
        c.Pen().SetColor(fill);
        c.Rectangle(r.Left - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        c.Pen().SetColor(ButtonBorderColor);
        c.MoveTo(r.Left - 1, r.Top + 1);
        c.LineTo(r.Left - 1, r.Bottom - 1);
        const TColor arrow = pressed ? ButtonTextColorDown : ButtonTextColor;
        c.Brush().SetColor(arrow);
        c.Pen().SetColor(arrow);
        c.Polygon({{r.Left + 4, r.Top + 7}, {r.Left + 10, r.Top + 7}, {r.Left + 7, r.Top + 10}});
    } else if (IsThemeActive() && FIsThemed) {
        if (HTHEME theme = OpenThemeData(nullptr, "combobox")) {
            int state = CBXS_HOT;
            if (!Enabled()) state = CBXS_DISABLED;
            else if (pressed && DroppedDown()) state = CBXS_PRESSED;
            else if (pressed || !FButtonHover || DroppedDown()) state = CBXS_NORMAL;
            DrawThemeBackground(theme, c, CP_DROPDOWNBUTTON, state, r);
            CloseThemeData(theme);
        }
    } else {
        TRect f{r.Left - 4, r.Top + 1, r.Right, r.Bottom - 1};
        DrawFrameControl(c, f, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled() ? DFCS_FLAT : DFCS_INACTIVE));
    }
    c.ExcludeClipRect(TRect{ClientWidth() - FButtonWidth - 4, 0, ClientWidth() + 2, ClientHeight()});
}

void TEsgCustomCombo::PaintBorders(TCanvas& c)
{
    if ((Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) ||
        (FIsVista && FBorderColor == clNone))
        return;
    const TRect wr{0, 0, Width(), Height()};
    auto frame = [&](const TRect& r, TColor col) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(col);
        c.FrameRect(r);
    };
    bool flatFrame = false;
    if (!Enabled() && FIsThemed && !FDisabledBorder) {
        frame(wr, DisabledFrameColor);
    } else {
        TColor col = FBorderColor;
        if (col == clNone || (FHasFocus && FFocusBorderColor != clNone)) {
            col = FFocusBorderColor;
            if (col == clNone) flatFrame = true;
            else if (!FHasFocus) col = clNone;
        }
        if (!flatFrame && col != clNone) frame(wr, col);
    }
    if (flatFrame) {
        const bool hotFocus = (FMouseInControl || Focused()) && FFocusBorder;
        const TColor outer = hotFocus ? clBtnFace : ParentColor();
        const TColor inner = Color();
        if (hotFocus) {
            TRect r = wr;
            DrawEdge(c, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
            frame(r, outer);
            frame({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, inner);
        } else {
            frame(wr, outer);
            TRect r{1, 1, Width() - 1 - FButtonWidth, Height() - 1};
            frame(r, outer);
            frame({2, 2, Width() - 2 - FButtonWidth, Height() - 2}, inner);
        }
        if (FFlat && FFlatLineColor != clNone) {
            c.Pen().SetColor(FFlatLineColor);
            c.MoveTo(0, Height() - 1);
            c.LineTo(Width() - FButtonWidth - 3, Height() - 1);
        }
    }
    if (!(FIsWinXP && IsThemeActive())) {
        c.ExcludeClipRect(TRect{ClientWidth() - FButtonWidth + 4, 4, ClientWidth() - 4, ClientHeight() - 4});
        TRect b{ClientWidth() - FButtonWidth - 2 + 2, 2, Width() - 2, Height() - 2};
        if (!Hot()) {
            b = {b.Left, b.Top + 1, b.Right - 1, b.Bottom - 1};
            c.Brush().SetStyle(bsSolid);
            c.Brush().SetColor(clBtnFace);
            c.FillRect(b);
        }
        c.ExcludeClipRect(b);
    }
}

void TEsgCustomCombo::PaintAfter(TCanvas& Canvas)
{
    if (!PaintsItself()) return;
    Canvas.SaveState();
    PaintButton(Canvas);
    Canvas.RestoreState();
    Canvas.SaveState();
    PaintBorders(Canvas);
    Canvas.RestoreState();
}

// --- notifications -----------------------------------------------------------------------

void TEsgCustomCombo::DropDown()
{
    Invalidate();
    TCustomComboBox::DropDown();
}

void TEsgCustomCombo::CloseUp()
{
    Invalidate();
    TCustomComboBox::CloseUp();
    if (OnDropUp) OnDropUp(this);
}

void TEsgCustomCombo::MouseMove(TShiftState Shift, int X, int Y)
{
    const bool hover = X > Width() - FButtonWidth && X < Width();
    if (hover != FButtonHover) {
        FButtonHover = hover;
        Invalidate();
    }
    TCustomComboBox::MouseMove(Shift, X, Y);
}

void TEsgCustomCombo::DoMouseEnter()
{
    if (Enabled()) {
        FMouseInControl = true;
        Invalidate();
        if (FAutoFocus) {
            if (!ParentForm() || WindowIsActive(*this)) SetFocus();
        }
    }
    TCustomComboBox::DoMouseEnter();
}

void TEsgCustomCombo::DoMouseLeave()
{
    if (Enabled()) {
        FMouseInControl = false;
        Invalidate();
    }
    FButtonHover = false;
    TCustomComboBox::DoMouseLeave();
}

void TEsgCustomCombo::Enter()
{
    FHasFocus = true;
    if (FFocusColor != clNone) TCustomComboBox::SetColor(FFocusColor);
    if (FLabel && FFocusLabel) {
        TFont f = FLabel->Font();
        f.SetStyle(f.Style() + fsBold);
        FLabel->SetFont(f);
    }
    Invalidate();
    TCustomComboBox::Enter();
}

void TEsgCustomCombo::Exit()
{
    FHasFocus = false;
    if (FNormalColor != clNone && FFocusColor != clNone) TCustomComboBox::SetColor(FNormalColor);
    if (FLabel && FFocusLabel) {
        TFont f = FLabel->Font();
        f.SetStyle(f.Style() - fsBold);
        FLabel->SetFont(f);
    }
    Invalidate();
    TCustomComboBox::Exit();
}
