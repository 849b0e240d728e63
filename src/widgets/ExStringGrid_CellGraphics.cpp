// TExStringGrid: the cell graphics besides check boxes and radio controls
// (images, pictures, progress bars, comments, shapes, ratings, scroll bars,
// markers, buttons, balloons, expand buttons, rotated text, objects that
// draw themselves): attaching, reading, changing and removing them. The
// painter draws them from the fields written here.

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"

#include "widgets/GridControlLook.h"

#include "platform/ImgList.h"

#include <cmath>
#include <memory>

namespace {

bool IsBalloonCarrier(TCellType t) { return t == ctCheckBox || t == ctDataCheckBox || t == ctRadioButton; }

} // namespace

// --- bitmaps, icons, pictures ------------------------------------------------------------------

void TExStringGrid::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, hal, val);
}

TBitmap* TExStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* bmp = new TBitmap;
    g->SetBitmap(bmp, Transparent, hal, val);
    g->CellCreated = true;
    return bmp;
}

TBitmap* TExStringGrid::GetBitmap(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctBitmap ? dynamic_cast<TBitmap*>(g->CellBitmap) : nullptr;
}

void TExStringGrid::RemoveBitmap(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }

void TExStringGrid::AddIcon(int ACol, int ARow, TBitmap* AIcon, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, hal, val);
}

TBitmap* TExStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* icon = new TBitmap;
    g->SetIcon(icon, hal, val);
    g->CellCreated = true;
    return icon;
}

void TExStringGrid::RemoveIcon(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctIcon); }

void TExStringGrid::AddPicture(int ACol, int ARow, TBitmap* APicture, bool Transparent, TStretchMode StretchMode,
                               int Padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetPicture(APicture, Transparent, StretchMode, Padding, hal, val);
}

TBitmap* TExStringGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                      TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* pic = new TBitmap;
    g->SetPicture(pic, Transparent, StretchMode, Padding, hal, val);
    g->CellCreated = true;
    return pic;
}

TBitmap* TExStringGrid::GetPicture(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctPicture ? dynamic_cast<TBitmap*>(g->CellBitmap) : nullptr;
}

void TExStringGrid::RemovePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctPicture); }

void TExStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent,
                                   TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetFilePicture(AFilePicture, Transparent, StretchMode, Padding, hal, val);
}

TFilePicture* TExStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                               int Padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* pic = new TFilePicture;
    g->SetFilePicture(pic, Transparent, StretchMode, Padding, hal, val);
    g->CellCreated = true;
    return pic;
}

TFilePicture* TExStringGrid::GetFilePicture(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctFilePicture ? dynamic_cast<TFilePicture*>(g->CellBitmap) : nullptr;
}

void TExStringGrid::RemoveFilePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctFilePicture); }

// --- image lists ----------------------------------------------------------------------------------

void TExStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!FParts->FGridImages) return;
    CreateCellGraphic(ACol, ARow)->SetImageIdx(Aidx, hal, val);
}

bool TExStringGrid::GetImageIdx(int ACol, int ARow, int& idx)
{
    if (!FParts->FGridImages || GetCellType(ACol, ARow) != ctImageList) return false;
    idx = GetCellGraphic(ACol, ARow)->CellIndex;
    return true;
}

void TExStringGrid::SetImageIdx(int ACol, int ARow, int Idx)
{
    if (!FParts->FGridImages || GetCellType(ACol, ARow) != ctImageList) return;
    GetCellGraphic(ACol, ARow)->CellIndex = Idx;
    RepaintCell(Model().DisplCol(ACol), ARow);
}

void TExStringGrid::RemoveImageIdx(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImageList); }

void TExStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!FParts->FGridImages) return;
    CreateCellGraphic(ACol, ARow)->SetDataImage(Aidx, hal, val);
    if (Cells(ACol, ARow).empty()) SetInts(ACol, ARow, Aidx);
}

bool TExStringGrid::HasDataImage(int ACol, int ARow) { return FParts->HasCellGraphicType(ACol, ARow, {ctDataImage}); }

void TExStringGrid::RemoveDataImage(int ACol, int ARow)
{
    if (RemoveCellGraphicOfType(ACol, ARow, ctDataImage)) SetCells(ACol, ARow, "");
}

void TExStringGrid::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val)
{
    if (!FParts->FGridImages) return;
    // A change of the index list repaints the cell (wherever its column is
    // shown by then).
    auto repaint = [this](TObject*, int c, int r) { RepaintCell(Model().DisplCol(c), r); };
    CreateCellGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Dir, hal, val, repaint);
}

