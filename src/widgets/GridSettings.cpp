#include "widgets/GridSettings.h"

// --- TSearchFooter ---------------------------------------------------------------

TSearchFooter::TSearchFooter(TComponent* AOwner, bool InitDesign) : FOwner(AOwner)
{
    if (InitDesign) {
        FFindPrevCaption = "Find &previous";
        FFindNextCaption = "Find &next";
        FMatchCaseCaption = "Match case";
        FHighLightCaption = "Highlight";
        FHintClose = "Close";
        FHintFindNext = "Find next occurrence";
        FHintFindPrev = "Find previous occurrence";
        FHintHighlight = "Highlight occurrences";
    }
}

void TSearchFooter::Changed()
{
    if (OnChange) OnChange(this);
}

template <class T>
void TSearchFooter::SetAlways(T& field, const T& v)
{
    field = v;
    Changed();
}

void TSearchFooter::SetIfChanged(bool& field, bool v)
{
    if (field == v) return;
    field = v;
    Changed();
}

void TSearchFooter::SetColor(TColor v) { SetAlways(FColor, v); }
void TSearchFooter::SetColorTo(TColor v) { SetAlways(FColorTo, v); }
void TSearchFooter::SetFont(const TFont& v)
{
    FFont.Assign(v);
    Changed();
}
void TSearchFooter::SetFindNextCaption(const std::string& v) { SetAlways(FFindNextCaption, v); }
void TSearchFooter::SetFindPrevCaption(const std::string& v) { SetAlways(FFindPrevCaption, v); }
void TSearchFooter::SetHighLightCaption(const std::string& v) { SetAlways(FHighLightCaption, v); }
void TSearchFooter::SetHintClose(const std::string& v) { SetAlways(FHintClose, v); }
void TSearchFooter::SetHintFindNext(const std::string& v) { SetAlways(FHintFindNext, v); }
void TSearchFooter::SetHintFindPrev(const std::string& v) { SetAlways(FHintFindPrev, v); }
void TSearchFooter::SetHintHighlight(const std::string& v) { SetAlways(FHintHighlight, v); }
void TSearchFooter::SetMatchCaseCaption(const std::string& v) { SetAlways(FMatchCaseCaption, v); }
void TSearchFooter::SetShowClose(bool v) { SetAlways(FShowClose, v); }
void TSearchFooter::SetAutoThemeAdapt(bool v) { SetAlways(FAutoThemeAdapt, v); }
void TSearchFooter::SetShowFindNext(bool v) { SetIfChanged(FShowFindNext, v); }
void TSearchFooter::SetShowFindPrev(bool v) { SetIfChanged(FShowFindPrev, v); }
void TSearchFooter::SetShowHighLight(bool v) { SetIfChanged(FShowHighLight, v); }
void TSearchFooter::SetShowMatchCase(bool v) { SetIfChanged(FShowMatchCase, v); }
void TSearchFooter::SetVisible(bool v) { SetIfChanged(FVisible, v); }

void TSearchFooter::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TSearchFooter*>(Source);
    if (!s) return;
    AlwaysHighLight = s->AlwaysHighLight;
    AutoSearch = s->AutoSearch;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FFindNextCaption = s->FFindNextCaption;
    FFindPrevCaption = s->FFindPrevCaption;
    // The owned font keeps its own change handler.
    auto fontChange = std::move(FFont.OnChange);
    FFont.OnChange = nullptr;
    FFont.Assign(s->FFont);
    FFont.OnChange = std::move(fontChange);
    FHighLightCaption = s->FHighLightCaption;
    FHintClose = s->FHintClose;
    FHintFindNext = s->FHintFindNext;
    FHintFindPrev = s->FHintFindPrev;
    FHintHighlight = s->FHintHighlight;
    FMatchCaseCaption = s->FMatchCaseCaption;
    SearchActiveColumnOnly = s->SearchActiveColumnOnly;
    SearchColumn = s->SearchColumn;
    SearchMatchStart = s->SearchMatchStart;
    SearchFixedCells = s->SearchFixedCells;
    SearchHiddenRows = s->SearchHiddenRows;
    SearchDirection = s->SearchDirection;
    FShowClose = s->FShowClose;
    FShowFindNext = s->FShowFindNext;
    FShowFindPrev = s->FShowFindPrev;
    FShowHighLight = s->FShowHighLight;
    FShowMatchCase = s->FShowMatchCase;
    FVisible = s->FVisible;
}

