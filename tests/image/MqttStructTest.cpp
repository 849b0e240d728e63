// The MQTT structure behind the CAN table: header, texts, topic arrays.

#include "ImageFixture.h"

#include "image/MqttTopics.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Base = 0x88000;

std::string BuildMqtt()
{
    USaveBincc::Create_Bin();
    const auto& b2 = USaveBincc::Bank2_Image();
    return MqttPart(std::string(b2.begin(), b2.end()));
}

// A 12-byte string reference: address, length, address.
void ExpectRef(const std::string& s, size_t at, uint32_t offset, uint32_t len)
{
    const uint32_t a = offset ? Base + offset : 0;
    EXPECT_EQ(U32(s, at), a) << "reference at " << at;
    EXPECT_EQ(U32(s, at + 4), len) << "reference at " << at;
    EXPECT_EQ(U32(s, at + 8), a) << "reference at " << at;
}

} // namespace

TEST(MqttStruct, BrokerAddressAloneFollowsTheHeader)
{
    ImageConfig cfg;
    cfg.ParGen({{"MQTT_Server_URL", "broker.lan"}});
    const std::string s = BuildMqtt();
    ASSERT_EQ(s.size(), 232u);
    EXPECT_EQ(U32(s, 8), 0x880DDu);
    EXPECT_EQ(s.substr(221), std::string("broker.lan\0", 11));
    // The file's defaults: mode 2, send time 10, port 1883, NTP poll 1000.
    EXPECT_EQ(U32(s, 0), 2u);
    EXPECT_EQ(U32(s, 4), 10u);
    EXPECT_EQ(U16(s, 12), 1883u);
    EXPECT_EQ(U32(s, 169), 1000u);
    EXPECT_EQ(U32(s, 165), 0x880DCu);  // empty NTP server: the shared zero byte
}

TEST(MqttStruct, TextLengthsCountUtf8Bytes)
{
    const std::pair<std::string, uint32_t> cases[] = {{"abc", 3}, {"\xC3\xA9t\xC3\xA9", 5}, {"\xE2\x82\xAC", 3}};
    for (const auto& [id, len] : cases) {
        ImageConfig cfg;
        cfg.ParGen({{"MQTT_Client_ID", id}});
        const std::string s = BuildMqtt();
        ExpectRef(s, 23, 221, len);
        EXPECT_EQ(s.substr(221), id + '\0');
    }
}

TEST(MqttStruct, ConnectionFieldsAndHeaderTextsInOrder)
{
    ImageConfig cfg;
    cfg.Certificate("ca.pem", "L1\nL2\n");
    cfg.Certificate("srv.pem", "\xEF\xBB\xBFS\r\n");
    cfg.ParGen({{"MQTT_Server_URL", "b"},
                {"MQTT_Server_Port", "65535"},  // the highest port; beyond it the build stops
                {"MQTT_Client_ID", "c"},
                {"MQTT_Keep_Alive", "60"},
                {"MQTT_Clean_Session", "1"},
                {"MQTT_WillFlag", "1"},
                {"MQTT_Will_Topic_Name", "wt"},
                {"MQTT_Will_Message", "wm"},
                {"MQTT_Will_Retained", "1"},
                {"MQTT_Will_QoS", "2"},
                {"MQTT_Username", "u"},
                {"MQTT_Password", "p"},
                {"MQTT_PublishTopicConnection", "1"},
                {"MQTT_Connection_Topic_Name", "ct"},
                {"MQTT_Connection_Message", "cm"},
                {"MQTT_Connection_Retained", "1"},
                {"TLS_Enable", "1"},
                {"TLS_En_Server_Auth", "1"},
                {"TLS_Server_Auth_Certificate", "srv.pem"},
                {"TLS_Client_CA_Certificate", "ca.pem"},
                {"TLS_Client_Auth_Key_Password", "kp"},
                {"NTP_Server_URL", "ntp"},
                {"NTP_Poll_Time", "5"}});
    const std::string s = BuildMqtt();
    // Texts in header order: b c wt wm u p srv(S\r\n) kp ntp ct cm ca(L1\r\nL2\r\n).
    const std::string texts = std::string("b\0c\0wt\0wm\0u\0p\0S\r\n\0kp\0ntp\0ct\0cm\0L1\r\nL2\r\n\0", 40);
    ASSERT_EQ(s.size(), 221 + texts.size());
    EXPECT_EQ(s.substr(221), texts);
    EXPECT_EQ(U32(s, 8), Base + 221);
    EXPECT_EQ(U16(s, 12), 65535u);
    ExpectRef(s, 23, 223, 1);
    EXPECT_EQ(U16(s, 35), 60u);
    EXPECT_EQ(U8(s, 37), 1u);
    EXPECT_EQ(U8(s, 38), 1u);
    ExpectRef(s, 47, 225, 2);
    ExpectRef(s, 59, 228, 2);
    EXPECT_EQ(U8(s, 71), 1u);
    EXPECT_EQ(U8(s, 72), 2u);
    ExpectRef(s, 73, 231, 1);
    ExpectRef(s, 85, 233, 1);
    EXPECT_EQ(U32(s, 121), 1u);
    EXPECT_EQ(U32(s, 125), 1u);
    EXPECT_EQ(U32(s, 129), Base + 235);  // server certificate, BOM dropped, CR LF kept once
    EXPECT_EQ(U32(s, 133), 3u);
    EXPECT_EQ(U32(s, 141), Base + 220);  // no client certificate
    EXPECT_EQ(U32(s, 145), 0u);
    EXPECT_EQ(U32(s, 161), Base + 239);
    EXPECT_EQ(U32(s, 165), Base + 242);
    EXPECT_EQ(U32(s, 169), 5u);
    EXPECT_EQ(U8(s, 173), 1u);
    ExpectRef(s, 174, 246, 2);
    ExpectRef(s, 186, 249, 2);
    EXPECT_EQ(U8(s, 198), 1u);
    EXPECT_EQ(U8(s, 199), 0u);
    ExpectRef(s, 200, 0, 0);
    EXPECT_EQ(U32(s, 212), Base + 252);  // CA certificate: LF became CR LF
    EXPECT_EQ(U32(s, 216), 8u);
}

