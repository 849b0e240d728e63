#pragma once
// Shared between the communication window's sources: the text steps of
// Set_Lang and the few control operations the panel code needs.

#include "params/UParGen.h"

#include <string>
#include <vector>

// One step of Set_Lang: a caption, a hint, or a list emptied, refilled from
// texts and set to item 0.
struct TFParGen::TTextStep {
    enum What { Caption, Hint, Items };
    What what;
    TControl* control;
    std::vector<int> ids;
};

namespace ParGenUi {

// Controls placed on a category panel's body, in body pixels.
TLabel* NewLabel(TCategoryPanel* panel, int left, int top, int width, int height, const std::string& caption);
TEdit* NewEdit(TCategoryPanel* panel, int left, int top, int width, int height, const std::string& text);
TCheckBox* NewCheck(TCategoryPanel* panel, int left, int top, int width, int height, const std::string& caption);
TComboBox* NewList(TCategoryPanel* panel, int left, int top, int width, int height,
                   const std::vector<std::string>& items, int itemIndex);
TLbButton* NewButton(TCategoryPanel* panel, int left, int top, int width, int height, const std::string& caption);

} // namespace ParGenUi
