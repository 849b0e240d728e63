#pragma once
// The platform's system metrics (GetSystemMetrics) that the controls use.

constexpr int SM_CXSCREEN = 0, SM_CXBORDER = 5, SM_CYBORDER = 6, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3;

// The primary screen's width; scroll-bar sizes follow the platform's
// style; borders are 1 pixel.
int GetSystemMetrics(int index);
