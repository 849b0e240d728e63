#pragma once
// Theme support of the grid library: the desktop's Office colour scheme,
// the notifier that tells windows when that scheme changes, the default
// interface font, and the binding of the platform's theme library.
//
// This platform has no Office registry keys and no theme library of the
// kind the grid library binds: detection answers the classic scheme, the
// notifier runs no monitor, and the theme tables stay unloaded. Callers
// check a table's Loaded flag before using an entry; nothing fails at
// start-up. Themed drawing goes through the platform's own theme painter.

#include "platform/ClassBase.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum TOfficeTheme : std::uint8_t {
    ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black, ot2010Blue,
    ot2010Silver, ot2010Black, otUnknown
};

enum TNUVStyle : std::uint8_t {
    tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
    tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista, tsWindows7,
    tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black
};

// What the platform tells about the desktop's schemes. The default source
// answers as a system without Office keys and without visual styles.
class IThemeSource {
public:
    virtual ~IThemeSource() = default;
    // The "Theme" value under "Software\Microsoft\Office\<version>\Common"
    // (version "14.0" or "12.0") of the current user; -1 when the key or the
    // value is absent.
    virtual int OfficeThemeValue(const std::string& version) const = 0;
    // The visual-style colour scheme: 1 NormalColor, 2 HomeStead,
    // 3 Metallic, 0 none.
    virtual int VisualStyleScheme() const = 0;
    // The installed Office version for the notifier: 2 (2010), 1 (2007), 0.
    virtual int InstalledOfficeVersion() const = 0;
    // Whether the system offers GetLocaleInfoEx.
    virtual bool HasGetLocaleInfoEx() const = 0;
};

// Installs a source (nullptr: the platform's default); returns the previous one.
IThemeSource* SetThemeSource(IThemeSource* source);
IThemeSource& ThemeSource();

// The current Office colour scheme; never otUnknown.
TOfficeTheme CurrentOfficeTheme();

bool HasGetLocaleInfoEx();
// "Segoe UI" when the system offers GetLocaleInfoEx, otherwise "Tahoma".
std::string DefaultUIFontName();

// A list of window handles.
class THandleList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    void Add(std::intptr_t h) { items_.push_back(h); }
    void Insert(int Index, std::intptr_t h);
    void Delete(int Index);
    // Removes the first entry with that handle; nothing when absent.
    void DeleteValue(std::intptr_t h);
    bool HasValue(std::intptr_t h) const;
    std::intptr_t GetInteger(int Index) const;
    void SetInteger(int Index, std::intptr_t h);

private:
    void Check(int Index) const;
    std::vector<std::intptr_t> items_;
};

// Tells registered windows when the Office colour scheme changes. One for
// the whole program (ThemeNotifierInstance). A monitor runs only where
// Office 2007 or 2010 keys exist; without one, registering does nothing.
class TThemeNotifier : public TComponent {
public:
    explicit TThemeNotifier(TComponent* AOwner);
    ~TThemeNotifier() override;
    std::string ClassName() const override { return "TThemeNotifier"; }

    void RegisterWindow(std::intptr_t Hwnd);
    void UnRegisterWindow(std::intptr_t Hwnd);
    bool MonitorRunning() const { return monitoring_; }
    // The windows a running monitor tells.
    const THandleList& Windows() const { return windows_; }

    std::function<void(TObject* Sender)> OnOfficeThemeChange;

private:
    bool monitoring_ = false;
    THandleList windows_;
};

// The notifier, created on first use with AOwner as its owner (the program's
// forms are no components here). Without an owner it lives until the
// program ends. Destroying it clears the instance.
TThemeNotifier* ThemeNotifierInstance(TComponent* AOwner);

// One binding of the platform's theme library. Entries are usable only
// while Loaded; they are empty otherwise.
struct TThemeLibrary {
    std::intptr_t Handle = 0;
    bool Loaded = false;
    std::function<std::intptr_t(std::intptr_t Wnd, const std::string& ClassList)> OpenThemeData;
    std::function<void(std::intptr_t Theme)> CloseThemeData;
    std::function<void(std::intptr_t Theme, std::intptr_t DC, int Part, int State, const TRect& R)>
        DrawThemeBackground;
    std::function<bool()> IsThemeActive;
    std::function<bool(std::string& FileName, std::string& ColorName, std::string& SizeName)> GetCurrentThemeName;
};

// The grid library's table and the drop-down pickers' table.
TThemeLibrary& GridThemeLibrary();
TThemeLibrary& PickerThemeLibrary();
// Binds a table once (nothing when already loaded); the table stays
// unloaded when the library is not there.
void BindThemeLibrary(TThemeLibrary& lib);
// Unbinds a loaded table.
void ReleaseThemeLibrary(TThemeLibrary& lib);
// True while the table is loaded and the platform reports themes active.
bool ThemesActive(const TThemeLibrary& lib);
