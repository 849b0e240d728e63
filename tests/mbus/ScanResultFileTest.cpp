// The scan result files: written by the engine at the end of a wired scan
// when it has a file name, and the radio form from a filled meter list.
#include "ScanTestSupport.h"
#include "XmlArtifacts.h"
#include "mbus/RadioTelegrams.h"
#include "mbus/MBusTestSupport.h"
#include "mbus/UMBus_Decode.h"
#include "mbus/UMBus_ScanFile.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Child_Names(pugi::xml_node e)
{
    std::vector<std::string> names;
    for (pugi::xml_node c : e.children()) names.push_back(c.name());
    return names;
}

TEST(ScanResultFile, WiredScanWritesItsMetersAtTheEnd)
{
    FixedClockAndFormats fixed;
    TempDir dir;
    const std::string path = dir.file("scan.xml");
    TScanRig rig;
    rig.sim.Add_Meter(5, 0x12345678, {TGatewaySimulator::Long_Frame(5, 0x12345678, Hex("04 13 15 CD 5B 00 42 6C FF 2C"))});
    rig.engine->Set_SaveXMLFile(path);
    ASSERT_TRUE(rig.Start(saPrimaryAddress));
    ASSERT_TRUE(rig.Wait_End(true));
    EXPECT_EQ(rig.engine->Last_Save_Error(), "");
    Keep_For_Xmllint(path, "scan_wired");

    TXmlDocument doc;
    ASSERT_EQ(doc.LoadFromFile(path), TXmlLoad::Read);
    EXPECT_EQ(std::string(doc.Root().name()), "SCAN_M-Bus_Wired");
    EXPECT_FALSE(doc.Root().next_sibling());  // no comment
    pugi::xml_node node = doc.Root().child("Node");
    EXPECT_STREQ(node.attribute("Primary_Address").value(), "5");
    EXPECT_STREQ(node.attribute("Secondary_Address").value(), "12345678");
    EXPECT_STREQ(node.attribute("Manufacturer").value(), "KAM (11309)");
    EXPECT_STREQ(node.attribute("Version").value(), "1");
    EXPECT_STREQ(node.attribute("Type").value(), "7");
    pugi::xml_node v = node.child("Variable");
    EXPECT_STREQ(v.attribute("Value").value(), "6016.277");
    EXPECT_STREQ(v.attribute("Type").value(), "Volume m3");
    EXPECT_STREQ(v.attribute("UST").value(), "(U0S0T0)");
    EXPECT_EQ(Child_Names(v), (std::vector<std::string>{"Storage_Number", "Tariff", "Unit", "Data_Field",
                                                        "Function_Field", "Type", "Value", "DIF", "VIF", "DIFE",
                                                        "VIFE", "DATA"}));
    EXPECT_EQ(ElementText(v.child("VIF")), "$13");
    EXPECT_EQ(ElementText(v.child("DATA")), "$15CD5B00");
    EXPECT_EQ(ElementText(v.child("DIF")), "$04");
    EXPECT_EQ(ElementText(v.child("Data_Field")), "32 Bit Integer");
    EXPECT_EQ(ElementText(v.child("Function_Field")), "Istantaneous value");
    pugi::xml_node stored = v.next_sibling("Variable");
    EXPECT_STREQ(stored.attribute("UST").value(), "(U0S1T0)");
    EXPECT_EQ(ElementText(stored.child("Storage_Number")), "1");
}

TEST(ScanResultFile, NoFileWithoutAName)
{
    TempDir dir;
    TScanRig rig;
    rig.sim.Add_Meter(5, 0x12345678, {TGatewaySimulator::Long_Frame(5, 0x12345678, Hex("04 13 15 CD 5B 00"))});
    ASSERT_TRUE(rig.Start(saPrimaryAddress));
    ASSERT_TRUE(rig.Wait_End(true));
    EXPECT_EQ(rig.engine->SaveXMLFile(), "");
    EXPECT_EQ(ReadFile(dir.file("scan.xml")), "");
}

TEST(ScanResultFile, FailedWriteIsKeptAsTheEngineLastSaveError)
{
    TempDir dir;
    const std::string path = dir.file("gone/scan.xml");
    TScanRig rig;
    rig.sim.Add_Meter(5, 0x12345678, {TGatewaySimulator::Long_Frame(5, 0x12345678, Hex("04 13 15 CD 5B 00"))});
    rig.engine->Set_SaveXMLFile(path);
    ASSERT_TRUE(rig.Start(saPrimaryAddress));
    ASSERT_TRUE(rig.Wait_End(true));
    EXPECT_NE(rig.engine->Last_Save_Error().find(path), std::string::npos) << rig.engine->Last_Save_Error();
    // The next scan starts with no error kept.
    rig.engine->Set_SaveXMLFile(dir.file("scan.xml"));
    ASSERT_TRUE(rig.Start(saPrimaryAddress));
    ASSERT_TRUE(rig.Wait_End(true));
    EXPECT_EQ(rig.engine->Last_Save_Error(), "");
}

