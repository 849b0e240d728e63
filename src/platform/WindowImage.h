#pragma once
// Picture of a window or control as it is drawn now.

#include "platform/Graphics.h"

#include <string>

class TControl;

// Saved as PNG; false when the picture could not be written.
bool SaveControlImage(const TControl* control, const std::string& pngPath);
// As a bitmap (pending paint events run first); empty for no control.
TBitmap ControlImage(const TControl* control);
