// Radio telegrams through the handler: datagram forms, signal levels, meter
// lookup, security modes 5 and 7 with the OMS example telegrams, and
// truncated or malformed telegrams.

#include "mbus/UWireless_Frame.h"

#include "core/UComon.h"
#include "platform/DateUtils.h"

#include "mbus/RadioTelegrams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TDateTime FixedNow() { return 45000.5; }

struct Call {
    int index;
    TSlave_wMBus* meter;
};

class WirelessFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        UComon::wMBus_Slave_List.clear();
        previousNow_ = SetNowSource(&FixedNow);
        previousFormat_ = FormatSettings();
        FormatSettings().DecimalSeparator = '.';
        FormatSettings().DateSeparator = '/';
        FormatSettings().ShortDateFormat = "dd/mm/yyyy";
    }
    void TearDown() override
    {
        UComon::wMBus_Slave_List.clear();
        SetNowSource(previousNow_);
        FormatSettings() = previousFormat_;
    }

    // Sends a datagram through an exactly sized buffer; answers whether it
    // was handled.
    bool Send(Bytes datagram, TRadioModule module = rmTelit)
    {
        return Process_Wireless_Frame(datagram.data(), datagram.size(), module,
                                      [this](int index, TSlave_wMBus& m) { calls.push_back({index, &m}); });
    }

    TSlave_wMBus& AddMeter(const TAESKey128* key)
    {
        auto m = std::make_shared<TSlave_wMBus>();
        m->ALA_Manufacturer = m->LLA_Manufacturer = Manufacturer;
        m->ALA_Address = m->LLA_Address = Identification;
        m->ALA_Version = m->LLA_Version = 0x33;
        m->ALA_DeviceType = m->LLA_DeviceType = 0x03;
        if (key) {
            m->Key = *key;
            m->Enable_Key = true;
        }
        UComon::wMBus_Slave_List.push_back(m);
        return *m;
    }

    static std::vector<const TVariable_MBus*> Real(const TSlave_wMBus& m)
    {
        std::vector<const TVariable_MBus*> out;
        for (const auto& v : m.List_Var)
            if (v->Real_Wireless_Var)
                out.push_back(v.get());
        return out;
    }

    // The three records of the OMS example's plaintext.
    static void ExpectExampleRecords(const TSlave_wMBus& m)
    {
        const auto records = Real(m);
        ASSERT_EQ(records.size(), 3u);
        EXPECT_EQ(records[0]->Desc_Type_Data, "Volume m3");
        EXPECT_EQ(records[0]->ValueStr, "28504.27");
        EXPECT_EQ(records[1]->ValueStr, "31/05/08 23:50");
        EXPECT_EQ(records[2]->Desc_Type_Data, "Error Flag (Binary)");
    }

    std::vector<Call> calls;

private:
    TNowSource previousNow_ = nullptr;
    TFormatSettings previousFormat_;
};

} // namespace

TEST(RadioDatagram, LengthRuleOfEachModule)
{
    const struct {
        std::size_t length;
        std::uint8_t lengthByte;
        TRadioModule module;
        std::size_t own;
    } cases[] = {
        {0x46, 0x43, rmTelit, 0x44},  {0x45, 0x43, rmTelit, 0},       {0x47, 0x43, rmTelit, 0},
        {0x44, 0x43, rmRadioCrafts, 0x43}, {0x46, 0x43, rmRadioCrafts, 0}, {258, 0xFF, rmTelit, 256},
        {256, 0xFF, rmRadioCrafts, 255},   {1, 0x00, rmRadioCrafts, 0},     {3, 0x00, rmTelit, 1},
    };
    for (const auto& c : cases) {
        Bytes d(c.length, 0);
        d[0] = c.lengthByte;
        EXPECT_EQ(Radio_Telegram_Length(d.data(), d.size(), c.module), c.own) << c.length << " " << c.module;
    }
    // Longer than the answer buffer: dropped whatever its first byte says.
    Bytes big(Ans_Array_Size + 1, 0);
    EXPECT_EQ(Radio_Telegram_Length(big.data(), big.size(), rmTelit), 0u);
}

