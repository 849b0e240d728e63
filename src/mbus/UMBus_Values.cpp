#include "mbus/UMBus_Values.h"

#include "mbus/UMBus_TextBuf.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr int kNoCode = -1;

const char* const kDhms[4] = {"Seconds", "Minutes", "Hours", "Days"};
const char* const kDhmsPlural[4] = {"Second(s)", "Minute(s)", "Hour(s)", "Day(s)"};

// Signed little-endian integer of `count` bytes.
long double Signed_LE(const std::uint8_t* b, int count)
{
    std::uint64_t u = 0;
    for (int i = 0; i < count; ++i) u |= std::uint64_t(b[i]) << (8 * i);
    if (count < 8 && count > 0 && (b[count - 1] & 0x80)) u |= ~std::uint64_t(0) << (8 * count);
    return static_cast<long double>(static_cast<std::int64_t>(u));
}

using TValueText = TTextBuf<512>;

// Decimal with at least two digits, appended.
void Append_Two_Digits(TValueText& s, int v)
{
    if (v >= 0 && v < 10) s << '0';
    s << v;
}

// A type G date with every bit set stands for no date.
bool Date_G_Invalid(const std::uint8_t* b) { return b[0] == 0xFF && b[1] == 0xFF; }

void Append_Date_G(TValueText& s, const std::uint8_t* b)
{
    Append_Two_Digits(s, b[0] & 0x1F);
    s << '/';
    Append_Two_Digits(s, b[1] & 0x0F);
    s << '/';
    Append_Two_Digits(s, (b[0] >> 5) | ((b[1] >> 1) & 0x78));
}

void Append_Time(TValueText& s, int hour, int minute)
{
    Append_Two_Digits(s, hour);
    s << ':';
    Append_Two_Digits(s, minute);
}

void Date_G(TValueText& s, const std::uint8_t* b)
{
    s.Clear();
    if (Date_G_Invalid(b)) {
        s << kInvalidDate;
        return;
    }
    Append_Date_G(s, b);
}

// Type F: bit 7 of the minute byte marks the time invalid.
void Date_F(TValueText& s, const std::uint8_t* b)
{
    s.Clear();
    if ((b[0] & 0x80) || Date_G_Invalid(b + 2)) {
        s << kInvalidDate;
        return;
    }
    Append_Date_G(s, b + 2);
    s << ' ';
    Append_Time(s, b[1] & 0x1F, b[0] & 0x3F);
}

void Time_J(TValueText& s, const std::uint8_t* b)
{
    s.Clear();
    Append_Time(s, b[2] & 0x1F, b[1] & 0x3F);
    s << ':';
    Append_Two_Digits(s, b[0] & 0x3F);
}

void Date_I(TValueText& s, const std::uint8_t* b)
{
    static const char* const weekdays[8] = {"",         "Monday ", "Tuesday ",  "Wednesday ",
                                            "Thursday ", "Friday ", "Saturday ", "Sunday "};
    s.Clear();
    if (Date_G_Invalid(b + 3)) {
        s << kInvalidDate;
        return;
    }
    s << weekdays[b[2] >> 5];
    Append_Date_G(s, b + 3);
    s << ' ';
    Append_Time(s, b[2] & 0x1F, b[1] & 0x3F);
    s << ':';
    Append_Two_Digits(s, b[0] & 0x3F);
}

// What one table row gives: text, code and power of ten.
struct TQuantity {
    std::string text;
    int code = kNoCode;
    int exponent = 0;
};

