// TExStringGrid: panning with the middle button. A press of the middle
// button marks the spot (the pan glyph shows there); while the pointer
// stays more than 5 pixels away from it, every tick of the pan timer moves
// the current cell (or, with WheelAction = waScroll, the view) one step
// towards the pointer. Any button press or key ends it.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/GridModule.h"

#include "platform/HintWindow.h"

namespace {

// The cursors of panning: the origin and the eight directions.
constexpr TCursor crPanOrigin = 8000, crPanDown = 8001, crPanLeft = 8002, crPanRight = 8003, crPanUp = 8004,
                  crPanUpRight = 8005, crPanUpLeft = 8006, crPanDownRight = 8007, crPanDownLeft = 8008;

TCursor PanCursor(int H, int V)
{
    if (V < 0) return H < 0 ? crPanUpLeft : H > 0 ? crPanUpRight : crPanUp;
    if (V > 0) return H < 0 ? crPanDownLeft : H > 0 ? crPanDownRight : crPanDown;
    return H < 0 ? crPanLeft : H > 0 ? crPanRight : crPanOrigin;
}

TPoint PointOf(std::intptr_t LParam)
{
    return {static_cast<std::int16_t>(LParam & 0xFFFF), static_cast<std::int16_t>((LParam >> 16) & 0xFFFF)};
}

} // namespace

void TExStringGrid::InputMessage(const TMessage& Message)
{
    TBaseGrid::InputMessage(Message);
    if (Message.Msg == WM_MOUSEMOVE) {
        if (FParts->Input.FWheelPan) FParts->Input.FWheelPanPointer = PointOf(Message.LParam);
        return;
    }
    const bool press =
        Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_RBUTTONDOWN || Message.Msg == WM_MBUTTONDOWN;
    if (FParts->Input.FWheelPan) {
        if (press || Message.Msg == WM_KEYDOWN) FParts->Input.StopWheelPan();
        return;
    }
    if (Message.Msg == WM_MBUTTONDOWN && IntelliPan != ipNone && RowCount() > FixedRows())
        FParts->Input.StartWheelPan(PointOf(Message.LParam));
}

void TGridInputPart::StartWheelPan(TPoint At)
{
    FWheelPan = true;
    FWheelPanPos = At;
    FWheelPanPointer = At;
    FWheelPanCursor = crPanOrigin;
    if (IGridHost* host = G.Host()) {
        host->SetCursor(crPanOrigin);
        host->SetMouseCapture(true);
    }
    G.SetTimer(WheelPanTimerID, 10);
    CancelApplicationHint();
    G.SetHintsSuppressed(true);
    InvalidateWheelPanGlyph(*(&G), FWheelPanPos);
}

void TGridInputPart::StopWheelPan()
{
    if (!FWheelPan) return;
    if (IGridHost* host = G.Host()) {
        host->SetMouseCapture(false);
        host->SetCursor(G.Cursor());
    }
    G.KillTimer(WheelPanTimerID);
    G.SetHintsSuppressed(false);
    FWheelPan = false;
    FWheelPanCursor = G.Cursor();
    InvalidateWheelPanGlyph(*(&G), FWheelPanPos);
}

void TGridInputPart::WheelPanTick()
{
    const TGridRect sel0 = G.Selection();
    const TPoint p = FWheelPanPointer;
    int v = p.Y < FWheelPanPos.Y - 5 ? -1 : p.Y > FWheelPanPos.Y + 5 ? 1 : 0;
    if (G.IntelliPan == ipHorizontal) v = 0;
    int h = 0;
    if (G.IntelliPan != ipVertical) h = p.X < FWheelPanPos.X - 5 ? -1 : p.X > FWheelPanPos.X + 5 ? 1 : 0;

    // The current cell stays inside the data area.
    const int lastRow = G.RowCount() - G.FixedFooters - 1;
    const int lastCol = G.ColCount() - G.FixedRightCols - 1;
    if (G.Row() > lastRow && lastRow >= G.FixedRows()) G.SetRow(lastRow);
    if (G.Row() < G.FixedRows() && G.FixedRows() < G.RowCount()) G.SetRow(G.FixedRows());
    if (G.Col() > lastCol && lastCol >= G.FixedCols()) G.SetCol(lastCol);
    if (G.Col() < G.FixedCols() && G.FixedCols() < G.ColCount()) G.SetCol(G.FixedCols());

    if (G.FParts->FMouseActions->WheelAction() == waScroll) {
        if (h < 0 && G.LeftCol() > G.FixedCols()) G.SetLeftCol(G.LeftCol() - 1);
        if (h > 0 && G.LeftCol() < G.ColCount() - G.VisibleColCount()) G.SetLeftCol(G.LeftCol() + 1);
        if (v < 0 && G.TopRow() > G.FixedRows()) G.SetTopRow(G.TopRow() - 1);
        if (v > 0 && G.TopRow() < G.RowCount() - G.VisibleRowCount()) G.SetTopRow(G.TopRow() + 1);
    } else {
        if (h < 0 && G.Col() > G.FixedCols()) G.SetCol(G.Col() - 1);
        if (h > 0 && G.Col() < lastCol) G.SetCol(G.Col() + 1);
        if (v < 0 && G.Row() > G.FixedRows()) G.SetRow(G.Row() - 1);
        if (v > 0 && G.Row() < lastRow) G.SetRow(G.Row() + 1);
    }
    FWheelPanCursor = PanCursor(h, v);
    if (IGridHost* host = G.Host()) host->SetCursor(FWheelPanCursor);
    InvalidateWheelPanGlyph(*(&G), FWheelPanPos);
    const TGridRect s = G.Selection();
    if (!(s == sel0)) G.SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
}

void TExStringGrid::PaintOverlay(TCanvas& Canvas)
{
    TBaseGrid::PaintOverlay(Canvas);
    if (FParts->Input.FWheelPan) DrawWheelPanGlyph(*this, Canvas, FParts->Input.FWheelPanPos);
}
