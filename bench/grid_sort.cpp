// Sorting a string grid of 100 000 rows and 5 columns by one column: a
// numeric column and a text column, each from a random and from an already
// sorted order. For every case the grid's sort (QSort) is timed and its row
// comparisons counted; as the peer figure, std::stable_sort sorts a copy of
// the column's texts with a comparison of the same kind, in the same run.
//
// Run: build/rel/bench/bench_grid_sort [rows]

#include "widgets/ExStringGrid.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// Column 1 numbers, column 2 texts, columns 3 and 4 fillers.
void Fill(TExStringGrid& g, int rows, bool sorted, std::mt19937& rnd)
{
    g.SetColCount(5);
    g.SetRowCount(rows + 1);
    std::vector<int> keys(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i) keys[static_cast<size_t>(i)] = i;
    if (!sorted) std::shuffle(keys.begin(), keys.end(), rnd);
    for (int r = 1; r <= rows; ++r) {
        const int k = keys[static_cast<size_t>(r - 1)];
        char text[32];
        std::snprintf(text, sizeof text, "item-%07d", k);
        g.SetGridCell(0, r, std::to_string(r));
        g.SetGridCell(1, r, std::to_string(k * 3) + ".5");
        g.SetGridCell(2, r, text);
        g.SetGridCell(3, r, "x");
        g.SetGridCell(4, r, std::to_string(k % 97));
    }
}

void Run(int rows, int col, bool sorted, std::mt19937& rnd)
{
    TExStringGrid g;
    Fill(g, rows, sorted, rnd);
    std::vector<std::string> texts;
    for (int r = 1; r <= rows; ++r) texts.push_back(g.GetGridCell(col, r));

    g.SortSettings().Column = col;
    g.SortSettings().Direction = sdAscending;
    g.Compares = 0;
    const auto t0 = Clock::now();
    g.QSort();
    const auto t1 = Clock::now();

    long long peerCompares = 0;
    const auto p0 = Clock::now();
    if (col == 1)
        std::stable_sort(texts.begin(), texts.end(), [&](const std::string& a, const std::string& b) {
            ++peerCompares;
            return std::strtod(a.c_str(), nullptr) < std::strtod(b.c_str(), nullptr);
        });
    else
        std::stable_sort(texts.begin(), texts.end(), [&](const std::string& a, const std::string& b) {
            ++peerCompares;
            return a < b;
        });
    const auto p1 = Clock::now();

    // Both orders must agree.
    for (int r = 1; r <= rows; ++r)
        if (g.GetGridCell(col, r) != texts[static_cast<size_t>(r - 1)]) {
            std::printf("orders differ at row %d\n", r);
            std::exit(1);
        }
    std::printf("%-8s %-7s  grid %9.1f ms %10d compares   std::stable_sort %7.1f ms %10lld compares\n",
                col == 1 ? "numeric" : "text", sorted ? "sorted" : "random", Ms(t0, t1), g.Compares, Ms(p0, p1),
                peerCompares);
}

} // namespace

int main(int argc, char** argv)
{
    const int rows = argc > 1 ? std::max(2, std::atoi(argv[1])) : 100000;
    std::mt19937 rnd(4711);
    std::printf("%d rows, 5 columns\n", rows);
    for (int col : {1, 2})
        for (bool sorted : {false, true}) Run(rows, col, sorted, rnd);
    return 0;
}
