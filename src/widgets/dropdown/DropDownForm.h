#pragma once
// The pop-up of a drop-down edit: a frameless window above every other
// window, owned by the edit's window, that becomes the active window while
// it shows. It holds the picker control between the optional header and
// footer strips, paints the background gradient and the border, closes
// itself (through its edit) when another window becomes active, and lets
// the user size it from the footer's size grip or, when Sizeable, from its
// own bottom-right corner.

#include "platform/Controls.h"
#include "widgets/dropdown/DropDownStrips.h"

#include <cstdint>
#include <functional>

class TExCustomDropDown;

using TFormWheelEvent = std::function<void(TControl* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

class TDropDownForm : public TCustomControl, public IDropDownSizing {
public:
    // A hidden pop-up belonging to the edit (may be null) and to its window.
    explicit TDropDownForm(TExCustomDropDown* AOwner);
    ~TDropDownForm() override;
    const char* ClassName() const override { return "TDropDownForm"; }

    // Tick count of the last deactivation while shown.
    std::uint64_t DeActivateTime() const { return FDeActivate; }
    bool Shadow() const { return FShadow; }
    void SetShadow(bool Value) { FShadow = Value; }
    TExHeader* Header() const { return FHeader; }
    TExFooter* Footer() const { return FFooter; }
    TExCustomDropDown* ExDropDown() const { return FExDropDown; }
    void SetExDropDown(TExCustomDropDown* Value) { FExDropDown = Value; }
    // The bottom-right 10 x 10 pixels size the pop-up.
    bool Sizeable() const { return FSizeable; }
    void SetSizeable(bool Value) { FSizeable = Value; }
    bool CancelOnDeActivate() const { return FCancelOnDeActivate; }
    void SetCancelOnDeActivate(bool Value) { FCancelOnDeActivate = Value; }
    // While set, activation changes are ignored.
    bool BlockActivate() const { return FBlockActivate; }
    void SetBlockActivate(bool Value) { FBlockActivate = Value; }
    // The smallest size the user can give it.
    void SetMinSize(int Width, int Height);
    int MinWidth() const { return FMinWidth; }
    int MinHeight() const { return FMinHeight; }
    // Never below the smallest size.
    void SetBounds(int left, int top, int width, int height) override;

    // Makes, attaches and shows or hides the header and footer after the
    // edit's appearances (at every opening and when they change while open).
    void InitializeAndUpdate();
    virtual void UpdateSize() {}
    // Shows the pop-up at a screen rectangle as the active window.
    void ShowPopup(const TRect& ScreenBounds);
    // Hides it (OnHide follows).
    void HidePopup();

    // Sizing by the user (IDropDownSizing).
    void StartSizing(TPoint ScreenPos) override;
    bool Sizing() const override { return FSizing; }
    void SizingMove(TPoint ScreenPos) override;
    void EndSizing() override;

    TNotifyEvent OnHide;
    TNotifyEvent OnDestroy;
    // After every size step the user makes.
    TNotifyEvent OnSizing;
    TFormWheelEvent OnMouseWheelDown;
    TFormWheelEvent OnMouseWheelUp;

protected:
    void Paint() override;
    TRect AlignRect() const override;
    void Resized() override { Invalidate(); }
    bool MouseWheel(TShiftState shift, int delta, int x, int y) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void Deactivated(bool InsideActivated);
    int BorderWidth() const;
    std::uint64_t FDeActivate = 0;
    bool FShadow = true;
    TExFooter* FFooter = nullptr;
    TExHeader* FHeader = nullptr;
    TExCustomDropDown* FExDropDown = nullptr;
    bool FSizeable = false;
    bool FCancelOnDeActivate = true;
    bool FBlockActivate = false;
    int FMinWidth = 0;
    int FMinHeight = 0;
    bool FSizing = false;
    TPoint FSizeStart;
    TSize FSizeAtStart;
};
