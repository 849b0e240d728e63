#include "platform/Shell.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {
TShellOpener g_opener;
TFileDialogHandler g_fileDialogs;

// "Text (*.txt)|*.txt|All|*.*" -> "Text (*.txt) (*.txt);;All (*.*)"
QString ToQtFilter(const std::string& filter)
{
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) out << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return out.join(";;");
}

std::string WithDefaultExt(std::string name, std::string ext)
{
    if (ext.rfind("*.", 0) == 0) ext = ext.substr(2);
    else if (!ext.empty() && ext[0] == '.') ext = ext.substr(1);
    if (name.empty() || ext.empty()) return name;
    const auto slash = name.find_last_of('/');
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) name += "." + ext;
    return name;
}

bool RunDialog(bool save, const std::string& filter, const std::string& defExt, const std::string& dir,
               const std::string& title, std::string& fileName)
{
    if (g_fileDialogs) {
        TFileDialogRequest r{save, filter, defExt, dir, title};
        std::string name = fileName;
        if (!g_fileDialogs(r, name)) return false;
        fileName = save ? WithDefaultExt(name, defExt) : name;
        return true;
    }
    QFileDialog dlg(nullptr, QString::fromStdString(title), QString(), ToQtFilter(filter));
    // Only an existing folder is the start; a name is never put into the
    // file-name box in its place.
    if (!dir.empty() && QFileInfo(QString::fromStdString(dir)).isDir()) dlg.setDirectory(QString::fromStdString(dir));
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!fileName.empty()) dlg.selectFile(QString::fromStdString(fileName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
    const std::string chosen = dlg.selectedFiles().front().toStdString();
    fileName = save ? WithDefaultExt(chosen, defExt) : chosen;
    return true;
}
} // namespace

bool ShellLinkAllowed(const std::string& target)
{
    const auto colon = target.find(':');
    if (colon == std::string::npos) return false;
    std::string scheme = target.substr(0, colon);
    for (char& c : scheme)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (scheme == "mailto") return colon + 1 < target.size();
    if (scheme != "http" && scheme != "https") return false;
    // A web link names a host: "http://host...".
    const std::string rest = target.substr(colon + 1);
    return rest.size() > 2 && rest.compare(0, 2, "//") == 0 && rest[2] != '/';
}

bool ShellOpen(const std::string& target)
{
    if (!ShellLinkAllowed(target)) return false;
    if (g_opener) return g_opener(target);
    // Taken as it is (no guessing of a scheme or of a local file).
    const QUrl url(QString::fromStdString(target), QUrl::StrictMode);
    if (!url.isValid()) return false;
    return QDesktopServices::openUrl(url);
}

TShellOpener SetShellOpener(TShellOpener opener)
{
    TShellOpener old = std::move(g_opener);
    g_opener = std::move(opener);
    return old;
}

TFileDialogHandler SetFileDialogHandler(TFileDialogHandler handler)
{
    TFileDialogHandler old = std::move(g_fileDialogs);
    g_fileDialogs = std::move(handler);
    return old;
}

bool TSaveDialog::Execute() { return RunDialog(true, Filter, DefaultExt, InitialDir, Title, FileName); }
bool TOpenDialog::Execute() { return RunDialog(false, Filter, DefaultExt, InitialDir, Title, FileName); }

// --- processes ----------------------------------------------------------------------------

std::unique_ptr<TProcess> TProcess::Start(const std::string& program, const std::string& parameters, bool)
{
    std::vector<std::string> args{program};
    for (const QString& a : QProcess::splitCommand(QString::fromStdString(parameters))) args.push_back(a.toStdString());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // The child gets default signal handling and its own process group, so
    // a Ctrl+C meant for us does not reach it.
    sigset_t all;
    sigemptyset(&all);
    posix_spawnattr_setsigmask(&attr, &all);
    sigset_t def;
    sigemptyset(&def);
    sigaddset(&def, SIGPIPE);
    sigaddset(&def, SIGINT);
    posix_spawnattr_setsigdefault(&attr, &def);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.c_str(), &fa, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) return nullptr;
    auto p = std::unique_ptr<TProcess>(new TProcess);
    p->pid_ = pid;
    return p;
}

bool TProcess::Running()
{
    if (ended_) return false;
    int status = 0;
    const pid_t r = waitpid(static_cast<pid_t>(pid_), &status, WNOHANG);
    if (r == 0) return true;
    ended_ = true;
    if (r > 0 && WIFEXITED(status)) exitCode_ = WEXITSTATUS(status);
    return false;
}

TProcess::~TProcess()
{
    if (ended_ || !Running()) return;
    // Never end the program; wait for it elsewhere so it leaves no zombie.
    const pid_t pid = static_cast<pid_t>(pid_);
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

long long GetTickCount64Ms()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
