#include "widgets/dropdown/DropDownStrips.h"

#include "widgets/dropdown/DropDownDraw.h"
#include "widgets/grid_render/Html_Render.h"

#include "platform/ImgList.h"
#include "platform/Input.h"
#include "platform/Screens.h"
#include "platform/WindowImage.h"

#include <algorithm>

namespace {

// A mini-HTML caption as the strips draw it (measured, or drawn).
TSize StripCaption(TCanvas& c, const std::string& text, const TRect& r, TCustomImageList* images, bool measure)
{
    THTMLDrawArgs a;
    a.Images = images;
    a.MeasureOnly = measure;
    a.ShadowOffset = 0;
    a.AnchorColor = clBlue;
    a.ShadowColor = 0x808080;
    DrawHTMLText(c, text, r, a);
    return {a.ExtentWidth, a.ExtentHeight};
}

} // namespace

// --- the shared part ----------------------------------------------------------------------

template <class TAppearance>
TExStrip<TAppearance>::TExStrip(TWinControl* parent)
    : TCustomControl(parent), FAppearance(std::make_unique<TAppearance>(nullptr))
{
    SetTabStop(false);
    SetFocusOnClick(false);
    FAppearance->OnChange = [this](TObject*) {
        SetVisible(FAppearance->Visible());
        SetHeight(FAppearance->Height);
    };
}

template <class TAppearance>
TExStrip<TAppearance>::~TExStrip() = default;

template <class TAppearance>
typename TExStrip<TAppearance>::TButtons* TExStrip<TAppearance>::Buttons() const
{
    if (!FExDropDown) return nullptr;
    if constexpr (std::is_same_v<TAppearance, THeaderAppearance>)
        return &FExDropDown->DropDownHeader().Buttons();
    else
        return &FExDropDown->DropDownFooter().Buttons();
}

template <class TAppearance>
void TExStrip<TAppearance>::SetImages(TCustomImageList* Value)
{
    FImages = Value;
    Invalidate();
}

template <class TAppearance>
void TExStrip<TAppearance>::SetExDropDown(IDropDownHost* Value)
{
    FExDropDown = Value;
    if (!Value) {
        FImages = nullptr;
        Invalidate();
        return;
    }
    FImages = Value->DropDownImages();
    if constexpr (std::is_same_v<TAppearance, THeaderAppearance>)
        FAppearance->Assign(&Value->DropDownHeader());
    else
        FAppearance->Assign(&Value->DropDownFooter());
    // A height changed on the edit since the last opening applies now.
    SetHeight(FAppearance->Height);
    Invalidate();
}

template <class TAppearance>
bool TExStrip<TAppearance>::FullFrame() const
{
    return !FExDropDown || FExDropDown->DropDownBorderWidth() <= 0 || FExDropDown->DropDownBorderColor() == clNone;
}

template <class TAppearance>
void TExStrip<TAppearance>::ClearButtons()
{
    // Buttons are taken down last first. One may be running its own click
    // (whose handler reopened the pop-up), so they are hidden now and freed
    // at the next rebuild.
    for (TControl* old : FRetired) delete old;
    FRetired.clear();
    for (int i = FButtonList.Count() - 1; i >= 0; --i) {
        TExButton* b = FButtonList.Items(i);
        b->Hide();
        b->OnClick = nullptr;
        b->SetExDropDown(nullptr);
        FRetired.push_back(b);
    }
    FButtonList.Clear();
}

template <class TAppearance>
void TExStrip<TAppearance>::CreateButtons()
{
    if (!FExDropDown) return;
    TButtons* items = Buttons();
    ClearButtons();
    if (!items || items->Count() == 0) return;
    const TRect area = ButtonArea();
    for (int i = 0; i < items->Count(); ++i) {
        const auto* item = items->Items(i);
        auto* b = new TExButton(this);
        b->SetAppearance(&FExDropDown->ButtonAppearance());
        b->SetCaption(item->Caption());
        b->SetImages(FImages);
        b->SetImageIndex(item->ImageIndex());
        b->SetEnabled(item->Enabled());
        if constexpr (std::is_same_v<TAppearance, TFooterAppearance>) {
            b->SetExDropDown(FExDropDown);
            b->SetModalResult(item->ModalResult());
        }
        b->SizeToCaption();
        int w = b->Width(), h = b->Height();
        if (item->Width() > 0) w = item->Width();
        if (item->Height() > 0) h = item->Height();
        h = std::min(h, area.Height());
        b->SetBounds(b->Left(), b->Top(), w, h);
        b->Tag = i;
        b->OnClick = [this](TControl* Sender) { ButtonClicked(Sender); };
        FButtonList.Add(b);
    }
    ArrangeButtons();
}

