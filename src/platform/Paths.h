#pragma once
// Path composition and the file system, with the native separator.

#include <cstdint>
#include <string>
#include <vector>
#include <utility>

constexpr char PathDelim = '/';

// a + separator + b; an empty a gives b alone.
std::string PathJoin(const std::string& a, const std::string& b);
std::string ExtractFileName(const std::string& path);
std::string ExtractFileDir(const std::string& path);
// The extension with its dot ("" when none).
std::string ExtractFileExt(const std::string& path);
std::string ChangeFileExt(const std::string& path, const std::string& ext);

bool FileExists(const std::string& path);
// What stands at path when it is something else than a regular file or a
// link to one: "a folder", "a named pipe", "a device", "a socket" or "a link
// that leads nowhere"; "" when a regular file or nothing is there. Nothing
// is opened.
std::string NonFileKind(const std::string& path);
bool DirectoryExists(const std::string& path);
// True when the file exists and its owner may not write it (the read-only
// attribute of the file system).
bool FileIsReadOnly(const std::string& path);
// Creates one folder (its parent must exist); false when it was not created.
bool CreateDir(const std::string& path);
// Creates the folder and its parents; true when the folder exists afterwards.
bool ForceDirectories(const std::string& path);
bool DeleteFile(const std::string& path);
bool RemoveDir(const std::string& path);
// Names (not paths) of the entries of a folder, sorted; folders or files only.
std::vector<std::string> ListFolders(const std::string& dir);
std::vector<std::string> ListFiles(const std::string& dir);

// The largest file the program reads: far beyond any configuration, rule,
// language or certificate file, so a larger one is refused before it is read.
constexpr std::uint64_t Max_Read_File_Size = std::uint64_t(64) << 20;  // 64 MiB

// Whole file into bytes, read in bulk; false when it is missing, cannot be
// read or is larger than Max_Read_File_Size. why, when given, then says
// which ("the file is larger than 64 MiB" ...). A named pipe or a socket is
// refused unread (reading one could wait for ever); a device is read up to
// the limit.
bool ReadFileBytes(const std::string& path, std::string& out, std::string* why = nullptr);

// Who may read a file the program creates.
enum class TFileAccess {
    Shared,   // the usual mode of new files
    Private,  // only its owner (0600): files holding passwords, keys, certificates
};
// Writes the bytes to a temporary file in the same folder, flushes it and
// its folder to the disk and renames it over the target, so the previous
// file survives a failed or interrupted write. The file keeps the mode of
// the file it replaces; a new one gets the mode of access. A read-only
// target (its owner may not write it) is not replaced. Temporary files that
// earlier interrupted saves of the same file left behind are removed. False
// on any failure (the target then stays as it was).
bool WriteFileAtomic(const std::string& path, const std::string& bytes,
                     TFileAccess access = TFileAccess::Shared);

// Files replaced together: Stage writes each file's bytes into a temporary
// file beside it, as WriteFileAtomic does (false, nothing left behind, where
// that fails); Commit then renames every staged file over its target. Files
// staged but not committed are removed with the object, so a set of which
// one file could not be staged leaves every target as it was.
class TStagedFiles {
public:
    TStagedFiles() = default;
    ~TStagedFiles();
    TStagedFiles(const TStagedFiles&) = delete;
    TStagedFiles& operator=(const TStagedFiles&) = delete;
    bool Stage(const std::string& path, const std::string& bytes, TFileAccess access = TFileAccess::Shared);
    // The target of the first rename that failed; empty when all succeeded.
    std::string Commit();

private:
    std::vector<std::pair<std::string, std::string>> staged_;  // (temporary, target)
};

// Folder of the running executable.
std::string ExecutableFolder();

// Renames a file, replacing an existing target unless that is read-only.
// False on any failure.
bool RenameFile(const std::string& from, const std::string& to);
// True when both paths exist and name the same file or folder (links and
// the file system's case rules resolved).
bool SameFile(const std::string& a, const std::string& b);
// The path with every link, "." and ".." resolved; "" when it does not exist.
std::string RealPath(const std::string& path);
// True when path lies strictly inside folder, comparing the texts part by
// part (resolve both with RealPath first to compare real locations).
bool PathWithin(const std::string& path, const std::string& folder);
// True when name can be used as one file or folder name: not empty, not
// "." or "..", without "/", "\" or ":".
bool IsPlainFileName(const std::string& name);
