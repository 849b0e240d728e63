#include "mbus/UMBus_Decode.h"

#include "platform/DateUtils.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace {

constexpr int kMaxExtensions = 10;    // DIFEs or VIFEs per record
constexpr size_t kMaxUnitText = 192;  // characters of a plain-text unit

struct TDataField {
    int length;
    const char* first;   // DataFieldStr
    const char* second;  // descdim
};

const TDataField kDataFields[16] = {
    {0, "", "No data"},
    {1, "8 Bit Integer", "8 Bit Integer"},
    {2, "16 Bit Integer", "16 Bit Integer"},
    {3, "24 Bit Integer", "24 Bit Integer"},
    {4, "32 Bit Integer", "32 Bit Integer"},
    {4, "32 Bit Real", "32 Bit real"},
    {6, "48 Bit Integer", "48 Bit Integer"},
    {8, "64 Bit Integer", "64 Bit Integer"},
    {0, "", "Selection for Readout"},
    {1, "2 Digit BCD", "2 digit BCD"},
    {2, "4 Digit BCD", "4 digit BCD"},
    {3, "6 Digit BCD", "6 digit BCD"},
    {4, "8 Digit BCD", "8 digit BCD"},
    {0, "", ""},  // variable length: texts from the LVAR
    {6, "12 Digit BCD", "12 digit BCD"},
    {0, "Special Function", ""},
};

// Data length and the two texts of a variable-length data field.
struct TVariableLength {
    int length = 0;
    std::string first, second;
    bool reserved = false;
};

TVariableLength Variable_Length(std::uint8_t lvar)
{
    TVariableLength v;
    if (lvar <= 191) {
        v.length = lvar;
        const std::string n = std::to_string(v.length);
        v.first = "Variable Length - ASCII String with " + n + "characters";
        v.second = "Variable length: ASCII string with " + n + " characters";
    } else if (lvar <= 223) {
        const bool positive = lvar <= 207;
        v.length = lvar - (positive ? 192 : 208);
        const std::string n = std::to_string(v.length);
        const std::string sign = positive ? "Positive" : "Negative";
        v.first = "Variable Length - " + sign + " BCD Number with " + std::to_string(2 * v.length) + " digits";
        v.second = "Variable length: " + sign + " BCD number with " + n + " *2 digits";
    } else if (lvar <= 239) {
        v.length = lvar - 224;
        const std::string n = std::to_string(v.length);
        v.first = "Variable Length - Binary Number with " + n + " Bytes";
        v.second = "Variable length: Binary number with " + n + " bytes";
    } else if (lvar <= 250) {
        v.length = lvar - 240;
        const std::string n = std::to_string(v.length);
        v.first = "Variable Length - Floating Point Number with " + n + " Bytes";
        v.second = "Variable length: Floating Point number with " + n + " bytes";
    } else {
        v.first = "Variable Length - Reserved";
        v.second = "Variable length: Reserved";
        v.reserved = true;
    }
    return v;
}

const char kHex[] = "0123456789ABCDEF";

void Append_Hex(std::string& s, std::uint8_t b)
{
    s += kHex[b >> 4];
    s += kHex[b & 0x0F];
}

std::string Dollar_Hex(std::uint8_t b)
{
    std::string s = "$";
    Append_Hex(s, b);
    return s;
}

// Bytes as text, Latin-1 characters written as UTF-8.
void Append_Latin1(std::string& s, std::uint8_t c)
{
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

const char* const kFunctionTexts[4] = {"Istantaneous value", "Maximum value", "Minimum value",
                                       "Value during error state"};

} // namespace

bool Decode_Records(TVarList& list, std::span<const std::uint8_t> block, TMBusType mbusType)
{
    TRecordScratch scratch;
    return Decode_Records(list, block, mbusType, scratch);
}

