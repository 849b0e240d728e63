// Wired M-Bus frames and gateway commands: request bytes, C fields, answer
// recognition, time-outs and reading a meter's long frames.
#include "mbus/UMBus_Frames.h"
#include "mbus/MBusTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TBytes Bytes(const std::string& s) { return TBytes(s.begin(), s.end()); }

// A long frame around `records` from a meter with identification
// 78 56 34 12, manufacturer KAM, version 1, medium 7 (water), status 0.
TBytes Long_Frame(std::uint8_t address, const std::string& recordsHex, std::uint8_t ci = 0x72)
{
    TBytes body = Hex("08");
    body.push_back(address);
    body.push_back(ci);
    const TBytes head = Hex("78 56 34 12 2D 2C 01 07 55 00 00 00");
    body.insert(body.end(), head.begin(), head.end());
    const TBytes rec = Hex(recordsHex);
    body.insert(body.end(), rec.begin(), rec.end());
    TBytes f = {0x68, static_cast<std::uint8_t>(body.size()), static_cast<std::uint8_t>(body.size()), 0x68};
    f.insert(f.end(), body.begin(), body.end());
    unsigned cs = 0;
    for (std::uint8_t b : body) cs += b;
    f.push_back(static_cast<std::uint8_t>(cs));
    f.push_back(0x16);
    return f;
}

TEST(WiredFrames, RequestBytes)
{
    EXPECT_EQ(Frame_SND_NKE(0xFF), Hex("10 40 FF 3F 16"));
    EXPECT_EQ(Frame_REQ_UD2(0x7B, 0x05), Hex("10 7B 05 80 16"));
    EXPECT_EQ(Frame_App_Reset(0x73, 0x05), Hex("68 03 03 68 73 05 50 C8 16"));
    EXPECT_EQ(Frame_App_Reset(0x53, 0x05), Hex("68 03 03 68 53 05 50 A8 16"));
    EXPECT_EQ(Frame_Select_Secondary(0x73, {1, -1, -1, -1, -1, -1, -1, -1}),
              Hex("68 0B 0B 68 73 FD 52 FF FF FF 1F FF FF FF FF DA 16"));
    EXPECT_EQ(Frame_Select_Secondary(0x73, {1, 2, 3, 4, 5, 6, 7, 8}),
              Hex("68 0B 0B 68 73 FD 52 78 56 34 12 FF FF FF FF D2 16"));
}

TEST(WiredFrames, LineSettingsCommand)
{
    TBytes expected = Bytes("Quembo_S_M:");
    for (std::uint8_t b : Hex("00 00 09 60 2C 02")) expected.push_back(b);
    EXPECT_EQ(Line_Settings_Command(2400, 1), expected);  // even parity is sent as 2
    EXPECT_EQ(Line_Settings_Command(9600, 2).back(), 1);  // odd as 1
    EXPECT_EQ(Line_Settings_Command(300, 0).back(), 0);
    EXPECT_EQ(Line_Settings_Command(2400, 1).size(), 17u);
}

TEST(WiredFrames, CFields)
{
    // Frame-count bit toggles from frame to frame, starting set.
    EXPECT_EQ(REQ_UD2_C_Field(false, 0, 0), 0x7B);
    EXPECT_EQ(REQ_UD2_C_Field(false, 0, 1), 0x5B);
    EXPECT_EQ(REQ_UD2_C_Field(false, 0, 2), 0x7B);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(REQ_UD2_C_Field(true, 0, n), 0x5B);
        EXPECT_EQ(REQ_UD2_C_Field(true, 1, n), 0x7B);
    }
    EXPECT_EQ(SND_UD_C_Field(true, 0), 0x53);
    EXPECT_EQ(SND_UD_C_Field(true, 1), 0x73);
    EXPECT_EQ(SND_UD_C_Field(false, 0), 0x73);
}

