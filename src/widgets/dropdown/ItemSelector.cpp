// The item selector: items, layout, painting, mouse, moves and lookup.

#include "widgets/dropdown/ItemSelector.h"

#include "platform/HintWindow.h"
#include "platform/ImgList.h"
#include "platform/SysUtils.h"
#include "widgets/GridDraw.h"
#include "widgets/dropdown/DropDownDraw.h"
#include "widgets/grid_render/Html_Render.h"

#include <algorithm>

namespace {

// The box captions are measured in.
const TRect MeasureBox{0, 0, 1000, 500};

TWinControl* CheckedOwner(TWinControl* AOwner)
{
    if (!dynamic_cast<TExCustomItemSelector*>(AOwner)) throw Exception("Invalid parent");
    return AOwner;
}

bool Intersects(const TRect& a, const TRect& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

} // namespace

// --- items --------------------------------------------------------------------------------

void TSelectorItem::NotifyChange()
{
    auto* items = dynamic_cast<TSelectorItems*>(Collection());
    if (items && items->OnChange) items->OnChange(items);
}

void TSelectorItem::SetCaption(const std::string& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    NotifyChange();
}

void TSelectorItem::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    NotifyChange();
}

void TSelectorItem::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    NotifyChange();
}

void TSelectorItem::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TSelectorItem*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    if (s == this) return;
    SetCaption(s->FCaption);
    SetColor(s->FColor);
    SetImageIndex(s->FImageIndex);
    FImage.Assign(&s->FImage);
    FEnabled = s->FEnabled;
    FHint = s->FHint;
}

TSelectorItems::TSelectorItems(TExCustomItemSelector* AOwner)
    : TCollection([](TCollection* c) { return new TSelectorItem(c); }), FMyOwner(AOwner)
{
}

// --- the panel ----------------------------------------------------------------------------

TCustomItemSelector::TCustomItemSelector(TWinControl* AOwner)
    : TCustomControl(CheckedOwner(AOwner)), FExItemSelector(static_cast<TExCustomItemSelector*>(AOwner))
{
    SetMouseTracking(true);
    SetTabStop(false);
    SetFocusOnClick(false);
}

int TCustomItemSelector::Columns() const { return FExItemSelector->Columns(); }
TSelectorItems& TCustomItemSelector::Items() const { return FExItemSelector->Items(); }
TSelectorType TCustomItemSelector::SelectorType() const { return FExItemSelector->SelectorType(); }
TCustomImageList* TCustomItemSelector::Images() const { return FExItemSelector->Images(); }
TSelectionColorStyle TCustomItemSelector::ItemColorStyle() const
{
    return FExItemSelector->ItemAppearance().ColorStyle();
}
TColor TCustomItemSelector::ItemColorHot() const { return FExItemSelector->ItemAppearance().ColorHot; }
TColor TCustomItemSelector::ItemColorHotTo() const { return FExItemSelector->ItemAppearance().ColorHotTo; }
TColor TCustomItemSelector::ItemColorSelected() const { return FExItemSelector->ItemAppearance().ColorSelected; }
TColor TCustomItemSelector::ItemColorSelectedTo() const
{
    return FExItemSelector->ItemAppearance().ColorSelectedTo;
}
int TCustomItemSelector::ColorBoxWidth() const { return FExItemSelector->ColorBoxWidth(); }
int TCustomItemSelector::ColorBoxHeight() const { return FExItemSelector->ColorBoxHeight(); }

bool TCustomItemSelector::ValidIndex(int Index) const { return Index >= 0 && Index < Items().Count(); }

bool TCustomItemSelector::IsDisabledItem(int Index) const
{
    return ValidIndex(Index) && !Items().Items(Index)->Enabled();
}

void TCustomItemSelector::GetContentRect(TRect& R) const
{
    R = TRect{FOffSetX, FOffSetY, Width() - FOffSetX, Height() - FOffSetY};
}

void TCustomItemSelector::GetItemRect(int Index, TRect& R) const
{
    R = ValidIndex(Index) ? Items().Items(Index)->ItemRect() : TRect{-1, -1, -1, -1};
}

int TCustomItemSelector::ItemAtPos(int X, int Y) const
{
    const TSelectorItems& items = Items();
    for (int i = 0; i < items.Count(); ++i) {
        const TRect& r = items.Items(i)->ItemRect();
        if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom) return i;
    }
    return -1;
}

