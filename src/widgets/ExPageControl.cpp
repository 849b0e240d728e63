// TExPageControl and TExTabSheet: pages, tabs, page changes, closing and
// reopening tabs, keys and mouse. The painting is in ExPageControlPaint.cpp.

#include "widgets/ExPageControl.h"

#include "platform/Application.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"

#include <algorithm>

namespace {

// The caption without its last two characters (UTF-8 aware).
std::string DropLastTwoCharacters(const std::string& s)
{
    size_t end = s.size();
    for (int n = 0; n < 2 && end > 0; ++n) {
        --end;
        while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
    }
    return s.substr(0, end);
}

// The first control on the sheet that takes the focus by Tab, else the
// first that can take it at all.
TControl* FirstFocusable(TWinControl* w)
{
    TControl* any = nullptr;
    TControl* tab = nullptr;
    w->ForEachControl([&](TControl* c) {
        if (!c->CanFocus()) return;
        if (!any) any = c;
        if (!tab && c->TabStop()) tab = c;
    });
    return tab ? tab : any;
}

} // namespace

// --- TTabMargin --------------------------------------------------------------------------------

void TTabMargin::Assign(const TPersistent* Source)
{
    if (auto* m = dynamic_cast<const TTabMargin*>(Source)) {
        FLeftMargin = m->FLeftMargin;
        FTopMargin = m->FTopMargin;
        FRightMargin = m->FRightMargin;
    }
}

void TTabMargin::Set(int& Field, int Value, int Index)
{
    Value = std::max(0, Value);
    if (Field == Value) return;
    if (OnMarginChange) OnMarginChange(Value, Field, Index);
    Field = Value;
}

void TTabMargin::SetLeftMargin(int Value) { Set(FLeftMargin, Value, 0); }
void TTabMargin::SetTopMargin(int Value) { Set(FTopMargin, Value, 1); }
void TTabMargin::SetRightMargin(int Value) { Set(FRightMargin, Value, 2); }

// --- TExTabSheet -------------------------------------------------------------------------------

TExTabSheet::TExTabSheet(TExPageControl* APageControl)
    : TCustomControl(APageControl), FSelf(std::make_shared<TExTabSheet*>(this))
{
    SetTabStop(false);
    SetVisible(false);
    SetAlign(TAlign::alClient);
    if (APageControl) APageControl->InsertPage(this);
}

TExTabSheet::~TExTabSheet()
{
    if (FExPageControl) FExPageControl->RemovePage(this);
    FSelf.reset();
}

void TExTabSheet::SetPageControl(TExPageControl* APageControl)
{
    if (FExPageControl == APageControl) return;
    if (FExPageControl) FExPageControl->RemovePage(this);
    if (APageControl) {
        SetParent(APageControl);
        APageControl->InsertPage(this);
    } else {
        SetVisible(false);
    }
}

void TExTabSheet::SetCaption(const std::string& Value)
{
    FCaption = Value;
    ApplyTabCaption();
}

void TExTabSheet::ApplyTabCaption()
{
    FTabCaption = FShowClose ? FCaption + " " : DropLastTwoCharacters(FCaption);
    if (FExPageControl) {
        if (FTabShowing) FExPageControl->WidenTab(this);
        FExPageControl->Invalidate();
    }
}