// --- TNavigation --------------------------------------------------------------------

void TNavigation::SetAdvanceDirection(TAdvanceDirection v)
{
    if (FAdvanceDirection == v) return;
    FAdvanceDirection = v;
    if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceInsert(bool v)
{
    if (FAdvanceInsert == v) return;
    FAdvanceInsert = v;
    if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceAuto(bool v)
{
    if (FAdvanceAuto == v) return;
    FAdvanceAuto = v;
    if (v) AdvanceOnEnter = true;
}

void TNavigation::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TNavigation*>(Source);
    if (!s) return;
    // Everything but the change event; the fields with setters are copied
    // directly so that Assign fires nothing and AdvanceAuto does not touch
    // the copied AdvanceOnEnter.
    auto onChange = std::move(OnChange);
    *this = *s;
    OnChange = std::move(onChange);
}

// --- TMouseActions ------------------------------------------------------------------

TMouseActions::TMouseActions(TComponent* AOwner) : FOwner(AOwner) {}

void TMouseActions::SetHotmailRowSelect(bool v)
{
    FHotmailRowSelect = v;
    if (v) {
        FDisjunctRowSelect = true;
        CheckAllCheck = true;
    }
    if (OnInvalidate) OnInvalidate(this);
}

void TMouseActions::SetEditOnDblClickOnly(bool v)
{
    FEditOnDblClickOnly = v;
    if (v && OnDisableEdit) OnDisableEdit(this);
}

bool TMouseActions::Designing()
{
    bool designing = false;
    if (OnIsDesigning) OnIsDesigning(this, designing);
    return designing;
}

void TMouseActions::SetDisjunct(bool& field, bool v, bool& other1, bool& other2)
{
    field = v;
    if (v && Designing()) {
        other1 = false;
        other2 = false;
    }
}

void TMouseActions::SetDisjunctRowSelect(bool v)
{
    SetDisjunct(FDisjunctRowSelect, v, FDisjunctColSelect, FDisjunctCellSelect);
}

void TMouseActions::SetDisjunctColSelect(bool v)
{
    SetDisjunct(FDisjunctColSelect, v, FDisjunctRowSelect, FDisjunctCellSelect);
}

void TMouseActions::SetDisjunctCellSelect(bool v)
{
    SetDisjunct(FDisjunctCellSelect, v, FDisjunctRowSelect, FDisjunctColSelect);
}

void TMouseActions::SetWheelAction(TWheelAction v)
{
    if (FWheelAction == v) return;
    FWheelAction = v;
    if (OnChange) OnChange(this);
}

void TMouseActions::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TMouseActions*>(Source);
    if (!s) return;
    AllColumnSize = s->AllColumnSize;
    AllRowSize = s->AllRowSize;
    AllSelect = s->AllSelect;
    AutoSizeColOnDblClick = s->AutoSizeColOnDblClick;
    CaretPositioning = s->CaretPositioning;
    CheckAllCheck = s->CheckAllCheck;
    ColSelect = s->ColSelect;
    DirectComboClose = s->DirectComboClose;
    DirectComboDrop = s->DirectComboDrop;
    DirectDateClose = s->DirectDateClose;
    DirectDateDrop = s->DirectDateDrop;
    DirectEdit = s->DirectEdit;
    FDisjunctRowSelect = s->FDisjunctRowSelect;
    DisjunctRowSelectNoCtrl = s->DisjunctRowSelectNoCtrl;
    FDisjunctColSelect = s->FDisjunctColSelect;
    FDisjunctCellSelect = s->FDisjunctCellSelect;
    FEditOnDblClickOnly = s->FEditOnDblClickOnly;
    FixedRowsEdit = s->FixedRowsEdit;
    FixedRowsEditor = s->FixedRowsEditor;
    FixedColsEdit = s->FixedColsEdit;
    FixedColsEditor = s->FixedColsEditor;
    FFixedComboValues = s->FFixedComboValues;
    FHotmailRowSelect = s->FHotmailRowSelect;
    MoveRowOnNodeClick = s->MoveRowOnNodeClick;
    NoAutoRangeScroll = s->NoAutoRangeScroll;
    NodeAllExpandContract = s->NodeAllExpandContract;
    NoScrollOnPartialRow = s->NoScrollOnPartialRow;
    PreciseCheckBoxCheck = s->PreciseCheckBoxCheck;
    PreciseNodeClick = s->PreciseNodeClick;
    RangeSelectAndEdit = s->RangeSelectAndEdit;
    RowSelect = s->RowSelect;
    RowSelectPersistent = s->RowSelectPersistent;
    SelectOnRightClick = s->SelectOnRightClick;
    SizeFixedCol = s->SizeFixedCol;
    SizeFixedRow = s->SizeFixedRow;
    WheelIncrement = s->WheelIncrement;
    FWheelAction = s->FWheelAction;
}

