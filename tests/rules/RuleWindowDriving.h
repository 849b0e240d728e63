#pragma once
// Driving the rule windows as a person does, from the main window: the
// program with a configuration open, the modal windows answered by the
// test's actions, and real mouse presses and keys on buttons and cells.

#include "app/UWindows.h"
#include "app/UZelvatoreFirmWare.h"
#include "core/UComon.h"
#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/GridView.h"
#include "platform/HintWindow.h"
#include "platform/Paths.h"
#include "widgets/ExColumnGrid.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

inline void ClickButton(TControl& b)
{
    SendMouseDown(b, b.Width() / 2, b.Height() / 2);
    SendMouseUp(b, b.Width() / 2, b.Height() / 2);
}

// Chooses the item of a list cell that the typed text starts: the cell made
// current, F2 to open its list, the text typed to find the item, Enter.
inline void ChooseCell(TForm& window, TExColumnGrid& grid, int col, int row, const std::string& text)
{
    ActivateWindowOf(window);
    grid.SetFocus();
    grid.FocusCell(col, row);
    PressKey(window, VK_F2);
    TypeKeys(window, text);
    PressKey(window, VK_RETURN, {}, "\r");
}

inline TPoint Mid(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// Types text into a cell of the window's grid as a person does: the cell
// made current, the characters typed (the first one opens the editor) and
// Enter to end the edit.
inline void TypeCell(TForm& window, TExColumnGrid& grid, int col, int row, const std::string& text)
{
    ActivateWindowOf(window);
    grid.SetFocus();
    grid.FocusCell(col, row);
    TypeKeys(window, text);
    PressKey(window, VK_RETURN, {}, "\r");
}

// The hint shown when the pointer rests on the header cell of a displayed
// column ("" when none is shown).
inline std::string Header_Hint(TExColumnGrid& grid, int displayedCol)
{
    TGridView& v = *grid.View();
    const TPoint header = Mid(grid.CellRect(displayedCol, 0));
    SendMouseMove(v, header.X, header.Y, TShiftState{});
    SendHintRequest(v, header.X, header.Y);
    const THintWindow* hint = ShownApplicationHint();
    return hint ? hint->Caption() : std::string();
}

// The program with a configuration "Plant" open; modal windows are answered
// by the test's actions, one per window shown, in order.
class RuleWindowsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        using namespace UComon;
        Create_Windows(dir.path());
        main = FZelvatoreFirmWare;
        Project_Name = "Plant";
        Project_Folder = PathJoin(Projects_Root, "Plant");
        ForceDirectories(PathJoin(Project_Folder, "bin"));
        Set_Files();
        old = SetModalHandler([this](TForm& f) {
            shown.push_back(&f);
            if (!acts.empty()) {
                auto act = acts.front();
                acts.erase(acts.begin());
                act(f);
            }
        });
    }
    void TearDown() override
    {
        SetModalHandler(old);
        Destroy_Windows();
    }
    TempDir dir;
    RecordingMessageBoxes boxes;
    TFZelvatoreFirmWare* main = nullptr;
    std::vector<TForm*> shown;
    std::vector<std::function<void(TForm&)>> acts;
    TModalHandler old;
};