void TExStringGrid::RemoveMultiImage(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImages); }

// --- progress, pies, range indicators ------------------------------------------------------------

void TExStringGrid::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                         TColor BKTextColor, const std::string& Fmt, int Min, int Max)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctProgress;
    g->CellBitmapColor = FGColor;
    g->CellIconColor = BKColor;
    g->CellIndex = static_cast<int>(FGTextColor);
    g->CellAngle = static_cast<int>(BKTextColor);
    g->CellBoolean = true;
    g->CellErrFrom = Min;
    g->CellErrLen = Max;
    g->CellText = Fmt;
    g->CellHAlign = haLeft;
    g->CellVAlign = vaTop;
    if (AutoNumAlign) SetAlignments(ACol, ARow, TAlignment::taRightJustify);
}

void TExStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                  TColor BKTextColor)
{
    AddProgressFormatted(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, "", 0, 100);
}

void TExStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor)
{
    AddProgressFormatted(ACol, ARow, FGColor, 0, BKColor, 0, "", 0, 100);
    GetCellGraphic(ACol, ARow)->CellBoolean = false; // no text colours of its own
}

bool TExStringGrid::HasProgress(int ACol, int ARow) { return FParts->HasCellGraphicType(ACol, ARow, {ctProgress}); }

void TExStringGrid::RemoveProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgress); }

void TExStringGrid::AddExProgress(int ACol, int ARow, int Min, int Max)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctXPProgress;
    g->CellErrFrom = Min;
    g->CellErrLen = Max;
    g->CellBoolean = false;
    g->CellText.clear();
}

void TExStringGrid::RemoveExProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctXPProgress); }

void TExStringGrid::AddProgressPie(int ACol, int ARow, TColor Color, int Value)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctProgressPie;
    g->CellBitmapColor = Color;
    g->CellAngle = Value;
    g->CellHAlign = haBeforeText;
    g->CellVAlign = vaTop;
}

void TExStringGrid::SetProgressPie(int ACol, int ARow, int Value)
{
    if (GetCellType(ACol, ARow) != ctProgressPie) return;
    GetCellGraphic(ACol, ARow)->CellAngle = Value;
    RepaintCell(Model().DisplCol(ACol), ARow);
}

void TExStringGrid::RemoveProgressPie(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgressPie); }

void TExStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                                      bool ShowValue)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctRangeIndicator;
    g->CellIndex = Range;
    g->CellBitmapColor = NegColor;
    g->CellIconColor = PosColor;
    g->CellBoolean = ShowValue;
    g->CellHAlign = haLeft;
    g->CellVAlign = vaTop;
}

void TExStringGrid::RemoveRangeIndicator(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator);
}

// --- comments ---------------------------------------------------------------------------------------

void TExStringGrid::AddColorComment(int ACol, int ARow, const std::string& Comment, TColor Color)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctComment;
    g->CellText = Comment;
    g->CellIndex = static_cast<int>(Color);
    g->CellHAlign = haLeft;
    g->CellVAlign = vaTop;
}

void TExStringGrid::AddComment(int ACol, int ARow, const std::string& Comment)
{
    AddColorComment(ACol, ARow, Comment, FParts->FControlLook ? FParts->FControlLook->CommentColor() : 0x0000FF);
}

bool TExStringGrid::IsComment(int ACol, int ARow, std::string& comment)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctComment) return false;
    comment = g->CellText;
    return true;
}

std::string TExStringGrid::GetComment(int ACol, int ARow)
{
    std::string s;
    return IsComment(ACol, ARow, s) ? s : std::string();
}

void TExStringGrid::SetComment(int ACol, int ARow, const std::string& Value)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        AddComment(ACol, ARow, Value);
    else if (g->CellType == ctComment)
        g->CellText = Value;
}

void TExStringGrid::RemoveComment(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctComment); }

void TExStringGrid::RemoveAllComments()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r) RemoveComment(Model().RealCol(c), r);
}

// --- shapes and ratings ----------------------------------------------------------------------------

void TExStringGrid::AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                             TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctShape;
    g->CellAngle = Shape;
    g->CellIndex = static_cast<int>(FillColor);
    g->CellBitmapColor = LineColor;
    g->CellHAlign = hal;
    g->CellVAlign = val;
}

