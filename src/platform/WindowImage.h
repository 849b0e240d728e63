#pragma once
// Picture of a window or control as it is drawn now, saved as PNG.

#include <string>

class TControl;

// False when the picture could not be written.
bool SaveControlImage(const TControl* control, const std::string& pngPath);
