#pragma once
// The item selector: the scrolling list of items in the pop-ups of the
// detail list, image and colour pickers. Items are laid out in a fixed
// number of columns, each an image (its own picture or one of an image
// list) or a colour box, with an optional mini-HTML caption beside, above
// or below it. The item under the mouse is hot; a press, the Select...
// moves and the type-ahead lookup select an item and report it.
//
// TExCustomItemSelector is the scrolling container that owns the items,
// the appearance and the settings; TCustomItemSelector is the panel inside
// it, sized to its content, that lays out, paints and takes the mouse.

#include "platform/ClassBase.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/ScrollBox.h"
#include "widgets/dropdown/ItemAppearance.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TCustomImageList;
class TExCustomItemSelector;

enum TSelectorType : std::uint8_t { stImage, stColor };
enum TItemLayout : std::uint8_t { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };

// Sender: the panel.
using TDrawItemEvent = std::function<void(TControl* Sender, TCanvas& Canvas, TRect R, int Index)>;
using TItemSizeEvent = std::function<void(TControl* Sender, TSize& ASize)>;

class TSelectorItems;

class TSelectorItem : public TCollectionItem {
public:
    explicit TSelectorItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
    std::string ClassName() const override { return "TSelectorItem"; }
    // From a TSelectorItem: Caption, Color and ImageIndex through their
    // setters, the picture, Enabled and Hint.
    void Assign(const TPersistent* Source) override;

    // Mini-HTML.
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    // Disabled items never become hot or selected.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    const TBitmap& Image() const { return FImage; }
    void SetImage(const TBitmap& Value) { FImage.Assign(&Value); }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }
    // The item's place in the panel, set by the layout.
    const TRect& ItemRect() const { return FRect; }
    void SetItemRect(const TRect& Value) { FRect = Value; }

private:
    void NotifyChange();
    std::string FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    TColor FColor = clNone;
    TBitmap FImage;
    TRect FRect{0, 0, 0, 0};
    std::string FHint;
};

class TSelectorItems : public TCollection {
public:
    explicit TSelectorItems(TExCustomItemSelector* AOwner);
    std::string ClassName() const override { return "TSelectorItems"; }
    TExCustomItemSelector* GetOwner() const { return FMyOwner; }
    TSelectorItem* Add() { return static_cast<TSelectorItem*>(TCollection::Add()); }
    TSelectorItem* Insert(int Index) { return static_cast<TSelectorItem*>(TCollection::Insert(Index)); }
    // Checked (EListError outside 0..Count-1); SetItems assigns Value.
    TSelectorItem* Items(int Index) const { return static_cast<TSelectorItem*>(TCollection::Items(Index)); }
    void SetItems(int Index, const TSelectorItem* Value) { Items(Index)->Assign(Value); }
    // Fired by an item's Caption, ImageIndex or Color change only (adding,
    // deleting and clearing items do not fire it); this hides the
    // collection's own change event, which stays unset.
    std::function<void(TSelectorItems* Sender)> OnChange;

private:
    TExCustomItemSelector* FMyOwner;
};

// The panel. Its owner (and parent) must be a TExCustomItemSelector.
class TCustomItemSelector : public TCustomControl {
public:
    // Raises "Invalid parent" for any other owner.
    explicit TCustomItemSelector(TWinControl* AOwner);
    const char* ClassName() const override { return "TCustomItemSelector"; }

    int ItemIndex() const { return FItemIndex; }
    int ItemHot() const { return FItemHot; }
    // Read through to the container.
    TExCustomItemSelector* ExItemSelector() const { return FExItemSelector; }
    int Columns() const;
    TSelectorItems& Items() const;
    TSelectorType SelectorType() const;
    TCustomImageList* Images() const;
    TSelectionColorStyle ItemColorStyle() const;
    TColor ItemColorHot() const;
    TColor ItemColorHotTo() const;
    TColor ItemColorSelected() const;
    TColor ItemColorSelectedTo() const;
    int ColorBoxWidth() const;
    int ColorBoxHeight() const;

