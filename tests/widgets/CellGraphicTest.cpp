#include "widgets/CellGraphic.h"
#include "support/Tracked.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct FakePicture : TObject, IPictureSize {
    int PictureWidth() const override { return 100; }
    int PictureHeight() const override { return 50; }
};

} // namespace

TEST(CellGraphic, RecordFreesOnlyWhatItOwns)
{
    struct Case {
        const char* name;
        void (*make)(TCellGraphic&, TObject*);
        bool freed;
    } cases[] = {
        {"bitmap not created", [](TCellGraphic& g, TObject* o) { g.SetBitmap(o, false, haLeft, vaTop); }, false},
        {"bitmap created",
         [](TCellGraphic& g, TObject* o) {
             g.SetBitmap(o, false, haLeft, vaTop);
             g.CellCreated = true;
         },
         true},
        {"icon created",
         [](TCellGraphic& g, TObject* o) {
             g.SetIcon(o, haLeft, vaTop);
             g.CellCreated = true;
         },
         true},
        {"bit button glyph", [](TCellGraphic& g, TObject* o) { g.SetBitButton(8, 8, "x", o, haLeft, vaTop); },
         false},
        {"check box with attached object",
         [](TCellGraphic& g, TObject* o) {
             g.SetCheckBox(true, false, true, haLeft, vaTop);
             g.CellBitmap = o;
             g.CellAngle = 1;
         },
         true},
        {"check box without mark",
         [](TCellGraphic& g, TObject* o) {
             g.SetCheckBox(true, false, true, haLeft, vaTop);
             g.CellBitmap = o;
         },
         false},
        {"interface", [](TCellGraphic& g, TObject* o) { g.SetInterfacedCell(o); }, false},
        {"balloon always",
         [](TCellGraphic& g, TObject* o) {
             g.CellType = ctBalloon;
             g.CellBitmap = o;
         },
         true},
    };
    for (const Case& c : cases) {
        int destroyed = 0;
        auto* obj = new Tracked(&destroyed);
        {
            TCellGraphic g;
            c.make(g, obj);
        }
        EXPECT_EQ(destroyed, c.freed ? 1 : 0) << c.name;
        if (!c.freed) delete obj;
    }

    // Multi-image records own their index list.
    TCellGraphic images;
    int fired = 0;
    images.SetMultiImage(2, 3, 0, haLeft, vaTop, [&](TObject*, int c, int r) { fired += c * 10 + r; });
    static_cast<TIntList*>(images.CellBitmap)->Add(4);
    EXPECT_EQ(fired, 23);
    EXPECT_TRUE(images.CellBoolean);
}

TEST(CellGraphic, AssignNeverClaimsAnotherRecordsObject)
{
    int destroyed = 0;
    Tracked shared(&destroyed);
    {
        TCellGraphic owner;
        owner.SetBitmap(new Tracked(&destroyed), true, haCenter, vaCenter);
        owner.CellCreated = true;
        owner.CellText = "t";

        TCellGraphic target;
        target.SetBitmap(&shared, false, haLeft, vaTop); // shared, not owned
        target.Assign(&owner);
        EXPECT_EQ(target.CellType, ctBitmap);
        EXPECT_TRUE(target.CellCreated);
        EXPECT_EQ(target.CellHAlign, haCenter);
        EXPECT_EQ(target.CellText, "t");
        EXPECT_EQ(target.CellBitmap, nullptr); // objects are not copied
    }
    // The owner freed its own bitmap; the shared one was never touched.
    EXPECT_EQ(destroyed, 1);

    TCellGraphic g;
    TPersistent other;
    EXPECT_THROW(g.Assign(&other), EConvertError);
}

TEST(CellGraphic, SettersAndPictureSizes)
{
    TCellGraphic g;
    for (auto [in, out] : {std::pair{-30, 330}, {725, 5}, {360, 360}, {0, 0}, {-360, 0}}) {
        g.SetAngle(static_cast<std::int16_t>(in));
        EXPECT_EQ(g.CellAngle, out) << in;
        EXPECT_EQ(g.CellType, ctRotated);
    }
    g.SetButton(80, 24, "Go", haCenter, vaCenter);
    EXPECT_EQ(g.CellIndex, 24 * 65536 + 80);
    EXPECT_EQ(g.CellText, "Go");

    g.SetCheckBox(cbGrayed, true, haBeforeText, vaCenter);
    EXPECT_EQ(g.CellType, ctTriStateCheckBox);
    EXPECT_EQ(g.CellCheckBoxState, cbGrayed);
    EXPECT_FALSE(g.CellBoolean);

    FakePicture pic;
    struct Case {
        TStretchMode mode;
        int cw, rh, pad;
        TPoint size;
    } cases[] = {
        {StretchWithAspectRatio, 60, 60, 0, {60, 30}}, {ShrinkWithAspectRatio, 60, 60, 0, {60, 30}},
        {Shrink, 60, 60, 0, {60, 60}},                 {noStretch, 60, 60, 0, {100, 50}},
        {Stretch, 60, 60, 4, {56, 56}},                {ShrinkWithAspectRatio, 200, 200, 0, {100, 50}},
        {StretchWithAspectRatio, 200, 60, 0, {120, 60}},
    };
    for (const Case& c : cases) {
        TCellGraphic p;
        p.SetPicture(&pic, false, c.mode, c.pad, haLeft, vaTop);
        EXPECT_EQ(p.GetPictureSize(c.cw, c.rh, false), c.size) << int(c.mode);
    }
    TCellGraphic other;
    other.SetImageIdx(1, haLeft, vaTop);
    EXPECT_EQ(other.GetPictureSize(10, 10, false, {7, 7}), (TPoint{7, 7}));
}

TEST(CellGraphic, SettingsObjectsAssignOnlyFromTheirOwnClass)
{
    TCellNode a(nullptr), b(nullptr);
    a.SetNodeType(cnFlat);
    a.SetNodeIndent(20);
    a.SetExpandGlyph(TBitmap(4, 3));
    a.ExpandOne = true;
    b.Assign(&a);
    EXPECT_EQ(b.NodeType(), cnFlat);
    EXPECT_EQ(b.NodeIndent(), 20);
    EXPECT_TRUE(b.ExpandOne);
    EXPECT_EQ(b.ExpandGlyph().Width(), 4);
    EXPECT_EQ(b.ContractGlyph().Width(), 0);

    TColumnSize cs(nullptr), other(nullptr);
    int stretched = 0;
    cs.OnStretchChanged = [&] { ++stretched; };
    cs.SetStretch(true);
    EXPECT_EQ(stretched, 1);
    cs.StretchColumn = 3;
    cs.Key = "k";
    other.Assign(&cs);
    EXPECT_TRUE(other.Stretch());
    EXPECT_EQ(other.StretchColumn, 3);
    EXPECT_EQ(other.Key, "k");

    other.Assign(&a); // another class: nothing changes
    EXPECT_EQ(other.StretchColumn, 3);
}
