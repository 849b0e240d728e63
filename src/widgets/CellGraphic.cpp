#include "widgets/CellGraphic.h"

#include "widgets/BaseGrid.h"

#include <cmath>

// --- TCellGraphic ---------------------------------------------------------------

void TCellGraphic::ReleaseObjects()
{
    switch (CellType) {
    case ctBitmap:
    case ctNode:
    case ctRadio: // a list made by CreateRadio; a caller's list stays
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        if (CellCreated) delete CellBitmap;
        break;
    case ctImages:
    case ctBalloon:
        delete CellBitmap;
        break;
    case ctIcon:
        if (CellCreated) delete CellIcon;
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
        if (CellAngle == 1) delete CellBitmap;
        break;
    default:
        break;
    }
    CellBitmap = nullptr;
    CellIcon = nullptr;
}

TCellGraphic::~TCellGraphic() { ReleaseObjects(); }

void TCellGraphic::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TCellGraphic*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    ReleaseObjects();
    CellType = src->CellType;
    CellVAlign = src->CellVAlign;
    CellHAlign = src->CellHAlign;
    CellIndex = src->CellIndex;
    CellTransparent = src->CellTransparent;
    CellValue = src->CellValue;
    CellAngle = src->CellAngle;
    CellBoolean = src->CellBoolean;
    CellErrFrom = src->CellErrFrom;
    CellErrLen = src->CellErrLen;
    CellText = src->CellText;
    CellCreated = src->CellCreated;
}

void TCellGraphic::SetBitmap(TObject* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctBitmap;
    CellBitmap = ABmp;
    CellHAlign = hal;
    CellVAlign = val;
    CellTransparent = Transparent;
}

void TCellGraphic::SetIcon(TObject* aicon, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctIcon;
    CellIcon = aicon;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctImageList;
    CellIndex = idx;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetDataImage(int idx, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctDataImage;
    CellIndex = idx;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val,
                                 TImageChangeEvent Notifier)
{
    CellType = ctImages;
    CellHAlign = hal;
    CellVAlign = val;
    CellBoolean = dir == 0;
    auto* list = new TIntList(Col, Row);
    list->OnChange = std::move(Notifier);
    CellBitmap = list;
    CellCreated = true;
}

void TCellGraphic::SetPicture(TObject* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                              TCellHAlign hal, TCellVAlign val)
{
    CellType = ctPicture;
    CellHAlign = hal;
    CellVAlign = val;
    CellBitmap = APicture;
    CellTransparent = Transparent;
    CellAngle = StretchMode;
    CellIndex = padding;
}

void TCellGraphic::SetFilePicture(TObject* APicture, bool Transparent, TStretchMode stretchmode, int padding,
                                  TCellHAlign hal, TCellVAlign val)
{
    SetPicture(APicture, Transparent, stretchmode, padding, hal, val);
    CellType = ctFilePicture;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    CellType = Data ? ctDataCheckBox : ctCheckBox;
    CellAngle = 0;
    CellBoolean = Value;
    CellHAlign = hal;
    CellVAlign = val;
    CellTransparent = Flat;
}

void TCellGraphic::SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctTriStateCheckBox;
    CellCheckBoxState = Value;
    CellBoolean = false;
    CellHAlign = hal;
    CellVAlign = val;
    CellTransparent = Flat;
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctRadioButton;
    CellAngle = 0;
    CellBoolean = Value;
    CellHAlign = hal;
    CellVAlign = val;
    CellTransparent = Flat;
}

void TCellGraphic::SetButton(int bw, int bh, const std::string& caption, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctButton;
    CellHAlign = hal;
    CellVAlign = val;
    CellIndex = static_cast<int>((static_cast<std::uint32_t>(bh) << 16) | (static_cast<std::uint32_t>(bw) & 0xFFFFu));
    CellBoolean = false;
    CellText = caption;
}

void TCellGraphic::SetBitButton(int bw, int bh, const std::string& caption, TObject* Glyph, TCellHAlign hal,
                                TCellVAlign val)
{
    SetButton(bw, bh, caption, hal, val);
    CellType = ctBitButton;
    CellBitmap = Glyph;
}

