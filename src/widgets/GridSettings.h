#pragma once
// Settings objects of the grid: the search footer, keyboard navigation,
// mouse actions, the synchronised grid, alternate row bands and the focus
// helper. The grid creates one of each and frees them with itself.
//
// Properties with side effects have a getter and a setter; the others are
// plain fields. Assign copies every published setting from an object of the
// same class and fires no event; a source of another class (or none) is
// ignored without an error. Run-time state (AutoThemeAdapt, LastSearch and
// the events) is never copied.

#include "widgets/GridTypes.h"

#include "platform/ClassBase.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"

#include <functional>
#include <string>

// Change notification of a settings object (Sender: the settings object).
using TSettingsChangeEvent = std::function<void(TObject* Sender)>;
// The grid answers whether it is placed in a form designer.
using TIsDesigningEvent = std::function<void(TObject* Sender, bool& IsDesigning)>;

// --- search footer -------------------------------------------------------------

class TSearchFooter : public TPersistent {
public:
    // InitDesign: a grid newly placed in a form designer; only then the
    // captions and hints get their default texts (otherwise a stored form
    // supplies them).
    TSearchFooter(TComponent* AOwner, bool InitDesign);
    std::string ClassName() const override { return "TSearchFooter"; }
    void Assign(const TPersistent* Source) override;

    // These fire OnChange on every write, also with an unchanged value.
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v);
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& v); // copied into the owned font
    const std::string& FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const std::string& v);
    const std::string& FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const std::string& v);
    const std::string& HighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const std::string& v);
    const std::string& HintClose() const { return FHintClose; }
    void SetHintClose(const std::string& v);
    const std::string& HintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const std::string& v);
    const std::string& HintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const std::string& v);
    const std::string& HintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const std::string& v);
    const std::string& MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const std::string& v);
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool v);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool v);

    // These fire OnChange only when the value changes.
    bool ShowFindNext() const { return FShowFindNext; }
    void SetShowFindNext(bool v);
    bool ShowFindPrev() const { return FShowFindPrev; }
    void SetShowFindPrev(bool v);
    bool ShowHighLight() const { return FShowHighLight; }
    void SetShowHighLight(bool v);
    bool ShowMatchCase() const { return FShowMatchCase; }
    void SetShowMatchCase(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);

    bool AlwaysHighLight = false;
    bool AutoSearch = true;
    bool SearchActiveColumnOnly = false;
    int SearchColumn = -1;
    bool SearchMatchStart = false;
    bool SearchFixedCells = false;
    bool SearchHiddenRows = false;
    TSearchDirection SearchDirection = sdTopBottom;

    // Run-time only: the text of the last search.
    std::string LastSearch;
    TSettingsChangeEvent OnChange;

    TComponent* Owner() const { return FOwner; }

private:
    void Changed();
    template <class T>
    void SetAlways(T& field, const T& v);
    void SetIfChanged(bool& field, bool v);

    TComponent* FOwner;
    TColor FColor = 0xFFFFFF;
    TColor FColorTo = clBtnFace;
    TFont FFont;
    std::string FFindNextCaption;
    std::string FFindPrevCaption;
    std::string FHighLightCaption;
    std::string FHintClose;
    std::string FHintFindNext;
    std::string FHintFindPrev;
    std::string FHintHighlight;
    std::string FMatchCaseCaption;
    bool FShowClose = true;
    bool FAutoThemeAdapt = false;
    bool FShowFindNext = true;
    bool FShowFindPrev = true;
    bool FShowHighLight = true;
    bool FShowMatchCase = true;
    bool FVisible = false;
};

// --- keyboard navigation ---------------------------------------------------------

class TNavigation : public TPersistent {
public:
    TNavigation() = default;
    std::string ClassName() const override { return "TNavigation"; }
    void Assign(const TPersistent* Source) override;

