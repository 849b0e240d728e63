#include "app/UWindows.h"

#include "app/UAbout.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "app/UZelvatoreFirmWare.h"
#include "image/UBoot.h"
#include "params/UParGen.h"
#include "rules/can_mqtt/UDefOffset.h"
#include "rules/can_mqtt/UTopicTemplate.h"

#include <functional>
#include <memory>

namespace {

struct TWindowEntry {
    TWindowId id;
    std::function<TForm*()> create;
    std::function<void()> forget;  // clears the window's global
};

// The windows that exist, in creation order (the main window comes first
// and is created apart).
const std::vector<TWindowEntry>& Creation_Table()
{
    static const std::vector<TWindowEntry> table = {
        {TWindowId::ParGen, [] { return FParGen = new TFParGen; }, [] { FParGen = nullptr; }},
        {TWindowId::New_Project, [] { return FNew_Project = new TFNew_Project; }, [] { FNew_Project = nullptr; }},
        {TWindowId::OpenConf, [] { return FOpenConf = new TFOpenConf; }, [] { FOpenConf = nullptr; }},
        {TWindowId::About, [] { return FAbout = new TFAbout; }, [] { FAbout = nullptr; }},
        {TWindowId::SoftOptions, [] { return FSoftOptions = new TFSoftOptions; }, [] { FSoftOptions = nullptr; }},
        {TWindowId::Boot, [] { return FBoot = new TFBoot; }, [] { FBoot = nullptr; }},
        {TWindowId::TopicTemplate, [] { return FTopicTemplate = new TFTopicTemplate; }, [] { FTopicTemplate = nullptr; }},
        {TWindowId::DefOffset, [] { return FDefOffset = new TFDefOffset; }, [] { FDefOffset = nullptr; }},
    };
    return table;
}

std::vector<std::unique_ptr<TForm>> g_windows;
std::vector<TWindowId> g_order;
std::vector<std::function<void()>> g_forget;
TForm* g_byId[static_cast<int>(TWindowId::Count)] = {};

} // namespace

void Create_Windows(const std::string& programFolder)
{
    Destroy_Windows();
    FZelvatoreFirmWare = new TFZelvatoreFirmWare(programFolder);
    g_windows.emplace_back(FZelvatoreFirmWare);
    g_forget.push_back([] { FZelvatoreFirmWare = nullptr; });
    g_order.push_back(TWindowId::ZelvatoreFirmWare);
    g_byId[0] = FZelvatoreFirmWare;
    Application_SetMainForm(FZelvatoreFirmWare);
    for (const TWindowEntry& e : Creation_Table()) {
        TForm* w = e.create();
        g_windows.emplace_back(w);
        g_forget.push_back(e.forget);
        g_order.push_back(e.id);
        g_byId[static_cast<int>(e.id)] = w;
    }
}

void Destroy_Windows()
{
    while (!g_windows.empty()) {
        g_byId[static_cast<int>(g_order.back())] = nullptr;
        g_windows.pop_back();
        g_forget.back()();
        g_forget.pop_back();
        g_order.pop_back();
    }
}

TForm* Window(TWindowId id)
{
    const int i = static_cast<int>(id);
    return i >= 0 && i < static_cast<int>(TWindowId::Count) ? g_byId[i] : nullptr;
}

const std::vector<TWindowId>& Created_Windows() { return g_order; }

int Show_Window(TWindowId id)
{
    TForm* w = Window(id);
    return w ? w->ShowModal() : mrNone;
}