TEST(WiredFrames, AnswerRecognition)
{
    const TBytes good = Long_Frame(5, "04 13 15 CD 5B 00");
    EXPECT_TRUE(Is_Valid_Long_Frame(good));
    TBytes badSum = good;
    badSum[badSum.size() - 2] ^= 1;
    EXPECT_FALSE(Is_Valid_Long_Frame(badSum));
    TBytes badStop = good;
    badStop.back() = 0x17;
    EXPECT_FALSE(Is_Valid_Long_Frame(badStop));
    TBytes badL = good;
    badL[2] ^= 1;
    EXPECT_FALSE(Is_Valid_Long_Frame(badL));
    EXPECT_FALSE(Is_Valid_Long_Frame(Long_Frame(5, "")));  // 21 bytes: too short
    EXPECT_FALSE(Is_Valid_Long_Frame(TBytes{}));

    EXPECT_TRUE(Is_Single_Char(Hex("E5")));
    EXPECT_FALSE(Is_Single_Char(Hex("E5 E5")));
    EXPECT_TRUE(Is_No_Slave(Bytes("NO_SLAVE\n\r")));
    EXPECT_FALSE(Is_No_Slave(Bytes("NO_SLAVE\n\r ")));  // an extra byte is a collision
    EXPECT_FALSE(Is_No_Slave(Bytes("NO_SLAVE\n")));
    EXPECT_TRUE(Answer_Is(Bytes("\n\rAnalyzer_Mode Enabled!\n\r"), kAnsEnableAnalyzer));
    EXPECT_FALSE(Answer_Is(Bytes("\n\rAnalyzer_Mode Enabled!\n"), kAnsEnableAnalyzer));
}

TEST(WiredFrames, TimeOuts)
{
    EXPECT_EQ(TimeOut_Gateway(0), 1000);
    EXPECT_EQ(TimeOut_Gateway(10000), 11000);
    EXPECT_EQ(TimeOut_Short(2400, 0), 330000 / 2400 + 450);
    EXPECT_EQ(TimeOut_Long(2400, 10000), 3245000 / 2400 + 10450);
    EXPECT_EQ(TimeOut_Long(0, 0), TimeOut_Long(300, 0));  // no division by zero
}

TEST(WiredFrames, FramesOfOneMeterGoIntoOneMeter)
{
    FixedClockAndFormats fixed;
    TMBusSlaveList list;
    TRecordScratch scratch;
    std::int32_t index = -1;

    EXPECT_FALSE(Read_Slave_Frame(Long_Frame(5, "04 13 15 CD 5B 00 1F"), 0, index, list, scratch));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(index, 0);
    const TSlave_MBus& m = *list[0];
    EXPECT_EQ(m.Primary_Addresss, 5);
    EXPECT_EQ(m.Secondary_Addresss, "12345678");
    EXPECT_EQ(m.Manufacture, 0x2C2D);
    EXPECT_EQ(m.descManufacture, "KAM");
    EXPECT_EQ(m.Version, 1);
    EXPECT_EQ(m.Medium, 7);
    EXPECT_EQ(m.descmedium, "Water");
    EXPECT_EQ(m.Status, 0);

    EXPECT_TRUE(Read_Slave_Frame(Long_Frame(5, "02 FD 17 04 00"), 1, index, list, scratch));
    ASSERT_EQ(list.size(), 1u);
    ASSERT_EQ(m.List_Var.size(), 2u);
    EXPECT_EQ(m.List_Var[1]->Desc_Type_Data, "Error Flag (Binary)");

    // A later frame whose meter index is not in the list starts a new meter.
    index = 7;
    Read_Slave_Frame(Long_Frame(6, "01 16 05"), 1, index, list, scratch);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(list[1]->Primary_Addresss, 6);

    // An invalid frame changes nothing.
    TBytes bad = Long_Frame(8, "01 16 05");
    bad.back() = 0;
    EXPECT_TRUE(Read_Slave_Frame(bad, 0, index, list, scratch));
    EXPECT_EQ(list.size(), 2u);
}

TEST(WiredFrames, FixedDataStructureGivesAMeterWithoutRecords)
{
    FixedClockAndFormats fixed;
    TMBusSlaveList list;
    TRecordScratch scratch;
    std::int32_t index = -1;
    // CI 73: identification, access number, status, medium and unit, then
    // two counters; the counter bytes read as records would make up values.
    EXPECT_TRUE(Read_Slave_Frame(Long_Frame(9, "04 13 15 CD 5B 00 02 FD 17 04 00", 0x73), 0, index, list, scratch));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->Primary_Addresss, 9);
    EXPECT_EQ(list[0]->Secondary_Addresss, "12345678");
    EXPECT_TRUE(list[0]->List_Var.empty());
}

} // namespace
