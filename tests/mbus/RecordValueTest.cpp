// Value conversion of decoded records: number, quantity and unit texts,
// codes, scaling and date texts, seen through whole records.
#include "mbus/UMBus_Decode.h"
#include "mbus/MBusTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

struct ValueCase {
    const char* block;  // one record
    int type_data;
    int type_data_vife;
    const char* description;
    const char* value;
};

const ValueCase kValueCases[] = {
    // Primary VIFs with their power of ten.
    {"04 13 15 CD 5B 00", 2, 0, "Volume m3", "6016.277"},
    {"02 06 39 30", 0, 0, "Energy Wh", "12345000"},
    {"01 0A 07", 1, 0, "Energy J", "700"},
    {"02 1B 10 00", 3, 0, "Mass kg", "16"},
    {"01 22 05", 4, 0, "On Time Hours", "5"},
    {"01 27 02", 5, 0, "Operating Time Days", "2"},
    {"02 3B 2C 01", 8, 0, "Volume Flow m3/h", "0.3"},
    {"02 59 B7 08", 12, 0, "Flow Temperature \u00B0C", "22.31"},
    {"02 5E 4D 01", 13, 0, "Return Temperature \u00B0C", "33.3"},
    {"02 61 FE FF", 14, 0, "Temperature Difference K", "-0.02"},
    {"01 6B 02", 16, 0, "Pressure bar", "2"},
    {"01 6E 2A", 22, 0, "Units for H.C.A.", "42"},
    {"01 73 03", 17, 0, "Averaging Duration Days", "3"},
    {"04 78 4E 61 BC 00", 23, 0, "Fabrication No", "12345678"},
    {"01 7A 05", 25, 0, "Bus Address", "5"},
    {"01 6F 05", 65535, 0, "", "5"},
    {"01 7F 05", 65535, 0, "Manufacturer Specific", "5"},
    // Data fields: real, 48 and 64 bit, BCD with sign nibble, variable BCD.
    {"05 2B 00 00 C0 3F", 6, 0, "Power W", "1.5"},
    {"06 16 FF FF FF FF FF FF", 2, 0, "Volume m3", "-1"},
    {"07 16 00 00 00 00 00 00 00 01", 2, 0, "Volume m3", "7.20575940379279E16"},
    {"0A 16 45 F1", 2, 0, "Volume m3", "-145"},
    {"0C 16 78 56 34 12", 2, 0, "Volume m3", "12345678"},
    {"0D 16 C2 45 23", 2, 0, "Volume m3", "2345"},
    {"0D 16 D2 45 23", 2, 0, "Volume m3", "-2345"},
    {"0D 16 E2 45 23", 2, 0, "Volume m3", "0"},
    // Dates and times.
    {"04 6D 1E 0E EF 2C", 20, 0, "Time Point Date and Time (Type F)", "15/12/23 14:30"},
    {"02 6C FF 2C", 20, 0, "Time Point Date (Type G)", "31/12/23"},
    {"03 6D 05 04 03", 20, 0, "Time Point Extended Time Point (Type J)", "03:04:05"},
    {"06 6D 05 04 23 EF 2C 00", 20, 0, "Time Point Extended Date and Time Point (Type I)",
     "Monday 15/12/23 03:04:05"},
    {"06 6D 05 04 03 EF 2C 00", 20, 0, "Time Point Extended Date and Time Point (Type I)", "15/12/23 03:04:05"},
    // Extension after FD.
    {"02 FD 17 04 00", 19, 18, "Error Flag (Binary)", "4"},
    {"02 FD 4A 05 00", 19, 38, "Electric Units Volts", "50"},
    {"02 FD 59 E8 03", 19, 39, "Electric Units A", "1"},
    {"01 FD 32 07", 19, 33, "Duration of Tariff Hour(s)", "7"},
    {"01 FD 6A 07", 19, 48, "Duration Since Last Cumulation Month(s)", "7"},
    {"01 FD 0C 07", 19, 7, "Model Version", "7"},
    {"01 FD 76 07", 19, 0, "Reserved", "7"},
    // Extension after FB.
    {"02 FB 1A 2D 02", 19, 141, "Relative Humidity %", "55.7"},
    {"02 FB 00 0C 00", 19, 51, "Energy MWh", "1.2"},
    {"01 FB 11 03", 19, 53, "Volume m3", "3000"},
    {"02 FB 76 E8 03", 19, 68, "Cold / Warm Temperature Limit \u00B0C", "100"},
    {"02 FB 7B 10 00", 19, 69, "Cum. Max. of Active Power W", "16"},
    {"01 FB 40 07", 19, 0, "Reserved", "7"},
    // Combinable VIFEs: text appended, first code wins, scaling.
    {"04 93 3B 10 27 00 00", 2, 95,
     "Volume m3 - Accumulation Only if Positive Contributions (Forward Flow Contribution)", "10"},
    {"04 93 BB 22 10 27 00 00", 2, 95,
     "Volume m3 - Accumulation Only if Positive Contributions (Forward Flow Contribution) - Per Hour", "10"},
    {"02 96 75 7B 00", 2, 103, "Volume m3 - Moltiplicative Correction Factor: 10^(-1)", "12.3"},
    {"02 96 79 7B 00", 2, 104, "Volume m3 - Additive Correction Constant: 10^(-2) * Unit of VIF", "1.23"},
    {"02 96 7D 05 00", 2, 105, "Volume m3 - Multiplicative Cerrection Factor: 10^(3)", "5000"},
    {"01 96 08 05", 2, 0, "Volume m3 - Reserved", "5"},
    {"01 96 5E 05", 2, 100, "Volume m3 - Duration 02 of Last Upper Limit Exceed", "5"},
    {"02 96 6A FF 2C", 2, 102, "Volume m3 - Date(/Time) of Begin of First", "31/12/23"},
    {"04 96 4F 1E 0E EF 2C", 2, 99, "Volume m3 - Date(/Time) of End of Last Upper Limit Exceed", "15/12/23 14:30"},
    {"01 AB FC 01 05", 6, 0, "Power W - At Phase L1", "5"},
    {"01 AB FC 10 05", 6, 0,
     "Power W - Accumulation of abs. Value for Both Positive and Negative Contribution (Absolute Count)", "5"},
    {"01 AB FC 09 05", 6, 0, "Power W", "5"},
    {"01 FD 97 3B 05", 19, 18,
     "Error Flag (Binary) - Accumulation Only if Positive Contributions (Forward Flow Contribution)", "5"},
    // Manufacturer VIF: its VIFEs are not examined.
    {"01 FF 3B 05", 65535, 0, "Manufacturer Specific", "5"},
    // Plain-text VIF: the value is the data by its data field, text last
    // character first.
    {"0D 7C 03 68 2F 6D 03 41 42 43", 25, 0, "Vif in following String", "CBA"},
};

