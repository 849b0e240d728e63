#pragma once
// TBaseGrid: the lowest layer of the grid component. The platform's string
// grid extended with a property object per cell, merged cells, display-text
// hooks and the link to the undo/redo component.
//
// Every cell holds a text and one object slot; TBaseGrid uses the slot for
// the cell's TCellProperties only (created on first use). Merged areas are
// encoded in the spans and base flags of the property objects of their
// cells: a covered cell reads and writes through its area's base cell.

#include "widgets/GridTypes.h"

#include "platform/ClassBase.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Grids.h"
#include "platform/Input.h"

#include <functional>
#include <memory>
#include <string>

class TBaseGrid;
class TExGridUndoRedo;

enum TColumnCalcType : std::uint8_t {
    acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV
};

enum TGridSelectionStyle : std::uint8_t { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum THoverRowCell : std::uint8_t { hcNormal, hcFixed, hcSelected };
using THoverRowCells = TSet<THoverRowCell>;

// Looks and state of one cell. Setters of BrushColor, BrushColorTo,
// VAlignment and WordWrap repaint the owning cell; the other properties are
// plain fields.
class TCellProperties : public TPersistent {
public:
    TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);
    // Frees the cell graphic it holds (any TCellGraphic, derived ones too),
    // except the check boxes the grid shares between cells.
    ~TCellProperties() override;
    TCellProperties(const TCellProperties&) = delete;
    TCellProperties& operator=(const TCellProperties&) = delete;
    std::string ClassName() const override { return "TCellProperties"; }
    // Copies merge state, owner cell, user object and the looks; not the
    // owner grid, the graphic, BrushColorTo, GradientDirection, the paint
    // id nor the calculation fields. No repaint.
    void Assign(const TPersistent* Source) override;

    // Base cell of the area this cell (at c, r) belongs to; (c, r) itself
    // for a base or unmerged cell.
    TPoint GetBaseCell(int c, int r) const;

    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor v);
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor v);
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TBaseGrid* OwnerGrid() const { return FOwnerGrid; }

    int OwnerCol;
    int OwnerRow;
    std::uintptr_t CellObject = 0; // the grid's Objects[c, r]; not owned
    // The cell's graphic, owned (see the destructor); clear it before
    // handing the graphic elsewhere.
    TObject* GraphicObject = nullptr;
    TBrushStyle BrushStyle = bsSolid;
    int FontSize = 0;
    TColor FontColor = clNone;
    TFontStyles FontStyle;
    int CellSpanY = -1;
    int CellSpanX = -1;
    int BorderWidth = 0;
    TColor BorderColor = 0;
    TAlignment Alignment = TAlignment::taLeftJustify;
    int PaintID = 0;
    bool IsBaseCell = true;
    TColumnCalcType CalcType = acNONE;
    TObject* CalcObject = nullptr;
    int NodeLevel = 0;
    TEditorType Editor = edNormal;
    std::string FontName;
    bool ReadOnly = false;
    TCellGradientDirection GradientDirection = GradientVertical;
    TObject* Control = nullptr;

private:
    void Repaint();
    TBaseGrid* FOwnerGrid;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    TVAlignment FVAlignment = vtaTop;
    bool FWordWrap;
};

using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value)>;

// The class library's string grid with object storage (adds nothing).
class TObjStringGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    std::string ClassName() const override { return "TObjStringGrid"; }
};

class TBaseGrid : public TObjStringGrid {
public:
    explicit TBaseGrid(TComponent* AOwner = nullptr);
    ~TBaseGrid() override;
    std::string ClassName() const override { return "TBaseGrid"; }

    // --- cells (column, row)
    std::string GetCellEx(int c, int r) const;
    void SetCellEx(int c, int r, const std::string& Value);
    // The grid's Cells: reads and writes through merged areas.
    std::string Cells(int c, int r) const { return GetCellEx(c, r); }
    void SetCells(int c, int r, const std::string& v) { SetCellEx(c, r, v); }
    // Raw stored text and object slot: no redirection, no hooks.
    std::string GetGridCell(int c, int r) const;
    void SetGridCell(int c, int r, const std::string& Value);
    TObject* GetGridObject(int c, int r) const;
    void SetGridObject(int c, int r, TObject* Value);
    // Property object of a cell, created with the grid's defaults on first
    // use. Negative indices answer a detached scratch object that is never
    // stored.
    TCellProperties* GetCellProperties(int c, int r);
    // Frees the property object in the slot, if any, and stores Value.
    void SetCellProperties(int c, int r, TCellProperties* Value);
    std::uintptr_t GetObjectEx(int c, int r) const;
    void SetObjectEx(int c, int r, std::uintptr_t Value);
    TObject* GetGraphicObjectEx(int c, int r) const;
    void SetGraphicObjectEx(int c, int r, TObject* Value);
    bool HasCellProperties(int c, int r) const;
    // The slot's property object or nullptr (never creates one).
    TCellProperties* FindCellProperties(int c, int r) const;