void TCellGraphic::SetAngle(std::int16_t AAngle)
{
    CellType = ctRotated;
    int a = AAngle;
    while (a < 0) a += 360;
    while (a > 360) a -= 360;
    CellAngle = a;
}

void TCellGraphic::SetInterfacedCell(TObject* AObject)
{
    CellType = ctInterface;
    CellBitmap = AObject;
}

TPoint TCellGraphic::GetPictureSize(int cw, int rh, bool /*hastext*/, TPoint result) const
{
    if (CellType != ctPicture && CellType != ctFilePicture) return result;
    int w = 0, h = 0;
    if (const auto* ps = dynamic_cast<const IPictureSize*>(CellBitmap)) {
        w = ps->PictureWidth();
        h = ps->PictureHeight();
    } else if (const auto* bmp = dynamic_cast<const TBitmap*>(CellBitmap)) {
        w = bmp->Width();
        h = bmp->Height();
    }
    const int a = cw - CellIndex;
    const int b = rh - CellIndex;
    auto fitted = [&](double rx, double ry) {
        if (rx >= ry) return TPoint{static_cast<int>(std::nearbyint(w * ry)), b};
        return TPoint{a, static_cast<int>(std::nearbyint(h * rx))};
    };
    const double rx = w <= 0 ? 1.0 : static_cast<double>(a) / w;
    const double ry = h <= 0 ? 1.0 : static_cast<double>(b) / h;
    const bool fits = a >= w && b >= h;
    switch (static_cast<TStretchMode>(CellAngle)) {
    case Stretch: return {a, b};
    case StretchWithAspectRatio: return fitted(rx, ry);
    case Shrink: return fits ? TPoint{w, h} : TPoint{a, b};
    case ShrinkWithAspectRatio: return fits ? TPoint{w, h} : fitted(std::min(rx, 1.0), std::min(ry, 1.0));
    default: return {w, h};
    }
}

TCheckBoxState BoolToCheckBoxState(bool bChecked) { return bChecked ? cbChecked : cbUnchecked; }

// --- TCellNode -------------------------------------------------------------------------

template <class T>
void TCellNode::Change(T& field, T v)
{
    if (field == v) return;
    field = v;
    if (FOwner) FOwner->Invalidate();
}

void TCellNode::SetNodeType(TNodeType v) { Change(FNodeType, v); }
void TCellNode::SetShowTree(bool v) { Change(FShowTree, v); }
void TCellNode::SetShowTreeFull(bool v) { Change(FShowTreeFull, v); }
void TCellNode::SetTreeColor(TColor v) { Change(FTreeColor, v); }
void TCellNode::SetNodeIndent(int v) { Change(FNodeIndent, v); }

void TCellNode::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TCellNode*>(Source);
    if (!s || s == this) return;
    Color = s->Color;
    FNodeType = s->FNodeType;
    NodeColor = s->NodeColor;
    FExpandGlyph.Assign(&s->FExpandGlyph);
    ExpandOne = s->ExpandOne;
    FContractGlyph.Assign(&s->FContractGlyph);
    FShowTree = s->FShowTree;
    FShowTreeFull = s->FShowTreeFull;
    FNodeIndent = s->FNodeIndent;
    FTreeColor = s->FTreeColor;
}

// --- TColumnSize -----------------------------------------------------------------------

void TColumnSize::SetStretch(bool x)
{
    FStretch = x;
    if (OnStretchChanged) OnStretchChanged();
}

void TColumnSize::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TColumnSize*>(Source);
    if (!s || s == this) return;
    Save = s->Save;
    Key = s->Key;
    Section = s->Section;
    FStretch = s->FStretch;
    StretchColumn = s->StretchColumn;
    SynchWithGrid = s->SynchWithGrid;
    SynchNormalCellsOnly = s->SynchNormalCellsOnly;
    Location = s->Location;
    Rows = s->Rows;
}

void TSizeWhileTyping::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TSizeWhileTyping*>(Source);
    if (!s) return;
    Height = s->Height;
    Width = s->Width;
}