void TCustomItemSelector::GetItemSize(TSize& ASize)
{
    if (FExItemSelector->OnItemSize) {
        FExItemSelector->OnItemSize(this, ASize);
        return;
    }
    const bool color = SelectorType() == stColor;
    int a = color ? ColorBoxWidth() : 0, b = color ? ColorBoxHeight() : 0, c = 0, d = 0;
    TBitmap scratch(1, 1);
    TCanvas& canvas = scratch.Canvas();
    canvas.Font().Assign(FExItemSelector->ItemAppearance().Font());
    TCustomImageList* images = Images();
    const TSelectorItems& items = Items();
    for (int i = 0; i < items.Count(); ++i) {
        const TSelectorItem& item = *items.Items(i);
        if (!color) {
            if (!item.Image().Empty()) {
                a = std::max(a, item.Image().Width());
                b = std::max(b, item.Image().Height());
            } else if (images && item.ImageIndex() >= 0) {
                a = std::max(a, images->Width());
                b = std::max(b, images->Height());
            }
        }
        TPoint size;
        DrawHTMLCaption(canvas, item.Caption(), MeasureBox, images, true, nullptr, size);
        c = std::max(c, size.X);
        d = std::max(d, size.Y);
    }
    if (c > 0) c += 4;
    switch (FExItemSelector->ItemLayout()) {
    case ilCaptionLeft:
    case ilCaptionRight:
        ASize.cx = 2 * FItemOffSetX + (a > 0 ? a : 0) + (a > 0 && c > 0 ? FCaptionGap : 0) + (c > 0 ? c : 0);
        ASize.cy = std::max(d, b) + 2 * FItemOffSetY;
        break;
    case ilCaptionTop:
    case ilCaptionBottom:
        ASize.cx = std::max(c, a) + 2 * FItemOffSetX;
        ASize.cy = 2 * FItemOffSetY + (b > 0 ? b : 0) + (b > 0 && d >= 1 ? FCaptionGap : 0) + (d >= 1 ? d : 0);
        break;
    }
}

void TCustomItemSelector::UpdateLayout()
{
    TSelectorItems& items = Items();
    if (items.Count() == 0) {
        SetBounds(Left(), Top(), 100, 50);
        FExItemSelector->UpdateScrollRange();
        return;
    }
    FItemHot = -1;
    TSize size{0, 0};
    GetItemSize(size);
    const int w = size.cx, h = size.cy;
    TRect content;
    GetContentRect(content);
    const int x0 = content.Left, y0 = content.Top, columns = std::max(1, Columns());
    int x = x0, y = y0, largestX = x0, inRow = 0;
    for (int i = 0; i < items.Count(); ++i) {
        items.Items(i)->SetItemRect({x, y, x + w, y + h});
        largestX = std::max(largestX, x);
        if (i == items.Count() - 1) break;
        if (++inRow < columns) {
            x += w;
        } else {
            inRow = 0;
            x = x0;
            y += h;
        }
    }
    SetBounds(Left(), Top(), largestX + w + x0, y + h + y0);
    FExItemSelector->UpdateScrollRange();
}

