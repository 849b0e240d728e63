#pragma once
// The platform's visual styles: a theme painter by class, part and state
// (drawn with the windowing system's style), and the unthemed looks
// (frame controls and edges) drawn in the classic 3-D colours.
//
// Theme classes: "button", "combobox", "spin", "Progress", "header" (names
// compare without regard to case). OpenThemeData answers nullptr while
// themes are off or for an unknown class; callers then draw the unthemed
// look. Part and state numbers are the platform's (below).

#include "platform/ClassBase.h"

#include <string>

class TCanvas;

struct TThemeData;
using HTHEME = TThemeData*;

// True while visual styles are on (default). Tests and the options switch
// it with SetThemeActive.
bool IsThemeActive();
void SetThemeActive(bool on);
std::string GetCurrentThemeName();

// The window argument is accepted for the callers' sake and not used.
HTHEME OpenThemeData(void* window, const std::string& classList);
void CloseThemeData(HTHEME theme);
// Draws the part's background into r (clipped to *clip when given).
// Returns false for a null theme or an unknown part.
bool DrawThemeBackground(HTHEME theme, TCanvas& canvas, int partId, int stateId, const TRect& r,
                         const TRect* clip = nullptr);

// "button"
constexpr int BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3, BP_GROUPBOX = 4;
constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
constexpr int RBS_UNCHECKEDNORMAL = 1, RBS_UNCHECKEDHOT = 2, RBS_UNCHECKEDPRESSED = 3,
              RBS_UNCHECKEDDISABLED = 4, RBS_CHECKEDNORMAL = 5, RBS_CHECKEDHOT = 6,
              RBS_CHECKEDPRESSED = 7, RBS_CHECKEDDISABLED = 8;
constexpr int CBS_UNCHECKEDNORMAL = 1, CBS_UNCHECKEDHOT = 2, CBS_UNCHECKEDPRESSED = 3,
              CBS_UNCHECKEDDISABLED = 4, CBS_CHECKEDNORMAL = 5, CBS_CHECKEDHOT = 6,
              CBS_CHECKEDPRESSED = 7, CBS_CHECKEDDISABLED = 8, CBS_MIXEDNORMAL = 9,
              CBS_MIXEDHOT = 10, CBS_MIXEDPRESSED = 11, CBS_MIXEDDISABLED = 12;
// "combobox"
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4;
// "spin"
constexpr int SPNP_UP = 1, SPNP_DOWN = 2, SPNP_UPHORZ = 3, SPNP_DOWNHORZ = 4;
constexpr int UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4;
// "Progress"
constexpr int PP_BAR = 1, PP_BARVERT = 2, PP_CHUNK = 3, PP_CHUNKVERT = 4;
// "header"
constexpr int HP_HEADERITEM = 1, HP_HEADERITEMLEFT = 2, HP_HEADERITEMRIGHT = 3, HP_HEADERSORTARROW = 4;
constexpr int HIS_NORMAL = 1, HIS_HOT = 2, HIS_PRESSED = 3;
constexpr int HSAS_SORTEDUP = 1, HSAS_SORTEDDOWN = 2;

// --- unthemed looks ---------------------------------------------------------------

constexpr unsigned DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4;
constexpr unsigned DFCS_BUTTONCHECK = 0x0, DFCS_BUTTONRADIO = 0x4, DFCS_BUTTON3STATE = 0x8,
                   DFCS_BUTTONPUSH = 0x10;
constexpr unsigned DFCS_SCROLLUP = 0x0, DFCS_SCROLLDOWN = 0x1, DFCS_SCROLLLEFT = 0x2,
                   DFCS_SCROLLRIGHT = 0x3, DFCS_SCROLLCOMBOBOX = 0x5;
constexpr unsigned DFCS_INACTIVE = 0x100, DFCS_PUSHED = 0x200, DFCS_CHECKED = 0x400,
                   DFCS_TRANSPARENT = 0x800, DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000,
                   DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000;

// Draws a classic frame control (check box, radio button, push button,
// scroll arrows) into r. Returns false for a kind it does not know.
bool DrawFrameControl(TCanvas& canvas, const TRect& r, unsigned type, unsigned state);

constexpr unsigned BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4,
                   BDR_SUNKENINNER = 0x8;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr unsigned BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8;
constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT, BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr unsigned BF_MIDDLE = 0x800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000,
                   BF_MONO = 0x8000;

// Draws up to two one-pixel borders (outer, inner) on the sides in flags;
// BF_MIDDLE fills the inside with clBtnFace; BF_ADJUST shrinks r by the
// borders drawn. BF_FLAT draws shadow-coloured borders, BF_MONO black ones.
void DrawEdge(TCanvas& canvas, TRect& r, unsigned edge, unsigned flags);
