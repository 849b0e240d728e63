#pragma once
// Base types of the class library the program is written against: small
// sets over enumerations, the object / persistent / component roots, owned
// collections, and geometry records (points, sizes and rectangles whose
// right and bottom edges are exclusive).

#include "platform/SysUtils.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// --- sets ------------------------------------------------------------------

// A set over an unscoped enumeration with values 0..63, as the class
// library's "set of". Element e is bit (1 << e), so a set's Bits() equal the
// platform's flag values where the enumeration is declared in flag order.
template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items)
    {
        for (E e : items) bits_ |= Bit(e);
    }
    static constexpr TSet FromBits(std::uint64_t b)
    {
        TSet s;
        s.bits_ = b;
        return s;
    }
    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::uint64_t Bits() const { return bits_; }
    constexpr TSet& Include(E e)
    {
        bits_ |= Bit(e);
        return *this;
    }
    constexpr TSet& Exclude(E e)
    {
        bits_ &= ~Bit(e);
        return *this;
    }
    constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
    constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
    constexpr TSet operator+(E e) const { return FromBits(bits_ | Bit(e)); }
    constexpr TSet operator-(E e) const { return FromBits(bits_ & ~Bit(e)); }
    constexpr TSet& operator+=(TSet o)
    {
        bits_ |= o.bits_;
        return *this;
    }
    constexpr TSet& operator-=(TSet o)
    {
        bits_ &= ~o.bits_;
        return *this;
    }
    constexpr TSet& operator+=(E e) { return Include(e); }
    constexpr TSet& operator-=(E e) { return Exclude(e); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint64_t Bit(E e) { return std::uint64_t(1) << static_cast<unsigned>(e); }
    std::uint64_t bits_ = 0;
};

// --- geometry ----------------------------------------------------------------

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    constexpr bool operator==(const TSize&) const = default;
};

// A rectangle: Left and Top inside, Right and Bottom just outside.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool operator==(const TRect&) const = default;
};

constexpr TPoint Point(int x, int y) { return {x, y}; }
constexpr TRect Rect(int l, int t, int r, int b) { return {l, t, r, b}; }
constexpr TRect Bounds(int l, int t, int w, int h) { return {l, t, l + w, t + h}; }
// True when the rectangle covers no pixel.
constexpr bool IsRectEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
// Left/top inclusive, right/bottom exclusive.
constexpr bool PtInRect(const TRect& r, TPoint p)
{
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
constexpr void InflateRect(TRect& r, int dx, int dy)
{
    r.Left -= dx;
    r.Top -= dy;
    r.Right += dx;
    r.Bottom += dy;
}
constexpr void OffsetRect(TRect& r, int dx, int dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}
// Intersection into dst; false (and an all-zero dst) when it is empty.
inline bool IntersectRect(TRect& dst, const TRect& a, const TRect& b)
{
    dst = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
           std::min(a.Bottom, b.Bottom)};
    if (IsRectEmpty(dst)) {
        dst = {};
        return false;
    }
    return true;
}
// Smallest rectangle holding both (an empty one does not count).
inline TRect UnionRect(const TRect& a, const TRect& b)
{
    if (IsRectEmpty(a)) return b;
    if (IsRectEmpty(b)) return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

// --- object roots -------------------------------------------------------------

class TObject {
public:
    virtual ~TObject() = default;
    // The class's own name; code that decides by exact class (not by
    // inheritance) compares it. Every class that needs that overrides it.
    virtual std::string ClassName() const { return "TObject"; }
};

// An object whose published state can be copied from another one.
class TPersistent : public TObject {
public:
    std::string ClassName() const override { return "TPersistent"; }
    // Copies the state of Source. The base raises EConvertError
    // ("Cannot assign a X to a Y"); classes override it for the sources they
    // accept and call the inherited one for the rest. Assign(nullptr) raises
    // too unless a class accepts it.
    virtual void Assign(const TPersistent* Source);
};

class TComponent;

enum TOperation { opInsert, opRemove };
enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateItem>;

// An owned, named object. The owner destroys the components it owns when it
// is destroyed; a component destroyed on its own leaves its owner's list.
// Components that asked for it (FreeNotification) and every component of
// the same owner hear Notification(c, opRemove) when c goes away, so they can
// drop the pointers they hold to it.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner = nullptr);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    std::string ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& n) { name_ = n; }
    int Tag() const { return tag_; }
    void SetTag(int t) { tag_ = t; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // Checked: raises EListError outside 0..ComponentCount-1.
    TComponent* Components(int i) const;
    TComponent* FindComponent(const std::string& name) const;

    TComponentState ComponentState() const { return state_; }
    // Marks the component as being loaded (csLoading) until EndLoading,
    // which calls Loaded. Nested calls count.
    void BeginLoading();
    void EndLoading();

    // Asks that AComponent be told (Notification opRemove) when this
    // component is destroyed, and the other way round.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Moves this component to another owner (nullptr: no owner).
    void SetOwner(TComponent* AOwner);

protected:
    // Called when a component this one knows of is inserted or removed.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Called once loading has ended (after all properties are set).
    virtual void Loaded();
    void SetComponentStateFlag(TComponentStateItem f, bool on)
    {
        if (on)
            state_.Include(f);
        else
            state_.Exclude(f);
    }

private:
    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);
    TComponent* owner_ = nullptr;
    std::string name_;
    int tag_ = 0;
    int loading_ = 0;
    TComponentState state_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
};

// --- collections -------------------------------------------------------------

class TCollection;

// An item of a TCollection; its collection owns it.
class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* ACollection);
    ~TCollectionItem() override;
    std::string ClassName() const override { return "TCollectionItem"; }

    TCollection* Collection() const { return collection_; }
    // Position in the collection (-1 when in none).
    int Index() const;
    // Moves the item to another position (checked; raises EListError).
    virtual void SetIndex(int Value);
    virtual std::string DisplayName() const { return ClassName(); }

protected:
    // Tells the collection that this item changed (AllItems: the whole
    // collection is affected).
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
};

// An owned list of items of one class. The item class is given as a factory
// so that Add creates items of the right kind.
class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
    explicit TCollection(TItemFactory factory);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;
    std::string ClassName() const override { return "TCollection"; }

    int Count() const { return static_cast<int>(items_.size()); }
    // Checked access: raises EListError outside 0..Count-1.
    TCollectionItem* Items(int i) const;
    TCollectionItem* Add();
    // Inserts a new item at i (0..Count).
    TCollectionItem* Insert(int i);
    void Delete(int i);
    void Clear();
    void Exchange(int a, int b);
    void Move(int from, int to);
    void BeginUpdate() { ++updateCount_; }
    // The outermost EndUpdate reports one Update(nullptr).
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    // Assign from another collection: clears this one, then adds one item
    // per source item and assigns it.
    void Assign(const TPersistent* Source) override;

    std::function<void()> OnChange;

protected:
    // Called after a change: Item is the changed item, nullptr for a change
    // of the whole collection. Suppressed while updating.
    virtual void Update(TCollectionItem* Item);
    virtual void Notify(TCollectionItem* /*Item*/, bool /*added*/) {}

private:
    friend class TCollectionItem;
    void Changed(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* item);
    TItemFactory factory_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
    bool clearing_ = false;
};
