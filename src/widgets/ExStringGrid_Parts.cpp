// TExStringGrid: construction of the private parts, and the public face's
// accessors over the state the parts keep.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_render/FloatingFooter.h"
#include "widgets/grid_render/Editor_Controls.h"
#include "widgets/grid_render/HTMLHintWindow.h"
#include "widgets/grid_render/HeaderDragButton.h"
#include "widgets/GridWindows.h"

TGridPaintPart::TGridPaintPart(TExStringGrid& AGrid) : G(AGrid) {}
TGridPaintPart::~TGridPaintPart() = default;
TGridInputPart::TGridInputPart(TExStringGrid& AGrid) : G(AGrid) {}
TGridInputPart::~TGridInputPart() = default;
TGridEditPart::TGridEditPart(TExStringGrid& AGrid) : G(AGrid) {}
TGridEditPart::~TGridEditPart() = default;
TExStringGridPrivate::TExStringGridPrivate(TExStringGrid& AGrid) : G(AGrid), Paint(AGrid), Input(AGrid), Edit(AGrid) {}
TExStringGridPrivate::~TExStringGridPrivate() = default;

// --- the public face's accessors ---------------------------------------------------------

bool TExStringGrid::IsLoaded() const
{ return FParts->FLoaded; }

TCursor TExStringGrid::Cursor() const
{ return FParts->FCursor; }

IGridOwnerForm* TExStringGrid::OwnerForm() const
{ return FParts->FOwnerForm; }

TSearchFooter& TExStringGrid::SearchFooter()
{ return *FParts->FSearchFooter; }

TNavigation& TExStringGrid::Navigation()
{ return *FParts->FNavigation; }

TMouseActions& TExStringGrid::MouseActions()
{ return *FParts->FMouseActions; }

TSyncGrid& TExStringGrid::SyncGrid()
{ return *FParts->FSyncGrid; }

TBands& TExStringGrid::Bands()
{ return *FParts->FBands; }

TFocusHelper& TExStringGrid::FocusHelper()
{ return *FParts->FFocusHelper; }

void TExStringGrid::SetFocusHelper(const TFocusHelper& v)
{ FParts->FFocusHelper->Assign(&v); }

TGrouping& TExStringGrid::Grouping()
{ return *FParts->FGrouping; }

TShowModified& TExStringGrid::ShowModified()
{ return *FParts->FShowModified; }

TColumnSize& TExStringGrid::ColumnSize()
{ return *FParts->FColumnSize; }

TCellNode& TExStringGrid::CellNode()
{ return *FParts->FCellNode; }

TSizeWhileTyping& TExStringGrid::SizeWhileTyping()
{ return *FParts->FSizeWhileTyping; }

TSortSettings& TExStringGrid::SortSettings()
{ return *FParts->FSortSettings; }

const TSortSettings& TExStringGrid::SortSettings() const
{ return *FParts->FSortSettings; }

TPrintSettings& TExStringGrid::PrintSettings()
{ return *FParts->FPrintSettings; }

const TPrintSettings& TExStringGrid::PrintSettings() const
{ return *FParts->FPrintSettings; }

THTMLSettings& TExStringGrid::HTMLSettings()
{ return *FParts->FHTMLSettings; }

const THTMLSettings& TExStringGrid::HTMLSettings() const
{ return *FParts->FHTMLSettings; }

TFilter& TExStringGrid::Filter()
{ return *FParts->FFilter; }

const TFilter& TExStringGrid::Filter() const
{ return *FParts->FFilter; }

TFilterDropDown& TExStringGrid::FilterDropDown()
{ return *FParts->FFilterDropDown; }

const TFilterDropDown& TExStringGrid::FilterDropDown() const
{ return *FParts->FFilterDropDown; }

TDropList& TExStringGrid::FilterDropList()
{ return *FParts->FFilterDropList; }

TDropCheckList& TExStringGrid::FilterDropCheckList()
{ return *FParts->FFilterDropCheckList; }

TSearchPanel& TExStringGrid::SearchPanel()
{ return *FParts->FSearchPanel; }

TStringList& TExStringGrid::ColumnHeaders()
{ return FParts->FColumnHeaders; }

TStringList& TExStringGrid::RowHeaders()
{ return FParts->FRowHeaders; }

TStringList& TExStringGrid::LookupItems()
{ return FParts->FLookupItems; }

TStringList& TExStringGrid::FilterList()
{ return FParts->FFilterList; }

TFont& TExStringGrid::FixedFont()
{ return FParts->FFixedFont; }

TFont& TExStringGrid::ActiveCellFont()
{ return FParts->FActiveCellFont; }

