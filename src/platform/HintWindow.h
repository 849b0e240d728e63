#pragma once
// The class library's hint window and the application's hint.
//
// A hint window is a small window without frame that floats over the other
// windows, shows a text and never takes the focus. A derived class measures
// and paints its text its own way (CalcHintRect, Paint).
//
// The application shows one hint at a time: when the pointer rests on a
// control, the control's window asks the control for its hint (the control
// fills the text and a THintInfo, the class library's CM_HINTSHOW), and
// ShowApplicationHint shows it in a window of the class the information
// names; CancelApplicationHint takes it down (the pointer moved on or left
// the control, a button was pressed).

#include "platform/Graphics.h"

#include <functional>
#include <memory>
#include <string>

class THintWindow {
public:
    THintWindow();
    virtual ~THintWindow();
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;

    // The text shown (setting it repaints the window, whose size stays).
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& s);
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    TFont& Font() { return font_; }

    // The rectangle (0, 0, width, height) the hint needs, at most MaxWidth
    // pixels wide (the text wraps). Data is the caller's, passed through.
    virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData);
    // Shows the window with the text in Rect (screen coordinates), on top
    // and without activating it.
    virtual void ActivateHint(const TRect& Rect, const std::string& AHint);
    // The same with the caller's data (here: ActivateHint).
    virtual void ActivateHintData(const TRect& Rect, const std::string& AHint, void* AData);
    // Takes the window off the screen.
    virtual void ReleaseHandle();
    virtual bool Showing() const;
    // The window's place on the screen (the last one given when hidden).
    TRect BoundsRect() const { return bounds_; }
    int ClientWidth() const { return bounds_.Right - bounds_.Left; }
    int ClientHeight() const { return bounds_.Bottom - bounds_.Top; }
    // Moves and sizes the window (screen coordinates) without showing it.
    void SetBounds(const TRect& Rect);
    // Shows the window where it is, on top, without activating it.
    void ShowNoActivate();
    // Paints the window now on Canvas (a test or a print may ask for it).
    void PaintTo(TCanvas& Canvas) { Paint(Canvas); }

    struct Impl;

protected:
    // The window colour, a raised frame and the caption on one line.
    virtual void Paint(TCanvas& Canvas);

private:
    std::unique_ptr<Impl> impl_;
    std::string caption_;
    TColor color_ = clInfoBk;
    TFont font_;
    TRect bounds_{};
};

// Makes the hint window a control's hint is shown in.
using THintWindowClass = std::function<std::unique_ptr<THintWindow>()>;

// What the application will do with a control's hint; the control may
// change it (CM_HINTSHOW).
struct THintInfo {
    // The pointer, in the control's client coordinates.
    TPoint CursorPos;
    // Where the hint's top-left corner goes (screen coordinates).
    TPoint HintPos;
    // The widest the hint may be (pixels).
    int HintMaxWidth = 300;
    TColor HintColor = clInfoBk;
    // The hint window's class (empty: the plain THintWindow).
    THintWindowClass HintWindowClass;
    // Handed to the window's CalcHintRect and ActivateHintData.
    void* HintData = nullptr;
};

// The rectangle of the monitor nearest to a screen point (screen
// coordinates).
TRect MonitorRectAt(TPoint p);

// Shows HintStr as Info says, in place of the hint shown before; an empty
// text only takes that one down.
void ShowApplicationHint(const THintInfo& Info, const std::string& HintStr);
// Takes the application's hint down (Application.CancelHint).
void CancelApplicationHint();
// The application's hint window while it shows, else nullptr.
THintWindow* ShownApplicationHint();
