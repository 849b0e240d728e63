#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

// Installs a modal handler for the scope.
struct ScopedModal {
    explicit ScopedModal(TModalHandler h) : old(SetModalHandler(std::move(h))) {}
    ~ScopedModal() { SetModalHandler(old); }
    TModalHandler old;
};

} // namespace

TEST(Forms, ShowModalReturnsTheResultAndRunsShowAndCloseOnce)
{
    TForm form;
    int shown = 0, closed = 0;
    form.OnShow = [&](TControl*) { ++shown; };
    form.OnClose = [&](TControl*, TCloseAction&) { ++closed; };
    {
        ScopedModal m([](TForm& f) { f.SetModalResult(mrOk); });
        EXPECT_EQ(form.ShowModal(), mrOk);
    }
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(form.Widget()->isVisible());
    {
        // Closed without a result (close box, Close, nothing): mrCancel.
        ScopedModal m([](TForm& f) { f.Close(); });
        EXPECT_EQ(form.ShowModal(), mrCancel);
    }
    {
        ScopedModal m([](TForm&) {});
        EXPECT_EQ(form.ShowModal(), mrCancel);
    }
    EXPECT_EQ(closed, 3);
}

TEST(Forms, CloseQueryRefusalKeepsTheModalFormOpen)
{
    TForm form;
    bool allow = false;
    form.OnCloseQuery = [&](TControl*, bool& can) { can = allow; };
    ScopedModal m([&](TForm& f) {
        f.SetModalResult(mrOk);
        EXPECT_EQ(f.ModalResult(), 0); // refused
        allow = true;
        f.SetModalResult(mrYes);
    });
    EXPECT_EQ(form.ShowModal(), mrYes);
}

TEST(Forms, AlignedAndAnchoredControlsFollowTheClientSize)
{
    TForm form;
    form.SetBorderStyle(TFormBorderStyle::bsSizeable);
    form.SetClientSize(377, 351);
    auto* top = new TPanel(&form);
    top->SetHeight(69);
    top->SetAlign(TAlign::alTop);
    auto* bottom = new TPanel(&form);
    bottom->SetHeight(40);
    bottom->SetAlign(TAlign::alBottom);
    auto* list = new TListBox(&form);
    list->SetBounds(8, 100, 361, 200);
    list->SetAnchors(akLeft | akTop | akRight | akBottom);
    auto* ok = new TLabel(bottom);
    ok->SetBounds(250, 6, 50, 20);

    EXPECT_EQ(top->Width(), 377);
    EXPECT_EQ(bottom->Top(), 311);

    form.SetClientSize(500, 451);
    EXPECT_EQ(top->Width(), 500);
    EXPECT_EQ(bottom->Top(), 411);
    EXPECT_EQ(bottom->Width(), 500);
    EXPECT_EQ(list->Width(), 361 + 123);
    EXPECT_EQ(list->Height(), 300);
    EXPECT_EQ(list->Left(), 8);
    EXPECT_EQ(form.ControlCount(), 3);
    EXPECT_THROW(form.Controls(3), EListError);
}

TEST(Controls, EditKeyPressCanSwallowAndReplaceCharacters)
{
    TForm form;
    auto* e = new TEdit(&form);
    int changes = 0;
    e->OnChange = [&](TControl*) { ++changes; };
    e->OnKeyPress = [](TControl*, char32_t& k) {
        if (k == 'x') k = 0;          // swallowed
        else if (k == 'a') k = 'A';   // replaced
    };
    e->TypeText("abxc");
    EXPECT_EQ(e->Text(), "Abc");
    EXPECT_EQ(changes, 3);

    e->SetMaxLength(4);
    e->TypeText("defg");
    EXPECT_EQ(e->Text(), "Abcd");
    e->SetText("123456"); // the limit is one on typing only
    EXPECT_EQ(e->Text(), "123456");

    // A form with KeyPreview sees the key first.
    form.SetKeyPreview(true);
    form.OnKeyPress = [](TControl*, char32_t& k) {
        if (k == '1') k = 0;
    };
    e->SetText("");
    e->TypeText("121");
    EXPECT_EQ(e->Text(), "2");

    bool enter = false;
    e->OnKeyPress = [&](TControl*, char32_t& k) { enter = enter || k == 13; };
    e->TypeKey(VK_RETURN);
    EXPECT_TRUE(enter);
}