TEST(RadioDatagram, SignalLevels)
{
    const struct {
        std::uint8_t last;
        TRadioModule module;
        int level;
    } cases[] = {
        {0x50, rmTelit, -82}, {0x00, rmTelit, -2},  {0x7E, rmTelit, -128}, {0xFF, rmTelit, -1},
        {0xB4, rmRadioCrafts, -37}, {0xFF, rmRadioCrafts, 1}, {0xFD, rmRadioCrafts, 0}, {0x01, rmRadioCrafts, 1},
        {0x80, rmRadioCrafts, -63},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Radio_Signal_Level(c.last, c.module), c.level) << int(c.last) << " " << c.module;
}

TEST(RadioDatagram, Mode7KeyDerivation)
{
    const Bytes counter = Hex("B30A0000");
    const Bytes id = Hex("78563412");
    EXPECT_EQ(Mode7_Encryption_Key(Mode7Key, counter.data(), id.data()), Key("ECCF39D475D730B8284FDFDC1995D52F"));
}

TEST_F(WirelessFrame, Mode7TelegramOfAKnownMeterIsDecryptedAndDecoded)
{
    AddMeter(nullptr);  // another meter first: the callback gives the index
    UComon::wMBus_Slave_List[0]->ALA_Version = 0x34;
    TSlave_wMBus& meter = AddMeter(&Mode7Key);
    meter.Cripted = true;

    ASSERT_TRUE(Send(Telit(Mode7)));
    EXPECT_FALSE(meter.Cripted);
    EXPECT_EQ(meter.RSSI, -82);
    EXPECT_EQ(meter.DateTime, FixedNow());
    ExpectExampleRecords(meter);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].index, 1);
    EXPECT_EQ(calls[0].meter, &meter);
    EXPECT_EQ(UComon::wMBus_Slave_List.size(), 2u);
}

TEST_F(WirelessFrame, MeterHeardFirstIsListedUndecrypted)
{
    ASSERT_TRUE(Send(Telit(Mode7, 0x60)));
    ASSERT_EQ(UComon::wMBus_Slave_List.size(), 1u);
    const TSlave_wMBus& m = *UComon::wMBus_Slave_List[0];
    EXPECT_TRUE(m.Cripted);
    EXPECT_TRUE(m.List_Var.empty());
    EXPECT_EQ(m.Message_Type, 0x44);
    EXPECT_EQ(m.ALA_Manufacturer, Manufacturer);
    EXPECT_EQ(m.ALA_Manu_str, "ELS");
    EXPECT_EQ(m.LLA_Manu_str, "ELS");
    EXPECT_EQ(m.ALA_Address, Identification);
    EXPECT_EQ(m.LLA_Address, Identification);
    EXPECT_EQ(m.ALA_Version, 0x33);
    EXPECT_EQ(m.ALA_DeviceType, 0x03);
    EXPECT_EQ(m.RSSI, -98);
    EXPECT_EQ(m.RadioCrafts_Ind_Tab_Decript, -1);
    EXPECT_FALSE(m.Enable_Key);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].index, 0);

    // Heard again: still the one meter.
    ASSERT_TRUE(Send(Telit(Mode7)));
    EXPECT_EQ(UComon::wMBus_Slave_List.size(), 1u);
    EXPECT_EQ(m.RSSI, -82);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].index, 0);
}

TEST_F(WirelessFrame, WrongMode7KeyLeavesTheMeterAsItWas)
{
    TSlave_wMBus& meter = AddMeter(&Mode7Key);
    ASSERT_TRUE(Send(Telit(Mode7)));
    ASSERT_EQ(Real(meter).size(), 3u);
    const std::size_t records = meter.List_Var.size();
    const TVariable_MBus* first = meter.List_Var[0].get();

    meter.Key = Mode5Key;
    SetNowSource([]() -> TDateTime { return 46000; });
    Bytes datagram = Telit(Mode7, 0x10);
    ASSERT_TRUE(Send(datagram));
    EXPECT_FALSE(meter.Cripted);
    EXPECT_EQ(meter.RSSI, -82);
    EXPECT_EQ(meter.DateTime, FixedNow());
    ASSERT_EQ(meter.List_Var.size(), records);
    EXPECT_EQ(meter.List_Var[0].get(), first);
    EXPECT_EQ(calls.size(), 2u);
    SetNowSource(&FixedNow);
}