template <class TAppearance>
void TExStrip<TAppearance>::ArrangeButtons()
{
    if (FButtonList.Count() == 0) return;
    const TRect area = ButtonArea();
    const bool right = FAppearance->ButtonAlignment == baRight;
    int x = right ? area.Right : area.Left;
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TExButton* b = FButtonList.Items(i);
        const int w = b->Width(), h = b->Height();
        const int top = std::max(area.Top, (area.Bottom - h) / 2);
        if (right) {
            x -= w;
            b->SetBounds(x, top, w, h);
        } else {
            b->SetBounds(x, top, w, h);
            x += w;
        }
    }
}

template <class TAppearance>
void TExStrip<TAppearance>::UpdateButtons()
{
    TButtons* items = Buttons();
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TExButton* b = FButtonList.Items(i);
        if (FExDropDown) b->SetAppearance(&FExDropDown->ButtonAppearance());
        b->SetImages(FImages);
        if (items && i < items->Count()) {
            const auto* item = items->Items(i);
            b->SetCaption(item->Caption());
            b->SetImageIndex(item->ImageIndex());
            b->SetEnabled(item->Enabled());
        }
        b->SizeToCaption();
    }
    ArrangeButtons();
}

template <class TAppearance>
void TExStrip<TAppearance>::ButtonClicked(TControl* Sender)
{
    if (!FExDropDown || !Sender) return;
    if constexpr (std::is_same_v<TAppearance, THeaderAppearance>)
        FExDropDown->HeaderButtonClick(Sender->Tag);
    else
        FExDropDown->FooterButtonClick(Sender->Tag);
}

template <class TAppearance>
TRect TExStrip<TAppearance>::CaptionRect() const
{
    const TAppearance& a = *FAppearance;
    TRect t = Rect(0, 0, Width(), Height());
    InflateRect(t, -a.BorderWidth, -a.BorderWidth);
    if (a.ImageIndex >= 0 && FImages) t.Left += FImages->Width() + 8;
    if (FButtonList.Count() > 0) t.Right = FButtonList.Items(FButtonList.Count() - 1)->Left() - 2;
    return t;
}

template <class TAppearance>
void TExStrip<TAppearance>::Paint()
{
    TCanvas& c = Canvas();
    const TRect R = Rect(0, 0, Width(), Height());
    PaintParentBackground(*this, c);
    if (OnDrawBackGround) {
        OnDrawBackGround(this, c, R);
        return;
    }
    const TAppearance& a = *FAppearance;
    if (a.ColorTo == clNone) {
        if (a.Color != clNone) {
            c.Brush().SetColor(a.Color);
            c.FillRect(R);
        }
    } else {
        DrawGradient(c, a.Color, a.ColorTo, 80, R, a.GradientDirection == gdHorizontal);
    }
    if (a.BorderColor != clNone && a.BorderWidth > 0) {
        c.Pen().SetWidth(a.BorderWidth);
        c.Pen().SetColor(a.BorderColor);
        PaintBorder(c, R);
        // The inner highlight: 20 % of the border colour on white.
        c.Pen().SetWidth(1);
        c.Pen().SetColor(BlendColor(a.BorderColor, clWhite, 20));
        c.Brush().SetStyle(bsClear);
        if (IsFooter())
            c.Rectangle(R.Left, R.Top + a.BorderWidth, R.Right, R.Bottom);
        else
            c.Rectangle(R.Left, R.Top, R.Right, R.Bottom - a.BorderWidth);
    }
    TRect t = R;
    InflateRect(t, -a.BorderWidth, -a.BorderWidth);
    if (a.ImageIndex >= 0 && FImages) FImages->Draw(c, t.Left + 4, t.Top + (t.Height() - FImages->Height()) / 2, a.ImageIndex);
    std::string caption = a.Caption;
    if (OnGetText) OnGetText(this, caption);
    if (!caption.empty()) {
        t = CaptionRect();
        c.Font().Assign(a.Font());
        c.Brush().SetStyle(bsClear);
        const TSize size = StripCaption(c, caption, t, FImages, true);
        if (size.cy < t.Height()) t.Top += (t.Height() - size.cy) / 2;
        StripCaption(c, caption, t, FImages, false);
    }
    PaintExtras(c, R);
}

