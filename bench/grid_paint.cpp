// Painting one visible page of a rule-window grid offscreen: 19 columns
// (three of them hidden, a combo column with its drop-down buttons shown
// and two check-box columns), 1024 data rows, the XP look, a selection of
// a few rows; the page is what a 900 x 600 window shows.
//
// Run: build-release/bench/bench_grid_paint --benchmark_repetitions=15
//      (the median is reported as BM_Grid_Paint_Page_median).

#include "widgets/ExColumnGrid.h"
#include "widgets/GridControlLook.h"

#include "platform/Application.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

constexpr int Columns = 19;
constexpr int Rows = 1024;

void Fill(TExColumnGrid& g)
{
    g.SetColCount(Columns);
    g.SetRowCount(Rows + 1);
    g.SetSize(900, 600);
    g.Columns()[1]->SetHeader("Topic");
    g.Columns()[2]->SetHeader("Direction");
    g.Columns()[2]->SetEditor(edComboList);
    for (const char* s : {"Publish", "Subscribe"}) g.Columns()[2]->ComboItems().Add(s);
    g.Columns()[3]->SetHeader("Retained");
    g.Columns()[3]->SetEditor(edDataCheckBox);
    g.Columns()[4]->SetHeader("Enabled");
    g.Columns()[4]->SetEditor(edDataCheckBox);
    for (int c = 5; c < Columns; ++c) g.Columns()[c]->SetHeader("Byte " + std::to_string(c));
    g.ControlLook()->SetDropDownAlwaysVisible(true);
    for (int r = 1; r <= Rows; ++r) {
        g.SetCells(0, r, std::to_string(r));
        g.SetCells(1, r, "plant/line" + std::to_string(r % 7) + "/value" + std::to_string(r));
        g.SetCells(2, r, r % 2 ? "Publish" : "Subscribe");
        g.SetCells(3, r, r % 3 ? "Y" : "N");
        g.SetCells(4, r, r % 5 ? "N" : "Y");
        for (int c = 5; c < Columns; ++c) g.SetCells(c, r, std::to_string((r * 31 + c) % 1440));
    }
    for (int c : {16, 17, 18}) g.HideColumn(c);
    g.SelectCells(1, 3, 6, 5);
}

void BM_Grid_Paint_Page(benchmark::State& state)
{
    TExColumnGrid g;
    Fill(g);
    TBitmap page(g.ClientWidth(), g.ClientHeight());
    for (auto _ : state) {
        g.PaintOn(page.Canvas(), {0, 0, g.ClientWidth(), g.ClientHeight()});
        page.Canvas().Flush();
        benchmark::DoNotOptimize(page.Pixel(10, 10));
    }
}
BENCHMARK(BM_Grid_Paint_Page)->Unit(benchmark::kMillisecond);

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