void TExStringGrid::SetShapeColor(int ACol, int ARow, TColor FillColor)
{
    if (GetCellType(ACol, ARow) == ctShape) GetCellGraphic(ACol, ARow)->CellIndex = static_cast<int>(FillColor);
}

TColor TExStringGrid::GetShapeColor(int ACol, int ARow)
{
    if (GetCellType(ACol, ARow) != ctShape) return clNone;
    return static_cast<TColor>(GetCellGraphic(ACol, ARow)->CellIndex);
}

void TExStringGrid::RemoveShape(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctShape); }

void TExStringGrid::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctRating;
    g->CellAngle = Scale;
    g->CellIndex = static_cast<int>(FillColor);
    g->CellBitmapColor = EmptyColor;
    g->CellHAlign = haFull;
}

bool TExStringGrid::HasRating(int ACol, int ARow) { return FParts->HasCellGraphicType(ACol, ARow, {ctRating}); }

void TExStringGrid::RemoveRating(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRating); }

bool TExStringGrid::FireRatingChange(int ACol, int ARow, double& NewRate)
{
    bool allow = true;
    if (OnRatingChange) OnRatingChange(this, ACol, ARow, NewRate, allow);
    return allow;
}

// --- in-cell scroll bars ----------------------------------------------------------------------------

void TExStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctScrollbar;
    g->CellIndex = 0;
    g->CellAngle = 0;
    g->CellErrFrom = 100;
    g->CellBoolean = AutoRange;
    if (AutoRange) CellWritten(ACol, ARow);
}

bool TExStringGrid::HasScrollBar(int ACol, int ARow) { return FParts->HasCellGraphicType(ACol, ARow, {ctScrollbar}); }

bool TExStringGrid::HasAutoRangeScrollBar(int ACol, int ARow)
{
    if (!HasScrollBar(ACol, ARow)) return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellGraphic(b.X, b.Y)->CellBoolean;
}

namespace {

// The scroll bar of the base cell of (ACol, ARow), or nullptr.
TCellGraphic* ScrollBarOf(TExStringGrid& g, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return nullptr;
    const TPoint b = g.BaseCell(ACol, ARow);
    TCellGraphic* s = g.GetCellGraphic(b.X, b.Y);
    return s && s->CellType == ctScrollbar ? s : nullptr;
}

} // namespace

void TExStringGrid::SetScrollPosition(int ACol, int ARow, int Pos)
{
    TCellGraphic* s = ScrollBarOf(*this, ACol, ARow);
    if (!s) return;
    s->CellIndex = Pos;
    RepaintCell(Model().DisplCol(ACol), ARow);
}

int TExStringGrid::GetScrollPosition(int ACol, int ARow)
{
    const TCellGraphic* s = ScrollBarOf(*this, ACol, ARow);
    return s ? s->CellIndex : -1;
}

void TExStringGrid::SetScrollProp(int ACol, int ARow, TScrollProp Prop)
{
    TCellGraphic* s = ScrollBarOf(*this, ACol, ARow);
    if (!s) return;
    s->CellAngle = Prop.PageSize;
    s->CellErrFrom = Prop.Range;
}

TScrollProp TExStringGrid::GetScrollProp(int ACol, int ARow)
{
    const TCellGraphic* s = ScrollBarOf(*this, ACol, ARow);
    if (!s) return {-1, -1};
    return {s->CellAngle, s->CellErrFrom};
}

void TExStringGrid::RemoveScrollBar(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctScrollbar); }

// After a cell was written: a scroll bar with automatic range follows its
// cell's text (its page is the row's height, its range the height of the
// text broken into the cell's width).
void TExStringGrid::CellWritten(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ARow >= RowCount() || GetCellType(ACol, ARow) != ctScrollbar) return;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g->CellBoolean) return;
    const int d = Model().DisplCol(ACol);
    const TFont saved = Canvas()->Font();
    FParts->SetMeasureFont(ACol, d, ARow, true);
    const int h = AutoSizeTextExtent(ACol, d, ARow, true).cy;
    Canvas()->Font().Assign(saved);
    g->CellAngle = RowHeights(ARow);
    g->CellErrFrom = h;
}

// --- markers ---------------------------------------------------------------------------------------

void TExStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) {
        g = CreateCellGraphic(ACol, ARow);
        g->CellType = ctEmpty;
    }
    g->CellErrFrom = ErrPos;
    g->CellErrLen = ErrLen;
    RepaintCell(Model().DisplCol(ACol), ARow);
}

void TExStringGrid::GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    ErrPos = g ? g->CellErrFrom : 0;
    ErrLen = g ? g->CellErrLen : 0;
}

