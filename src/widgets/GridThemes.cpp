#include "widgets/GridThemes.h"

#include <algorithm>
#include <memory>

namespace {

// This platform: no Office keys, no visual styles, no GetLocaleInfoEx.
class TPlatformThemeSource : public IThemeSource {
public:
    int OfficeThemeValue(const std::string&) const override { return -1; }
    int VisualStyleScheme() const override { return 0; }
    int InstalledOfficeVersion() const override { return 0; }
    bool HasGetLocaleInfoEx() const override { return false; }
};

TPlatformThemeSource platformSource;
IThemeSource* currentSource = &platformSource;

TThemeNotifier* notifierInstance = nullptr;
std::unique_ptr<TThemeNotifier> ownerlessNotifier;

} // namespace

IThemeSource* SetThemeSource(IThemeSource* source)
{
    IThemeSource* prev = currentSource;
    currentSource = source ? source : &platformSource;
    return prev == &platformSource ? nullptr : prev;
}

IThemeSource& ThemeSource() { return *currentSource; }

TOfficeTheme CurrentOfficeTheme()
{
    const IThemeSource& src = ThemeSource();
    switch (src.OfficeThemeValue("14.0")) {
    case -1: break;
    case 1: return ot2010Blue;
    case 2: return ot2010Silver;
    case 3: return ot2010Black;
    default: return ot2003Blue;
    }
    switch (src.OfficeThemeValue("12.0")) {
    case -1: break;
    case 1: return ot2007Blue;
    case 2: return ot2007Silver;
    case 3: return ot2007Black;
    default: return ot2003Blue;
    }
    switch (src.VisualStyleScheme()) {
    case 1: return ot2003Blue;
    case 2: return ot2003Olive;
    case 3: return ot2003Silver;
    default: return ot2003Classic;
    }
}

bool HasGetLocaleInfoEx() { return ThemeSource().HasGetLocaleInfoEx(); }

std::string DefaultUIFontName() { return HasGetLocaleInfoEx() ? "Segoe UI" : "Tahoma"; }

// --- THandleList -------------------------------------------------------------------

void THandleList::Check(int Index) const
{
    if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
}

void THandleList::Insert(int Index, std::intptr_t h)
{
    if (Index < 0 || Index > Count()) RaiseListIndexError(Index);
    items_.insert(items_.begin() + Index, h);
}

void THandleList::Delete(int Index)
{
    Check(Index);
    items_.erase(items_.begin() + Index);
}

void THandleList::DeleteValue(std::intptr_t h)
{
    auto it = std::find(items_.begin(), items_.end(), h);
    if (it != items_.end()) items_.erase(it);
}

bool THandleList::HasValue(std::intptr_t h) const
{
    return std::find(items_.begin(), items_.end(), h) != items_.end();
}

std::intptr_t THandleList::GetInteger(int Index) const
{
    Check(Index);
    return items_[static_cast<size_t>(Index)];
}

void THandleList::SetInteger(int Index, std::intptr_t h)
{
    Check(Index);
    items_[static_cast<size_t>(Index)] = h;
}

// --- TThemeNotifier -----------------------------------------------------------------

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner)
{
    // A monitor would watch the Office key of the installed version; this
    // platform has no such key to watch, so none runs whatever the source
    // says about Office (the window list stays unused).
    monitoring_ = false;
}

TThemeNotifier::~TThemeNotifier()
{
    if (notifierInstance == this) notifierInstance = nullptr;
}

void TThemeNotifier::RegisterWindow(std::intptr_t Hwnd)
{
    if (!monitoring_) return;
    if (!windows_.HasValue(Hwnd)) windows_.Add(Hwnd);
}

void TThemeNotifier::UnRegisterWindow(std::intptr_t Hwnd)
{
    if (!monitoring_) return;
    windows_.DeleteValue(Hwnd);
}

TThemeNotifier* ThemeNotifierInstance(TComponent* AOwner)
{
    if (!notifierInstance) {
        if (AOwner) {
            notifierInstance = new TThemeNotifier(AOwner); // owned by AOwner
        } else {
            ownerlessNotifier = std::make_unique<TThemeNotifier>(nullptr);
            notifierInstance = ownerlessNotifier.get();
        }
    }
    return notifierInstance;
}

// --- theme library ------------------------------------------------------------------

TThemeLibrary& GridThemeLibrary()
{
    static TThemeLibrary lib;
    return lib;
}

TThemeLibrary& PickerThemeLibrary()
{
    static TThemeLibrary lib;
    return lib;
}

void BindThemeLibrary(TThemeLibrary& lib)
{
    if (lib.Loaded) return;
    // The platform has no theme library to load: the table stays unloaded
    // and its entries empty.
    lib.Handle = 0;
}

void ReleaseThemeLibrary(TThemeLibrary& lib)
{
    if (!lib.Loaded) return;
    lib = TThemeLibrary{};
}

bool ThemesActive(const TThemeLibrary& lib) { return lib.Loaded && lib.IsThemeActive && lib.IsThemeActive(); }
