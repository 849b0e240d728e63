#pragma once
// Stand-ins for the grid in the tests of the hidden columns and rows: the
// displayed columns and rows a host gives the model, without any window.

#include "widgets/grid_model/Hidden.h"

#include <string>
#include <utility>
#include <vector>

// Displayed columns of a grid: widths and the current column.
struct ColHost : IHiddenColHost {
    std::vector<int> widths;
    int col = 0;
    explicit ColHost(std::vector<int> w) : widths(std::move(w)) {}
    int ColCount() const override { return static_cast<int>(widths.size()); }
    void SetColCount(int v) override { widths.resize(static_cast<std::size_t>(v), 64); }
    int ColWidth(int d) const override { return widths.at(static_cast<std::size_t>(d)); }
    void SetColWidth(int d, int w) override { widths.at(static_cast<std::size_t>(d)) = w; }
    int CurrentCol() const override { return col; }
    void SetCurrentCol(int d) override { col = d; }
};

// Displayed rows: one text per row (enough to follow where rows go) plus height.
struct RowHost : IHiddenRowHost {
    std::vector<std::vector<std::string>> rows;
    std::vector<int> heights;
    explicit RowHost(int n)
    {
        for (int i = 0; i < n; ++i) {
            rows.push_back({"r" + std::to_string(i), "h" + std::to_string(i)});
            heights.push_back(20 + i);
        }
    }
    int RowCount() const override { return static_cast<int>(rows.size()); }
    std::vector<std::string> RowCells(int d) const override { return rows.at(static_cast<std::size_t>(d)); }
    int RowHeight(int d) const override { return heights.at(static_cast<std::size_t>(d)); }
    void SetRow(int d, const std::vector<std::string>& c, int h) override
    {
        rows.at(static_cast<std::size_t>(d)) = c;
        heights.at(static_cast<std::size_t>(d)) = h;
    }
    void InsertRows(int d, int n) override
    {
        rows.insert(rows.begin() + d, static_cast<std::size_t>(n), std::vector<std::string>{});
        heights.insert(heights.begin() + d, static_cast<std::size_t>(n), 0);
    }
    void DeleteRows(int d, int n) override
    {
        rows.erase(rows.begin() + d, rows.begin() + d + n);
        heights.erase(heights.begin() + d, heights.begin() + d + n);
    }
    std::vector<std::string> FirstTexts() const
    {
        std::vector<std::string> out;
        for (const auto& r : rows) out.push_back(r.at(0));
        return out;
    }
};
