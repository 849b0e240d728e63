#include "platform/Application.h"
#include "platform/Forms.h"
#include "platform/ControlInput.h"
#include "platform/Shell.h"
#include "widgets/LbButton.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// A button as the windows of the program set theirs.
TLbButton* SystemButton(TWinControl* parent)
{
    auto* b = new TLbButton(parent);
    b->SetBounds(10, 10, 110, 28);
    b->SetColor(0xEDF7F8);
    b->SetLightColor(clGray);
    b->SetHotTrackColor(clYellow);
    b->SetColorWhenDown(0x0080FF);
    b->SetStyle(bsEncarta);
    return b;
}

} // namespace

TEST(LbButton, EncartaFaceColoursAtRestHotAndPressed)
{
    TForm form;
    TLbButton* b = SystemButton(&form);
    b->SetShadowColor(clBlack);
    b->SetLightColor(clWhite);
    b->SetCaption("OK");
    form.ShowForm(); // hot-track needs a showing parent

    TBitmap rest = b->RenderFace();
    EXPECT_EQ(rest.Pixel(5, 5), 0xEDF7F8u);
    EXPECT_EQ(rest.Pixel(0, 0), clWhite);        // light edge top-left
    EXPECT_EQ(rest.Pixel(109, 27), clBlack);     // shadow edge bottom-right

    SendMouseEnter(*b);
    EXPECT_EQ(b->HotTrackStep(), 8);
    EXPECT_EQ(b->RenderFace().Pixel(5, 5), clYellow);

    SendMouseDown(*b, 20, 10);
    TBitmap down = b->RenderFace();
    EXPECT_EQ(down.Pixel(5, 5), 0x0080FFu);
    EXPECT_EQ(down.Pixel(0, 0), clBlack);        // edges swap while pressed
    EXPECT_EQ(down.Pixel(109, 27), clWhite);
    SendMouseUp(*b, 20, 10);
    SendMouseLeave(*b);
    EXPECT_EQ(b->HotTrackStep(), 0);
    EXPECT_EQ(b->RenderFace().Pixel(5, 5), 0xEDF7F8u);
}

TEST(LbButton, PressInsideReleaseOutsideClicksOnceAndSetsTheModalResult)
{
    TForm form;
    TLbButton* b = SystemButton(&form);
    b->SetModalResult(mrOk);
    int clicks = 0;
    int resultAtClick = -1;
    b->OnClick = [&](TControl*) {
        ++clicks;
        resultAtClick = form.ModalResult();
    };
    SendMouseDown(*b, 5, 5);
    EXPECT_TRUE(b->Down());
    SendMouseUp(*b, 500, 500);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(resultAtClick, 0); // OnClick runs before the form gets the result
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_FALSE(b->Down());

    // Right button: no click.
    SendMouseDown(*b, 5, 5, mbRight);
    SendMouseUp(*b, 5, 5, mbRight);
    EXPECT_EQ(clicks, 1);
}

TEST(LbButton, DisabledButtonIgnoresEveryKindOfClick)
{
    TForm form;
    TLbButton* b = SystemButton(&form);
    b->SetCaption("&Save");
    b->SetModalResult(mrYes);
    form.ShowForm();
    int clicks = 0;
    b->OnClick = [&](TControl*) { ++clicks; };
    b->SetEnabled(false);
    b->Click();
    SendClick(*b, 5, 5);
    SendKeyDown(*b, VK_SPACE);
    SendKeyUp(*b, VK_SPACE);
    EXPECT_FALSE(b->DialogChar(U's'));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(form.ModalResult(), 0);
    // The disabled face shows the caption in grey and never pressed.
    TBitmap face = b->RenderFace();
    EXPECT_EQ(face.Pixel(5, 5), 0xEDF7F8u);

    b->SetEnabled(true);
    EXPECT_TRUE(b->DialogChar(U'S'));
    EXPECT_EQ(clicks, 1);
}