// --- TSyncGrid ----------------------------------------------------------------------

void TSyncGrid::SetGrid(TComponent* v)
{
    if (v && v == FOwner) return;
    FGrid = v;
}

void TSyncGrid::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TSyncGrid*>(Source);
    if (!s) return;
    SetGrid(s->FGrid);
    ScrollVertical = s->ScrollVertical;
    ScrollHorizontal = s->ScrollHorizontal;
    SelectionColumn = s->SelectionColumn;
    SelectionRow = s->SelectionRow;
    MoveColumn = s->MoveColumn;
    MoveRow = s->MoveRow;
}

// --- TBands -------------------------------------------------------------------------

void TBands::ChangedWhileActive()
{
    if (FActive && OnChange) OnChange(this);
}

void TBands::SetActive(bool v)
{
    if (FActive == v) return;
    FActive = v;
    if (OnChange) OnChange(this);
}

void TBands::SetPrimaryColor(TColor v)
{
    if (FPrimaryColor == v) return;
    FPrimaryColor = v;
    ChangedWhileActive();
}

void TBands::SetSecondaryColor(TColor v)
{
    if (FSecondaryColor == v) return;
    FSecondaryColor = v;
    ChangedWhileActive();
}

void TBands::SetPrimaryLength(int v)
{
    if (FPrimaryLength == v) return;
    FPrimaryLength = v;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    ChangedWhileActive();
}

void TBands::SetSecondaryLength(int v)
{
    if (FSecondaryLength == v) return;
    FSecondaryLength = v;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    ChangedWhileActive();
}

void TBands::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TBands*>(Source);
    if (!s) return;
    FActive = s->FActive;
    FPrimaryColor = s->FPrimaryColor;
    FPrimaryLength = s->FPrimaryLength;
    FSecondaryColor = s->FSecondaryColor;
    FSecondaryLength = s->FSecondaryLength;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    Print = s->Print;
}

// --- TFocusHelper -------------------------------------------------------------------

void TFocusHelper::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TFocusHelper*>(Source);
    if (!s) return;
    Enabled = s->Enabled;
}

// --- drag scrolling ---------------------------------------------------------------------

void TDragScrollDelays::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TDragScrollDelays*>(Source);
    if (!s) return;
    InitialDelay = s->InitialDelay;
    RepeatDelay = s->RepeatDelay;
}

void TDragScrollMargins::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TDragScrollMargins*>(Source);
    if (!s) return;
    TopMargin = s->TopMargin;
    BottomMargin = s->BottomMargin;
    LeftMargin = s->LeftMargin;
    RightMargin = s->RightMargin;
}

void TDragScrollOptions::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TDragScrollOptions*>(Source);
    if (!s) return;
    FMargins.Assign(&s->FMargins);
    FDelays.Assign(&s->FDelays);
    Active = s->Active;
}