// Primary VIF (VIF and 7F) other than the time points 6C and 6D, whose
// text depends on the data field.
TQuantity Primary(int v)
{
    const int e7 = v & 7, e3 = v & 3;
    if (v <= 0x07) return {"Energy Wh", 0, e7 - 3};
    if (v <= 0x0F) return {"Energy J", 1, e7};
    if (v <= 0x17) return {"Volume m3", 2, e7 - 6};
    if (v <= 0x1F) return {"Mass kg", 3, e7 - 3};
    if (v <= 0x23) return {std::string("On Time ") + kDhms[e3], 4, 0};
    if (v <= 0x27) return {std::string("Operating Time ") + kDhms[e3], 5, 0};
    if (v <= 0x2F) return {"Power W", 6, e7 - 3};
    if (v <= 0x37) return {"Power J/h", 7, e7};
    if (v <= 0x3F) return {"Volume Flow m3/h", 8, e7 - 6};
    if (v <= 0x47) return {"Volume Flow ext. m3/min", 9, e7 - 7};
    if (v <= 0x4F) return {"Volume Flow ext. m3/s", 10, e7 - 9};
    if (v <= 0x57) return {"Mass Flow kg/h", 11, e7 - 3};
    if (v <= 0x5B) return {"Flow Temperature \u00B0C", 12, e3 - 3};
    if (v <= 0x5F) return {"Return Temperature \u00B0C", 13, e3 - 3};
    if (v <= 0x63) return {"Temperature Difference K", 14, e3 - 3};
    if (v <= 0x67) return {"External Temperature \u00B0C", 15, e3 - 3};
    if (v <= 0x6B) return {"Pressure bar", 16, e3 - 3};
    if (v <= 0x6D) return {"", 20, 0};
    if (v == 0x6E) return {"Units for H.C.A.", 22, 0};
    if (v == 0x6F) return {"", kNoCode, 0};
    if (v <= 0x73) return {std::string("Averaging Duration ") + kDhms[e3], 17, 0};
    if (v <= 0x77) return {std::string("Actuality Duration ") + kDhms[e3], 18, 0};
    if (v == 0x78) return {"Fabrication No", 23, 0};
    if (v == 0x79) return {"Identification", 24, 0};
    if (v == 0x7A) return {"Bus Address", 25, 0};
    if (v == 0x7B || v == 0x7D) return {"", 19, 0};
    if (v == 0x7C) return {"Vif in following String", 25, 0};
    if (v == 0x7E) return {"Any VIF", kNoCode, 0};
    return {"Manufacturer Specific", kNoCode, 0};
}

// Text of a time point (VIF 6C, 6D) by the data field, with its value text.
const char* Time_Point(std::uint8_t dataField, const std::uint8_t* data, int length, TValueText& valueText,
                       bool& hasValueText)
{
    switch (dataField) {
    case 2:
        if (length >= 2) Date_G(valueText, data), hasValueText = true;
        return "Time Point Date (Type G)";
    case 4:
        if (length >= 4) Date_F(valueText, data), hasValueText = true;
        return "Time Point Date and Time (Type F)";
    case 3:
        if (length >= 3) Time_J(valueText, data), hasValueText = true;
        return "Time Point Extended Time Point (Type J)";
    case 6:
        if (length >= 6) Date_I(valueText, data), hasValueText = true;
        return "Time Point Extended Date and Time Point (Type I)";
    default:
        return "";
    }
}

