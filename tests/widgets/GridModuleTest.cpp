#include "widgets/ExStringGrid.h"
#include "widgets/ExStringGrid_DragDrop.h"
#include "widgets/GridLibrary.h"
#include "widgets/GridModule.h"
#include "widgets/GridWindows.h"

#include "platform/Application.h"
#include "platform/ClassRegistry.h"
#include "platform/ControlInput.h"
#include "platform/FileVersion.h"
#include "platform/Forms.h"
#include "platform/GridView.h"
#include "platform/Input.h"
#include "platform/PopupWindow.h"
#include "support/FormatGuard.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

// A version block (VS_VERSIONINFO) with the fixed file information of
// version major.minor; Signature and Key as given.
std::vector<std::uint8_t> VersionBlock(int major, int minor, std::uint32_t signature = 0xFEEF04BD,
                                       const std::u16string& key = u"VS_VERSION_INFO")
{
    std::vector<std::uint8_t> b;
    auto u16 = [&](std::uint16_t v) { b.push_back(std::uint8_t(v)), b.push_back(std::uint8_t(v >> 8)); };
    auto u32 = [&](std::uint32_t v) { u16(std::uint16_t(v)), u16(std::uint16_t(v >> 16)); };
    u16(0); // length, set below
    u16(52);
    u16(0);
    for (char16_t c : key) u16(c);
    u16(0);
    while (b.size() % 4) b.push_back(0);
    u32(signature);
    u32(0x00010000);
    u32((std::uint32_t(major) << 16) | std::uint32_t(minor)); // file version, high part
    for (int i = 0; i < 10; ++i) u32(0);
    b[0] = std::uint8_t(b.size());
    b[1] = std::uint8_t(b.size() >> 8);
    return b;
}

// Answers version blocks by file name while alive.
struct VersionFiles {
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
    TFileVersionSource previous;
    VersionFiles()
    {
        previous = SetFileVersionSource([this](const std::string& name) {
            for (const auto& [n, block] : files)
                if (n == name) return block;
            return std::vector<std::uint8_t>{};
        });
    }
    ~VersionFiles() { SetFileVersionSource(previous); }
};

} // namespace

TEST(GridModule, FileVersionFromTheVersionBlock)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> block;
        int expected;
    } cases[] = {
        {"5.82", VersionBlock(5, 82), 0x00050052},
        {"4.70", VersionBlock(4, 70), 0x00040046},
        {"no information", {}, -1},
        {"wrong signature", VersionBlock(5, 82, 0xFEEF04BE), -1},
        {"another key", VersionBlock(5, 82, 0xFEEF04BD, u"VS_VERSION_INFX"), -1},
        {"header only", {0x40, 0, 52, 0, 0}, -1},
    };
    for (Case& c : cases) EXPECT_EQ(FileVersionMSOfBlock(c.block), c.expected) << c.what;
    // A block whose fixed information is cut short.
    std::vector<std::uint8_t> cut = VersionBlock(5, 82);
    cut.resize(cut.size() - 20);
    cut[0] = std::uint8_t(cut.size());
    EXPECT_EQ(FileVersionMSOfBlock(cut), -1);
    // A stated length beyond the block is held to the block.
    std::vector<std::uint8_t> overlong = VersionBlock(5, 82);
    overlong.resize(overlong.size() - 4);
    EXPECT_EQ(FileVersionMSOfBlock(overlong), -1);

    VersionFiles files;
    files.files.emplace_back("comctl32.dll", VersionBlock(5, 82));
    EXPECT_EQ(GetFileVersionMS("comctl32.dll"), 0x00050052);
    EXPECT_EQ(GetFileVersionMS("readme.txt"), -1);
}

TEST(GridModule, LocaleSeparatorsFollowTheFormatSettings)
{
    FormatGuard guard(',', '.', '-', "dd-mm-yyyy");
    EXPECT_EQ(GridDecimalSeparator(), ',');
    EXPECT_EQ(GridThousandSeparator(), '.');
    EXPECT_EQ(GridDateSeparator(), '-');
    EXPECT_EQ(GridShortDateFormat(), "dd-mm-yyyy");
    FormatSettings().DecimalSeparator = '.';
    EXPECT_EQ(GridDecimalSeparator(), '.') << "read at each call";
}

