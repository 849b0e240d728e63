#pragma once
// TExStringGrid: the grid control of every table of the program (the column
// grid TExColumnGrid derives from it). It adds to the base grid's cell store
// the settings objects, the per-cell questions asked by the painter, the
// editors and the file code (each a virtual operation that ends with an
// application event), cell graphics, hidden rows and columns, grouping,
// in-place editing, sorting, filtering, search, import and export, printing
// and its own painting.
//
// This header is the grid's public face: construction, the settings
// objects and the public operations. Its vocabulary stands in
// ExStringGridTypes.h, its plain published settings in
// ExStringGrid_Settings.h and its events in ExStringGrid_Events.h (both
// inherited, so they read as the grid's own members). What only the grid itself needs is kept apart, in
// headers that only src/widgets/ includes:
//   grid_model/    the data model (Model.h): hidden columns and rows with the
//                  displayed-to-real mapping, row states, nodes, grouping,
//                  sort state; no drawing, no window
//   grid_render/   the private parts (Parts.h, held through FParts) and the
//                  files of painting (Paint_*), mouse (Mouse_*), keys
//                  (Keys_*), scroll bars (Scroll_*), in-place editing
//                  (Edit_*), the editor controls (Editor_*) and the
//                  mini-HTML renderer (Html_*)
//   grid_io/       sorting, filtering, search, files and printing
// The grid's own operations are implemented by topic in ExStringGrid_*.cpp
// (Create, Queries, Graphics, Cells, Typed, Rows, Hidden, Moves, DragDrop,
// Nodes, Group, Advance, Controls, CellGraphics, Layout, Parts).
// An operation whose part is not built yet raises ENotBuilt: it never
// pretends to work.

#include "widgets/ExStringGridTypes.h"
#include "widgets/ExStringGrid_Events.h"
#include "widgets/ExStringGrid_Settings.h"

// --- the grid ----------------------------------------------------------------------------

class TExStringGrid : public TBaseGrid, public TExStringGridSettings, public TExStringGridEvents {
public:
    explicit TExStringGrid(TComponent* AOwner = nullptr);
    explicit TExStringGrid(std::nullptr_t) : TExStringGrid(static_cast<TComponent*>(nullptr)) {}
    // A grid placed on a form or panel, which owns it (see SetParent).
    explicit TExStringGrid(TWinControl* AParent);
    ~TExStringGrid() override;
    std::string ClassName() const override { return "TExStringGrid"; }

    // --- lifecycle (construction file)
    // Copies settings, sizes and cells from another TExStringGrid; any other
    // source changes nothing.
    void Assign(const TPersistent* Source) override;
    virtual void AssignCells(const TPersistent* Source);
    // $06020103: 6.2.1.3 as major shl 24 or minor shl 16 or release shl 8 or build.
    virtual int GetVersionNr() const;
    // "6.2.1.3 Sep, 2012".
    virtual std::string GetVersionString() const;
    std::string Version() const { return GetVersionString(); }
    // Skips one repaint requested while an editor applies its change.
    void Invalidate();
    bool IsLoaded() const;
    // The grid's cursor; setting it also remembers it as the one to restore.
    TCursor Cursor() const;
    void SetCursor(TCursor c);
    // Outer size of the grid (its client area; the grid draws no frame).
    int Width() const { return ClientWidth(); }
    int Height() const { return ClientHeight(); }
    void SetSize(int AWidth, int AHeight) { SetClientSize(AWidth, AHeight); }
    // The form the grid follows in size (SizeWithForm) and whose resizing
    // stretches the stretch column again; set by the constructor when the
    // owner is such a form. nullptr: none.
    void SetOwnerForm(IGridOwnerForm* AForm);
    IGridOwnerForm* OwnerForm() const;
    // The data model (grid_model/Model.h): hidden columns and rows with the
    // displayed-to-real mapping, row states, nodes, grouping and sorting.
    TGridModel& Model() { return *FModel; }
    const TGridModel& Model() const { return *FModel; }
    // The private parts (grid_render/GridParts.h).
    TExStringGridPrivate& Parts() { return *FParts; }
    const TExStringGridPrivate& Parts() const { return *FParts; }

    // --- owned settings objects
    TSearchFooter& SearchFooter();
    TNavigation& Navigation();
    TMouseActions& MouseActions();
    TSyncGrid& SyncGrid();
    TBands& Bands();
    TFocusHelper& FocusHelper();
    void SetFocusHelper(const TFocusHelper& v);
    TGrouping& Grouping();
    TShowModified& ShowModified();
    TColumnSize& ColumnSize();
    TCellNode& CellNode();
    TSizeWhileTyping& SizeWhileTyping();
    TSortSettings& SortSettings();
    const TSortSettings& SortSettings() const;
    TPrintSettings& PrintSettings();
    const TPrintSettings& PrintSettings() const;
    THTMLSettings& HTMLSettings();
    const THTMLSettings& HTMLSettings() const;
    TFilter& Filter();
    const TFilter& Filter() const;
    TFilterDropDown& FilterDropDown();
    const TFilterDropDown& FilterDropDown() const;
    // The header filter drop-down's lists (hidden until opened).
    TDropList& FilterDropList();
    TDropCheckList& FilterDropCheckList();
    // The search bar along the bottom (hidden, height 0, until SearchFooter
    // is made visible).
    TSearchPanel& SearchPanel();
    TStringList& ColumnHeaders();
    TStringList& RowHeaders();
    TStringList& LookupItems();
    // The entries of the last column filter list built.
    TStringList& FilterList();
    TFont& FixedFont();
    TFont& ActiveCellFont();
    TSortIndexList& SortIndexes();
    TControlList& ControlList();
    TControlLook* ControlLook() const;
    TBackGround* BackGround() const;
    TFloatingFooter* FloatingFooter() const;
    // The floating footer's strip (height 0 while the footer is hidden).
    TFooterPanel& FooterPanel();
    // The move feedback windows (nullptr before the first move by the
    // mouse): the floating caption and the arrows by direction.
    THeaderDragButton* MoveButton() const;
    TArrowWindow* MoveArrow(TArrowDirection Dir) const;
    // The footer strip repaints.
    void UpdateFooter();
    TCustomImageList* GridImages() const;

    // Middle-button panning (grid_render/Mouse_Pan.cpp): whether it runs,
    // the spot the press marked (client pixels, the glyph's top-left
    // corner) and the cursor it shows.
    bool WheelPanning() const;
    TPoint WheelPanPos() const;
    TCursor WheelPanCursor() const;
    // Stores ScrollProportional and sizes the thumbs again.
    void SetScrollProportional(bool Value);
    // The scroll hint while a thumb is dragged: shown, and its text.
    bool ScrollHintShowing() const;
    std::string ScrollHintCaption() const;
    THTMLHintWindow* ScrollHintWindow() const;
    TGridLook Look() const;
    // Applies a colour preset for fixed cells, selection, lines and border
    // (glCustom keeps the colours); the current look again changes nothing.
    void SetLook(TGridLook Value);
    TColor BorderColor() const;
    TColor NUVGradientFrom() const;
    TColor NUVGradientTo() const;
    TColor NUVGradientMirrorFrom() const;
    TColor NUVGradientMirrorTo() const;
    TColor NUVGradient(TNUVGradient Which) const;
    // Written by the control look's fixed-cell colours.
    void SetNUVGradient(TNUVGradient Which, TColor Value);
    // Share of the selection colour when mixing, stored within 0..100.
    int SelectionColorMixerFactor() const;
    void SetSelectionColorMixerFactor(int v);
    // Colour schemes put on the grid as a whole.
    void SetComponentStyle(TNUVStyle AStyle);
    void SetTheme(TXPColorScheme Scheme);
    TGridProgressAppearance* ProgressAppearance() const;
    // Themed drawing of the editor buttons (taken at construction).
    bool IsWinXP() const;
    // Rows one wheel notch scrolls (taken when the window is created).
    int WheelScrollLinesOfGrid() const;
    // goEditing taken away only while the current cell may not be edited.
    bool EditingSuspended() const;
    void SetEditingSuspended(bool v);
    // The minimum fixed row count and the largest row and column counts
    // the grid had (taken when loaded and by the row-count setter).
    int FixedRowsMin() const;
    int MaxRowCountReached() const;
    int MaxColCountReached() const;
    // Column visibility of a real column (any index; negative ones count
    // as shown).
    bool ColumnVisible(int c) const;
    int NumHiddenColumns() const;
    int NumHiddenRows() const;
    int AllColCount() const { return ColCount() + NumHiddenColumns(); }
    int AllRowCount() const { return RowCount() + NumHiddenRows(); }

    // Filtering. Switching FilterActive on hides, as one filter level, the
    // normal rows that do not pass the Filter conditions (none when there
    // are no conditions); switching it off shows that level's rows again.
    bool FilterActive() const;
    void SetFilterActive(bool Value);
    // Hides every normal row that does not pass, as one new filter level.
    void ApplyFilter();
    // The real column whose filter list is open (-1 when none).
    int FilterDropColumn() const;
    void SetFilterDropColumn(int Value);


