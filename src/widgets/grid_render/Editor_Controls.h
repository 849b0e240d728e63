#pragma once
// The grid's editor controls: the controls the grid places over a cell for
// every editor kind that is not plain text, each on its base control, and
// the hand-shake they share with the grid (which keys they claim, how a
// navigation key commits the value through the grid's validation, how Tab
// and Escape are handed back, what leaving does, where the caret goes after
// an opening click).
//
//   TGridCombo          edComboEdit, edComboList        (TEsgComboBox)
//   TGridCheckBox       edCheckBox                      (the platform check box)
//   TGridSpin           the four spin kinds             (TEsgSpinEdit)
//   TGridEditBtn        the four edit-button kinds      (TEsgEditBtn)
//   TGridUnitEditBtn    the three unit kinds            (TEsgUnitEditBtn)
//   TGridButton         edButton                        (the platform push button)
//   TGridDatePicker     edDateEdit, edDateEditUpDown, edTimeEdit (TEsgDateTimePicker)
//   TGridDateTimePicker edDateTimeEdit                  (TExDateTimePicker)
//
// The controls are children of the grid's window (made when the grid first
// needs them), hidden and disabled while not in use; the grid keeps them in
// its editor set. A control and its grid may go in either order: the one
// left forgets the other.

#include "widgets/grid_render/Editor_EditBtn.h"
#include "widgets/grid_render/Editor_Combo.h"
#include "widgets/grid_render/Editor_DateTimeBase.h"
#include "widgets/grid_render/Editor_DateTime.h"
#include "widgets/grid_render/Editor_Spin.h"

#include "platform/Buttons.h"
#include "platform/ClassBase.h"

#include <functional>
#include <string>

class TExStringGrid;
class TGridEditorSet;

// The editor as the Sender of the grid events that name the editor (the
// events take objects; the editors are controls). Control is the editor.
class TEditorSender : public TObject {
public:
    explicit TEditorSender(TControl* c) : Control(c) {}
    std::string ClassName() const override { return Control ? Control->ClassName() : "TObject"; }
    TControl* Control;
};

// What every editor control keeps of its grid.
class TGridEditorLink {
public:
    explicit TGridEditorLink(TExStringGrid* grid, TControl* self) : FGrid(grid), FSender(self) {}
    virtual ~TGridEditorLink();
    TExStringGrid* Grid() const { return FGrid; }
    TObject* Sender() { return &FSender; }

protected:
    friend class TGridEditorSet;
    TExStringGrid* FGrid;
    TGridEditorSet* FSet = nullptr;
    TEditorSender FSender;
};

class TGridCombo : public TEsgComboBox, public TGridEditorLink {
public:
    TGridCombo(TExStringGrid* grid, TWinControl* parent);
    const char* ClassName() const override { return "TGridCombo"; }
    // Widens the open list so that the items fit (never below the box).
    void SizeDropDownWidth();
    // Completion from the items and the grid's look-up list.
    void DoChange();
    void ReCreate() {}
    TNotifyEvent OnReturnKey;
    bool WorkMode = true;
    // What closing the editor writes into the cell: the text, or after
    // Escape the cell's text from when the editor opened.
    std::string CellValue() const;
    // The item the opening put in place of a text that is not one of the
    // items: the change handling runs and OnComboChange reports item 0, once.
    void ReportInitialItem();

protected:
    bool MouseWheel(int delta) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    void Change() override;
    void Select() override;
    void DropDown() override;
    void CloseUp() override;
    void Enter() override;
    void Exit() override;

private:
    void FireComboChange(int index, const std::string& selection);
    void ShowCell();
    bool FRestore = false;
    bool FSelecting = false;
};

class TGridCheckBox : public TCustomCheckBox, public TGridEditorLink {
public:
    TGridCheckBox(TExStringGrid* grid, TWinControl* parent);
    const char* ClassName() const override { return "TGridCheckBox"; }
    void ReCreate() {}

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool TogglesOnClick() const override { return false; }
    void KeyDown(int& Key, TShiftState Shift) override;
    void DoExit() override;
};

class TGridSpin : public TEsgSpinEdit, public TGridEditorLink {
public:
    TGridSpin(TExStringGrid* grid, TWinControl* parent);
    const char* ClassName() const override { return "TGridSpin"; }
    void UpClick(TControl* Sender) override;
    void DownClick(TControl* Sender) override;
    void ReCreate() {}
    // True while Escape closes the editor: the cell keeps its text.
    bool Restoring() const { return FRestore; }

protected:
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void Change() override;
    void DoExit() override;

private:
    void FireSpin(bool up);
    bool FRestore = false;
};

