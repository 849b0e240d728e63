#include "widgets/GridThemes.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct FakeThemeSource : IThemeSource {
    std::map<std::string, int> office;
    int scheme = 0;
    bool localeEx = false;
    int OfficeThemeValue(const std::string& v) const override
    {
        auto it = office.find(v);
        return it == office.end() ? -1 : it->second;
    }
    int VisualStyleScheme() const override { return scheme; }
    int InstalledOfficeVersion() const override { return office.count("14.0") ? 2 : office.count("12.0") ? 1 : 0; }
    bool HasGetLocaleInfoEx() const override { return localeEx; }
};

struct SourceGuard {
    explicit SourceGuard(IThemeSource* s) : prev(SetThemeSource(s)) {}
    ~SourceGuard() { SetThemeSource(prev); }
    IThemeSource* prev;
};

} // namespace

TEST(GridThemes, ThisPlatformIsClassicAndUnthemed)
{
    EXPECT_EQ(CurrentOfficeTheme(), ot2003Classic);
    EXPECT_EQ(DefaultUIFontName(), "Tahoma");
    for (TThemeLibrary* lib : {&GridThemeLibrary(), &PickerThemeLibrary()}) {
        BindThemeLibrary(*lib);
        EXPECT_FALSE(lib->Loaded);
        EXPECT_FALSE(lib->OpenThemeData);
        EXPECT_FALSE(ThemesActive(*lib));
        ReleaseThemeLibrary(*lib);
        EXPECT_FALSE(lib->Loaded);
    }
}

TEST(GridThemes, OfficeSchemeDetection)
{
    struct Case {
        std::map<std::string, int> office;
        int scheme;
        TOfficeTheme expected;
    } cases[] = {
        {{{"14.0", 3}}, 1, ot2010Black},
        {{{"14.0", 1}, {"12.0", 3}}, 0, ot2010Blue},
        {{{"14.0", 5}}, 3, ot2003Blue},
        {{{"12.0", 2}}, 0, ot2007Silver},
        {{{"12.0", 0}}, 2, ot2003Blue},
        {{}, 0, ot2003Classic},
        {{}, 1, ot2003Blue},
        {{}, 2, ot2003Olive},
        {{}, 3, ot2003Silver},
    };
    for (const auto& c : cases) {
        FakeThemeSource src;
        src.office = c.office;
        src.scheme = c.scheme;
        SourceGuard guard(&src);
        EXPECT_EQ(CurrentOfficeTheme(), c.expected) << "scheme " << c.scheme;
    }
}

TEST(GridThemes, DefaultFontFollowsGetLocaleInfoEx)
{
    FakeThemeSource src;
    src.localeEx = true;
    SourceGuard guard(&src);
    EXPECT_EQ(DefaultUIFontName(), "Segoe UI");
}

TEST(GridThemes, HandleList)
{
    THandleList l;
    l.Add(10);
    l.Add(20);
    l.Insert(0, 5);
    EXPECT_EQ(l.GetInteger(0), 5);
    l.DeleteValue(99); // absent: nothing
    l.DeleteValue(10);
    EXPECT_EQ(l.Count(), 2);
    EXPECT_FALSE(l.HasValue(10));
    EXPECT_TRUE(l.HasValue(20));
    l.SetInteger(1, 30);
    EXPECT_EQ(l.GetInteger(1), 30);
    EXPECT_THROW(l.GetInteger(2), EListError);
    EXPECT_THROW(l.Delete(-1), EListError);
    EXPECT_THROW(l.Insert(4, 1), EListError);
}

TEST(GridThemes, NotifierWithoutMonitorIgnoresWindowsAndDiesWithItsOwner)
{
    auto* owner = new TComponent(nullptr);
    TThemeNotifier* n = ThemeNotifierInstance(owner);
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(ThemeNotifierInstance(nullptr), n);
    EXPECT_FALSE(n->MonitorRunning());
    n->RegisterWindow(42);
    n->RegisterWindow(42);
    EXPECT_EQ(n->Windows().Count(), 0);
    n->UnRegisterWindow(42);
    delete owner; // frees the notifier and clears the instance

    auto* owner2 = new TComponent(nullptr);
    TThemeNotifier* n2 = ThemeNotifierInstance(owner2);
    EXPECT_EQ(n2->Owner(), owner2);
    delete owner2;
}