// First VIFE after FD (VIFE and 7F).
TQuantity Extension_FD(int x)
{
    const int x3 = x & 3;
    if (x <= 0x03) return {"Credit of (currency units)", 1, x3 - 3};
    if (x <= 0x07) return {"Debit of (currency units)", 2, x3 - 3};
    switch (x) {
    case 0x08: return {"Unique message Identification", 3, 0};
    case 0x09: return {"Device Type", 4, 0};
    case 0x0A: return {"Manufacturer", 5, 0};
    case 0x0B: return {"Parameter Set Identification", 6, 0};
    case 0x0C: return {"Model Version", 7, 0};
    case 0x0D: return {"Hardware Version Number", 8, 0};
    case 0x0E: return {"Metrology (Firmware) Version Number", 9, 0};
    case 0x0F: return {"Other Software Version Number", 10, 0};
    case 0x10: return {"Customer LOcation", 11, 0};
    case 0x11: return {"Customer", 12, 0};
    case 0x12: return {"Access Code User", 13, 0};
    case 0x13: return {"Access Code Operator", 14, 0};
    case 0x14: return {"Access Code System Operator", 15, 0};
    case 0x15: return {"Access Code Developer", 16, 0};
    case 0x16: return {"Password", 17, 0};
    case 0x17: return {"Error Flag (Binary)", 18, 0};
    case 0x18: return {"Error Mask", 19, 0};
    case 0x19: return {"Security Key", 126, 0};
    case 0x1A: return {"Digital Output (Binary)", 20, 0};
    case 0x1B: return {"Digital Input (Binary)", 21, 0};
    case 0x1C: return {"Baudrate [Baud]", 22, 0};
    case 0x1D: return {"Responce Delay Time [Bit-Times]", 23, 0};
    case 0x1E: return {"Retry", 24, 0};
    case 0x1F: return {"Remote Control (Device Specific e.g. Gas Value)", 127, 0};
    case 0x20: return {"First Storage Number for Cyclic Storage", 25, 0};
    case 0x21: return {"Last Storage Number for Cyclic Storage", 26, 0};
    case 0x22: return {"Size of Storage Block", 27, 0};
    case 0x28: return {"Storage Interval Month(s)", 29, 0};
    case 0x29: return {"Storage Interval Year(s)", 30, 0};
    case 0x2A: return {"Operator Specific Data", 128, 0};
    case 0x2B: return {"Time Point Second (0 to 59)", 129, 0};
    case 0x30: return {"Start (Date/Time) of Tariff", 32, 0};
    case 0x38: return {"Period of Tariff Month(s)", 35, 0};
    case 0x39: return {"Period of Tariff Year(s)", 36, 0};
    case 0x3A: return {"Dimensionless / No VIF", 37, 0};
    case 0x3B: return {"Data Container for Wireless M-Bus Protocol", 130, 0};
    case 0x60: return {"Reset Counter", 40, 0};
    case 0x61: return {"Cumulation Counter", 41, 0};
    case 0x62: return {"Control Signal", 42, 0};
    case 0x63: return {"Day of Week", 43, 0};
    case 0x64: return {"Week Number", 44, 0};
    case 0x65: return {"Time Point of Day Change", 45, 0};
    case 0x66: return {"State of Parameter Activation", 46, 0};
    case 0x67: return {"Special Supplier Information", 47, 0};
    case 0x70: return {"Date and Time of Battery Change", 50, 0};
    case 0x71: return {"RF Level Units: dBm", 132, 0};
    case 0x72: return {"Daylight Savings (Beginning, Ending, Deviation) Data Type K", 133, 0};
    case 0x73: return {"Listening Window Management Data Type L", 134, 0};
    case 0x74: return {"Remaining Battery Life Time (Days)", 135, 0};
    case 0x75: return {"Number Times the Meter Was Stopped", 136, 0};
    default: break;
    }
    static const char* const hdmy[4] = {"Hour(s)", "Day(s)", "Month(s)", "Year(s)"};
    if (x >= 0x24 && x <= 0x27) return {std::string("Storage Interval ") + kDhmsPlural[x3], 28, 0};
    if (x >= 0x2C && x <= 0x2F) return {std::string("Duration Since Last Readout ") + kDhmsPlural[x3], 31, 0};
    if (x >= 0x31 && x <= 0x33) return {std::string("Duration of Tariff ") + kDhmsPlural[x3], 33, 0};
    if (x >= 0x34 && x <= 0x37) return {std::string("Period of Tariff ") + kDhmsPlural[x3], 34, 0};
    if (x >= 0x3C && x <= 0x3F)
        return {std::string("Period of Nominal Data Transmissions ") + kDhmsPlural[x3], 131, 0};
    if (x >= 0x40 && x <= 0x4F) return {"Electric Units Volts", 38, (x & 0x0F) - 9};
    if (x >= 0x50 && x <= 0x5F) return {"Electric Units A", 39, (x & 0x0F) - 12};
    if (x >= 0x68 && x <= 0x6B) return {std::string("Duration Since Last Cumulation ") + hdmy[x3], 48, 0};
    if (x >= 0x6C && x <= 0x6F) return {std::string("Operating Time Battery ") + hdmy[x3], 49, 0};
    return {"Reserved", kNoCode, 0};
}