TEST(GridLibrary, StartUpTwiceDoesTheWorkOnceAndTheFormatsShareOneName)
{
    const int hooksBefore = WindowPosHookCount();
    ASSERT_FALSE(GridHookInstalled());
    GridLibraryStartup();
    EXPECT_TRUE(GridHookInstalled());
    EXPECT_EQ(WindowPosHookCount(), hooksBefore + 1);
    EXPECT_TRUE(IsClassRegistered("TExStringGrid"));
    EXPECT_TRUE(IsClassRegistered("TExColumnGrid"));
    EXPECT_TRUE(IsClassRegistered("TGridColumnCollection"));
    std::unique_ptr<TComponent> made(CreateRegisteredComponent("TExStringGrid", nullptr));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ClassName(), "TExStringGrid");

    GridLibraryStartup();
    EXPECT_EQ(WindowPosHookCount(), hooksBefore + 1) << "the second start-up installs nothing";

    // The grid's clipboard format is the drag-and-drop one, whoever
    // registers the name.
    EXPECT_NE(GridCellClipboardFormat(), 0);
    EXPECT_EQ(GridCellClipboardFormat(), CF_GRIDCELLS());
    EXPECT_EQ(GridCellClipboardFormat(), RegisterClipboardFormat("TExStringGrid Cells"));
    EXPECT_EQ(ClipboardFormatName(GridCellClipboardFormat()), "TExStringGrid Cells");
    EXPECT_EQ(GridDTPShiftFocusMessage(), PickerDTPShiftFocusMessage());
    EXPECT_NE(GridEditDoneMessage(), 0u);
    EXPECT_NE(GridEditDoneMessage(), GridDTPShiftFocusMessage());
    EXPECT_FALSE(GridComCtrlsAbove469()) << "no common-controls library here";

    GridHintFontName() = "Verdana";
    GridLibraryShutdown(); // matches the second start-up: nothing
    EXPECT_TRUE(GridHookInstalled());
    EXPECT_EQ(GridHintFontName(), "Verdana");
    GridLibraryShutdown();
    EXPECT_FALSE(GridHookInstalled());
    EXPECT_EQ(WindowPosHookCount(), hooksBefore);
    EXPECT_EQ(GridHintFontName(), "");
}

TEST(GridLibrary, CommonControlsFlagFromTheirFileVersion)
{
    struct Case {
        int major, minor;
        bool above;
    } cases[] = {{4, 70, true}, {4, 69, false}, {6, 0, true}};
    for (const Case& c : cases) {
        VersionFiles files;
        files.files.emplace_back("comctl32.dll", VersionBlock(c.major, c.minor));
        GridLibraryStartup();
        EXPECT_EQ(GridComCtrlsAbove469(), c.above) << c.major << "." << c.minor;
        GridLibraryShutdown();
    }
}

TEST(GridModule, SelectionPictureIsTheSameForAReversedRangeAndNeverActivates)
{
    TForm form;
    form.SetClientSize(400, 300);
    TExStringGrid grid;
    grid.SetColCount(5);
    grid.SetRowCount(6);
    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 6; ++r) grid.SetCells(c, r, std::to_string(c) + ":" + std::to_string(r));
    TGridView view(&grid, &form);
    view.SetBounds(0, 0, 380, 280);
    form.ShowForm();
    ActivateWindowOf(form);

    auto ordered = SelectionToForm(grid, TGridRect{1, 1, 3, 4});
    auto reversed = SelectionToForm(grid, TGridRect{3, 4, 1, 1});
    auto picture = [](TNoActiveForm& f) { return static_cast<TImage*>(f.Controls(0))->Picture(); };
    const TBitmap a = picture(*ordered);
    const TBitmap b = picture(*reversed);
    ASSERT_FALSE(a.Empty());
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    const TRect r1 = grid.VirtualCellRect(1, 1), r2 = grid.VirtualCellRect(3, 4);
    EXPECT_EQ(a.Width(), r2.Right - r1.Left + 1);
    EXPECT_EQ(a.Height(), r2.Bottom - r1.Top + 1);
    EXPECT_EQ(ordered->Width(), a.Width());
    int differing = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) differing += a.Pixel(x, y) != b.Pixel(x, y);
    EXPECT_EQ(differing, 0);

    // Shown and clicked, it stays inactive; the window below keeps the focus.
    EXPECT_EQ(WindowAlpha(*ordered), 192);
    EXPECT_TRUE(IsPopupWindow(*ordered));
    ordered->SetBounds(form.Left() + 20, form.Top() + 20, ordered->Width(), ordered->Height());
    ordered->Show();
    Application_ProcessMessages();
    SendClick(*ordered, 3, 3);
    Application_ProcessMessages();
    EXPECT_FALSE(IsActiveWindow(*ordered));
    EXPECT_TRUE(IsActiveWindow(form));

    // A range from column 0 gets the fixed line along its left edge.
    grid.SetGridFixedLineColor(clRed);
    auto fromZero = SelectionToForm(grid, TGridRect{0, 1, 1, 2});
    const TBitmap z = picture(*fromZero);
    EXPECT_EQ(z.Pixel(0, z.Height() / 2), clRed);
}

