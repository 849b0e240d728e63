#pragma once
// Version information of a file: the block of the platform's version
// resource (a VS_VERSIONINFO structure, as GetFileVersionInfo gives it).
// Files on this system carry none; tests install a source.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The file's version block; empty when it has none.
std::vector<std::uint8_t> ReadFileVersionInfo(const std::string& FileName);

using TFileVersionSource = std::function<std::vector<std::uint8_t>(const std::string& FileName)>;
// Replaces the reader (nullptr: the platform's); returns the previous one.
TFileVersionSource SetFileVersionSource(TFileVersionSource Source);
