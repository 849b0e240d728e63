#pragma once
// TExPageControl: a tabbed container whose tabs the control paints itself
// (colours, gradients, background bitmaps, close buttons, captions turned
// for tabs at the left or right), while the tab control underneath does the
// tab layout, hit testing and arrow keys. Each page is a TExTabSheet that
// fills the page area. TTabMargin holds three margins that enlarge every
// tab.
//
// Tab strings: a sheet's tab is measured with its tab caption, which is the
// caption without its last two characters (the caption plus one space when
// the sheet shows a close button); the full caption is what is drawn. So
// captions are written with trailing spaces ("Nodes     "). With
// TabBorder3D the control takes the tab control's own look and full
// captions.
//
// Closing a tab with its close button fires the sheet's OnCanClose and
// OnClose; the sheet is then freed (FreeOnClose) or taken off the control
// and kept in the closed-tab list under its Name, from where OpenClosedTab
// brings it back. The list never keeps a sheet alive: a sheet freed while
// listed drops out of it.
//
// Keys: Ctrl+Tab (Ctrl+Shift+Tab) while the control or a control on it has
// the focus goes to the next (previous) visible tab, wrapping around.
//
// Forms here are built in code, not loaded: a new control counts as
// loaded, so margins and highlights take effect when set.

#include "widgets/dropdown/DropDownAppearance.h"

#include "platform/ClassBase.h"
#include "platform/Graphics.h"
#include "platform/ImgList.h"
#include "platform/TabControl.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TExPageControl;

// NewValue, OldValue, Index (0 left, 1 top, 2 right).
using TMarginChange = std::function<void(int NewValue, int OldValue, int Index)>;

class TTabMargin : public TPersistent {
public:
    std::string ClassName() const override { return "TTabMargin"; }
    // From another TTabMargin: the three values, without the event; any
    // other source changes nothing.
    void Assign(const TPersistent* Source) override;
    // Each setter does nothing for the present value; otherwise it fires
    // OnMarginChange (new, old, index) and then stores. Negative values
    // count as 0.
    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int Value);
    int TopMargin() const { return FTopMargin; }
    void SetTopMargin(int Value);
    int RightMargin() const { return FRightMargin; }
    void SetRightMargin(int Value);
    TMarginChange OnMarginChange;

private:
    void Set(int& Field, int Value, int Index);
    int FLeftMargin = 0;
    int FTopMargin = 0;
    int FRightMargin = 0;
};

enum TTabStyle : std::uint8_t { tsClassic, tsDotNet };

using TCanCloseEvent = std::function<void(TControl* Sender, bool& CanClose)>;
using TCanChangeEvent = std::function<void(TControl* Sender, int FromPage, int ToPage, bool& AllowChange)>;
using TTabGetImageEvent = std::function<void(TControl* Sender, int TabIndex, int& ImageIndex)>;

class TExTabSheet : public TCustomControl {
public:
    // A sheet at the end of APageControl's pages (not shown until it
    // becomes the active page).
    explicit TExTabSheet(TExPageControl* APageControl);
    ~TExTabSheet() override;
    const char* ClassName() const override { return "TExTabSheet"; }

    // The page control the sheet is on (nullptr while taken off). Setting
    // another control moves the sheet there, at the end of its pages.
    TExPageControl* PageControl() const { return FExPageControl; }
    void SetPageControl(TExPageControl* APageControl);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    // The text the tab is measured with (see the file comment).
    const std::string& TabCaption() const { return FTabCaption; }

    // Position among the pages. Writing a value above the last page raises
    // EListError; a negative one the list's index error.
    int PageIndex() const;
    void SetPageIndex(int Value);
    // Position among the shown tabs; -1 when the tab is not shown.
    int TabIndex() const;

    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    bool TabShowing() const { return FTabShowing; }
    // A disabled tab cannot be activated; the active one cannot be disabled
    // ("Can not disable active tab.").
    bool TabEnable() const { return FTabEnable; }
    void SetTabEnable(bool Value);
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool Value);
    // -1: no image (the tab still reports image 0, for the room of the
    // margins).
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int ReportedImageIndex() const { return FImageIndexDummy; }
    bool Highlighted() const { return FHighlighted; }
    void SetHighlighted(bool Value);

    // Page background: Color, and with ColorTo a top-to-bottom gradient in
    // 64 bands from Color to ColorTo.
    void SetColor(TColor Value) override;
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    // Tab looks (0 = black text counts as unset; clNone takes the control's
    // default when attached).
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor Value);
    TColor TabColor() const { return FTabColor; }
    void SetTabColor(TColor Value);
    TColor TabColorTo() const { return FTabColorTo; }
    void SetTabColorTo(TColor Value);
    TGradientDirection TabGradientDirection() const { return FTabGradientDirection; }
    void SetTabGradientDirection(TGradientDirection Value);
    TGradientDirection HoverGradientDirection() const { return FHoverGradientDirection; }
    void SetHoverGradientDirection(TGradientDirection Value) { FHoverGradientDirection = Value; }

    // When the sheet starts / stops showing as the active page.
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnClose;
    TCanCloseEvent OnCanClose;