TEST(RecordValue, ConvertsNumbersQuantitiesAndTexts)
{
    FixedClockAndFormats fixed;
    for (const ValueCase& c : kValueCases) {
        SCOPED_TRACE(c.block);
        TVarList list;
        EXPECT_TRUE(Decode_Records(list, Hex(c.block), mtWired));
        ASSERT_EQ(list.size(), 1u);
        const TVariable_MBus& r = *list[0];
        EXPECT_EQ(r.type_data, c.type_data);
        EXPECT_EQ(r.Type_Data_Vife, c.type_data_vife);
        EXPECT_EQ(r.Desc_Type_Data, c.description);
        EXPECT_EQ(r.ValueStr, c.value);
    }
}

// Bytes of `text` as sent by a meter: last character first.
std::string Sent_Reversed(const std::string& text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = text.size(); i-- > 0;) {
        const auto c = static_cast<unsigned char>(text[i]);
        out += hex[c >> 4];
        out += hex[c & 0x0F];
        out += ' ';
    }
    return out;
}

TEST(RecordValue, RecordsOfRealMeters)
{
    FixedClockAndFormats fixed;
    struct Case {
        std::string block;
        size_t records;  // records decoded from the block
        const char* description;
        const char* value;
        const char* unit;  // VIF_ASCII
        bool errata;
        const char* dataField;  // DataFieldStr
    };
    const std::string sixteen = "04 13 15 CD 5B 00 02 FD 17 04 00 01 22 05 01 7A";
    const Case cases[] = {
        // Humidity with a plain-text unit: a 16-bit integer times 10^-2.
        {"02 FC 03 48 52 25 74 22 15", 1, "Vif in following String - Moltiplicative Correction Factor: 10^(-2)",
         "54.1", "%RH", false, "16 Bit Integer"},
        // Fabrication number sent as 17 characters, last first.
        {"0D 78 11 " + Sent_Reversed("G0017591208205814"), 1, "Fabrication No", "G0017591208205814", "", false,
         "Variable Length - ASCII String with 17characters"},
        // Control characters show as "?", the text is never a number.
        {"0D 78 03 " + Sent_Reversed("A\tB"), 1, "Fabrication No", "A?B", "", false,
         "Variable Length - ASCII String with 3characters"},
        {"0D 78 00", 1, "Fabrication No", "", "", false, "Variable Length - ASCII String with 0characters"},
        // LVAR F0: a binary number of 16 bytes, shown last byte first; its
        // bytes are not read as further records.
        {"0D 7C 02 57 50 F0 " + sixteen, 1, "Vif in following String", "7A01052201000417FD02005BCD151304",
         "PW", false, "Variable Length - Binary Number with 16 Bytes"},
        {"0D 13 FA " + sixteen + sixteen + sixteen + "01 02 03 04 05 06 07 08", 1, "Volume m3",
         "08070605040302017A01052201000417FD02005BCD1513047A010522"
         "01000417FD02005BCD1513047A01052201000417FD02005BCD151304",
         "", false, "Variable Length - Binary Number with 56 Bytes"},
        // BCD with digits above 9 is not analysable.
        {"3C 2B BD EB DD DD", 1, "Power W", "Invalid BCD", "", true, "8 Digit BCD"},
        {"0A 16 4A 01", 1, "Volume m3", "Invalid BCD", "", true, "4 Digit BCD"},
        {"0A 16 45 A1", 1, "Volume m3", "Invalid BCD", "", true, "4 Digit BCD"},
        {"0D 16 C2 45 2F", 1, "Volume m3", "Invalid BCD", "", true,
         "Variable Length - Positive BCD Number with 4 digits"},
        {"0A 16 45 F1", 1, "Volume m3", "-145", "", false, "4 Digit BCD"},  // the sign nibble stays
        // Dates the meter marks invalid.
        {"04 6D A1 15 E9 17", 1, "Time Point Date and Time (Type F)", "Invalid date", "", false, "32 Bit Integer"},
        {"04 6D 21 15 E9 17", 1, "Time Point Date and Time (Type F)", "09/07/15 21:33", "", false, "32 Bit Integer"},
        {"02 6C FF FF", 1, "Time Point Date (Type G)", "Invalid date", "", false, "16 Bit Integer"},
        {"02 96 6A FF FF", 1, "Volume m3 - Date(/Time) of Begin of First", "Invalid date", "", false,
         "16 Bit Integer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        TVarList list;
        const std::vector<std::uint8_t> block = Hex(c.block);
        EXPECT_TRUE(Decode_Records(list, block, mtWired));
        ASSERT_EQ(list.size(), c.records);
        const TVariable_MBus& r = *list[0];
        EXPECT_EQ(r.Desc_Type_Data, c.description);
        EXPECT_EQ(r.ValueStr, c.value);
        EXPECT_EQ(r.VIF_ASCII, c.unit);
        EXPECT_EQ(r.errata, c.errata);
        EXPECT_EQ(r.sterror, c.errata ? "Non analizabile" : "");
        EXPECT_EQ(r.DataFieldStr, c.dataField);
        EXPECT_EQ(r.totdati.size(), 2u * static_cast<size_t>(r.nbyte));
    }
}

TEST(RecordValue, NumbersAreWrittenAsFloatToStrWritesThem)
{
    FixedClockAndFormats fixed;
    const double values[] = {0.0,     -0.0,     1.0,       -1.0,       6016.277,  0.3,        1e-5,
                             1.5e-4,  1e15,     1e16,      123456789012345.0,     1234567890123456.0,
                             7.20575940379279e16, -2.2250738585072014e-308, 4.9e-324, 1.7976931348623157e308,
                             0.1 + 0.2, 22.31,  -0.02,     1.0 / 3.0,  2.0 / 3.0, 99999999999999.95};
    for (int separator = 0; separator < 2; ++separator) {
        FormatSettings().DecimalSeparator = separator ? ',' : '.';
        for (double v : values) {
            std::string s;
            Append_General_Number(s, v);
            EXPECT_EQ(s, FloatToStr(v)) << v;
        }
        for (double v : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()}) {
            std::string s;
            Append_General_Number(s, v);
            EXPECT_EQ(s, FloatToStr(v));
        }
        // A spread of magnitudes and digit counts: meter readings scaled by
        // powers of ten, and any bit pattern.
        std::vector<double> spread;
        for (int e = -30; e <= 30; ++e)
            for (double m : {1.0, 1.25, 3.14159265358979, 9.99999999999999, 5.5, 999999999999999.0, 1e16 + 2})
                spread.push_back(m * std::pow(10.0, e));
        for (long long n : {1LL, 7LL, 12345LL, 6016277LL, 4294967295LL, 99999999999LL, 123456789012345678LL})
            for (int e = -12; e <= 6; ++e) spread.push_back(static_cast<double>(static_cast<long double>(n) * Power_Of_Ten(e)));
        std::mt19937_64 random(50);
        for (int k = 0; k < 5000; ++k) {
            const std::uint64_t bits = random();
            double v;
            std::memcpy(&v, &bits, sizeof v);
            if (std::isfinite(v)) spread.push_back(v);
            spread.push_back(static_cast<double>(static_cast<std::int32_t>(bits)) / 1000.0);
        }
        for (double v : spread) {
            std::string s;
            Append_General_Number(s, v);
            ASSERT_EQ(s, FloatToStr(v)) << v;
        }
    }
}