TEST_F(WirelessFrame, Mode5UnderAnExtendedLinkLayerIsDecrypted)
{
    TSlave_wMBus& meter = AddMeter(&Mode5Key);
    Bytes datagram = Telit(Mode5Ell);
    ASSERT_TRUE(Process_Wireless_Frame(datagram.data(), datagram.size(), rmTelit, nullptr));
    // The plaintext was written over the encrypted bytes.
    EXPECT_EQ(datagram[18], 0x2F);
    EXPECT_EQ(datagram[19], 0x2F);
    EXPECT_FALSE(meter.Cripted);
    ExpectExampleRecords(meter);
}

TEST_F(WirelessFrame, Mode5WithoutExtendedLinkLayerStaysEncrypted)
{
    TSlave_wMBus& meter = AddMeter(&Mode5Key);
    const Bytes original = Telit(Mode5Plain);
    Bytes datagram = original;
    ASSERT_TRUE(Process_Wireless_Frame(datagram.data(), datagram.size(), rmTelit, nullptr));
    EXPECT_EQ(datagram, original);
    EXPECT_TRUE(meter.Cripted);
    EXPECT_TRUE(meter.List_Var.empty());
}

TEST_F(WirelessFrame, KnownMeterWithoutKeyDropsItsRecords)
{
    for (const std::string& telegram : {Mode7, Mode5Ell}) {
        SCOPED_TRACE(telegram.substr(0, 2));
        UComon::wMBus_Slave_List.clear();
        TSlave_wMBus& meter = AddMeter(telegram == Mode7 ? &Mode7Key : &Mode5Key);
        ASSERT_TRUE(Send(Telit(telegram)));
        ASSERT_FALSE(meter.List_Var.empty());
        meter.Enable_Key = false;
        ASSERT_TRUE(Send(Telit(telegram)));
        EXPECT_TRUE(meter.Cripted);
        EXPECT_TRUE(meter.List_Var.empty());
    }
}