class TGridEditBtn : public TEsgEditBtn, public TGridEditorLink {
public:
    TGridEditBtn(TExStringGrid* grid, TWinControl* parent);
    const char* ClassName() const override { return "TGridEditBtn"; }
    bool StopEditAfterClick() const { return FStopEditAfterClick; }
    void SetStopEditAfterClick(bool v) { FStopEditAfterClick = v; }
    void ReCreate() {}
    bool WorkMode = true;

protected:
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    void WMPaste() override;
    void DblClick() override;
    void Change() override;
    void DoExit() override;

private:
    void ButtonClicked();
    int FSelKeyDown = 0;
    bool FStopEditAfterClick = false;
};

class TGridUnitEditBtn : public TEsgUnitEditBtn, public TGridEditorLink {
public:
    TGridUnitEditBtn(TExStringGrid* grid, TWinControl* parent);
    const char* ClassName() const override { return "TGridUnitEditBtn"; }
    void ReCreate() {}

protected:
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void DoExit() override;

private:
    void ButtonClicked();
};

class TGridButton : public TButton, public TGridEditorLink {
public:
    TGridButton(TExStringGrid* grid, TWinControl* parent);
    const char* ClassName() const override { return "TGridButton"; }
    std::string Text() const { return Caption(); }
    void SetText(const std::string& s) { SetCaption(s); }
    void ReCreate() {}

protected:
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    void DoExit() override;
};

class TGridDatePicker : public TEsgDateTimePicker, public TGridEditorLink {
public:
    TGridDatePicker(TExStringGrid* grid, TWinControl* parent);
    const char* ClassName() const override { return "TGridDatePicker"; }
    // Moves to the next field when the last digit changed the field.
    virtual void AdvanceDateField();
    bool Weeknumbers = false;
    bool ShowToday = true;
    bool ShowTodayCircle = true;
    bool CalendarOpen() const { return FOldDropped; }
    void ReCreate() {}
    // True while Escape closes the editor: the cell keeps the text it had
    // when editing began, a date or not.
    bool Restoring() const { return FRestore; }

protected:
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void DropDown() override;
    void CloseUp() override;
    void DoExit() override;
    void PaintAfter(TCanvas& Canvas) override;
    void DateTimeChangeNotify(bool noDate) override;

private:
    std::uint16_t Fy = 0, Fm = 0, Fd = 0, Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
    bool FOldDropped = false;
    bool FRestore = false;
};

class TGridDateTimePicker : public TExDateTimePicker, public TGridEditorLink {
public:
    TGridDateTimePicker(TExStringGrid* grid, TWinControl* parent);
    const char* ClassName() const override { return "TGridDateTimePicker"; }

protected:
    void KeyDown(int& Key, TShiftState Shift) override;
};

// The grid's editor controls, made when first needed (the grid must have a
// window by then). Owned by the grid; the controls belong to its window.
class TGridEditorSet {
public:
    explicit TGridEditorSet(TExStringGrid* grid) : FGrid(grid) {}
    ~TGridEditorSet();
    TGridEditorSet(const TGridEditorSet&) = delete;
    TGridEditorSet& operator=(const TGridEditorSet&) = delete;

    TGridCombo* Combo();
    TGridCheckBox* CheckBox();
    TGridSpin* Spin();
    TGridEditBtn* EditBtn();
    TGridUnitEditBtn* UnitEditBtn();
    TGridButton* Button();
    TGridDatePicker* DatePicker();
    TGridDateTimePicker* DateTimePicker();
    // The controls made so far (nullptr when not yet made).
    TGridCombo* ComboIfMade() const { return FCombo; }
    TGridCheckBox* CheckBoxIfMade() const { return FCheck; }
    TGridEditBtn* EditBtnIfMade() const { return FEditBtn; }
    TGridUnitEditBtn* UnitEditBtnIfMade() const { return FUnit; }
    TGridButton* ButtonIfMade() const { return FButton; }
    TGridSpin* SpinIfMade() const { return FSpin; }
    TGridDatePicker* DatePickerIfMade() const { return FDatePicker; }
    TGridDateTimePicker* DateTimePickerIfMade() const { return FDateTimePicker; }
    // A control went (with the grid's window).
    void Forget(TGridEditorLink* link);

private:
    TWinControl* Window() const;
    template <class T> T* Made(T*& slot);
    TExStringGrid* FGrid;
    TGridCombo* FCombo = nullptr;
    TGridCheckBox* FCheck = nullptr;
    TGridSpin* FSpin = nullptr;
    TGridEditBtn* FEditBtn = nullptr;
    TGridUnitEditBtn* FUnit = nullptr;
    TGridButton* FButton = nullptr;
    TGridDatePicker* FDatePicker = nullptr;
    TGridDateTimePicker* FDateTimePicker = nullptr;
};

// The registered number of "DTPShiftFocus" (also Editor_DateTime.h).
unsigned DTPShiftFocusMessage();
