#pragma once
// TControlEdit / TControlCombo: the editors the grid places over an inline
// EDIT, PASSWORD, MASK or COMBO control of a cell's mini-HTML while the user
// edits it (TExStringGrid::StartCellControlEdit). Both take Tab (the edit
// box leaves Enter to the window's default handling first): Enter ends the
// edit and gives the focus back to the grid; Tab ends it and moves on, to
// the next cell with the grid's automatic advance, else to the next inline
// edit or combo control of the same cell.
//
// Both are made by the grid on first use on its window and hidden while not
// in use; the window owns them. Closing them writes the value back into the
// control's tag (TExStringGrid::FinishCellControlEdit, their exit handler).

#include "widgets/grid_render/Editor_Combo.h"

#include "platform/MaskEdit.h"

class TExStringGrid;

class TControlEdit : public TCustomMaskEdit {
public:
    TControlEdit(TExStringGrid* grid, TWinControl* parent);
    ~TControlEdit() override;
    const char* ClassName() const override { return "TControlEdit"; }
    TExStringGrid* Grid() const { return FGrid; }

protected:
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;

private:
    friend class TCellControlEditors;
    TExStringGrid* FGrid;
};

class TControlCombo : public TEsgComboBox {
public:
    TControlCombo(TExStringGrid* grid, TWinControl* parent);
    ~TControlCombo() override;
    const char* ClassName() const override { return "TControlCombo"; }
    TExStringGrid* Grid() const { return FGrid; }

protected:
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;

private:
    friend class TCellControlEditors;
    TExStringGrid* FGrid;
};

// The grid's two inline control editors (made on first use); the grid owns
// this record, the grid's window the controls.
class TCellControlEditors {
public:
    explicit TCellControlEditors(TExStringGrid* grid) : FGrid(grid) {}
    ~TCellControlEditors();
    TCellControlEditors(const TCellControlEditors&) = delete;
    TCellControlEditors& operator=(const TCellControlEditors&) = delete;

    TControlEdit* Edit();
    TControlCombo* Combo();
    TControlEdit* EditIfMade() const { return FEdit; }
    TControlCombo* ComboIfMade() const { return FCombo; }
    // A control went with the grid's window.
    void Forget(const TControl* c);

private:
    TExStringGrid* FGrid;
    TControlEdit* FEdit = nullptr;
    TControlCombo* FCombo = nullptr;
};
