// Ownership, notification and collection rules of the base types.
#include "platform/ClassBase.h"

#include <gtest/gtest.h>

namespace {

struct Watcher : TComponent {
    using TComponent::TComponent;
    TComponent* link = nullptr;
    int loaded = 0;
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        if (op == opRemove && c == link) link = nullptr;
    }
    void Loaded() override { ++loaded; }
};

struct Counted : TComponent {
    Counted(TComponent* owner, int& alive) : TComponent(owner), alive_(alive) { ++alive_; }
    ~Counted() override { --alive_; }
    int& alive_;
};

TEST(ComponentTest, OwnerFreesOwnedAndLinksAreDropped)
{
    int alive = 0;
    auto* form = new TComponent(nullptr);
    auto* a = new Counted(form, alive);
    auto* w = new Watcher(form);
    auto* other = new Watcher(nullptr);
    w->link = a;
    other->link = a;
    a->FreeNotification(other);
    a->SetName("Btn_OK");
    EXPECT_EQ(form->FindComponent("btn_ok"), a);
    EXPECT_EQ(form->ComponentCount(), 2);
    EXPECT_THROW(form->Components(2), EListError);

    delete a;  // leaves its owner; sibling and the asking component hear it
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(form->ComponentCount(), 1);
    EXPECT_EQ(w->link, nullptr);
    EXPECT_EQ(other->link, nullptr);

    new Counted(form, alive);
    new Counted(form, alive);
    EXPECT_EQ(alive, 2);
    delete form;
    EXPECT_EQ(alive, 0);
    delete other;
}

TEST(ComponentTest, LoadedRunsOnceAfterNestedLoading)
{
    Watcher w(nullptr);
    w.BeginLoading();
    w.BeginLoading();
    EXPECT_TRUE(w.ComponentState().Contains(csLoading));
    w.EndLoading();
    EXPECT_EQ(w.loaded, 0);
    w.EndLoading();
    EXPECT_EQ(w.loaded, 1);
    EXPECT_FALSE(w.ComponentState().Contains(csLoading));
}

struct Item : TCollectionItem {
    using TCollectionItem::TCollectionItem;
    std::string ClassName() const override { return "Item"; }
    int value = 0;
    void Assign(const TPersistent* s) override
    {
        if (auto* i = dynamic_cast<const Item*>(s))
            value = i->value;
        else
            TCollectionItem::Assign(s);
    }
};

TEST(CollectionTest, ItemsAreOwnedCheckedAndReported)
{
    TCollection c([](TCollection* o) { return new Item(o); });
    int changes = 0;
    c.OnChange = [&] { ++changes; };
    auto* a = static_cast<Item*>(c.Add());
    auto* b = static_cast<Item*>(c.Add());
    a->value = 1;
    b->value = 2;
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(b->Index(), 1);
    b->SetIndex(0);
    EXPECT_EQ(c.Items(0), b);
    EXPECT_THROW(c.Items(2), EListError);
    EXPECT_THROW(c.Items(-1), EListError);
    EXPECT_THROW(c.Delete(5), EListError);

    c.BeginUpdate();
    delete a;  // an item freed on its own leaves the collection
    c.Add();
    EXPECT_EQ(c.Count(), 2);
    int before = changes;
    c.EndUpdate();
    EXPECT_EQ(changes, before + 1);

    TCollection d([](TCollection* o) { return new Item(o); });
    d.Assign(&c);
    ASSERT_EQ(d.Count(), 2);
    EXPECT_EQ(static_cast<Item*>(d.Items(0))->value, 2);
    TComponent notACollection;
    EXPECT_THROW(d.Assign(&notACollection), EConvertError);
}

TEST(SetAndRectTest, SetOperationsAndRectangleRules)
{
    enum E { e0, e1, e2 };
    TSet<E> s{e0, e2};
    EXPECT_EQ(s.Bits(), 5u);
    EXPECT_TRUE((s - e0).Contains(e2));
    EXPECT_FALSE((s * TSet<E>{e1}).Contains(e1));
    TRect r = Rect(0, 0, 10, 5);
    EXPECT_TRUE(PtInRect(r, Point(9, 4)));
    EXPECT_FALSE(PtInRect(r, Point(10, 4)));
    TRect out;
    EXPECT_FALSE(IntersectRect(out, r, Rect(10, 0, 20, 5)));
    EXPECT_TRUE(IntersectRect(out, r, Rect(5, 2, 20, 5)));
    EXPECT_EQ(out, Rect(5, 2, 10, 5));
}

}  // namespace