TEST(MqttStruct, MissingCertificateWithTlsOffStandsInByName)
{
    ImageConfig cfg;
    // A file outside the Certificates folder is never read.
    WriteFile(PathJoin(UComon::Project_Folder, "x.pem"), "secret");
    cfg.ParGen({{"TLS_Client_CA_Certificate", "ca.pem"}, {"TLS_Client_Auth_Certificate", "../x.pem"}});
    const std::string s = BuildMqtt();
    EXPECT_EQ(s.substr(221), std::string("x.pem\0ca.pem\0", 13));
    EXPECT_EQ(U32(s, 145), 5u);
    EXPECT_EQ(U32(s, 216), 6u);
}

TEST(MqttStruct, OneSubscribeRowLaysOutItsArrays)
{
    ImageConfig cfg;  // no parameter file: simple mode
    cfg.Topics({}, {SubRow({{"Topic", "abc"}, {"Template", "x"}, {"QoS", "1"}, {"Position", "9"}})});
    const std::string s = BuildMqtt();
    ASSERT_EQ(s.size(), 270u);
    EXPECT_EQ(U32(s, 0), 0u);  // mode 0
    EXPECT_EQ(U32(s, 97), 1u);
    EXPECT_EQ(U32(s, 101), 0x880DDu);
    EXPECT_EQ(U32(s, 105), Base + 237);
    EXPECT_EQ(U32(s, 109), Base + 241);
    EXPECT_EQ(U32(s, 113), 0u);
    EXPECT_EQ(U32(s, 117), Base);
    ExpectRef(s, 221, 233, 3);
    EXPECT_EQ(s.substr(233, 4), std::string("abc\0", 4));
    EXPECT_EQ(U32(s, 237), 1u);
    // Simple mode: no position, length or type.
    EXPECT_EQ(s.substr(241, 12), std::string(12, '\0'));
    EXPECT_EQ(U32(s, 253), Base + 268);
    EXPECT_EQ(U32(s, 257), Base + 220);
    EXPECT_EQ(s.substr(261, 7), std::string(7, '\0'));
    EXPECT_EQ(s.substr(268), std::string("x\0", 2));
}

