// The tree control: items and their order, captions asked when first
// needed, the selection by mouse and by program with its OnChange, the
// right button, check boxes with automatic tri-state, deletion while
// selected, batched filling and a picture per level.
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/TreeView.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <QTreeView>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

class TreeViewTest : public ::testing::Test {
protected:
    TreeViewTest()
    {
        form.SetBounds(0, 0, 400, 400);
        tree = new TTreeView(&form);
        tree->SetBounds(8, 8, 300, 360);
        tree->OnChange = [this](TControl*, TTreeNode* n) { changes.push_back(n); };
    }
    void Show()
    {
        form.ShowForm();
        ActivateWindowOf(form);
    }
    // A press then a release on the middle of the item's row.
    void ClickItem(TTreeNode* n, TMouseButton button = mbLeft)
    {
        const TRect r = tree->DisplayRect(n);
        ASSERT_GT(r.Right, r.Left) << "item not shown";
        const TPoint p = Centre(r);
        SendMouseDown(*tree, p.X, p.Y, button);
        SendMouseUp(*tree, p.X, p.Y, button);
    }
    void ClickBox(TTreeNode* n)
    {
        const TRect r = tree->CheckBoxRect(n);
        ASSERT_GT(r.Right, r.Left) << "no box shown";
        const TPoint p = Centre(r);
        SendMouseDown(*tree, p.X, p.Y);
        SendMouseUp(*tree, p.X, p.Y);
    }

    TForm form;
    TTreeView* tree;
    std::vector<TTreeNode*> changes;
};

TEST_F(TreeViewTest, ItemsKeepTheirOrderLevelsAndIndexes)
{
    TTreeNodes& items = tree->Items();
    TTreeNode* root = items.AddChild(nullptr, "M-Bus Network");
    TTreeNode* a = items.AddChild(root, "ID 1 - a");
    TTreeNode* b = items.AddChild(root, "ID 2 - b");
    TTreeNode* va = items.AddChild(a, "VAR - x");
    TTreeNode* c = items.Add(a, "ID 3 - c");  // after the last of a's siblings
    EXPECT_EQ(items.Count(), 5);
    EXPECT_EQ(items.TopCount(), 1);
    EXPECT_EQ(items.GetFirstNode(), root);
    EXPECT_EQ(root->Count(), 3);
    EXPECT_EQ(root->Item(2), c);
    EXPECT_EQ(c->Index(), 2);
    EXPECT_EQ(va->Level(), 2);
    EXPECT_EQ(root->Level(), 0);
    EXPECT_EQ(va->Parent(), a);
    EXPECT_EQ(root->Parent(), nullptr);
    EXPECT_EQ(a->GetNextSibling(), b);
    EXPECT_EQ(b->GetPrevSibling(), a);
    EXPECT_EQ(c->GetNextSibling(), nullptr);
    EXPECT_THROW(root->Item(3), EListError);
    EXPECT_THROW(root->Item(-1), EListError);
    EXPECT_THROW(items.TopItem(1), EListError);

    b->Delete();
    EXPECT_EQ(root->Count(), 2);
    EXPECT_EQ(c->Index(), 1);
    a->DeleteChildren();
    EXPECT_EQ(items.Count(), 3);
    EXPECT_FALSE(a->HasChildren());
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(items.GetFirstNode(), nullptr);
}

TEST_F(TreeViewTest, ClickSelectsAndReportsOnce)
{
    TTreeNode* root = tree->Items().AddChild(nullptr, "root");
    TTreeNode* a = tree->Items().AddChild(root, "a");
    TTreeNode* b = tree->Items().AddChild(root, "b");
    root->Expand(false);
    int clicks = 0;
    tree->OnClick = [&](TControl*) { ++clicks; };
    Show();

    ClickItem(b);
    EXPECT_EQ(tree->Selected(), b);
    EXPECT_TRUE(b->Selected());
    EXPECT_EQ(changes, (std::vector<TTreeNode*>{b}));
    EXPECT_EQ(clicks, 1);
    ClickItem(b);  // the same item again: no change
    EXPECT_EQ(changes.size(), 1u);
    EXPECT_EQ(tree->GetNodeAt(Centre(tree->DisplayRect(a)).X, Centre(tree->DisplayRect(a)).Y), a);

    // The program selects: reported the same way.
    tree->SetSelected(a);
    EXPECT_EQ(changes, (std::vector<TTreeNode*>{b, a}));
    tree->SetSelected(nullptr);
    EXPECT_EQ(tree->Selected(), nullptr);
    EXPECT_EQ(changes.back(), nullptr);
}

