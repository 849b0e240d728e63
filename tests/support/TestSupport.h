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