    // --- operations of the base grid, as this grid answers them
    bool IsFixed(int ACol, int ARow) const override;
    int RowNodeIndent(int ARow) const override;
    bool HasNodes() const override;
    void HiddenLastRowChanged() override;
    void FireGetDisplText(int ACol, int ARow, std::string& Value) const override;
    void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                         TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                         TCellGradientDirection& GD) override;
    void CellWritten(int ACol, int ARow) override;
    bool HasCustomBorders() const override;
    bool StylesActive() const override;
    int DisplColIndex(int ACol) const override;
    int TotalColCount() const override;
    // The look of a cell (the painter's colours, font and alignments).
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                             TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                             TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                             TCellGradientDirection& GD) override;

    // --- operations this grid introduces (in their order of introduction)
    virtual void CalcFooterValues(int ACol);
    virtual void FireClickSort(int ACol);
    virtual void F2KeyHook() {}
    virtual void WriteEditText(int ACol, int ARow, const std::string& Value);
    virtual void BeforeSelectAll(TRect& /*ARect*/) {}
    virtual void PasteCell(int ACol, int ARow, const std::string& Value);
    virtual std::string ReadCurrentCell();
    virtual void WriteCurrentCell(const std::string& Value);
    virtual std::string GetCurrentCellText();
    virtual void SetCurrentEditText(const std::string& Value);
    virtual void RestoreCellCache();
    virtual bool ToggleCellCheckBox(int ACol, int ARow, bool UserAction);
    virtual bool ToggleCellRadioButton(int ACol, int ARow, bool UserAction);
    virtual std::string GetFormattedCell(int ACol, int ARow);
    virtual std::string GetColumnFloatFormat(int ACol);
    virtual TCellType GetCellType(int ACol, int ARow);
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    virtual TPoint GetCellGraphicSize(int ACol, int ARow);
    virtual TPoint CalcCellGraphicSize(int ACol, int ARow, int Padding);
    virtual int CellGraphicHit(int X, int Y, int ACol, int ARow);
    virtual void FirePrintGetPageNum();
    virtual void FireGetEditorProp(int ACol, int ARow, TEditLink* AEditLink);
    virtual void FireCheckBoxClick(int ACol, int ARow, bool State);
    virtual void FireFixedEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, TStringList* Values);
    virtual void SelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
    virtual void EditorKeyUpHook() {}
    virtual void AutoInsertRow(int ARow);
    virtual void AutoDeleteRow(int ARow);
    virtual void FireFilterDone();
    virtual void UpdateColumnSize(int ACol, int& AWidth);
    virtual void UpdateAutoColumnSize(int ACol, int& AWidth);
    virtual void ColumnHeadersChanged() {}
    // The edit-button editors' button: OnEllipsClick may change the text S.
    virtual std::string FireEllipsClick(const std::string& S);
    virtual bool MatchFilter(int ARow);
    virtual void BeforePaste() {}
    virtual void AfterPaste() {}
    virtual void MarkPastedRows(const TRect& ARect);
    virtual std::string GetExportCell(int ACol, int ARow);
    virtual std::string GetSaveCell(int ACol, int ARow);
    virtual void SetLoadCell(int ACol, int ARow, const std::string& Value);
    virtual void CellValueChanged(int ACol, int ARow);
    virtual void StoreCellState(int ACol, int ARow);
    virtual void FireCanEditCell(int ACol, int ARow, bool& CanEdit);
    virtual void FireSearchFooterAction(const std::string& Value, int ACol, int ARow, TSearchAction SearchAction);
    virtual void FireButtonClick(int ACol, int ARow);
    virtual void ExpandCell(int ACol, int ARow, bool Expanded);
    virtual void FireComboCloseUp(int ACol, int ARow);
    virtual void FireComboDropDown(int ACol, int ARow);
    virtual void SetCellCursor(int ACol, int ARow, int X, int Y);
    virtual void CellsChanged(const TRect& ARect);
    virtual void AllCellsChanged();
    virtual void GetCellHint(int ACol, int ARow, std::string& AHint, WideString& AWideHint);
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void GetColFormat(int ACol, TSortStyle& AStyle, std::string& aPrefix, std::string& aSuffix);
    virtual void GetCellSpinEditor(int ACol, int ARow, TEditorType& AEditor);
    virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
    virtual bool IsCellEditorNone(int ACol, int ARow);
    virtual void IsFixedCell(int ACol, int ARow, bool& IsFixed) const;
    virtual void CanEditCell(int ACol, int ARow, bool& CanEdit);
    virtual void IsPasswordCell(int ACol, int ARow, bool& IsPassword);
    virtual void GetCellWordWrap(int ACol, int ARow, bool& WordWrap);
    virtual bool HasCombo(int ACol, int ARow);
    virtual bool HasSpinEdit(int ACol, int ARow);
    virtual std::string GetCheckTrue(int ACol, int ARow);
    virtual std::string GetCheckFalse(int ACol, int ARow);
    virtual bool GetColumnFilter(int ACol);
    virtual TRect GetUsedCells();
    virtual void RemoveRowsDisplayed(int ARow, int ACount);
    virtual void FireCanAddRow(bool& CanAdd);
    virtual void FireCanInsertRow(int ARow, bool& CanInsert);
    virtual void WindowDestroyHook() {}
    virtual void AppendRow();
    virtual void MouseDownHookA() {}
    virtual void EditorKeyHook() {}
    virtual void MouseDownHookB() {}
    virtual void MouseActionsChanged() {}
    virtual void IsDesigningQuery(bool& IsDesigning);
    virtual void InvalidateQuery();
    virtual void DisableEditing();
    virtual void EditorKeyDownHook() {}
    virtual void EditorWMKeyDownHook() {}
    virtual void NavigationChanged() {}
    virtual void GotoFirstRow();
    virtual bool AllowFormattedClipboard();
    // A choice in the filter drop-down list / a toggle in its check list.
    virtual void FilterSelected(int ItemIndex);
    virtual void FilterChecked(int ItemIndex);
    virtual void PaintDesignHelper();
    virtual void DesignHelperClick(int X, int Y);
    virtual void FireCheckBoxChange(int ACol, int ARow, bool State);
    virtual void FireColorSelect();
    virtual void FireImageSelect();
    virtual void FireCellChanging(int NewCol, int NewRow, bool& Allow);
    virtual void FireScrollCell(int ACol, int ARow);
    virtual bool FireCanShowFixedDropDown(int ACol);
    virtual void FireStartBlockFocus(int ARow);
    virtual void FireEndBlockFocus(int ARow);
    virtual TCustomImageList* GetGridImages();
    // The pictures mini-HTML texts name (not owned; none by default).
    TPictureContainer* PictureContainer() const;
    void SetPictureContainer(TPictureContainer* Value);
    // The pictures mini-HTML texts fetch by address, owned by the grid.
    THTMLPictureCache* PictureCache();
    virtual void ExportNotification(int /*AState*/, int /*ARow*/) {}
    virtual void ImportNotification(int /*AState*/, int /*ARow*/) {}
    virtual bool ValidateCell(const std::string& NewValue);
    virtual bool ValidateCellWide(const WideString& NewValue);
    virtual void RemoveRowsEx(int RowIndex, int RCount);
    virtual void RemoveRows(int RowIndex, int RCount);
    virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
    virtual void RemoveCols(int ColIndex, int CCount);
    virtual void InsertCols(int ColIndex, int CCount);
    virtual void SubGroup(int Colindex);
    virtual void SubUnGroup(int Colindex);
    virtual void Group(int Colindex);
    virtual void UnGroup();
    virtual void SortSwapRows(int ARow1, int ARow2);
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
    virtual void SaveColPositions();
    virtual void LoadColPositions();
    virtual void SetStyle(TExGridStyle AStyle);
    virtual void QSort();
    virtual void QSortIndexed();
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    virtual void QUnSort();
    virtual void CalcFooter(int ACol) { CalcFooterValues(ACol); }

    // ---- painting (grid_render/Paint_Grid.cpp, Paint_Visual.cpp,
    // Paint_CellText.cpp, Paint_CellGraphics.cpp)
    // The cell painter, called by the base grid's cell drawing with the
    // content rectangle once the cell's frame is drawn (ACol displayed):
    // colours and font, fixed-cell looks, row indicator, modified marker,
    // editor buttons, text, borders, node lines, graphic, the custom-draw
    // events and the focus rectangle. A failure inside leaves the cell with
    // its background only.
    void DrawCellContent(TCanvas& ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    virtual void PaintCellContent(TCanvas& ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    // Horizontal and vertical alignment of a cell (real column).
    std::pair<TAlignment, TVAlignment> GetCellAlignment(int ACol, int ARow);
    // The display text of a formula cell ("=..."): here the cell's own text.
    virtual void FormulaValue(int ACol, int ARow, std::string& Text);
    // Setters that repaint when the value changes.
    void SetSelectionColor(TColor Value);
    void SetSelectionColorTo(TColor Value);
    void SetSelectionMirrorColor(TColor Value);
    void SetSelectionMirrorColorTo(TColor Value);
    void SetSelectionTextColor(TColor Value);
    void SetSelectionColorMixer(bool Value);
    void SetSelectionRectangle(bool Value);
    void SetSelectionResizer(bool Value);
    void SetShowSelection(bool Value);
    void SetVAlignment(TVAlignment Value);
    void SetFlat(bool Value);
    // Switching it on sizes every column to its content.
    void SetAutoSize(bool Value);
    void SetMaxEditLength(int Value);
    void SetSortSettings(const TSortSettings& Value);
    void SetSyncGrid(const TSyncGrid& Value);
    // Whatever the value: selection rectangle and resizer, smart clipboard,
    // range selection, editing and range-select-and-edit on.
    void SetSpreadSheet(bool Value);
    // Look, flat mode, fonts and colours from a tone set (a metro look).
    void SetColorTones(const TColorTones& ATones);
    const TColorTones& ColorTones() const;
    // The component style that follows the Office colour theme (the
    // platform reports none here, so nothing changes).
    void ApplyOfficeTheme();
    // Passes the component style to the grid's drop-down editors.
    void SetEditorsComponentStyle(TNUVStyle AStyle);
    // Drawn in the first fixed column of the current row.
    TBitmap& RowIndicator();
    void SetRowIndicator(const TBitmap& Value);
    // The hover-highlighted fixed cell (-1: none), kept by the mouse
    // handling and read by the painter.
    int HoverFixedX() const;
    int HoverFixedY() const;
    void SetHoverFixedCell(int ACol, int ARow);
    // ---- end of painting

    // --- cell graphic objects (data side)
    // A fresh graphic for the cell (real column ACol); frees the graphic the
    // cell had, unless it is a shared check box. The caller fills it in.
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    // Whether the cell had a graphic; the slot is emptied and the graphic
    // freed unless shared.
    bool RemoveCellGraphic(int ACol, int ARow);
    // RemoveCellGraphic when the cell's graphic is of that kind; else false.
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType CellType);
    // The row check box shared by column 0 while HotmailRowSelect is on.
    TCellGraphic& RowCheckBoxGraphic();

    // --- the data interface of the later groups (each built in its file)
    // cell accessors and per-cell looks
    std::string AllCells(int ACol, int ARow) const;
    void SetAllCells(int ACol, int ARow, const std::string& Value);
    std::string AllGridCells(int ACol, int ARow) const;
    void SetAllGridCells(int ACol, int ARow, const std::string& Value);
    TColor Colors(int ACol, int ARow) const;
    void SetColors(int ACol, int ARow, TColor Value);
    TColor FontColors(int ACol, int ARow) const;
    void SetFontColors(int ACol, int ARow, TColor Value);
    TAlignment Alignments(int ACol, int ARow) const;
    void SetAlignments(int ACol, int ARow, TAlignment Value);
    TObject* CellControls(int ACol, int ARow) const;
    void SetCellControls(int ACol, int ARow, TObject* Value);
    void SetRowColor(int ARow, TColor Value);
    int GetRowEx() const { return Row(); }
    // The current row and column. Every move of the current row (these
    // setters, keys, mouse, GotoCell) fires OnRowChanged when the row is new,
    // syncs the disjoint row selection and moves a linked grid's row; a
    // column move moves a linked grid's column.
    void SetRowEx(int ARow);
    void SetRow(int ARow) { SetRowEx(ARow); }
    void SetCol(int ACol);
    // Keeps the bars ScrollBarAlways names shown, greyed while their content
    // fits; with saNone and Force the kept bars go.
    void UpdateScrollBarsAlways(bool Force);
    // Scrolling by one row or column per timer step while a drag hovers
    // within a margin of the grid's edges.
    TDragScrollOptions& DragScrollOptions();
    void SetDragScrollOptions(const TDragScrollOptions& Value);
    // A drag of the class library over the grid (client pixels).
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    // The drag-scroll timer while one exists.
    TTimer* DragScrollTimer() const;
    // The column whose header filter drop-down is open (-1: none).
    int FilterColumn = -1;
    int GetRealCol() const;
    // size, selection, row states and update locking
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const;
    void SetRowSelect(int ARow, bool Value);
    void ClearRowSelect();
    bool ColSelect(int ACol) const;
    void SetColSelect(int ACol, bool Value);
    void ClearColSelect();
    void SelectRows(int RowIndex, int RCount);
    bool RowModified(int ARow) const;
    void SetRowModified(int ARow, bool Value);
    bool RowEnabled(int ARow) const;
    void SetRowEnabled(int ARow, bool Value);
    // insertion, removal and clearing
    void ClearNormalCells();
    void ClearRows(int RowIndex, int RCount);
    void ClearCols(int ColIndex, int CCount);
    void RemoveSelectedRows();
    // typed cell access
    int Ints(int ACol, int ARow) const;
    void SetInts(int ACol, int ARow, int Value);
    double Floats(int ACol, int ARow) const;
    void SetFloats(int ACol, int ARow, double Value);
    // hidden columns and rows
    void HideColumn(int ACol);
    void UnHideColumn(int ACol);
    void HideRow(int ARow);
    void UnHideRow(int ARow);
    bool IsHiddenRow(int ARow) const;
    int MapRealCol(int ACol) const { return RealColIndex(ACol); }
    int DisplRowIndex(int ARow) const;
    // check boxes and radio controls
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void RemoveCheckBox(int ACol, int ARow);
    bool HasCheckBox(int ACol, int ARow);
    bool GetCheckBoxState(int ACol, int ARow, bool& State);
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    // moving
    void SwapRows(int ARow1, int ARow2);
    void SwapColumns(int ACol1, int ACol2);
    // repainting: areas are invalidated, nothing is drawn at once
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    // Nothing for a negative coordinate; the whole grid when either corner
    // cell is out of view.
    void RepaintRect(const TRect& R);
    void InvalidateCellRange(const TRect& R);
    // Focuses the grid, makes the cell current and opens its editor.
    void EditCell(int ACol, int ARow);

    // --- operations of later groups this file's operations call
    // (cell accessors, hidden columns and rows, selection, stretch, nodes).
    bool ReadOnly(int ACol, int ARow) const;
    void SetReadOnly(int ACol, int ARow, bool Value);
    int RealColIndex(int ACol) const;
    int MapDisplCol(int ACol) const { return DisplColIndex(ACol); }
    bool IsHiddenColumn(int ACol) const;
    int RealRowIndex(int ARow) const;
    bool IsNodeRow(int ARow) const;
    bool IsSummary(int ARow) const;
    int NodeCount() const;
    bool RowSelect(int ARow) const;
    int RowSelectCount() const;
    void StretchColumnIndex(int Index);
    void StretchRightColumn() { StretchColumnIndex(-1); }
    void ExpandAll();
    void UnHideColumnsAll();
    std::string HiddenRowCell(int ACol, int AHiddenIndex) const;
    void SaveColSizes();
    void LoadColSizes();
    void RegisterNotifier(TGridChangeNotifier* Item);
    void UnRegisterNotifier(TGridChangeNotifier* Item);

    // ---- grid shape: size, selection, row states, update lock, hidden
    // columns and rows, insertion and removal
    // Hidden columns (real indices, inclusive ranges; indices outside the
    // grid, the last displayed column and columns already in the wanted
    // state are skipped).
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumns(int FromCol, int ToCol);
    // Hidden rows (real indices, inclusive ranges). A hidden row leaves the
    // displayed rows with its cells, objects and height; showing it puts it
    // back where its real index says.
    void HideRows(int FromRow, int ToRow);
    // HideRows, but nothing at all when FromRow is hidden already.
    void HideRowsEx(int FromRow, int ToRow);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    // Row lists hidden as filter levels (filtering, contracted nodes):
    // HideRowList takes ascending displayed rows and raises the level;
    // UnHideRowList shows the most recent list, the caller lowers the level.
    void HideRowList(const TIntList& RowList);
    void UnHideRowList();
    int FilterLevel() const;
    void SetFilterLevel(int Value);
    // IsHiddenRow for loops over many rows: the first call fills Cache with
    // the real indices of the hidden rows, later calls reuse it.
    bool IsHiddenRow(int ARow, std::unique_ptr<TIntList>& Cache) const;
    int TotalRowCount() const { return AllRowCount(); }
    int GetRealRow() const { return RealRowIndex(Row()); }
    int MapRealRow(int ARow) const { return RealRowIndex(ARow); }
    int MapDisplRow(int ARow) const { return DisplRowIndex(ARow); }
    // The saved object slot of a hidden row's cell (nullptr when none).
    TObject* HiddenRowObject(int ACol, int ARealRow) const;

    // Size and fixed parts (FixedRowAlways / FixedColAlways keep one fixed
    // row / column also while the grid has no normal one).
    void SetRowCount(int Value);
    void SetColCount(int Value);
    int FixedRows() const;
    void SetFixedRows(int Value);
    int FixedCols() const;
    void SetFixedCols(int Value);
    // Width of the fixed columns: a value equal to the default column width
    // changes nothing.
    int FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(int Value);
    // Height of the fixed rows (the default row height of a new grid);
    // equal to the default row height it becomes the default row height.
    int FixedRowHeight() const;
    void SetFixedRowHeight(int Value);
    // The first scrollable row shown; a fixed row or one beyond the last
    // row is ignored.
    void SetTopRow(int Value);

    // Update lock: nested BeginUpdate / EndUpdate; painting resumes at the
    // outermost EndUpdate.
    void StartUpdate();
    void ResetUpdate();
    bool LockUpdate() const;
    void SetLockUpdate(bool Value) { Value ? BeginUpdate() : EndUpdate(); }

    // Current cell.
    void GotoCell(int ACol, int ARow);
    using TCustomGrid::FocusCell;
    void FocusCell(int ACol, int ARow);
    void MoveToCell(int ACol, int ARow);
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);

    // Row and column selection.
    void UnSelectRows(int RowIndex, int RCount);
    void SelectCols(int ColIndex, int CCount);
    void UnSelectCols(int ColIndex, int CCount);
    void SyncRowSelect(bool All);
    void SyncColSelect(bool All);
    int ColSelectCount() const;
    int SelectedRowCount() const;
    int SelectedColCount() const;
    int SelectedRow(int i) const;
    bool SelectedCells(int ACol, int ARow) const;
    void SetSelectedCells(int ACol, int ARow, bool Value);
    TPoint SelectedCell(int i) const;
    int SelectedCellsCount();
    void ClearSelectedCells();

    // Row states.
    int ModifiedRowCount() const;
    void ClearModifiedRows();

    // Insertion, removal, clearing.
    void AddRow();
    void AddColumn() { InsertCols(ColCount(), 1); }
    void RemoveUnSelectedRows();
    void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
    void RemoveDuplicates(int ACol, bool DoCase);
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    void HideSelectedRows();
    void HideUnSelectedRows();
    void ClearNormalRows(int RowIndex, int RCount);
    void ClearNormalCols(int ColIndex, int CCount);
    void ClearSelection();
    void Clear();
    void ClearAll();
    void TrimColumn(int ACol);
    void TrimRow(int ARow);
    void TrimAll();
    void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);
    void SwapCells(TPoint FromCell, TPoint ToCell);

    // Merging and splitting along columns and rows.
    void MergeColumnCells(int ColIndex, bool MainMerge);
    void MergeRowCells(int RowIndex, bool MainMerge);
    void SplitColumnCells(int ColIndex);
    void SplitRowCells(int RowIndex);
    void SplitAllCells();
    void MergeCols(int ColIndex1, int ColIndex2, const std::string& Separator);
    // ---- end of grid shape

    // ---- cell access: accessors, looks, stretch, listeners, typed access,
    // headers, marking, fills, column order
    // Width of a column by real index (a hidden column's stored width).
    int AllColWidths(int ACol) const;
    void SetAllColWidths(int ACol, int Value);
    // Cells by real row in other orders (column: real index).
    WideString AllWideCells(int ACol, int ARow) const;
    void SetAllWideCells(int ACol, int ARow, const WideString& Value);
    std::uintptr_t AllObjects(int ACol, int ARow) const;
    void SetAllObjects(int ACol, int ARow, std::uintptr_t Value);
    // Row of the displayed order that the sorted position / unsorted row maps to.
    int SortedRowIndex(int ARow) const;
    int UnSortedRowIndex(int ARow) const;
    std::string UnSortedCells(int ACol, int ARow) const;
    void SetUnSortedCells(int ACol, int ARow, const std::string& Value);
    // Per-cell looks (column: real index, row: displayed).
    TColor ColorsTo(int ACol, int ARow) const;
    void SetColorsTo(int ACol, int ARow, TColor Value);
    TCellGradientDirection Gradients(int ACol, int ARow) const;
    void SetGradients(int ACol, int ARow, TCellGradientDirection Value);
    // Creates the cell's property object when it has none.
    bool WordWraps(int ACol, int ARow);
    void SetWordWraps(int ACol, int ARow, bool Value);
    TFontStyles FontStyles(int ACol, int ARow) const;
    void SetFontStyles(int ACol, int ARow, TFontStyles Value);
    std::string FontNames(int ACol, int ARow) const;
    void SetFontNames(int ACol, int ARow, const std::string& Value);
    int FontSizes(int ACol, int ARow) const;
    void SetFontSizes(int ACol, int ARow, int Value);
    // The same scratch font for every cell with looks of its own.
    TFont& Fonts(int ACol, int ARow);
    void SetFonts(int ACol, int ARow, const TFont& Value);
    int LinesInCell(int ACol, int ARow) const;
    // Cell text without its mini-HTML tags.
    std::string StrippedCells(int ACol, int ARow) const;
    void SetRowColorTo(int ARow, TColor Value);
    void SetRowFontColor(int ARow, TColor Value);
    // Raw text of the current cell's base cell; writing goes through Cells.
    std::string CurrentCell() { return ReadCurrentCell(); }
    void SetCurrentCell(const std::string& Value) { WriteCurrentCell(Value); }
    int CellControlCount() const;
    // Size: with IntegralHeight the height holds whole rows (the position
    // belongs to the window and is not kept here).
    void SetIntegralHeight(bool Value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void ColWidthsChanged() override;
    // Typed views of cell texts (column: real index, row: displayed).
    int AllInts(int ACol, int ARow) const;
    void SetAllInts(int ACol, int ARow, int Value);
    double AllFloats(int ACol, int ARow) const;
    void SetAllFloats(int ACol, int ARow, double Value);
    double Dates(int ACol, int ARow) const; // TDateTime
    void SetDates(int ACol, int ARow, double Value);
    double Times(int ACol, int ARow) const;
    void SetTimes(int ACol, int ARow, double Value);
    WideString WideCells(int ACol, int ARow) const;
    void SetWideCells(int ACol, int ARow, const WideString& Value);
    bool IsWideCell(int ACol, int ARow) const;
    // First cell (rows outer) whose raw text is SubStr.
    bool IsCell(const std::string& SubStr, int& ACol, int& ARow) const;
    // Print layout of the last print run; raises EExGridError outside 0..511.
    int PrintColWidth(int ACol) const;
    int PrintColOffset(int ACol) const;
    // Cells by the column's recorded (original) position.
    std::string OriginalCells(int ACol, int ARow) const;
    void SetOriginalCells(int ACol, int ARow, const std::string& Value);
    // Header texts of row 0 and column 0.
    void SetColumnHeaders(const TStringList& Value);
    void ClearColumnHeaders();
    void ShowColumnHeaders();
    void SetRowHeaders(const TStringList& Value);
    void ClearRowHeaders();
    void ShowRowHeaders();
    // Marking of text inside cells with the "hi" (highlight) and "e"
    // (error) tags.
    std::string HilightText(bool DoCase, const std::string& S, const std::string& Text) const;
    std::string UnHilightText(const std::string& S) const;
    std::string MarkText(bool DoCase, const std::string& S, const std::string& Text) const;
    std::string UnMarkText(const std::string& S) const;
    void HilightInCell(bool DoCase, int Col, int Row, const std::string& HiText);
    void HilightInCol(bool DoFixed, bool DoCase, int Col, const std::string& HiText);
    void HilightInRow(bool DoFixed, bool DoCase, int Row, const std::string& HiText);
    void HilightInGrid(bool DoFixed, bool DoCase, const std::string& HiText);
    void UnHilightInCell(int Col, int Row);
    void UnHilightInCol(bool DoFixed, int Col);
    void UnHilightInRow(bool DoFixed, int Row);
    void UnHilightInGrid(bool DoFixed);
    void MarkInCell(bool DoCase, int Col, int Row, const std::string& HiText);
    void MarkInCol(bool DoFixed, bool DoCase, int Col, const std::string& HiText);
    void MarkInRow(bool DoFixed, bool DoCase, int Row, const std::string& HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const std::string& HiText);
    void UnMarkInCell(int Col, int Row);
    void UnMarkInCol(bool DoFixed, int Col);
    void UnMarkInRow(bool DoFixed, int Row);
    void UnMarkInGrid(bool DoFixed);
    // Bulk fills.
    void TextFill(bool DoFixed, const std::string& Txt);
    // Fmt takes two integers, the column and the row ("%d:%d").
    void FormatFill(bool DoFixed, const std::string& Fmt);
    void RandomFill(bool DoFixed, int Rnd);
    void LinearFill(bool DoFixed);
    // Column lookup and the recorded column order.
    int ColumnByHeader(const std::string& AValue) const;
    void SetColumnOrder();
    // Takes a stored order; only a permutation of 0..AllColCount-1 is
    // accepted (answers whether it was).
    bool LoadColumnOrder(const std::vector<int>& Order);
    std::vector<int> ColumnOrder() const;
    int ColumnPosition(int ACol) const;
    int ColumnAtPosition(int ACol);
    void ResetColumnOrder();
    // Selection listener: one reference, replaced by the next registration;
    // unregistering clears it whatever is passed.
    void RegisterSelListener(ITExStringGridSelect* AListener);
    void UnRegisterSelListener(ITExStringGridSelect* /*AListener*/);
    // Item list of the shared in-place combo editor.
    void ClearComboString();
    void AddComboString(const std::string& s);
    void AddComboStringObject(const std::string& s, TObject* AObject);
    // Deletes the first item equal to s; False when there is none.
    bool RemoveComboString(const std::string& s);
    // The combo index becomes the position of s; False (and no change) when
    // s is not in the list.
    bool SetComboSelectionString(const std::string& s);
    void SetComboSelection(int idx);
    int ComboSelection() const;
    int GetComboCount() const;
    const TStringList& ComboItems() const;
    TObject* ComboObject(int idx) const;
    // Position of the cell's text in the combo items (-1 when absent), after
    // the editor-property events had their say; the write puts item Value
    // into the cell (an index outside the items changes nothing).
    int ComboIndex(int ACol, int ARow);
    void SetComboIndex(int ACol, int ARow, int Value);
    // Remembers every column width and the grid width they belong to.
    void InitOrigColSizes();
    const TIntList& OrigColSizes() const;
    int OrigGridWidth() const;
    void RowHeightsChanged() override;
    // User sizing: the column (row) pressed on a sizing edge, -1 when none.
    int SizingColumn() const;
    int SizingRow() const;
    // Adds x to every column width and row height above 0 that stays above
    // 0; the zoom factor stays within -10..10 (a step beyond does nothing).
    void Zoom(int x);
    // The kind of the in-place editor in use.
    TEditorType CurrentEditor() const;
    // The program's hint windows show mini-HTML while set (for every
    // window, as the class library's hint window class is global).
    bool UseHTMLHints() const;
    void SetUseHTMLHints(bool Value);
    static bool HTMLHintWindowsInUse();
    // Colours of the glNUV look, kept as RGB (system colours resolved).
    void SetNUVGradientFrom(TColor Value);
    void SetNUVGradientTo(TColor Value);
    void SetNUVGradientMirrorFrom(TColor Value);
    void SetNUVGradientMirrorTo(TColor Value);
    void SetBorderColor(TColor Value);
    // Colour of the arrows that show where a dragged column or row lands.
    TColor ArrowColor() const;
    void SetArrowColor(TColor Value);
    // Form scaling: the fixed and active-cell fonts scale by M / D.
    virtual void ChangeScale(int M, int D);
    // Columns whose equal neighbouring texts are merged; each change of the
    // list splits every column's merged cells and merges the listed ones
    // again (only the first on equal text alone).
    TIntList& MergedColumns();
    // The cell checker the check operations use (none: they answer True).
    TExStringGridCheck* CellChecker() const;
    void SetCellChecker(TExStringGridCheck* Value);
    bool CheckCell(int ACol, int ARow);
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int ACol);
    bool CheckRow(bool DoFixed, int ARow);
    bool CheckGrid(bool DoFixed);
    IGridColorPicker* ColorPickerDropDown() const;
    void SetColorPickerDropDown(IGridColorPicker* Value);
    IGridImagePicker* ImagePickerDropDown() const;
    void SetImagePickerDropDown(IGridImagePicker* Value);
    // ---- end of cell access

    // ---- moves: moving, swapping, numbering, range operations, drag and drop
    // Moves a displayed column (recording the column order first when none
    // is recorded); controls placed in cells follow their column.
    void MoveColumn(int FromIndex, int ToIndex);
    // Moves a displayed row with all its cells (hidden columns included);
    // placed controls follow their row.
    void MoveRow(int FromIndex, int ToIndex);
    // Moves Count rows from FromIndex on. When FromIndex + Count < ToIndex
    // the block lands before the row that was at ToIndex, else it starts at
    // ToIndex. Rows carry their hidden columns' cells. EExGridError
    // ("Invalid row accessed") when the block or its place lies outside the
    // rows; nothing then changes.
    void MoveRows(int FromIndex, int ToIndex, int Count);
    // Numbers the rows of column ACol (the columns of row ARow) from 1 +
    // AutoNumberOffset, skipping AutoNumberStart rows (columns) after the
    // fixed ones and leaving the footers (right fixed columns) alone.
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    // Selection := the block (both corners inside the grid).
    void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
    // The selected cells: tab between columns, CR LF between rows.
    std::string SelectedText();
    bool IsSelected(int ACol, int ARow) const;
    // Moves the selection out of sight and back (the first normal cell
    // when the old top-left cell no longer exists).
    void HideSelection();
    void UnHideSelection();
    bool SelectionHidden() const;
    void UpdateEditMode();
    // The cell range the save routines write.
    int SaveStartCol() const;
    int SaveStartRow() const;
    int SaveEndCol() const;
    int SaveEndRow() const;
    int SaveColCount() const;
    int SaveRowCount() const;
    // Columns that row sizing skips.
    TIntList& IgnoreColumns();
    bool IsIgnoredColumn(int ACol) const;
    // Scrolls the cell into view, centred when it was out of view.
    void ScrollInView(int ColIndex, int RowIndex);
    // Cell under a screen point; -1, -1 off the cells.
    void ScreenToCell(const TPoint& pt, int& ACol, int& ARow) const;
    // Whether a client point lies on a column edge in the fixed rows or a
    // row edge in the fixed columns (within 4 pixels).
    bool IsOnSizingEdge(int X, int Y) const;
    // Sort exchanges counted by SortSwapRows and the row cross-reference
    // the sort keeps (entries exchanged with their rows).
    int SortSwapCount() const;
    TIntList& SortRowXRef();
    int SortRow = -1;
    // ---- end of moves

    // ---- cell controls: check boxes, radio controls, node rows
    // Check boxes. Columns are real columns, rows displayed rows unless a
    // line says otherwise. AddCheckBox raises EExGridError "Invalid cell"
    // for a negative index or one beyond the grid's totals.
    void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
    void AddCheckBoxColumn(int ACol, bool DefaultState = false, bool DataCheckBox = false);
    void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State);
    void RemoveCheckBoxColumn(int ACol);
    bool HasDataCheckBox(int ACol, int ARow);
    // A tri-state box answers through its own form; the Boolean read gives
    // False for it and leaves State untouched.
    bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State);
    bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
    bool IsChecked(int ACol, int ARow);
    bool ToggleCheckBox(int ACol, int ARow) { return ToggleCellCheckBox(ACol, ARow, false); }
    void CheckAll(int ACol);
    void UnCheckAll(int ACol);
    bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);
    // Sets a check box of any kind, firing OnCheckBoxChange when the state
    // changes.
    bool ApplyCheckBoxState(int ACol, int ARow, bool State);
    // Radio groups (items in a string list) and single radio buttons.
    void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TCellStrings* sl);
    TCellStrings* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
    bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
    bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
    TCellStrings* GetRadioStrings(int ACol, int ARow);
    bool IsRadio(int ACol, int ARow);
    void RemoveRadio(int ACol, int ARow);
    bool CycleRadioCell(int ACol, int ARow, bool UserAction);
    void AddRadioButton(int ACol, int ARow, bool State = false);
    void AddRadioButtonColumn(int ACol);
    void RemoveRadioButton(int ACol, int ARow);
    void RemoveRadioButtonColumn(int ACol);
    bool HasRadioButton(int ACol, int ARow);
    bool IsRadioButtonChecked(int ACol, int ARow);
    bool SetRadioButtonState(int ACol, int ARow, bool State);
    void SetRadioButtonColumnIndex(int ACol, int Index);
    int GetRadioButtonColumnIndex(int ACol);
    // Type tests on the base cell of a merged area; False for negative
    // indices.
    bool HasClickableGraphic(int ACol, int ARow);
    bool IsVirtualGraphicCell(int ACol, int ARow);

    // Node rows. AddNode, RemoveNode, ExpandNode, ContractNode and the row
    // insertions and removals take real rows; the queries displayed rows.
    void AddNode(int ARow, int Span);
    void RemoveNode(int ARow);
    void RemoveAllNodes();
    bool IsNode(int ARow) const { return IsNodeRow(ARow); }
    bool GetNodeState(int ARow) const;
    void SetNodeState(int ARow, bool Value);
    int GetNodeLevel(int ARow) const;
    int GetNodeSpan(int ARow) const;
    int GetSubNodeCount(int ARow) const;
    void SetNodeSpan(int ARow, int Span);
    void UpdateNodeSpan(int ARow, int Delta);
    void UpdateSubNodeCount(int ARow, int Delta);
    void ExpandNode(int ARow);
    void ContractNode(int ARow);
    void ContractAll();
    int GetParentRow(int ARow) const;
    void InsertNormalRow(int ARow);
    void InsertChildRow(int ARow, int InsertAt);
    void RemoveNormalRow(int ARow);
    void RemoveChildRow(int ARow);
    int GetNodeSpanType(int ARow) const;
    bool IsOnNodeGlyph(int ARow, int X);
    // ---- end of cell controls

    // ---- Enter advance, key press and inline control stepping
    // Moves the current cell on from (ACol, ARow), a displayed cell, along
    // Navigation.AdvanceDirection: to the next cell (Forward) or the
    // previous one, wrapping at the grid's edges, appending a row (or a
    // column) at the end with AdvanceInsert, skipping cells that may not be
    // edited (AdvanceSkipReadOnlyCells) and asking OnAutoAdvance and
    // OnCellChanging. Force moves even while AdvanceOnEnter is off; AutoEdit
    // lets the editor open at the new cell (with AdvanceAutoEdit), DoEdit
    // asks for it at all; Retry is the step past a cell that may not be
    // edited. Once every cell was tried without finding one that may be
    // edited, the move ends where it started.
    void AdvanceCell(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Retry, bool DoEdit);
    // Opens the editor of the inline edit or combo control that follows the
    // control ID (the first one for an empty ID) in the cell's mini-HTML;
    // without one the grid takes the focus. ACol is a displayed column.
    void EditCellControl(int ACol, int ARow, const std::string& ID);
    // Whether the search footer is shown with the last row in view and
    // above it.
    bool LastRowAboveFooter();
    // Scrolls the rows up until the last row's bottom is above the shown
    // search footer.
    void ScrollAboveFooter();
    // Whether cell (real column ACol, ARow) may be edited now: the grid
    // edits, the cell (the base cell of a merged area) is not read-only,
    // the can-edit questions agree and it is not fixed.
    bool IsEditable(int ACol, int ARow);
    // Incremental search: the first normal row whose text in the sort
    // column (HTML tags stripped) starts with AText, compared upper-case;
    // -1 when none. The text typed so far (the search idle timer clears
    // it after some idle ticks).
    int Search(const std::string& AText);
    const std::string& IncrementalSearchText() const;
    // Opens the editor of an inline control of a cell's mini-HTML over
    // Rect (the painter's in-cell controls).
    virtual void StartCellControlEdit(const std::string& Text, const std::string& CtrlType,
                                      const std::string& CtrlID, const std::string& CtrlVal, const TRect& Rect,
                                      int ACol, int RealCol, int ARow);
    // ---- end of Enter advance

    // ---- inline control editors and controls placed on cells
    // An inline control editor is open (from StartCellControlEdit to the
    // next FinishCellControlEdit) for the control CtrlID of type CtrlType
    // ("EDIT", "PASSWORD", "MASK" or "COMBO"; empty when none is open).
    bool CtrlEditing() const;
    const std::string& CtrlID() const;
    const std::string& CtrlType() const;
    // The editors (made on first use on the grid's window).
    TControlEdit* CellControlEdit();
    TControlCombo* CellControlCombo();
    // Keeps the controls placed on cells (CellControls) on their cells:
    // shown at the cell (one pixel over its left and top grid lines) while
    // the cell is in view, hidden otherwise; controls in fixed cells are
    // left where they are. RebuildList first collects them from the cells.
    void CellControlsUpdate(bool RebuildList);

    // ---- automatic sizing of columns and rows
    // Columns are displayed columns; their texts and graphics are read at
    // the real column. Padding (when not 0) is added and the result kept
    // within the limits.
    void AutoSizeCol(int ACol, int Padding = 0);
    // All columns with DoFixedCols, else the normal ones.
    void AutoSizeColumns(bool DoFixedCols, int Padding = 0);
    void AutoSizeRow(int ARow, int Padding = 0);
    void AutoSizeRows(bool DoFixedRows, int Padding = 0);
    void AutoSizeCells(bool DoFixedCells, int PaddingX = 0, int PaddingY = 0);
    // Scales the columns (all with DoFixedCells, else the normal ones) so
    // that they fill the grid's width.
    void AutoFitColumns(bool DoFixedCells);
    // The grid's client area takes the size of its columns and rows.
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    // The content width of one column, the content height of one row, the
    // height of a number of text lines (the sizing steps of the above; also
    // used by the editors while text is typed).
    void AutoSizeColumnWidth(int ACol, bool GrowOnly);
    void AutoSizeRowHeight(int ARow, bool GrowOnly, int Padding = 0);
    void SizeRowToLines(int ARow, int Lines, int Padding);
    // The largest number of text lines among the row's cells (1 unless
    // Multilinecells).
    int MaxLinesInRow(int ARow) const;
    // The extent of a cell's text as automatic sizing measures it, with
    // the canvas font set for the cell; WordWrap breaks it within the cell.
    TSize AutoSizeTextExtent(int ACol, int DisplCol, int ARow, bool WordWrap);
    // The room a cell's text takes as the painter draws it (real column
    // ACol): VS keeps 17 pixels at the right for a scroll bar, SB breaks
    // the text within the cell's width instead of measuring it line by line.
    TSize GetCellTextSize(int ACol, int ARow, bool VS, bool SB);
    // ---- end of automatic sizing

    // ---- column and row calculations
    // Over a column (real index) and a row range, both bounds included;
    // FromRow or ToRow -1 takes the rows between the fixed and the footer
    // rows. A cell's number is its float read: an empty cell counts 0, a
    // text that is not a number is skipped (and still counts in the
    // divisor of the averages), except that Min and Max start from the
    // first cell's number, whose read may raise. Sum, Min and Max leave out
    // group header and summary rows and cells covered by a merged area; a
    // ToRow beyond the displayed rows takes the range as real rows.
    double ColumnSum(int ACol, int FromRow, int ToRow);
    double ColumnAvg(int ACol, int FromRow, int ToRow);
    double ColumnMin(int ACol, int FromRow, int ToRow);
    double ColumnMax(int ACol, int FromRow, int ToRow);
    // The population deviation of the numbers of every row of the range
    // (texts that are not numbers left out; 0 without any number).
    double ColumnStdDev(int ACol, int FromRow, int ToRow);
    // The number of different texts, without regard to case.
    double ColumnDistinct(int ACol, int FromRow, int ToRow);
    // OnColumnCalc's answer (0 without a handler).
    double ColumnCustomCalc(int ACol, int FromRow, int ToRow);
    // Over the base cells of a row from fromCol to toCol.
    double RowSum(int ARow, int fromCol, int toCol);
    double RowAvg(int ARow, int fromCol, int toCol);
    double RowMin(int ARow, int fromCol, int toCol);
    double RowMax(int ARow, int fromCol, int toCol);
    // ---- end of calculations

    // ---- grouping
    // The grouped column (-1: none). Writing -1 ungroups, a value above 0
    // groups by that column; 0 and values below -1 do nothing.
    int GroupColumn() const;
    void SetGroupColumn(int Value);
    // One value per expanded group into column Colindex: into the group's
    // summary row with Grouping.Summary, else into its header row. Methods
    // 1..8: sum, average, minimum, maximum, count, custom (OnGroupCalc),
    // distinct, deviation; any other does nothing.
    void GroupCalc(int Colindex, int method);
    void GroupSum(int Colindex);
    void GroupAvg(int Colindex);
    void GroupMin(int Colindex);
    void GroupMax(int Colindex);
    void GroupCount(int Colindex);
    void GroupCustomCalc(int Colindex);
    void GroupDistinct(int Colindex);
    void GroupStdDev(int Colindex);
    // Makes real row ARow a group summary row.
    void MarkSummaryRow(int ARow);
    // ---- end of grouping

    // ---- finding (grid_io/ExStringGrid_Find.cpp)
    // The first cell after StartCell ((-1, -1): from the first cell of the
    // range, or its last with fnBackward) whose text matches s by
    // FindParams, (-1, -1) when the walk reaches the range's end (it never
    // wraps); the match is remembered as the search cell.
    TPoint Find(TPoint StartCell, const std::string& s, TFindParams FindParams);
    // The same against the cells' wide texts (no scrolling adjustment).
    TPoint FindWide(TPoint StartCell, const WideString& s, TFindParams FindParams);
    // Find from (-1, -1); Find from the search cell with the last text and
    // flags.
    TPoint FindFirst(const std::string& s, TFindParams FindParams);
    TPoint FindNext();
    // Replaces every occurrence of OrigStr (ignoring case) by NewStr in each
    // matching cell; answers the number of cells whose text changed (0 at
    // once for an empty OrigStr).
    int Replace(const std::string& OrigStr, const std::string& NewStr, TFindParams FindParams);
    // True while a find runs.
    bool FindBusy() const;

    // ---- sorting (grid_io/ExStringGrid_Sort.cpp)
    // Compares rows Row1 and Row2 in real column ACol by the column's sort
    // style (SortSettings, OnGetFormat): -1, 0 or +1 as Row1 sorts before,
    // with or after Row2 in ascending order; blanks go first or last by
    // SortSettings.BlankPos in the shown order of a sort in Direction while
    // IgnoreBlanks is on.
    int SortCompareRows(int ACol, int Row1, TSortDirection Direction, int Row2);
    // The sort cross-reference := each row's own position.
    void InitSortXRef();
    // SortSettings.Column and Direction := the values, then QSort.
    void Sort(int Column, TSortDirection Direction);
    // With more than one row: SortSettings.Column := Col, then QSort.
    void SortByColumn(int Col);
    // Sorts rows Left..Right by column Col in SortSettings.Direction, ties
    // broken by the following columns (Full); by the key list. EExGridError
    // for a column or row the grid does not have.
    void QuickSort(int Col, int Left, int Right);
    void QuickSortIndexed(int Left, int Right);
    // Compares the rows in Col (then the following columns on a tie) in
    // SortSettings.Direction and swaps them when they are out of order
    // (answers whether it did).
    bool SortLine(int Col, int ARow1, int ARow2);
    // Number comparisons made (never reset by a sort).
    int Compares = 0;
    // ---- end of sorting

    // ---- other cell graphics
    // Columns are real and rows displayed, except for SetButtonText,
    // GetButtonText, PushButton and GraphicRectInCell, which take a
    // displayed column. An Add operation replaces the cell's graphic (the
    // object given stays the caller's); a Create operation makes the object
    // the cell then owns and returns it for loading; a Remove operation
    // removes only a graphic of its own kind. The Has tests look at the base
    // cell of a merged area. Icons and pictures are bitmaps on this
    // platform. Nothing is raised: a cell without the graphic asked for
    // answers nullptr, false, -1, 0, clNone or "".
    void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* GetBitmap(int ACol, int ARow);
    bool HasBitmap(int ACol, int ARow) { return GetBitmap(ACol, ARow) != nullptr; }
    void RemoveBitmap(int ACol, int ARow);
    void AddIcon(int ACol, int ARow, TBitmap* AIcon, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
    void RemoveIcon(int ACol, int ARow);
    void AddPicture(int ACol, int ARow, TBitmap* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                    TCellHAlign hal, TCellVAlign val);
    TBitmap* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                           TCellHAlign hal, TCellVAlign val);
    TBitmap* GetPicture(int ACol, int ARow);
    bool HasPicture(int ACol, int ARow) { return GetPicture(ACol, ARow) != nullptr; }
    void RemovePicture(int ACol, int ARow);
    void AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent, TStretchMode StretchMode,
                        int Padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                    TCellHAlign hal, TCellVAlign val);
    TFilePicture* GetFilePicture(int ACol, int ARow);
    void RemoveFilePicture(int ACol, int ARow);
    // The image list of the image kinds; they do nothing without one.
    void SetGridImages(TCustomImageList* Value);
    void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool GetImageIdx(int ACol, int ARow, int& idx);
    void SetImageIdx(int ACol, int ARow, int Idx);
    void RemoveImageIdx(int ACol, int ARow);
    // The image shown is the cell's number: an empty cell takes Aidx.
    void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool HasDataImage(int ACol, int ARow);
    // Also empties the cell's text.
    void RemoveDataImage(int ACol, int ARow);
    // Images side by side (Dir 0) or stacked; their index list repaints
    // the cell when it changes.
    void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
    void RemoveMultiImage(int ACol, int ARow);
    // Progress bars over the cell's number (0..100 unless given).
    void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor, TColor BKTextColor);
    void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                              TColor BKTextColor, const std::string& Fmt, int Min, int Max);
    bool HasProgress(int ACol, int ARow);
    void RemoveProgress(int ACol, int ARow);
    void AddExProgress(int ACol, int ARow, int Min, int Max);
    void RemoveExProgress(int ACol, int ARow);
    void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
    void SetProgressPie(int ACol, int ARow, int Value);
    void RemoveProgressPie(int ACol, int ARow);
    void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
    void RemoveRangeIndicator(int ACol, int ARow);
    // Comments: a mark in ControlLook's comment colour (or Color).
    void AddComment(int ACol, int ARow, const std::string& Comment);
    void AddColorComment(int ACol, int ARow, const std::string& Comment, TColor Color);
    std::string GetComment(int ACol, int ARow);
    // Adds a comment to a cell without a graphic, changes one, leaves any
    // other graphic alone.
    void SetComment(int ACol, int ARow, const std::string& Value);
    bool IsComment(int ACol, int ARow, std::string& comment);
    void RemoveComment(int ACol, int ARow);
    void RemoveAllComments();
    void AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                  TCellVAlign val);
    void SetShapeColor(int ACol, int ARow, TColor FillColor);
    TColor GetShapeColor(int ACol, int ARow);
    void RemoveShape(int ACol, int ARow);
    // A rating of Scale stars; the rating is the cell's number.
    void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
    bool HasRating(int ACol, int ARow);
    void RemoveRating(int ACol, int ARow);
    // May refuse or change the new rating a click gives (Allow starts true).
    virtual bool FireRatingChange(int ACol, int ARow, double& NewRate);
    // In-cell scroll bars (position 0, page size 0, range 100 at start;
    // with AutoRange the page is the row height and the range the text's).
    void AddScrollBar(int ACol, int ARow, bool AutoRange);
    bool HasScrollBar(int ACol, int ARow);
    bool HasAutoRangeScrollBar(int ACol, int ARow);
    void SetScrollPosition(int ACol, int ARow, int Pos);
    int GetScrollPosition(int ACol, int ARow);
    void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
    TScrollProp GetScrollProp(int ACol, int ARow);
    void RemoveScrollBar(int ACol, int ARow);
    // A marked range of the cell's text (on any graphic, or on an empty one
    // of its own).
    void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
    void GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen);
    void RemoveMarker(int ACol, int ARow);
    void RemoveAllMarkers();
    void AddButton(int ACol, int ARow, int bw, int bh, const std::string& Caption, TCellHAlign hal, TCellVAlign val);
    void AddBitButton(int ACol, int ARow, int bw, int bh, const std::string& Caption, TBitmap* Glyph,
                      TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitButton(int ACol, int ARow, int bw, int bh, const std::string& Caption, TCellHAlign hal,
                             TCellVAlign val);
    void SetButtonText(int ACol, int ARow, const std::string& Value);
    std::string GetButtonText(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool push);
    bool HasButton(int ACol, int ARow);
    void RemoveButton(int ACol, int ARow);
    void RemoveBitButton(int ACol, int ARow);
    void RemoveAllButtons();
    // A balloon hint of its own, or attached to a check box or radio button.
    void AddBalloon(int ACol, int ARow, const std::string& Title, const std::string& Text, TBalloonIcon Icon);
    bool HasBalloon(int ACol, int ARow);
    bool IsBalloon(int ACol, int ARow, std::string& Title, std::string& Text, TBalloonIcon& Icon);
    void RemoveBalloon(int ACol, int ARow);
    // An expand button switching the row between its height when added and
    // ExpandedHeight.
    void AddExpand(int ACol, int ARow, int ExpandedHeight);
    bool HasExpand(int ACol, int ARow);
    bool ToggleExpand(int ACol, int ARow);
    bool GetExpandState(int ACol, int ARow);
    int GetExpandHeight(int ACol, int ARow, bool Expanded);
    void RemoveExpand(int ACol, int ARow);
    // The 11 x 11 button at the top right of an expand cell (empty for other
    // cells).
    TRect ExpandButtonRect(int ACol, int ARow);
    // Rotated text; angles are kept within 0..360.
    void AddRotated(int ACol, int ARow, std::int16_t AAngle, const std::string& s);
    void SetRotated(int ACol, int ARow, std::int16_t AAngle);
    bool IsRotated(int ACol, int ARow, int& aAngle);
    void RemoveRotated(int ACol, int ARow);
    // An object that draws itself (never freed by the grid).
    void AddInterfacedCell(int ACol, int ARow, TPersistent* AObject);
    TPersistent* GetInterfacedCell(int ACol, int ARow);
    void RemoveInterfacedCell(int ACol, int ARow);
    // Where the painter last placed the cell's graphic (empty without one).
    TRect GraphicRectInCell(int ACol, int ARow);
    // ---- end of other cell graphics

    // ---- in-place editing: the editing lifecycle, the text editor, cell
    // validation and the grid's notifications (grid_render/Edit_Lifecycle.cpp,
    // Edit_Notify.cpp, Editor_Text.h)
    // Opens the editor of the current cell (ShowCellEdit: as F2 does).
    void ShowInplaceEdit();
    void ShowCellEdit();
    // Closes the open editor, writing its value back (HideCellEdit: only
    // the editor control of the current cell).
    void HideInplaceEdit();
    void HideCellEdit();
    // Ends editing after a navigation key (Tab, an arrow, Enter) of an
    // editor and moves on.
    void DoneInplaceEdit(int Key, TShiftState Shift);
    // Reports the end of an edit: OnEditingDone now, OnEditCellDone(ACol
    // real column, ARow) when the posted "GridEditDone" arrives.
    void FireEditingDone(int ACol, int ARow);
    // A click on the cell through the class library's mouse handling only
    // (opens its editor).
    void SimulateCellClick(int ACol, int ARow);
    // The editor controls placed over a cell for the kinds other than text
    // (the editor-control module answers them).
    virtual void OpenEditorControl(int ACol, int ARow);
    virtual void CloseEditorControl(int ACol, int ARow);
    // ---- editor controls on a cell (grid_render/Editor_Controls.h,
    // Edit_EditorControls.cpp)
    // The editor controls, made on first use on the grid's window.
    TGridEditorSet& Editors();
    // Writes an editor's value: through SetEditText (OnSetEditText), then
    // straight into the cell (ACol real).
    virtual void StoreEditValue(int ACol, int ARow, const std::string& Value);
    // The in-place text editor (nullptr before the first text edit).
    TExInplaceEdit* NormalEdit() const;
    // The edit text the editor of a cell starts from, and where the
    // editor's text goes (ACol displayed).
    std::string GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;
    std::string GetEditMask(int ACol, int ARow) override;
    int GetEditLimit() override;
    // The registered message "GridEditDone".
    static unsigned GridEditDoneMessage();
    // An editor, text or control, is open.
    bool EditMode() const;
    void SetEditMode(bool v);
    // Validation state.
    bool Editing() const;
    void SetEditing(bool v);
    bool LastValidation() const;
    // The grid's own modified flag (kept across a refused validation).
    bool Modified() const;
    void SetModified(bool v);
    int OldCol() const;
    int OldRow() const;
    // The balloon of a refused value: the host shows it (over the editor
    // control EditCtrl when one is in use, else over the text editor).
    virtual void ShowInvalidEntryBalloon();
    // Notifications (grid_render/Edit_Notify.cpp).
    // The balloon tooltip's text for the cell under a client point: the
    // cell's plain text (at most 2048 characters: 2045 and "..."), Title,
    // Icon, after IsBalloon and OnCellBalloon; the text the tooltip gets is
    // kept within BalloonTextMax characters whatever a handler returns, the
    // title within 100. False while balloons are off.
    static constexpr int BalloonTextMax = 4096;
    bool BalloonTipText(int X, int Y, std::string& Title, std::string& Text, int& Icon);
    // Balloons on; the cell (displayed) whose text the tooltip got last.
    bool BalloonEnabled() const;
    void SetBalloonEnabled(bool v);
    TPoint LastBalloonPos() const;
    // The focus helper around the cell being edited: the frame's window
    // rectangle for a cell rectangle (client coordinates), and its state.
    static TRect FocusWindowRect(const TRect& CellRect);
    bool FocusWindowShowing() const;
    // The grid whose focus helper shows (nullptr: none).
    static TExStringGrid* HookedGrid;
    // The text editor's caret moved (text, client position, index).
    virtual void CaretPositionHook(const std::string& /*Text*/, TPoint /*Pos*/, int /*Index*/) {}
    virtual void FormulaTextHook(bool /*IsFormula*/) {}
    // ---- end of in-place editing

    // ---- mouse: press, movement, release, double click, right button and
    // cell hints (grid_render/Mouse_Press.cpp, Mouse_Move.cpp,
    // Mouse_Release.cpp, Mouse_Hints.cpp)
    // What the pointer lies on, as the last movement found it (the next
    // press and the cursor follow it).
    enum TMouseSelectMode : std::uint8_t { msNormal, msColumn, msRow, msAll, msURL, msResize };
    TMouseSelectMode MouseSelectMode() const;
    // The cell hint for the pointer at HintInfo.CursorPos (client
    // coordinates): comment, anchor title, whole or too large cell text,
    // then OnGridHint; HintInfo's place, width, colour and window class.
    void BuildCellHint(std::string& HintStr, THintInfo& HintInfo);
    // Called with the block a select-all press is about to select (the
    // grid itself does nothing with it).
    virtual void SelectAllNotification(TGridRect& /*Rect*/) {}
    // Every press while the cell selector mode is on (nothing here).
    virtual void CellSelectorClick(int /*ACol*/, int /*ARow*/) {}
    bool CellSelectorMode() const;
    void SetCellSelectorMode(bool Value);
    // The sizing hint ("cw=<b>74</b>") while a column or row is sized with
    // HintShowSizing (nullptr before the first).
    THTMLHintWindow* SizingHintWindow() const;
    bool SizingHintShown() const;
    // The fixed column border under the pointer that a press sizes
    // (MouseActions.SizeFixedCol).
    bool OnFixedColBorder() const;
    // Milliseconds the last sort by a header click took.
    std::uint64_t SortTime = 0;

protected:
    // The window's mouse messages (the class library's handlers first run
    // from inside these, as each step says).
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    void WMLButtonDblClk(TWMMouse& Message) override;
    void WMRButtonDown(TWMMouse& Message) override;
    void WMRButtonUp(TWMMouse& Message) override;
    void CMHintShow(THintInfo& Info, std::string& HintStr) override { BuildCellHint(HintStr, Info); }
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CMMouseLeave() override;
    // The grid's character step: Escape restores an edited cell, Enter
    // advances (see AdvanceCell), typing searches incrementally while the
    // grid is sorted and not editing; then the class library's step.
    void KeyPress(TKeyChar& Key) override;
    // Editing (grid_render/Edit_Lifecycle.cpp).
    bool CanEditShow() override;
    bool SelectCell(int ACol, int ARow) override;
    TInplaceEdit* CreateEditor() override;
    void WndProc(TMessage& Message) override;
    void DoEnter() override;
    // Keys, wheel, timer and focus (grid_render/Keys_Input.cpp).
    void CharMessage(TKeyChar& Key) override;
    void KeyDownMessage(int& Key, TShiftState Shift) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    void TimerEvent(int id) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void DoExit() override;
    void TopLeftChanged() override;
    // After a wheel notch moved the grid by Delta rows (Handled starts true).
    virtual void AfterWheelMove(int /*Delta*/, bool& /*Handled*/) {}
    // Scroll bars (grid_render/Scroll_Bars.cpp).
    void ThumbTracked(bool Vertical, int Pos) override;
    void ThumbReleased(bool Vertical) override;
    // Proportional thumbs: the pages of the bars follow the pixel extent of
    // the rows and columns.
    void AdjustScrollInfo(TGridScrollInfo& Horz, TGridScrollInfo& Vert) override;
    // The dynamic press and release (grid_render/Mouse_Press.cpp,
    // Mouse_Release.cpp); a press on a sizing edge asks OnColumnSize
    // (OnRowSize) and notes the size at the press.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Loaded() override;
    // Keeps the largest counts the grid had (its destruction frees the cell
    // properties up to them).
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void CreateWnd() override;
    // A grid placed on a form follows that form's size.
    void ParentChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // A column moved (displayed indexes): its cells at the real index, the
    // hidden rows' saved cells, hidden flags, the recorded order entry and
    // the placed controls go along; then OnColumnMoved (real indexes while
    // columns are hidden), the sort column and sort index list, the current
    // column, the footer and the linked grid follow.
    void ColumnMoved(int FromIndex, int ToIndex) override;
    // A row moved: its cells (the platform moved its height), then
    // OnRowMoved and the linked grid's repeat; a row dragged onto a footer
    // kept in view goes back.
    void RowMoved(int FromIndex, int ToIndex) override;
    // Keys, mouse and selection changes move the current cell here: a new
    // row or column goes through the setters' steps.
    void SelectionMoved(const TGridRect& OldSel) override;
    void Resize() override;
    // The cells, the editing frame, the background outside the cells, the
    // sizing lines and the look border, then OnPainted.
    void Paint() override;
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    bool Loading() const { return ComponentState().Contains(csLoading); }

    // Middle-button panning and the pan glyph (grid_render/Mouse_Pan.cpp).
    void InputMessage(const TMessage& Message) override;
    void PaintOverlay(TCanvas& Canvas) override;

private:
    // The data model and the private parts (painting, input, editing and
    // the grid's own state), declared in headers only src/widgets/ includes.
    friend class TExStringGridPrivate;
    friend class TGridInputPart;
    friend class TGridPaintPart;
    friend class TGridEditPart;
    friend class TGridRowsHost;
    friend class TExInplaceEdit;
    std::unique_ptr<TGridModel> FModel;
    std::unique_ptr<TExStringGridPrivate> FParts;
};

// The grid's answer whether a cell is edited as a password (False unless the
// grid or its event says so).
bool GridIsPasswordCell(TExStringGrid* Grid, int ACol, int ARow);

// The form a control is on: the control itself when it is a form, else the
// nearest form up its parents; nullptr when there is none.
TForm* FindParentForm(TControl* AControl);
