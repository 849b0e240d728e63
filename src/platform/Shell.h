#pragma once
// Outside effects of the shell: opening a link or document, the common file
// dialogs and starting an external program. Each goes through a seam a
// test can replace.

#include <functional>
#include <memory>
#include <string>

// --- opening links ------------------------------------------------------------------

// True when target is a link the shell may open: an "http:", "https:" or
// "mailto:" link (scheme in any case). Every other target (files, other
// schemes, bare names) is refused, whoever asks.
bool ShellLinkAllowed(const std::string& target);
// Opens a web or mail link with the desktop's handler ("open" verb, shown
// window). False when the link is not allowed (ShellLinkAllowed) or nothing
// could open it.
bool ShellOpen(const std::string& target);
// Test seam: the handler receives every allowed target instead of the
// desktop (nullptr restores the desktop). Returns the previous handler.
using TShellOpener = std::function<bool(const std::string& target)>;
TShellOpener SetShellOpener(TShellOpener opener);

// --- file dialogs -----------------------------------------------------------------------

// Filter in the class library's form: "Description|*.ext|Other|*.a;*.b".
class TSaveDialog {
public:
    std::string Filter;
    std::string DefaultExt;  // "*.eds" or "eds": appended when the name has none
    std::string InitialDir;
    std::string FileName;    // the chosen name after Execute
    std::string Title;
    bool OverwritePrompt = false;
    // True when the user chose a file (FileName holds it).
    bool Execute();
};

class TOpenDialog {
public:
    std::string Filter;
    std::string DefaultExt;
    std::string InitialDir;
    std::string FileName;
    std::string Title;
    bool Execute();
};

// Test seam: answers file dialogs. The function gets the dialog's kind
// (true = save), its settings and the file name to fill; it returns whether
// the user confirmed. nullptr restores the platform dialogs.
struct TFileDialogRequest {
    bool Save = false;
    std::string Filter, DefaultExt, InitialDir, Title;
};
using TFileDialogHandler = std::function<bool(const TFileDialogRequest& request, std::string& fileName)>;
TFileDialogHandler SetFileDialogHandler(TFileDialogHandler handler);

// --- external programs ---------------------------------------------------------------------

// A started external program. The program's standard input reads nothing
// and its output goes to the null device, so it can never stall on a full
// pipe. Destroying the object never ends the program; a program still
// running then is reaped in the background when it ends.
class TProcess {
public:
    ~TProcess();
    // Starts program with the command-line parameters (split like a shell:
    // blanks separate, double quotes group). Hidden asks for no window
    // (no effect where programs have no window of their own). Returns
    // nullptr when the program cannot be started.
    static std::unique_ptr<TProcess> Start(const std::string& program, const std::string& parameters,
                                           bool hidden);
    // True while the program runs.
    bool Running();
    // Exit code once ended (-1 while running or when ended by a signal).
    int ExitCode() const { return exitCode_; }
    long long Pid() const { return pid_; }

private:
    TProcess() = default;
    long long pid_ = 0;
    bool ended_ = false;
    int exitCode_ = -1;
};

// Milliseconds from a steady clock (the platform's tick count).
long long GetTickCount64Ms();
// Sleeps the calling thread.
void SleepMs(int ms);
