#pragma once
// Sets the format settings for one test and restores them afterwards.

#include "platform/SysUtils.h"

class FormatGuard {
public:
    FormatGuard(char dec, char thou, char date, const char* shortDate)
        : saved_(FormatSettings())
    {
        TFormatSettings& fs = FormatSettings();
        fs.DecimalSeparator = dec;
        fs.ThousandSeparator = thou;
        fs.DateSeparator = date;
        fs.TimeSeparator = ':';
        fs.ShortDateFormat = shortDate;
    }
    ~FormatGuard() { FormatSettings() = saved_; }
    FormatGuard(const FormatGuard&) = delete;
    FormatGuard& operator=(const FormatGuard&) = delete;

private:
    TFormatSettings saved_;
};
