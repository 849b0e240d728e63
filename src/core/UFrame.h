#pragma once
// The frame every window but the main window, the About window and the
// wireless key dialog shares: a title panel P_Title (69 px) with the
// software code L_SW_Code (large grey) and the description L_SW_Desc (bold
// grey), a button panel P_Button (40 px) at the bottom, background 15595512,
// centred on the screen; and the look of the program's buttons.

#include "platform/Forms.h"
#include "widgets/LbButton.h"

constexpr TColor Window_Color = 15595512;  // $EDF7F8

struct TWindowFrame {
    TPanel* P_Title = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    TPanel* P_Button = nullptr;
};

// Sets the form's font (Verdana 8), colour, border and client size and
// builds the title and button panels. L_SW_Code shows UComon::SW_Code.
TWindowFrame Build_Window_Frame(TForm& form, int clientWidth, int clientHeight);

// A button with the program's look: face $EDF7F8, grey borders, yellow
// hot-track, orange $0080FF when pressed, style bsEncarta, hint shown.
TLbButton* New_Button(TWinControl* parent, int left, int top, int width, int height);
