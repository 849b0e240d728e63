// Meters and records: secondary address text, radio meter lookup, record
// ownership and copies.
#include "core/UComon.h"
#include "mbus/UMBus_Decode.h"
#include "mbus/MBusTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(MeterModel, SecondaryAddressText)
{
    const std::pair<const char*, const char*> cases[] = {
        {"78 56 34 12", "12345678"}, {"05 00 00 00", "05"}, {"45 23 01 00", "12345"},
        {"00 00 00 00", "00"},       {"FF FF FF FF", "FFFFFFFF"}, {"AB 00 00 00", "AB"},
        {"00 01 00 00", "100"},
    };
    for (const auto& [bytes, text] : cases) {
        const auto id = Hex(bytes);
        EXPECT_EQ(Secondary_Address_Text(id.data()), text) << bytes;
    }
}

std::shared_ptr<TSlave_wMBus> Radio(std::uint16_t man, std::int32_t id, std::uint8_t version, std::uint8_t type)
{
    auto m = std::make_shared<TSlave_wMBus>();
    m->ALA_Manufacturer = man;
    m->ALA_Address = id;
    m->ALA_Version = version;
    m->ALA_DeviceType = type;
    return m;
}

class RadioMeters : public ::testing::Test {
protected:
    void SetUp() override { UComon::wMBus_Slave_List.clear(); }
    void TearDown() override { UComon::wMBus_Slave_List.clear(); }
};

TEST_F(RadioMeters, LookupNeedsAllFourApplicationAddressFields)
{
    auto& list = UComon::wMBus_Slave_List;
    list.push_back(Radio(0x2C2D, 12345678, 1, 7));
    list.push_back(Radio(0x2C2D, 12345678, 2, 7));  // other version
    list.push_back(Radio(0x2C2D, 12345678, 1, 6));  // other device type
    list.push_back(Radio(0x2C2D, 12345678, 2, 7));  // same as index 1
    auto linkOnly = Radio(0, 0, 0, 0);
    linkOnly->LLA_Manufacturer = 0x1111;
    linkOnly->LLA_Address = 99;
    list.push_back(linkOnly);

    EXPECT_EQ(Find_Wireless_Slave(0x2C2D, 12345678, 1, 7), 0);
    EXPECT_EQ(Find_Wireless_Slave(0x2C2D, 12345678, 2, 7), 1);
    EXPECT_EQ(Find_Wireless_Slave(0x2C2D, 12345678, 1, 6), 2);
    EXPECT_EQ(Find_Wireless_Slave(0x2C2D, 12345679, 1, 7), -1);
    EXPECT_EQ(Find_Wireless_Slave(0x2C2E, 12345678, 1, 7), -1);
    EXPECT_EQ(Find_Wireless_Slave(0x1111, 99, 0, 0), -1);  // the link address is not looked at
    list.clear();
    EXPECT_EQ(Find_Wireless_Slave(0x2C2D, 12345678, 1, 7), -1);
}

TEST_F(RadioMeters, CancellingRecordsEmptiesTheListAndKeepsTheMeter)
{
    TSlave_wMBus meter;
    meter.Cancel_Var();  // nothing to cancel
    EXPECT_TRUE(meter.List_Var.empty());

    FixedClockAndFormats fixed;
    Decode_Records(meter.List_Var, Hex("2F 04 13 15 CD 5B 00 02 FD 17 04 00"), mtWireless);
    ASSERT_EQ(meter.List_Var.size(), 3u);
    meter.Cancel_Var();
    EXPECT_TRUE(meter.List_Var.empty());
    Decode_Records(meter.List_Var, Hex("04 13 15 CD 5B 00"), mtWireless);
    EXPECT_EQ(meter.List_Var.size(), 1u);
}

TEST(MeterModel, CopiesOfMetersOwnTheirRecords)
{
    FixedClockAndFormats fixed;
    TSlave_MBus wired;
    wired.Primary_Addresss = 5;
    wired.Secondary_Addresss = "12345678";
    Decode_Records(wired.List_Var, Hex("04 13 15 CD 5B 00 02 FD 17 04 00"), mtWired);

    TSlave_MBus copy = wired;
    ASSERT_EQ(copy.List_Var.size(), 2u);
    EXPECT_NE(copy.List_Var[0].get(), wired.List_Var[0].get());
    copy.List_Var[0]->ValueStr = "changed";
    EXPECT_EQ(wired.List_Var[0]->ValueStr, "6016.277");
    EXPECT_EQ(copy.Secondary_Addresss, "12345678");

    TSlave_MBus assigned;
    Decode_Records(assigned.List_Var, Hex("01 16 05"), mtWired);
    assigned = wired;
    ASSERT_EQ(assigned.List_Var.size(), 2u);
    EXPECT_EQ(assigned.List_Var[1]->Desc_Type_Data, "Error Flag (Binary)");
    const TSlave_MBus& same = assigned;
    assigned = same;  // self-assignment keeps the records
    EXPECT_EQ(assigned.List_Var.size(), 2u);

    TSlave_wMBus radio;
    radio.Key[3] = 0x42;
    radio.Enable_Key = true;
    Decode_Records(radio.List_Var, Hex("04 13 15 CD 5B 00"), mtWireless);
    TSlave_wMBus radioCopy = radio;
    radio.Cancel_Var();
    ASSERT_EQ(radioCopy.List_Var.size(), 1u);
    EXPECT_EQ(radioCopy.List_Var[0]->dato_A, 6016277);
    EXPECT_EQ(radioCopy.Key[3], 0x42);
    EXPECT_TRUE(radioCopy.Enable_Key);
}

} // namespace
