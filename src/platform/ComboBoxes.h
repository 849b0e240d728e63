#pragma once
// The class library's combo box as a base for descendants
// (TCustomComboBox): a list of items with objects, a drop-down style with
// an edit field or a drop-down list style, the list's opening and closing,
// its width, and the dynamic steps a descendant overrides.
//
// Events and steps follow the class library:
// - the user choosing an item (list, keys, wheel) runs Select, which fires
//   OnSelect, or Change when OnSelect is not assigned; typing in the edit
//   field runs Change (OnChange). A program setting ItemIndex or Text runs
//   neither;
// - KeyDown (OnKeyDown), KeyPress (OnKeyPress) and KeyUp (OnKeyUp) see the
//   keys first, as in the masked edit (MaskEdit.h); Alt+Down and F4 open
//   and close the list, Up and Down step through the items while it is
//   closed, letters search the items of a drop-down list;
// - DropDown (OnDropDown) runs when the list opens, CloseUp (OnCloseUp)
//   when it closes; opening the list does not count as leaving the control
//   (no DoExit, no DoEnter when it closes again);
// - MouseWheel sees the wheel first (delta: 120 a notch away from the user,
//   negative towards the user); true keeps it from the platform, which
//   otherwise steps through the items.

#include "platform/Controls.h"

#include <memory>
#include <string>

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TWinControl* parent);
    ~TCustomComboBox() override;
    const char* ClassName() const override { return "TComboBox"; }

    TStrings& Items();
    // Appends an item with an object (not owned).
    void AddItem(const std::string& s, TObject* AObject);
    // The object of item i; raises EListError outside the items.
    TObject* ItemObject(int i) const;
    int ItemIndex() const;
    // -1 chooses none; outside -1..Count-1 raises EListError.
    void SetItemIndex(int i);
    // The edit field's text (drop-down style) or the chosen item's.
    std::string Text() const;
    // Drop-down style: the field shows s (and the item equal to it, ignoring
    // case, becomes ItemIndex, -1 when none). Drop-down list: the item
    // equal to s is chosen, none when there is none.
    void SetText(const std::string& s);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle s);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int n);
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    // Width of the open list (CB_SETDROPPEDWIDTH); never below the box.
    int DroppedWidth() const { return droppedWidth_; }
    void SetDroppedWidth(int w);
    // Height of the selection field (CB_SETITEMHEIGHT -1), kept.
    int EditHeight() const { return editHeight_; }
    void SetEditHeight(int h) { editHeight_ = h; }
    // Typing limit of the edit field (0: none).
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);
    // The 3-D border (off: a flat box).
    void SetCtl3D(bool v);
    bool Ctl3D() const { return ctl3D_; }

    // The edit field (drop-down style; a drop-down list answers 0 and
    // ignores the setters).
    int SelStart() const;
    void SetSelStart(int p);
    int SelLength() const;
    void SetSelLength(int n);
    void SelectAll();
    // EM_CHARFROMPOS on the edit field, for a point in the box's client
    // coordinates; -1 outside the field or without one.
    int EditCharFromPos(int x, int y) const;
    // The edit field's client rectangle in the box's coordinates (empty for
    // a drop-down list).
    TRect EditFieldRect() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    struct QtBox;

protected:
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyPress(char32_t& Key);
    virtual void KeyUp(int& Key, TShiftState Shift);
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    virtual bool MouseWheel(int delta);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    // After the platform painted the box, on its canvas.
    virtual void PaintAfter(TCanvas& Canvas);
    virtual void Resized() {}

    bool DoKeyDown(int& key, TShiftState shift) override;
    bool DoKeyPress(char32_t& key) override;
    bool DoKeyUp(int& key, TShiftState shift) override;
    // The focus arriving and leaving (not when the list opens or closes):
    // Enter and Exit, whose base fires OnEnter / OnExit.
    void DoEnter() final;
    void DoExit() final;
    virtual void Enter();
    virtual void Exit();

private:
    friend struct QtBox;
    struct ItemList;
    std::unique_ptr<ItemList> items_;
    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    int dropDownCount_ = 8;
    int droppedWidth_ = 0;
    int editHeight_ = 0;
    int maxLength_ = 0;
    bool ctl3D_ = true;
    int programmatic_ = 0;
    int focusReason_ = 0;
};