// First VIFE after FB (VIFE and 7F).
TQuantity Extension_FB(int x)
{
    const int x1 = x & 1, x3 = x & 3;
    switch (x) {
    case 0x00: case 0x01: return {"Energy MWh", 51, x1 - 1};
    case 0x02: case 0x03: return {"Reactive Energy kVARh", 137, x1};
    case 0x04: case 0x05: return {"Apparent Energy kVAh", 138, x1};
    case 0x08: case 0x09: return {"Energy GJ", 52, x1 - 1};
    case 0x0C: case 0x0D: case 0x0E: case 0x0F: return {"Energy MCal", 139, x3 - 1};
    case 0x10: case 0x11: return {"Volume m3", 53, x1 + 2};
    case 0x14: case 0x15: case 0x16: case 0x17: return {"Reactive Power kVAR", 140, x3 - 3};
    case 0x18: case 0x19: return {"Volume t", 54, x1 + 2};
    case 0x1A: case 0x1B: return {"Relative Humidity %", 141, x1 - 1};
    case 0x20: return {"Volume Feet 3", 142, 0};
    case 0x21: return {"Volume 0,1 Feet 3", 55, 0};
    case 0x22: return {"Volume 0,1 American Gallon", 56, 0};
    case 0x23: return {"Volume 1 American Gallon", 57, 0};
    case 0x24: return {"Volume Flow 0,001 American Gallon/min", 58, 0};
    case 0x25: return {"Volume Flow 1 American Gallon/min", 59, 0};
    case 0x26: return {"Volume Flow 1 American Gallon/h", 60, 0};
    case 0x28: case 0x29: return {"Power MW", 61, x1 - 1};
    case 0x2A: return {"Phase U-U (Volt. to Volt.)", 143, 0};
    case 0x2B: return {"Phase U-I (Volt. to Current)", 144, 0};
    case 0x2C: case 0x2D: case 0x2E: case 0x2F: return {"Frequency Hz", 145, x3 - 3};
    case 0x30: case 0x31: return {"Power GJ/h", 62, x1 - 1};
    case 0x34: case 0x35: case 0x36: case 0x37: return {"Apparent Power kVA", 146, x3 - 3};
    default: break;
    }
    if (x >= 0x58 && x <= 0x5B) return {"Flow Temperature \u00B0F", 63, x3 - 3};
    if (x >= 0x5C && x <= 0x5F) return {"Return Temperature \u00B0F", 64, x3 - 3};
    if (x >= 0x60 && x <= 0x63) return {"Temperature Difference \u00B0F", 65, x3 - 3};
    if (x >= 0x64 && x <= 0x67) return {"External Temperature \u00B0F", 66, x3 - 3};
    if (x >= 0x70 && x <= 0x73) return {"Cold / Warm Temperature Limit \u00B0F", 67, x3 - 3};
    if (x >= 0x74 && x <= 0x77) return {"Cold / Warm Temperature Limit \u00B0C", 68, x3 - 3};
    if (x >= 0x78 && x <= 0x7F) return {"Cum. Max. of Active Power W", 69, (x & 7) - 3};
    return {"Reserved", kNoCode, 0};
}