TEST(Controls, ComboAndListFireOnlyOnTheUsersChoice)
{
    TForm form;
    auto* c = new TComboBox(&form);
    c->SetStyle(TComboBoxStyle::csDropDownList);
    int changes = 0;
    c->OnChange = [&](TControl*) { ++changes; };
    c->Items().Assign({"COM1", "COM2", "COM3"});
    EXPECT_EQ(c->ItemIndex(), -1);
    c->SetItemIndex(2);
    EXPECT_EQ(c->Text(), "COM3");
    EXPECT_EQ(changes, 0);
    c->UserSelect(1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(c->Text(), "COM2");
    EXPECT_THROW(c->SetItemIndex(3), EListError);
    EXPECT_THROW(c->Items().Strings(-1), EListError);
    c->SetItemIndex(-1);
    EXPECT_EQ(c->Text(), "");

    auto* l = new TListBox(&form);
    int clicks = 0;
    l->OnClick = [&](TControl*) { ++clicks; };
    l->Items().Add("a");
    l->Items().Add("b");
    l->SetItemIndex(1);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(l->ItemIndex(), 1);
    l->UserSelect(0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(l->Items().IndexOf("B"), 1);
    l->Items().Clear();
    EXPECT_EQ(l->ItemIndex(), -1);
}

TEST(Controls, ComboListOpensAsWideAsAskedAndLeftwards)
{
    TForm form;
    form.SetBounds(0, 0, 600, 300);
    auto* c = new TComboBox(&form);
    c->SetBounds(400, 20, 120, 21);
    c->SetStyle(TComboBoxStyle::csDropDownList);
    c->Items().Assign({"short", "a much longer item than the box is wide", "x"});
    form.ShowForm();
    ActivateWindowOf(form);

    // Without a width the list is as wide as the box and starts at its left.
    c->SetDroppedDown(true);
    ASSERT_TRUE(c->DroppedDown());
    TRect r = c->DroppedRect();
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Right - r.Left, 120);
    c->SetDroppedDown(false);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->DroppedRect().Right, 0);

    c->SetDroppedWidth(300);
    c->SetDropLeftwards(true);
    c->SetDroppedDown(true);
    r = c->DroppedRect();
    EXPECT_EQ(r.Right - r.Left, 300);
    EXPECT_EQ(r.Right, c->Width());  // right edges on each other
    EXPECT_GT(r.Top, 0);             // below the box
    c->SetDroppedDown(false);

    // A width below the box's keeps the box's; rightwards keeps the left edge.
    c->SetDroppedWidth(50);
    c->SetDropLeftwards(false);
    c->SetDroppedDown(true);
    r = c->DroppedRect();
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Right, 120);
    c->SetDroppedDown(false);
    EXPECT_EQ(c->DropDownCount(), 8);
}

TEST(Menus, EntriesWithSeparatorsAndDisabledEntries)
{
    std::vector<std::string> offered;
    int answer = 0;
    const TPopupMenuHandler old = SetPopupMenuHandler([&](const std::vector<std::string>& e, TPoint) {
        offered = e;
        return answer;
    });
    const std::vector<TMenuEntry> entries = {{"Copy", true}, {"Paste", false}, {"-", true}, {"Delete", true}};
    answer = 1;
    EXPECT_EQ(TrackPopupMenu(entries, {10, 10}, nullptr), 1);
    EXPECT_EQ(offered, (std::vector<std::string>{"Copy", "Paste", "-", "Delete"}));
    ASSERT_EQ(LastPopupMenu().size(), 4u);
    EXPECT_FALSE(LastPopupMenu()[1].Enabled);
    answer = 2;  // disabled
    EXPECT_EQ(TrackPopupMenu(entries, {10, 10}, nullptr), 0);
    answer = 3;  // the separator
    EXPECT_EQ(TrackPopupMenu(entries, {10, 10}, nullptr), 0);
    answer = 4;
    EXPECT_EQ(TrackPopupMenu(entries, {10, 10}, nullptr), 4);
    answer = 9;
    EXPECT_EQ(TrackPopupMenu(entries, {10, 10}, nullptr), 0);
    SetPopupMenuHandler(old);
}

TEST(Controls, ListBoxClickSeesTheItemTheUserChose)
{
    TForm form;
    auto* l = new TListBox(&form);
    l->SetBounds(8, 8, 150, 120);
    l->Items().Assign({"First", "Second", "Third"});
    std::vector<int> seen; // ItemIndex inside each OnClick
    l->OnClick = [&](TControl*) { seen.push_back(l->ItemIndex()); };
    form.ShowForm();
    ActivateWindowOf(form);
    ASSERT_EQ(l->ItemIndex(), -1);

    auto* view = static_cast<QListWidget*>(l->Widget());
    // Mouse press and release on an item, each as its own event; the press
    // reaches the list's viewport as it does from the window system.
    auto press = [&](int i) {
        const QPoint p = view->visualItemRect(view->item(i)).center();
        QMouseEvent down(QEvent::MouseButtonPress, p, view->viewport()->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &down);
        QMouseEvent up(QEvent::MouseButtonRelease, p, view->viewport()->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &up);
    };
    press(1);
    ASSERT_EQ(seen, (std::vector<int>{1}));
    EXPECT_EQ(l->ItemIndex(), 1);
    press(2);
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
    // Keys move the choice the same way.
    l->SetFocus();
    PressKey(form, VK_UP);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 1}));
    PressKey(form, VK_HOME);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 1, 0}));
    PressKey(form, VK_UP); // already at the top: no new choice
    EXPECT_EQ(seen.size(), 4u);
    // A program's choice is no click.
    l->SetItemIndex(2);
    EXPECT_EQ(seen.size(), 4u);
    form.Close();
}