TEST_F(TreeViewTest, RightButtonSelectsOnPressAndAsksForTheMenuOnRelease)
{
    TTreeNode* root = tree->Items().AddChild(nullptr, "root");
    TTreeNode* a = tree->Items().AddChild(root, "a");
    root->Expand(false);
    std::vector<std::string> seen;
    tree->OnContextPopup = [&](TControl*, TPoint p, bool&) {
        seen.push_back((tree->Selected() ? tree->Selected()->Text() : "-") + "@" +
                       std::to_string(tree->GetNodeAt(p.X, p.Y) == a));
    };
    Show();
    const TPoint p = Centre(tree->DisplayRect(a));
    SendMouseDown(*tree, p.X, p.Y, mbRight);
    EXPECT_EQ(tree->Selected(), a);
    EXPECT_TRUE(seen.empty());
    SendMouseUp(*tree, p.X, p.Y, mbRight);
    EXPECT_EQ(seen, (std::vector<std::string>{"a@1"}));

    // Without RightClickSelect the selection stays.
    tree->SetSelected(root);
    tree->SetRightClickSelect(false);
    ClickItem(a, mbRight);
    EXPECT_EQ(tree->Selected(), root);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(TreeViewTest, DeletingTheSelectedItemReportsTheNewSelectionAfterwards)
{
    TTreeNode* root = tree->Items().AddChild(nullptr, "root");
    TTreeNode* a = tree->Items().AddChild(root, "a");
    TTreeNode* va = tree->Items().AddChild(a, "va");
    TTreeNode* b = tree->Items().AddChild(root, "b");
    root->Expand(true);
    Show();
    tree->SetSelected(va);
    changes.clear();
    int countSeen = -1;
    tree->OnChange = [&](TControl*, TTreeNode* n) {
        changes.push_back(n);
        countSeen = tree->Items().Count();  // the tree is whole when told
    };
    a->Delete();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(countSeen, 2);
    EXPECT_EQ(changes[0], nullptr);
    EXPECT_EQ(tree->Selected(), nullptr);
    // Deleting another item leaves the selection alone.
    tree->SetSelected(b);
    tree->Items().AddChild(root, "c")->Delete();
    EXPECT_EQ(changes, (std::vector<TTreeNode*>{nullptr, b}));
    ClickItem(root);
    EXPECT_EQ(tree->Selected(), root);

    // Clearing a tree with a selection reports none.
    tree->Items().Clear();
    EXPECT_EQ(changes.back(), nullptr);
    EXPECT_EQ(tree->Selected(), nullptr);
}

TEST_F(TreeViewTest, CaptionsAreAskedWhenFirstNeededAndKept)
{
    std::vector<int> asked;
    tree->OnGetText = [&](TControl*, TTreeNode* n, std::string& s) {
        asked.push_back(n->Index());
        s = "item " + std::to_string(n->Index());
    };
    tree->Items().BeginUpdate();
    for (int i = 0; i < 2000; ++i) tree->Items().AddChildDeferred(nullptr);
    TTreeNode* hidden = tree->Items().AddChildDeferred(tree->Items().TopItem(0));
    tree->Items().EndUpdate();
    EXPECT_TRUE(asked.empty());

    Show();
    tree->Widget()->grab();  // paints the rows in view
    EXPECT_FALSE(asked.empty());
    EXPECT_LT(asked.size(), 200u);  // only rows that were shown
    const size_t afterPaint = asked.size();
    EXPECT_EQ(tree->Items().TopItem(1999)->Text(), "item 1999");
    EXPECT_EQ(asked.size(), afterPaint + 1);
    EXPECT_EQ(tree->Items().TopItem(1999)->Text(), "item 1999");
    EXPECT_EQ(asked.size(), afterPaint + 1);  // kept
    tree->Widget()->grab();
    EXPECT_EQ(asked.size(), afterPaint + 1);  // shown rows are not asked again
    (void)hidden;
}

TEST_F(TreeViewTest, CheckBoxesFollowTheirItemsBelowAndAbove)
{
    tree->SetCheckBoxes(true);
    TTreeNodes& items = tree->Items();
    TTreeNode* meter = items.AddChild(nullptr, "meter");
    TTreeNode* r1 = items.AddChild(meter, "record 1");
    TTreeNode* r2 = items.AddChild(meter, "record 2");
    TTreeNode* d1 = items.AddChild(r1, "DIF = $04");
    TTreeNode* d2 = items.AddChild(r1, "VIF = $13");

    meter->SetChecked(true);
    for (TTreeNode* n : {meter, r1, r2, d1, d2}) EXPECT_TRUE(n->Checked()) << n->Text();
    d1->SetChecked(false);
    EXPECT_EQ(r1->CheckState(), TTreeCheckState::Mixed);
    EXPECT_EQ(meter->CheckState(), TTreeCheckState::Mixed);
    d2->SetChecked(false);
    EXPECT_EQ(r1->CheckState(), TTreeCheckState::Unchecked);
    EXPECT_EQ(meter->CheckState(), TTreeCheckState::Mixed);
    r2->SetChecked(false);
    EXPECT_EQ(meter->CheckState(), TTreeCheckState::Unchecked);
    // A new item is unticked; its parent's state follows.
    meter->SetChecked(true);
    items.AddChild(meter, "record 3");
    EXPECT_EQ(meter->CheckState(), TTreeCheckState::Mixed);
    // Deleting the unticked one makes the parent whole again.
    meter->GetLastChild()->Delete();
    EXPECT_EQ(meter->CheckState(), TTreeCheckState::Checked);
}

TEST_F(TreeViewTest, MouseTicksABoxAndItsItems)
{
    tree->SetCheckBoxes(true);
    TTreeNodes& items = tree->Items();
    TTreeNode* meter = items.AddChild(nullptr, "meter");
    TTreeNode* r1 = items.AddChild(meter, "record 1");
    TTreeNode* r2 = items.AddChild(meter, "record 2");
    meter->SetChecked(true);
    meter->Expand(true);
    std::vector<std::string> checked;
    tree->OnChecked = [&](TControl*, TTreeNode* n) {
        checked.push_back(n->Text() + (n->Checked() ? "+" : "-") + (meter->CheckState() == TTreeCheckState::Mixed ? "m" : ""));
    };
    Show();

    ClickBox(r2);
    EXPECT_FALSE(r2->Checked());
    EXPECT_EQ(meter->CheckState(), TTreeCheckState::Mixed);
    EXPECT_EQ(checked, (std::vector<std::string>{"record 2-m"}));
    // The mixed parent's box ticks everything below.
    ClickBox(meter);
    EXPECT_TRUE(r1->Checked());
    EXPECT_TRUE(r2->Checked());
    EXPECT_EQ(checked.back(), "meter+");
    ClickBox(meter);
    EXPECT_FALSE(r1->Checked());
    EXPECT_FALSE(r2->Checked());
    EXPECT_EQ(checked.size(), 3u);
    // The space bar ticks the selected item.
    tree->SetSelected(r1);
    tree->SetFocus();
    PressKey(form, VK_SPACE, {}, " ");
    EXPECT_TRUE(r1->Checked());
    EXPECT_EQ(meter->CheckState(), TTreeCheckState::Mixed);
    EXPECT_EQ(checked.back(), "record 1+m");
}

TEST_F(TreeViewTest, BatchedFillingKeepsSelectionAndExpansion)
{
    TTreeNodes& items = tree->Items();
    TTreeNode* root = items.AddChild(nullptr, "root");
    TTreeNode* a = items.AddChild(root, "a");
    root->Expand(false);
    Show();
    tree->SetSelected(a);
    changes.clear();
    items.BeginUpdate();
    for (int i = 0; i < 100; ++i) items.AddChild(root, "n" + std::to_string(i));
    items.EndUpdate();
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(tree->Selected(), a);
    EXPECT_TRUE(root->Expanded());
    EXPECT_GT(tree->DisplayRect(root->Item(5)).Right, 0);  // shown: the root is still open
    ClickItem(root->Item(3));
    EXPECT_EQ(tree->Selected(), root->Item(3));
}

TEST_F(TreeViewTest, EachLevelShowsItsPicture)
{
    TCustomImageList images(16, 16);
    for (TColor c : {clRed, clGreen}) {
        TBitmap b(16, 16);
        b.Canvas().Brush().SetColor(c);
        b.Canvas().FillRect({0, 0, 16, 16});
        b.Canvas().SetPixel(0, 15, clWhite);  // the list's transparent colour
        images.Add(b);
    }
    tree->SetImages(&images);
    tree->SetLevelImage(0, 0);
    tree->SetLevelImage(1, 1);
    TTreeNode* top = tree->Items().AddChild(nullptr, "top");
    TTreeNode* child = tree->Items().AddChild(top, "child");
    TTreeNode* grandchild = tree->Items().AddChild(child, "grandchild");
    auto* view = static_cast<QTreeView*>(tree->Widget());
    auto colourOf = [&](TTreeNode* n) -> QRgb {
        QAbstractItemModel* m = view->model();
        std::vector<int> rows;
        for (TTreeNode* q = n; q; q = q->Parent()) rows.insert(rows.begin(), q->Index());
        QModelIndex i;
        for (int r : rows) i = m->index(r, 0, i);
        const QVariant v = m->data(i, Qt::DecorationRole);
        if (!v.isValid()) return 0;
        return v.value<QIcon>().pixmap(16, 16).toImage().pixel(8, 8);
    };
    EXPECT_EQ(colourOf(top), qRgb(255, 0, 0));
    EXPECT_EQ(colourOf(child), qRgb(0, 128, 0));
    EXPECT_EQ(colourOf(grandchild), 0u);  // no picture for level 2
    child->SetImageIndex(0);
    EXPECT_EQ(colourOf(child), qRgb(255, 0, 0));
}

} // namespace