void TExStringGrid::RemoveMarker(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    if (g->CellType == ctEmpty) {
        RemoveCellGraphic(ACol, ARow);
        return;
    }
    g->CellErrFrom = 0;
    g->CellErrLen = 0;
    RepaintCell(Model().DisplCol(ACol), ARow);
}

void TExStringGrid::RemoveAllMarkers()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r) RemoveMarker(Model().RealCol(c), r);
}

// --- buttons ----------------------------------------------------------------------------------------

void TExStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const std::string& Caption, TCellHAlign hal,
                              TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetButton(bw, bh, Caption, hal, val);
}

void TExStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const std::string& Caption, TBitmap* Glyph,
                                 TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitButton(bw, bh, Caption, Glyph, hal, val);
}

TBitmap* TExStringGrid::CreateBitButton(int ACol, int ARow, int bw, int bh, const std::string& Caption,
                                        TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* glyph = new TBitmap;
    g->SetBitButton(bw, bh, Caption, glyph, hal, val);
    g->CellCreated = true;
    return glyph;
}

void TExStringGrid::SetButtonText(int ACol, int ARow, const std::string& Value)
{
    TCellGraphic* g = GetCellGraphic(Model().RealCol(ACol), ARow);
    if (!g) return;
    g->CellText = Value;
    RepaintCell(ACol, ARow);
}

std::string TExStringGrid::GetButtonText(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(Model().RealCol(ACol), ARow);
    return g ? g->CellText : std::string();
}

void TExStringGrid::PushButton(int ACol, int ARow, bool push)
{
    TCellGraphic* g = GetCellGraphic(Model().RealCol(ACol), ARow);
    if (!g || g->CellType == ctNode) return;
    g->CellBoolean = push;
    RepaintCell(ACol, ARow);
}

bool TExStringGrid::HasButton(int ACol, int ARow)
{
    return FParts->HasCellGraphicType(ACol, ARow, {ctButton, ctBitButton});
}

void TExStringGrid::RemoveButton(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctButton);
    RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TExStringGrid::RemoveBitButton(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitButton); }

void TExStringGrid::RemoveAllButtons()
{
    for (int c = 0; c < ColCount(); ++c) {
        const int rc = Model().RealCol(c);
        for (int r = 0; r < RowCount(); ++r)
            if (HasButton(rc, r)) RemoveCellGraphic(rc, r);
    }
}

// --- balloons ---------------------------------------------------------------------------------------

void TExStringGrid::AddBalloon(int ACol, int ARow, const std::string& Title, const std::string& Text,
                               TBalloonIcon Icon)
{
    auto list = std::make_unique<TCellStrings>();
    list->Add(Title);
    list->Add(Text);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g) {
        // Only a box of the cell's own carries a balloon (a shared one
        // never does).
        if (!IsBalloonCarrier(g->CellType)) return;
        if (g->CellAngle == 1) delete g->CellBitmap; // a balloon attached before
        g->CellAngle = 1;
        g->CellBitmap = list.release();
        g->CellIndex = Icon;
        return;
    }
    g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctBalloon;
    g->CellBitmap = list.release();
    g->CellIndex = Icon;
}

bool TExStringGrid::IsBalloon(int ACol, int ARow, std::string& Title, std::string& Text, TBalloonIcon& Icon)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    const bool own = g->CellType == ctBalloon;
    const bool attached = IsBalloonCarrier(g->CellType) && g->CellAngle == 1;
    if (!own && !attached) return false;
    const auto* list = dynamic_cast<const TCellStrings*>(g->CellBitmap);
    Title = list && list->Count() > 0 ? list->Strings(0) : std::string();
    Text = list && list->Count() > 1 ? list->Strings(1) : std::string();
    Icon = static_cast<TBalloonIcon>(g->CellIndex);
    return true;
}

bool TExStringGrid::HasBalloon(int ACol, int ARow)
{
    std::string title, text;
    TBalloonIcon icon = biNone;
    return IsBalloon(ACol, ARow, title, text, icon);
}

void TExStringGrid::RemoveBalloon(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    if (IsBalloonCarrier(g->CellType)) {
        if (g->CellAngle == 1) {
            delete g->CellBitmap;
            g->CellBitmap = nullptr;
            g->CellAngle = 0;
        }
        return;
    }
    RemoveCellGraphicOfType(ACol, ARow, ctBalloon);
}

// --- expand cells -----------------------------------------------------------------------------------

