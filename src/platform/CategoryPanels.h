#pragma once
// Category panel group: a vertical, scrollable stack of captioned panels.
//
// Each panel has a header line (HeaderHeight pixels, 24 unless changed)
// with its caption and a chevron; a click on the header collapses or
// expands the panel (a disabled panel is left alone). A collapsed panel
// shows only its header. The group stacks its visible panels from top to
// bottom without gaps in the order of their Top values and moves the
// panels below when one of them changes height, collapses or expands.
// Controls of a panel are placed in pixels relative to the body below the
// header (Body()).

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;
class TWinControl;
class TCategoryPanelGroup;

// Vertical scroll codes of the window system's scroll message.
enum TScrollCode : int {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_TOP = 6,
    SB_BOTTOM = 7,
    SB_ENDSCROLL = 8,
};

class TCategoryPanel {
public:
    ~TCategoryPanel();
    TCategoryPanel(const TCategoryPanel&) = delete;
    TCategoryPanel& operator=(const TCategoryPanel&) = delete;

    const std::string& Name() const;
    TCategoryPanelGroup* Group() const { return group_; }

    const std::string& Caption() const;
    void SetCaption(const std::string& caption);

    // Top within the group's scrolled area. Setting it moves the panel in
    // the stack: it goes before the first other visible panel whose top is
    // at or below the given value; the stack stays closed.
    int Top() const;
    void SetTop(int top);
    // Height as shown: HeaderHeight while collapsed, the full height else.
    int Height() const;
    // Full height, header included. While collapsed it is kept and shown
    // when the panel is expanded again.
    void SetHeight(int height);
    int ExpandedHeight() const;
    int Width() const;

    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    bool Collapsed() const;
    void SetCollapsed(bool collapsed);
    void Collapse() { SetCollapsed(true); }
    void Expand() { SetCollapsed(false); }

    int TabOrder() const;
    void SetTabOrder(int order);

    // Fired after the panel went from collapsed to expanded (by a header
    // click or by the program) and after it collapsed.
    std::function<void(TCategoryPanel*)> OnExpand;
    std::function<void(TCategoryPanel*)> OnCollapse;

    // A click on the header, as the mouse gives it.
    void HeaderClick();
    // True while the mouse is over the header (the chevron is drawn red).
    bool HeaderHot() const;

    // Parent of the panel's controls: the body below the header.
    TWinControl* BodyControl() const;
    QWidget* Body() const;
    QWidget* Widget() const;

    struct Impl;

private:
    friend class TCategoryPanelGroup;
    TCategoryPanel(TCategoryPanelGroup* group, const std::string& name);
    TCategoryPanelGroup* group_;
    std::unique_ptr<Impl> d_;
};

class TCategoryPanelGroup {
public:
    // The group becomes a child of parent (platform layer).
    explicit TCategoryPanelGroup(QWidget* parent);
    explicit TCategoryPanelGroup(TWinControl* parent);
    ~TCategoryPanelGroup();
    TCategoryPanelGroup(const TCategoryPanelGroup&) = delete;
    TCategoryPanelGroup& operator=(const TCategoryPanelGroup&) = delete;

    // Adds a panel at the end of the stack; the group owns it.
    TCategoryPanel* AddPanel(const std::string& name);
    int PanelCount() const;
    // Checked: raises EListError for an index outside 0..PanelCount-1.
    TCategoryPanel* Panels(int index) const;
    // Visible panels from top to bottom.
    std::vector<TCategoryPanel*> StackedPanels() const;

    int HeaderHeight() const;
    void SetHeaderHeight(int height);

    void SetBounds(int left, int top, int width, int height);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    // Client area (the part the panels are shown in, without scroll bar).
    int ClientWidth() const;
    int ClientHeight() const;
    // Screen point to client coordinates of the group.
    void ScreenToClient(int& x, int& y) const;

    // Height of the whole stack and the vertical scroll position (0 at top).
    int StackHeight() const;
    int VertScrollPos() const;
    void SetVertScrollPos(int pos);
    // One line of the vertical scroll bar, in pixels.
    int VertScrollIncrement() const;
    // The window system's vertical scroll message with one of the codes above.
    void VScroll(int code);

    // Called for every mouse-wheel turn over the window the group lies in
    // (the group's own children included), with the wheel delta and the
    // mouse position in screen coordinates. Returning true marks the turn
    // handled, so no control below the mouse sees it.
    std::function<bool(int delta, int screenX, int screenY)> OnWindowMouseWheel;

    QWidget* Widget() const;

    struct Impl;

private:
    friend class TCategoryPanel;
    void Restack();
    void MoveInStack(TCategoryPanel* panel, int top);
    std::unique_ptr<Impl> d_;
};

// The system's "lines to scroll per wheel notch" setting.
int WheelScrollLines();
void SetWheelScrollLines(int lines);
