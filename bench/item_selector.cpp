// Laying out and painting an item selector of 2000 captioned items in 4
// columns (the list of a long detail or image picker): one UpdateSelectorPanel
// (every caption measured as mini-HTML, every item placed) and one paint of
// the whole panel onto a bitmap.
//
// Run: build/rel/bench/bench_item_selector --benchmark_repetitions=11
//      (the medians are reported as ..._median).

#include "widgets/dropdown/ItemSelector.h"

#include "platform/Application.h"
#include "platform/Forms.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

namespace {

constexpr int Items = 2000;

struct Selector {
    Selector()
    {
        form.SetClientSize(600, 400);
        selector = new TExCustomItemSelector(&form);
        selector->SetBounds(0, 0, 600, 400);
        selector->SetColumns(4);
        selector->SetSelectorType(stColor);
        // Filled without a layout per item, as a picker refilling its list
        // lays out once at the end.
        auto relayout = std::move(selector->Items().OnChange);
        selector->Items().OnChange = nullptr;
        for (int i = 0; i < Items; ++i) {
            TSelectorItem* item = selector->Items().Add();
            item->SetColor(static_cast<TColor>((i * 2654435761u) & 0xFFFFFF));
            item->SetCaption(i % 3 ? "Colour <b>" + std::to_string(i) + "</b>" : "Shade " + std::to_string(i));
        }
        selector->Items().OnChange = std::move(relayout);
        selector->UpdateSelectorPanel();
    }
    TForm form;
    TExCustomItemSelector* selector;
};

void BM_ItemSelector_UpdateSelectorPanel(benchmark::State& state)
{
    Selector s;
    for (auto _ : state) {
        s.selector->UpdateSelectorPanel();
        benchmark::DoNotOptimize(s.selector->GetPanelSize());
    }
}
BENCHMARK(BM_ItemSelector_UpdateSelectorPanel)->Unit(benchmark::kMillisecond);

void BM_ItemSelector_FullPaint(benchmark::State& state)
{
    Selector s;
    s.selector->SetItemIndex(3);
    TCustomItemSelector& panel = *s.selector->SelectorPanel();
    TBitmap page(panel.Width(), panel.Height());
    for (auto _ : state) {
        panel.PaintArea(page.Canvas(), {0, 0, panel.Width(), panel.Height()});
        page.Canvas().Flush();
        benchmark::DoNotOptimize(page.Pixel(10, 10));
    }
}
BENCHMARK(BM_ItemSelector_FullPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application_Initialize(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
