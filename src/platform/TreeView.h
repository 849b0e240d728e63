#pragma once
// A tree of items: the class library's tree view (TTreeView with its
// TTreeNodes), with what a virtual tree adds for large trees:
// - captions asked when first needed: an item added without a caption gets
//   it from OnGetText the first time it is shown or read, and keeps it;
// - check boxes (CheckBoxes) with automatic tri-state: ticking or
//   unticking an item does the same to all its items below, and an item
//   with children shows Checked when all of them are, Unchecked when none
//   is, Mixed otherwise;
// - one picture per level (LevelImage) from an image list, or one per item.
//
// Coordinates are the client pixels of the item area (below any border,
// scrolled with the items). Item pointers stay valid until their item is
// deleted (Delete, DeleteChildren, Clear).
//
// Events:
// - OnChange: the selected item changed (user or program), with the new
//   item or null; deleting the selected item leaves none selected and
//   reports it once the tree is whole again;
// - OnChecked: the user ticked or unticked an item's box (mouse or space
//   bar), after every box below and above it has its new state;
// - OnContextPopup: the right mouse button was released over the items
//   (the press selected the item under the pointer when RightClickSelect);
// - OnClick: a left button release over the items; OnDblClick: a double
//   click.

#include "platform/Controls.h"
#include "platform/ImgList.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TTreeView;
class TTreeNodes;

enum class TTreeCheckState { Unchecked, Checked, Mixed };

class TTreeNode {
public:
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    TTreeView* TreeView() const { return view_; }
    // The item above (null for a top item).
    TTreeNode* Parent() const;
    // 0 for a top item, 1 for its children ...
    int Level() const;
    // Position among the items of the same parent.
    int Index() const { return index_; }
    int Count() const { return static_cast<int>(children_.size()); }
    bool HasChildren() const { return !children_.empty(); }
    // Child i; raises EListError outside 0..Count-1.
    TTreeNode* Item(int i) const;
    TTreeNode* GetFirstChild() const;
    TTreeNode* GetLastChild() const;
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;

    // The caption (asked from OnGetText when the item has none yet).
    const std::string& Text() const;
    void SetText(const std::string& s);

    // The program's own pointer (not owned).
    void* Data = nullptr;

    // The picture of the item in the tree's image list; -1 (the default)
    // shows its level's picture.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int i);

    bool Expanded() const { return expanded_; }
    void SetExpanded(bool v);
    void Expand(bool recurse);
    void Collapse(bool recurse);

    // Setting a state sets every item below to it (Mixed leaves them) and
    // works the states of the items above out again; no event fires.
    TTreeCheckState CheckState() const { return state_; }
    void SetCheckState(TTreeCheckState s);
    bool Checked() const { return state_ == TTreeCheckState::Checked; }
    void SetChecked(bool v) { SetCheckState(v ? TTreeCheckState::Checked : TTreeCheckState::Unchecked); }

    bool Selected() const;
    // Expands the items above and scrolls the item into view.
    void MakeVisible();
    // Removes the item with its children (the pointer is invalid after).
    void Delete();
    void DeleteChildren();

private:
    friend class TTreeNodes;
    friend class TTreeView;
    struct Access;
    TTreeNode(TTreeView* view, TTreeNode* parent) : view_(view), parent_(parent) {}

    TTreeView* view_;
    TTreeNode* parent_;  // the hidden root for a top item
    std::vector<std::unique_ptr<TTreeNode>> children_;
    int index_ = 0;
    mutable std::string text_;
    mutable bool textKnown_ = false;
    int imageIndex_ = -1;
    bool expanded_ = false;
    TTreeCheckState state_ = TTreeCheckState::Unchecked;
};

class TTreeNodes {
public:
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;

    // Every item of the tree.
    int Count() const { return count_; }
    // The top items.
    int TopCount() const;
    // Top item i; raises EListError outside 0..TopCount-1.
    TTreeNode* TopItem(int i) const;
    TTreeNode* GetFirstNode() const;

    // Appends an item after the last item of sibling's parent (a top item
    // when sibling is null).
    TTreeNode* Add(TTreeNode* sibling, const std::string& s);
    // Appends an item as the last child of parent (a top item when null).
    // A new item's box is unticked (its parent's state is worked out again).
    TTreeNode* AddChild(TTreeNode* parent, const std::string& s);
    // The same without a caption: OnGetText gives it when first needed.
    TTreeNode* AddChildDeferred(TTreeNode* parent);
    void Delete(TTreeNode* node);
    void Clear();

    // Between BeginUpdate and EndUpdate (nested) the tree is not redrawn and
    // items are added without notifying the view one by one.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TTreeView;
    friend class TTreeNode;
    explicit TTreeNodes(TTreeView* view);
    TTreeNode* Insert(TTreeNode* parent, const std::string* text);
    TTreeView* view_;
    std::unique_ptr<TTreeNode> root_;
    int count_ = 0;
    int updating_ = 0;
};

class TTreeView : public TControl {
public:
    explicit TTreeView(TWinControl* parent);
    ~TTreeView() override;
    const char* ClassName() const override { return "TTreeView"; }

    TTreeNodes& Items() { return *items_; }
    const TTreeNodes& Items() const { return *items_; }

    // The selected item (null when none). Setting it scrolls it into view
    // and fires OnChange when it changes.
    TTreeNode* Selected() const { return selected_; }
    void SetSelected(TTreeNode* node);

    bool CheckBoxes() const { return checkBoxes_; }
    void SetCheckBoxes(bool v);
    bool RightClickSelect() const { return rightClickSelect_; }
    void SetRightClickSelect(bool v) { rightClickSelect_ = v; }

    // The image list (not owned; null: no pictures) and the picture of each
    // level (-1: none).
    void SetImages(TCustomImageList* images);
    void SetLevelImage(int level, int imageIndex);

    void FullExpand();
    void FullCollapse();

    // The item under the point (null when none).
    TTreeNode* GetNodeAt(int x, int y) const;
    // The item's row and the place of its check box, in client pixels;
    // empty while the item is not shown (collapsed away or scrolled out).
    TRect DisplayRect(TTreeNode* node) const;
    TRect CheckBoxRect(TTreeNode* node) const;

    std::function<void(TControl* Sender, TTreeNode* Node)> OnChange;
    std::function<void(TControl* Sender, TTreeNode* Node)> OnChecked;
    std::function<void(TControl* Sender, TTreeNode* Node, std::string& Text)> OnGetText;
    std::function<void(TControl* Sender, TPoint MousePos, bool& Handled)> OnContextPopup;

    // The Qt side (platform layer only).
    struct QtTree;
    struct Model;
    // The widget that takes the mouse (the item area).
    QWidget* ItemArea() const;

private:
    friend class TTreeNodes;
    friend class TTreeNode;
    void NodeChanged(TTreeNode* node);
    void StatesChanged();
    void SelectionMoved(TTreeNode* node);
    void UserChecked(TTreeNode* node, TTreeCheckState state);
    void ApplyExpanded(TTreeNode* node, bool v);
    void RestoreView();
    void NotifySelection();

    std::unique_ptr<TTreeNodes> items_;
    std::unique_ptr<Model> model_;
    TTreeNode* selected_ = nullptr;
    TTreeNode* reported_ = nullptr;  // the selection OnChange last reported
    bool reportGone_ = false;        // ... and it has been deleted since
    int quiet_ = 0;                  // selection changes are reported after the operation
    bool checkBoxes_ = false;
    bool rightClickSelect_ = true;
    TCustomImageList* images_ = nullptr;
    std::vector<int> levelImages_;
};
