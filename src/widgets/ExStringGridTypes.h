#pragma once
// The vocabulary of the string grid TExStringGrid (widgets/ExStringGrid.h):
// its errors, the enumerations of its published settings, the small objects
// it owns or hands out, and the types of its events.

#include "widgets/BaseGrid.h"
#include "widgets/CellGraphic.h"
#include "widgets/GridDraw.h"
#include "widgets/GridSettings.h"
#include "widgets/GridThemes.h"
#include "widgets/GridTypes.h"
#include "widgets/grid_io/FilterSettings.h"
#include "widgets/grid_io/FindParams.h"
#include "widgets/grid_io/HTMLSettings.h"
#include "widgets/grid_io/PrintSettings.h"
#include "widgets/grid_io/SearchPanel.h"
#include "widgets/grid_io/SortSettings.h"

#include "platform/ClassBase.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/HintWindow.h"
#include "platform/OwnerForm.h"
#include "platform/Timer.h"

#include <array>
#include <bitset>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Raised by an operation of the grid that is declared but not built yet.
class ENotBuilt : public Exception {
public:
    explicit ENotBuilt(const std::string& what) : Exception("Not built: " + what) {}
};
#define ZEL_GRID_NOT_BUILT() throw ENotBuilt(__func__)

// Misuse of the grid ("Invalid cell", "Invalid row accessed", ...).
class EExGridError : public Exception {
public:
    using Exception::Exception;
};

// --- enumerations of the grid's published settings -------------------------------

enum TGridLook : std::uint8_t {
    glStandard, glSoft, glClassic, glNUV, glXP, glListView, glVista, glWin7, glOffice2007, glCustom
};
enum TExGridStyle : std::uint8_t {
    gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive, gsOffice2003Classic, gsOffice2007Luna,
    gsOffice2007Obsidian, gsWindowsXP, gsWhidbey, gsCustom, gsOffice2007Silver, gsWindowsVista, gsWindows7,
    gsTerminal, gsOffice2010Blue, gsOffice2010Silver, gsOffice2010Black
};
enum THintPos : std::uint8_t { hpCell, hpCursor };
enum TFilterDropDownColumns : std::uint8_t { fdNormal, fdAll };
enum THoverFixedCells : std::uint8_t { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum TIntelliPan : std::uint8_t { ipVertical, ipHorizontal, ipBoth, ipNone };
enum TInvalidEntryIcon : std::uint8_t { ieNone, ieInfo, ieWarning, ieError };
enum TScrollBarAlways : std::uint8_t { saNone, saVert, saHorz, saBoth };
enum TScrollType : std::uint8_t { ssNormal, ssFlat, ssEncarta, ssMetro };
enum class TGridBorderStyle : std::uint8_t { bsNone, bsSingle };
enum TXPColorScheme : std::uint8_t { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
// The fixed cells' gradient colours the grid keeps (normal, hovered, pressed).
enum class TNUVGradient : std::uint8_t {
    From, To, MirrorFrom, MirrorTo, HoverFrom, HoverTo, HoverMirrorFrom, HoverMirrorTo, HoverBorder, DownFrom, DownTo,
    DownMirrorFrom, DownMirrorTo, DownBorder
};

// Color1 with Percent per cent of weight against Color2 (each component
// round(f * c1 + (1 - f) * c2)); 100 or more gives Color1, below 1 Color2; a
// clNone on either side gives the other colour.
TColor BlendColors(TColor Color1, TColor Color2, int Percent);
// BlendColors when Mix, else Color1.
TColor MixSelectionColor(TColor Color1, TColor Color2, bool Mix, int Percent);
// X within 0..100.
double LimitPercent(double X);
// Where a text rotated by Angle degrees starts in Rect (only its left and
// top change), from the rotated extents A = |cy cos|, B = |cx sin|,
// C = |cy sin|, D = |cx cos|; answers the quadrant 1..4 of the angle.
int PlaceRotatedText(TRect& Rect, TAlignment HAlign, TVAlignment VAlign, int A, int B, int C, int D, int Angle);
// The visible text of a rich-text cell (the grid shows rich text without
// its formatting).
std::string RichTextToPlain(const std::string& Rtf);

// Names of the looks: "glXP" / "Windows XP" ...; glCustom leaves Text as it is.
void LookToIdent(TGridLook Value, std::string& Text);
void LookToCaption(TGridLook Value, std::string& Text);
// The platform's flat scroll-bar mode of a scroll type: 0 regular, 2 flat,
// 1 Encarta; -1 for ssMetro, which sets none.
int FlatScrollBarMode(TScrollType Type);
enum TScrollHintType : std::uint8_t { shNone, shVertical, shHorizontal, shBoth };
enum TSearchAction : std::uint8_t { saFindFirst, saFindPrevious, saFindNext };
// Position and size of an in-cell scroll bar.
struct TScrollProp {
    int PageSize = 0;
    int Range = 0;
};
enum TBalloonIcon : std::uint8_t { biNone, biInfo, biWarning, biError };
// The states ExportNotification reports while rows are walked.
enum TGridExportState : std::uint8_t {
    esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail, esExportNextRow
};

// --- objects of the grid that this file specifies ---------------------------------

// Look of group header and summary rows (plain fields).
class TGrouping : public TPersistent {
public:
    std::string ClassName() const override { return "TGrouping"; }
    // Copies the group count format, the header and summary colours,
    // HeaderUnderline, MergeHeader, MergeSummary, ShowGroupCount,
    // SummaryLine, AutoCheckGroup and AutoSelectGroup; not Summary nor the
    // line widths and line colours. Other sources change nothing.
    void Assign(const TPersistent* Source) override;

