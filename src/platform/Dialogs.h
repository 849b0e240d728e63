#pragma once
// Message boxes. Every prompt of the program goes through MessageDlg, whose
// answers come from the installed provider: the Qt message box in the
// program, a recording double in the tests.

#include <string>

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };
enum class TMsgDlgButtons { mbOK, mbYesNo, mbYesNoCancel };

// Modal results, with the class library's values.
enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
};

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    virtual int Show(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) = 0;
};

// Shows a message box and returns the pressed button's modal result.
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
// An error box with one OK button.
void ShowError(const std::string& text);

// Installs a provider (nullptr restores the Qt one). Returns the previous one.
IMessageBoxes* SetMessageBoxes(IMessageBoxes* provider);
