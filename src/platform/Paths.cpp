#include "platform/Paths.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

std::string PathJoin(const std::string& a, const std::string& b)
{
    if (a.empty()) return b;
    if (a.back() == PathDelim) return a + b;
    return a + PathDelim + b;
}

std::string ExtractFileName(const std::string& path)
{
    const auto p = path.find_last_of("/\\");
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string ExtractFileDir(const std::string& path)
{
    const auto p = path.find_last_of("/\\");
    return p == std::string::npos ? std::string() : path.substr(0, p);
}

std::string ExtractFileExt(const std::string& path)
{
    const std::string name = ExtractFileName(path);
    const auto p = name.find_last_of('.');
    return p == std::string::npos ? std::string() : name.substr(p);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext)
{
    const std::string old = ExtractFileExt(path);
    return path.substr(0, path.size() - old.size()) + ext;
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(fs::path(path), ec);
}

std::string NonFileKind(const std::string& path)
{
    struct stat st = {};
    if (path.empty() || lstat(path.c_str(), &st) != 0) return {};
    if (S_ISLNK(st.st_mode) && stat(path.c_str(), &st) != 0) return "a link that leads nowhere";
    if (S_ISREG(st.st_mode)) return {};
    if (S_ISDIR(st.st_mode)) return "a folder";
    if (S_ISFIFO(st.st_mode)) return "a named pipe";
    if (S_ISSOCK(st.st_mode)) return "a socket";
    return "a device";
}

bool DirectoryExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(fs::path(path), ec);
}

bool FileIsReadOnly(const std::string& path)
{
    std::error_code ec;
    const fs::file_status st = fs::status(fs::path(path), ec);
    if (ec || !fs::exists(st)) return false;
    return (st.permissions() & fs::perms::owner_write) == fs::perms::none;
}

bool CreateDir(const std::string& path)
{
    if (path.empty()) return false;
    std::error_code ec;
    return fs::create_directory(fs::path(path), ec) && !ec;
}

bool ForceDirectories(const std::string& path)
{
    if (path.empty()) return false;
    std::error_code ec;
    fs::create_directories(fs::path(path), ec);
    return DirectoryExists(path);
}

bool DeleteFile(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(fs::path(path), ec) && fs::remove(fs::path(path), ec);
}

bool RemoveDir(const std::string& path)
{
    std::error_code ec;
    return fs::remove(fs::path(path), ec);
}

namespace {
std::vector<std::string> List(const std::string& dir, bool folders)
{
    std::vector<std::string> r;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(dir), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        const bool isDir = it->is_directory(ec2);
        if (isDir == folders) r.push_back(it->path().filename().string());
    }
    std::sort(r.begin(), r.end());
    return r;
}
}

std::vector<std::string> ListFolders(const std::string& dir) { return List(dir, true); }
std::vector<std::string> ListFiles(const std::string& dir) { return List(dir, false); }

namespace {

std::string SizeText(std::uint64_t bytes)
{
    return std::to_string(bytes >> 20) + " MiB";
}

std::string ErrnoText(int err) { return std::generic_category().message(err); }

// Reads everything from fd, refusing more than the limit.
bool ReadAll(int fd, std::string& out, std::uint64_t expected, std::string* why)
{
    out.clear();
    out.reserve(static_cast<size_t>(std::min<std::uint64_t>(expected, Max_Read_File_Size)));
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (why) *why = "the file cannot be read (" + ErrnoText(errno) + ")";
            return false;
        }
        if (n == 0) return true;
        if (out.size() + static_cast<size_t>(n) > Max_Read_File_Size) {
            if (why) *why = "the file is larger than " + SizeText(Max_Read_File_Size);
            out.clear();
            return false;
        }
        out.append(buf, static_cast<size_t>(n));
    }
}

} // namespace

bool ReadFileBytes(const std::string& path, std::string& out, std::string* why)
{
    out.clear();
    // A pipe is not even opened: its writer would learn of a reader.
    struct stat named = {};
    if (!path.empty() && stat(path.c_str(), &named) == 0 && (S_ISFIFO(named.st_mode) || S_ISSOCK(named.st_mode))) {
        if (why) *why = "it is " + NonFileKind(path) + ", not a readable file";
        return false;
    }
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (why) *why = errno == ENOENT ? "the file does not exist" : "the file cannot be opened (" + ErrnoText(errno) + ")";
        return false;
    }
    struct stat st = {};
    bool ok = fstat(fd, &st) == 0;
    if (!ok) {
        if (why) *why = "the file cannot be read (" + ErrnoText(errno) + ")";
    } else if (S_ISDIR(st.st_mode)) {
        if (why) *why = "it is a folder, not a file";
        ok = false;
    } else if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) {
        // Replaced by a pipe since the test above: never waited on.
        if (why) *why = "it is a named pipe, not a readable file";
        ok = false;
    } else if (S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) > Max_Read_File_Size) {
        // Refused before anything is read.
        if (why) *why = "the file is larger than " + SizeText(Max_Read_File_Size) + " (" +
                        SizeText(static_cast<std::uint64_t>(st.st_size)) + ")";
        ok = false;
    } else {
        // Devices and pipes have no size: the limit is kept while reading.
        const int flags = fcntl(fd, F_GETFL);
        if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        ok = ReadAll(fd, out, S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0, why);
    }
    close(fd);
    return ok;
}