bool Decode_Records(TVarList& list, std::span<const std::uint8_t> block, TMBusType mbusType,
                    TRecordScratch& scratch)
{
    const size_t n = block.size();
    const TDateTime now = Now();
    const std::string today = DateToStr(now);
    const std::string timeNow = TimeToStr(now);

    size_t i = 0;  // next byte to read
    while (i < n) {
        const std::uint8_t dif = block[i++];
        const std::uint8_t dataField = dif & 0x0F;
        const bool special = dif == 0x0F || dif == 0x1F || dif == 0x2F;

        std::array<std::uint8_t, kMaxExtensions> dife{};
        int numDife = 0;
        std::uint8_t vif = 0;
        size_t unitStart = 0, unitLength = 0;
        std::array<std::uint8_t, kMaxExtensions> vife{};
        int numVife = 0;
        std::uint8_t lvar = 0;
        TVariableLength variable;
        int dataLength = 0;

        if (!special) {
            // DIFEs while the previous byte has its extension bit; an
            // eleventh one makes the record unreadable and ends the block.
            for (bool more = (dif & 0x80) != 0; more;) {
                if (numDife == kMaxExtensions || i >= n) return true;
                dife[static_cast<size_t>(numDife)] = block[i++];
                more = (dife[static_cast<size_t>(numDife)] & 0x80) != 0;
                ++numDife;
            }
            if (i >= n) return true;
            vif = block[i++];
            if (vif == 0x7C || vif == 0xFC) {
                if (i >= n) return true;
                unitLength = block[i++];
                if (unitLength > kMaxUnitText || n - i < unitLength) return true;
                unitStart = i;
                i += unitLength;
            }
            for (bool more = (vif & 0x80) != 0; more;) {
                if (numVife == kMaxExtensions || i >= n) return true;
                vife[static_cast<size_t>(numVife)] = block[i++];
                more = (vife[static_cast<size_t>(numVife)] & 0x80) != 0;
                ++numVife;
            }
            dataLength = kDataFields[dataField].length;
            if (dataField == 13) {
                if (i >= n) return true;
                lvar = block[i++];
                variable = Variable_Length(lvar);
                dataLength = variable.length;
            }
        }
        if (n - i < static_cast<size_t>(dataLength)) return true;
        const std::uint8_t* data = block.data() + i;
        i += static_cast<size_t>(dataLength);

        // Special DIFs.
        if (dataField == 0x0F) {
            if (dif == 0x0F || dif == 0x1F) return dif == 0x0F;  // manufacturer data up to the end
            if (dif == 0x2F) {
                if (mbusType == mtWireless) {
                    auto fill = std::make_unique<TVariable_MBus>();
                    fill->DataFieldStr = kDataFields[15].first;
                    fill->datagiorno = today;
                    fill->tempo = timeNow;
                    fill->Real_Wireless_Var = false;
                    fill->DIF = Dollar_Hex(dif);
                    list.push_back(std::move(fill));
                }
                continue;
            }
            if (dif <= 0x7F) return true;  // 3F..7F: data type not analysable
            continue;                      // 8F..FF: skipped
        }
        if (dataField == 8) return true;  // selection for readout
        if (vif == 0x7E || vif == 0xFE) return true;

        auto rec = std::make_unique<TVariable_MBus>();
        TVariable_MBus& r = *rec;
        r.Is_BCD = dataField == 9 || dataField == 10 || dataField == 11 || dataField == 12 || dataField == 14;
        r.DataFieldStr = dataField == 13 ? variable.first : kDataFields[dataField].first;
        r.datagiorno = today;
        r.tempo = timeNow;
        r.Real_Wireless_Var = true;
        r.DIF = Dollar_Hex(dif);

        r.dimension = dataField;
        r.descdim = dataField == 13 ? variable.second : kDataFields[dataField].second;
        r.nbyte = dataLength;
        if (dataField == 13 && variable.reserved) {
            r.errata = true;
            r.sterror = kErrNotAnalysable;
        }

        r.function_fild = static_cast<std::uint16_t>((dif >> 4) & 3);
        r.storage_number = (dif >> 6) & 1;
        if (numDife > 0) {
            std::int64_t storage = 0, storageWeight = 1;
            std::uint32_t tariff = 0, tariffWeight = 1, unit = 0, unitWeight = 1;
            for (int k = 0; k < numDife; ++k) {
                const std::uint8_t e = dife[static_cast<size_t>(k)];
                r.DIFE += Dollar_Hex(e) + " ";
                storage += (e & 0x0F) * storageWeight;
                tariff += ((e >> 4) & 3) * tariffWeight;
                unit += ((e >> 6) & 1) * unitWeight;
                storageWeight *= 16;
                tariffWeight *= 4;
                unitWeight *= 2;
            }
            r.numdife = numDife;
            r.storage_number += 2 * storage;
            r.tarif = static_cast<std::uint16_t>(tariff);
            r.device = static_cast<std::uint16_t>(unit);
        }

        r.VIF = vif;
        if (vif == 0x7C || vif == 0xFC) {
            r.casovif = 101;
            for (size_t k = unitLength; k-- > 0;) Append_Latin1(r.VIF_ASCII, block[unitStart + k]);
        } else if (vif == 0xFB || vif == 0xFD) {
            r.casovif = vif == 0xFB ? 2 : 1;
            r.vifvalue = vife[0];
        } else if (vif == 0x7F || vif == 0xFF) {
            r.casovif = 100;
        } else if (vif != 0x7B && vif != 0x7D) {
            r.vifvalue = vif;
        }
        for (int k = 0; k < numVife; ++k) r.VIFE += Dollar_Hex(vife[static_cast<size_t>(k)]) + " ";
        r.PrinVIFE = vife[0];

        std::uint32_t a = 0, b = 0;
        r.totdati.reserve(static_cast<size_t>(dataLength) * 2);
        for (int k = 0; k < dataLength; ++k) {
            Append_Hex(r.totdati, data[k]);
            if (k < 4)
                a |= std::uint32_t(data[k]) << (8 * k);
            else
                b += std::uint32_t(data[k]) << ((8 * k) % 32);
        }
        r.dato_A = static_cast<std::int32_t>(a);
        r.dato_B = static_cast<std::int32_t>(b);

        list.push_back(std::move(rec));
        scratch.Clear();
        std::memcpy(scratch.App_Data_Val.data(), data, static_cast<size_t>(dataLength));
        std::memcpy(scratch.App_Vife_Val.data(), vife.data(), static_cast<size_t>(numVife));
        scratch.Num_Vife = numVife;
        Decode_Value_VIF(vif, vife[0], r, dataLength, lvar, dataField, scratch);
        r.FunctionFieldStr = kFunctionTexts[r.function_fild & 3];
    }
    return true;
}
