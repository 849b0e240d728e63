#pragma once
// The grid's private parts: the state and helper steps of the painting, the
// mouse and key handling and the in-place editing, and the grid's own state
// beside them. TExStringGrid holds them through one pointer (FParts), the
// way a widget keeps its private data; each part works on the grid's public
// face (G) and the model.
//
// Only src/widgets/ includes this header: a change here rebuilds the grid's
// own files and nothing of the windows that use a grid.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_model/Model.h"

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TArrowWindow;
class THeaderDragButton;
class THTMLHintWindow;
class TFooterPanel;

// Painting: the steps of the cell painter and what the painter keeps.
class TGridPaintPart {
public:
    explicit TGridPaintPart(TExStringGrid& AGrid);
    ~TGridPaintPart();
    TExStringGrid& G;

    // ---- painting (state)
    void PaintCellText(TCellPaintRecord& P);
    void PaintCellGraphic(TCellPaintRecord& P);
    // Background picture or gradient inside a cell (text step).
    void PaintCellBackground(TCellPaintRecord& P, const TRect& R);
    void PaintEmptyArea(TCanvas& ACanvas);
    void PaintNodeGlyph(TCellPaintRecord& P, const TRect& R);
    void PaintCellButton(TCellPaintRecord& P, TRect GR, const TRect& R);
    // Progress bars, pies, range indicators, shapes and ratings.
    void PaintValueGraphic(TCellPaintRecord& P, const TRect& GR, TRect R);
    TColorTones FTones;
    TBitmap FRowIndicator;
    unsigned FVerticalTextFlag = 0;
    // Sizing lines shown: (column line, position).
    std::vector<std::pair<bool, int>> FSizingLines;
    int FOldOfficeTheme = -1;
    // The cell's own borders (real column) from the border hooks.
    void PaintCellBorders(TCanvas& ACanvas, int ACol, int ARow, TRect ARect);
    // The window border in BorderColor for the looks that have one; each
    // paint draws it over the client edges.
    void PaintLookBorder(TCanvas& ACanvas);
    // Dotted tracking lines of a column (row) being sized, kept by the grid
    // and drawn by each paint; drawing the same line again removes it.
    void DrawColSizingLine(int X);
    void DrawRowSizingLine(int Y);
    // Font and brush of a cell for measuring and editing (ACol decides
    // whether the cell is fixed, RCol is the real column).
    void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont, TBrush* ABrush,
                           bool Remap);
    // The vertical text-drawing flag VAlignment stands for (0, 4, 8).
    unsigned VerticalTextFlag() const;
    // The sort glyph centred at (X, Y) of a header cell.
    void DrawSortIndicator(TCanvas& ACanvas, int ACol, int Y, int X);
    // The origin in Rect from which Text rotated by Angle degrees is drawn
    // (measured with the grid canvas's font).
    void DrawRotatedText(TRect& Rect, int Angle, TVAlignment VAlign, TAlignment HAlign, const std::string& Text);
    // A header cell of the sort row while sort indicators are shown.
    bool IsSortIndicatorCell(int ACol, int ARow);
    // A rich-text cell: drawn as its plain text (no rich-text control here).
    void DrawCellRichText(int ACol, int ARow, const TRect& R, TCanvas& ACanvas);
    // The cell's graphic with its painting size and placement (real column).
    TCellGraphic* GetCellGraphicInfo(int ACol, int ARow, TCellVAlign& VAlign, TCellHAlign& HAlign, bool& TextAllowed,
                                     int& Height, int& Width);
    // Check-box and radio-group renderers (also for printing).
    void DrawCheck(TCanvas& ACanvas, const TRect& R, bool Checked, TCheckBoxState State, bool UseState,
                   TControlStyle Style, bool Grayed, bool Enabled);
    void DrawRadioGroup(TCanvas& ACanvas, const TRect& R, bool Reverse, double Scale, TControlStyle Style, int ARow,
                        int ACol, bool Selected, const TStringList* Items, bool Disabled, bool Across,
                        int SelectedIndex, int Count);
    // The text measure behind GetCellTextSize (DisplCol: the displayed
    // column of real column ACol).
    void MeasureCellText(int ACol, int DisplCol, TSize& Size, bool VS, bool SB, int ARow);
};