namespace {

// Temporary files of a save of "name": "name.tmp" and up to six digits.
bool IsOwnTemporary(const std::string& entry, const std::string& name)
{
    const std::string prefix = name + ".tmp";
    if (entry.size() <= prefix.size() || entry.size() > prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

void RemoveStaleTemporaries(const fs::path& target)
{
    const std::string name = target.filename().string();
    std::error_code ec;
    for (fs::directory_iterator it(target.parent_path().empty() ? fs::path(".") : target.parent_path(), ec), end;
         !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (IsOwnTemporary(it->path().filename().string(), name) && it->is_regular_file(ec2))
            fs::remove(it->path(), ec2);
    }
}

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

void SyncFolder(const fs::path& folder)
{
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool IsReadOnlyFile(const struct stat& st) { return (st.st_mode & S_IWUSR) == 0; }

} // namespace

namespace {

// Writes the bytes into a new temporary file beside path (the mode of the
// file it will replace, or the new file's); its name in tmp. False, with
// nothing left behind, on any failure or for a target that must not be
// replaced.
bool StageFile(const std::string& path, const std::string& bytes, TFileAccess access, std::string& tmp)
{
    static std::mt19937 rng{std::random_device{}()};
    const fs::path target = fs::path(path);
    if (path.empty()) return false;

    // The mode of the file being replaced, or the new file's; a read-only
    // file is not replaced.
    struct stat old = {};
    const bool replacing = stat(path.c_str(), &old) == 0;
    if (replacing && (!S_ISREG(old.st_mode) || IsReadOnlyFile(old))) return false;

    RemoveStaleTemporaries(target);

    // Created for its owner only, so nothing can read it before its mode is set.
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%06u", static_cast<unsigned>(rng() % 1000000));
        tmp = path + ".tmp" + digits;
        fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing || access == TFileAccess::Private ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    bool ok = WriteAll(fd, bytes);
    if (ok && replacing) ok = fchmod(fd, old.st_mode & 07777) == 0;
    if (ok) ok = fsync(fd) == 0;
    if (close(fd) != 0) ok = false;
    if (!ok) unlink(tmp.c_str());
    return ok;
}

bool CommitFile(const std::string& tmp, const std::string& path)
{
    if (rename(tmp.c_str(), path.c_str()) != 0) {
        unlink(tmp.c_str());
        return false;
    }
    SyncFolder(fs::path(path).parent_path());
    return true;
}

} // namespace

bool WriteFileAtomic(const std::string& path, const std::string& bytes, TFileAccess access)
{
    std::string tmp;
    return StageFile(path, bytes, access, tmp) && CommitFile(tmp, path);
}

TStagedFiles::~TStagedFiles()
{
    for (const auto& [tmp, path] : staged_) unlink(tmp.c_str());
}

bool TStagedFiles::Stage(const std::string& path, const std::string& bytes, TFileAccess access)
{
    std::string tmp;
    if (!StageFile(path, bytes, access, tmp)) return false;
    staged_.emplace_back(tmp, path);
    return true;
}

std::string TStagedFiles::Commit()
{
    std::string failed;
    for (const auto& [tmp, path] : staged_)
        if (!CommitFile(tmp, path) && failed.empty()) failed = path;
    staged_.clear();
    return failed;
}

std::string ExecutableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath().toStdString();
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path().string() : exe.parent_path().string();
}

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    if (a.empty() || b.empty()) return false;
    const bool same = fs::equivalent(fs::path(a), fs::path(b), ec);
    return !ec && same;
}

bool RenameFile(const std::string& from, const std::string& to)
{
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(from), ec)) return false;
    struct stat st = {};
    if (stat(to.c_str(), &st) == 0 && IsReadOnlyFile(st)) return false;
    fs::rename(fs::path(from), fs::path(to), ec);
    if (ec) return false;
    SyncFolder(fs::path(to).parent_path());
    return true;
}

std::string RealPath(const std::string& path)
{
    std::error_code ec;
    if (path.empty()) return {};
    const fs::path real = fs::canonical(fs::path(path), ec);
    return ec ? std::string() : real.string();
}

bool PathWithin(const std::string& path, const std::string& folder)
{
    if (path.empty() || folder.empty()) return false;
    const fs::path p = fs::path(path).lexically_normal();
    const fs::path f = fs::path(folder).lexically_normal();
    auto pi = p.begin();
    for (auto fi = f.begin(); fi != f.end(); ++fi, ++pi) {
        if (fi->empty() && std::next(fi) == f.end()) break;  // a trailing separator
        if (pi == p.end() || *pi != *fi) return false;
    }
    // Something must follow the folder's own parts.
    for (; pi != p.end(); ++pi)
        if (!pi->empty()) return true;
    return false;
}