// Combinable VIFE (VIFE and 7F) other than the 7C prefix: its text, its code
// and the power of ten it applies. Date-naming VIFEs set `isDate`.
TQuantity Combinable(int x, bool& isDate)
{
    isDate = false;
    switch (x) {
    case 0x00: return {" - None", 108, 0};
    case 0x01: return {" - Too Many DIFEs", 109, 0};
    case 0x02: return {" - Storage Number not Implemented", 110, 0};
    case 0x03: return {" - Unit Number not Implemented", 111, 0};
    case 0x04: return {" - Tariff Number not Implemented", 112, 0};
    case 0x05: return {" - Function not Implemented", 113, 0};
    case 0x06: return {" - Data Class not Implemented", 114, 0};
    case 0x07: return {" - Data Size not Implemented", 115, 0};
    case 0x0B: return {" - Too Many VIFEs", 116, 0};
    case 0x0C: return {" - Illegal VIF-Group", 117, 0};
    case 0x0D: return {" - Illegal VIF-Exponent", 118, 0};
    case 0x0E: return {" - VIF / DIF Mismatch", 119, 0};
    case 0x0F: return {" - Unimplemented Action", 120, 0};
    case 0x15: return {" - No Data Available (Undefined Value)", 121, 0};
    case 0x16: return {" - Data Overflow", 122, 0};
    case 0x17: return {" - Data Underflow", 123, 0};
    case 0x18: return {" - Data Error", 124, 0};
    case 0x1C: return {" - Premature End of Record", 125, 0};
    case 0x20: return {" - Per Second", 70, 0};
    case 0x21: return {" - Per Minute", 71, 0};
    case 0x22: return {" - Per Hour", 72, 0};
    case 0x23: return {" - Per Day", 73, 0};
    case 0x24: return {" - Per Week", 74, 0};
    case 0x25: return {" - Per Month", 75, 0};
    case 0x26: return {" - Per Year", 76, 0};
    case 0x27: return {" - Per Revolution / Measurement", 77, 0};
    case 0x28: return {" - Increment per Input Pulse on Input Channel 0", 78, 0};
    case 0x29: return {" - Increment per Input Pulse on Input Channel 1", 78, 0};
    case 0x2A: return {" - Increment per Output Pulse on Output Channel 0", 79, 0};
    case 0x2B: return {" - Increment per Output Pulse on Output Channel 1", 79, 0};
    case 0x2C: return {" - Per Liter", 80, 0};
    case 0x2D: return {" - Per m3", 81, 0};
    case 0x2E: return {" - Per kg", 82, 0};
    case 0x2F: return {" - Per K (Kelvin)", 83, 0};
    case 0x30: return {" - Per kWh", 84, 0};
    case 0x31: return {" - Per GJ", 85, 0};
    case 0x32: return {" - Per kW", 86, 0};
    case 0x33: return {" - Per (K*l)(Kelvin * Litre)", 87, 0};
    case 0x34: return {" - Per V (Volt)", 88, 0};
    case 0x35: return {" - Per (A) (Ampere)", 89, 0};
    case 0x36: return {" - Multiplied by s", 90, 0};
    case 0x37: return {" - Multiplied by s / V", 91, 0};
    case 0x38: return {" - Multiplied by s / A", 92, 0};
    case 0x39: return {" - Start Date (/Time) of", 93, 0};
    case 0x3A:
        return {" - VIF Contains Uncorrect Unit or Value at Metering Conditions Instead of Converted Unit", 94, 0};
    case 0x3B: return {" - Accumulation Only if Positive Contributions (Forward Flow Contribution)", 95, 0};
    case 0x3C: return {" - Accumulation of abs Value Only if Negative Contributions (Backward Flow)", 96, 0};
    case 0x3D: return {" - Reserved for Alternate non-metric Unit System (according to Annex C)", 147, 0};
    case 0x3E: return {" - Value at Base Conditions", 148, 0};
    case 0x40: return {" - Lower Limit Value", 97, 0};
    case 0x41: return {" - # of Exceeds of Lower Limit", 98, 0};
    case 0x48: return {" - Upper Limit Value", 97, 0};
    case 0x49: return {" - # of Exceeds of Upper Limit", 98, 0};
    case 0x68: return {" - Value During Lower Limit Exceed", 149, 0};
    case 0x69: return {" - Leakage Values", 150, 0};
    case 0x6C: return {" - Value During Upper Limit Exceed", 149, 0};
    case 0x6D: return {" - Overflow Values", 151, 0};
    case 0x7D: return {" - Multiplicative Cerrection Factor: 10^(3)", 105, 3};
    case 0x7E: return {" - Future Value", 106, 0};
    case 0x7F: return {" - Next VIFEs and Data of This Block Are Manufacturer Specific", 107, 0};
    default: break;
    }
    static const char* const beginEnd[2] = {"Begin", "End"};
    switch (x) {
    case 0x42: case 0x43: case 0x46: case 0x47: case 0x4A: case 0x4B: case 0x4E: case 0x4F: {
        isDate = true;
        const char* firstLast = (x & 4) ? "Last" : "First";
        const char* lowerUpper = (x & 8) ? "Upper" : "Lower";
        return {std::string(" - Date(/Time) of ") + beginEnd[x & 1] + " of " + firstLast + " " + lowerUpper +
                    " Limit Exceed",
                99, 0};
    }
    case 0x6A: case 0x6B: case 0x6E: case 0x6F:
        isDate = true;
        return {std::string(" - Date(/Time) of ") + beginEnd[x & 1] + " of " + ((x & 4) ? "Last" : "First"), 102, 0};
    default: break;
    }
    const std::string nn = "0" + std::to_string(x & 3);
    if (x >= 0x50 && x <= 0x5F) {
        const char* firstLast = (x & 4) ? "Last" : "First";
        const char* lowerUpper = (x & 8) ? "Upper" : "Lower";
        return {" - Duration " + nn + " of " + firstLast + " " + lowerUpper + " Limit Exceed", 100, 0};
    }
    if (x >= 0x60 && x <= 0x67) return {" - Duration " + nn + " of " + ((x & 4) ? "Last" : "First"), 101, 0};
    if (x >= 0x70 && x <= 0x77) {
        const int e = (x & 7) - 6;
        return {" - Moltiplicative Correction Factor: 10^(" + std::to_string(e) + ")", 103, e};
    }
    if (x >= 0x78 && x <= 0x7B) {
        const int e = (x & 3) - 3;
        return {" - Additive Correction Constant: 10^(" + std::to_string(e) + ") * Unit of VIF", 104, e};
    }
    return {" - Reserved", kNoCode, 0};
}