    void RepaintCell(int c, int r);
    void ClearRowCells(int r);
    void ClearColCells(int c);
    void ClearCell(int c, int r);
    void FreeCellProperties(int c1, int r1, int c2, int r2);
    void FreeAllCellProperties();
    void FreeCellProperty(int c, int r);
    static TObject* PropsGraphic(const TCellProperties* Props) { return Props ? Props->GraphicObject : nullptr; }

    // --- merged cells
    virtual void MergeCells(int c, int r, int spanx, int spany);
    virtual void SplitCells(int c, int r);
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsMergedNonBaseCell(int ACol, int ARow) const;
    bool IsXMergedCell(int ACol, int ARow) const;
    bool IsYMergedCell(int ACol, int ARow) const;
    TPoint BaseCell(int ACol, int ARow) const;
    bool IsBaseCell(int ACol, int ARow) const;
    bool GetBaseCellPos(int c, int r, int& bc, int& br) const;
    TPoint CellSpan(int ACol, int ARow) const;
    TPoint CellExt(int ACol, int ARow) const;
    TRect FullCell(int c, int r) const;
    TRect VirtualCellRect(int c, int r) const;
    // Pixel rectangle of the cell, or of its whole merged area.
    TRect CellRect(int c, int r) const;
    TPoint CellSize(int c, int r) const;
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;
    int MergeCount() const { return FMergeCount; }

    // --- hooks for the layers above
    virtual bool IsFixed(int ACol, int ARow) const;
    virtual int RowNodeIndent(int ARow) const;
    virtual bool HasNodes() const;
    virtual void HiddenLastRowChanged();
    virtual void FireGetDisplText(int ACol, int ARow, std::string& Value) const;
    virtual void FireGetDisplWideText(int ACol, int ARow, WideString& Value) const;
    virtual void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                 TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                 bool& WW, TCellGradientDirection& GD);
    virtual void CellWritten(int ACol, int ARow);
    virtual bool HasCustomBorders() const;
    virtual bool StylesActive() const;
    virtual int DisplColIndex(int ACol) const;
    virtual int TotalColCount() const;

    // --- drawing
    // The cell's frame (background, selection face, grid lines) and its
    // content, on any canvas; a merged area is drawn whole from its base.
    void PaintCell(TCanvas& ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    // The frame only, in the given rectangle: a selected cell takes the
    // active-row colours and no content is drawn.
    void PaintCellExt(TCanvas& ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    // The content of a cell: here its text, centred on one line.
    virtual void DrawCellContent(TCanvas& ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    // The look of a cell: here the grid's defaults (GetCellDefaults).
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                     bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                     TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TCellGradientDirection& GD);

    // Current cell := (col, row) when both lie inside the grid.
    void MoveCurrentCell(int col, int row);
    // When the current cell is part of an area, moves it to the area's base.
    void SnapToBaseCell();

    // The public row count; also the end of the rows that show display
    // text (a sort adds scratch rows through TCustomGrid::SetRowCount).
    void SetRowCount(int v)
    {
        TStringGrid::SetRowCount(v);
        NormalRowCount = v;
    }

    // --- settings
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool v) { FDefaultDrawing = v; }
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int v);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor v);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor v);
    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool v);
    TColor ActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor v);
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor v);
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor v);
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor v);
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle v);
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor v);
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor v);
    TExGridUndoRedo* UndoRedo() const { return FUndoRedo; }
    void SetUndoRedo(TExGridUndoRedo* x);

    bool WordWrap = true;
    bool HoverRow = false;
    int HoverRowIdx = -1;
    THoverRowCells HoverRowCells{hcNormal, hcSelected};
    bool ShowSel = true;
    bool HideLastRow = false;
    int PaintIDValue = 1;
    // Rows at or beyond this one are scratch rows of a running sort: they
    // are read raw, without display hooks.
    int NormalRowCount = 0;
    bool HasCellProps = false;

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplWideTextEvent OnGetDisplWideText;

protected:
    // Paints the cells, then starts a new paint pass (merged areas are
    // drawn once per pass). Painting never throws.
    void Paint() override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool SelectCell(int ACol, int ARow) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void TopLeftChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;

    bool Destroying() const { return FDestroying; }

private:
    friend class TCellProperties;
    TCellProperties* NewCellProperties(int c, int r, bool setCalcType);
    void DrawGridCell(TCanvas& Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State, bool Full);
    // Redraws a colour or style change only when the value changed.
    template <class T>
    void SetAndInvalidate(T& field, T v)
    {
        if (field == v) return;
        field = v;
        Invalidate();
    }

    bool FDefaultDrawing = false;
    int FGridLineWidth = 1;
    TColor FGridLineColor = 0xC0C0C0;
    TColor FGridFixedLineColor = 0x808080;
    TExGridUndoRedo* FUndoRedo = nullptr;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    int FMergeCount = 0;
    bool FDestroying = false;
    // Largest counts the grid had: property objects may live up to there.
    int FMaxColCount = 0;
    int FMaxRowCount = 0;
    std::unique_ptr<TCellProperties> FScratchProps;
};
