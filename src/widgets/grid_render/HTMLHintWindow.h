#pragma once
// The grid's hint window: shows a hint text as mini-HTML with the grid's
// images and pictures, or as one line of wide text when the text carries
// the wide-text prefix. A frameless pop-up that never takes the focus nor
// the mouse; its rectangle is in screen coordinates.

#include "platform/Controls.h"
#include "platform/SysUtils.h"

#include <string>

class TCustomImageList;
class TPictureContainer;
class TObject;

class THTMLHintWindow : public TCustomControl {
public:
    // Hidden, in the hint colours, with no images and no pictures.
    explicit THTMLHintWindow(TWinControl* AOwner = nullptr);
    const char* ClassName() const override { return "THTMLHintWindow"; }

    // Not owned; set from the grid a hint is shown for.
    TCustomImageList* Images = nullptr;
    TPictureContainer* PictureContainer = nullptr;
    // The measured size of the text shown.
    int TextHeight = 0;
    int TextWidth = 0;
    // The decoded text of a wide-text hint.
    WideString WideCaption;

    const std::string& Caption() const { return FCaption; }
    // A new text repaints the window; it keeps its size.
    void SetCaption(const std::string& Value);

    // Sizes the window to the hint (at most 1008 pixels of text wide) from
    // the top-left corner of Rect, keeps it on the monitor there and shows
    // it on top of the other windows without activating it.
    void ActivateHint(const TRect& Rect, const std::string& Hint);
    // As ActivateHint; a grid as Data lends its images and pictures first
    // (another object leaves those of the last grid).
    void ActivateHintData(const TRect& Rect, const std::string& Hint, TObject* Data);
    // The size the hint text takes within MaxWidth: (0, 0, width, height).
    TRect CalcHintRect(int MaxWidth, const std::string& Hint, TObject* Data);

protected:
    void Paint() override;

private:
    bool IsWide(const std::string& Hint) const;
    TRect MeasureHint(const std::string& Hint, int MaxWidth, bool& Wide);
    std::string FCaption;
};
