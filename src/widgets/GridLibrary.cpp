#include "widgets/GridLibrary.h"

#include "widgets/ExColumnGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/ExStringGrid.h"
#include "widgets/ExStringGrid_DragDrop.h"
#include "widgets/GridModule.h"
#include "widgets/GridThemes.h"
#include "widgets/grid_io/FilterSettings.h"
#include "widgets/grid_io/SearchPanel.h"

#include "platform/ClassRegistry.h"
#include "platform/DragDrop.h"
#include "platform/Input.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// One module's start-up and final step, each run once: the start-up when
// its counter was 0, the final step when it was -1.
struct TModuleStep {
    int counter = 0;
    std::function<void()> start;
    std::function<void()> finish;
    void Start()
    {
        if (counter-- == 0 && start) start();
    }
    void Finish()
    {
        if (counter++ == -1 && finish) finish();
    }
};

unsigned short g_cellFormat = 0;
unsigned g_editDone = 0;
unsigned g_gridDTPShiftFocus = 0;
unsigned g_pickerDTPShiftFocus = 0;
bool g_comCtrlsAbove469 = false;

// Registers the classes in order; the first refusal ends the list.
void RegisterInOrder(const std::vector<std::pair<const char*, TComponentCreator>>& classes)
{
    try {
        for (const auto& [name, create] : classes) RegisterClass(name, create);
    } catch (const Exception&) {
        // The remaining classes stay unregistered; start-up goes on.
    }
}

template <class T> TComponentCreator Creator()
{
    return [](TComponent* AOwner) -> TComponent* { return new T(AOwner); };
}

std::vector<TModuleStep>& Steps()
{
    static std::vector<TModuleStep> steps = [] {
        std::vector<TModuleStep> s;
        // Theme support: the notifier is created on first use.
        s.push_back({0, nullptr, nullptr});
        // The grid's theme table.
        s.push_back({0, [] { BindThemeLibrary(GridThemeLibrary()); }, [] { ReleaseThemeLibrary(GridThemeLibrary()); }});
        // Drag and drop: no rich-text drops until a grid allows them.
        s.push_back({0, [] { SetDropRTFEnabled(false); }, nullptr});
        // Date and time picker.
        s.push_back({0, [] { g_pickerDTPShiftFocus = RegisterWindowMessage("DTPShiftFocus"); }, nullptr});
        // The pickers' theme table.
        s.push_back(
            {0, [] { BindThemeLibrary(PickerThemeLibrary()); }, [] { ReleaseThemeLibrary(PickerThemeLibrary()); }});
        // The grid module.
        s.push_back({0,
                     [] {
                         SetGridEditingGrid(nullptr);
                         InstallGridHook();
                         // The editor and footer classes join this list
                         // when they are built.
                         RegisterInOrder({
                             {"TExStringGrid", Creator<TExStringGrid>()},
                             {"TDropList",
                              [](TComponent* AOwner) -> TComponent* {
                                  auto* grid = dynamic_cast<TExStringGrid*>(AOwner);
                                  return grid ? new TDropList(grid) : nullptr;
                              }},
                             {"TArrowWindow", nullptr},
                             {"TSearchPanel", Creator<TSearchPanel>()},
                         });
                         g_comCtrlsAbove469 = GetFileVersionMS("comctl32.dll") >= 0x00040046;
                         g_cellFormat = RegisterClipboardFormat(GridCellsFormatName);
                         g_editDone = RegisterWindowMessage("GridEditDone");
                         g_gridDTPShiftFocus = RegisterWindowMessage("DTPShiftFocus");
                     },
                     [] { GridModuleShutdown(); }});
        // The column grid.
        s.push_back({0,
                     [] {
                         RegisterInOrder({
                             {"TExColumnGrid", Creator<TExColumnGrid>()},
                             {"TGridColumnItem", nullptr},
                             {"TGridColumnCollection", nullptr},
                         });
                     },
                     nullptr});
        return s;
    }();
    return steps;
}

} // namespace

void GridLibraryStartup()
{
    for (TModuleStep& step : Steps()) step.Start();
}

void GridLibraryShutdown()
{
    auto& steps = Steps();
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) it->Finish();
}

unsigned short GridCellClipboardFormat() { return g_cellFormat; }
unsigned GridEditDoneMessage() { return g_editDone; }
unsigned GridDTPShiftFocusMessage() { return g_gridDTPShiftFocus; }
unsigned PickerDTPShiftFocusMessage() { return g_pickerDTPShiftFocus; }
bool GridComCtrlsAbove469() { return g_comCtrlsAbove469; }
