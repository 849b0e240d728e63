#include "mbus/UMBus_Values.h"

#include "platform/SysUtils.h"

#include <algorithm>
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

std::string Date_G(const std::uint8_t* b)
{
    const int day = b[0] & 0x1F;
    const int month = b[1] & 0x0F;
    const int year = (b[0] >> 5) | ((b[1] >> 1) & 0x78);
    return Two_Digits(day) + "/" + Two_Digits(month) + "/" + Two_Digits(year);
}

std::string Date_F(const std::uint8_t* b)
{
    const int minute = b[0] & 0x3F;
    const int hour = b[1] & 0x1F;
    return Date_G(b + 2) + " " + Two_Digits(hour) + ":" + Two_Digits(minute);
}

std::string Time_J(const std::uint8_t* b)
{
    return Two_Digits(b[2] & 0x1F) + ":" + Two_Digits(b[1] & 0x3F) + ":" + Two_Digits(b[0] & 0x3F);
}

std::string Date_I(const std::uint8_t* b)
{
    static const char* const weekdays[8] = {"",         "Monday ", "Tuesday ",  "Wednesday ",
                                            "Thursday ", "Friday ", "Saturday ", "Sunday "};
    const int second = b[0] & 0x3F;
    const int minute = b[1] & 0x3F;
    const int hour = b[2] & 0x1F;
    const int weekday = b[2] >> 5;
    return std::string(weekdays[weekday]) + Date_G(b + 3) + " " + Two_Digits(hour) + ":" + Two_Digits(minute) + ":" +
           Two_Digits(second);
}

// What one table row gives: text, code and power of ten.
struct TQuantity {
    std::string text;
    int code = kNoCode;
    int exponent = 0;
};

// Primary VIF (VIF and 7F). Dates and plain strings set `valueText`.
TQuantity Primary(int v, std::uint8_t dataField, const std::uint8_t* data, int length, std::string& valueText,
                  bool& hasValueText)
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
    if (v <= 0x6D) {
        TQuantity q{"", 20, 0};
        switch (dataField) {
        case 2:
            q.text = "Time Point Date (Type G)";
            if (length >= 2) valueText = Date_G(data), hasValueText = true;
            break;
        case 4:
            q.text = "Time Point Date and Time (Type F)";
            if (length >= 4) valueText = Date_F(data), hasValueText = true;
            break;
        case 3:
            q.text = "Time Point Extended Time Point (Type J)";
            if (length >= 3) valueText = Time_J(data), hasValueText = true;
            break;
        case 6:
            q.text = "Time Point Extended Date and Time Point (Type I)";
            if (length >= 6) valueText = Date_I(data), hasValueText = true;
            break;
        default:
            break;
        }
        return q;
    }
    if (v == 0x6E) return {"Units for H.C.A.", 22, 0};
    if (v == 0x6F) return {"", kNoCode, 0};
    if (v <= 0x73) return {std::string("Averaging Duration ") + kDhms[e3], 17, 0};
    if (v <= 0x77) return {std::string("Actuality Duration ") + kDhms[e3], 18, 0};
    if (v == 0x78) return {"Fabrication No", 23, 0};
    if (v == 0x79) return {"Identification", 24, 0};
    if (v == 0x7A) return {"Bus Address", 25, 0};
    if (v == 0x7B || v == 0x7D) return {"", 19, 0};
    if (v == 0x7C) {
        // Plain bytes as characters, in received order (Latin-1 to UTF-8).
        std::string s;
        for (int i = 0; i < length; ++i) {
            const std::uint8_t c = data[i];
            if (c < 0x80) {
                s += static_cast<char>(c);
            } else {
                s += static_cast<char>(0xC0 | (c >> 6));
                s += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        valueText = s;
        hasValueText = true;
        return {"Vif in following String", 25, 0};
    }
    if (v == 0x7E) return {"Any VIF", kNoCode, 0};
    return {"Manufacturer Specific", kNoCode, 0};
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

} // namespace

long double Power_Of_Ten(int exponent)
{
    long double r = 1;
    const int n = exponent < 0 ? -exponent : exponent;
    for (int i = 0; i < n; ++i) r *= 10;
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
    std::string s = std::to_string(v);
    if (s.size() < 2) s.insert(s.begin(), '0');
    return s;
}

void Decode_Value_VIF(std::uint8_t vif, std::uint8_t firstVife, TVariable_MBus& rec, int dataLength,
                      std::uint8_t lvar, std::uint8_t dataField, const TRecordScratch& scratch)
{
    const std::uint8_t* data = scratch.App_Data_Val.data();
    const int length = std::clamp(dataLength, 0, static_cast<int>(scratch.App_Data_Val.size()));

    // 1. The number by the data field.
    long double number = 0;
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
        number = BCD_To_Int(data, std::min(sizes[dataField], length));
        break;
    }
    case 13:
        if (lvar >= 192 && lvar <= 201)
            number = BCD_To_Int(data, std::min(lvar - 192, length));
        else if (lvar >= 208 && lvar <= 217)
            number = -BCD_To_Int(data, std::min(lvar - 208, length));
        break;
    default:
        break;
    }

    // 2. The primary VIF.
    std::string valueText;
    bool hasValueText = false;
    TQuantity q = Primary(vif & 0x7F, dataField, data, length, valueText, hasValueText);
    std::string description = q.text;
    const int code = q.code;
    int extension = kNoCode;
    number *= Power_Of_Ten(q.exponent);

    // 3. The extension tables, then 4. the combinable VIFEs.
    const int numVife = std::clamp(scratch.Num_Vife, 0, static_cast<int>(scratch.App_Vife_Val.size()));
    if ((vif & 0x80) && vif != 0xFE && vif != 0xFF) {
        int k = 0;
        if (vif == 0xFD || vif == 0xFB) {
            const TQuantity ext = vif == 0xFD ? Extension_FD(firstVife & 0x7F) : Extension_FB(firstVife & 0x7F);
            description = ext.text;
            extension = ext.code;
            number *= Power_Of_Ten(ext.exponent);
            k = 1;
        }
        for (; k < numVife; ++k) {
            const int x = scratch.App_Vife_Val[static_cast<size_t>(k)] & 0x7F;
            if (x == 0x7C) {
                if (k + 1 < numVife) description += Phase_Text(scratch.App_Vife_Val[static_cast<size_t>(++k)] & 0x7F);
                continue;
            }
            bool isDate = false;
            const TQuantity c = Combinable(x, isDate);
            description += c.text;
            if (extension == kNoCode) extension = c.code;
            number *= Power_Of_Ten(c.exponent);
            if (isDate) {
                if (dataField == 2 && length >= 2) valueText = Date_G(data), hasValueText = true;
                else if (dataField == 4 && length >= 4) valueText = Date_F(data), hasValueText = true;
            }
        }
    }

    // 5. Results.
    rec.type_data = static_cast<std::uint16_t>(code);
    rec.Type_Data_Vife = extension == kNoCode ? 0 : extension;
    rec.Desc_Type_Data = description;
    rec.ValueStr = hasValueText ? valueText : FloatToStr(static_cast<double>(number));
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
