// The grid as a control of a window: created with its form as parent,
// placed, shown, hidden, focused and tab-ordered among the form's other
// controls, following the form's size and going with the form.
#include "widgets/ExColumnGrid.h"

#include "platform/Application.h"
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/GridView.h"

#include <gtest/gtest.h>

namespace {

// Hears when a component goes.
class GoneWatcher : public TComponent {
public:
    std::vector<TComponent*> gone;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        if (Operation == opRemove) gone.push_back(AComponent);
        TComponent::Notification(AComponent, Operation);
    }
};

} // namespace

TEST(GridControl, SitsAmongTheFormsControlsForBoundsTabOrderAndFocus)
{
    TForm form;
    form.SetClientSize(500, 320);
    auto* edit = new TEdit(&form);
    edit->SetBounds(8, 8, 100, 21);
    auto* grid = new TExColumnGrid(&form);
    grid->SetBounds(8, 40, 400, 200);
    auto* list = new TListBox(&form);
    list->SetBounds(8, 250, 100, 60);
    form.ShowForm();
    ActivateWindowOf(form);

    ASSERT_NE(grid->View(), nullptr);
    EXPECT_EQ(grid->Parent(), &form);
    EXPECT_EQ(grid->Left(), 8);
    EXPECT_EQ(grid->Top(), 40);
    EXPECT_EQ(grid->View()->Width(), 400);
    EXPECT_EQ(grid->View()->Height(), 200);
    EXPECT_STREQ(grid->View()->ClassName(), "TExColumnGrid");
    EXPECT_TRUE(grid->Visible());
    EXPECT_TRUE(grid->TabStop());

    // Tab walks edit -> grid -> list box as the controls were created.
    edit->SetFocus();
    PressKey(form, VK_TAB);
    EXPECT_EQ(FocusedControl(form), grid->View());
    EXPECT_TRUE(grid->Focused());
    // Keys typed on the form now reach the grid.
    PressKey(form, VK_DOWN);
    EXPECT_EQ(grid->Row(), 2);
    PressKey(form, VK_TAB);
    EXPECT_EQ(FocusedControl(form), list);

    // A tab order put before the edit's makes the grid the first stop.
    grid->SetTabOrder(0);
    edit->SetTabOrder(1);
    list->SetFocus();
    PressKey(form, VK_TAB);
    EXPECT_EQ(FocusedControl(form), grid->View());

    // Hidden, the grid is skipped and takes no focus.
    grid->Hide();
    EXPECT_FALSE(grid->Visible());
    EXPECT_FALSE(grid->CanFocus());
    list->SetFocus();
    PressKey(form, VK_TAB);
    EXPECT_EQ(FocusedControl(form), edit);
    grid->Show();
    grid->SetFocus();
    EXPECT_EQ(FocusedControl(form), grid->View());
    form.Close();
}

TEST(GridControl, FollowsItsFormsSizeAndGoesWithTheForm)
{
    GoneWatcher watcher;
    auto* form = new TForm;
    form->SetBorderStyle(TFormBorderStyle::bsSizeable);
    form->SetClientSize(500, 300);
    auto* grid = new TExStringGrid(form);
    grid->SetBounds(10, 10, 400, 200);
    grid->SizeWithForm = true;
    grid->FreeNotification(&watcher);
    form->ShowForm();
    Application_ProcessMessages();

    const int before = grid->View()->Width();
    form->SetClientSize(form->Width() + 60, form->Height() + 20);
    Application_ProcessMessages();
    EXPECT_EQ(grid->View()->Width(), before + 60);

    delete form; // takes the grid along
    EXPECT_EQ(watcher.gone, (std::vector<TComponent*>{grid}));
}

TEST(GridControl, AGridDestroyedFirstLeavesItsForm)
{
    TForm form;
    auto* edit = new TEdit(&form);
    auto* grid = new TExStringGrid(&form);
    EXPECT_EQ(form.ControlCount(), 2);
    form.ShowForm();
    grid->PostMessage(WM_USER + 5, 0, 0); // arrives after the grid is gone
    delete grid;
    Application_ProcessMessages();
    EXPECT_EQ(form.ControlCount(), 1);
    EXPECT_EQ(form.Controls(0), edit);
    form.Close();
}

TEST(GridControl, ParentCanBeGivenLaterAndTakenAway)
{
    TForm form;
    TExStringGrid grid; // owned by the test, not by the form
    grid.SetBounds(20, 30, 250, 120);
    grid.Hide();
    grid.SetParent(&form);
    ASSERT_NE(grid.View(), nullptr);
    EXPECT_EQ(grid.Left(), 20);
    EXPECT_EQ(grid.Top(), 30);
    EXPECT_FALSE(grid.Visible());
    EXPECT_EQ(grid.OwnerForm(), &form);
    EXPECT_EQ(form.ControlCount(), 1);

    grid.SetParent(nullptr);
    EXPECT_EQ(grid.View(), nullptr);
    EXPECT_EQ(grid.OwnerForm(), nullptr);
    EXPECT_EQ(form.ControlCount(), 0);
    EXPECT_EQ(grid.Left(), 20);

    // A grid whose window the caller made itself cannot be placed too.
    TExStringGrid other;
    TGridView own(&other);
    EXPECT_THROW(other.SetParent(&form), EInvalidGridOperation);
}