TEST(Controls, CheckBoxAndRadioClickOnProgrammaticChanges)
{
    TForm form;
    auto* cb = new TCheckBox(&form);
    int clicks = 0;
    cb->OnClick = [&](TControl*) { ++clicks; };
    cb->SetChecked(true);
    cb->SetChecked(true); // no change, no click
    EXPECT_EQ(clicks, 1);
    cb->Click();
    EXPECT_FALSE(cb->Checked());
    EXPECT_EQ(clicks, 2);
    cb->SetEnabled(false);
    cb->Click();
    EXPECT_EQ(clicks, 2);

    auto* r1 = new TRadioButton(&form);
    auto* r2 = new TRadioButton(&form);
    int r1Clicks = 0;
    r1->OnClick = [&](TControl*) { ++r1Clicks; };
    r1->SetChecked(true);
    r2->SetChecked(true);
    EXPECT_FALSE(r1->Checked());
    EXPECT_EQ(r1Clicks, 1);
}

TEST(Controls, LabelsShowAccelCaptionsAndSizeThemselves)
{
    TForm form;
    auto* l = new TLabel(&form);
    l->SetCaption("Scan && Decode");
    EXPECT_EQ(StripAccel(l->Caption()), "Scan & Decode");
    const int w = l->Width();
    EXPECT_GT(w, 0);
    l->Font().SetSize(24);
    EXPECT_GT(l->Width(), w);
    l->Font().SetColor(clGray); // the font's colour is the text's
    EXPECT_EQ(l->Widget()->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_TRUE(IsAccel('o', "&Ok"));
    EXPECT_FALSE(IsAccel('o', "&&Ok"));
    EXPECT_FALSE(IsAccel('x', ""));
}

TEST(Controls, EditSelectsItsTextWhenTheFocusArrivesFromKeysOrProgram)
{
    TForm form;
    auto* first = new TEdit(&form);
    first->SetBounds(8, 8, 60, 21);
    auto* second = new TEdit(&form);
    second->SetBounds(8, 40, 60, 21);
    // '.' in the first edit moves on to the second, as an octet chain does.
    first->OnKeyPress = [&](TControl*, char32_t& k) {
        if (k == '.') {
            second->SetFocus();
            k = 0;
        }
    };
    form.ShowForm();
    ActivateWindowOf(form);

    struct Arrival {
        const char* how;
        std::function<void()> move;
        std::string expected; // second's text after typing "12"
    };
    const std::vector<Arrival> arrivals = {
        {"Tab", [&] { PressKey(form, VK_TAB); }, "12"},
        {"'.' key", [&] { TypeKeys(form, "."); }, "12"},
        {"SetFocus", [&] { second->SetFocus(); }, "12"},
        // A click places the caret where it lands (here: after the text).
        {"mouse", [&] {
             SendMouseDown(*second, 58, 10);
             SendMouseUp(*second, 58, 10);
         }, "8812"},
    };
    for (const Arrival& a : arrivals) {
        first->SetFocus();
        ASSERT_TRUE(first->Focused()) << a.how;
        second->SetText("88");
        a.move();
        ASSERT_TRUE(second->Focused()) << a.how;
        TypeKeys(form, "12");
        EXPECT_EQ(second->Text(), a.expected) << a.how;
    }

    // Back in an active window after another one, the edit keeps its caret.
    second->SetFocus();
    PressKey(form, VK_END);
    TForm other;
    other.ShowForm();
    ActivateWindowOf(other);
    ActivateWindowOf(form);
    ASSERT_TRUE(second->Focused());
    TypeKeys(form, "3");
    EXPECT_EQ(second->Text(), "88123");
    other.Close();
    form.Close();
}

TEST(Controls, EditMaxLengthLimitsTypingAndPastingNeverTheProgramsText)
{
    TForm form;
    auto* e = new TEdit(&form);
    int changes = 0;
    e->OnChange = [&](TControl*) { ++changes; };
    form.ShowForm();
    ActivateWindowOf(form);
    e->SetFocus();

    // Without a limit nothing is cut, however long.
    const std::string huge(40000, 'u');
    e->SetText(huge);
    EXPECT_EQ(e->Text(), huge);

    e->SetMaxLength(8);
    EXPECT_EQ(e->Text(), huge); // setting the limit cuts nothing either
    const std::string longName = "0123456789AB";
    e->SetText(longName);
    EXPECT_EQ(e->Text(), longName);

    changes = 0;
    PressKey(form, VK_END);
    TypeKeys(form, "x"); // no room: nothing typed, no change reported
    EXPECT_EQ(e->Text(), longName);
    EXPECT_EQ(changes, 0);
    PressKey(form, VK_BACK); // the user may still shorten it
    EXPECT_EQ(e->Text(), "0123456789A");
    EXPECT_EQ(changes, 1);

    // Typing into a short text stops at the limit.
    e->SetText("");
    TypeKeys(form, "abcdefghijk");
    EXPECT_EQ(e->Text(), "abcdefgh");

    // A paste takes what fits, at the caret.
    struct Paste {
        std::string text;
        int caret;
        std::string clip;
        std::string expected;
    };
    const std::vector<Paste> pastes = {
        {"abc", 1, "XYZUVWQR", "aXYZUVbc"},
        {"abc", 3, "12", "abc12"},
        {"abcdefgh", 8, "1", "abcdefgh"},
        {"", 0, "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\xA4", "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F"},
    };
    for (const Paste& p : pastes) {
        e->SetText(p.text);
        static_cast<QLineEdit*>(e->Widget())->setCursorPosition(p.caret);
        QApplication::clipboard()->setText(QString::fromStdString(p.clip));
        PressKey(form, 'V', TShiftState{ssCtrl});
        EXPECT_EQ(e->Text(), p.expected) << p.text << " + " << p.clip;
    }
    form.Close();
}

namespace {
class KeyTaker : public TCustomControl {
public:
    explicit KeyTaker(TWinControl* p) : TCustomControl(p) {}
    const char* ClassName() const override { return "TKeyTaker"; }
    bool DialogKey(int key, TShiftState) override
    {
        keys.push_back(key);
        return key == VK_ESCAPE;
    }
    bool DialogChar(char32_t ch) override
    {
        chars.push_back(ch);
        return true;
    }
    std::vector<int> keys;
    std::vector<char32_t> chars;
};
} // namespace

TEST(Forms, EnterEscapeAndCharactersReachOwnerDrawnControls)
{
    TForm form;
    auto* k = new KeyTaker(&form);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(form.Widget(), &esc);
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_O, Qt::AltModifier, "o");
    QApplication::sendEvent(form.Widget(), &alt);
    ASSERT_EQ(k->keys.size(), 1u);
    EXPECT_EQ(k->keys[0], VK_ESCAPE);
    ASSERT_EQ(k->chars.size(), 1u);
    EXPECT_EQ(k->chars[0], U'o');
    EXPECT_FALSE(form.Widget()->isVisible()); // Escape did not close anything
}

