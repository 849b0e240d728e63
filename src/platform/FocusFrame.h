#pragma once
// A translucent frame drawn around a rectangle of the screen in a window of
// its own: a topmost tool window that takes neither input nor activation,
// whose shape is a ring (the area inside stays visible and reachable). The
// grid's focus helper shows it around the cell being edited.

#include "platform/Graphics.h"

#include <functional>
#include <memory>

class TFocusFrameWindow {
public:
    TFocusFrameWindow();
    ~TFocusFrameWindow();
    TFocusFrameWindow(const TFocusFrameWindow&) = delete;
    TFocusFrameWindow& operator=(const TFocusFrameWindow&) = delete;

    // Shows the window at Bounds (screen pixels) with the hole Hole (in the
    // window's coordinates) left out of its shape, painted in Color at the
    // opacity Alpha (0..255) and softened towards the ring's edges.
    void ShowRing(const TRect& Bounds, const TRect& Hole, TColor Color, int Alpha);
    // Moves and sizes the shown window (shape and picture stay).
    void MoveTo(const TRect& Bounds);
    void Hide();
    bool Visible() const;
    TRect Bounds() const;
    // Whether a point of the window (its own coordinates) belongs to its
    // shape.
    bool InShape(int X, int Y) const;
    // Called while the window shows whenever a window of the program moved.
    std::function<void()> OnWindowMoved;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};