void TCustomItemSelector::DrawItem(int Index, TCanvas* Canvas)
{
    if (!ValidIndex(Index) || !Canvas || !FExItemSelector) return;
    const TSelectorItem& item = *Items().Items(Index);
    const TRect R = item.ItemRect();
    if (R.Left < 0 && R.Right < 0) return;
    const TItemAppearance& a = FExItemSelector->ItemAppearance();
    const TColor panelColor = FExItemSelector->Color();
    const bool hot = Index == FItemHot, selected = Index == FItemIndex;

    // 1. face colours
    TColor border = a.BorderColor, top = a.BorderColorTop, bottom = a.BorderColorBottom, edge = a.EdgeColor;
    TColor fill = clNone, fillTo = clNone, mirror = clNone, mirrorTo = clNone;
    auto take = [&](TColor f, TColor fTo, TColor m, TColor mTo, TColor onlyBorder) {
        fill = f;
        fillTo = fTo;
        mirror = m;
        mirrorTo = mTo;
        if (onlyBorder != clNone) {
            border = onlyBorder;
            top = bottom = edge = clNone;
        }
    };
    if (selected)
        take(a.ColorSelected, a.ColorSelectedTo, a.ColorMirrorSelected, a.ColorMirrorSelectedTo, a.BorderColorSelected);
    else if (hot)
        take(a.ColorHot, a.ColorHotTo, a.ColorMirrorHot, a.ColorMirrorHotTo, a.BorderColorHot);

    // 2. face
    if (!hot && !selected) {
        Canvas->Brush().SetColor(panelColor);
        Canvas->FillRect(R);
    } else if (top == clNone) {
        DrawBackgroundRect(Canvas, R, fill, fillTo, border, 1, true);
    } else {
        DrawRoundedSelection(*Canvas, fill, fillTo, rsSingle, R, panelColor, edge, border, bottom, top, mirrorTo,
                             mirror);
    }

    // 3. the owner's drawing
    if (FExItemSelector->OnDrawItem) {
        FExItemSelector->OnDrawItem(this, *Canvas, R, Index);
        return;
    }

    // 4. content size
    TCustomImageList* images = Images();
    enum { None, Box, Picture, ListImage } content = None;
    int cw = 0, ch = 0;
    if (SelectorType() == stColor) {
        content = Box;
        cw = ColorBoxWidth();
        ch = ColorBoxHeight();
    } else if (!item.Image().Empty()) {
        content = Picture;
        cw = item.Image().Width();
        ch = item.Image().Height();
    } else if (images && item.ImageIndex() >= 0) {
        content = ListImage;
        cw = images->Width();
        ch = images->Height();
    }

    // 5. caption and content areas, font
    TRect T{R.Left + FItemOffSetX, R.Top + FItemOffSetY, R.Right - FItemOffSetX, R.Bottom - FItemOffSetY};
    TRect C = T;
    Canvas->Font().Assign(a.Font());
    if (selected)
        Canvas->Font().SetColor(a.ColorSelectedText);
    else if (hot)
        Canvas->Font().SetColor(a.ColorHotText);

    // 6. placement
    const std::string& caption = item.Caption();
    auto drawContent = [&](int x, int y) {
        switch (content) {
        case Box:
            Canvas->Pen().SetColor(clBlack);
            Canvas->Brush().SetColor(item.Color());
            Canvas->Rectangle(x, y, x + cw, y + ch);
            break;
        case Picture: Canvas->Draw(x, y, item.Image()); break;
        case ListImage: images->Draw(*Canvas, x, y, item.ImageIndex()); break;
        case None: break;
        }
    };
    // A box stands at the top of C, a picture is centred in C's height.
    auto besideY = [&] { return content == Box ? C.Top : C.Top + (C.Bottom - C.Top - ch) / 2; };
    auto centreCaption = [&] {
        TPoint size;
        DrawHTMLCaption(*Canvas, caption, T, images, true, nullptr, size);
        if (size.Y < T.Bottom - T.Top) T.Top += (T.Bottom - T.Top - size.Y) / 2;
    };
    TPoint drawn;
    switch (FExItemSelector->ItemLayout()) {
    case ilCaptionLeft:
        if (!caption.empty()) {
            T.Right -= cw;
            centreCaption();
            DrawHTMLCaption(*Canvas, caption, T, images, false, nullptr, drawn);
            C.Left = T.Left + drawn.X + FCaptionGap;
        }
        drawContent(C.Left, besideY());
        break;
    case ilCaptionRight:
        drawContent(C.Left, besideY());
        if (content != None) T.Left = C.Left + cw + FCaptionGap;
        if (!caption.empty()) {
            centreCaption();
            DrawHTMLCaption(*Canvas, caption, T, images, false, nullptr, drawn);
        }
        break;
    case ilCaptionTop:
        if (!caption.empty()) {
            T.Bottom -= ch;
            DrawHTMLCaption(*Canvas, caption, T, images, false, nullptr, drawn);
            C.Top = T.Top + drawn.Y + FCaptionGap;
        } else {
            C.Top += (C.Bottom - C.Top - ch) / 2;
        }
        C.Left += (C.Right - C.Left - cw) / 2;
        drawContent(C.Left, C.Top);
        break;
    case ilCaptionBottom:
        if (caption.empty()) C.Top += (C.Bottom - C.Top - ch) / 2;
        C.Left += (C.Right - C.Left - cw) / 2;
        drawContent(C.Left, C.Top);
        if (content != None) T.Top = C.Top + ch + FCaptionGap;
        if (!caption.empty()) DrawHTMLCaption(*Canvas, caption, T, images, false, nullptr, drawn);
        break;
    }
}

void TCustomItemSelector::PaintArea(TCanvas& Canvas, const TRect& Area)
{
    Canvas.Brush().SetColor(FExItemSelector->Color());
    Canvas.FillRect(Area);
    const TSelectorItems& items = Items();
    for (int i = 0; i < items.Count(); ++i)
        if (Intersects(items.Items(i)->ItemRect(), Area)) DrawItem(i, &Canvas);
}

