// Filling a rule-window grid from code: 19 columns (three of them hidden,
// a combo column and two check-box columns) and 1024 data rows, every cell
// of every row written through the grid's data interface, as a rule window
// does when it reads its file.
//
// Run: build-release/bench/bench_column_grid --benchmark_repetitions=15
//      (the median is reported as BM_Column_Grid_Fill_1024_median).

#include "widgets/ExColumnGrid.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int Columns = 19;
constexpr int Rows = 1024;

void Shape(TExColumnGrid& g)
{
    g.SetColCount(Columns);
    g.SetRowCount(Rows + 1);
    g.Columns()[2]->SetEditor(edComboList);
    for (const char* s : {"Publish", "Subscribe"}) g.Columns()[2]->ComboItems().Add(s);
    g.Columns()[3]->SetEditor(edDataCheckBox);
    g.Columns()[4]->SetEditor(edDataCheckBox);
    for (int c : {16, 17, 18}) g.HideColumn(c);
}

// The texts of one row, one per real column 1 .. 18.
std::vector<std::string> RowTexts(int r)
{
    std::vector<std::string> t(Columns);
    t[1] = "plant/line" + std::to_string(r % 7) + "/value" + std::to_string(r);
    t[2] = r % 2 ? "Publish" : "Subscribe";
    t[3] = r % 3 ? "Y" : "N";
    t[4] = r % 5 ? "N" : "Y";
    for (int c = 5; c < Columns; ++c) t[static_cast<size_t>(c)] = std::to_string((r * 31 + c) % 1440);
    return t;
}

void BM_Column_Grid_Fill_1024(benchmark::State& state)
{
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < Rows; ++r) rows.push_back(RowTexts(r));
    TExColumnGrid g;
    Shape(g);
    for (auto _ : state) {
        for (int r = 0; r < Rows; ++r) {
            const auto& t = rows[static_cast<size_t>(r)];
            for (int c = 1; c < g.ColCount() + g.NumHiddenColumns(); ++c)
                g.SetCells(c, r + 1, t[static_cast<size_t>(c)]);
        }
        benchmark::DoNotOptimize(g.Cells(Columns - 1, Rows));
    }
}
BENCHMARK(BM_Column_Grid_Fill_1024)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
