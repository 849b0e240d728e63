#pragma once
// The built-in English texts of the UI text table.

#include <span>

namespace UDefaultTexts {

// Number of ids of the UI text table (0 .. Text_Count - 1).
constexpr int Text_Count = 5300;
// Text of the ids that have no English text of their own.
constexpr const char* Blank_Text = " ";

struct TDefaultText {
    int id;
    const char* text;
};

// The ids that have a text of their own, in increasing id order.
std::span<const TDefaultText> Default_Texts();

} // namespace UDefaultTexts
