#include "widgets/grid_render/Editor_Label.h"

TPoint EditLabelPlace(TLabelPosition pos, int L, int T, int W, int H, int lw, int lh, int tw, int m)
{
    const int midTop = T + (H - lh) / 2;
    const int midLeft = L + (W - lw) / 2;
    switch (pos) {
    case lpLeftTop: return {L - tw - m, T};
    case lpLeftCenter: return {L - tw - m, midTop};
    case lpLeftBottom: return {L - tw - m, T + H - lh};
    case lpTopLeft: return {L, T - lh - m};
    case lpBottomLeft: return {L, T + H + m};
    case lpLeftTopLeft: return {L - m, T};
    case lpLeftCenterLeft: return {L - m, midTop};
    case lpLeftBottomLeft: return {L - m, T + H - lh};
    case lpTopCenter: return {midLeft, T - lh - m};
    case lpBottomCenter: return {midLeft, T + H + m};
    case lpRightTop: return {L + W + m, T};
    case lpRightCenter: return {L + W + m, midTop};
    case lpRighBottom: return {L + W + m, T + H - lh};
    }
    return {L, T};
}
