// The file layer against what the file system may hold (modes and
// read-only files, oversized files, devices, stale temporary files, links),
// and the controls against values of any length.
#include "platform/ControlInput.h"
#include "platform/Forms.h"
#include "platform/GridView.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"
#include "support/TestSupport.h"

#include <QLineEdit>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <tuple>
#include <optional>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

mode_t ModeOf(const std::string& path)
{
    struct stat st = {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

mode_t CurrentUmask()
{
    const mode_t m = umask(022);
    umask(m);
    return m;
}

// A file of the given size whose blocks are not written (a hole).
void SparseFile(const std::string& path, off_t size)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, size), 0);
    close(fd);
}

} // namespace

// A save keeps the mode of the file it replaces; a new file gets the mode
// of its kind (private files holding secrets: for the owner only).
TEST(FileSafety, SavesKeepTheModeOfTheReplacedFileAndCreatePrivateFilesForTheOwner)
{
    const mode_t usual = 0666 & ~CurrentUmask();
    struct Case {
        const char* what;
        std::optional<mode_t> before;  // the file being replaced, if any
        TFileAccess access;
        mode_t after;
    } cases[] = {
        {"replaced 0600", 0600, TFileAccess::Shared, 0600},
        {"replaced 0640", 0640, TFileAccess::Shared, 0640},
        {"replaced 0644 by a private save", 0644, TFileAccess::Private, 0644},
        {"new private", std::nullopt, TFileAccess::Private, 0600},
        {"new shared", std::nullopt, TFileAccess::Shared, usual},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string f = dir.file("ParGen.xml");
        if (c.before) {
            WriteFile(f, "old");
            ASSERT_EQ(chmod(f.c_str(), *c.before), 0);
        }
        ASSERT_TRUE(WriteFileAtomic(f, "new", c.access));
        EXPECT_EQ(ReadFile(f), "new");
        EXPECT_EQ(ModeOf(f), c.after);
        // Only the file itself is in the folder afterwards.
        EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"ParGen.xml"});
    }
}

// A file its owner may not write counts as one that cannot be written:
// nothing replaces it, whichever way the program writes.
TEST(FileSafety, ReadOnlyFilesAreNotReplaced)
{
    TempDir dir;
    const std::string f = dir.file("Zelvator.xml");
    const std::string other = dir.file("bank1.bin.new");
    WriteFile(f, "<Conf_Settings/>");
    ASSERT_EQ(chmod(f.c_str(), 0444), 0);
    WriteFile(other, "new bank");

    EXPECT_FALSE(WriteFileAtomic(f, "replaced"));
    TXmlDocument doc;
    doc.NewDocument("Other");
    EXPECT_FALSE(doc.SaveToFile(f));
    EXPECT_FALSE(RenameFile(other, f));

    EXPECT_EQ(ReadFile(f), "<Conf_Settings/>");
    EXPECT_EQ(ModeOf(f), 0444u);
    EXPECT_EQ(ReadFile(other), "new bank");
    EXPECT_EQ(ListFiles(dir.path()), (std::vector<std::string>{"Zelvator.xml", "bank1.bin.new"}));
}

// Temporary files that interrupted saves of a file left go at its next
// save; files that only look alike stay.
TEST(FileSafety, StaleTemporaryFilesOfTheSameFileGoAtTheNextSave)
{
    TempDir dir;
    for (const char* name : {"ParGen.xml.tmp123456", "ParGen.xml.tmp7", "ParGen.xml.tmpabc", "ParGen.xml.tmp1234567",
                             "Other.xml.tmp123456", "ParGen.xml.bak"})
        WriteFile(dir.file(name), "left");
    ASSERT_TRUE(WriteFileAtomic(dir.file("ParGen.xml"), "saved"));
    EXPECT_EQ(ListFiles(dir.path()), (std::vector<std::string>{"Other.xml.tmp123456", "ParGen.xml", "ParGen.xml.bak",
                                                               "ParGen.xml.tmp1234567", "ParGen.xml.tmpabc"}));
}