TEST(RecordValue, NumberUsesThePlatformDecimalSeparator)
{
    FixedClockAndFormats fixed;
    FormatSettings().DecimalSeparator = ',';
    TVarList list;
    Decode_Records(list, Hex("04 13 15 CD 5B 00"), mtWired);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->ValueStr, "6016,277");
}

TEST(RecordValue, DirectConversionReadsOnlyTheScratchItIsGiven)
{
    // A data length beyond the scratch is clipped, not read past.
    TRecordScratch scratch;
    scratch.App_Data_Val.fill(0x11);
    scratch.Num_Vife = 99;
    TVariable_MBus rec;
    Decode_Value_VIF(0x96, 0xFF, rec, 100000, 0xFF, 14, scratch);
    EXPECT_EQ(rec.type_data, 2);
    Decode_Value_VIF(0x7C, 0, rec, 100000, 0, 13, scratch);
    EXPECT_EQ(rec.ValueStr.size(), scratch.App_Data_Val.size());
}

TEST(MeterTexts, MediumDescriptions)
{
    const std::pair<int, const char*> cases[] = {
        {0, "Other"},           {1, "Oil"},           {7, "Water"},  {8, "Heat Cost Allocator."},
        {12, "Heat (inlet) "},  {15, "Unknown Medium"}, {16, "Other"}, {22, "Cold Water"},
        {25, "A/D Converter"},  {26, "Other"},        {255, "Other"}, {-1, "Other"},
    };
    for (const auto& [medium, text] : cases) EXPECT_EQ(Medium_Description(medium), text) << medium;
}

TEST(MeterTexts, ManufacturerCodes)
{
    const std::pair<std::uint16_t, const char*> cases[] = {
        {0x2C2D, "KAM"}, {0x0421, "AAA"}, {0x6B5A, "ZZZ"}, {0x0000, "???"}, {0xFFFF, "???"}, {0x6F7B, "???"},
    };
    for (const auto& [field, code] : cases) EXPECT_EQ(Trova_Man(field), code) << field;
}

} // namespace