TEST(LbButton, KindAndModalResultInterplay)
{
    TForm form;
    auto* b = new TLbButton(&form);
    EXPECT_EQ(b->Width(), 100);
    EXPECT_EQ(b->Height(), 23);
    b->SetKind(bkCancel);
    EXPECT_EQ(b->ModalResult(), mrCancel);
    EXPECT_EQ(b->NumGlyphs(), 2);
    EXPECT_EQ(b->Caption(), "Abbrechen");
    EXPECT_EQ(b->Kind(), bkCancel);
    EXPECT_EQ(b->Glyph().Width(), 36);
    b->SetModalResult(mrOk);
    EXPECT_EQ(b->Kind(), bkCustom);
    EXPECT_EQ(b->ModalResult(), mrOk);

    b->SetKind(bkAll);
    EXPECT_EQ(b->ModalResult(), 12);
    EXPECT_EQ(b->Glyph().Height(), 19);

    TBitmap strip(48, 16);
    b->SetGlyph(&strip);
    EXPECT_EQ(b->NumGlyphs(), 3);
    EXPECT_EQ(b->Kind(), bkCustom);
    b->SetGlyph(nullptr);
    EXPECT_EQ(b->NumGlyphs(), 0);

    b->SetColorStyle(lcsGold);
    EXPECT_EQ(b->ColorStyle(), lcsCustom);
    EXPECT_EQ(b->Style(), bsModern);
    EXPECT_FALSE(b->Flat());
    EXPECT_EQ(b->Color(), 0x00C0C0u);
}

TEST(LbButton, SlowDeceaseFadesInEightTimerStepsThenStops)
{
    TForm form;
    TLbButton* b = SystemButton(&form);
    form.ShowForm();
    b->SetSlowDecease(true);
    SendMouseEnter(*b);
    ASSERT_EQ(b->HotTrackStep(), 8);
    SendMouseLeave(*b);
    EXPECT_TRUE(b->FadeRunning());
    EXPECT_EQ(b->HotTrackStep(), 8);
    // A step half-way shows the blend of face and hot-track colour.
    b->DoHotTrackStep();
    b->DoHotTrackStep();
    b->DoHotTrackStep();
    b->DoHotTrackStep();
    // Under load the running fade may have taken a step of its own as well.
    const int step = b->HotTrackStep();
    EXPECT_LE(step, 4);
    EXPECT_GE(step, 1);
    EXPECT_EQ(b->RenderFace().Pixel(5, 5), BlendHotTrack(0xEDF7F8, clYellow, step));
    const long long t0 = GetTickCount64Ms();
    while (b->FadeRunning() && GetTickCount64Ms() - t0 < 3000) {
        Application_ProcessMessages();
        SleepMs(5);
    }
    EXPECT_FALSE(b->FadeRunning());
    EXPECT_EQ(b->HotTrackStep(), 0);
    // The remaining steps come 30 ms apart; the first may already be due when
    // the loop starts, when the machine was slow before it.
    EXPECT_GE(GetTickCount64Ms() - t0, (step - 1) * 30 - 10);
    EXPECT_EQ(BlendHotTrack(0xEDF7F8, clYellow, 8), clYellow);
    EXPECT_EQ(BlendHotTrack(0xEDF7F8, clYellow, 0), 0xEDF7F8u);
    form.Close();
}

TEST(LbButton, CaptionIsCutToTheWidthUnlessWordWrap)
{
    TForm form;
    auto* narrow = new TLbButton(&form);
    narrow->SetBounds(0, 0, 8, 23);
    narrow->SetCaption("Cancel");
    TBitmap face = narrow->RenderFace();
    // W <= 8 leaves no room: only the face colour inside the border.
    for (int x = 1; x < 7; ++x)
        for (int y = 1; y < 22; ++y) ASSERT_EQ(face.Pixel(x, y), ColorToRGB(clBtnFace)) << x << "," << y;
}

TEST(LbButton, DefaultAndCancelButtonsTakeEnterAndEscapeFromTheForm)
{
    TForm form;
    auto* ok = SystemButton(&form);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = SystemButton(&form);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    auto* radio = new TRadioButton(&form);
    ActivateWindowOf(form);
    radio->SetFocus();
    EXPECT_TRUE(form.DispatchDialogKey(VK_RETURN, {}));
    EXPECT_EQ(form.ModalResult(), mrOk);

    // With a button focused, Enter belongs to that button.
    cancel->SetFocus();
    ASSERT_EQ(form.ActiveControl(), cancel);
    EXPECT_FALSE(form.DispatchDialogKey(VK_RETURN, {}));
    EXPECT_FALSE(form.DispatchDialogKey(VK_ESCAPE, {}));
    radio->SetFocus();
    EXPECT_FALSE(form.DispatchDialogKey(VK_ESCAPE, TShiftState{ssShift})); // shifted Escape
    EXPECT_TRUE(form.DispatchDialogKey(VK_ESCAPE, {}));
    EXPECT_EQ(form.ModalResult(), mrCancel);
    form.Close();
}