    // Fire OnChange when the value changes.
    TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection v);
    bool AdvanceInsert() const { return FAdvanceInsert; }
    void SetAdvanceInsert(bool v);
    // Switching it on also switches AdvanceOnEnter on (switching it off
    // leaves AdvanceOnEnter as it is); no event.
    bool AdvanceAuto() const { return FAdvanceAuto; }
    void SetAdvanceAuto(bool v);

    bool AllowInsertRow = false;
    bool AllowDeleteRow = false;
    bool AlwaysEdit = false;
    bool AdvanceOnEnter = false;
    bool AdvanceOnEnterLoop = true;
    bool AdvanceAutoEdit = true;
    bool AdvanceSkipReadOnlyCells = true;
    bool AutoGotoWhenSorted = false;
    bool AutoGotoIncremental = false;
    bool AutoComboDropSize = false;
    bool AllowClipboardShortCuts = false;
    bool AllowCtrlEnter = true;
    bool AllowSmartClipboard = false;
    bool AllowRTFClipboard = false;
    bool AllowFmtClipboard = false;
    bool AllowClipboardAlways = false;
    bool AllowClipboardRowGrow = true;
    bool AllowClipboardColGrow = true;
    bool AppendOnArrowDown = false;
    bool EditSelectAll = true;
    TInsertPosition InsertPosition = pInsertBefore;
    TClipboardPasteAction ClipboardPasteAction = paReplace;
    bool ComboGetUpDown = true;
    TCursorAdvance CursorAdvance = caDefault;
    bool CursorWalkEditor = false;
    bool CursorWalkAlwaysEdit = true;
    bool CursorMoveRows = false;
    bool MoveRowOnSort = false;
    bool KeepScrollOnSort = false;
    bool MoveScrollOnly = false;
    bool ImproveMaskSel = false;
    bool LeftRightRowSelect = true;
    bool CopyHTMLTagsToClipboard = true;
    bool KeepHorizScroll = false;
    bool LineFeedOnEnter = false;
    THomeEndAction HomeEndKey = heFirstLastColumn;
    bool SkipFixedCells = true;
    bool SkipDisabledRows = true;
    bool TabToNextAtEnd = false;
    TAdvanceDirection TabAdvanceDirection = adLeftRight;

    TSettingsChangeEvent OnChange;

private:
    TAdvanceDirection FAdvanceDirection = adLeftRight;
    bool FAdvanceInsert = false;
    bool FAdvanceAuto = false;
};

// --- mouse actions -----------------------------------------------------------------

class TMouseActions : public TPersistent {
public:
    explicit TMouseActions(TComponent* AOwner);
    std::string ClassName() const override { return "TMouseActions"; }
    void Assign(const TPersistent* Source) override;

    // On: also DisjunctRowSelect and CheckAllCheck. Fires OnInvalidate for
    // both values (off clears nothing).
    bool HotmailRowSelect() const { return FHotmailRowSelect; }
    void SetHotmailRowSelect(bool v);
    // On: fires OnDisableEdit.
    bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool v);
    // While designing, switching one of the three on switches the other two
    // off; a running program may combine them.
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool v);
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool v);
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool v);
    // Writes DisjunctRowSelect without the setter's side effects.
    void SetDisjunctRowSelectDirect(bool v) { FDisjunctRowSelect = v; }
    // Fires OnChange when the value changes.
    TWheelAction WheelAction() const { return FWheelAction; }
    void SetWheelAction(TWheelAction v);
    // The owned list; writing copies the given strings.
    const TStringList& FixedComboValues() const { return FFixedComboValues; }
    TStringList& FixedComboValues() { return FFixedComboValues; }
    void SetFixedComboValues(const TStringList& v) { FFixedComboValues = v; }

    bool AllColumnSize = false;
    bool AllRowSize = false;
    bool AllSelect = false;
    bool AutoSizeColOnDblClick = true;
    bool CaretPositioning = false;
    bool CheckAllCheck = false;
    bool ColSelect = false;
    bool DirectComboClose = false;
    bool DirectComboDrop = false;
    bool DirectDateClose = false;
    bool DirectDateDrop = false;
    bool DirectEdit = false;
    bool DisjunctRowSelectNoCtrl = false;
    TGridFixedCellEdit FixedRowsEdit = fceNone;
    TGridFixedCellEditor FixedRowsEditor = fceEdit;
    TGridFixedCellEdit FixedColsEdit = fceNone;
    TGridFixedCellEditor FixedColsEditor = fceEdit;
    bool MoveRowOnNodeClick = false;
    bool NoAutoRangeScroll = false;
    bool NodeAllExpandContract = false;
    bool NoScrollOnPartialRow = false;
    bool PreciseCheckBoxCheck = false;
    bool PreciseNodeClick = true;
    bool RangeSelectAndEdit = false;
    bool RowSelect = false;
    bool RowSelectPersistent = false;
    bool SelectOnRightClick = false;
    bool SizeFixedCol = false;
    bool SizeFixedRow = false;
    int WheelIncrement = 0;

    // Connected by the grid to itself.
    TSettingsChangeEvent OnChange;
    TSettingsChangeEvent OnInvalidate;
    TSettingsChangeEvent OnDisableEdit;
    TIsDesigningEvent OnIsDesigning;