TEST_F(WirelessFrame, PlainLayoutsAndApplicationAddresses)
{
    // CI 72: the application address is the long header's; two link
    // addresses, one meter.
    const std::string ala = "21436587 2D2C 01 07";
    ASSERT_TRUE(Send(Telit(Framed("44 9315 78563412 33 03 72 " + ala + " 2A 00 0000 2F2F 0413 15CD5B00"))));
    ASSERT_TRUE(Send(Telit(Framed("44 9315 11111111 33 03 72 " + ala + " 2B 00 0000 2F2F 0413 15CD5B00"))));
    ASSERT_EQ(UComon::wMBus_Slave_List.size(), 1u);
    const TSlave_wMBus& m = *UComon::wMBus_Slave_List[0];
    EXPECT_EQ(m.ALA_Address, static_cast<std::int32_t>(0x87654321));
    EXPECT_EQ(m.ALA_Manu_str, "KAM");
    EXPECT_EQ(m.ALA_Version, 0x01);
    EXPECT_EQ(m.ALA_DeviceType, 0x07);
    EXPECT_EQ(m.LLA_Address, Identification);
    EXPECT_FALSE(m.Cripted);
    ASSERT_EQ(Real(m).size(), 1u);
    EXPECT_EQ(Real(m)[0]->dato_A, 6016277);

    // Which telegrams read as plaintext, by layout.
    const struct {
        const char* name;
        std::string telegram;
        bool cripted;
        std::size_t records;
    } cases[] = {
        {"7A mode 0", "44 2D2C 01000000 01 07 7A 2A 00 0000 0413 15CD5B00", false, 1},
        {"7A mode 5 already plain", "44 2D2C 02000000 01 07 7A 2A 00 1005 2F2F 0413 15CD5B00", false, 1},
        {"7A mode 5", "44 2D2C 03000000 01 07 7A 2A 00 1005 0413 15CD5B00", true, 0},
        {"72 without fill bytes", "44 2D2C 04000000 01 07 72 04000000 2D2C 01 07 2A 00 0000 0413 15CD5B00", true, 0},
        {"8C inner 78", "44 2D2C 05000000 01 07 8C 20 2A 78 0413 15CD5B00", false, 1},
        {"8D inner 78", "44 2D2C 06000000 01 07 8D 20 2A 000000000000 78 0413 15CD5B00", false, 1},
        {"8D inner 7A mode 0", "44 2D2C 07000000 01 07 8D 20 2A 000000000000 7A 2A 00 0000 0413 15CD5B00", false, 1},
        {"8C inner 72 mode 0",
         "44 2D2C 08000000 01 07 8C 20 2A 72 08000000 2D2C 01 07 2A 00 0000 0413 15CD5B00", false, 1},
        {"8C inner 7A mode 7", "44 2D2C 09000000 01 07 8C 20 2A 7A 2A 00 0007 0413 15CD5B00", true, 0},
        {"8E", "44 2D2C 0A000000 01 07 8E 0413 15CD5B00", true, 0},
        {"8D with AFL", "44 2D2C 0B000000 01 07 8D 20 2A 000000000000 90 00 0413 15CD5B00", true, 0},
        {"unknown CI", "44 2D2C 0C000000 01 07 51 0413 15CD5B00", true, 0},
        {"8C inner 7A header cut short", "44 2D2C 0D000000 01 07 8C 20 2A 7A 2A 00", true, 0},
        {"8C inner 78, no data", "44 2D2C 0E000000 01 07 8C 20 2A 78", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = UComon::wMBus_Slave_List.size();
        ASSERT_TRUE(Send(Telit(Framed(c.telegram))));
        ASSERT_EQ(UComon::wMBus_Slave_List.size(), before + 1);
        const TSlave_wMBus& n = *UComon::wMBus_Slave_List.back();
        EXPECT_EQ(n.Cripted, c.cripted);
        EXPECT_EQ(Real(n).size(), c.records);
    }
}

TEST_F(WirelessFrame, RadiocraftsDatagram)
{
    // The module's length byte counts the telegram's own bytes.
    ASSERT_TRUE(Send(Hex("1544 2D2C 78563412 1B 16 7A 2A 00 0000 0413 15CD5B00 B4"), rmRadioCrafts));
    ASSERT_EQ(UComon::wMBus_Slave_List.size(), 1u);
    const TSlave_wMBus& m = *UComon::wMBus_Slave_List[0];
    EXPECT_EQ(m.RSSI, -37);
    EXPECT_EQ(m.ALA_Manu_str, "KAM");
    ASSERT_EQ(Real(m).size(), 1u);
    EXPECT_EQ(Real(m)[0]->dato_A, 6016277);
    // The same bytes as a Telit datagram do not fit its length rule.
    EXPECT_FALSE(Send(Hex("1544 2D2C 78563412 1B 16 7A 2A 00 0000 0413 15CD5B00 B4"), rmTelit));
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(WirelessFrame, DatagramsOutsideTheRuleAreIgnored)
{
    AddMeter(&Mode7Key);
    Bytes good = Telit(Mode7);
    const Bytes cases[] = {
        Bytes(good.begin(), good.end() - 1),
        [&] { Bytes b = good; b.push_back(0); return b; }(),
        [&] { Bytes b = good; b[0] = 0x42; return b; }(),
        Bytes{},
        Bytes(Ans_Array_Size + 10, 0x43),
    };
    for (const Bytes& d : cases) {
        EXPECT_FALSE(Send(d)) << d.size();
    }
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(UComon::wMBus_Slave_List[0]->List_Var.empty());
    EXPECT_EQ(UComon::wMBus_Slave_List.size(), 1u);
}

TEST_F(WirelessFrame, EveryTruncationRunsClean)
{
    // Each prefix of the two example telegrams, with its length byte set to
    // fit (so the handler reads it), in an exactly sized buffer, for a meter
    // with the right key. Nothing may read past the telegram; a cut telegram
    // never yields the full records.
    const struct {
        std::string telegram;
        TAESKey128 key;
    } telegrams[] = {{Mode7, Mode7Key}, {Mode5Ell, Mode5Key}, {Mode5Plain, Mode5Key}};
    for (const auto& t : telegrams) {
        const Bytes full = Hex(t.telegram);
        for (std::size_t n = 1; n <= full.size(); ++n) {
            SCOPED_TRACE(n);
            UComon::wMBus_Slave_List.clear();
            calls.clear();
            TSlave_wMBus& meter = AddMeter(&t.key);
            Bytes telegram(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
            telegram[0] = static_cast<std::uint8_t>(n - 1);
            Bytes datagram = telegram;
            datagram.push_back(0x00);
            datagram.push_back(0x50);
            const bool handled = Send(datagram);
            EXPECT_EQ(handled, n >= Radio_Min_Header);
            if (handled && n < full.size()) {
                EXPECT_LT(Real(meter).size(), 3u);
            }
            EXPECT_EQ(calls.size(), handled ? 1u : 0u);
        }
    }
}