protected:
    void Paint() override;

private:
    friend class TExPageControl;
    void SetTabShowing(bool Value);
    void UpdateTabShowing();
    void ApplyTabCaption();
    void ShowAsPage(bool Show);
    std::string FCaption;
    std::string FTabCaption;
    TColor FTextColor = 0;
    TColor FTabColor = clNone;
    TColor FTabColorTo = clNone;
    bool FShowClose = false;
    TGradientDirection FTabGradientDirection = gdVertical;
    TGradientDirection FHoverGradientDirection = gdVertical;
    int FImageIndex = -1;
    int FImageIndexDummy = 0;
    TExPageControl* FExPageControl = nullptr;
    bool FTabVisible = true;
    bool FTabShowing = false;
    bool FHighlighted = false;
    bool FTabEnable = true;
    TColor FColorTo = clNone;
    // Guard the closed-tab list holds: expires when the sheet is freed.
    std::shared_ptr<TExTabSheet*> FSelf;
};

class TExPageControl : public TCustomTabControl {
public:
    explicit TExPageControl(TWinControl* parent);
    ~TExPageControl() override;
    const char* ClassName() const override { return "TExPageControl"; }

    // 1.4.0.0 as major shl 24 + minor shl 16 + release shl 8 + build.
    int GetVersionNr() const { return (1 << 24) + (4 << 16); }
    std::string Version() const { return "1.4.0.0"; }

    // Computes the margins' room and re-sends the highlights (a control
    // built in code counts as loaded already).
    void Loaded();

    // --- pages
    int PageCount() const { return static_cast<int>(FPages.size()); }
    // Checked: raises EListError outside 0..PageCount-1.
    TExTabSheet* Pages(int Index) const;
    TExTabSheet* ActivePage() const { return FActivePage; }
    // A sheet of another control is ignored; nullptr leaves no page active
    // (the page that was active keeps its visibility).
    void SetActivePage(TExTabSheet* Page);
    int ActivePageIndex() const;
    // An index outside the pages means none.
    void SetActivePageIndex(int Value);
    // The next page after (before) CurPage whose tab is visible (any page
    // without CheckTabVisible), wrapping round; nullptr without pages or
    // after a full round.
    TExTabSheet* FindNextPage(TExTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
    void SelectNextPage(bool GoForward);
    // Puts a closed sheet back (at the end of the pages); false when the
    // list holds no live sheet of that name. Entries stay in the list.
    bool OpenClosedTab(const std::string& TabName);
    void OpenAllClosedTabs();
    // Names in the closed-tab list (freed sheets dropped).
    std::vector<std::string> ClosedTabNames() const;

    // --- settings
    TTabMargin& TabMargin() { return *FTabMargin; }
    void SetTabMargin(const TTabMargin& Value) { FTabMargin->Assign(&Value); }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    bool FreeOnClose = false;
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool Value);
    TColor DefaultTextColor() const { return FDefaultTextColor; }
    void SetDefaultTextColor(TColor Value);
    TColor DefaultTabColor() const { return FDefaultTabColor; }
    void SetDefaultTabColor(TColor Value);
    TColor DefaultTabColorTo() const { return FDefaultTabColorTo; }
    void SetDefaultTabColorTo(TColor Value);
    TColor ActiveColor() const { return FActiveColor; }
    void SetActiveColor(TColor Value);
    TColor ActiveColorTo() const { return FActiveColorTo; }
    void SetActiveColorTo(TColor Value);
    // False: the control paints its tabs itself; True: the tab control's
    // own look with full captions.
    bool TabBorder3D() const { return FTabBorder3D; }
    void SetTabBorder3D(bool Value);
    TColor TabBorderColor() const { return FTabBorderColor; }
    void SetTabBorderColor(TColor Value);
    bool TabSheet3D() const { return FTabSheet3D; }
    void SetTabSheet3D(bool Value);
    TColor TabSheetBorderColor() const { return FTabSheetBorderColor; }
    void SetTabSheetBorderColor(TColor Value);
    TColor TabHoverColor() const { return FTabHoverColor; }
    void SetTabHoverColor(TColor Value);
    TColor TabHoverColorTo() const { return FTabHoverColorTo; }
    void SetTabHoverColorTo(TColor Value);
    TColor TabHoverBorder() const { return FTabHoverBorder; }
    void SetTabHoverBorder(TColor Value);
    TColor TabBackGroundColor() const { return FTabBackGroundColor; }
    void SetTabBackGroundColor(TColor Value);
    const TBitmap& TabBackGround() const { return FTabBackGround; }
    void SetTabBackGround(const TBitmap& Value);
    const TBitmap& TabBackGroundActive() const { return FTabBackGroundActive; }
    void SetTabBackGroundActive(const TBitmap& Value);
    const TBitmap& CloseGlyph() const { return FCloseGlyph; }
    void SetCloseGlyph(const TBitmap& Value);
    TFont& ActiveFont() { return FActiveFont; }
    void SetActiveFont(const TFont& Value);
    // 0..15 pixels.
    int TabOverlap() const { return FTabOverlap; }
    void SetTabOverlap(int Value);
    // Raises "TabSplitLine must be false when TabStyle is tsDotNet" for True
    // under tsDotNet.
    bool TabSplitLine() const { return FTabSplitLine; }
    void SetTabSplitLine(bool Value);
    bool RoundEdges() const { return FRoundEdges; }
    void SetRoundEdges(bool Value);
    TTabStyle TabStyle() const { return FTabStyle; }
    void SetTabStyle(TTabStyle Value);
    int LowerActive() const { return FLowerActive; }
    void SetLowerActive(int Value);
    void SetTabPosition(TTabPosition Value);
    // The page index under the mouse pointer while hovering (-1: none).
    int HoverTab() const { return FHoverTab; }

