#pragma once
// Forms (top-level windows) with the class library's behaviour.
//
// A form is a window whose controls lie at absolute positions in its client
// area. Set its client size first, then create and place its controls
// (anchored controls keep the distances they have when placed).
//
// Modal use: ShowModal shows the form, fires OnShow and waits until
// ModalResult becomes non-zero (a button with a modal result, code setting
// SetModalResult, Close or the window's close box, which give mrCancel);
// then OnClose runs and the form hides; ShowModal returns the result.
// Tests answer modal forms through SetModalHandler instead of waiting for a
// user.
//
// Keys: Enter and Escape that the focused control does not take, and
// characters typed with Alt (or on a control that takes no text), are
// offered to the form's owner-drawn controls (TCustomControl::DialogKey /
// DialogChar), which is how Default/Cancel buttons and accelerators work.
// Escape does not close a form by itself.

#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/OwnerForm.h"

#include <functional>
#include <map>
#include <string>

enum class TFormBorderStyle { bsSingle, bsSizeable, bsDialog, bsNone };
enum class TPosition { poDesigned, poScreenCenter };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
// Border icons of a window's title bar.
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };

class TForm : public TWinControl, public IGridOwnerForm {
public:
    TForm();
    ~TForm() override;
    const char* ClassName() const override { return "TForm"; }

    std::string Caption() const;
    void SetCaption(const std::string& s);

    void SetClientSize(int width, int height);
    void SetClientWidth(int w) { SetClientSize(w, Height()); }
    void SetClientHeight(int h) { SetClientSize(Width(), h); }

    // bsSingle (default): fixed size with only the system menu and close box.
    void SetBorderStyle(TFormBorderStyle s);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    // Title-bar icons (default: all); minimise and maximise show only on a
    // sizeable border.
    void SetBorderIcons(unsigned icons);
    unsigned BorderIcons() const { return borderIcons_; }
    void SetPosition(TPosition p) { position_ = p; }
    void SetColor(TColor c) override;

    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool v) { keyPreview_ = v; }

    // Shows the form without waiting.
    void ShowForm();
    // Shows the form modally and returns its modal result (mrCancel when it
    // was closed without one).
    int ShowModal();
    bool Modal() const { return modal_; }
    int ModalResult() const { return modalResult_; }
    // While modal, a non-zero result closes the form (unless OnCloseQuery
    // or OnClose refuses, which resets it to 0).
    void SetModalResult(int r);
    // Closes the form: a modal form with mrCancel; a shown form hides after
    // OnCloseQuery and OnClose agree; closing the main form ends the program.
    void Close();

    // The control that has (or last had) the keyboard focus on this form.
    TControl* ActiveControl() const;

    // Enter/Escape or a character not taken by the focused control (see above).
    bool DispatchDialogKey(int key, TShiftState shift);
    bool DispatchDialogChar(char32_t ch);

    TNotifyEvent OnShow;
    // After every change of the window's size (by the user or the program).
    TNotifyEvent OnResize;
    TNotifyEvent OnHide;
    std::function<void(TControl* Sender, bool& CanClose)> OnCloseQuery;
    std::function<void(TControl* Sender, TCloseAction& Action)> OnClose;

    // Re-applies the Tab order of every control (called when TabOrder changes).
    void UpdateTabOrder();

    // Controls following the window's size (grids): their handlers run
    // after OnResize, in the order they were added; those still listening
    // when the form goes hear their gone handler.
    int FormWidth() const override { return Width(); }
    int FormHeight() const override { return Height(); }
    int AddResizeHandler(std::function<void(TObject* Sender)> handler) override;
    void RemoveResizeHandler(int key) override;
    void SetFormGoneHandler(int key, std::function<void()> gone) override;

    // Internal, for the Qt window.
    void HandleShown();
    void HandleCloseBox();
    void HandleResize();

private:
    bool CloseQuery();
    bool RunOnClose(TCloseAction def);
    void Centre();
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSingle;
    unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = TPosition::poScreenCenter;
    bool keyPreview_ = false;
    bool modal_ = false;
    bool closedModal_ = false;
    bool handlerMode_ = false;
    int modalResult_ = 0;
    struct ResizeListener {
        std::function<void(TObject*)> resized;
        std::function<void()> gone;
    };
    std::map<int, ResizeListener> resizeListeners_;
    int lastListenerKey_ = 0;
};

// The form whose closing ends the program.
void Application_SetMainForm(TForm* form);
TForm* Application_MainForm();

// Test seam: while set, ShowModal does not wait for a user; it shows the
// form, fires OnShow, calls the handler (which may fill in controls and
// click buttons) and then closes the form with its ModalResult, mrCancel
// when the handler set none. Returns the previous handler.
using TModalHandler = std::function<void(TForm& form)>;
TModalHandler SetModalHandler(TModalHandler handler);
