// The CAN frame table at the start of bank 2 and its count in bank 1.

#include "ImageFixture.h"

#include <gtest/gtest.h>

namespace {

std::string Bytes(std::initializer_list<int> v)
{
    std::string s;
    for (int b : v) s += static_cast<char>(b);
    return s;
}

std::string Entry(const std::string& bank2, int i) { return bank2.substr(static_cast<size_t>(i) * 32, 32); }

Attrs RecRow(const std::string& enable, const std::string& cobid)
{
    return {{"Enable", enable}, {"COBID", cobid}, {"CAN_Type", "2.0A (11 bits)"}, {"Dim", "1"}, {"TimeOut", "0"},
            {"Byte1", "1"},     {"Byte2", "None"}, {"Byte3", "None"}, {"Byte4", "None"}, {"Byte5", "None"},
            {"Byte6", "None"},  {"Byte7", "None"}, {"Byte8", "None"}, {"Mnemonic", ""}};
}

} // namespace

TEST(CanTable, EntriesFollowTheRowsReceiveFirstWithoutGaps)
{
    ImageConfig cfg;
    cfg.Receive({
        {{"Enable", "Y"}, {"COBID", "0x123"}, {"CAN_Type", "2.0A (11 bits)"}, {"Dim", "2"}, {"TimeOut", "500"},
         {"Byte1", "10"}, {"Byte2", "11"}, {"Byte3", "12"}, {"Byte4", "None"}, {"Byte5", "None"},
         {"Byte6", "None"}, {"Byte7", "None"}, {"Byte8", "None"}, {"Mnemonic", "speed"}},
        RecRow("N", "0x7FF"),  // disabled: no entry, no gap
        // No Enable attribute: taken. Unreadable numbers take their defaults.
        {{"COBID", "$10"}, {"CAN_Type", " 2.0B (29 bits) "}, {"Byte1", "None"}, {"Byte2", ""}, {"Byte3", "1439"},
         {"Byte8", "abc"}},
        {{"Enable", "Y"}, {"COBID", "word"}, {"Dim", "x"}},
    });
    cfg.Send({
        {{"Enable", "Y"}, {"COBID", "1"}, {"CAN_Type", "2.0B (29 bits)"}, {"Dim", "8"}, {"OnChange", "Y"},
         {"OnCMD", "N"}, {"OnTimer", "Y"}, {"Time", "1000"}, {"Byte1", "0"}, {"Byte2", "1"}, {"Byte3", "2"},
         {"Byte4", "3"}, {"Byte5", "4"}, {"Byte6", "5"}, {"Byte7", "6"}, {"Byte8", "1439"}, {"Mnemonic", ""}},
        RecRow("y", "2"),  // only "Y" enables
        // OnCMD alone, and a Time read although OnTimer is off.
        {{"Enable", "Y"}, {"COBID", "3"}, {"Dim", "1"}, {"OnChange", "N"}, {"OnCMD", "Y"}, {"OnTimer", "N"},
         {"Time", "20"}, {"Byte1", "5"}, {"Byte2", "6"}},
    });
    BuildOk();
    const std::string bank1 = ReadFile(cfg.Bank1Path());
    const std::string bank2 = ReadFile(cfg.Bank2Path());

    EXPECT_EQ(Entry(bank2, 0), Bytes({0x23, 0x01, 0, 0, 0, 0, 0, 0, 0xF4, 0x01, 0, 0, 0, 0, 0x02, 0, 0x0A, 0,
                                      0x0B, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                      0xFF}));
    EXPECT_EQ(Entry(bank2, 1), Bytes({0x10, 0, 0, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0xFF, 0xFF, 0xFF, 0xFF,
                                      0x9F, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Entry(bank2, 2), Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0xFF, 0xFF, 0xFF, 0xFF,
                                      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Entry(bank2, 3), Bytes({0x01, 0, 0, 0x80, 0xE8, 0x03, 0, 0, 0, 0, 0, 0, 0, 0x07, 8, 0, 0, 0, 1, 0,
                                      2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 0x9F, 0x05}));
    EXPECT_EQ(Entry(bank2, 4), Bytes({3, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0x09, 1, 0, 5, 0, 0xFF, 0xFF,
                                      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Entry(bank2, 5), Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,
                                      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(U32(bank1, 0x070), 5u);
    ExpectSumValid(bank1);
}

TEST(CanTable, ExactlyFullTableIsAccepted)
{
    ImageConfig cfg;
    const std::vector<Attrs> rows(512, RecRow("Y", "0x7FF"));
    cfg.Receive(rows);
    cfg.Send(rows);
    BuildOk();
    const std::string bank2 = ReadFile(cfg.Bank2Path());
    EXPECT_EQ(U32(ReadFile(cfg.Bank1Path()), 0x070), 1024u);
    EXPECT_EQ(U32(bank2, 1023 * 32), 0x7FFu);
    EXPECT_EQ(U8(bank2, 1023 * 32 + 13), 1u);  // a send entry
    EXPECT_EQ(U32(bank2, 0x8000 + 8), 0x880DCu);  // the MQTT structure follows untouched
}