    bool MergeHeader = false;
    bool MergeSummary = false;
    TColor HeaderColor = clNone;
    TColor SummaryColor = clNone;
    TColor HeaderColorTo = clNone;
    TColor HeaderTextColor = clNone;
    bool Summary = false;
    TColor SummaryTextColor = clNone;
    TColor SummaryColorTo = clNone;
    bool HeaderUnderline = false;
    bool SummaryLine = false;
    int SummaryLineWidth = 2;
    int HeaderLineWidth = 2;
    TColor SummaryLineColor = 0xFF0000;
    TColor HeaderLineColor = 0xFF0000;
    bool ShowGroupCount = false;
    std::string GroupCountFormat;
    bool AutoSelectGroup = false;
    bool AutoCheckGroup = false;
};

// Marking of modified rows.
class TShowModified : public TPersistent {
public:
    std::string ClassName() const override { return "TShowModified"; }
    void Assign(const TPersistent* Source) override;
    TColor Color() const { return FColor; }
    // Stores the colour and fires OnChange.
    void SetColor(TColor v);

    bool Enabled = false;
    TSettingsChangeEvent OnChange;

private:
    TColor FColor = 0x00FFFF;
};

// One hidden row: its index, height and saved cells.
class TGridItem : public TCollectionItem {
public:
    explicit TGridItem(TCollection* ACollection);
    std::string ClassName() const override { return "TGridItem"; }
    int Idx = 0;
    int Height = 0;
    // The saved cells (owned).
    TStringList& Items() { return *FItems; }
    const TStringList& Items() const { return *FItems; }
    void SetItems(const TStringList& v) { *FItems = v; }

private:
    std::unique_ptr<TStringList> FItems;
};

// A component that wants to hear of cell changes (derive and register it).
class TGridChangeNotifier : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TGridChangeNotifier"; }
    virtual void CellsChanged(const TRect& /*R*/) {}
};

// A selection listener registered with a grid (one at most per grid; the
// grid keeps a reference, the listener stays its owner's).
class ITExStringGridSelect {
public:
    virtual ~ITExStringGridSelect() = default;
};

// Objects of the grid whose classes belong to the painting, editing, file
// and print code. The grid holds them once those classes are built.
class TFooterPanel;
class THeaderDragButton;
class TArrowWindow;
class TFloatingFooter;
class TDragDropSettings;
class TDragScrollOptions;
class TControlLook;
class TBackGround;
class THTMLHintWindow;
class TGridProgressAppearance;
class TBalloonSettings;
class THTMLPictureCache;
class TCustomImageList;
class TPictureContainer;
class TEditLink;
class TExStringGridCheck;
struct TCellPaintRecord;
struct THTMLDrawArgs;
enum TControlStyle : std::uint8_t;
class TGridEditorSet;
void DeleteGridEditorSet(TGridEditorSet* s);
class TCellControlEditors;
class TControlEdit;
class TControlCombo;
void DeleteCellControlEditors(TCellControlEditors* s);
class TExInplaceEdit;
class TGridModel;
class TExStringGridPrivate;
class TGridHiddenRows;
struct THiddenRowItem;

// The choice of the grid's colour and image drop-down pickers, as the
// grid's selection events report it (the pickers implement these).
class IGridColorPicker {
public:
    virtual ~IGridColorPicker() = default;
    virtual TColor SelectedColor() const = 0;
    virtual std::string SelectedColorText() const = 0;
};
class IGridImagePicker {
public:
    virtual ~IGridImagePicker() = default;
    virtual int ItemIndex() const = 0;
};

// --- events ------------------------------------------------------------------------

using TCanEditCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& CanEdit)>;
using TGridHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, std::string& hintstr)>;
using TGridWideHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, WideString& hintstr)>;
using TGridColorEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush* ABrush, TFont* AFont)>;
using TGridBorderEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TPen* APen, TCellBorders& Borders)>;
using TGridAlignEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TGridFormatEvent = std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle, std::string& aPrefix,
                                            std::string& aSuffix)>;
using TGetEditorTypeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsFixed)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsPassword)>;
using TWordWrapEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& WordWrap)>;
using THasComboEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasComboBox)>;
using THasSpinEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasSpinEdit)>;
using TGetCheckEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TGetColumnFilterEvent = std::function<void(TObject* Sender, int Column, TStringList* Filter)>;
using TCellCursorEvent = std::function<void(TObject* Sender, int ACol, int ARow, int X, int Y, TCursor& ACursor)>;
using TSearchFooterActionEvent = std::function<void(TObject* Sender, const std::string& Value, int ACol, int ARow,
                                                    TSearchAction SearchAction)>;
using TButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TExpandClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool Expanded)>;
using TClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TDateTimeChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, double ADateTime)>;
using TEditChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TRect& R)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TGetEditorPropEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink)>;
using TGetEditorPropIntEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanInsert)>;
using TAutoDeleteRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TSaveCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TLoadCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TClickSortEvent = std::function<void(TObject* Sender, int ACol)>;
using TRowUpdateEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TRowChangedEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TColorSelectEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TColor Color, const std::string& Value)>;
using TImageSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, int Index)>;
using TGridNotifyEvent = std::function<void(TObject* Sender)>;