    // Ignored for an existing disabled item. The old selection (when
    // another) is cleared and repainted; Index becomes the selection, and
    // for Index >= 0 the item is drawn at once and OnItemSelect fires, also
    // when it was selected already. An index past the end is stored as
    // given: nothing draws, hit-tests or reports an item through it.
    void SelectItem(int Index);
    // Ignored for the hot index and an existing disabled item.
    void SetHotItem(int Index);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // The first item whose caption, as upper-cased trimmed plain text,
    // begins with S is selected (S is compared as given); false when none
    // is (and for an empty S or list).
    bool LookupItem(const std::string& S);
    // The stored rectangle, (-1, -1, -1, -1) outside the list.
    void GetItemRect(int Index, TRect& R) const;
    // The first item containing the point (right and bottom exclusive), -1.
    int ItemAtPos(int X, int Y) const;

    // Draws every item meeting Area (panel pixels) on Canvas after filling
    // Area with the panel's colour.
    void PaintArea(TCanvas& Canvas, const TRect& Area);

    TNotifyEvent OnItemSelect;

    // The virtual operations, in slot order.
    virtual void DrawItem(int Index, TCanvas* Canvas);
    virtual void GetContentRect(TRect& R) const;
    virtual void GetItemSize(TSize& ASize);
    virtual void InvalidateItem(int Index);
    virtual void UpdateLayout();

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DoMouseLeave() override;

private:
    // Paints the item now when it shows.
    void DrawItemNow(int Index);
    bool IsDisabledItem(int Index) const;
    bool ValidIndex(int Index) const;
    // The part of the panel the container shows.
    TRect VisibleArea() const;

    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 2;
    int FOffSetY = 2;
    int FItemOffSetX = 4;
    int FItemOffSetY = 4;
    int FCaptionGap = 4;
    TExCustomItemSelector* FExItemSelector;
};

class TExCustomItemSelector : public TScrollingWinControl {
public:
    explicit TExCustomItemSelector(TWinControl* AOwner);
    ~TExCustomItemSelector() override;
    const char* ClassName() const override { return "TExCustomItemSelector"; }

    TSelectorItems& Items() { return *FItems; }
    const TSelectorItems& Items() const { return *FItems; }
    void SetItems(const TSelectorItems& Value) { FItems->Assign(&Value); }
    TSelectorType SelectorType() const { return FSelectorType; }
    void SetSelectorType(TSelectorType Value);
    TItemLayout ItemLayout() const { return FItemLayout; }
    void SetItemLayout(TItemLayout Value) { FItemLayout = Value; }
    int Columns() const { return FColumns; }
    // Only values above 0.
    void SetColumns(int Value);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int Value);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int Value);
    // Not owned.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TItemAppearance& ItemAppearance() { return *FItemAppearance; }
    const TItemAppearance& ItemAppearance() const { return *FItemAppearance; }
    void SetItemAppearance(const TItemAppearance& Value) { FItemAppearance->Assign(&Value); }
    TCustomItemSelector* SelectorPanel() const { return FItemSelectorPanel; }

    // The panel's selection, -1 without a panel; setting it selects through
    // the panel and scrolls the result into view.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    // The panel's hot item, -1 without a panel.
    int ItemHot() const;

    // Lays the panel out anew.
    void UpdateSelectorPanel();
    // Each runs the panel's operation, then brings the panel's selected
    // (Hot...: hot) item into view.
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const std::string& S);
    // Scrolls vertically so the item shows (while the vertical bar shows).
    void ScrollItemInView(int Index);
    // Whole items the visible height holds, times Columns; 0 without items
    // or when the first item is not at least one pixel high.
    int GetVisibleItemCount() const;
    // The panel's size, 100 x 50 without a panel.
    TSize GetPanelSize() const;

    TNotifyEvent OnItemSelect;
    TDrawItemEvent OnDrawItem;
    TItemSizeEvent OnItemSize;
    TNotifyEvent OnResize;

protected:
    void Resized() override;

private:
    // Runs the panel's move, then brings its selected (Hot: hot) item into view.
    void PanelMove(void (TCustomItemSelector::*Move)(), bool Hot);

    std::unique_ptr<TSelectorItems> FItems;
    TSelectorType FSelectorType = stImage;
    TItemLayout FItemLayout = ilCaptionRight;
    int FColumns = 1;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    TCustomImageList* FImages = nullptr;
    TCustomItemSelector* FItemSelectorPanel = nullptr;
    std::unique_ptr<TItemAppearance> FItemAppearance;
};
