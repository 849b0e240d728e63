#pragma once
// The class library's tab control (TCustomTabControl): a row of tabs over a
// page area. The control keeps the tab strings (each with an object), the
// selected tab, the tab layout and hit testing, and the keyboard and mouse
// selection; a page control built on it decides what a tab shows.
//
// Layout: tabs run along the side given by TabPosition, starting 2 pixels
// from the control's corner. A tab's length is its text's width + 12, plus
// the image size + 3 when the tab reports an image (GetImageIndex >= 0)
// and an image size is set (the width for tabs at the top or bottom, the
// height for tabs at the left or right, whose text runs vertically);
// TabWidth > 0 fixes it. A tab's thickness is the font's height + 6 (at
// least the image's other dimension + 6); TabHeight > 0 fixes it. With
// MultiLine the tabs wrap into rows; the row holding the selected tab lies
// next to the page area. The page area is the rest of the client area; its
// inner part (DisplayRect) lies 4 pixels inside it.
//
// The first tab inserted into a control without tabs becomes the selected
// one.
//
// Selection: a left-button press on another tab, or Left / Right (Up / Down
// for tabs at the left or right) while the control has the focus, asks
// CanChange (OnChanging may refuse), selects the tab and runs Change
// (OnChange). Setting TabIndex in code runs neither.

#include "platform/Controls.h"

#include <functional>
#include <string>
#include <vector>

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

class TCustomTabControl : public TCustomControl {
public:
    explicit TCustomTabControl(TWinControl* parent);
    const char* ClassName() const override { return "TCustomTabControl"; }

    // --- tab strings (checked: an index outside the tabs raises EListError;
    // an insertion index may be TabCount)
    int TabCount() const { return static_cast<int>(tabs_.size()); }
    const std::string& TabString(int i) const;
    void* TabObject(int i) const;
    void InsertTab(int i, const std::string& s, void* object);
    void DeleteTab(int i);
    void SetTabString(int i, const std::string& s);
    void MoveTab(int from, int to);
    // Position of the first tab carrying object, -1 when none.
    int IndexOfTabObject(const void* object) const;

    // The selected tab, -1 when none. Setting it in code (an index outside
    // the tabs means none) fires no event.
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int i);

    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition p);
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int h);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int w);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool v);
    // Kept for the published interface; the layout does not depend on them.
    bool HotTrack = false;
    bool RaggedRight = false;
    bool ScrollOpposite = false;
    // Room for an image in every tab that reports one (0 x 0: none).
    void SetImageSize(int w, int h);
    int ImageWidth() const { return imageWidth_; }
    int ImageHeight() const { return imageHeight_; }
    // With OwnerDraw the tabs' contents are drawn by DrawTab (OnDrawTab).
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool v);
    // Whether a tab is highlighted (the class library's TCM_HIGHLIGHTITEM).
    void SetTabHighlighted(int i, bool v);
    bool TabHighlighted(int i) const;

    // Geometry (client coordinates). TabRect of an index outside the tabs
    // is empty.
    TRect TabRect(int i) const;
    int IndexOfTabAt(int x, int y) const;
    int RowCount() const;
    // The page area (tab strip excluded) and its inner part.
    TRect PageRect() const;
    TRect DisplayRect() const;

    std::function<void(TControl* Sender, bool& AllowChange)> OnChanging;
    TNotifyEvent OnChange;
    std::function<void(TCustomTabControl* Control, int TabIndex, const TRect& Rect, bool Active)> OnDrawTab;

protected:
    // False refuses a change of the selected tab (fires OnChanging).
    virtual bool CanChange();
    // After the user changed the selected tab (fires OnChange).
    virtual void Change();
    // Image of a tab, -1 for none.
    virtual int GetImageIndex(int TabIndex);
    // Contents of a tab in owner-draw mode.
    virtual void DrawTab(int TabIndex, const TRect& Rect, bool Active);
    // Selects tab i as the user does (CanChange, then Change); false when
    // refused or already selected.
    bool UserSelect(int i);
    // The layout changed: pages re-align and the control repaints.
    void LayoutChanged();
    // The tab a change under way goes to (-1 outside a change), for
    // CanChange.
    int ChangingTo() const { return changingTo_; }
    int changingTo_ = -1;

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    bool KeyDownMsg(int key, TShiftState shift) override;
    TRect AlignRect() const override { return DisplayRect(); }

private:
    struct Tab {
        std::string text;
        void* object = nullptr;
        bool highlighted = false;
    };
    struct Layout {
        std::vector<TRect> rects;
        int rows = 0;
        int stripEnd = 0; // first pixel of the page area across the strip
    };
    Layout ComputeLayout() const;
    bool Vertical() const { return tabPosition_ == tpLeft || tabPosition_ == tpRight; }
    void CheckIndex(int i) const;
    std::vector<Tab> tabs_;
    int tabIndex_ = -1;
    TTabPosition tabPosition_ = tpTop;
    int tabHeight_ = 0;
    int tabWidth_ = 0;
    bool multiLine_ = false;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    bool ownerDraw_ = false;
};
