#pragma once
// The header drag button: a small bordered pop-up that shows a heading's
// caption and follows the mouse while a column or row of the grid is moved
// with the mouse, on a face of the grid's fixed colour; a caption holding
// "</" is drawn as mini-HTML.

#include "platform/Controls.h"

#include <string>

class TExStringGrid;

class THeaderDragButton : public TCustomControl {
public:
    // Created hidden and disabled, as a pop-up of its own (its Left and Top
    // are screen coordinates).
    explicit THeaderDragButton(TExStringGrid* AGrid);
    const char* ClassName() const override { return "THeaderDragButton"; }
    TExStringGrid* Grid() const { return FGrid; }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool Flat = false;

protected:
    void Paint() override;

private:
    TExStringGrid* FGrid;
    std::string FCaption;
};