TRect TCustomItemSelector::VisibleArea() const
{
    const int left = FExItemSelector->HorzScrollPos() - Left(), top = FExItemSelector->VertScrollPos() - Top();
    const TRect shown{left, top, left + FExItemSelector->VisibleWidth(), top + FExItemSelector->VisibleHeight()};
    return TRect{std::max(shown.Left, 0), std::max(shown.Top, 0), std::min(shown.Right, Width()),
                 std::min(shown.Bottom, Height())};
}

void TCustomItemSelector::Paint() { PaintArea(Canvas(), VisibleArea()); }

void TCustomItemSelector::InvalidateItem(int Index)
{
    if (ValidIndex(Index)) Invalidate();
}

void TCustomItemSelector::DrawItemNow(int Index)
{
    if (ValidIndex(Index)) Repaint();
}

void TCustomItemSelector::SelectItem(int Index)
{
    if (IsDisabledItem(Index)) return;
    if (FItemIndex >= 0 && FItemIndex != Index) {
        const int old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = Index;
    if (Index < 0) return;
    DrawItemNow(Index);
    if (OnItemSelect) OnItemSelect(this);
}

void TCustomItemSelector::SetHotItem(int Index)
{
    if (Index == FItemHot || IsDisabledItem(Index)) return;
    if (FItemHot >= 0) {
        const int old = FItemHot;
        FItemHot = -1;
        InvalidateItem(old);
    }
    FItemHot = Index;
    if (Index >= 0) DrawItemNow(Index);
}

void TCustomItemSelector::SelectFirst()
{
    if (Items().Count() > 0) SelectItem(0);
}

void TCustomItemSelector::SelectLast()
{
    if (Items().Count() > 0) SelectItem(Items().Count() - 1);
}

void TCustomItemSelector::SelectNext()
{
    if (Items().Count() == 0) return;
    if (FItemIndex < 0)
        SelectItem(0);
    else if (FItemIndex != Items().Count() - 1)
        SelectItem(FItemIndex + 1);
}

void TCustomItemSelector::SelectPrevious()
{
    if (Items().Count() == 0) return;
    if (FItemIndex < 0)
        SelectItem(0);
    else if (FItemIndex != 0)
        SelectItem(FItemIndex - 1);
}

void TCustomItemSelector::HotNext()
{
    if (Items().Count() == 0) return;
    if (FItemHot < 0)
        SetHotItem(0);
    else if (FItemHot != Items().Count() - 1)
        SetHotItem(FItemHot + 1);
}

void TCustomItemSelector::HotPrevious()
{
    if (Items().Count() == 0) return;
    if (FItemHot < 0)
        SetHotItem(0);
    else if (FItemHot != 0)
        SetHotItem(FItemHot - 1);
}

bool TCustomItemSelector::LookupItem(const std::string& S)
{
    const TSelectorItems& items = Items();
    if (items.Count() == 0 || S.empty()) return false;
    for (int i = 0; i < items.Count(); ++i) {
        std::string caption;
        UpperCaseUnless(Trim(HTMLToPlainText(items.Items(i)->Caption())), false, caption);
        if (caption.compare(0, S.size(), S) == 0) {
            SelectItem(i);
            return true;
        }
    }
    return false;
}

void TCustomItemSelector::MouseDown(TMouseButton, TShiftState, int X, int Y)
{
    const int i = ItemAtPos(X, Y);
    if (i >= 0 && Items().Items(i)->Enabled()) SelectItem(i);
}

void TCustomItemSelector::MouseMove(TShiftState, int X, int Y)
{
    const int i = ItemAtPos(X, Y);
    if (i >= 0 && i != FItemHot) {
        const TSelectorItem& item = *Items().Items(i);
        SetHotItem(item.Enabled() ? i : -1);
        SetHint(item.Hint());
        CancelApplicationHint();
    } else if (i < 0 && FItemHot >= 0) {
        SetHotItem(-1);
    }
}

void TCustomItemSelector::DoMouseLeave()
{
    TCustomControl::DoMouseLeave();
    SetHotItem(-1);
}

// --- the container ------------------------------------------------------------------------

TExCustomItemSelector::TExCustomItemSelector(TWinControl* AOwner)
    : TScrollingWinControl(AOwner), FItems(std::make_unique<TSelectorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(nullptr))
{
    FItems->OnChange = [this](TSelectorItems*) { UpdateSelectorPanel(); };
    FItemSelectorPanel = new TCustomItemSelector(this);
    FItemSelectorPanel->OnItemSelect = [this](TControl*) {
        if (OnItemSelect) OnItemSelect(this);
    };
    UpdateSelectorPanel();
}

TExCustomItemSelector::~TExCustomItemSelector()
{
    // The panel reads the items and the appearance to its end.
    delete FItemSelectorPanel;
    FItemSelectorPanel = nullptr;
}

void TExCustomItemSelector::SetSelectorType(TSelectorType Value)
{
    if (FSelectorType == Value) return;
    FSelectorType = Value;
    UpdateSelectorPanel();
}

void TExCustomItemSelector::SetColumns(int Value)
{
    if (Value <= 0 || Value == FColumns) return;
    FColumns = Value;
    UpdateSelectorPanel();
}

void TExCustomItemSelector::SetColorBoxWidth(int Value)
{
    if (FColorBoxWidth == Value) return;
    FColorBoxWidth = Value;
    UpdateSelectorPanel();
}

void TExCustomItemSelector::SetColorBoxHeight(int Value)
{
    if (FColorBoxHeight == Value) return;
    FColorBoxHeight = Value;
    UpdateSelectorPanel();
}

void TExCustomItemSelector::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    FImages = Value;
    UpdateSelectorPanel();
}