// Text of the sub-code that follows a 7C VIFE; empty for the others.
const char* Phase_Text(int sub)
{
    switch (sub) {
    case 0x01: return " - At Phase L1";
    case 0x02: return " - At Phase L2";
    case 0x03: return " - At Phase L3";
    case 0x04: return " - At Neutral (N)";
    case 0x05: return " - Between Phase L1 and L2";
    case 0x06: return " - Between Phase L2 and L3";
    case 0x07: return " - Between Phase L3 and L1";
    case 0x10: return " - Accumulation of abs. Value for Both Positive and Negative Contribution (Absolute Count)";
    default: return "";
    }
}

// The four tables by (byte and 7F), built once from the functions above.
struct TTables {
    std::array<TQuantity, 128> primary, fd, fb, combinable;
    std::array<bool, 128> combinableIsDate{};
};

const TTables& Tables()
{
    static const TTables tables = [] {
        TTables t;
        for (int x = 0; x < 128; ++x) {
            t.primary[static_cast<size_t>(x)] = Primary(x);
            t.fd[static_cast<size_t>(x)] = Extension_FD(x);
            t.fb[static_cast<size_t>(x)] = Extension_FB(x);
            bool isDate = false;
            t.combinable[static_cast<size_t>(x)] = Combinable(x, isDate);
            t.combinableIsDate[static_cast<size_t>(x)] = isDate;
        }
        return t;
    }();
    return tables;
}

// 10^0 .. 10^kPowers-1, each the product of the one before and 10.
constexpr int kPowers = 64;
const std::array<long double, kPowers>& Powers()
{
    static const std::array<long double, kPowers> powers = [] {
        std::array<long double, kPowers> p{};
        long double r = 1;
        for (int i = 0; i < kPowers; ++i) {
            p[static_cast<size_t>(i)] = r;
            r *= 10;
        }
        return p;
    }();
    return powers;
}

// A BCD number whose digits are all 0..9; the high nibble of the last byte
// may be the sign nibble F.
bool BCD_Digits_Valid(const std::uint8_t* bytes, int count)
{
    for (int i = 0; i < count; ++i) {
        const std::uint8_t b = bytes[i];
        if ((b & 0x0F) > 9) return false;
        if ((b >> 4) > 9 && !(i == count - 1 && (b >> 4) == 0x0F)) return false;
    }
    return true;
}

// Bytes as text, last received first: Latin-1 characters as UTF-8, control
// characters as "?".
void Text_Reversed(TValueText& s, const std::uint8_t* data, int length)
{
    s.Clear();
    for (int i = length; i-- > 0;) {
        if (data[i] < 0x20)
            s << '?';
        else
            s.Latin1(data[i]);
    }
}

// Bytes in upper-case hexadecimal, last received first.
void Hex_Reversed(TValueText& s, const std::uint8_t* data, int length)
{
    s.Clear();
    for (int i = length; i-- > 0;) s.Hex(data[i]);
}

} // namespace

long double Power_Of_Ten(int exponent)
{
    const int n = exponent < 0 ? -exponent : exponent;
    long double r;
    if (n < kPowers) {
        r = Powers()[static_cast<size_t>(n)];
    } else {
        r = 1;
        for (int i = 0; i < n; ++i) r *= 10;
    }
    return exponent < 0 ? 1 / r : r;
}

long double BCD_To_Int(const std::uint8_t* bytes, int count)
{
    long double v = 0;
    bool negative = false;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t b = bytes[i];
        v += (b & 0x0F) * Power_Of_Ten(2 * i);
        if (i == count - 1 && b >= 0xF0)
            negative = true;
        else
            v += (b >> 4) * Power_Of_Ten(2 * i + 1);
    }
    return negative ? -v : v;
}

