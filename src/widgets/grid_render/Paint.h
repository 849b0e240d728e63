#pragma once
// What the grid's cell painter shares with its steps (text, graphic,
// background), and the interface of objects that draw a cell themselves.

#include "widgets/CellGraphic.h"
#include "widgets/GridTypes.h"

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Grids.h"

class TExStringGrid;

// Registers the grid's built-in pictures (check boxes, radio buttons, node
// glyphs, filter button, metro glyphs) once.
void EnsureGridBitmaps();

// The object of a ctInterface cell draws the cell itself (AddInterfacedCell
// stores it; the grid never frees it).
class IGridCellGraphic {
public:
    virtual ~IGridCellGraphic() = default;
    virtual void Draw(TCanvas& Canvas, const TRect& R, int ACol, int ARow, bool Selected, TExStringGrid* Grid) = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    // Drawn before the text instead of after it.
    virtual bool IsBackground() = 0;
};

// The values the painter works out once per cell and hands to its steps.
struct TCellPaintRecord {
    TCanvas* Canvas = nullptr;
    int DCol = 0;   // displayed column
    int RCol = 0;   // real column
    int Row = 0;
    int SelRow = 0; // the row asked for disjoint row selection
    TGridDrawState State;
    TRect Rect;     // narrowed step by step
    bool FilterButton = false;
    int ScrollPos = 0;
    // GetVisualProperties
    TCellGradientDirection GD = GradientVertical;
    bool WW = false;
    TAlignment HA = TAlignment::taLeftJustify;
    TVAlignment VA = vtaTop;
    TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
    // GetCellGraphicInfo
    TCellGraphic* Graphic = nullptr;
    int GraphicW = 0, GraphicH = 0;
    TCellHAlign GraphicHA = haLeft;
    TCellVAlign GraphicVA = vaTop;
    bool TextAllowed = true;
    // written by the text step
    int TextExtent = 0;
    int LineHeight = 0;
    TColor SavedBrush = clNone, SavedFont = clNone;
    bool IsFixed = false;
};