TEST(GridModule, HookKeepsTheEditingGridsFocusWindowOnItsCell)
{
    TForm form;
    form.SetClientSize(500, 300);
    TExStringGrid g1, g2;
    TGridView v1(&g1, &form), v2(&g2, &form);
    v1.SetBounds(10, 10, 200, 200);
    v2.SetBounds(250, 10, 200, 200);
    g1.FocusCell(2, 3);
    form.ShowForm();
    Application_ProcessMessages();
    InstallGridHook();

    TGridFocusWindow* f1 = GridFocusWindow(g1);
    TGridFocusWindow* f2 = GridFocusWindow(g2);
    const TRect r2before = Bounds(f2->Left(), f2->Top(), f2->Width(), f2->Height());

    // No editor shown: the hook changes nothing.
    SetGridEditingGrid(nullptr);
    form.SetLeft(form.Left() + 30);
    Application_ProcessMessages();
    EXPECT_EQ(f1->Width(), 0);

    SetGridEditingGrid(&g1);
    form.SetLeft(form.Left() + 40);
    form.SetTop(form.Top() + 15);
    Application_ProcessMessages();
    const TRect cell = g1.CellRect(2, 3);
    const TPoint zero = g1.Host()->ScreenToClient(Point(0, 0));
    EXPECT_EQ(f1->Left(), cell.Left - zero.X - 4);
    EXPECT_EQ(f1->Top(), cell.Top - zero.Y - 4);
    EXPECT_EQ(f1->Width(), cell.Width() + 9);
    EXPECT_EQ(f1->Height(), cell.Height() + 9);
    EXPECT_EQ(Bounds(f2->Left(), f2->Top(), f2->Width(), f2->Height()), r2before) << "only the editing grid's";

    RemoveGridHook();
    SetGridEditingGrid(nullptr);
}

TEST(GridModule, AGridGoingAwayIsNoLongerTheEditingGrid)
{
    auto g = std::make_unique<TExStringGrid>();
    GridFocusWindow(*g);
    SetGridEditingGrid(g.get());
    g.reset();
    EXPECT_EQ(GridEditingGrid(), nullptr);
    GridCallWndHook(); // nothing to move
}

TEST(GridWindows, ArrowAndFocusWindows)
{
    TForm form;
    struct Case {
        TArrowDirection dir;
        TPoint inside, outside;
    } cases[] = {{arrUp, {5, 6}, {0, 9}}, {arrDown, {5, 2}, {0, 0}}, {arrLeft, {2, 5}, {0, 0}}, {arrRight, {6, 5}, {8, 0}}};
    for (const Case& c : cases) {
        auto* w = new TArrowWindow(&form, c.dir);
        EXPECT_EQ(w->Color(), TColor(0x00FF00));
        EXPECT_FALSE(w->Visible());
        EXPECT_TRUE(IsPopupWindow(*w));
        EXPECT_EQ(w->Arrow, ArrowOutline(c.dir));
        const TRegion shape = WindowRegion(*w);
        EXPECT_TRUE(shape.Contains(c.inside)) << int(c.dir);
        EXPECT_FALSE(shape.Contains(c.outside)) << int(c.dir) << ": only the arrow shows";
    }
    TGridFocusWindow focus;
    EXPECT_EQ(focus.Width(), 0);
    EXPECT_EQ(focus.Height(), 0);
    EXPECT_EQ(focus.Color(), TColor(0x0000FF));
    EXPECT_FALSE(focus.Enabled());
    EXPECT_TRUE(IsPopupWindow(focus));
}

TEST(GridModule, WheelPanGlyphOnAWhiteGround)
{
    TExStringGrid grid;
    TBitmap canvas(60, 60);
    canvas.Canvas().Brush().SetColor(clBlue);
    canvas.Canvas().FillRect(Rect(0, 0, 60, 60));
    grid.IntelliPan = ipNone;
    DrawWheelPanGlyph(grid, canvas.Canvas(), Point(10, 10));
    canvas.Canvas().Flush();
    EXPECT_EQ(canvas.Pixel(11, 11), clBlue) << "ipNone draws nothing";
    for (TIntelliPan pan : {ipVertical, ipHorizontal, ipBoth}) {
        grid.IntelliPan = pan;
        DrawWheelPanGlyph(grid, canvas.Canvas(), Point(10, 10));
        canvas.Canvas().Flush();
        EXPECT_EQ(canvas.Pixel(11, 11), clWhite) << "the left-out ground is white";
        EXPECT_EQ(canvas.Pixel(26, 26), clBlack) << "the centre dot";
        EXPECT_EQ(canvas.Pixel(9, 9), clBlue) << "nothing outside the 32 x 32 square";
        EXPECT_EQ(canvas.Pixel(42, 42), clBlue);
    }
}