template class TExStrip<THeaderAppearance>;
template class TExStrip<TFooterAppearance>;

// --- header --------------------------------------------------------------------------------

TRect TExHeader::ButtonArea() const { return Rect(2, 2, Width() - 2, Height() - 3); }

void TExHeader::PaintBorder(TCanvas& c, const TRect& R)
{
    c.MoveTo(R.Left, R.Bottom - 1);
    c.LineTo(R.Right, R.Bottom - 1);
    if (!FullFrame()) return;
    c.MoveTo(R.Left, R.Bottom - 1);
    c.LineTo(R.Left, R.Top);
    c.LineTo(R.Right - 1, R.Top);
    c.LineTo(R.Right - 1, R.Bottom);
}

// --- footer ---------------------------------------------------------------------------------

TExFooter::TExFooter(TWinControl* parent) : TExStrip(parent) { SetMouseTracking(true); }

bool TExFooter::GripActive() const
{
    return FAppearance->SizeGrip && FExDropDown && FExDropDown->DropDownSizeable();
}

TRect TExFooter::ButtonArea() const { return Rect(2, 2, Width() - (GripActive() ? 14 : 2), Height() - 2); }

void TExFooter::PaintBorder(TCanvas& c, const TRect& R)
{
    c.MoveTo(R.Left, R.Top);
    c.LineTo(R.Right, R.Top);
    if (!FullFrame()) return;
    c.MoveTo(R.Left, R.Top);
    c.LineTo(R.Left, R.Bottom - 1);
    c.LineTo(R.Right - 1, R.Bottom - 1);
    c.LineTo(R.Right - 1, R.Top - 1);
}

void TExFooter::PaintExtras(TCanvas& c, const TRect& R)
{
    if (!GripActive()) return;
    const int L = R.Right - FAppearance->BorderWidth - 16, B = R.Bottom;
    static const TPoint dots[] = {{4, 5}, {8, 5}, {12, 5}, {8, 9}, {12, 9}, {12, 13}};
    auto paint = [&](TColor color, int shift) {
        c.Brush().SetColor(color);
        for (const TPoint& d : dots) c.FillRect(Bounds(L + d.X + shift, B - d.Y + shift, 2, 2));
    };
    paint(clWhite, 1);
    if (FAppearance->BorderColor != clNone) paint(FAppearance->BorderColor, 0);
}

bool TExFooter::OnGrip(int x, int y) const { return GripActive() && Parent() && x > Width() - 12 && y > Height() - 15; }

IDropDownSizing* TExFooter::SizingParent() const { return dynamic_cast<IDropDownSizing*>(Parent()); }

void TExFooter::RestoreCursor()
{
    if (ScreenCursor() != FOldCursor) SetScreenCursor(FOldCursor);
}

void TExFooter::MouseDown(TMouseButton button, TShiftState, int x, int y)
{
    if (button != mbLeft || !OnGrip(x, y)) return;
    if (IDropDownSizing* s = SizingParent()) s->StartSizing(ControlToScreen(*this, {x, y}));
}

void TExFooter::MouseMove(TShiftState, int x, int y)
{
    if (IDropDownSizing* s = SizingParent(); s && s->Sizing()) {
        s->SizingMove(ControlToScreen(*this, {x, y}));
        return;
    }
    if (!GripActive() || !Parent()) return;
    if (OnGrip(x, y))
        SetScreenCursor(crSizeNWSE);
    else
        RestoreCursor();
}

void TExFooter::MouseUp(TMouseButton button, TShiftState, int, int)
{
    if (IDropDownSizing* s = SizingParent(); s && s->Sizing() && button == mbLeft) s->EndSizing();
    RestoreCursor();
}

void TExFooter::DoMouseEnter()
{
    if (ScreenCursor() != crSizeNWSE) FOldCursor = ScreenCursor();
    TExStrip::DoMouseEnter();
}

void TExFooter::DoMouseLeave()
{
    RestoreCursor();
    TExStrip::DoMouseLeave();
}