// A wireless scan that heard a meter writes the radio form when it is stopped.
TEST(ScanResultFile, WirelessScanWritesItsMetersAtTheEnd)
{
    FixedClockAndFormats fixed;
    TempDir dir;
    const std::string path = dir.file("radio_scan.xml");
    TScanRig rig(TGatewaySimulator::TRadio::Telit);
    rig.engine->Set_SaveXMLFile(path);
    ASSERT_TRUE(rig.Start_Wireless(5, 0));
    ASSERT_TRUE(rig.Wait_Listening());
    // A plain telegram of a KAM meter 0x0ABC1234, version 1, device type 7.
    ASSERT_TRUE(rig.Radio(Framed("44 2D2C 3412BC0A 01 07 7A 01 00 0000 0413 15CD5B00")));
    EXPECT_FALSE(FileExists(path));  // not before the end of the scan
    rig.engine->Stop_Scan();
    ASSERT_TRUE(rig.Wait_Stopped());
    EXPECT_EQ(rig.engine->Last_Save_Error(), "");
    Keep_For_Xmllint(path, "scan_radio_engine");
    TXmlDocument doc;
    ASSERT_EQ(doc.LoadFromFile(path), TXmlLoad::Read);
    EXPECT_EQ(std::string(doc.Root().name()), "SCAN_M-Bus_Wireless");
    pugi::xml_node node = doc.Root().child("Node");
    EXPECT_STREQ(node.attribute("Manufacturer").value(), "KAM");
    EXPECT_STREQ(node.attribute("Address").value(), "0ABC1234");
    EXPECT_STREQ(node.attribute("Version").value(), "1");
    EXPECT_STREQ(node.attribute("Device_Type").value(), "7");
    EXPECT_STREQ(node.attribute("Cripted").value(), "False");
    EXPECT_STREQ(node.child("Variable").attribute("Value").value(), "6016.277");
    EXPECT_EQ(ElementText(node.child("Variable").child("DATA")), "$15CD5B00");
    EXPECT_FALSE(node.next_sibling("Node"));
}

TEST(ScanResultFile, RadioMeters)
{
    FixedClockAndFormats fixed;
    TempDir dir;
    const std::string path = dir.file("radio.xml");
    std::vector<std::shared_ptr<TSlave_wMBus>> meters;
    for (const auto& [address, cripted] : {std::pair<std::uint32_t, bool>{0x00012345u, false}, {0xABCDEF01u, true}}) {
        auto m = std::make_shared<TSlave_wMBus>();
        m->ALA_Manu_str = "ELS";
        m->ALA_Address = static_cast<std::int32_t>(address);
        m->ALA_Version = 51;
        m->ALA_DeviceType = 3;
        m->Cripted = cripted;
        if (!cripted) Decode_Records(m->List_Var, Hex("04 13 15 CD 5B 00"), mtWireless);
        meters.push_back(m);
    }
    std::string error;
    ASSERT_TRUE(Save_Scan_Result_Wireless(path, meters, error)) << error;
    Keep_For_Xmllint(path, "scan_radio");
    TXmlDocument doc;
    ASSERT_EQ(doc.LoadFromFile(path), TXmlLoad::Read);
    EXPECT_EQ(std::string(doc.Root().name()), "SCAN_M-Bus_Wireless");
    pugi::xml_node first = doc.Root().child("Node");
    pugi::xml_node second = first.next_sibling("Node");
    EXPECT_STREQ(first.attribute("Manufacturer").value(), "ELS");
    EXPECT_STREQ(first.attribute("Address").value(), "00012345");
    EXPECT_STREQ(second.attribute("Address").value(), "ABCDEF01");
    EXPECT_STREQ(first.attribute("Version").value(), "51");
    EXPECT_STREQ(first.attribute("Device_Type").value(), "3");
    EXPECT_STREQ(first.attribute("Cripted").value(), "False");
    EXPECT_STREQ(second.attribute("Cripted").value(), "True");
    EXPECT_STREQ(first.child("Variable").attribute("Value").value(), "6016.277");
    EXPECT_FALSE(second.child("Variable"));
}

} // namespace
