#include "support/TestSupport.h"

#include <gtest/gtest.h>

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