// Mouse and key handling: press, movement, release, hints, sizing, moves,
// panning and the Enter advance.
class TGridInputPart {
public:
    explicit TGridInputPart(TExStringGrid& AGrid);
    ~TGridInputPart();
    TExStringGrid& G;

    int Movecell = -1;
    bool FMouseDownMove = false;
    bool FDropDownDown = false;
    bool FMouseDown = false;
    TPoint FHoverButton{-1, -1};
    TPoint FHoverCell{-1, -1};
    int FHoverlink = -1;
    bool FGridBlink = false;
    bool FCtrlDown = false;
    // The hover-highlighted fixed cell (-1: none).
    int FHoverFixedX = -1;
    int FHoverFixedY = -1;
    // Steps of the press, the movement and the release.
    bool PressAnchorOrControl(int C, int R, int C0, int R0, int RC, int X, int Y, const TRect& CellR);
    void PressSelectionResizer(TWMMouse& Message, const TGridRect& OldSel, bool ByMode);
    void ToggleNodeAt(int R, int C, TShiftState Shift, int X, int Y);
    void NoteSizingPress();
    void OpenAnchor(const std::string& Anchor);
    bool MouseOnResizer(int X, int Y);
    void MoveFeedback(int C, int R, int X, int Y);
    // The windows of the move feedback, made at the first move.
    void EnsureMoveWindows();
    void HideMoveArrows();
    void ShowSizingHint(int X, int Y);
    void HideSizingHint();
    void LinksUnderMouse(int X, int Y, bool& Handled);
    void SortOnRelease(int C, int R, int RC, int X, int Y, bool Moved, TShiftState Keys);
    void EndEnhancedMove(int C, int R, bool& Moved);
    bool FloatingFooterOnLastRow() const;
    // The rectangle the mini-HTML hit test of a cell's text uses and the
    // scroll offset inside it.
    TRect HTMLHitRect(int C, int R, int RC, int& Pos);
    // Runs the mini-HTML hit test of the cell's text at X, Y in the cell's own
    // font and look; Args gets the anchor, title and inline control hit.
    void HTMLHitTest(int C, int R, int RC, int X, int Y, const std::string& Text, THTMLDrawArgs& Args);
    bool FDoOnClick = false;
    bool FMouseKeepDown = false;
    bool FDeselectState = false;
    bool FSelectionClick = false;
    bool FMouseResize = false;
    TGridRect FDropSelection{};
    bool FSpinUpClick = false;
    bool FSpinDnClick = false;
    TPoint FPushedCellButton{-1, -1};
    bool FFixedCellPushed = false;
    TRect FPushedFixedCell{};
    bool FSizingFixed = false;
    bool FSizingFixedR = false;
    int FSizingFixedCol = -1;
    int FSizingFixedRow = -1;
    int FSizeFixedX = 0;
    int FSizeFixedY = 0;
    bool FSizeFixed = false;
    bool FSizeFixedR = false;
    int Colclicked = -1;
    int Rowclicked = -1;
    int Colclickedsize = 0;
    int Rowclickedsize = 0;
    int Clickposx = 0;
    int Clickposy = 0;
    int Clickposdx = 0;
    int Clickposdy = 0;
    int MoveOfsX = 0;
    int MoveOfsY = 0;
    int FMoveColInd = -1;
    int FMoveRowInd = -1;
    // The floating caption of a moved column or row and the arrows at its
    // drop place (up, down, left, right), made at the first move.
    std::unique_ptr<THeaderDragButton> FMoveButton;
    std::unique_ptr<TArrowWindow> FArwU, FArwD, FArwL, FArwR;
    int FMouseSelectStart = -1;
    TExStringGrid::TMouseSelectMode FMouseSelectMode = TExStringGrid::msNormal;
    std::string FAnchor;
    int FOldKeepLeftCol = -1;
    bool FCellSelectorMode = false;
    bool FNoMouseLeave = false;
    bool FEditStart = false;
    TPoint FHotFixedCell{-1, -1};
    TPoint FLastHintPos{-1, -1};
    std::string FLastAnchorHint;
    TGridRect FSizeSelection{};
    // The selection when the button went down.
    TGridRect FPressSelection{};
    TGridRect FMoveSelection{};
    bool ColMoveFlg = false;
    bool ColSizeFlg = false;
    bool FDblClk = false;
    bool Invokedchange = false;
    std::unique_ptr<THTMLHintWindow> FScrollHintWnd;
    bool FScrollHintShow = false;
    int FClickCol = -1;
    int FClickRow = -1;
    int FClickColSize = -1;
    int FClickRowSize = -1;
    bool FColSized = false;
    bool FRowSized = false;
    // ---- Enter advance (state)
    // The cell the current advance started from (kept while it steps past
    // cells that may not be edited).
    int FAdvanceStartCol = -1;
    int FAdvanceStartRow = -1;
    bool FAdvanceChangesDisabled = false;
    std::string FSearchText;
    void StartWheelPan(TPoint At);
    void StopWheelPan();
    void WheelPanTick();
    static constexpr int WheelPanTimerID = 999;
    bool FWheelPan = false;
    TPoint FWheelPanPos{};
    TPoint FWheelPanPointer{};  // the pointer while panning (the window has the mouse)
    TCursor FWheelPanCursor = crDefault;
    // The mouse messages of the grid's window (the class library's handlers
    // first run from inside these, as each step says).
    void HandleLButtonDownMessage(TWMMouse& Message);
    void HandleLButtonUpMessage(TWMMouse& Message);
    void HandleLButtonDblClkMessage(TWMMouse& Message);
    void HandleRButtonDownMessage(TWMMouse& Message);
    void HandleRButtonUpMessage(TWMMouse& Message);
    // A click on a radio group (real column RealCol) at (DX, DY) from the
    // cell's top-left corner picks the item under it (nothing between or
    // past the items) and fires OnRadioClick.
    void RadioGroupClick(int RealCol, int ARow, int DX, int DY);
    // The scroll hint's text for a thumb at Pos, and whether the bar shows
    // hints.
    std::string ScrollHintText(bool Vertical, int Pos);
    bool ScrollHintsFor(bool Vertical) const;
    // ---- Tab movement and row append (Keys_Tab.cpp)
    // Tab (Shift+Tab: Backward) from the current cell to the next (previous)
    // cell that takes the Tab, wrapping, appending a row with AdvanceInsert
    // or leaving the grid with TabToNextAtEnd (then False).
    bool AdvanceOnTab(bool Backward);
    // Appends one empty data row after OnCanAddRow agrees.
    void AutoAppendRow();
    bool IsLastDataRow() const;
    // With goEditing: the cell may be edited; without: it is not fixed;
    // then OnSelectCell (ACol displayed).
    bool CanTabToCell(int ACol, int ARow);
    // The first / last column of the row that takes the Tab, -1 when none.
    int FirstTabCol(int ARow);
    int LastTabCol(int ARow);
    // The first column the navigation stops in (FixedCols, or 1 for a grid
    // with node rows and no fixed column) and the right fixed columns that
    // are not hidden.
    int FirstNavigableCol() const;
    int VisibleFixedRightCols() const;
    // A fixed cell that shows hover highlighting (HoverFixedCells).
    bool IsHoverFixedCell(int ACol, int ARow) const;
    // Timer ticks since the last key of the incremental search (its text
    // is cleared on the fourth).
    int IncrementalSearchTicks = 0;
    void ClearIncrementalSearch() { FSearchText.clear(); }
};

