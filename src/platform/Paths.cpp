#include "platform/Paths.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
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

bool ReadFileBytes(const std::string& path, std::string& out)
{
    std::ifstream f(fs::path(path), std::ios::binary);
    if (!f) return false;
    out.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return !f.bad();
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes)
{
    static std::mt19937 rng{std::random_device{}()};
    const fs::path target = fs::path(path);
    fs::path tmp = target;
    tmp += ".tmp" + std::to_string(rng() % 1000000);
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        if (!f) return false;
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        f.flush();
        if (!f) {
            f.close();
            std::error_code ec;
            fs::remove(tmp, ec);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(tmp, target, ec);
    if (ec) {
        fs::remove(tmp, ec);
        return false;
    }
    return true;
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
    fs::rename(fs::path(from), fs::path(to), ec);
    return !ec;
}
