#pragma once
// A control whose children may be larger than itself: scroll bars appear
// when a child reaches past the visible area (the class library's scrolling
// windowed control with AutoScroll). Children are placed in the scrolled
// area's coordinates; the visible part starts at the scroll positions.
// Dragging a bar's thumb moves the children while it is dragged. A wheel
// turn that a child does not take scrolls the area.

#include "platform/Controls.h"

class TScrollingWinControl : public TWinControl {
public:
    explicit TScrollingWinControl(TWinControl* parent);
    ~TScrollingWinControl() override;
    const char* ClassName() const override { return "TScrollingWinControl"; }
    QWidget* ClientWidget() const override;
    void SetColor(TColor c) override;

    // The visible area, without the scroll bars shown.
    int VisibleWidth() const;
    int VisibleHeight() const;
    bool VertScrollBarVisible() const;
    bool HorzScrollBarVisible() const;
    int VertScrollPos() const;
    int HorzScrollPos() const;
    // Limited to the bar's range.
    void SetVertScrollPos(int Value);
    // The scroll bar's margin (the class library's default: none).
    int VertScrollBarMargin() const { return 0; }
    // Sizes the scrolled area to hold every child (AutoScroll); the bars
    // follow at once.
    void UpdateScrollRange();

protected:
    // After every change of the control's size.
    virtual void Resized() {}

private:
    class Area;
    friend class Area;
    Area* area_;
};
