#pragma once
// Picture of a window or control as it is drawn now.

#include "platform/Graphics.h"

#include <string>

class TControl;

// Saved as PNG; false when the picture could not be written.
bool SaveControlImage(const TControl* control, const std::string& pngPath);
// As a bitmap (pending paint events run first); empty for no control.
TBitmap ControlImage(const TControl* control);
// What the screen shows of the control (pending paint events run first):
// the window system's copy of its window, where only what was repainted
// since has changed, unlike ControlImage, which draws the control afresh.
// Empty for no control or a control not shown.
TBitmap ScreenImage(const TControl* control);

// Draws what the control's parent shows under the control (its background
// and its own painting, not its other children) into canvas, with the
// control's top-left at the canvas's origin. Nothing for a control without
// a parent.
void PaintParentBackground(const TControl& control, TCanvas& canvas);
