#pragma once
// Path composition and the file system, with the native separator.

#include <string>
#include <vector>

constexpr char PathDelim = '/';

// a + separator + b; an empty a gives b alone.
std::string PathJoin(const std::string& a, const std::string& b);
std::string ExtractFileName(const std::string& path);
std::string ExtractFileDir(const std::string& path);
// The extension with its dot ("" when none).
std::string ExtractFileExt(const std::string& path);
std::string ChangeFileExt(const std::string& path, const std::string& ext);

bool FileExists(const std::string& path);
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

// Whole file into bytes; false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string& out);
// Writes through a temporary file in the same folder and renames it over the
// target, so the previous file survives a failed write. False on any failure.
bool WriteFileAtomic(const std::string& path, const std::string& bytes);

// Folder of the running executable.
std::string ExecutableFolder();

// Renames a file, replacing an existing target. False on any failure.
bool RenameFile(const std::string& from, const std::string& to);
// True when both paths exist and name the same file or folder (links and
// the file system's case rules resolved).
bool SameFile(const std::string& a, const std::string& b);
