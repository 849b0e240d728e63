// Data-record decoder: record layout, structural fields, special DIFs,
// the end of the block and blocks that stop in the middle of a record.
#include "mbus/UMBus_Decode.h"
#include "mbus/MBusTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordDecoder : public ::testing::Test {
protected:
    // Decodes `hex` from a buffer of exactly its size, so that any read
    // past the block is caught by the address sanitizer.
    bool Decode(const std::string& hex, TMBusType type = mtWired)
    {
        block = Hex(hex);
        return Decode_Records(list, block, type, scratch);
    }

    FixedClockAndFormats fixed;
    std::vector<std::uint8_t> block;
    TVarList list;
    TRecordScratch scratch;
};

TEST_F(RecordDecoder, ThirtyTwoBitVolumeRecord)
{
    EXPECT_TRUE(Decode("04 13 15 CD 5B 00"));
    ASSERT_EQ(list.size(), 1u);
    const TVariable_MBus& r = *list[0];
    EXPECT_EQ(r.dato_A, 6016277);
    EXPECT_EQ(r.dato_B, 0);
    EXPECT_EQ(r.nbyte, 4);
    EXPECT_EQ(r.dimension, 4);
    EXPECT_EQ(r.DataFieldStr, "32 Bit Integer");
    EXPECT_EQ(r.descdim, "32 Bit Integer");
    EXPECT_EQ(r.totdati, "15CD5B00");
    EXPECT_EQ(r.VIF, 0x13);
    EXPECT_EQ(r.vifvalue, 0x13);
    EXPECT_EQ(r.casovif, 0);
    EXPECT_EQ(r.DIF, "$04");
    EXPECT_EQ(r.DIFE, "");
    EXPECT_EQ(r.VIFE, "");
    EXPECT_EQ(r.ValueStr, "6016.277");
    EXPECT_EQ(r.FunctionFieldStr, "Istantaneous value");
    EXPECT_EQ(r.storage_number, 0);
    EXPECT_FALSE(r.errata);
    EXPECT_FALSE(r.Is_BCD);
    EXPECT_TRUE(r.Real_Wireless_Var);
    EXPECT_TRUE(r.Enable);
    EXPECT_EQ(r.datagiorno, "05/03/2024");
    EXPECT_EQ(r.tempo, "07:08:09");
    // The scratch holds the last record's bytes.
    EXPECT_EQ(scratch.App_Data_Val[0], 0x15);
    EXPECT_EQ(scratch.App_Data_Val[3], 0x00);
}

TEST_F(RecordDecoder, DataFieldTextsLengthsAndBcdFlag)
{
    struct Case {
        const char* block;
        const char* first;
        const char* second;
        int length;
        bool bcd;
    };
    const Case cases[] = {
        {"00 16", "", "No data", 0, false},
        {"01 16 01", "8 Bit Integer", "8 Bit Integer", 1, false},
        {"03 16 01 02 03", "24 Bit Integer", "24 Bit Integer", 3, false},
        {"05 16 01 02 03 04", "32 Bit Real", "32 Bit real", 4, false},
        {"06 16 01 02 03 04 05 06", "48 Bit Integer", "48 Bit Integer", 6, false},
        {"07 16 01 02 03 04 05 06 07 08", "64 Bit Integer", "64 Bit Integer", 8, false},
        {"09 16 12", "2 Digit BCD", "2 digit BCD", 1, true},
        {"0B 16 12 34 56", "6 Digit BCD", "6 digit BCD", 3, true},
        {"0E 16 12 34 56 78 90 12", "12 Digit BCD", "12 digit BCD", 6, true},
        {"0D 16 05 41 42 43 44 45", "Variable Length - ASCII String with 5characters",
         "Variable length: ASCII string with 5 characters", 5, false},
        {"0D 16 C3 11 22 33", "Variable Length - Positive BCD Number with 6 digits",
         "Variable length: Positive BCD number with 3 *2 digits", 3, false},
        {"0D 16 D1 11", "Variable Length - Negative BCD Number with 2 digits",
         "Variable length: Negative BCD number with 1 *2 digits", 1, false},
        {"0D 16 E2 11 22", "Variable Length - Binary Number with 2 Bytes",
         "Variable length: Binary number with 2 bytes", 2, false},
        {"0D 16 F0 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F", "Variable Length - Binary Number with 16 Bytes",
         "Variable length: Binary number with 16 bytes", 16, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        list.clear();
        EXPECT_TRUE(Decode(c.block));
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0]->DataFieldStr, c.first);
        EXPECT_EQ(list[0]->descdim, c.second);
        EXPECT_EQ(list[0]->nbyte, c.length);
        EXPECT_EQ(list[0]->totdati.size(), 2u * static_cast<size_t>(c.length));
        EXPECT_EQ(list[0]->Is_BCD, c.bcd);
        EXPECT_FALSE(list[0]->errata);
    }
}

