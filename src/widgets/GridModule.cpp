#include "widgets/GridModule.h"

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/GridWindows.h"

#include "platform/FileVersion.h"
#include "platform/PopupWindow.h"
#include "platform/SysUtils.h"

#include <map>

namespace {

TExStringGrid* g_editingGrid = nullptr;
int g_hookKey = 0;
std::string g_hintFontName;
std::map<const TExStringGrid*, std::unique_ptr<TGridFocusWindow>>& FocusWindows()
{
    static std::map<const TExStringGrid*, std::unique_ptr<TGridFocusWindow>> windows;
    return windows;
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, size_t at)
{
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16) |
           (std::uint32_t(b[at + 3]) << 24);
}

std::uint16_t U16(const std::vector<std::uint8_t>& b, size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// The pan glyphs: a ring with a dot and the arrows of the directions, on a
// magenta ground that drawing leaves out.
void PaintPanGlyph(TBitmap& b, bool vertical, bool horizontal)
{
    b.SetSize(32, 32);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(0xFF00FF);
    c.FillRect(Rect(0, 0, 32, 32));
    c.Pen().SetColor(clBlack);
    c.Brush().SetColor(clWhite);
    c.Ellipse(4, 4, 28, 28);
    c.Brush().SetColor(clBlack);
    c.Ellipse(14, 14, 18, 18);
    if (vertical) {
        c.Polygon({{16, 6}, {12, 11}, {20, 11}});
        c.Polygon({{16, 26}, {12, 21}, {20, 21}});
    }
    if (horizontal) {
        c.Polygon({{6, 16}, {11, 12}, {11, 20}});
        c.Polygon({{26, 16}, {21, 12}, {21, 20}});
    }
    c.Flush();
}

void RegisterPanGlyphs()
{
    if (BitmapResourceExists("INTLI1")) return;
    RegisterBitmapResource("INTLI1", [](TBitmap& b) { PaintPanGlyph(b, true, true); });
    RegisterBitmapResource("INTLI2", [](TBitmap& b) { PaintPanGlyph(b, false, true); });
    RegisterBitmapResource("INTLI3", [](TBitmap& b) { PaintPanGlyph(b, true, false); });
}

} // namespace

// --- locale ----------------------------------------------------------------------------------

char GridTimeSeparator() { return FormatSettings().TimeSeparator; }
char GridDateSeparator() { return FormatSettings().DateSeparator; }
char GridThousandSeparator() { return FormatSettings().ThousandSeparator; }
char GridDecimalSeparator() { return FormatSettings().DecimalSeparator; }
std::string GridShortDateFormat() { return FormatSettings().ShortDateFormat; }
std::string GridShortTimeFormat() { return FormatSettings().ShortTimeFormat; }
std::string GridLongTimeFormat() { return FormatSettings().LongTimeFormat; }

// --- file version ------------------------------------------------------------------------------

int FileVersionMSOfBlock(const std::vector<std::uint8_t>& Block)
{
    // wLength, wValueLength, wType, then the key "VS_VERSION_INFO" in
    // UTF-16 with its terminating zero, then the value on a 32-bit boundary.
    if (Block.size() < 6) return -1;
    const size_t length = std::min<size_t>(U16(Block, 0), Block.size());
    const size_t valueLength = U16(Block, 2);
    static const std::u16string key = u"VS_VERSION_INFO";
    size_t at = 6;
    for (char16_t ch : key) {
        if (at + 2 > length || U16(Block, at) != ch) return -1;
        at += 2;
    }
    if (at + 2 > length || U16(Block, at) != 0) return -1;
    at += 2;
    at = (at + 3) & ~size_t(3);
    constexpr size_t kFixedInfoSize = 52;
    if (valueLength < kFixedInfoSize || at + kFixedInfoSize > length) return -1;
    if (U32(Block, at) != 0xFEEF04BDu) return -1;
    return static_cast<int>(U32(Block, at + 8));
}

int GetFileVersionMS(const std::string& FileName)
{
    const std::vector<std::uint8_t> info = ReadFileVersionInfo(FileName);
    if (info.empty()) return -1;
    return FileVersionMSOfBlock(info);
}

// --- in-place editing and the hook ----------------------------------------------------------------

TExStringGrid* GridEditingGrid() { return g_editingGrid; }
void SetGridEditingGrid(TExStringGrid* Grid) { g_editingGrid = Grid; }

TGridFocusWindow* GridFocusWindow(TExStringGrid& Grid)
{
    auto& w = FocusWindows()[&Grid];
    if (!w) w = std::make_unique<TGridFocusWindow>();
    return w.get();
}

void GridModuleGridGone(TExStringGrid* Grid)
{
    if (g_editingGrid == Grid) g_editingGrid = nullptr;
    FocusWindows().erase(Grid);
}

