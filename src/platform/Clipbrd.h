#pragma once
// The clipboard as plain text (the class library's Clipboard.AsText).

#include <string>

// True when the clipboard holds text (CF_TEXT).
bool ClipboardHasText();
// The clipboard's text; empty when it holds none.
std::string ClipboardText();
void SetClipboardText(const std::string& text);
