#pragma once
// The mouse on a scrolling control's vertical scroll bar, as the user
// gives it (for tests).

class TScrollingWinControl;

// Presses the mouse on the thumb of the vertical scroll bar, drags it by
// pixels along the bar in steps moves and releases it unless release is
// false (then ReleaseScrollThumb does).
void DragScrollThumb(TScrollingWinControl& c, int pixels, int steps = 4, bool release = true);
void ReleaseScrollThumb(TScrollingWinControl& c);
