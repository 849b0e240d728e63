#pragma once
// Mini-HTML of cell texts, hints, footers, headers and drop-down captions:
// the renderer (layout, drawing, measuring and hit tests in one call) and
// the text operations on mark-up (entities, tag stripping, marking found
// text, inline form controls).
//
// Texts are UTF-8; tag and attribute names compare without regard to case
// (ASCII letters only). Numbers read from attributes are clamped: font
// sizes to 1..500 points, widths, heights, indents and lengths to 0..32767.

#include "platform/BiDi.h"
#include "platform/Graphics.h"

#include <string>

class TCustomImageList;
class THTMLPictureCache;
class TPictureContainer;

// --- renderer ----------------------------------------------------------------------------

// Lays Source out line by line in Bounds on Canvas, draws it (unless
// MeasureOnly or LocateControl), measures it and hit-tests the point
// (HitX, HitY). The canvas's font, pen and brush are restored on return.
// The result is true when the point lies on an inline control or an
// anchored picture, or, with LocateControl, on an anchor; always false
// with MeasureOnly. Pictures (IMG, BODY BACKGROUND) come from Images, Pictures
// and PictureCache; one that cannot be found or decoded takes no room.
bool DrawHTMLText(TCanvas& Canvas, const std::string& Source, const TRect& Bounds, TCustomImageList* Images,
                  int HitX, int HitY, int FocusAnchorIndex, int HoverAnchorNumber, int ShadowOffset,
                  bool LocateControl, bool MeasureOnly, bool Printing, bool Selected, bool BlinkVisible,
                  bool HoverOnlyUnderline, bool WordWrap, bool MouseDown, double PrintScale, TColor AnchorColor,
                  TColor HoverBackColor, TColor HoverTextColor, TColor ShadowColor, std::string& HitAnchor,
                  std::string& PlainText, std::string& FocusedHref, std::string& HitTitle, int& ExtentWidth,
                  int& ExtentHeight, int& AnchorCount, int& HitAnchorNumber, TRect& HoverBounds,
                  TRect& ControlBounds, std::string& ControlId, std::string& ControlValue,
                  std::string& ControlType, THTMLPictureCache* PictureCache, TPictureContainer* Pictures,
                  void* OwnerWindow, TBiDiMode BiDiMode);

// The same call with named settings and results, for callers that keep most
// settings at their defaults.
struct THTMLDrawArgs {
    // settings
    TCustomImageList* Images = nullptr;
    int HitX = -1, HitY = -1;
    int FocusAnchorIndex = -1;
    int HoverAnchorNumber = -1;
    int ShadowOffset = 1;
    bool LocateControl = false;
    bool MeasureOnly = false;
    bool Printing = false;
    bool Selected = false;
    bool BlinkVisible = true;
    bool HoverOnlyUnderline = false;
    bool WordWrap = true;
    bool MouseDown = false;
    double PrintScale = 1.0;
    TColor AnchorColor = clBlue;
    TColor HoverBackColor = clNone;
    TColor HoverTextColor = clNone;
    TColor ShadowColor = clGray;
    THTMLPictureCache* PictureCache = nullptr;
    TPictureContainer* Pictures = nullptr;
    void* OwnerWindow = nullptr;
    TBiDiMode BiDiMode = bdLeftToRight;
    // results (ControlId is read as well with LocateControl)
    std::string HitAnchor, PlainText, FocusedHref, HitTitle;
    int ExtentWidth = 0, ExtentHeight = 0, AnchorCount = 0, HitAnchorNumber = -1;
    TRect HoverBounds, ControlBounds;
    std::string ControlId, ControlValue, ControlType;
};
bool DrawHTMLText(TCanvas& Canvas, const std::string& Source, const TRect& Bounds, THTMLDrawArgs& Args);

// "#RRGGBB" (upper-case digits) to a colour; each channel within 0..255.
TColor HTMLHexToColor(const std::string& s);
// "clRed", "clWindow" ... (any case) to a colour; black for other names.
TColor HTMLColorNameToColor(const std::string& s);

// --- text operations ---------------------------------------------------------------------

// "&lt;", "&gt;", "&amp;", "&quot;" (any case) to their characters; with
// All also the accented-letter entities ("&eacute;" ... "&Otilde;", exact case).
std::string DecodeHTMLEntities(const std::string& Text, bool All);
// "&", '"', "<", ">" to entities; with All also the accented letters.
std::string EncodeHTMLEntities(const std::string& Text, bool All);
// Every space to "&nbsp;".
std::string EncodeHTMLSpaces(const std::string& Text);
// "<BR>" and "<HR>" to CR LF, other tags removed; entities stay.
std::string HTMLToPlainText(const std::string& Text);
// Tags removed up to the first "<" that has no ">" after it.
std::string StripHTMLTags(const std::string& Text);
// Every occurrence of Find in the visible text wrapped in <Tag> and </Tag>;
// an empty Find leaves the text as it is.
std::string HTMLMarkText(const std::string& Text, const std::string& Find, const std::string& Tag,
                         bool CaseSensitive);
// <Tag> and </Tag> removed (any case); "&lt;" and "&gt;" back to "<" and ">".
std::string HTMLUnmarkText(const std::string& Text, const std::string& Tag);

// --- inline form controls ("<CONTROL TYPE=... ID=... VALUE=... WIDTH=...>") ----------------

bool HTMLHasControls(const std::string& Text);
// Reads the attributes of one tag; absent ones are empty. TYPE upper-cased,
// VALUE and PROP decoded.
void ParseHTMLControlTag(const std::string& Tag, std::string& Type, std::string& Id, std::string& Value,
                         std::string& Width, std::string& Height, std::string& Prop, std::string& MaxLen);
// ID of the first edit-like control (not BUTTON, CHECK or RADIO) after the
// control AfterId (from the start when AfterId is empty); empty when none.
std::string HTMLNextEditControlID(const std::string& Text, const std::string& AfterId);
// VALUE of the first control with that ID; false (Value untouched) when none.
bool HTMLGetControlValue(const std::string& Text, const std::string& Id, std::string& Value);
std::string HTMLGetControlProp(const std::string& Text, const std::string& Id);
int HTMLGetControlMaxLen(const std::string& Text, const std::string& Id);
// Rewrites the first control with that ID with the new value, keeping its
// other attributes; false and the text unchanged when no control has it.
bool HTMLSetControlValue(std::string& Text, const std::string& Id, const std::string& NewValue);
// Every RADIO control's VALUE set to "FALSE".
std::string HTMLClearRadioControls(const std::string& Text);

// --- unit-wide settings ------------------------------------------------------------------

// Colours of the HI tag (initially clHighlight and clHighlightText).
void SetHTMLHighlightColors(TColor Background, TColor Text);
TColor HTMLHighlightColor();
TColor HTMLHighlightTextColor();
// Whether the platform offers visual styles for inline controls (recorded once).
bool CheckWinXPOrLater();
