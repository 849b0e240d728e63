// Form frame additions: the resize event and the border icons.
#include "platform/Forms.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(FormFrame, ResizeEventFiresForUserAndProgramResizes)
{
    TForm form;
    form.SetBorderStyle(TFormBorderStyle::bsSizeable);
    form.SetClientSize(300, 200);
    int calls = 0;
    form.OnResize = [&](TControl*) {
        ++calls;
        // A handler may put the width back, as a window with a fixed width does.
        if (form.ClientWidth() != 300) form.SetClientWidth(300);
    };
    form.ShowForm();
    calls = 0;
    form.Widget()->resize(420, 260); // as a drag of the border does
    EXPECT_GT(calls, 0);
    EXPECT_EQ(form.ClientWidth(), 300);
    EXPECT_EQ(form.ClientHeight(), 260);
    form.Close();
}

TEST(FormFrame, SizeableBorderShowsOnlyTheChosenIcons)
{
    TForm form;
    form.SetBorderStyle(TFormBorderStyle::bsSizeable);
    EXPECT_TRUE(form.Widget()->windowFlags() & Qt::WindowMaximizeButtonHint);
    form.SetBorderIcons(biSystemMenu);
    const Qt::WindowFlags f = form.Widget()->windowFlags();
    EXPECT_FALSE(f & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(f & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(f & Qt::WindowCloseButtonHint);
    EXPECT_EQ(form.BorderStyle(), TFormBorderStyle::bsSizeable);
}

} // namespace
