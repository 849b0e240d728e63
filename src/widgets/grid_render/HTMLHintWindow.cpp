#include "widgets/grid_render/HTMLHintWindow.h"

#include "widgets/ExStringGrid.h"
#include "widgets/GridModule.h"
#include "widgets/GridUtil.h"
#include "widgets/grid_render/EsgHTMLE.h"

#include "platform/DrawText.h"
#include "platform/Graphics.h"
#include "platform/PopupWindow.h"

namespace {

constexpr int MaxHintWidth = 1008;

// The mini-HTML settings of a hint, measured or drawn.
THTMLDrawArgs HintArgs(THTMLHintWindow& w, bool measure)
{
    THTMLDrawArgs a;
    a.Images = w.Images;
    a.Pictures = w.PictureContainer;
    a.OwnerWindow = &w;
    a.MeasureOnly = measure;
    a.WordWrap = measure;
    a.AnchorColor = clBlue;
    a.ShadowColor = clGray;
    a.HoverBackColor = clNone;
    a.HoverTextColor = clNone;
    a.ShadowOffset = 1;
    a.FocusAnchorIndex = -1;
    a.HoverAnchorNumber = 0;
    a.HitX = 0;
    a.HitY = 0;
    a.Selected = false;
    a.BlinkVisible = false;
    a.PictureCache = nullptr;
    return a;
}

} // namespace

THTMLHintWindow::THTMLHintWindow(TWinControl* AOwner) : TCustomControl(AOwner)
{
    SetVisible(false);
    SetTabStop(false);
    SetColor(clInfoBk);
    Font().SetColor(clInfoText);
    MakePopupWindow(*this, psStayOnTop | psToolWindow | psDisabled);
    SetBounds(0, 0, 0, 0);
}

void THTMLHintWindow::SetCaption(const std::string& Value)
{
    if (Value == FCaption) return;
    FCaption = Value;
    Invalidate();
}

bool THTMLHintWindow::IsWide(const std::string& Hint) const { return CellTextKind(Hint, true) == ctkWideText; }

// The size of the hint's text within MaxWidth, on a canvas in the window's
// font (the wide-text font for a wide-text hint).
TRect THTMLHintWindow::MeasureHint(const std::string& Hint, int MaxWidth, bool& Wide)
{
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    c.Font().Assign(&Font());
    Wide = IsWide(Hint);
    if (Wide) {
        if (!GridHintFontName().empty()) c.Font().SetName(GridHintFontName());
        TRect r{0, 0, MaxWidth, 0};
        DrawTextEx(c, WideToUtf8(DecodeWideText(Hint)), r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        return {0, 0, r.Right - r.Left, r.Bottom - r.Top};
    }
    THTMLDrawArgs a = HintArgs(*this, true);
    DrawHTMLText(c, Hint, {0, 0, MaxWidth, 65535}, a);
    return {0, 0, a.ExtentWidth, a.ExtentHeight};
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const std::string& Hint, TObject* /*Data*/)
{
    bool wide = false;
    return MeasureHint(Hint, MaxWidth, wide);
}

void THTMLHintWindow::ActivateHintData(const TRect& Rect, const std::string& Hint, TObject* Data)
{
    if (auto* grid = dynamic_cast<TExStringGrid*>(Data)) {
        Images = grid->GetGridImages();
        PictureContainer = grid->PictureContainer();
    }
    ActivateHint(Rect, Hint);
}

void THTMLHintWindow::ActivateHint(const TRect& Rect, const std::string& Hint)
{
    FCaption = Hint;
    bool wide = false;
    const TRect size = MeasureHint(Hint, MaxHintWidth, wide);
    WideCaption = wide ? DecodeWideText(Hint) : WideString();
    const int extraWidth = wide ? 8 : 16;
    TextWidth = size.Right;
    TextHeight = size.Bottom;
    TRect r{Rect.Left, Rect.Top, Rect.Left + TextWidth + extraWidth, Rect.Top + TextHeight + 4};

    // Inside the monitor the hint starts on.
    const TRect mon = MonitorRectNear({r.Left, r.Top});
    if (mon.Right > mon.Left) {
        if (r.Right > mon.Left + (mon.Right - mon.Left)) {
            const int w = r.Right - r.Left;
            r.Right = mon.Right - 2;
            r.Left = r.Right - w;
        }
        if (r.Bottom > mon.Top + (mon.Bottom - mon.Top)) {
            r.Bottom = mon.Bottom - 2;
            r.Top = r.Bottom - TextHeight - 4;
        }
    }
    SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    Show();
    Repaint();
}

void THTMLHintWindow::Paint()
{
    TCanvas& c = Canvas();
    const TRect client{0, 0, Width(), Height()};
    c.Brush().SetColor(Color());
    c.Brush().SetStyle(bsSolid);
    c.FillRect(client);

    c.Pen().SetStyle(psSolid);
    c.Pen().SetWidth(1);
    c.Pen().SetColor(cl3DLight);
    c.MoveTo(client.Left, client.Bottom - 2);
    c.LineTo(client.Left, client.Top);
    c.LineTo(client.Right - 1, client.Top);
    c.Pen().SetColor(cl3DDkShadow);
    c.MoveTo(client.Left, client.Bottom - 1);
    c.LineTo(client.Right - 1, client.Bottom - 1);
    c.LineTo(client.Right - 1, client.Top - 1);

    const int top = client.Top + (client.Bottom - client.Top - TextHeight) / 2;
    TRect text{client.Left + 4, top, client.Right - 4, top + TextHeight + 8};
    c.Font().Assign(&Font());
    c.Brush().SetStyle(bsClear);
    if (IsWide(FCaption)) {
        if (!GridHintFontName().empty()) c.Font().SetName(GridHintFontName());
        DrawTextEx(c, WideToUtf8(WideCaption), text, DT_SINGLELINE | DT_NOPREFIX);
    } else {
        THTMLDrawArgs a = HintArgs(*this, false);
        DrawHTMLText(c, FCaption, text, a);
    }
}