int TExTabSheet::PageIndex() const
{
    if (!FExPageControl) return -1;
    const auto& pages = FExPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TExTabSheet::SetPageIndex(int Value)
{
    if (!FExPageControl) return;
    auto& pages = FExPageControl->FPages;
    const int count = static_cast<int>(pages.size());
    if (Value > count - 1)
        throw EListError(Format("%d is an invalid PageIndex value.  PageIndex must be between 0 and %d",
                                {Value, count - 1}));
    if (Value < 0) RaiseListIndexError(Value);
    const int cur = PageIndex();
    if (cur == Value) return;
    const int oldTab = TabIndex();
    pages.erase(pages.begin() + cur);
    pages.insert(pages.begin() + Value, this);
    if (FTabShowing) FExPageControl->MoveSheetTab(oldTab, TabIndex());
}

int TExTabSheet::TabIndex() const
{
    if (!FTabShowing || !FExPageControl) return -1;
    int n = 0;
    for (TExTabSheet* p : FExPageControl->FPages) {
        if (p == this) return n;
        if (p->FTabShowing) ++n;
    }
    return -1;
}

void TExTabSheet::SetTabVisible(bool Value)
{
    if (FTabVisible == Value) return;
    FTabVisible = Value;
    UpdateTabShowing();
}

void TExTabSheet::UpdateTabShowing() { SetTabShowing(FExPageControl && FTabVisible); }

void TExTabSheet::SetTabShowing(bool Value)
{
    if (FTabShowing == Value) return;
    if (Value) {
        FTabShowing = true;
        FExPageControl->InsertSheetTab(this);
    } else {
        const int index = TabIndex();
        FTabShowing = false;
        FExPageControl->DeleteSheetTab(this, index);
    }
}

void TExTabSheet::SetTabEnable(bool Value)
{
    if (FTabEnable == Value) return;
    if (FExPageControl && !Value && FExPageControl->FActivePage == this)
        throw Exception("Can not disable active tab.");
    FTabEnable = Value;
    if (FExPageControl) FExPageControl->Invalidate();
}

void TExTabSheet::SetShowClose(bool Value)
{
    FShowClose = Value;
    ApplyTabCaption();
}

void TExTabSheet::SetImageIndex(int Value)
{
    FImageIndex = Value < 0 ? -1 : Value;
    FImageIndexDummy = Value < 0 ? 0 : Value;
    ApplyTabCaption();
}

void TExTabSheet::SetHighlighted(bool Value)
{
    if (FExPageControl && FTabShowing) FExPageControl->SetTabHighlighted(TabIndex(), Value);
    FHighlighted = Value;
}

void TExTabSheet::SetColor(TColor Value)
{
    TCustomControl::SetColor(Value);
    Invalidate();
    if (FExPageControl) FExPageControl->Invalidate();
}

void TExTabSheet::SetColorTo(TColor Value)
{
    FColorTo = Value;
    Invalidate();
    if (FExPageControl) FExPageControl->Invalidate();
}

void TExTabSheet::SetTextColor(TColor Value)
{
    FTextColor = Value;
    if (FExPageControl) FExPageControl->Invalidate();
}

// The tab is painted by the page control: both repaint.
void TExTabSheet::SetTabColor(TColor Value)
{
    FTabColor = Value;
    Invalidate();
    if (FExPageControl) FExPageControl->Invalidate();
}

void TExTabSheet::SetTabColorTo(TColor Value)
{
    FTabColorTo = Value;
    Invalidate();
    if (FExPageControl) FExPageControl->Invalidate();
}

void TExTabSheet::SetTabGradientDirection(TGradientDirection Value)
{
    FTabGradientDirection = Value;
    if (FExPageControl) FExPageControl->Invalidate();
}

void TExTabSheet::ShowAsPage(bool Show)
{
    if (Visible() == Show) return;
    SetVisible(Show);
    try {
        if (Show && OnShow) OnShow(this);
        if (!Show && OnHide) OnHide(this);
    } catch (...) {
        Application_HandleException(std::current_exception());
    }
}

// --- TExPageControl: construction ---------------------------------------------------------------

TExPageControl::TExPageControl(TWinControl* parent) : TCustomTabControl(parent), FTabMargin(std::make_unique<TTabMargin>())
{
    Font().SetName("Tahoma");
    FActiveFont.SetName("Tahoma");
    FActiveFont.OnChange = [this] {
        if (FActivePage) WidenTab(FActivePage);
        Invalidate();
    };
    FTabMargin->OnMarginChange = [this](int NewValue, int OldValue, int Index) {
        MarginChanged(NewValue, OldValue, Index);
    };
    SetOwnerDraw(true);
    SetMouseTracking(true);
    FPropertiesLoaded = true;
}

TExPageControl::~TExPageControl()
{
    FDestroying = true;
    for (TExTabSheet* p : FPages) {
        p->FExPageControl = nullptr;
        p->FTabShowing = false;
    }
    FPages.clear();
    FActivePage = nullptr;
}

void TExPageControl::Loaded()
{
    FPropertiesLoaded = true;
    UpdateTabHighlights();
    UpdateDummyImages();
}

void TExPageControl::UpdateTabHighlights()
{
    for (TExTabSheet* p : FPages)
        if (p->FTabShowing) SetTabHighlighted(p->TabIndex(), p->FHighlighted);
}

// --- pages -------------------------------------------------------------------------------------

TExTabSheet* TExPageControl::Pages(int Index) const
{
    if (Index < 0 || Index >= PageCount()) RaiseListIndexError(Index);
    return FPages[static_cast<size_t>(Index)];
}

int TExPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TExPageControl::SetActivePageIndex(int Value)
{
    SetActivePage(Value >= 0 && Value < PageCount() ? FPages[static_cast<size_t>(Value)] : nullptr);
}

void TExPageControl::InsertPage(TExTabSheet* Page)
{
    FPages.push_back(Page);
    Page->FExPageControl = this;
    Page->UpdateTabShowing();
    if (Page->FTextColor == 0) Page->FTextColor = FDefaultTextColor;
    if (Page->FTabColor == clNone) Page->FTabColor = FDefaultTabColor;
    if (Page->FTabColorTo == clNone) Page->FTabColorTo = FDefaultTabColorTo;
    Invalidate();
}

void TExPageControl::RemovePage(TExTabSheet* Page)
{
    TExTabSheet* next = FindNextPage(Page, true, true);
    if (next == Page) next = nullptr;
    Page->SetTabShowing(false);
    Page->FExPageControl = nullptr;
    FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
    if (FActivePage == Page) FActivePage = nullptr;
    if (FHoverTab >= PageCount()) FHoverTab = -1;
    if (!FDestroying) SetActivePage(next);
}

TExTabSheet* TExPageControl::FindNextPage(TExTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const
{
    const int count = PageCount();
    if (count == 0) return nullptr;
    int start = static_cast<int>(std::find(FPages.begin(), FPages.end(), CurPage) - FPages.begin());
    if (start == count) start = GoForward ? count - 1 : 0;
    int i = start;
    do {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TExTabSheet* p = FPages[static_cast<size_t>(i)];
        if (!CheckTabVisible || p->FTabVisible) return p;
    } while (i != start);
    return nullptr;
}

void TExPageControl::SelectNextPage(bool GoForward)
{
    TExTabSheet* next = FindNextPage(FActivePage, GoForward, true);
    if (!next || next == FActivePage || !next->FTabShowing) return;
    changingTo_ = next->TabIndex();
    const bool allowed = CanChange();
    changingTo_ = -1;
    if (!allowed) return;
    SetTabIndex(next->TabIndex());
    Change();
}

void TExPageControl::SetActivePage(TExTabSheet* Page)
{
    if (Page && Page->FExPageControl != this) return;
    ChangeActivePage(Page);
    if (!Page) {
        SetTabIndex(-1);
        FActivePage = nullptr;
    } else {
        // A change refused (a disabled tab) leaves the tabs on the page
        // that stays active.
        SetTabIndex(FActivePage ? FActivePage->TabIndex() : -1);
    }
    Invalidate();
}

void TExPageControl::ChangeActivePage(TExTabSheet* Page)
{
    if (Page == FActivePage || !Page || !Page->FTabEnable) return;
    TExTabSheet* old = FActivePage;
    const bool focusInOld = old && old->ContainsFocus();
    Page->BringToFront();
    Page->ShowAsPage(true);
    if (focusInOld) {
        TControl* target = FirstFocusable(Page);
        if (!target && Page->CanFocus()) target = Page;
        if (!target) target = this;
        target->SetFocus();
    }
    if (old) old->ShowAsPage(false);
    FActivePage = Page;
    if (old && old->FTabShowing) WidenTab(old);
    if (Page->FTabShowing) WidenTab(Page);
}

void TExPageControl::SelectSheetOfTab()
{
    const int i = TabIndex();
    if (i < 0) SetActivePage(nullptr);
    else SetActivePage(static_cast<TExTabSheet*>(TabObject(i)));
}

int TExPageControl::PageIndexOfTab(int TabIndex) const
{
    if (TabIndex < 0 || TabIndex >= TabCount()) return -1;
    return static_cast<TExTabSheet*>(TabObject(TabIndex))->PageIndex();
}

bool TExPageControl::CanChange()
{
    bool allow = true;
    if (OnCanChange) OnCanChange(this, ActivePageIndex(), PageIndexOfTab(ChangingTo()), allow);
    return allow && TCustomTabControl::CanChange();
}

void TExPageControl::Change()
{
    SelectSheetOfTab();
    TCustomTabControl::Change();
    Invalidate();
}

int TExPageControl::GetImageIndex(int TabIndex)
{
    if (OnGetImageIndex) {
        int index = TabIndex;
        OnGetImageIndex(this, TabIndex, index);
        return index;
    }
    if (TabIndex < 0 || TabIndex >= TabCount()) return -1;
    auto* sheet = static_cast<TExTabSheet*>(TabObject(TabIndex));
    return FTabBorder3D ? sheet->FImageIndex : sheet->FImageIndexDummy;
}

bool TExPageControl::OpenClosedTab(const std::string& TabName)
{
    for (auto it = FClosedTabList.begin(); it != FClosedTabList.end();) {
        if (it->first != TabName) {
            ++it;
            continue;
        }
        if (auto sheet = it->second.lock()) {
            (*sheet)->SetPageControl(this);
            return true;
        }
        it = FClosedTabList.erase(it);
    }
    return false;
}

void TExPageControl::OpenAllClosedTabs()
{
    for (auto it = FClosedTabList.begin(); it != FClosedTabList.end();) {
        if (auto sheet = it->second.lock()) {
            (*sheet)->SetPageControl(this);
            ++it;
        } else {
            it = FClosedTabList.erase(it);
        }
    }
}

std::vector<std::string> TExPageControl::ClosedTabNames() const
{
    std::vector<std::string> names;
    for (const auto& [name, sheet] : FClosedTabList)
        if (!sheet.expired()) names.push_back(name);
    return names;
}

// --- tab strings -------------------------------------------------------------------------------

std::string TExPageControl::TabStringOf(const TExTabSheet* Page, bool Active)
{
    if (FTabBorder3D) return Page->FCaption;
    std::string s = Page->FTabCaption;
    const TFontStyles st = FActiveFont.Style();
    if (!Active || !(st.Contains(fsBold) || st.Contains(fsItalic))) return s;
    TBitmap measure(1, 1);
    TCanvas& c = measure.Canvas();
    c.Font().Assign(FActiveFont);
    const int activeWidth = c.TextWidth(s);
    c.Font().Assign(Font());
    const int diff = activeWidth - c.TextWidth(s);
    std::string spaces;
    while (c.TextWidth(spaces) < diff) spaces += ' ';
    return s + spaces;
}

void TExPageControl::WidenTab(TExTabSheet* Page)
{
    if (!Page || !Page->FTabShowing) return;
    const int i = Page->TabIndex();
    const std::string s = TabStringOf(Page, Page == FActivePage);
    if (TabString(i) != s) SetTabString(i, s);
}

void TExPageControl::InsertSheetTab(TExTabSheet* Page)
{
    TCustomTabControl::InsertTab(Page->TabIndex(), TabStringOf(Page, Page == FActivePage), Page);
    if (Page->FHighlighted) SetTabHighlighted(Page->TabIndex(), true);
    SelectSheetOfTab();
}

void TExPageControl::DeleteSheetTab(TExTabSheet* Page, int Index)
{
    const bool wasActive = Page == FActivePage;
    TCustomTabControl::DeleteTab(Index);
    if (wasActive) {
        const int n = TabCount();
        SetTabIndex(Index >= n ? n - 1 : Index);
    }
    SelectSheetOfTab();
}

void TExPageControl::MoveSheetTab(int CurIndex, int NewIndex) { TCustomTabControl::MoveTab(CurIndex, NewIndex); }

// --- settings ----------------------------------------------------------------------------------

void TExPageControl::MarginChanged(int NewValue, int /*OldValue*/, int Index)
{
    if (!FPropertiesLoaded) return;
    int l = FTabMargin->LeftMargin(), t = FTabMargin->TopMargin(), r = FTabMargin->RightMargin();
    (Index == 0 ? l : Index == 1 ? t : r) = NewValue;
    UpdateDummyImages(l, t, r);
}

void TExPageControl::UpdateDummyImages()
{
    UpdateDummyImages(FTabMargin->LeftMargin(), FTabMargin->TopMargin(), FTabMargin->RightMargin());
}

void TExPageControl::UpdateDummyImages(int L, int T, int R)
{
    const int iw = FImages ? FImages->Width() : 0;
    const int ih = FImages ? FImages->Height() : 0;
    if (FTabBorder3D) {
        SetImageSize(iw, ih);
        return;
    }
    const bool vertical = TabPosition() == tpLeft || TabPosition() == tpRight;
    if (vertical) SetImageSize(iw, ih + R + T);
    else SetImageSize(iw + R + L, ih);
}

void TExPageControl::SetImages(TCustomImageList* Value)
{
    FImages = Value;
    UpdateDummyImages();
    Invalidate();
}

void TExPageControl::SetTabPosition(TTabPosition Value)
{
    TCustomTabControl::SetTabPosition(Value);
    UpdateDummyImages();
}

void TExPageControl::SetShowFocus(bool Value)
{
    FShowFocus = Value;
    Invalidate();
}

void TExPageControl::SetDefaultTextColor(TColor Value)
{
    for (TExTabSheet* p : FPages)
        if (p->FTextColor == FDefaultTextColor) p->FTextColor = Value;
    FDefaultTextColor = Value;
    Invalidate();
}

void TExPageControl::SetDefaultTabColor(TColor Value)
{
    for (TExTabSheet* p : FPages)
        if (p->FTabColor == FDefaultTabColor) p->FTabColor = Value;
    FDefaultTabColor = Value;
    Invalidate();
}

void TExPageControl::SetDefaultTabColorTo(TColor Value)
{
    for (TExTabSheet* p : FPages)
        if (p->FTabColorTo == FDefaultTabColorTo) p->FTabColorTo = Value;
    FDefaultTabColorTo = Value;
    Invalidate();
}

void TExPageControl::SetTabBorder3D(bool Value)
{
    if (FTabBorder3D == Value) return;
    FTabBorder3D = Value;
    SetOwnerDraw(!Value);
    UpdateDummyImages();
    for (TExTabSheet* p : FPages) WidenTab(p);
    Invalidate();
}

void TExPageControl::SetTabSplitLine(bool Value)
{
    if (Value && FTabStyle == tsDotNet) throw Exception("TabSplitLine must be false when TabStyle is tsDotNet");
    FTabSplitLine = Value;
    Invalidate();
}

namespace {
template <class T> void SetAndInvalidate(TExPageControl* c, T& field, T value)
{
    if (field == value) return;
    field = value;
    c->Invalidate();
}
} // namespace

void TExPageControl::SetActiveColor(TColor Value) { SetAndInvalidate(this, FActiveColor, Value); }
void TExPageControl::SetActiveColorTo(TColor Value) { SetAndInvalidate(this, FActiveColorTo, Value); }
void TExPageControl::SetTabBorderColor(TColor Value) { SetAndInvalidate(this, FTabBorderColor, Value); }
void TExPageControl::SetTabSheet3D(bool Value) { SetAndInvalidate(this, FTabSheet3D, Value); }
void TExPageControl::SetTabSheetBorderColor(TColor Value) { SetAndInvalidate(this, FTabSheetBorderColor, Value); }
void TExPageControl::SetTabHoverColor(TColor Value) { SetAndInvalidate(this, FTabHoverColor, Value); }
void TExPageControl::SetTabHoverColorTo(TColor Value) { SetAndInvalidate(this, FTabHoverColorTo, Value); }
void TExPageControl::SetTabHoverBorder(TColor Value) { SetAndInvalidate(this, FTabHoverBorder, Value); }
void TExPageControl::SetTabBackGroundColor(TColor Value) { SetAndInvalidate(this, FTabBackGroundColor, Value); }
void TExPageControl::SetRoundEdges(bool Value) { SetAndInvalidate(this, FRoundEdges, Value); }
void TExPageControl::SetTabStyle(TTabStyle Value) { SetAndInvalidate(this, FTabStyle, Value); }
void TExPageControl::SetLowerActive(int Value) { SetAndInvalidate(this, FLowerActive, Value); }
void TExPageControl::SetTabOverlap(int Value) { SetAndInvalidate(this, FTabOverlap, std::clamp(Value, 0, 15)); }

void TExPageControl::SetTabBackGround(const TBitmap& Value)
{
    FTabBackGround.Assign(&Value);
    Invalidate();
}

void TExPageControl::SetTabBackGroundActive(const TBitmap& Value)
{
    FTabBackGroundActive.Assign(&Value);
    Invalidate();
}

void TExPageControl::SetCloseGlyph(const TBitmap& Value)
{
    FCloseGlyph.Assign(&Value);
    Invalidate();
}

void TExPageControl::SetActiveFont(const TFont& Value) { FActiveFont.Assign(Value); }

// --- keys and mouse ------------------------------------------------------------------------------

bool TExPageControl::DialogKey(int Key, TShiftState Shift)
{
    if (Key != VK_TAB || !Shift.Contains(ssCtrl) || !ContainsFocus()) return false;
    SelectNextPage(!Shift.Contains(ssShift));
    return true;
}

TRect TExPageControl::PageTabRect(int PageIndex) const
{
    if (PageIndex < 0 || PageIndex >= PageCount()) return {};
    return TabRect(FPages[static_cast<size_t>(PageIndex)]->TabIndex());
}

TRect TExPageControl::CloseButtonRect(TExTabSheet* Sheet, bool ForActive) const
{
    if (!Sheet || Sheet->FExPageControl != this || !Sheet->FTabShowing) return {};
    const TRect r = TabRect(Sheet->TabIndex());
    const int l = FTabMargin->LeftMargin(), t = FTabMargin->TopMargin();
    const int lower = ForActive ? FLowerActive : 0;
    int x = r.Left + l + 2;
    int y = r.Top + t + 2;
    switch (TabPosition()) {
    case tpLeft:
        x += lower;
        y = r.Bottom - t - 13 + (FTabBackGroundActive.Empty() ? 0 : FTabOverlap);
        break;
    case tpRight: x += ForActive ? 2 - lower : 0; break;
    case tpTop:
    case tpBottom: y += lower; break;
    }
    return Rect(x, y, x + 12, y + 11);
}

void TExPageControl::InvalidateTab(int /*PageIndex*/) { Invalidate(); }

void TExPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomTabControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || FTabBorder3D || !FActivePage || !FActivePage->FShowClose) return;
    if (PtInRect(CloseButtonRect(FActivePage, false), Point(X, Y))) {
        FCloseButtonDown = true;
        Invalidate();
    }
}