// In-place editing: the editing lifecycle's state, the editor controls and
// the combo items.
class TGridEditPart {
public:
    explicit TGridEditPart(TExStringGrid& AGrid);
    ~TGridEditPart();
    TExStringGrid& G;

    std::unique_ptr<TCellControlEditors, void (*)(TCellControlEditors*)> FCellControlEditors{
        nullptr, &DeleteCellControlEditors};
    std::string FCellCache;          // the cell's text when the edit began
    std::string FNewCellText;        // the value the last validation left
    bool LButFlg = false;            // the editor was opened by a left click
    TKeyChar FStartEditChar = 0;     // the character that opened the editor
    bool FSpecialEditor = false;     // an editor control is being opened
    bool FEditActive = false;        // an editor control is active
    bool FBlockKill = false;         // the grid ignores its loss of focus
    bool FBlockFocus = false;        // the grid's enter handling is off
    bool FEntered = false;           // an editor was opened
    bool FForceSel = false;          // a programmatic selection runs
    double FOriginalDateTime = 0;    // the date-time editor's start value
    TObject* EditCtrl = nullptr;     // the editor control in use
    // Set while the grid itself sets the editor's text (no OnEditChange).
    bool FNoEditChange = false;
    TStringList FComboItems;
    std::vector<TObject*> FComboObjects;
    int FComboIndex = -1;
    std::unique_ptr<TGridEditorSet, void (*)(TGridEditorSet*)> FEditorSet{nullptr, &DeleteGridEditorSet};
    // The cell's old value is remembered when it stores the plain text the
    // editor was opened with (an unchanged edit keeps mark-up).
    std::string UnchangedEditValue(int RealCol, int ARow, const std::string& Value) const;
    // The cell (real column, row) of the inline control pressed or being
    // edited, and the open inline control editor's control ID and type (see
    // TExStringGrid::CtrlEditing).
    TPoint FCtrlXY{-1, -1};
    bool FCtrlEditing = false;
    std::string FCtrlID;
    std::string FCtrlType;
    bool FEditMode = false;          // an editor, text or control, is open
    bool FModified = false;          // the grid's own modified flag
    bool FBalloonEnabled = false;
    TPoint FLastBalloonPos{-1, -1};  // the cell the tooltip's text came from
    bool FEditing = false;
    bool FValidating = false;
    bool FLastValidation = true;
    bool FGridModified = false;
    bool FShowEditProcess = false;
    bool FOldModifiedValue = false;
    std::string FEditText;
    int FOldCol = -1;
    int FOldRow = -1;
    std::string FOldCellText;
    WideString FOldCellTextWide;
    // The cell (real column, row), its stored text and the plain text an
    // editor was last filled with.
    int FEditOpenCol = -1;
    int FEditOpenRow = -1;
    std::string FEditOpenRaw;
    std::string FEditOpenPlain;
    std::shared_ptr<void> FFocusFrame; // the focus helper's window
    TPoint FClickPos{-1, -1};          // where the last left press was
    // Enter in an editor control moves on (with AdvanceOnEnter).
    void AdvanceAfterEdit();
    int FRowUpdateLast = -1;           // the row OnRowUpdate reported last
    bool FSelChange = false;           // the selection changed since the last exit
    TPoint FLastKeyCell{-1, -1};       // the current cell before the navigation
    int FTimerTicks = 0;
    static constexpr int GridTimerID = 111;
    // The editor kind of a cell (the base cell of a merged area):
    // DefaultEditor, then the editor questions; it becomes EditControl.
    TEditorType ChooseCellEditor(int ACol, int ARow);
    // The kind of the in-place editor in use (TExStringGrid::CurrentEditor).
    void SetCurrentEditor(TEditorType Value);
    // Whether Tab ends and validates an edit: goTabs, or a validation
    // handler assigned.
    bool TabCommitsEdit() const;
    // The text of the open editor changed (its change notification, after
    // the editor's own change handling): the text reaches the cell at once
    // through the edit-text path.
    void EditControlChanged();
    // The focus helper's frame around the cell being edited.
    void ShowFocusWindow(const TRect& ARect);
    void MoveFocusWindow();
    void HideFocusWindow();
    // The inline control editors: the exit handler of both writes the
    // editor's value into the control's tag in the cell text and fires
    // OnControlEditDone (once); the inline combo's choice (the cell changes
    // when the combo is left).
    void FinishCellControlEdit(TObject* Sender);
    void ControlComboSelect(TObject* Sender);
    // A date picker placed on the grid changed its date (0 when cleared).
    void DateTimeChanged(double ADateTime);
};

