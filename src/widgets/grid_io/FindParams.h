#pragma once
// The flags of a find in a string grid (TExStringGrid::Find): how a cell's
// text must match the search text, which cells are walked, in which order,
// and whether the grid's current cell moves to the match. A set of the 16
// members, stored as a 16-bit word with bit n for the n-th member.

#include <cstdint>
#include <initializer_list>

enum TFindParameters : std::uint8_t {
    fnMatchCase,            // compare with case (else both texts upper-cased)
    fnMatchFull,            // the whole cell text equals the search text
    fnMatchRegular,         // the search text is a filter expression
    fnDirectionLeftRight,   // row by row (else column by column)
    fnMatchStart,           // the search text starts the cell text
    fnFindInCurrentRow,     // only the current row
    fnFindInCurrentCol,     // only the current column
    fnIncludeFixed,         // fixed cells too
    fnAutoGoto,             // the current cell moves to the match
    fnIgnoreHTMLTags,       // tags removed from the cell text first
    fnBackward,             // walk backwards
    fnIncludeHiddenColumns, // hidden columns too (columns are real indexes)
    fnFindInPresetCol,      // only the column FindCol
    fnFindInPresetRow,      // only the row FindRow
    fnSelectedCells,        // only the selected rectangle
    fnIncludeHiddenRows     // hidden rows too (rows are real indexes)
};

class TFindParams {
public:
    TFindParams() = default;
    TFindParams(std::initializer_list<TFindParameters> l)
    {
        for (TFindParameters p : l) Include(p);
    }
    static TFindParams FromWord(std::uint16_t w)
    {
        TFindParams f;
        f.bits_ = w;
        return f;
    }
    std::uint16_t Word() const { return bits_; }
    bool Contains(TFindParameters p) const { return (bits_ >> p) & 1u; }
    void Include(TFindParameters p) { bits_ = static_cast<std::uint16_t>(bits_ | (1u << p)); }
    void Exclude(TFindParameters p) { bits_ = static_cast<std::uint16_t>(bits_ & ~(1u << p)); }
    void Set(TFindParameters p, bool on) { on ? Include(p) : Exclude(p); }
    bool operator==(const TFindParams& o) const { return bits_ == o.bits_; }

private:
    std::uint16_t bits_ = 0;
};