TEST_F(RecordDecoder, StorageTariffAndUnitFromDifes)
{
    struct Case {
        const char* block;
        long long storage;
        int tariff, unit, numdife;
        const char* dife;
        const char* function;
    };
    const Case cases[] = {
        {"84 C0 01 13 15 CD 5B 00", 32, 0, 1, 2, "$C0 $01 ", "Istantaneous value"},
        {"C4 9F 01 13 15 CD 5B 00", 63, 1, 0, 2, "$9F $01 ", "Istantaneous value"},
        {"94 A0 60 13 15 CD 5B 00", 0, 2 + 4 * 2, 2, 2, "$A0 $60 ", "Maximum value"},
        {"74 13 15 CD 5B 00", 1, 0, 0, 0, "", "Value during error state"},
        {"24 13 15 CD 5B 00", 0, 0, 0, 0, "", "Minimum value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        list.clear();
        EXPECT_TRUE(Decode(c.block));
        ASSERT_EQ(list.size(), 1u);
        const TVariable_MBus& r = *list[0];
        EXPECT_EQ(r.storage_number, c.storage);
        EXPECT_EQ(r.tarif, c.tariff);
        EXPECT_EQ(r.device, c.unit);
        EXPECT_EQ(r.numdife, c.numdife);
        EXPECT_EQ(r.DIFE, c.dife);
        EXPECT_EQ(r.FunctionFieldStr, c.function);
        EXPECT_EQ(r.dato_A, 6016277);
    }
}

TEST_F(RecordDecoder, VifClassesAndVifeTexts)
{
    struct Case {
        const char* block;
        int casovif, vifvalue, prinvife;
        const char* vife;
    };
    const Case cases[] = {
        {"01 16 05", 0, 0x16, 0, ""},
        {"01 96 BB 22 05", 0, 0x96, 0xBB, "$BB $22 "},
        {"01 FD 17 05", 1, 0x17, 0x17, "$17 "},
        {"01 FB 1B 05", 2, 0x1B, 0x1B, "$1B "},
        {"01 7F 05", 100, -1, 0, ""},
        {"01 FF 3B 05", 100, -1, 0x3B, "$3B "},
        {"01 7B 05", 0, -1, 0, ""},
        {"01 7D 05", 0, -1, 0, ""},
        {"01 7C 01 41 05", 101, -1, 0, ""},
        {"01 FC 01 41 3B 05", 101, -1, 0x3B, "$3B "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        list.clear();
        EXPECT_TRUE(Decode(c.block));
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0]->casovif, c.casovif);
        EXPECT_EQ(list[0]->vifvalue, c.vifvalue);
        EXPECT_EQ(list[0]->PrinVIFE, c.prinvife);
        EXPECT_EQ(list[0]->VIFE, c.vife);
        EXPECT_EQ(list[0]->ValueStr, "5");
    }
}

TEST_F(RecordDecoder, PlainTextUnitIsStoredReversed)
{
    EXPECT_TRUE(Decode("01 7C 03 68 2F 6D 41 01 13 02"));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->VIF_ASCII, "m/h");
    EXPECT_EQ(list[0]->ValueStr, "65");  // the data is an 8-bit integer
    EXPECT_EQ(list[1]->ValueStr, "0.002");
    // Bytes above 7F are Latin-1 characters.
    list.clear();
    EXPECT_TRUE(Decode("01 7C 02 43 B0 41"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->VIF_ASCII, "\u00B0C");
}

