#include "platform/ClassBase.h"

#include <algorithm>

void TPersistent::Assign(const TPersistent* Source)
{
    std::string from = Source ? Source->ClassName() : std::string("nil");
    throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

// --- TComponent -----------------------------------------------------------------

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    state_.Include(csDestroying);
    // Tell everyone who asked that this component goes away.
    auto notifies = freeNotifies_;
    freeNotifies_.clear();
    for (TComponent* c : notifies) {
        c->RemoveFreeNotification(this);
        c->Notification(this, opRemove);
    }
    // Destroy owned components, last created first.
    while (!components_.empty()) {
        TComponent* c = components_.back();
        RemoveComponent(c);
        delete c;
    }
    if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int i) const
{
    if (i < 0 || i >= ComponentCount()) RaiseListIndexError(i);
    return components_[static_cast<size_t>(i)];
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->Name(), name)) return c;
    return nullptr;
}

void TComponent::BeginLoading()
{
    if (loading_++ == 0) state_.Include(csLoading);
}

void TComponent::EndLoading()
{
    if (loading_ == 0) return;
    if (--loading_ == 0) {
        state_.Exclude(csLoading);
        Loaded();
    }
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end())
        freeNotifies_.push_back(AComponent);
    if (std::find(AComponent->freeNotifies_.begin(), AComponent->freeNotifies_.end(), this) ==
        AComponent->freeNotifies_.end())
        AComponent->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), AComponent),
                        freeNotifies_.end());
}

void TComponent::SetOwner(TComponent* AOwner)
{
    if (AOwner == owner_) return;
    if (owner_) owner_->RemoveComponent(this);
    if (AOwner) AOwner->InsertComponent(this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    // Owned components hear of their siblings' removal, as in the class
    // library (a window's controls drop links to each other).
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    for (TComponent* c : std::vector<TComponent*>(components_))
        if (c != AComponent) c->Notification(AComponent, Operation);
}

void TComponent::Loaded() {}

void TComponent::InsertComponent(TComponent* c)
{
    components_.push_back(c);
    c->owner_ = this;
    Notification(c, opInsert);
}

void TComponent::RemoveComponent(TComponent* c)
{
    auto it = std::find(components_.begin(), components_.end(), c);
    if (it == components_.end()) return;
    if (!state_.Contains(csDestroying)) Notification(c, opRemove);
    components_.erase(std::find(components_.begin(), components_.end(), c));
    c->owner_ = nullptr;
}

// --- TCollectionItem -----------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* ACollection) : collection_(ACollection) {}

TCollectionItem::~TCollectionItem()
{
    if (collection_) collection_->RemoveItem(this);
}

int TCollectionItem::Index() const
{
    if (!collection_) return -1;
    const auto& v = collection_->items_;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    if (!collection_) return;
    int cur = Index();
    if (cur == Value) return;
    collection_->Move(cur, Value);
}

void TCollectionItem::Changed(bool AllItems)
{
    if (collection_) collection_->Changed(AllItems ? nullptr : this);
}

// --- TCollection ------------------------------------------------------------------

TCollection::TCollection(TItemFactory factory) : factory_(std::move(factory)) {}

TCollection::~TCollection()
{
    clearing_ = true;
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        (*it)->collection_ = nullptr;
        delete *it;
    }
    items_.clear();
}

TCollectionItem* TCollection::Items(int i) const
{
    if (i < 0 || i >= Count()) RaiseListIndexError(i);
    return items_[static_cast<size_t>(i)];
}

TCollectionItem* TCollection::Add() { return Insert(Count()); }

TCollectionItem* TCollection::Insert(int i)
{
    if (i < 0 || i > Count()) RaiseListIndexError(i);
    TCollectionItem* item = factory_ ? factory_(this) : new TCollectionItem(this);
    item->collection_ = this;
    items_.insert(items_.begin() + i, item);
    Notify(item, true);
    Changed(nullptr);
    return item;
}

void TCollection::Delete(int i)
{
    TCollectionItem* item = Items(i);
    delete item;  // leaves the list through RemoveItem
}

void TCollection::Clear()
{
    if (items_.empty()) return;
    BeginUpdate();
    while (!items_.empty()) delete items_.back();
    EndUpdate();
}

void TCollection::Exchange(int a, int b)
{
    Items(a);
    Items(b);
    std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
    Changed(nullptr);
}

void TCollection::Move(int from, int to)
{
    Items(from);
    Items(to);
    TCollectionItem* item = items_[static_cast<size_t>(from)];
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, item);
    Changed(nullptr);
}

void TCollection::EndUpdate()
{
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) Changed(nullptr);
}

void TCollection::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TCollection*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* it : src->items_) Add()->Assign(it);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Update(TCollectionItem*)
{
    if (OnChange) OnChange();
}

void TCollection::Changed(TCollectionItem* Item)
{
    if (updateCount_ == 0) Update(Item);
}

void TCollection::RemoveItem(TCollectionItem* item)
{
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->collection_ = nullptr;
    if (!clearing_) {
        Notify(item, false);
        Changed(nullptr);
    }
}
