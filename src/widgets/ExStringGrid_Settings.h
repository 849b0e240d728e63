#pragma once
// The plain published settings of the string grid TExStringGrid
// (widgets/ExStringGrid.h): values the grid reads where it paints, edits,
// sizes, finds and writes files, with no side effect on writing. The grid
// inherits them, so they are set as grid.HighlightColor = ...; a setting
// whose change has to repaint or resize has its setter on the grid
// (SetSelectionColor, SetAutoSize, SetScrollProportional, ...).

#include "widgets/ExStringGridTypes.h"

struct TExStringGridSettings {
    // --- look, hints, editing, scrolling, selection, links and files
    TColor HighlightColor = clHighlight;
    TColor HighlightTextColor = clHighlightText;
    TColor HintColor = clInfoBk;
    bool HintShowCells = false;
    bool HintShowLargeText = false;
    THintPos HintShowLargeTextPos = hpCell;
    bool HintShowSizing = false;
    bool HTMLHint = false;
    bool OemConvert = false;
    bool AnchorHint = false;
    bool ActiveCellShow = false;
    TColor ActiveCellColor = clGray;
    TColor ActiveCellColorTo = clNone;
    bool AutoNumAlign = false;
    bool AutoSize = false;
    bool AutoThemeAdapt = false;
    bool AutoFilterUpdate = true;
    TAlignment DefaultAlignment = TAlignment::taLeftJustify;
    TEditorType DefaultEditor = edNormal;
    TColor DisabledFontColor = clSilver;
    bool EditWithTags = false;
    bool EnableBlink = false;
    bool EnableHTML = true;
    bool EnableWheel = true;
    bool EnhTextSize = false;
    bool EnhRowColMove = true;
    bool ExcelStyleDecimalSeparator = false;
    bool FilterDropDownAuto = false;
    bool FilterDropDownCheck = false;
    TFilterDropDownColumns FilterDropDownColumns = fdNormal;
    int FilterDropDownRow = 0;
    bool FilterNormalCellsOnly = true;
    bool FilterIncremental = false;
    bool FixedAsButtons = false;
    int FixedFooters = 0;
    int FixedRightCols = 0;
    bool FixedRowAlways = false;
    bool FixedColAlways = false;
    bool Flat = false;
    bool HideFocusRect = false;
    bool Hovering = false;
    THoverFixedCells HoverFixedCells = hfNone;
    bool IntegralHeight = false;
    TIntelliPan IntelliPan = ipVertical;
    bool IntelliZoom = true;
    TInvalidEntryIcon InvalidEntryIcon = ieWarning;
    bool Lookup = false;
    bool LookupCaseSensitive = false;
    bool LookupHistory = false;
    int MaxEditLength = 0;
    int MaxComboLength = 0;
    bool Multilinecells = false;
    TScrollBarAlways ScrollBarAlways = saNone;
    TColor ScrollColor = clNone;
    bool ScrollProportional = false;
    bool ScrollSynch = false;
    TScrollType ScrollType = ssNormal;
    int ScrollWidth = 17;
    TScrollHintType ScrollHints = shNone;
    TColor SelectionColor = 0xEACAB6;
    TColor SelectionColorTo = clNone;
    bool SelectionColorMixer = false;
    TColor SelectionMirrorColor = clNone;
    TColor SelectionMirrorColorTo = clNone;
    bool SelectionRectangle = false;
    bool SelectionResizer = false;
    bool SelectionRTFKeep = false;
    TColor SelectionTextColor = clBlack;
    bool ShowSelection = true;
    bool ShowDesignHelper = true;
    bool SizeWithForm = false;
    TColor URLColor = clBlue;
    bool URLShow = false;
    bool URLShowInText = false;
    bool URLUnderlineOnHover = false;
    bool URLFull = false;
    bool URLEdit = false;
    bool UseInternalHintClass = true;
    TVAlignment VAlignment = vtaTop;
    std::string FloatFormat = "%.2f";
    std::string FilterDropDownClear = "(All)";
    std::string CheckTrue = "Y";
    std::string CheckFalse = "N";
    std::string XMLEncoding = "ISO-8859-1";
    std::string InvalidEntryTitle;
    std::string InvalidEntryText;
    char PasswordChar = '*';
    char Delimiter = '\0';
    bool QuoteEmptyCells = true;
    bool AlwaysQuotes = false;
    bool JavaCSV = false;
    bool SaveFixedCells = true;
    bool SaveFixedRows = false;
    bool SaveFixedCols = false;
    bool SaveHiddenCells = false;
    bool SaveVirtCells = true;
    bool SaveWithHTML = true;
    bool SaveWithRTF = false;
    bool LoadFirstRow = true;
    bool ShowNullDates = true;
    bool ClearOnlyText = false;
    int PrintPageFrom = 1;
    int PrintPageTo = 1;
    int ZoomFactor = 0;
    TNUVStyle ComponentStyle = tsWindowsXP;
    TGridBorderStyle BorderStyle = TGridBorderStyle::bsSingle;

    // --- painting
    // Disabled rows (and a disabled grid) show their text in DisabledFontColor.
    bool UseDisabledFont = true;
    bool SpreadSheet = false;
    // With a draw event assigned, no built-in text; a cell with a graphic
    // gets no built-in text.
    bool NoDefaultDraw = false;
    bool NoImageAndText = false;
    bool FitCellsInGrid = false;
    TColor SelectionRectangleColor = clBlack;

    // --- numbering and the clipboard
    int AutoNumberStart = 0;
    int AutoNumberOffset = 0;
    TSortDirection AutoNumberDirection = sdAscending;
    // Multi-line texts of SelectedText are quoted for spreadsheets.
    bool ExcelClipboardFormat = false;

    // --- automatic sizing
    // Limits of automatic sizing: a bound of 0 or less is none, equal
    // bounds are none either.
    int MinColWidth = 0;
    int MaxColWidth = 0;
    int MinRowHeight = 0;
    int MaxRowHeight = 0;
    // Automatic sizing only widens columns and heightens rows.
    bool SizeGrowOnly = false;
    // The text inset of the cells, on every side or at the top left only.
    TPoint XYOffset{2, 2};
    bool XYOffsetTopLeftOnly = false;
    // The room the inset takes across and down a cell.
    int TotalXOffset() const { return XYOffsetTopLeftOnly ? XYOffset.X : 2 * XYOffset.X; }
    int TotalYOffset() const { return XYOffsetTopLeftOnly ? XYOffset.Y : 2 * XYOffset.Y; }

    // --- finding
    // The column and row of fnFindInPresetCol / fnFindInPresetRow.
    int FindCol = 0;
    int FindRow = 0;

    // --- in-place editing
    bool AlwaysValidate = false;
    std::string EditMask;
    // The characters an edValidChars cell takes: ValidChars, or when it is
    // empty the characters up to 255 of ValidCharSet.
    std::string ValidChars;
    std::bitset<256> ValidCharSet;
};
