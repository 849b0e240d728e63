#pragma once
// THTMLHintWindow: the hint window the grid installs for its hints. It shows
// a hint text as mini-HTML with the grid's image list, or as a plain line
// of wide characters when the text carries the wide-text prefix ("|\").

#include "platform/HintWindow.h"

#include <string>

class TCustomImageList;
class TPictureContainer;

class THTMLHintWindow : public THintWindow {
public:
    THTMLHintWindow() = default;
    // The hint measured for MaxWidth pixels: wide text on one line, mini-HTML
    // wrapped (the rectangle is (0, 0, width, height)).
    TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) override;
    // Data: a TExStringGrid gives its image list and picture container.
    void ActivateHintData(const TRect& Rect, const std::string& AHint, void* AData) override;
    // Measures the hint (at most 1008 pixels wide), sizes the window to it,
    // keeps it on the monitor of its top-left corner (2 pixels inside) and
    // shows it on top without activating it.
    void ActivateHint(const TRect& Rect, const std::string& AHint) override;

    TCustomImageList* Images = nullptr;
    TPictureContainer* PictureContainer = nullptr;
    int TextHeight = 0;
    int TextWidth = 0;
    // The decoded text of a wide-text hint.
    std::string WideCaption;

protected:
    void Paint(TCanvas& Canvas) override;
};
