#include "platform/FileVersion.h"

namespace {
TFileVersionSource g_source;
}

std::vector<std::uint8_t> ReadFileVersionInfo(const std::string& FileName)
{
    return g_source ? g_source(FileName) : std::vector<std::uint8_t>{};
}

TFileVersionSource SetFileVersionSource(TFileVersionSource Source)
{
    TFileVersionSource old = std::move(g_source);
    g_source = std::move(Source);
    return old;
}
