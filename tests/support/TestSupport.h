#pragma once
// Helpers shared by the tests: temporary folders, file access and a
// recording double of the message boxes.

#include "platform/Dialogs.h"

#include <deque>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
// Test data shipped with the tests (tests/data/<name>).
std::string TestDataPath(const std::string& name);

// Something else than a regular file standing at a path, for the tests of
// the readers that must report it. A pipe is held open by a writer that
// never writes, so a reader that waited for its data would wait for ever
// (Release lets such a reader end).
class NonFile {
public:
    enum Kind { Pipe, Folder, DanglingLink, DeviceLink };
    static constexpr Kind All[] = {Pipe, Folder, DanglingLink, DeviceLink};
    NonFile(const std::string& path, Kind kind);
    ~NonFile() { Release(); }
    NonFile(const NonFile&) = delete;
    NonFile& operator=(const NonFile&) = delete;
    // Whether the same kind of thing still stands at the path.
    bool Unchanged() const;
    void Release();
    static const char* Name(Kind kind);

private:
    std::string path_;
    Kind kind_;
    int writer_ = -1;
};

// Records every message box and answers from a script (default: OK for
// mbOK, Yes for questions). Installs itself while alive.
class RecordingMessageBoxes : public IMessageBoxes {
public:
    struct Shown {
        std::string text;
        TMsgDlgType type;
        TMsgDlgButtons buttons;
    };
    RecordingMessageBoxes();
    ~RecordingMessageBoxes() override;
    int Show(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;

    void Answer(int modalResult) { answers.push_back(modalResult); }
    std::vector<Shown> shown;
    std::deque<int> answers;

private:
    IMessageBoxes* previous_;
};