void GridCallWndHook()
{
    TExStringGrid* g = g_editingGrid;
    if (!g) return;
    TRect r = g->CellRect(g->Col(), g->Row());
    if (IGridHost* host = g->Host()) {
        const TPoint zero = host->ScreenToClient(Point(0, 0));
        OffsetRect(r, -zero.X, -zero.Y);
    }
    GridFocusWindow(*g)->SetBounds(r.Left - 4, r.Top - 4, r.Width() + 9, r.Height() + 9);
}

void InstallGridHook()
{
    if (g_hookKey == 0) g_hookKey = InstallWindowPosHook([] { GridCallWndHook(); });
}

void RemoveGridHook()
{
    if (g_hookKey == 0) return;
    RemoveWindowPosHook(g_hookKey);
    g_hookKey = 0;
}

bool GridHookInstalled() { return g_hookKey != 0; }

std::string& GridHintFontName() { return g_hintFontName; }

void GridModuleShutdown()
{
    RemoveGridHook();
    g_hintFontName.clear();
}

// --- floating picture -----------------------------------------------------------------------------

TNoActiveForm::TNoActiveForm()
{
    SetBorderStyle(TFormBorderStyle::bsNone);
    MakePopupWindow(*this, psStayOnTop | psDisabled);
}

std::unique_ptr<TNoActiveForm> SelectionToForm(TExStringGrid& Grid, const TGridRect& ARect)
{
    // 1. The whole grid as it shows now.
    TBitmap whole(Grid.ClientWidth(), Grid.ClientHeight());
    Grid.PaintOn(whole.Canvas(), Rect(0, 0, whole.Width(), whole.Height()));
    whole.Canvas().Flush();
    // 2. The corners' rectangles, ordered.
    TRect r1 = Grid.VirtualCellRect(ARect.Left, ARect.Top);
    TRect r2 = Grid.VirtualCellRect(ARect.Right, ARect.Bottom);
    if (r2.Left < r1.Left) std::swap(r1, r2);
    if (r2.Bottom < r1.Bottom) {
        std::swap(r1.Top, r2.Top);
        std::swap(r1.Bottom, r2.Bottom);
    }
    // 3. The range's part of the picture.
    const int w = std::max(1, r2.Right - r1.Left + 1);
    const int h = std::max(1, r2.Bottom - r1.Top + 1);
    TBitmap part(w, h);
    part.Canvas().CopyRect(Rect(0, 0, w, h), whole.Canvas(), Rect(r1.Left + 1, r1.Top + 1, r2.Right + 2, r2.Bottom + 2));
    // 4. The fixed lines along an edge that starts at column or row 0.
    const TGridOptions o = Grid.Options();
    part.Canvas().Pen().SetColor(Grid.GridFixedLineColor());
    if (std::min(ARect.Left, ARect.Right) == 0 && Grid.FixedCols() > 0 && o.Contains(goFixedHorzLine)) {
        part.Canvas().MoveTo(0, 0);
        part.Canvas().LineTo(0, h);
    }
    if (std::min(ARect.Top, ARect.Bottom) == 0 && Grid.FixedRows() > 0 && o.Contains(goFixedVertLine)) {
        part.Canvas().MoveTo(0, 0);
        part.Canvas().LineTo(w, 0);
    }
    part.Canvas().Flush();
    // 5. The form.
    auto form = std::make_unique<TNoActiveForm>();
    form->SetClientSize(w, h);
    auto* image = new TImage(form.get());
    image->SetAlign(TAlign::alClient);
    image->SetPicture(part);
    SetWindowAlpha(*form, 192);
    return form;
}

// --- wheel pan glyph ---------------------------------------------------------------------------------

void DrawWheelPanGlyph(TExStringGrid& Grid, TCanvas& Canvas, TPoint PanPos)
{
    const char* name = nullptr;
    switch (Grid.IntelliPan) {
    case ipVertical: name = "INTLI3"; break;
    case ipHorizontal: name = "INTLI2"; break;
    case ipBoth: name = "INTLI1"; break;
    case ipNone: return;
    }
    RegisterPanGlyphs();
    TBitmap glyph;
    glyph.LoadFromResourceName(name);
    TBitmap white(glyph.Width(), glyph.Height());
    white.Canvas().DrawTransparent(0, 0, glyph);
    white.Canvas().Flush();
    Canvas.Draw(PanPos.X, PanPos.Y, white);
}

void InvalidateWheelPanGlyph(TExStringGrid& Grid, TPoint PanPos)
{
    if (IGridHost* host = Grid.Host()) {
        const TRect r = Bounds(PanPos.X, PanPos.Y, 32, 32);
        host->Invalidate(&r);
    }
}