private:
    bool Designing();
    void SetDisjunct(bool& field, bool v, bool& other1, bool& other2);

    TComponent* FOwner;
    bool FHotmailRowSelect = false;
    bool FEditOnDblClickOnly = false;
    bool FDisjunctRowSelect = false;
    bool FDisjunctColSelect = false;
    bool FDisjunctCellSelect = false;
    TWheelAction FWheelAction = waMoveSelection;
    TStringList FFixedComboValues;
};

// --- synchronised grid ---------------------------------------------------------------

class TSyncGrid : public TPersistent {
public:
    // AOwner: the grid these settings belong to.
    explicit TSyncGrid(TComponent* AOwner) : FOwner(AOwner) {}
    std::string ClassName() const override { return "TSyncGrid"; }
    void Assign(const TPersistent* Source) override;

    // The grid to follow (nullptr: none). Setting the owner grid itself is
    // ignored: a grid never follows itself.
    TComponent* Grid() const { return FGrid; }
    void SetGrid(TComponent* v);
    TComponent* Owner() const { return FOwner; }

    bool ScrollVertical = false;
    bool ScrollHorizontal = false;
    bool SelectionColumn = false;
    bool SelectionRow = false;
    bool MoveColumn = false;
    bool MoveRow = false;

private:
    TComponent* FOwner;
    TComponent* FGrid = nullptr;
};

// --- alternate row bands -----------------------------------------------------------------

class TBands : public TPersistent {
public:
    TBands() = default;
    std::string ClassName() const override { return "TBands"; }
    void Assign(const TPersistent* Source) override;

    // Fires OnChange when the value changes.
    bool Active() const { return FActive; }
    void SetActive(bool v);
    // These fire OnChange only when the value changes while Active is on.
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor v);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor v);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int v);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int v);
    // PrimaryLength + SecondaryLength.
    int TotalLength() const { return FTotalLength; }

    bool Print = false;
    TSettingsChangeEvent OnChange;

private:
    void ChangedWhileActive();
    bool FActive = false;
    TColor FPrimaryColor = clInfoBk;
    TColor FSecondaryColor = clWindow;
    int FPrimaryLength = 1;
    int FSecondaryLength = 1;
    int FTotalLength = 2;
};

// --- focus helper --------------------------------------------------------------------------

class TFocusHelper : public TPersistent {
public:
    explicit TFocusHelper(TComponent* AOwner) : FOwner(AOwner) {}
    std::string ClassName() const override { return "TFocusHelper"; }
    void Assign(const TPersistent* Source) override;

    bool Enabled = false;
    TComponent* Owner() const { return FOwner; }

private:
    TComponent* FOwner;
};

// --- scrolling while dragging over the grid's edges --------------------------------

// Where a drag hovers over a control: entering, leaving or moving inside it.
enum TDragState : std::uint8_t { dsDragEnter, dsDragLeave, dsDragMove };
enum TDragScrollDirection : std::uint8_t { sdUp, sdDown, sdLeft, sdRight };
using TDragScrollDir = TSet<TDragScrollDirection>;
// Asked before each scroll step of a drag: the handler may change the
// directions or forbid the step.
using TDragScrollEvent =
    std::function<void(TObject* Sender, int TopRow, int LeftCol, TDragScrollDir& DragScrollDir, bool& CanScroll)>;

class TDragScrollDelays : public TPersistent {
public:
    std::string ClassName() const override { return "TDragScrollDelays"; }
    void Assign(const TPersistent* Source) override;
    int InitialDelay = 1000; // milliseconds before the first step
    int RepeatDelay = 250;   // milliseconds between the following steps
};

class TDragScrollMargins : public TPersistent {
public:
    std::string ClassName() const override { return "TDragScrollMargins"; }
    void Assign(const TPersistent* Source) override;
    int TopMargin = 50;
    int BottomMargin = 50;
    int LeftMargin = 50;
    int RightMargin = 50;
};

class TDragScrollOptions : public TPersistent {
public:
    std::string ClassName() const override { return "TDragScrollOptions"; }
    void Assign(const TPersistent* Source) override;
    bool Active = false;
    TDragScrollDelays& Delays() { return FDelays; }
    TDragScrollMargins& Margins() { return FMargins; }
    const TDragScrollDelays& Delays() const { return FDelays; }
    const TDragScrollMargins& Margins() const { return FMargins; }

private:
    TDragScrollDelays FDelays;
    TDragScrollMargins FMargins;
};
