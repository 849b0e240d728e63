#pragma once
// The caption label that the grid's combo and date-time controls can carry
// beside them: its thirteen positions and the label control itself, which
// tells its control when it goes first (with the parent window).

#include "platform/Controls.h"

#include <cstdint>
#include <functional>

enum TLabelPosition : std::uint8_t {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom
};

// Left and top of a label of size lw x lh whose text is tw pixels wide,
// placed at `pos` with margin m beside a control at (L, T) of size W x H.
// Centring halves with truncation towards zero, so a label taller (wider)
// than the control sits above (left of) it by half the difference.
TPoint EditLabelPlace(TLabelPosition pos, int L, int T, int W, int H, int lw, int lh, int tw, int m);

// The label; Gone runs when it is destroyed.
class TEditLabel : public TLabel {
public:
    explicit TEditLabel(TWinControl* parent) : TLabel(parent) {}
    ~TEditLabel() override
    {
        if (Gone) Gone();
    }
    std::function<void()> Gone;
};