TControlList& TExStringGrid::ControlList()
{ return FParts->FControlList; }

TControlLook* TExStringGrid::ControlLook() const
{ return FParts->FControlLook; }

TBackGround* TExStringGrid::BackGround() const
{ return FParts->FBackGround; }

TFloatingFooter* TExStringGrid::FloatingFooter() const
{ return FParts->FFloatingFooter; }

THeaderDragButton* TExStringGrid::MoveButton() const
{ return FParts->Input.FMoveButton.get(); }

TCustomImageList* TExStringGrid::GridImages() const
{ return FParts->FGridImages; }

bool TExStringGrid::WheelPanning() const
{ return FParts->Input.FWheelPan; }

TPoint TExStringGrid::WheelPanPos() const
{ return FParts->Input.FWheelPanPos; }

TCursor TExStringGrid::WheelPanCursor() const
{ return FParts->Input.FWheelPanCursor; }

THTMLHintWindow* TExStringGrid::ScrollHintWindow() const
{ return FParts->Input.FScrollHintWnd.get(); }

TGridLook TExStringGrid::Look() const
{ return FParts->FLook; }

TColor TExStringGrid::BorderColor() const
{ return FParts->FBorderColor; }

TColor TExStringGrid::NUVGradientFrom() const
{ return FParts->FNUVGradientFrom; }

TColor TExStringGrid::NUVGradientTo() const
{ return FParts->FNUVGradientTo; }

TColor TExStringGrid::NUVGradientMirrorFrom() const
{ return FParts->FNUVGradientMirrorFrom; }

TColor TExStringGrid::NUVGradientMirrorTo() const
{ return FParts->FNUVGradientMirrorTo; }

int TExStringGrid::SelectionColorMixerFactor() const
{ return FParts->FSelectionColorMixerFactor; }

TGridProgressAppearance* TExStringGrid::ProgressAppearance() const
{ return FParts->FProgressAppearance; }

bool TExStringGrid::IsWinXP() const
{ return FParts->FIsWinXP; }

int TExStringGrid::WheelScrollLinesOfGrid() const
{ return FParts->FWheelScrollLines; }

bool TExStringGrid::EditingSuspended() const
{ return FParts->FEditDisable; }

void TExStringGrid::SetEditingSuspended(bool v)
{ FParts->FEditDisable = v; }

int TExStringGrid::FixedRowsMin() const
{ return FParts->FFixedRowsMin; }

int TExStringGrid::MaxRowCountReached() const
{ return FParts->FMaxRowCount; }

int TExStringGrid::MaxColCountReached() const
{ return FParts->FMaxColCount; }

bool TExStringGrid::FilterActive() const
{ return FParts->FFilterActive; }

int TExStringGrid::FilterDropColumn() const
{ return FParts->FFilterDropColumn; }

void TExStringGrid::SetFilterDropColumn(int Value)
{ FParts->FFilterDropColumn = Value; }

TPictureContainer* TExStringGrid::PictureContainer() const
{ return FParts->FPictureContainer; }

const TColorTones& TExStringGrid::ColorTones() const
{ return FParts->Paint.FTones; }

TBitmap& TExStringGrid::RowIndicator()
{ return FParts->Paint.FRowIndicator; }

unsigned TGridPaintPart::VerticalTextFlag() const
{ return FVerticalTextFlag; }

TCellGraphic& TExStringGrid::RowCheckBoxGraphic()
{ return *FParts->FRowCheckBox; }

TDragScrollOptions& TExStringGrid::DragScrollOptions()
{ return *FParts->FDragScrollOptions; }

void TExStringGrid::SetDragScrollOptions(const TDragScrollOptions& Value)
{ FParts->FDragScrollOptions->Assign(&Value); }

TTimer* TExStringGrid::DragScrollTimer() const
{ return FParts->FDragScrollTimer.get(); }

int TExStringGrid::FixedRowHeight() const
{ return FParts->FFixedRowHeight; }

int TExStringGrid::CellControlCount() const
{ return FParts->FCellControlCount; }

void TExStringGrid::RegisterSelListener(ITExStringGridSelect* AListener)
{ FParts->FSelListener = AListener; }

void TExStringGrid::UnRegisterSelListener(ITExStringGridSelect* /*AListener*/)
{ FParts->FSelListener = nullptr; }

void TExStringGrid::SetComboSelection(int idx)
{ FParts->Edit.FComboIndex = idx; }

int TExStringGrid::ComboSelection() const
{ return FParts->Edit.FComboIndex; }

int TExStringGrid::GetComboCount() const
{ return FParts->Edit.FComboItems.Count(); }

