#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    static std::mt19937_64 rng{std::random_device{}()};
    fs::path p = fs::temp_directory_path() / ("zel-test-" + std::to_string(rng()));
    fs::create_directories(p);
    path_ = p.string();
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempDir::file(const std::string& name) const { return path_ + "/" + name; }

std::string ReadFile(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TestDataPath(const std::string& name) { return std::string(ZEL_TEST_DATA_DIR) + "/" + name; }

NonFile::NonFile(const std::string& path, Kind kind) : path_(path), kind_(kind)
{
    fs::create_directories(fs::path(path).parent_path());
    switch (kind) {
    case Pipe:
        EXPECT_EQ(mkfifo(path.c_str(), 0644), 0) << path;
        // Read and write: opening does not wait for a reader.
        writer_ = open(path.c_str(), O_RDWR | O_CLOEXEC);
        EXPECT_GE(writer_, 0) << path;
        break;
    case Folder: fs::create_directory(path); break;
    case DanglingLink: fs::create_symlink(path + ".gone", path); break;
    case DeviceLink: fs::create_symlink("/dev/zero", path); break;
    }
}

bool NonFile::Unchanged() const
{
    struct stat st = {};
    if (lstat(path_.c_str(), &st) != 0) return false;
    switch (kind_) {
    case Pipe: return S_ISFIFO(st.st_mode);
    case Folder: return S_ISDIR(st.st_mode) && fs::is_empty(path_);
    case DanglingLink: return S_ISLNK(st.st_mode) && fs::read_symlink(path_) == path_ + ".gone";
    case DeviceLink: return S_ISLNK(st.st_mode) && fs::read_symlink(path_) == "/dev/zero";
    }
    return false;
}

void NonFile::Release()
{
    if (writer_ >= 0) close(writer_);
    writer_ = -1;
}

const char* NonFile::Name(Kind kind)
{
    switch (kind) {
    case Pipe: return "a named pipe";
    case Folder: return "a folder";
    case DanglingLink: return "a link that leads nowhere";
    case DeviceLink: return "a device";
    }
    return "";
}

RecordingMessageBoxes::RecordingMessageBoxes() : previous_(SetMessageBoxes(this)) {}

RecordingMessageBoxes::~RecordingMessageBoxes() { SetMessageBoxes(previous_); }

int RecordingMessageBoxes::Show(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    shown.push_back({text, type, buttons});
    if (!answers.empty()) {
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == TMsgDlgButtons::mbOK ? mrOk : mrYes;
}