    TCanChangeEvent OnCanChange;
    TTabGetImageEvent OnGetImageIndex;

    // Where the close button of the sheet's tab lies (client coordinates;
    // the active tab's shift included when ForActive). Empty for a sheet
    // whose tab is not shown.
    TRect CloseButtonRect(TExTabSheet* Sheet, bool ForActive) const;
    // The rectangle of a page's tab (empty when not shown).
    TRect PageTabRect(int PageIndex) const;

    bool DialogKey(int Key, TShiftState Shift) override;

protected:
    bool CanChange() override;
    void Change() override;
    int GetImageIndex(int TabIndex) override;
    // After the tab control's selection changed: its sheet becomes active.
    virtual void SelectSheetOfTab();
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DoMouseLeave() override;

private:
    friend class TExTabSheet;
    void InsertPage(TExTabSheet* Page);
    void RemovePage(TExTabSheet* Page);
    void InsertSheetTab(TExTabSheet* Page);
    void DeleteSheetTab(TExTabSheet* Page, int Index);
    void MoveSheetTab(int CurIndex, int NewIndex);
    void ChangeActivePage(TExTabSheet* Page);
    void UpdateTabHighlights();
    void UpdateDummyImages();
    void UpdateDummyImages(int L, int T, int R);
    void MarginChanged(int NewValue, int OldValue, int Index);
    std::string TabStringOf(const TExTabSheet* Page, bool Active);
    void WidenTab(TExTabSheet* Page);
    void CloseActiveTab();
    int PageIndexOfTab(int TabIndex) const;
    // Painting (owner-drawn mode).
    void PaintOwnerDrawn(TCanvas& C);
    void PaintTab(TCanvas& C, TExTabSheet* Sheet, bool Active);
    void PaintCloseButton(TCanvas& C, TExTabSheet* Sheet, bool Active);
    void InvalidateTab(int PageIndex);

    std::vector<TExTabSheet*> FPages;
    TExTabSheet* FActivePage = nullptr;
    std::unique_ptr<TTabMargin> FTabMargin;
    std::vector<std::pair<std::string, std::weak_ptr<TExTabSheet*>>> FClosedTabList;
    TCustomImageList* FImages = nullptr;
    TColor FDefaultTextColor = 0;
    TColor FDefaultTabColor = clBtnFace;
    TColor FDefaultTabColorTo = clNone;
    TColor FActiveColor = clBtnFace;
    TColor FActiveColorTo = clNone;
    bool FTabBorder3D = false;
    TColor FTabBorderColor = 0x808080;
    TColor FTabHoverColor = clNone;
    TColor FTabHoverColorTo = clNone;
    TColor FTabHoverBorder = clNone;
    bool FShowFocus = false;
    bool FHoverClosedButton = false;
    bool FCloseButtonDown = false;
    int FTabOverlap = 0;
    bool FTabSheet3D = false;
    TColor FTabSheetBorderColor = 0x808080;
    TColor FTabBackGroundColor = clBtnFace;
    bool FTabSplitLine = false;
    bool FRoundEdges = false;
    int FHoverTab = -1;
    TBitmap FTabBackGround;
    TBitmap FTabBackGroundActive;
    TTabStyle FTabStyle = tsClassic;
    int FLowerActive = 2;
    bool FPropertiesLoaded = false;
    TFont FActiveFont;
    TBitmap FCloseGlyph;
    bool FDestroying = false;
};