TEST(MqttStruct, PublishRowRecordAndTexts)
{
    ImageConfig cfg;
    cfg.ParGen({});
    cfg.Topics({PubRow({{"Topic", "a\r\nb"},
                        {"Retained", "y"},
                        {"QoS", "2"},
                        {"DataType", " float "},
                        {"Dimension", "65535"},
                        {"Position", "$10"},
                        {"Template", "{\r\n$VALUE$\n}"},
                        {"OnChange", "y"},
                        {"OnCMD", "Y"},
                        {"OnTimer", "Y"},
                        {"Time", " 500 "},
                        {"Mnemonic", "desc"}}),
                PubRow({{"Template", "t"}, {"OnChange", "Y"}, {"OnTimer", "N"}, {"Time", "9"}, {"Mnemonic", ""}})},
               {});
    const std::string s = BuildMqtt();
    const size_t rec = 221, rec2 = rec + 49, txt = rec + 2 * 49;
    EXPECT_EQ(U32(s, 113), 2u);
    EXPECT_EQ(U32(s, 117), Base + rec);
    // Row 1: texts desc, topic (no line breaks), template (line breaks removed).
    EXPECT_EQ(s.substr(txt, 18), std::string("desc\0ab\0{$VALUE$}\0", 18));
    EXPECT_EQ(U32(s, rec + 0), Base + txt);
    ExpectRef(s, rec + 4, txt + 5, 2);
    EXPECT_EQ(U8(s, rec + 16), 1u);
    EXPECT_EQ(U32(s, rec + 17), 2u);
    EXPECT_EQ(U32(s, rec + 21), Base + 220);  // no input template
    EXPECT_EQ(U32(s, rec + 25), Base + txt + 8);
    EXPECT_EQ(U32(s, rec + 29), 0u);
    EXPECT_EQ(U32(s, rec + 33), 16u);
    EXPECT_EQ(U16(s, rec + 37), 65535u);
    EXPECT_EQ(U16(s, rec + 39), 2u);  // FLOAT
    EXPECT_EQ(U32(s, rec + 41), 500u);
    EXPECT_EQ(U32(s, rec + 45), 7u);
    // Row 2: empty mnemonic, no timer although a time is given.
    const size_t txt2 = txt + 18;
    EXPECT_EQ(U32(s, rec2 + 0), Base + 220);
    ExpectRef(s, rec2 + 4, txt2, 7);
    EXPECT_EQ(U32(s, rec2 + 41), 0u);
    EXPECT_EQ(U32(s, rec2 + 45), 1u);
    EXPECT_EQ(s.substr(txt2), std::string("plant/t\0t\0", 10));
}

TEST(MqttStruct, LineBreaksInTemplatesFollowTheOption)
{
    ImageConfig cfg;
    cfg.ParGen({});
    cfg.Topics({PubRow({{"Topic", "p\n"}, {"Template", "a\r\nb"}, {"Mnemonic", ""}})},
               {SubRow({{"Topic", "s\r"}, {"Template", "c\nd"}, {"Mnemonic", ""}})}, "Y");
    const std::string s = BuildMqtt();
    // Subscribe: filter ref, "s", QoS, record, template; then publish.
    const size_t filter = 221, sub_txt = filter + 12 + 2 + 4 + 27;
    EXPECT_EQ(s.substr(filter + 12, 2), std::string("s\0", 2));
    EXPECT_EQ(s.substr(sub_txt, 4), std::string("c\nd\0", 4));
    const size_t pub_txt = sub_txt + 4 + 49;
    EXPECT_EQ(s.substr(pub_txt), std::string("p\0a\r\nb\0", 7));
}

TEST(MqttStruct, SubscribeBitFieldsSetPositionAndLength)
{
    ImageConfig cfg;
    cfg.ParGen({});
    cfg.Topics({}, {SubRow({{"Template", "v=@B0.16@ and @B16.8@"}, {"Position", "100"}, {"Dimension", "9"},
                            {"DataType", "sint"}}),
                    SubRow({{"Template", "@X5.0@"}, {"Position", "100"}, {"Dimension", "9"}}),
                    SubRow({{"Template", "$VALUE$"}, {"Position", "x"}, {"Dimension", ""}})});
    const std::string s = BuildMqtt();
    const size_t recs = 221 + 3 * 12 + 3 * 8 + 3 * 4;
    EXPECT_EQ(U32(s, recs + 0), 0u);
    EXPECT_EQ(U32(s, recs + 4), 4u);
    EXPECT_EQ(U32(s, recs + 8), 4u);  // SINT
    EXPECT_EQ(U32(s, recs + 27 + 0), 100u);
    EXPECT_EQ(U32(s, recs + 27 + 4), 9u);
    EXPECT_EQ(U32(s, recs + 54 + 0), 0u);  // defaults
    EXPECT_EQ(U32(s, recs + 54 + 4), 4u);
}