std::string Two_Digits(int v)
{
    TValueText s;
    Append_Two_Digits(s, v);
    return std::string(s.View());
}

namespace {

// The decimal separator, and "e+16" -> "E16", "e-05" -> "E-5".
void Append_Printf_Form(TValueText& s, const char* p, const char* end, char decimal)
{
    for (; p != end; ++p) {
        if (*p == '.') {
            s << decimal;
        } else if (*p == 'e') {
            s << 'E';
            ++p;
            if (*p == '-') s << '-';
            ++p;
            while (p + 1 != end && *p == '0') ++p;
            s << std::string_view(p, static_cast<size_t>(end - p));
            return;
        } else {
            s << *p;
        }
    }
}

// The number as printf's "%.15G" writes it. A v that is the double nearest
// to some M / 10^k with M below 10^15 is, rounded to 15 significant digits,
// exactly that decimal (v lies far closer to it than half a step of the
// 15th digit), so it is written from M in "%G"'s fixed form without
// trailing zeros; every other value is rounded by the library.
void Append_General_Number(TValueText& s, double v)
{
    if (!std::isfinite(v)) {
        s << (std::isnan(v) ? "NAN" : v < 0 ? "-INF" : "INF");
        return;
    }
    const char decimal = FormatSettings().DecimalSeparator;
    const double a = std::fabs(v);
    constexpr double kPowers10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10,
                                    1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
    constexpr std::uint64_t kLimit = 1000000000000000ull;  // 10^15
    if (a == 0) {
        s << (std::signbit(v) ? "-0" : "0");
        return;
    }
    if (a < 1e15 && a >= 5e-5) {
        for (int k = 0; k < 20; ++k) {
            const double scaled = std::nearbyint(a * kPowers10[k]);
            if (scaled >= static_cast<double>(kLimit)) break;
            if (scaled / kPowers10[k] != a) continue;
            const auto m = static_cast<std::uint64_t>(scaled);
            // Below 10^-4 "%G" turns to its scientific form.
            if (k >= 4 && m < static_cast<std::uint64_t>(kPowers10[k - 4])) break;
            const auto unit = static_cast<std::uint64_t>(kPowers10[k]);
            if (v < 0) s << '-';
            char digits[24];
            auto r = std::to_chars(digits, digits + sizeof digits, m / unit);
            s << std::string_view(digits, static_cast<size_t>(r.ptr - digits));
            std::uint64_t fraction = m % unit;
            if (fraction == 0) return;
            int places = k;
            while (fraction % 10 == 0) fraction /= 10, --places;
            r = std::to_chars(digits, digits + sizeof digits, fraction);
            s << decimal;
            for (int z = static_cast<int>(r.ptr - digits); z < places; ++z) s << '0';
            s << std::string_view(digits, static_cast<size_t>(r.ptr - digits));
            return;
        }
    }
    char buf[64];
    const auto g = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    Append_Printf_Form(s, buf, g.ptr, decimal);
}

} // namespace

void Append_General_Number(std::string& s, double v)
{
    TValueText t;
    Append_General_Number(t, v);
    s += t.View();
}