namespace {

TCellGraphic* ExpandOf(TExStringGrid& g, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return nullptr;
    const TPoint b = g.BaseCell(ACol, ARow);
    TCellGraphic* e = g.GetCellGraphic(b.X, b.Y);
    return e && e->CellType == ctExpand ? e : nullptr;
}

bool ExpandFlag(const TCellGraphic& g)
{
    const bool* b = std::get_if<bool>(&g.CellVar);
    return b && *b;
}

} // namespace

void TExStringGrid::AddExpand(int ACol, int ARow, int ExpandedHeight)
{
    const int collapsed = RowHeights(ARow);
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctExpand;
    g->CellAngle = ExpandedHeight;
    g->CellIndex = collapsed;
    g->CellVar = false;
}

bool TExStringGrid::HasExpand(int ACol, int ARow) { return ExpandOf(*this, ACol, ARow) != nullptr; }

bool TExStringGrid::ToggleExpand(int ACol, int ARow)
{
    TCellGraphic* g = ExpandOf(*this, ACol, ARow);
    if (!g) return false;
    g->CellVar = !ExpandFlag(*g);
    return ExpandFlag(*g);
}

bool TExStringGrid::GetExpandState(int ACol, int ARow)
{
    const TCellGraphic* g = ExpandOf(*this, ACol, ARow);
    return g && ExpandFlag(*g);
}

int TExStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded)
{
    const TCellGraphic* g = ExpandOf(*this, ACol, ARow);
    if (!g) return DefaultRowHeight();
    return Expanded ? g->CellAngle : g->CellIndex;
}

void TExStringGrid::RemoveExpand(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctExpand); }

TRect TExStringGrid::ExpandButtonRect(int ACol, int ARow)
{
    if (!ExpandOf(*this, ACol, ARow)) return {};
    const TRect r = CellRect(Model().DisplCol(ACol), ARow);
    return {r.Right - 13, r.Top + 2, r.Right - 2, r.Top + 13};
}

// --- rotated text -------------------------------------------------------------------------------------

void TExStringGrid::AddRotated(int ACol, int ARow, std::int16_t AAngle, const std::string& s)
{
    CreateCellGraphic(ACol, ARow)->SetAngle(AAngle);
    SetCells(ACol, ARow, s);
}

void TExStringGrid::SetRotated(int ACol, int ARow, std::int16_t AAngle)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    // A graphic of the cell's own turns into rotated text. One shared with
    // other cells is never changed, and one holding objects is replaced, so
    // that they are freed with it rather than lost.
    if (!g || IsSharedCellGraphic(g) || g->CellBitmap || g->CellIcon) g = CreateCellGraphic(ACol, ARow);
    g->SetAngle(AAngle);
    RepaintCell(Model().DisplCol(ACol), ARow);
}

bool TExStringGrid::IsRotated(int ACol, int ARow, int& aAngle)
{
    if (GetCellType(ACol, ARow) != ctRotated) return false;
    aAngle = GetCellGraphic(ACol, ARow)->CellAngle;
    return true;
}

void TExStringGrid::RemoveRotated(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRotated); }

// --- objects that draw themselves ---------------------------------------------------------------------

void TExStringGrid::AddInterfacedCell(int ACol, int ARow, TPersistent* AObject)
{
    CreateCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
}

TPersistent* TExStringGrid::GetInterfacedCell(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctInterface ? dynamic_cast<TPersistent*>(g->CellBitmap) : nullptr;
}

void TExStringGrid::RemoveInterfacedCell(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctInterface); }

// --- where the painter placed a graphic ----------------------------------------------------------------

TRect TExStringGrid::GraphicRectInCell(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(Model().RealCol(ACol), ARow);
    if (!g) return {};
    const TRect cell = CellRect(ACol, ARow);
    const auto offset = static_cast<std::uint32_t>(static_cast<long long>(std::lround(g->CellValue)));
    const auto size = static_cast<std::uint32_t>(g->CellIndex);
    TRect r;
    r.Left = cell.Left + static_cast<int>(offset & 0xFFFF);
    r.Top = cell.Top + static_cast<int>(offset >> 16);
    r.Right = r.Left + static_cast<int>(size & 0xFFFF);
    r.Bottom = r.Top + static_cast<int>(size >> 16);
    if (g->CellVAlign == vaFull) {
        r.Top = cell.Top;
        r.Bottom = cell.Bottom;
    }
    if (g->CellHAlign == haFull) {
        r.Left = cell.Left;
        r.Right = cell.Right;
    }
    return r;
}
