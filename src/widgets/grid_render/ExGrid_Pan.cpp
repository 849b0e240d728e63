// TExStringGrid: panning with the middle button. A press of the middle
// button marks the spot (the pan glyph shows there); while the pointer
// stays more than 5 pixels away from it, every tick of the pan timer moves
// the current cell (or, with WheelAction = waScroll, the view) one step
// towards the pointer. Any button press or key ends it.

#include "widgets/ExStringGrid.h"
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
        if (FWheelPan) FWheelPanPointer = PointOf(Message.LParam);
        return;
    }
    const bool press =
        Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_RBUTTONDOWN || Message.Msg == WM_MBUTTONDOWN;
    if (FWheelPan) {
        if (press || Message.Msg == WM_KEYDOWN) StopWheelPan();
        return;
    }
    if (Message.Msg == WM_MBUTTONDOWN && IntelliPan != ipNone && RowCount() > FixedRows())
        StartWheelPan(PointOf(Message.LParam));
}

void TExStringGrid::StartWheelPan(TPoint At)
{
    FWheelPan = true;
    FWheelPanPos = At;
    FWheelPanPointer = At;
    FWheelPanCursor = crPanOrigin;
    if (IGridHost* host = Host()) {
        host->SetCursor(crPanOrigin);
        host->SetMouseCapture(true);
    }
    SetTimer(WheelPanTimerID, 10);
    CancelApplicationHint();
    SetHintsSuppressed(true);
    InvalidateWheelPanGlyph(*this, FWheelPanPos);
}

void TExStringGrid::StopWheelPan()
{
    if (!FWheelPan) return;
    if (IGridHost* host = Host()) {
        host->SetMouseCapture(false);
        host->SetCursor(Cursor());
    }
    KillTimer(WheelPanTimerID);
    SetHintsSuppressed(false);
    FWheelPan = false;
    FWheelPanCursor = Cursor();
    InvalidateWheelPanGlyph(*this, FWheelPanPos);
}

void TExStringGrid::WheelPanTick()
{
    const TGridRect sel0 = Selection();
    const TPoint p = FWheelPanPointer;
    int v = p.Y < FWheelPanPos.Y - 5 ? -1 : p.Y > FWheelPanPos.Y + 5 ? 1 : 0;
    if (IntelliPan == ipHorizontal) v = 0;
    int h = 0;
    if (IntelliPan != ipVertical) h = p.X < FWheelPanPos.X - 5 ? -1 : p.X > FWheelPanPos.X + 5 ? 1 : 0;

    // The current cell stays inside the data area.
    const int lastRow = RowCount() - FixedFooters - 1;
    const int lastCol = ColCount() - FixedRightCols - 1;
    if (Row() > lastRow && lastRow >= FixedRows()) SetRow(lastRow);
    if (Row() < FixedRows() && FixedRows() < RowCount()) SetRow(FixedRows());
    if (Col() > lastCol && lastCol >= FixedCols()) SetCol(lastCol);
    if (Col() < FixedCols() && FixedCols() < ColCount()) SetCol(FixedCols());

    if (FMouseActions->WheelAction() == waScroll) {
        if (h < 0 && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
        if (h > 0 && LeftCol() < ColCount() - VisibleColCount()) SetLeftCol(LeftCol() + 1);
        if (v < 0 && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
        if (v > 0 && TopRow() < RowCount() - VisibleRowCount()) SetTopRow(TopRow() + 1);
    } else {
        if (h < 0 && Col() > FixedCols()) SetCol(Col() - 1);
        if (h > 0 && Col() < lastCol) SetCol(Col() + 1);
        if (v < 0 && Row() > FixedRows()) SetRow(Row() - 1);
        if (v > 0 && Row() < lastRow) SetRow(Row() + 1);
    }
    FWheelPanCursor = PanCursor(h, v);
    if (IGridHost* host = Host()) host->SetCursor(FWheelPanCursor);
    InvalidateWheelPanGlyph(*this, FWheelPanPos);
    const TGridRect s = Selection();
    if (!(s == sel0)) SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
}

void TExStringGrid::PaintOverlay(TCanvas& Canvas)
{
    TBaseGrid::PaintOverlay(Canvas);
    if (FWheelPan) DrawWheelPanGlyph(*this, Canvas, FWheelPanPos);
}