int TExCustomItemSelector::ItemIndex() const { return FItemSelectorPanel ? FItemSelectorPanel->ItemIndex() : -1; }

void TExCustomItemSelector::SetItemIndex(int Value)
{
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SelectItem(Value);
    ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

int TExCustomItemSelector::ItemHot() const { return FItemSelectorPanel ? FItemSelectorPanel->ItemHot() : -1; }

void TExCustomItemSelector::UpdateSelectorPanel()
{
    if (FItemSelectorPanel) FItemSelectorPanel->UpdateLayout();
}

void TExCustomItemSelector::PanelMove(void (TCustomItemSelector::*Move)(), bool Hot)
{
    if (!FItemSelectorPanel) return;
    (FItemSelectorPanel->*Move)();
    ScrollItemInView(Hot ? FItemSelectorPanel->ItemHot() : FItemSelectorPanel->ItemIndex());
}

void TExCustomItemSelector::SelectFirst() { PanelMove(&TCustomItemSelector::SelectFirst, false); }
void TExCustomItemSelector::SelectLast() { PanelMove(&TCustomItemSelector::SelectLast, false); }
void TExCustomItemSelector::SelectNext() { PanelMove(&TCustomItemSelector::SelectNext, false); }
void TExCustomItemSelector::SelectPrevious() { PanelMove(&TCustomItemSelector::SelectPrevious, false); }
void TExCustomItemSelector::HotNext() { PanelMove(&TCustomItemSelector::HotNext, true); }
void TExCustomItemSelector::HotPrevious() { PanelMove(&TCustomItemSelector::HotPrevious, true); }

bool TExCustomItemSelector::LookupItem(const std::string& S)
{
    return FItemSelectorPanel ? FItemSelectorPanel->LookupItem(S) : false;
}

void TExCustomItemSelector::ScrollItemInView(int Index)
{
    if (!FItemSelectorPanel || Index < 0 || Index >= FItems->Count() || !VertScrollBarVisible()) return;
    TRect r;
    FItemSelectorPanel->GetItemRect(Index, r);
    const int margin = VertScrollBarMargin(), pos = VertScrollPos(), offset = FItemSelectorPanel->Top() - pos;
    const int top = r.Top - margin + offset;
    int bottom = r.Bottom + margin + offset;
    const int client = VisibleHeight();
    if (top < 0) {
        SetVertScrollPos(pos + top);
    } else if (bottom > client) {
        if (bottom - top > client) bottom = top + client;
        SetVertScrollPos(pos + bottom - client);
    }
}

int TExCustomItemSelector::GetVisibleItemCount() const
{
    if (!FItemSelectorPanel || FItems->Count() == 0) return 0;
    const TRect& first = FItems->Items(0)->ItemRect();
    const int itemHeight = first.Bottom - first.Top;
    if (itemHeight <= 0) return 0;
    const int height = Height() - (HorzScrollBarVisible() ? 20 : 0);
    return height / itemHeight * FColumns;
}

TSize TExCustomItemSelector::GetPanelSize() const
{
    if (!FItemSelectorPanel) return TSize{100, 50};
    return TSize{FItemSelectorPanel->Width(), FItemSelectorPanel->Height()};
}

void TExCustomItemSelector::Resized()
{
    if (OnResize) OnResize(this);
}
