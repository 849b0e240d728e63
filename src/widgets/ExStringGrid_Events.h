#pragma once
// The events of the string grid TExStringGrid (widgets/ExStringGrid.h): the
// handlers an application assigns. The grid inherits them and calls each
// one that is assigned.

#include "widgets/ExStringGridTypes.h"

struct TExStringGridEvents {
    // --- scroll hints
    // The text of the scroll hint for the row (column) a dragged thumb
    // points at: "Row : " or "Col : " and its number.
    std::function<void(TObject* Sender, int ARow, std::string& HintStr)> OnScrollHint;

    // --- filtering
    std::function<void(TObject* Sender, int ARow, bool& AcceptRow)> OnCustomFilter;
    std::function<void(TObject* Sender, std::int16_t Progress)> OnFilterProgress;

    // --- cells, editors, rows, files and clicks
    TCanEditCellEvent OnCanEditCell;
    TGridHintEvent OnGridHint;
    TGridWideHintEvent OnGridWideHint;
    TGridColorEvent OnGetCellColor;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TGetEditorTypeEvent OnGetEditorType;
    TIsFixedCellEvent OnIsFixedCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    TWordWrapEvent OnGetWordWrap;
    THasComboEvent OnHasComboBox;
    THasSpinEditEvent OnHasSpinEdit;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;
    TGetColumnFilterEvent OnGetColumnFilter;
    TCellCursorEvent OnGetCellCursor;
    TSearchFooterActionEvent OnSearchFooterAction;
    TGridNotifyEvent OnSearchFooterClose;
    TGridNotifyEvent OnCreatedSearchFooter;
    // The floating footer: a column's cell painted by the application, a
    // custom footer calculation, the strip's window made.
    std::function<void(TObject* Sender, int ACol, TCanvas& Canvas, const TRect& R)> OnFooterPaint;
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)> OnFooterCalc;
    TGridNotifyEvent OnCreatedFloatingFooter;
    TButtonClickEvent OnButtonClick;
    TExpandClickEvent OnExpandClick;
    TClickCellEvent OnComboCloseUp;
    TClickCellEvent OnComboDropDown;
    TClickCellEvent OnDatePickerCloseUp;
    TClickCellEvent OnDatePickerDropDown;
    TDateTimeChangeEvent OnDateTimeChange;
    TEditChangeEvent OnEditChange;
    TCellsChangedEvent OnCellsChanged;
    TCheckBoxClickEvent OnCheckBoxClick;
    TGetEditorPropEvent OnGetEditorProp;
    TGetEditorPropIntEvent OnGetEditorPropInt;
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    TCanAddRowEvent OnCanAddRow;
    TCanInsertRowEvent OnCanInsertRow;
    TAutoDeleteRowEvent OnAutoDeleteRow;
    // A keyboard insertion (the index inserted at) and whether a keyboard
    // deletion of a row (real index) may happen.
    std::function<void(TObject* Sender, int ARow)> OnAutoInsertRow;
    std::function<void(TObject* Sender, int ARow, bool& CanDelete)> OnCanDeleteRow;
    // Space moved a radio group to item AIdx / checked a radio button.
    std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)> OnRadioClick;
    TSaveCellEvent OnSaveCell;
    TLoadCellEvent OnLoadCell;
    TClickSortEvent OnClickSort;
    TGridNotifyEvent OnFilterDone;
    TGridNotifyEvent OnPrintGetPageNum;
    // Before a fixed-cell editor opens: the handler may choose its kind and
    // fill its values.
    std::function<void(TObject* Sender, int ACol, int ARow, TGridFixedCellEditor& AEditor, TStringList* Values)>
        OnFixedEdit;
    std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)> OnSelectionChanged;
    TClickCellEvent OnClickCell;
    TClickCellEvent OnDblClickCell;
    TButtonClickEvent OnEditCellDone;
    TGridNotifyEvent OnEditingDone;
    TRowUpdateEvent OnRowUpdate;

    // --- painting
    // Whether the fixed cell of a column shows a drop-down button
    // (OnCanShowFixedDropDown; true when not assigned).
    std::function<void(TObject* Sender, int ACol, bool& Allow)> OnCanShowFixedDropDown;
    using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow,
                                                    TGridDrawState AState, const TRect& ARect, bool Printing)>;
    TCustomCellDrawEvent OnCustomCellBkgDraw;
    TCustomCellDrawEvent OnCustomCellDraw;
    TGridNotifyEvent OnPainted;
    std::function<void(TObject* Sender, int ARow, int ACol, TPen* LeftPen, TPen* TopPen, TPen* RightPen,
                       TPen* BottomPen)>
        OnGetCellBorderProp;
    std::function<void(TObject* Sender, int ARow, int ACol, TColor& Color, TColor& ColorTo, TColor& ColorMirror,
                       TColor& ColorMirrorTo, TCellGradientDirection& GD)>
        OnGetCellGradient;
    // Number format of a numeric cell (IsFloat starts true, FloatFormat as
    // the grid's FloatFormat).
    std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, std::string& FloatFormat)> OnGetFloatFormat;

    // --- current cell, size and drag scrolling
    TRowChangedEvent OnRowChanged;
    // After every change of the grid's size.
    TGridNotifyEvent OnGridResize;
    TDragScrollEvent OnDragScroll;

    // --- row selection
    std::function<void(TObject* Sender, int ARow, bool Value, bool& Allow)> OnRowDisjunctSelect;
    std::function<void(TObject* Sender, int ARow)> OnRowDisjunctSelected;

    // --- user sizing
    std::function<void(TObject* Sender, int ACol)> OnEndColumnSize;
    std::function<void(TObject* Sender, int ARow)> OnEndRowSize;
    // Asked when the mouse presses a column (row) border to size it; a False
    // answer leaves the size alone.
    std::function<void(TObject* Sender, int ACol, bool& Allow)> OnColumnSize;
    std::function<void(TObject* Sender, int ARow, bool& Allow)> OnRowSize;

    // --- colour and image pickers
    // The colour and image pickers' choice for the current cell (fired
    // when a picker closes with a choice; nothing without a picker).
    TColorSelectEvent OnColorSelect;
    TImageSelectEvent OnImageSelect;

    // --- check boxes
    TCheckBoxClickEvent OnCheckBoxChange;

    // --- Enter advance
    // A row appended by the advance (its index), a column appended by it.
    std::function<void(TObject* Sender, int ARow)> OnAutoAddRow;
    std::function<void(TObject* Sender, int ACol)> OnAutoInsertCol;
    // The advance is about to move from (OldCol, OldRow) to (NewCol,
    // NewRow): the handler may change the target or refuse.
    std::function<void(TObject* Sender, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow)>
        OnAutoAdvance;
    std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>
        OnCellChanging;

    // --- inline control editors
    std::function<void(TObject* Sender, int ARow, int ACol, const std::string& CtrlID, const std::string& CtrlType,
                       const std::string& CtrlVal, TStrings& Values, bool& Edit, int& DropCount)>
        OnControlComboList;
    std::function<void(TObject* Sender, int ARow, int ACol, int ItemIndex, const std::string& CtrlID,
                       const std::string& CtrlValue)>
        OnControlComboSelect;
    std::function<void(TObject* Sender, int ARow, int ACol, const std::string& CtrlID, const std::string& CtrlType,
                       const std::string& CtrlVal)>
        OnControlEditDone;

    // --- calculations
    // A value the application computes (Res starts at 0).
    using TGroupCalcEvent = std::function<void(TObject* Sender, int ACol, int FromRow, int ToRow, double& Res)>;
    TGroupCalcEvent OnColumnCalc;
    TGroupCalcEvent OnGroupCalc;

    // --- sorting
    // The sort styles whose comparison the application makes.
    std::function<void(TObject* Sender, const std::string& str1, const std::string& str2, int& Res)>
        OnCustomCompare;
    std::function<void(TObject* Sender, int ACol, int Row1, int Row2, int& Res)> OnRawCompare;

    // --- cell graphics
    std::function<void(TObject* Sender, int ACol, int ARow, double& NewRate, bool& Allow)> OnRatingChange;

    // --- editor controls
    // Events of the editor controls (ACol as each event's Part gives it).
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const std::string& ASelection)>
        OnComboChange;
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const std::string& ASelection,
                       TObject* AObject)>
        OnComboObjectChange;
    std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)> OnSpinClick;
    std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)> OnFloatSpinClick;
    std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)> OnDateSpinClick;
    std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)> OnTimeSpinClick;
    std::function<void(TObject* Sender, int ACol, int ARow, const std::string& NewUnit)> OnUnitChanged;

    // --- editing and the clipboard
    // Events of editing.
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Valid)> OnCellValidate;
    std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value, bool& Valid)> OnCellValidateWide;
    std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)> OnRowChanging;
    std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)> OnColChanging;
    std::function<void(TObject* Sender, bool& Allow)> OnClipboardCopy;
    std::function<void(TObject* Sender, bool& Allow)> OnClipboardCut;
    std::function<void(TObject* Sender, bool& Allow)> OnClipboardPaste;
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Allow)>
        OnClipboardBeforePasteCell;
    std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)> OnClipboardAfterPasteCell;
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& S)> OnEllipsClick;
    TGridNotifyEvent OnStartBlockFocus;
    TGridNotifyEvent OnEndBlockFocus;

    // --- balloons
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& ATitle, std::string& AText, int& AIcon)>
        OnCellBalloon;

    // --- mouse
    std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)> OnCanClickCell;
    std::function<void(TObject* Sender, int ARow, int ARowReal)> OnExpandNode;
    std::function<void(TObject* Sender, int ARow, int ARowReal)> OnContractNode;
    std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)> OnBeforeExpandNode;
    std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)> OnBeforeContractNode;
    std::function<void(TObject* Sender, int ACol, int ARow)> OnRadioButtonClick;
    std::function<void(TObject* Sender, int ARow, int ACol, const std::string& Anchor, bool& AutoHandle)>
        OnAnchorClick;
    std::function<void(TObject* Sender, int ARow, int ACol, const std::string& CtrlID, const std::string& CtrlType,
                       const std::string& CtrlVal)>
        OnControlClick;
    std::function<void(TObject* Sender, int ARow, int ACol, std::string& Anchor)> OnAnchorHint;
    std::function<void(TObject* Sender, int ARow, int ACol, const std::string& Anchor)> OnAnchorEnter;
    std::function<void(TObject* Sender, int ARow, int ACol, const std::string& Anchor)> OnAnchorExit;
    std::function<void(TObject* Sender, int ACol, int ColumnSize)> OnColumnSizing;
    std::function<void(TObject* Sender, int ARow, int RowSize)> OnRowSizing;
    std::function<void(TObject* Sender, int ACol, bool& Allow)> OnColumnMove;
    std::function<void(TObject* Sender, int ARow, bool& Allow)> OnRowMove;
    std::function<void(TObject* Sender, int ACol, bool& Allow)> OnColumnMoving;
    std::function<void(TObject* Sender, int ARow, bool& Allow)> OnRowMoving;
    std::function<void(TObject* Sender, const TGridRect& OrigSelection, const TGridRect& NewSelection)>
        OnSelectionResize;
    std::function<void(TObject* Sender, const TGridRect& OrigSelection, const TGridRect& NewSelection)>
        OnSelectionResized;
    std::function<void(TObject* Sender, int ACol, int ARow, bool State)> OnCheckBoxMouseUp;
    std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)> OnRadioMouseUp;
    std::function<void(TObject* Sender, int ACol, bool& DoSort)> OnCanSort;
    TClickCellEvent OnRightClickCell;
};