const TStringList& TExStringGrid::ComboItems() const
{ return FParts->Edit.FComboItems; }

const TIntList& TExStringGrid::OrigColSizes() const
{ return FParts->FOrigColSizes; }

int TExStringGrid::OrigGridWidth() const
{ return FParts->FOrigGridWidth; }

int TExStringGrid::SizingColumn() const
{ return FParts->Input.FClickCol; }

int TExStringGrid::SizingRow() const
{ return FParts->Input.FClickRow; }

TEditorType TExStringGrid::CurrentEditor() const
{ return FParts->FCurrentEditor; }

void TGridEditPart::SetCurrentEditor(TEditorType Value)
{ G.FParts->FCurrentEditor = Value; }

bool TExStringGrid::UseHTMLHints() const
{ return FParts->FUseHTMLHints; }

TColor TExStringGrid::ArrowColor() const
{ return FParts->FArrowColor; }

TExStringGridCheck* TExStringGrid::CellChecker() const
{ return FParts->FCellChecker; }

void TExStringGrid::SetCellChecker(TExStringGridCheck* Value)
{ FParts->FCellChecker = Value; }

IGridColorPicker* TExStringGrid::ColorPickerDropDown() const
{ return FParts->FColorPicker; }

void TExStringGrid::SetColorPickerDropDown(IGridColorPicker* Value)
{ FParts->FColorPicker = Value; }

IGridImagePicker* TExStringGrid::ImagePickerDropDown() const
{ return FParts->FImagePicker; }

void TExStringGrid::SetImagePickerDropDown(IGridImagePicker* Value)
{ FParts->FImagePicker = Value; }

bool TExStringGrid::SelectionHidden() const
{ return FParts->FSelHidden; }

const std::string& TExStringGrid::IncrementalSearchText() const
{ return FParts->Input.FSearchText; }

void TExStringGrid::SetGridImages(TCustomImageList* Value)
{ FParts->FGridImages = Value; }

bool TExStringGrid::Editing() const
{ return FParts->Edit.FEditing; }

void TExStringGrid::SetEditing(bool v)
{ FParts->Edit.FEditing = v; }

bool TExStringGrid::LastValidation() const
{ return FParts->Edit.FLastValidation; }

bool TExStringGrid::EditMode() const
{ return FParts->Edit.FEditMode; }

void TExStringGrid::SetEditMode(bool v)
{ FParts->Edit.FEditMode = v; }

bool TExStringGrid::Modified() const
{ return FParts->Edit.FModified; }

void TExStringGrid::SetModified(bool v)
{ FParts->Edit.FModified = v; }

bool TExStringGrid::BalloonEnabled() const
{ return FParts->Edit.FBalloonEnabled; }

void TExStringGrid::SetBalloonEnabled(bool v)
{ FParts->Edit.FBalloonEnabled = v; }

TPoint TExStringGrid::LastBalloonPos() const
{ return FParts->Edit.FLastBalloonPos; }

bool TExStringGrid::CtrlEditing() const
{ return FParts->Edit.FCtrlEditing; }

const std::string& TExStringGrid::CtrlID() const
{ return FParts->Edit.FCtrlID; }

const std::string& TExStringGrid::CtrlType() const
{ return FParts->Edit.FCtrlType; }

int TExStringGrid::HoverFixedX() const
{ return FParts->Input.FHoverFixedX; }

int TExStringGrid::HoverFixedY() const
{ return FParts->Input.FHoverFixedY; }

void TExStringGrid::SetHoverFixedCell(int ACol, int ARow)
{
    FParts->Input.FHoverFixedX = ACol;
    FParts->Input.FHoverFixedY = ARow;
}

int TExStringGrid::OldCol() const
{ return FParts->Edit.FOldCol; }

int TExStringGrid::OldRow() const
{ return FParts->Edit.FOldRow; }

TExStringGrid::TMouseSelectMode TExStringGrid::MouseSelectMode() const
{ return FParts->Input.FMouseSelectMode; }

bool TExStringGrid::CellSelectorMode() const
{ return FParts->Input.FCellSelectorMode; }

void TExStringGrid::SetCellSelectorMode(bool Value)
{ FParts->Input.FCellSelectorMode = Value; }

THTMLHintWindow* TExStringGrid::SizingHintWindow() const
{ return FParts->Input.FScrollHintWnd.get(); }

bool TExStringGrid::SizingHintShown() const
{ return FParts->Input.FScrollHintShow; }

bool TExStringGrid::OnFixedColBorder() const
{ return FParts->Input.FSizeFixed; }
