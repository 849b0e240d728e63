#include "mbus/UMBus_Decode.h"

#include "mbus/UMBus_TextBuf.h"
#include "platform/DateUtils.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>

namespace {

constexpr int kMaxExtensions = 10;    // DIFEs or VIFEs per record
constexpr size_t kMaxUnitText = 192;  // characters of a plain-text unit

struct TDataField {
    int length;
    std::string_view first;   // DataFieldStr
    std::string_view second;  // descdim
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

// Data length of a variable-length data field; binary numbers of LVAR
// F0..FA hold 4 x (LVAR - EC) bytes (16 to 56). A reserved LVAR has none.
int Variable_Length(std::uint8_t lvar)
{
    if (lvar <= 191) return lvar;
    if (lvar <= 207) return lvar - 192;
    if (lvar <= 223) return lvar - 208;
    if (lvar <= 239) return lvar - 224;
    if (lvar <= 250) return 4 * (lvar - 0xEC);
    return 0;
}

bool Variable_Reserved(std::uint8_t lvar) { return lvar > 250; }

// The two texts of each variable-length data field (DataFieldStr, descdim),
// made once.
struct TVariableTexts {
    std::array<std::string, 256> first, second;
};

const TVariableTexts& Variable_Texts()
{
    static const TVariableTexts texts = [] {
        TVariableTexts t;
        for (int lvar = 0; lvar < 256; ++lvar) {
            const std::string n = std::to_string(Variable_Length(static_cast<std::uint8_t>(lvar)));
            std::string& first = t.first[static_cast<size_t>(lvar)];
            std::string& second = t.second[static_cast<size_t>(lvar)];
            if (lvar <= 191) {
                first = "Variable Length - ASCII String with " + n + "characters";
                second = "Variable length: ASCII string with " + n + " characters";
            } else if (lvar <= 223) {
                const std::string sign = lvar <= 207 ? "Positive" : "Negative";
                const std::string digits = std::to_string(2 * Variable_Length(static_cast<std::uint8_t>(lvar)));
                first = "Variable Length - " + sign + " BCD Number with " + digits + " digits";
                second = "Variable length: " + sign + " BCD number with " + n + " *2 digits";
            } else if (lvar <= 250) {
                first = "Variable Length - Binary Number with " + n + " Bytes";
                second = "Variable length: Binary number with " + n + " bytes";
            } else {
                first = "Variable Length - Reserved";
                second = "Variable length: Reserved";
            }
        }
        return t;
    }();
    return texts;
}

const std::string_view kFunctionTexts[4] = {"Istantaneous value", "Maximum value", "Minimum value",
                                            "Value during error state"};

// "$xx" of one byte.
void Dollar_Hex(std::string& s, std::uint8_t b)
{
    TTextBuf<3> t;
    (t << '$').Hex(b).AssignTo(s);
}

// "$xx " of each byte.
void Dollar_Hex_List(std::string& s, const std::uint8_t* bytes, int count)
{
    TTextBuf<4 * kMaxExtensions> t;
    for (int k = 0; k < count; ++k) (t << '$').Hex(bytes[k]) << ' ';
    t.AssignTo(s);
}

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
                dataLength = Variable_Length(lvar);
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
                    Dollar_Hex(fill->DIF, dif);
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
        if (dataField == 13) {
            r.DataFieldStr = Variable_Texts().first[lvar];
            r.descdim = Variable_Texts().second[lvar];
        } else {
            r.DataFieldStr = kDataFields[dataField].first;
            r.descdim = kDataFields[dataField].second;
        }
        r.datagiorno = today;
        r.tempo = timeNow;
        r.Real_Wireless_Var = true;
        Dollar_Hex(r.DIF, dif);

        r.dimension = dataField;
        r.nbyte = dataLength;
        if (dataField == 13 && Variable_Reserved(lvar)) {
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
                storage += (e & 0x0F) * storageWeight;
                tariff += ((e >> 4) & 3) * tariffWeight;
                unit += ((e >> 6) & 1) * unitWeight;
                storageWeight *= 16;
                tariffWeight *= 4;
                unitWeight *= 2;
            }
            Dollar_Hex_List(r.DIFE, dife.data(), numDife);
            r.numdife = numDife;
            r.storage_number += 2 * storage;
            r.tarif = static_cast<std::uint16_t>(tariff);
            r.device = static_cast<std::uint16_t>(unit);
        }

        r.VIF = vif;
        if (vif == 0x7C || vif == 0xFC) {
            r.casovif = 101;
            TTextBuf<2 * kMaxUnitText> unit;
            for (size_t k = unitLength; k-- > 0;) unit.Latin1(block[unitStart + k]);
            unit.AssignTo(r.VIF_ASCII);
        } else if (vif == 0xFB || vif == 0xFD) {
            r.casovif = vif == 0xFB ? 2 : 1;
            r.vifvalue = vife[0];
        } else if (vif == 0x7F || vif == 0xFF) {
            r.casovif = 100;
        } else if (vif != 0x7B && vif != 0x7D) {
            r.vifvalue = vif;
        }
        if (numVife > 0) Dollar_Hex_List(r.VIFE, vife.data(), numVife);
        r.PrinVIFE = vife[0];

        std::uint32_t a = 0, b = 0;
        TTextBuf<2 * 256> hex;
        for (int k = 0; k < dataLength; ++k) {
            hex.Hex(data[k]);
            if (k < 4)
                a |= std::uint32_t(data[k]) << (8 * k);
            else
                b += std::uint32_t(data[k]) << ((8 * k) % 32);
        }
        hex.AssignTo(r.totdati);
        r.dato_A = static_cast<std::int32_t>(a);
        r.dato_B = static_cast<std::int32_t>(b);

        list.push_back(std::move(rec));
        scratch.Load(data, dataLength, vife.data(), numVife);
        Decode_Value_VIF(vif, vife[0], r, dataLength, lvar, dataField, scratch);
        r.FunctionFieldStr = kFunctionTexts[r.function_fild & 3];
    }
    return true;
}