// The grid's own state beside the parts: settings objects, the grid shape,
// cell access, moves, node rows, grouping and sizing.
class TExStringGridPrivate {
public:
    explicit TExStringGridPrivate(TExStringGrid& AGrid);
    ~TExStringGridPrivate();
    TExStringGrid& G;
    TGridPaintPart Paint;
    TGridInputPart Input;
    TGridEditPart Edit;

    void SetupSettings();
    // Resize handler of the owning form: follows the form's size with
    // SizeWithForm and stretches the stretch column again.
    void OwnerFormResize(TObject* Sender);
    // Remembers the current row and column counts when larger.
    void NoteCounts();
    // ColumnSize.SynchWithGrid: after a size change every column with an
    // initial width takes it scaled by the grid's new width over the width
    // at InitOrigColSizes (only the normal columns with
    // SynchNormalCellsOnly).
    void SynchColumnWidths();
    // The object slot of column ACol at real row ARow (a hidden row's saved
    // object included).
    TObject* GetRealRowObject(int ACol, int ARow) const;
    // Saved cells of hidden real row ARow; nullptr when it is not hidden.
    const THiddenRowItem* GetHiddenRowItems(int ARow) const;
    // Type tests on the base cell of a merged area; False for negative
    // indices.
    bool HasCellGraphicType(int ACol, int ARow, std::initializer_list<TCellType> Types);
    // The class library's single border and the system scroll bars'
    // breadth (counted by the integral height).
    bool SingleBorder = true;
    static constexpr int SystemHScrollHeight = 17;
    static constexpr int SystemVScrollWidth = 17;
    void ConnectSettings();
    // Handlers of the search bar.
    void SearchFooterClose();
    void SearchFooterHighlight();
    // owned settings objects
    std::unique_ptr<TSearchPanel> FSearchPanel;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TSyncGrid> FSyncGrid;
    std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
    std::unique_ptr<TTimer> FDragScrollTimer;
    TDragScrollDir FDragScrollDir;
    void DragScrollTick();
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TFocusHelper> FFocusHelper;
    std::unique_ptr<TGrouping> FGrouping;
    std::unique_ptr<TShowModified> FShowModified;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TCellNode> FCellNode;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    std::unique_ptr<TCellGraphic> FRowCheckBox;
    std::unique_ptr<TSortSettings> FSortSettings;
    std::unique_ptr<TPrintSettings> FPrintSettings;
    std::unique_ptr<THTMLSettings> FHTMLSettings;
    std::unique_ptr<TFilter> FFilter;
    std::unique_ptr<TFilterDropDown> FFilterDropDown;
    std::unique_ptr<TDropList> FFilterDropList;
    std::unique_ptr<TDropCheckList> FFilterDropCheckList;
    bool FFilterActive = false;
    int FFilterFixedRows = 0;
    int FFilterDropColumn = -1;
    TStringList FColumnHeaders;
    TStringList FRowHeaders;
    TStringList FLookupItems;
    TStringList FFilterList;
    TFont FFixedFont;
    TFont FActiveCellFont;
    TFont FScratchFont;
    TIntList FOrigColSizes{0, 0};
    TControlList FControlList;
    std::vector<TGridChangeNotifier*> FNotifiers;
    // objects whose classes are not built yet (never created here)
    TControlLook* FControlLook = nullptr;
    TBackGround* FBackGround = nullptr;
    TGridProgressAppearance* FProgressAppearance = nullptr;
    TColor FNUVGradientStates[10] = {0xFFFFFF, 0x808080, clNone, clNone, 0xC0C0C0,
                                     0xC0C0C0, 0x808080, clNone, clNone, 0x808080};
    int FSelectionColorMixerFactor = 50;
    TFloatingFooter* FFloatingFooter = nullptr;
    std::unique_ptr<TFooterPanel> FFooterPanel;
    TCustomImageList* FGridImages = nullptr;
    TPictureContainer* FPictureContainer = nullptr;
    std::shared_ptr<THTMLPictureCache> FPictureCache;
    // form following
    IGridOwnerForm* FOwnerForm = nullptr;
    TComponent* FOwnerFormComponent = nullptr;
    int FOwnerFormKey = -1;
    int PrevSizeX = 0;
    int PrevSizeY = 0;
    TGridLook FLook = glXP;
    TColor FBorderColor = 0x808080;
    TColor FNUVGradientFrom = clWhite;
    TColor FNUVGradientTo = clNone;
    TColor FNUVGradientMirrorFrom = clNone;
    TColor FNUVGradientMirrorTo = clNone;
    bool FIsWinXP = false;
    bool FIsWin7 = false;
    bool FIsComCtl6 = false;
    bool FIsWinVista = false;
    bool FEditDisable = false;
    bool FEditChange = false;
    bool FLoaded = false;
    bool FDestroyingGrid = false;
    int FFixedRowsMin = 1;
    int FFixedColsMin = 1;
    int FMinRowHeight = 22;
    int FMinColWidth = 10;
    int FMaxRowCount = 0;
    int FMaxColCount = 0;
    int FOldLeftCol = -1;
    int FOldTopRow = -1;
    TCursor FOldCursor = 0;
    TCursor FCursor = crDefault;
    int FWheelScrollLines = 3;
    // Row moves of the cell store over every real column (hidden ones
    // included): texts, object slots and heights.
    void InsertRowsCore(int RowIndex, int RCount, bool UpdateCellControls);
    void DeleteRowsCore(int ARow, int ACount, bool Renumber);
    void MoveRowData(int From, int To, bool Height);
    // After a row removal left the old current row behind: the last normal
    // row becomes current, or the selection leaves the grid.
    void RowsGoneMoveCurrent(int LastNormal, int FixedRowsBefore);
    void EmptyRowData(int ARow);
    bool IsShowing() const;
    void InvalidateGridRow(int ARow);
    void MoveCellControls(int FromRealRow, int Delta);
    void InvalidateGridCol(int ACol);
    // Frees a property object taken out of the cell store (and its graphic
    // unless shared).
    static void FreeDetachedProperties(TObject* Obj);
    bool FRedrawOff = false;
    bool FSelectionChanged = false;
    bool FKeepObjects = false;
    bool FNoChangeNotify = false;
    int FFixedRowHeight = 21;
    // ---- cell access (state)
    // The steps after the current row (column) was set.
    void CurrentRowSet();
    void CurrentColSet();
    int FLastRow = -1;
    int FLastCol = -1;
    bool FInCurrentSetter = false;
    bool FSyncingLinked = false;
    // This grid repeats a move of its linked grid.
    bool FSyncedMove = false;
    int FCellControlCount = 0;
    TEditorType FCurrentEditor = edNormal;
    bool FUseHTMLHints = false;
    TColor FArrowColor = 0x00FF00;
    TExStringGridCheck* FCellChecker = nullptr;
    IGridColorPicker* FColorPicker = nullptr;
    IGridImagePicker* FImagePicker = nullptr;
    void SplitAllColumnCells();
    void RemergeColumns();
    // ---- sorting (state; grid_io/ExStringGrid_Sort.cpp)
    // What every sort keeps and restores around its passes.
    class SortScope;
    // Sorts the child rows of each expanded node of the deepest node level
    // by the sort column, or by the key list.
    void SortGroups(bool Indexed);
    // ---- finding (state; grid_io/ExStringGrid_Find.cpp)
    // The engine: the match after StartCell ((-1, -1): from the range's
    // first cell) or (-1, -1); Wide compares the cells' wide texts.
    TPoint FindCell(TPoint StartCell, const std::string& Text, TFindParams FindParams, bool Wide);
    bool FindMatchCell(int ACol, int ARow, bool Wide);
    // fnAutoGoto: the found cell becomes the current one.
    void GotoFound(TPoint Cell);
    TFindParams FFindParams;
    // The search text as compared (upper-cased unless the case matters).
    std::string FFindText;
    std::string FFindTextWide;
    // The last match, where FindNext and the search bar go on from.
    TPoint FSearchCell{-1, -1};
    bool FFindBusy = false;
    bool FStretching = false;
    bool FStretchAllowed = true;
    std::array<int, 512> FPrintColWidths{};
    std::array<int, 512> FPrintColOffsets{};
    ITExStringGridSelect* FSelListener = nullptr;
    int FOrigGridWidth = 0;
    // ---- moves (state)
    // Exchanges all stored cells of two rows and fixes the cell property
    // objects' own coordinates.
    void ExchangeRows(int ARow1, int ARow2);
    // Tells the cell property objects of a block their new place after
    // cells moved.
    void RenumberCellProperties(int ACol1, int ARow1, int ACol2, int ARow2);
    TGridRect FOldSelection;
    bool FSelHidden = false;
    // ---- cell controls (state)
    // The node graphic of displayed row d, or nullptr.
    TCellGraphic* NodeGraphic(int d) const;
    void ExpandOneNode(int ARow);
    void ChangeNodeLevels(int d, int span, int delta);
    // The graphic and property object of (ACol, ARow) by the rules of the
    // check-box reads: ARow displayed while no row is hidden, else real.
    TCellGraphic* CheckBoxGraphic(int ACol, int ARow, bool& ByRealRow);
    void RepaintRealRowCell(int ACol, int ARow);
    TCellGraphic* NewCheckGraphic(int ACol, int ARow);
    void SyncGroupCheckBoxes(int ACol, int ARow, bool NodeRow, int NodeSpan, bool NodeContracted, int Parent,
                             bool NewState);
    // ---- calculations (state)
    // The group form of ColumnCustomCalc, answered by OnGroupCalc.
    double GroupCustomCalcValue(int ACol, int FromRow, int ToRow);
    // Whether row r of a column calculation counts (Real: r is a real row).
    bool CalcRowCounts(int ACol, int r, bool Real);
    // Applies the default range; answers whether ToRow lies beyond the
    // displayed rows (real rows are meant then).
    bool CalcRange(int& FromRow, int& ToRow) const;
    // ---- grouping (state)
    // Gives a header or summary row its row colours (each unless clNone;
    // Rgb converts system colours first).
    void SetGroupRowColors(int ARow, TColor Color, TColor ColorTo, TColor TextColor, bool Rgb);
    void SetGroupCellColors(int ACol, int ARow, TColor Color, TColor ColorTo, TColor TextColor, bool Rgb);
    // Inserts a summary row at displayed row ARow (closing the group above).
    void InsertSummaryRow(int ARow);
    // ---- automatic sizing (state)
    // The canvas font of a cell as sizing measures it (the fixed or the
    // grid font, the cell's own colours and font; with Zoom the zoom step).
    void SetMeasureFont(int ACol, int DisplCol, int ARow, bool Zoom);
};