void TExPageControl::MouseUp(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != mbLeft || !FCloseButtonDown) return;
    FCloseButtonDown = false;
    Invalidate();
    if (FActivePage && FActivePage->FShowClose && PtInRect(CloseButtonRect(FActivePage, false), Point(X, Y)))
        CloseActiveTab();
}

void TExPageControl::CloseActiveTab()
{
    TExTabSheet* sheet = FActivePage;
    if (!sheet) return;
    TExTabSheet* next = FindNextPage(sheet, true, true);
    bool canClose = true;
    if (sheet->OnCanClose) sheet->OnCanClose(sheet, canClose);
    if (!canClose) return;
    if (sheet->OnClose) sheet->OnClose(sheet);
    if (next && next != sheet) SetActivePage(next);
    FHoverClosedButton = false;
    if (FreeOnClose) {
        delete sheet;
    } else {
        const bool listed = std::any_of(FClosedTabList.begin(), FClosedTabList.end(), [&](const auto& e) {
            auto p = e.second.lock();
            return p && *p == sheet;
        });
        if (!listed) FClosedTabList.emplace_back(sheet->Name, sheet->FSelf);
        sheet->SetPageControl(nullptr);
    }
    Invalidate();
}

void TExPageControl::MouseMove(TShiftState, int X, int Y)
{
    if (FTabBorder3D) return;
    if (FTabHoverColor != clNone && FTabBackGround.Empty()) {
        const int page = PageIndexOfTab(IndexOfTabAt(X, Y));
        if (page != FHoverTab) {
            InvalidateTab(FHoverTab);
            InvalidateTab(page);
            FHoverTab = page;
        }
    }
    if (FActivePage && FActivePage->FShowClose) {
        const bool over = PtInRect(CloseButtonRect(FActivePage, false), Point(X, Y));
        if (over != FHoverClosedButton) {
            FHoverClosedButton = over;
            Invalidate();
        }
    }
}

void TExPageControl::DoMouseLeave()
{
    if (FTabBackGround.Empty() && FHoverTab >= 0) {
        InvalidateTab(FHoverTab);
        FHoverTab = -1;
    }
    if (FHoverClosedButton) {
        FHoverClosedButton = false;
        Invalidate();
    }
    TCustomTabControl::DoMouseLeave();
}