TEST(LbButton, KeyUpClicksOnlyAfterItsOwnKeyDown)
{
    TForm form;
    auto* edit = new TEdit(&form);
    edit->SetBounds(10, 50, 80, 21);
    TLbButton* b = SystemButton(&form);
    auto* other = SystemButton(&form);
    other->SetTop(80);
    int clicks = 0;
    b->OnClick = [&](TControl*) { ++clicks; };
    form.ShowForm();
    ActivateWindowOf(form);

    struct Case {
        const char* what;
        std::function<void()> keys; // the focus starts on the edit
        int clicks;
    };
    const std::vector<Case> cases = {
        {"Enter down and up on the button", [&] {
             b->SetFocus();
             SendKeyDown(*b, VK_RETURN);
             SendKeyUp(*b, VK_RETURN);
         }, 1},
        {"Space down and up on the button", [&] {
             b->SetFocus();
             PressKey(form, VK_SPACE, {}, " ");
         }, 1},
        // The key went down on another control (or window), which moved the
        // focus to the button before the key came up.
        {"Enter down elsewhere, up on the button", [&] {
             SendKeyDown(*edit, VK_RETURN);
             b->SetFocus();
             SendKeyUp(*b, VK_RETURN);
         }, 0},
        {"Space down, Enter up", [&] {
             b->SetFocus();
             SendKeyDown(*b, VK_SPACE);
             SendKeyUp(*b, VK_RETURN);
             SendKeyUp(*b, VK_SPACE);
         }, 1},
        {"focus moved away while the key was down", [&] {
             b->SetFocus();
             SendKeyDown(*b, VK_SPACE);
             other->SetFocus();
             b->SetFocus();
             SendKeyUp(*b, VK_SPACE);
         }, 0},
        {"key-up twice", [&] {
             b->SetFocus();
             SendKeyDown(*b, VK_RETURN);
             SendKeyUp(*b, VK_RETURN);
             SendKeyUp(*b, VK_RETURN);
         }, 1},
    };
    for (const Case& c : cases) {
        edit->SetFocus();
        clicks = 0;
        c.keys();
        EXPECT_EQ(clicks, c.clicks) << c.what;
        EXPECT_FALSE(b->Down()) << c.what;
    }

    // A held key repeats its key-down; the repeated key-ups are no clicks.
    b->SetFocus();
    clicks = 0;
    SendKeyDown(*b, VK_SPACE);
    SendKeyRepeat(*b, VK_SPACE);
    SendKeyRepeat(*b, VK_SPACE);
    EXPECT_EQ(clicks, 0);
    SendKeyUp(*b, VK_SPACE);
    EXPECT_EQ(clicks, 1);
    form.Close();
}

TEST(LbButton, ADialogShownAgainShowsItsButtonsAtRest)
{
    TForm dialog;
    TLbButton* ok = SystemButton(&dialog);
    ok->SetModalResult(mrOk);
    int shown = 0;
    std::vector<unsigned> faceOnShow;
    dialog.OnShow = [&](TControl*) {
        ++shown;
        faceOnShow.push_back(ok->RenderFace().Pixel(5, 5));
    };
    auto old = SetModalHandler([&](TForm& f) {
        ActivateWindowOf(f);
        SendMouseEnter(*ok);
        ASSERT_EQ(ok->RenderFace().Pixel(5, 5), clYellow);
        // Clicked, the dialog closes with the pointer still on the button.
        SendMouseDown(*ok, 5, 5);
        SendMouseUp(*ok, 5, 5);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_FALSE(ok->CursorOnButton());
    EXPECT_EQ(ok->HotTrackStep(), 0);
    SetModalHandler([&](TForm&) {});
    dialog.ShowModal();
    SetModalHandler(old);
    ASSERT_EQ(faceOnShow.size(), 2u);
    EXPECT_EQ(faceOnShow[0], 0xEDF7F8u);
    EXPECT_EQ(faceOnShow[1], 0xEDF7F8u); // not the yellow of the last visit
}