// Files far beyond any configuration are refused with the reason, before
// they are read; sources without a size (devices) are cut off at the limit.
TEST(FileSafety, OversizedFilesAreRefusedUnread)
{
    TempDir dir;
    const std::string big = dir.file("CAN_Rec_Frames.xml");
    SparseFile(big, off_t(70) << 20);
    const std::string zero = dir.file("zero.xml");
    fs::create_symlink("/dev/zero", zero);
    const std::string small = dir.file("small.xml");
    SparseFile(small, off_t(Max_Read_File_Size));

    struct Case {
        std::string path;
        bool read;
        const char* why;
    } cases[] = {
        {big, false, "larger than 64 MiB (70 MiB)"},
        {zero, false, "larger than 64 MiB"},
        {small, true, ""},
        {dir.file("missing.xml"), false, "does not exist"},
        {dir.path(), false, "folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string bytes = "x", why;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(ReadFileBytes(c.path, bytes, &why), c.read);
        EXPECT_NE(why.find(c.why), std::string::npos) << why;
        if (!c.read) EXPECT_TRUE(bytes.empty());
        else EXPECT_EQ(bytes.size(), Max_Read_File_Size);
        // Bounded, not waited on: generous, since a loaded machine reads
        // 64 MiB under the sanitizers slowly.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(90));
    }
    // The XML reader says why it refused.
    TXmlDocument doc;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(doc.LoadFromFile(big), TXmlLoad::Unreadable);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_NE(doc.LoadError().find("larger than 64 MiB"), std::string::npos) << doc.LoadError();
}

// A folder, a pipe, a device or a dangling link in a file's place is
// neither taken as missing nor waited on: the XML reader says what stands
// there, and a pipe is never read (its writer here never writes).
TEST(FileSafety, NamesThatAreNoRegularFileAreReportedAndNeverWaitedOn)
{
    TempDir dir;
    WriteFile(dir.file("regular.xml"), "<Par_Gen/>");
    EXPECT_EQ(NonFileKind(dir.file("regular.xml")), "");
    EXPECT_EQ(NonFileKind(dir.file("missing.xml")), "");
    for (NonFile::Kind kind : NonFile::All) {
        const std::string path = dir.file(std::string("ParGen") + std::to_string(kind) + ".xml");
        SCOPED_TRACE(NonFile::Name(kind));
        NonFile thing(path, kind);
        EXPECT_EQ(NonFileKind(path), NonFile::Name(kind));
        auto load = std::async(std::launch::async, [&] {
            TXmlDocument doc;
            std::string bytes, why;
            const bool read = kind != NonFile::DeviceLink && ReadFileBytes(path, bytes, &why);
            return std::make_tuple(doc.LoadFromFile(path), doc.LoadError(), read, why);
        });
        if (load.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ADD_FAILURE() << "the reader waits on " << path;
            thing.Release();  // lets it end
        }
        const auto [loaded, error, read, why] = load.get();
        EXPECT_EQ(loaded, TXmlLoad::Unreadable);
        EXPECT_EQ(error, "it is " + std::string(NonFile::Name(kind)) + ", not a readable file");
        EXPECT_FALSE(read);
        if (kind == NonFile::Pipe) {
            EXPECT_EQ(why, "it is a named pipe, not a readable file");
        }
        EXPECT_TRUE(thing.Unchanged());
    }
}

TEST(FileSafety, ResolvedPathsAreComparedPartByPart)
{
    struct Case {
        const char* path;
        const char* folder;
        bool within;
    } cases[] = {
        {"/p/Plant/Certificates/ca.pem", "/p/Plant/Certificates", true},
        {"/p/Plant/Certificates/sub/ca.pem", "/p/Plant/Certificates/", true},
        {"/p/Plant/Certificates", "/p/Plant/Certificates", false},
        {"/p/Plant/Certificates2/ca.pem", "/p/Plant/Certificates", false},
        {"/p/Plant/Certificates/../ParGen.xml", "/p/Plant/Certificates", false},
        {"/etc/passwd", "/p/Plant/Certificates", false},
        {"", "/p", false},
    };
    for (const Case& c : cases) EXPECT_EQ(PathWithin(c.path, c.folder), c.within) << c.path << " in " << c.folder;

    TempDir dir;
    ForceDirectories(dir.file("Plant/Certificates"));
    WriteFile(dir.file("outside.pem"), "x");
    fs::create_symlink(dir.file("outside.pem"), dir.file("Plant/Certificates/ca.pem"));
    EXPECT_EQ(RealPath(dir.file("Plant/Certificates/ca.pem")), RealPath(dir.file("outside.pem")));
    EXPECT_FALSE(PathWithin(RealPath(dir.file("Plant/Certificates/ca.pem")), RealPath(dir.file("Plant/Certificates"))));
    EXPECT_EQ(RealPath(dir.file("nothing")), "");
}

// Edits hold whatever length a value has: nothing is cut at Qt's 32767
// characters (a long password, a long topic), and typing goes on beyond it.
TEST(LongTexts, EditsTakeValuesBeyond32767Characters)
{
    const std::string longText(40000, 'p');
    TForm form;
    form.ShowForm();
    ActivateWindowOf(form);
    auto* edit = new TEdit(&form);
    auto* combo = new TComboBox(&form);
    combo->SetTop(30);
    auto* memo = new TMemo(&form);
    memo->SetTop(60);
    memo->SetWordWrap(false);  // End goes to the end of the one long line
    struct Case {
        const char* what;
        TControl* control;
        std::function<void(const std::string&)> set;
        std::function<std::string()> get;
    } cases[] = {
        {"edit", edit, [&](const std::string& t) { edit->SetText(t); }, [&] { return edit->Text(); }},
        {"combo box", combo, [&](const std::string& t) { combo->SetText(t); }, [&] { return combo->Text(); }},
        {"memo", memo, [&](const std::string& t) { memo->SetText(t); }, [&] { return memo->Text(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.set(longText);
        EXPECT_EQ(c.get().size(), longText.size());
        c.control->SetFocus();
        PressKey(form, VK_END);
        PressKey(form, 'Q', {}, "q");
        EXPECT_EQ(c.get(), longText + "q");
    }
    // The style switch of a combo box makes a new line edit: no limit either.
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->SetStyle(TComboBoxStyle::csDropDown);
    combo->SetText(longText);
    EXPECT_EQ(combo->Text().size(), longText.size());

    // The grid's in-place editor shows and stores a long cell whole.
    TStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.SetOptions(grid.Options() + goEditing);
    grid.SetCells(1, 1, longText);
    TGridView view(&grid, &form);
    view.SetBounds(0, 100, 200, 100);
    view.Widget()->setFocus();
    grid.SetCol(1);
    grid.SetRow(1);
    SendKeyDown(view, VK_F2);
    SendKeyUp(view, VK_F2);
    ASSERT_NE(view.EditorWidget(), nullptr);
    EXPECT_EQ(static_cast<QLineEdit*>(view.EditorWidget())->text().size(), 40000);
    SendKeyDown(view, VK_RETURN, {}, "\r");
    EXPECT_EQ(grid.Cells(1, 1), longText);
}