TEST(MqttStruct, SimpleModeTakesOnlyTheFirstSubscribeRow)
{
    ImageConfig cfg;
    cfg.Topics({PubRow({{"Dimension", "3"}, {"Position", "5"}, {"DataType", "Float"}})},
               {SubRow({{"Topic", "one"}}), SubRow({{"Topic", "two"}}), SubRow({{"Topic", "three"}})});
    const std::string s = BuildMqtt();
    EXPECT_EQ(U32(s, 97), 1u);
    EXPECT_EQ(s.find("two"), std::string::npos);
    EXPECT_EQ(s.find("three"), std::string::npos);
    const size_t pub = U32(s, 117) - Base;
    EXPECT_EQ(U32(s, pub + 33), 0u);
    EXPECT_EQ(U16(s, pub + 37), 0u);
    EXPECT_EQ(U16(s, pub + 39), 0u);
}

TEST(MqttStruct, MissingSectionsReadAsNoRows)
{
    ImageConfig cfg;
    cfg.ParGen({});
    TXmlDocument doc;
    AddTextElement(doc.NewDocument("MQTT_Set_Topic").append_child("MQTT_Options"), "Option_Allow_CR_LF", "Y");
    ASSERT_TRUE(doc.SaveToFile(UComon::File_MQTT_Set_Topic));
    const std::string s = BuildMqtt();
    EXPECT_EQ(s.size(), 221u);
    EXPECT_EQ(U32(s, 97), 0u);
    EXPECT_EQ(U32(s, 113), 0u);
}

TEST(MqttStruct, AtFieldParsing)
{
    struct Case {
        const char* tmpl;
        bool found;
        uint32_t position, length;
    } cases[] = {
        {"@B0.16@ x @B16.8@", true, 0, 4},
        {"{\"v\":@B12.4@}", true, 1, 2},
        {"@B0.8@", true, 0, 2},  // the end bit counts one byte more on a boundary
        {"@B5.0@", false, 0, 0},
        {"$VALUE$", false, 0, 0},
        {"a@B0.8", false, 0, 0},  // no closing at sign
        {"@@", false, 0, 0},
        {"@B8@", true, 0, 2},      // no ".": the whole field is the length, bit 0
        {"@B x.3@", true, 0, 1},   // an unreadable bit counts as 0
        {"@B 24 . 8 @", true, 3, 2},
        {"@B40.8@@B8.8@", true, 1, 6},
    };
    for (const Case& c : cases) {
        const auto r = USaveBincc::Parse_At_Fields(c.tmpl);
        EXPECT_EQ(r.found, c.found) << c.tmpl;
        if (c.found) {
            EXPECT_EQ(r.position, c.position) << c.tmpl;
            EXPECT_EQ(r.length, c.length) << c.tmpl;
        }
    }
}

TEST(MqttStruct, AtFieldsBeyondTheLimitAreIgnored)
{
    std::string t;
    for (int i = 0; i < USaveBincc::Max_At_Fields; ++i) t += "@B" + std::to_string(8 * i) + ".8@,";
    const auto in = USaveBincc::Parse_At_Fields(t);
    ASSERT_TRUE(in.found);
    EXPECT_EQ(in.length, 102u);
    const auto r = USaveBincc::Parse_At_Fields(t + "@B100000.8@");
    EXPECT_EQ(r.position, in.position);
    EXPECT_EQ(r.length, in.length);
}

TEST(MqttStruct, CertificateNamesWithDotsInsideAreFilesOfTheFolder)
{
    struct Case {
        const char* name;
        bool read; // the file's content goes into the image
    } cases[] = {
        {"ca..pem", true}, {"..ca.pem", true}, {"ca.pem..", true}, {"..", false}, {".", false}, {"../ca..pem", false},
        {"sub/ca..pem", false},
    };
    for (const Case& c : cases) {
        ImageConfig cfg;
        cfg.Certificate("ca..pem", "A1\n");
        cfg.Certificate("..ca.pem", "A1\n");
        cfg.Certificate("ca.pem..", "A1\n");
        ForceDirectories(PathJoin(PathJoin(UComon::Project_Folder, "Certificates"), "sub"));
        cfg.Certificate("sub/ca..pem", "A1\n");
        cfg.ParGen({{"TLS_Enable", "1"}, {"TLS_Client_CA_Certificate", c.name}});
        if (c.read) {
            const std::string s = BuildMqtt();
            EXPECT_EQ(s.substr(s.size() - 5), std::string("A1\r\n\0", 5)) << c.name;
        } else {
            // With TLS on, a name that is no file of the folder stops the build.
            EXPECT_ANY_THROW(USaveBincc::Create_Bin()) << c.name;
        }
    }
}
