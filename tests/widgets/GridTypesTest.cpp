#include "widgets/GridTypes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorder {
    std::vector<std::pair<int, int>> calls;
    TImageChangeEvent Handler()
    {
        return [this](TObject*, int c, int r) { calls.emplace_back(c, r); };
    }
};

} // namespace

TEST(GridTypes, IntListFiresChangeWithItsCell)
{
    TIntList l(3, 7);
    Recorder rec;
    l.OnChange = rec.Handler();

    struct Step {
        const char* name;
        void (*op)(TIntList&);
        size_t events;
    } steps[] = {
        {"Add", [](TIntList& x) { x.Add(5); }, 1},
        {"Insert", [](TIntList& x) { x.Insert(0, 9); }, 0},
        {"item write", [](TIntList& x) { x.SetInteger(1, 6); }, 1},
        {"DeleteValue present", [](TIntList& x) { x.DeleteValue(9); }, 1},
        {"DeleteValue absent", [](TIntList& x) { x.DeleteValue(42); }, 0},
        {"Delete", [](TIntList& x) { x.Delete(0); }, 1},
    };
    for (const Step& s : steps) {
        rec.calls.clear();
        s.op(l);
        EXPECT_EQ(rec.calls.size(), s.events) << s.name;
        for (auto& c : rec.calls) EXPECT_EQ(c, std::make_pair(3, 7)) << s.name;
    }
    EXPECT_EQ(l.Count(), 0);
    EXPECT_THROW(l.GetInteger(0), EListError);
    EXPECT_THROW(l.SetInteger(-1, 1), EListError);
    EXPECT_THROW(l.Delete(0), EListError);
}

TEST(GridTypes, IntListStrValue)
{
    TIntList l(0, 0);
    EXPECT_EQ(l.GetStrValue(), "");
    l.Add(5);
    l.Add(-1);
    l.Add(12);
    EXPECT_EQ(l.GetStrValue(), "5,-1,12");

    Recorder rec;
    l.OnChange = rec.Handler();
    l.SetStrValue("7, 8");
    EXPECT_EQ(l.GetStrValue(), "7,8");
    EXPECT_EQ(rec.calls.size(), 2u);

    l.SetStrValue("\"1\" 2,3");
    EXPECT_EQ(l.GetStrValue(), "1,2,3");

    // A bad item raises after the items before it were added.
    EXPECT_THROW(l.SetStrValue("4,x,5"), EConvertError);
    EXPECT_EQ(l.GetStrValue(), "4");
    EXPECT_THROW(l.SetStrValue("1,,2"), EConvertError);
}

TEST(GridTypes, SortIndexListTextForm)
{
    TSortIndexList l;
    l.AddIndex(3, false);
    l.AddIndex(1, true);
    EXPECT_EQ(l.SaveToString(), "d3;u1");
    EXPECT_EQ(l.FindIndex(1), 1);
    EXPECT_EQ(l.FindIndex(2), -1);

    struct Case {
        const char* text;
        std::vector<std::pair<int, bool>> entries;
    } cases[] = {
        {"u1;;x;d3", {{1, true}, {3, false}}},
        {"U4", {{4, false}}},
        {"", {}},
        {"u$10;d0x1F;u7z", {{16, true}, {31, false}, {7, true}}},
    };
    for (const Case& c : cases) {
        l.LoadFromString(c.text);
        ASSERT_EQ(l.Count(), static_cast<int>(c.entries.size())) << c.text;
        for (int i = 0; i < l.Count(); ++i) {
            EXPECT_EQ(l.GetSortColumns(i), c.entries[static_cast<size_t>(i)].first) << c.text;
            EXPECT_EQ(l.GetSortDirections(i), c.entries[static_cast<size_t>(i)].second) << c.text;
        }
    }
}

TEST(GridTypes, SortIndexListEditsKeepTheOtherHalf)
{
    TSortIndexList l;
    l.AddIndex(5, false);
    Recorder rec;
    l.OnChange = rec.Handler();

    l.ToggleIndex(9); // not in the list
    EXPECT_TRUE(rec.calls.empty());
    l.ToggleIndex(5);
    EXPECT_EQ(rec.calls.size(), 1u);
    EXPECT_TRUE(l.GetSortDirections(0));

    l.SetSortDirections(0, false);
    l.SetSortColumns(0, 12);
    EXPECT_EQ(l.GetSortColumns(0), 12);
    EXPECT_FALSE(l.GetSortDirections(0));
    l.SetSortDirections(0, true);
    EXPECT_EQ(l.GetSortColumns(0), 12);
    EXPECT_EQ(l.SaveToString(), "u12");
}

TEST(GridTypes, ControlListAndFileStringList)
{
    TControlList cl;
    cl.AddControl(1, 2, nullptr);
    cl.AddControl(3, 4, nullptr);
    EXPECT_EQ(cl.ControlIndex(3, 4), 1);
    EXPECT_EQ(cl.ControlIndex(4, 3), -1);
    cl.RemoveControl(0);
    EXPECT_EQ(cl.Control(0)->FX, 3);
    EXPECT_THROW(cl.GetControl(1), EListError);

    TFileStringList f;
    EXPECT_TRUE(f.Eof());
    f.Write("a");
    f.Write("b");
    f.WriteLn("c");
    f.Write("pending");
    f.WriteLn("");
    f.Write("never ended");
    EXPECT_EQ(f.Count(), 2);
    f.Reset();
    std::string s;
    f.ReadLn(s);
    EXPECT_EQ(s, "abc");
    f.ReadLn(s);
    EXPECT_EQ(s, "pending");
    EXPECT_TRUE(f.Eof());
    EXPECT_THROW(f.ReadLn(s), EListError);
}

TEST(GridTypes, StoredOrdinals)
{
    // Ordinals are stored in form files: spot-check both ends of the lists.
    EXPECT_EQ(edMaskEditBtn, 42);
    EXPECT_EQ(edExGridDropDown, 38);
    EXPECT_EQ(ssAlphaNumericNoCase, 19);
    EXPECT_EQ(ssShortDateUS, 7);
    EXPECT_EQ(csHalfStar, 18);
    EXPECT_EQ(fceComboList, 2);
}
