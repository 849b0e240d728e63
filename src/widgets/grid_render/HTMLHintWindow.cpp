#include "widgets/grid_render/HTMLHintWindow.h"

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/GridModule.h"
#include "widgets/GridUtil.h"
#include "widgets/grid_render/Html_Render.h"

#include "platform/DrawText.h"

#include <algorithm>

namespace {

bool IsWideHint(const std::string& s) { return CellTextKind(s, true) == ctkWideText; }

// The text of a wide-text hint as it is drawn.
std::string WideHintText(const std::string& s) { return WideToUtf8(DecodeWideText(s)); }

THTMLDrawArgs HintDrawArgs(TCustomImageList* Images, TPictureContainer* Pictures, bool Measure)
{
    THTMLDrawArgs a;
    a.Images = Images;
    a.Pictures = Pictures;
    a.MeasureOnly = Measure;
    a.WordWrap = Measure;
    a.AnchorColor = clBlue;
    a.ShadowColor = clGray;
    a.ShadowOffset = 1;
    a.FocusAnchorIndex = -1;
    a.HoverAnchorNumber = 0;
    a.HitX = 0;
    a.HitY = 0;
    return a;
}

} // namespace

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void*)
{
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    c.Font().Assign(Font());
    if (IsWideHint(AHint)) {
        if (!GridHintFontName().empty()) c.Font().SetName(GridHintFontName());
        TRect r{0, 0, MaxWidth, 0};
        DrawText(c, WideHintText(AHint), r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        return {0, 0, r.Right - r.Left, r.Bottom - r.Top};
    }
    THTMLDrawArgs a = HintDrawArgs(Images, PictureContainer, true);
    DrawHTMLText(c, AHint, TRect{0, 0, MaxWidth, 0}, a);
    return {0, 0, a.ExtentWidth, a.ExtentHeight};
}

void THTMLHintWindow::ActivateHintData(const TRect& Rect, const std::string& AHint, void* AData)
{
    // The grid hands itself over as a TObject.
    if (auto* grid = dynamic_cast<TExStringGrid*>(static_cast<TObject*>(AData))) {
        Images = grid->GridImages();
        PictureContainer = grid->PictureContainer();
    }
    ActivateHint(Rect, AHint);
}

void THTMLHintWindow::ActivateHint(const TRect& Rect, const std::string& AHint)
{
    SetCaption(AHint);
    const TRect measure{Rect.Left, Rect.Top, Rect.Left + 1008, Rect.Bottom};
    const int extraHeight = 4;
    int extraWidth = 16;
    int width = 0, height = 0;
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    c.Font().Assign(Font());
    if (IsWideHint(AHint)) {
        if (!GridHintFontName().empty()) c.Font().SetName(GridHintFontName());
        WideCaption = WideHintText(AHint);
        TRect r{0, 0, measure.Right - measure.Left, 0};
        DrawText(c, WideCaption, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        width = r.Right - r.Left;
        height = r.Bottom - r.Top;
        extraWidth = 8;
    } else {
        WideCaption.clear();
        THTMLDrawArgs a = HintDrawArgs(Images, PictureContainer, true);
        DrawHTMLText(c, AHint, TRect{0, 0, measure.Right - measure.Left, 0}, a);
        width = a.ExtentWidth;
        height = a.ExtentHeight;
    }
    TextWidth = width;
    TextHeight = height;
    TRect r{Rect.Left, Rect.Top, Rect.Left + width + extraWidth, Rect.Top + height + extraHeight};

    // Kept on the monitor of its top-left corner.
    const TRect m = MonitorRectAt({r.Left, r.Top});
    const int mw = m.Right - m.Left, mh = m.Bottom - m.Top;
    if (r.Right > m.Left + mw) {
        const int w = r.Right - r.Left;
        r.Right = m.Right - 2;
        r.Left = r.Right - w;
    }
    if (r.Bottom > m.Top + mh) {
        r.Bottom = m.Bottom - 2;
        r.Top = r.Bottom - TextHeight - extraHeight;
    }
    SetBounds(r);
    ShowNoActivate();
}

void THTMLHintWindow::Paint(TCanvas& Canvas)
{
    const int w = ClientWidth(), h = ClientHeight();
    Canvas.Brush().SetColor(Color());
    Canvas.FillRect({0, 0, w, h});
    Canvas.Pen().SetWidth(1);
    Canvas.Pen().SetColor(cl3DLight);
    Canvas.MoveTo(0, h - 2);
    Canvas.LineTo(0, 0);
    Canvas.LineTo(w - 1, 0);
    Canvas.Pen().SetColor(cl3DDkShadow);
    Canvas.MoveTo(0, h - 1);
    Canvas.LineTo(w - 1, h - 1);
    Canvas.LineTo(w - 1, -1);

    const int top = (h - TextHeight) / 2;
    TRect tr{4, top, w - 4, top + TextHeight + 8};
    Canvas.Font().Assign(Font());
    Canvas.SetBkMode(bkTransparent);
    if (!WideCaption.empty()) {
        if (!GridHintFontName().empty()) Canvas.Font().SetName(GridHintFontName());
        DrawText(Canvas, WideCaption, tr, DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    THTMLDrawArgs a = HintDrawArgs(Images, PictureContainer, false);
    DrawHTMLText(Canvas, Caption(), tr, a);
}
