#pragma once
// Reading order of controls and of the system locale.

// How a control orders and aligns its text (the class library's BiDiMode).
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// True when the system locale reads right to left (Arabic, Hebrew ...).
bool SysLocaleMiddleEast();
// Tests force the answer: 1 right to left, 0 left to right, -1 the system's.
void SetSysLocaleMiddleEast(int forced);