void Decode_Value_VIF(std::uint8_t vif, std::uint8_t firstVife, TVariable_MBus& rec, int dataLength,
                      std::uint8_t lvar, std::uint8_t dataField, const TRecordScratch& scratch)
{
    const TTables& tables = Tables();
    const std::uint8_t* data = scratch.App_Data_Val.data();
    const int length = std::clamp(dataLength, 0, static_cast<int>(scratch.App_Data_Val.size()));
    TValueText valueText;
    bool hasValueText = false;

    // 1. The number by the data field; text and binary variable-length data
    // and BCD with a digit above 9 give a text instead.
    long double number = 0;
    const auto bcd = [&](int count, bool negate) {
        if (!BCD_Digits_Valid(data, count)) {
            rec.errata = true;
            rec.sterror = kErrNotAnalysable;
            valueText.Clear();
            valueText << kInvalidBCD;
            hasValueText = true;
            return;
        }
        number = negate ? -BCD_To_Int(data, count) : BCD_To_Int(data, count);
    };
    switch (dataField) {
    case 1: case 2: case 3: case 4: case 6: case 7: {
        static const int sizes[8] = {0, 1, 2, 3, 4, 0, 6, 8};
        number = Signed_LE(data, std::min(sizes[dataField], length));
        break;
    }
    case 5:
        if (length >= 4) {
            float f;
            std::memcpy(&f, data, 4);
            number = f;
        }
        break;
    case 9: case 10: case 11: case 12: case 14: {
        static const int sizes[15] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 0, 6};
        bcd(std::min(sizes[dataField], length), false);
        break;
    }
    case 13:
        if (lvar <= 191) {
            Text_Reversed(valueText, data, length);
            hasValueText = true;
        } else if (lvar <= 201) {
            bcd(std::min(lvar - 192, length), false);
        } else if (lvar >= 208 && lvar <= 217) {
            bcd(std::min(lvar - 208, length), true);
        } else if (lvar >= 240 && lvar <= 250) {
            Hex_Reversed(valueText, data, length);
            hasValueText = true;
        }
        break;
    default:
        break;
    }

    // 2. The primary VIF.
    const int v = vif & 0x7F;
    const TQuantity& q = tables.primary[static_cast<size_t>(v)];
    TTextBuf<2048> description;
    if (v == 0x6C || v == 0x6D)
        description << Time_Point(dataField, data, length, valueText, hasValueText);
    else
        description << q.text;
    const int code = q.code;
    int extension = kNoCode;
    number *= Power_Of_Ten(q.exponent);

    // 3. The extension tables, then 4. the combinable VIFEs.
    const int numVife = std::clamp(scratch.Num_Vife, 0, static_cast<int>(scratch.App_Vife_Val.size()));
    if ((vif & 0x80) && vif != 0xFE && vif != 0xFF) {
        int k = 0;
        if (vif == 0xFD || vif == 0xFB) {
            const TQuantity& ext = (vif == 0xFD ? tables.fd : tables.fb)[firstVife & 0x7F];
            description.Clear();
            description << ext.text;
            extension = ext.code;
            number *= Power_Of_Ten(ext.exponent);
            k = 1;
        }
        for (; k < numVife; ++k) {
            const int x = scratch.App_Vife_Val[static_cast<size_t>(k)] & 0x7F;
            if (x == 0x7C) {
                if (k + 1 < numVife) description << Phase_Text(scratch.App_Vife_Val[static_cast<size_t>(++k)] & 0x7F);
                continue;
            }
            const TQuantity& c = tables.combinable[static_cast<size_t>(x)];
            description << c.text;
            if (extension == kNoCode) extension = c.code;
            number *= Power_Of_Ten(c.exponent);
            if (tables.combinableIsDate[static_cast<size_t>(x)]) {
                if (dataField == 2 && length >= 2) Date_G(valueText, data), hasValueText = true;
                else if (dataField == 4 && length >= 4) Date_F(valueText, data), hasValueText = true;
            }
        }
    }

    // 5. Results.
    rec.type_data = static_cast<std::uint16_t>(code);
    rec.Type_Data_Vife = extension == kNoCode ? 0 : extension;
    description.AssignTo(rec.Desc_Type_Data);
    if (!hasValueText) Append_General_Number(valueText, static_cast<double>(number));
    valueText.AssignTo(rec.ValueStr);
}

std::string Medium_Description(int medium)
{
    switch (medium) {
    case 1: return "Oil";
    case 2: return "Electricity";
    case 3: return "Gas";
    case 4: return "Heat (outlet)";
    case 5: return "Steam";
    case 6: return "Hot Water";
    case 7: return "Water";
    case 8: return "Heat Cost Allocator.";
    case 9: return "Compressed Air";
    case 10: return "Cooling load meter (outlet)";
    case 11: return "Cooling load meter (inlet)";
    case 12: return "Heat (inlet) ";
    case 13: return "Heat/Cooling load meter";
    case 14: return "Bus/System";
    case 15: return "Unknown Medium";
    case 22: return "Cold Water";
    case 23: return "Dual Water";
    case 24: return "Pressure";
    case 25: return "A/D Converter";
    default: return "Other";
    }
}

char Man_Letter(int code)
{
    const int c = code + 64;
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c) : '?';
}

std::string Trova_Man(std::uint16_t m)
{
    return {Man_Letter(m >> 10), Man_Letter((m >> 5) & 0x1F), Man_Letter(m & 0x1F)};
}