TEST(Shell, OpenAndFileDialogsGoThroughTheSeams)
{
    std::vector<std::string> opened;
    auto oldOpen = SetShellOpener([&](const std::string& t) {
        opened.push_back(t);
        return true;
    });
    EXPECT_TRUE(ShellOpen("http://www.example.com/HOME/default.asp?frompg=QS41010"));
    SetShellOpener(oldOpen);
    ASSERT_EQ(opened.size(), 1u);

    auto oldDlg = SetFileDialogHandler([](const TFileDialogRequest& r, std::string& name) {
        EXPECT_TRUE(r.Save);
        EXPECT_EQ(r.InitialDir, "/tmp/x");
        name = "/tmp/x/device";
        return true;
    });
    TSaveDialog d;
    d.DefaultExt = "*.eds";
    d.InitialDir = "/tmp/x";
    ASSERT_TRUE(d.Execute());
    EXPECT_EQ(d.FileName, "/tmp/x/device.eds");
    SetFileDialogHandler(oldDlg);
}

TEST(Shell, ProcessWithLotsOfOutputEndsAndIsNeverKilled)
{
    TempDir dir;
    const std::string script = dir.file("chatty.sh");
    WriteFile(script, "#!/bin/sh\nhead -c 2000000 /dev/zero\nhead -c 2000000 /dev/zero >&2\nexit 3\n");
    ASSERT_EQ(chmod(script.c_str(), 0755), 0);
    auto p = TProcess::Start(script, "", true);
    ASSERT_NE(p, nullptr);
    const long long t0 = GetTickCount64Ms();
    while (p->Running() && GetTickCount64Ms() - t0 < 10000) SleepMs(10);
    EXPECT_FALSE(p->Running());
    EXPECT_EQ(p->ExitCode(), 3);
    EXPECT_EQ(TProcess::Start(dir.file("missing"), "", false), nullptr);
}