TEST_F(RecordDecoder, LongDataSplitsIntoBothWords)
{
    EXPECT_TRUE(Decode("07 16 01 02 03 04 05 06 07 08"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->dato_A, 0x04030201);
    EXPECT_EQ(list[0]->dato_B, 0x08070605);
    EXPECT_EQ(list[0]->totdati, "0102030405060708");
    // From byte 8 on the shifts wrap round: bytes 4 and 8 both land in the low byte.
    list.clear();
    EXPECT_TRUE(Decode("0D 16 0C 01 01 01 01 01 01 01 81 01 01 01 01"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->dato_B, 0x02020202 + 0x80000000 - 0x100000000LL);
}

TEST_F(RecordDecoder, FillBytesCountOnlyInRadioTelegrams)
{
    const std::string block = "2F 2F 04 13 15 CD 5B 00";
    EXPECT_TRUE(Decode(block, mtWireless));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_FALSE(list[0]->Real_Wireless_Var);
    EXPECT_FALSE(list[1]->Real_Wireless_Var);
    EXPECT_FALSE(list[0]->errata);
    EXPECT_EQ(list[0]->DIF, "$2F");
    EXPECT_TRUE(list[2]->Real_Wireless_Var);
    EXPECT_EQ(list[2]->dato_A, 6016277);

    list.clear();
    EXPECT_TRUE(Decode(block, mtWired));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->dato_A, 6016277);
}

TEST_F(RecordDecoder, EndOfBlock)
{
    struct Case {
        const char* block;
        bool result;
        size_t records;
    };
    const Case cases[] = {
        {"", true, 0},
        {"04 13 15 CD 5B 00 1F", false, 1},                // more records follow
        {"04 13 15 CD 5B 00 1F 04 13 15 CD 5B 00", false, 1},
        {"04 13 15 CD 5B 00 0F 04 13 15 CD 5B 00", true, 1},  // manufacturer data to the end
        {"04 13 15 CD 5B 00 3F 13 04 13 15 CD 5B 00", true, 1},  // data type not analysable
        {"7F 13 04 13 15 CD 5B 00", true, 0},
        {"08 13 04 13 15 CD 5B 00", true, 0},              // selection for readout
        {"04 7E 15 CD 5B 00 04 13 15 CD 5B 00", true, 0},  // any VIF
        {"04 FE 00 15 CD 5B 00", true, 0},
        {"8F 00 13 04 13 15 CD 5B 00", true, 1},           // 8F..FF skipped
        {"0D 13 FB 04 13 15 CD 5B 00", true, 2},           // reserved LVAR is kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        list.clear();
        EXPECT_EQ(Decode(c.block), c.result);
        EXPECT_EQ(list.size(), c.records);
    }
}

TEST_F(RecordDecoder, ReservedVariableLengthIsMarkedNotAnalysable)
{
    EXPECT_TRUE(Decode("0D 13 FB"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(list[0]->errata);
    EXPECT_EQ(list[0]->sterror, "Non analizabile");
    EXPECT_EQ(list[0]->DataFieldStr, "Variable Length - Reserved");
    EXPECT_EQ(list[0]->descdim, "Variable length: Reserved");
    EXPECT_EQ(list[0]->nbyte, 0);
}

TEST_F(RecordDecoder, TenExtensionBytesAreReadAnEleventhEndsTheBlock)
{
    const std::string tenDifes = "84 80 80 80 80 80 80 80 80 80 00 13 15 CD 5B 00";
    EXPECT_TRUE(Decode(tenDifes));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->numdife, 10);

    list.clear();
    EXPECT_TRUE(Decode("84 80 80 80 80 80 80 80 80 80 80 00 13 15 CD 5B 00 04 13 15 CD 5B 00"));
    EXPECT_TRUE(list.empty());

    list.clear();
    EXPECT_TRUE(Decode("04 93 80 80 80 80 80 80 80 80 80 00 15 CD 5B 00"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->dato_A, 6016277);

    list.clear();
    EXPECT_TRUE(Decode("04 93 80 80 80 80 80 80 80 80 80 80 00 15 CD 5B 00"));
    EXPECT_TRUE(list.empty());
}

TEST_F(RecordDecoder, RecordRunningPastTheBlockIsNotAdded)
{
    const char* cases[] = {
        "04 13 15 CD",           // data cut short
        "0D 13 05 41",           // LVAR 5 with 1 byte left
        "04 7C FF 41",           // unit text of 255 with 1 byte left
        "04 7C C1" ,             // longer than the unit buffer
        "04",                    // no VIF
        "84",                    // no DIFE
        "84 80",                 // DIFE chain cut short
        "04 93",                 // no VIFE
        "04 93 BB",              // VIFE chain cut short
        "0D 13",                 // no LVAR
        "04 7C",                 // no text length
        "04 7C 03 68 2F",        // text cut short
        "04 FC 01 41",           // VIFE after the text missing
    };
    for (const char* tail : cases) {
        SCOPED_TRACE(tail);
        list.clear();
        EXPECT_TRUE(Decode(std::string("02 13 01 00 ") + tail));
        ASSERT_EQ(list.size(), 1u);  // the whole record before it stays
        EXPECT_EQ(list[0]->dato_A, 1);
    }
}

TEST_F(RecordDecoder, AppendsToTheRecordsAlreadyInTheList)
{
    EXPECT_FALSE(Decode("04 13 15 CD 5B 00 1F"));
    EXPECT_TRUE(Decode("02 FD 17 04 00"));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->Desc_Type_Data, "Volume m3");
    EXPECT_EQ(list[1]->Desc_Type_Data, "Error Flag (Binary)");
}

} // namespace
