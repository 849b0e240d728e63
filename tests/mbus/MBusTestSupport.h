#pragma once
// Helpers of the M-Bus tests: hexadecimal blocks, a fixed clock and the
// format settings the expected texts are written in.

#include "platform/DateUtils.h"
#include "platform/SysUtils.h"

#include <cstdint>
#include <string>
#include <vector>

// "04 13 15 CD" -> {0x04, 0x13, 0x15, 0xCD}; blanks are ignored.
inline std::vector<std::uint8_t> Hex(const std::string& text)
{
    std::vector<std::uint8_t> out;
    int high = -1;
    for (char c : text) {
        int v;
        if (c >= '0' && c <= '9') v = c - '0';
        else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
        else continue;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<std::uint8_t>(high << 4 | v));
            high = -1;
        }
    }
    return out;
}

// While alive: the clock reads 2024-03-05 07:08:09 and the format settings
// are "dd/mm/yyyy", "hh:nn:ss" with "." as decimal separator.
class FixedClockAndFormats {
public:
    FixedClockAndFormats()
        : saved_(FormatSettings()), previous_(SetNowSource([] {
              return EncodeDate(2024, 3, 5) + EncodeTime(7, 8, 9, 0);
          }))
    {
        TFormatSettings& fs = FormatSettings();
        fs.DecimalSeparator = '.';
        fs.ThousandSeparator = ',';
        fs.DateSeparator = '/';
        fs.TimeSeparator = ':';
        fs.ShortDateFormat = "dd/mm/yyyy";
        fs.LongTimeFormat = "hh:nn:ss";
    }
    ~FixedClockAndFormats()
    {
        SetNowSource(previous_);
        FormatSettings() = saved_;
    }
    FixedClockAndFormats(const FixedClockAndFormats&) = delete;
    FixedClockAndFormats& operator=(const FixedClockAndFormats&) = delete;

private:
    TFormatSettings saved_;
    TNowSource previous_;
};
