// The PROFINET GSDML file and the PROFIBUS GSD file from the communication
// parameter file: the templates byte for byte, the values they take, the
// save dialogs and questions, and the GSDML file read by a real XML reader.
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "platform/XmlDoc.h"
#include "rules/field/UGSD.h"
#include "rules/field/UGSDML.h"
#include "rules/field/USideFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// xmllint (Debian package libxml2-utils) is installed by
// scripts/install-deps; without it this fails.
void Expect_Well_Formed(const std::string& file)
{
    TempDir dir;
    const std::string out = dir.file("out.txt");
    const int status = std::system(("xmllint --noout '" + file + "' > '" + out + "' 2>&1").c_str());
    EXPECT_EQ(status, 0) << file << ":\n" << ReadFile(out);
    EXPECT_EQ(ReadFile(out), "");
}

std::string ParGen(const std::string& keys) { return "<Par_Gen>\n" + keys + "</Par_Gen>\n"; }
std::string Key(const std::string& name, const std::string& value)
{
    return "\t<" + name + ">" + value + "</" + name + ">\n";
}

// The value of an attribute of the first element of that name.
std::string Attribute(const std::string& file, const char* element, const char* attribute)
{
    TXmlDocument doc;
    EXPECT_EQ(doc.LoadFromFile(file), TXmlLoad::Read) << file;
    const pugi::xml_node node = doc.Doc().find_node([element](pugi::xml_node n) {
        return std::string(n.name()) == element;
    });
    return node.attribute(attribute).value();
}

// The Length of the Input (or Output) data item.
std::string Data_Length(const std::string& file, const char* direction)
{
    TXmlDocument doc;
    EXPECT_EQ(doc.LoadFromFile(file), TXmlLoad::Read) << file;
    const pugi::xml_node node = doc.Doc().find_node([direction](pugi::xml_node n) {
        return std::string(n.name()) == direction;
    });
    return node.child("DataItem").attribute("Length").value();
}

class ProfinetFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        UComon::Init_State(dir.path());
        ULanguage::Load_Default_Lang();
        UComon::Project_Folder = dir.path();
        UComon::Set_Files();
    }
    std::string GSDML()
    {
        EXPECT_TRUE(UGSDML::Write_GSDML_File(gsdml));
        return ReadFile(gsdml);
    }
    // The save dialog's answers: the name chosen, whether confirmed; the
    // request it was asked with.
    void Dialog(const std::string& name, bool confirm = true)
    {
        SetFileDialogHandler([this, name, confirm](const TFileDialogRequest& r, std::string& chosen) {
            asked = r;
            offered = chosen;
            ++dialogs;
            chosen = name;
            return confirm;
        });
    }
    void TearDown() override { SetFileDialogHandler(nullptr); }
    TempDir dir;
    RecordingMessageBoxes boxes;
    std::string gsdml = dir.file("device.xml");
    TFileDialogRequest asked;
    std::string offered;
    int dialogs = 0;
};

} // namespace

TEST_F(ProfinetFiles, GSDMLWithoutParametersByteForByte)
{
    EXPECT_EQ(GSDML(), ReadFile(TestDataPath("profinet/GSDML_default.xml")));
    Expect_Well_Formed(gsdml);
    // Its shape as a reader takes it: the declaration, the comment, the
    // profile; the last three texts with Value before TextId.
    const std::string text = ReadFile(gsdml);
    EXPECT_EQ(text.rfind("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n"
                         "<!-- A fieldbus integration example. -->\r\n<ISO15745Profile ",
                         0),
              0u);
    EXPECT_NE(text.find("<Text Value=\"Continue operation\" TextId=\"IDT_ASSIGN_do_continue_counting\"/>\r\n"),
              std::string::npos);
    size_t lines = 0;
    for (size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 2)) ++lines;
    EXPECT_EQ(lines, UGSDML::GSDML_Lines(UGSDML::Load_PROFINET_Param()).size());
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
}

TEST_F(ProfinetFiles, GSDMLTakesTheLengthsAndTheStationName)
{
    struct Case {
        std::string keys;
        std::string input, output, station;
    } cases[] = {
        {"", "1438", "1438", "SERIAL"},
        {Key("PROFINET_NB_OUT", "$40"), "64", "1438", "SERIAL"},
        {Key("PROFINET_NB_IN", "0x10") + Key("PROFINET_NB_OUT", "12"), "12", "16", "SERIAL"},
        {Key("PROFINET_NB_IN", "2000") + Key("PROFINET_NB_OUT", "2000"), "2000", "2000", "SERIAL"},
        {Key("PROFINET_NB_IN", "-5") + Key("PROFINET_NB_OUT", "12a"), "1438", "-5", "SERIAL"},
        {Key("PROFINET_NAME_STA", ""), "1438", "1438", "SERIAL"},
        {Key("PROFINET_NAME_STA", "   "), "1438", "1438", "SERIAL"},
        {Key("PROFINET_NAME_STA", " plc-1 "), "1438", "1438", " plc-1 "},
    };
    for (const Case& c : cases) {
        WriteFile(UComon::File_ParGen, ParGen(c.keys));
        GSDML();
        EXPECT_EQ(Data_Length(gsdml, "Input"), c.input) << c.keys;
        EXPECT_EQ(Data_Length(gsdml, "Output"), c.output) << c.keys;
        EXPECT_EQ(Attribute(gsdml, "DeviceAccessPointItem", "ImplementationType"), c.station) << c.keys;
        EXPECT_EQ(Attribute(gsdml, "DeviceAccessPointItem", "DNS_CompatibleName"), c.station) << c.keys;
        // The data area stays the gateway's.
        EXPECT_EQ(Attribute(gsdml, "IOConfigData", "MaxInputLength"), "1440");
        EXPECT_EQ(Attribute(gsdml, "IOConfigData", "MaxOutputLength"), "1440");
        EXPECT_EQ(Attribute(gsdml, "IOConfigData", "MaxDataLength"), "2880");
    }
    // No file at all: the defaults, and no box.
    DeleteFile(UComon::File_ParGen);
    EXPECT_EQ(GSDML(), ReadFile(TestDataPath("profinet/GSDML_default.xml")));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ProfinetFiles, StationNamesThatXMLWouldTakeAsMarkupAreEscaped)
{
    for (const std::string& name : {std::string("a&b\"<c"), std::string("st\xC3\xA9 'x' > \xE2\x82\xAC \xF0\x9F\x98\x80"),
                                   std::string("tab\there"), std::string("&amp;")}) {
        WriteFile(UComon::File_ParGen, ParGen("\t<PROFINET_NAME_STA><![CDATA[" + name + "]]></PROFINET_NAME_STA>\n"));
        const std::string text = GSDML();
        Expect_Well_Formed(gsdml);
        EXPECT_EQ(Attribute(gsdml, "DeviceAccessPointItem", "ImplementationType"), name);
        EXPECT_EQ(Attribute(gsdml, "DeviceAccessPointItem", "DNS_CompatibleName"), name);
        // Plain ASCII after the byte-order mark.
        for (size_t i = 3; i < text.size(); ++i)
            ASSERT_LT(static_cast<unsigned char>(text[i]), 0x80) << name << " at " << i;
    }
    EXPECT_EQ(UGSDML::Xml_Attribute_Text("a&b\"<c>'\xC3\xA9\r\n\x01"),
              "a&amp;b&quot;&lt;c&gt;&apos;&#233;&#13;&#10;?");
}

TEST_F(ProfinetFiles, GSDMLSaveDialogQuestionAndFolder)
{
    const std::string name = "GSDML-V2.31-Quembo-QG41021_A-20240304.xml";
    // Cancel: nothing.
    Dialog(dir.file("x.xml"), false);
    UGSDML::Save_GSDML_File(name);
    EXPECT_EQ(asked.InitialDir, UComon::Project_Folder);
    EXPECT_EQ(asked.Filter, "PROFINET XML (*.xml)|" + name);
    EXPECT_EQ(offered, name);
    EXPECT_FALSE(FileExists(dir.file(name)));
    // A name typed in another folder: that folder, the composed name.
    ForceDirectories(dir.file("other"));
    Dialog(dir.file("other/typed.xml"));
    UGSDML::Save_GSDML_File(name);
    EXPECT_FALSE(FileExists(dir.file("other/typed.xml")));
    EXPECT_EQ(ReadFile(dir.file("other/" + name)), ReadFile(TestDataPath("profinet/GSDML_default.xml")));
    // An existing file: No leaves it, Yes replaces it.
    WriteFile(dir.file("other/" + name), "keep");
    boxes.Answer(mrNo);
    UGSDML::Save_GSDML_File(name);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "File already exists! Do you want to overwrite the file?");
    EXPECT_EQ(boxes.shown[0].buttons, TMsgDlgButtons::mbYesNo);
    EXPECT_EQ(ReadFile(dir.file("other/" + name)), "keep");
    UGSDML::Save_GSDML_File(name);
    EXPECT_EQ(ReadFile(dir.file("other/" + name)), ReadFile(TestDataPath("profinet/GSDML_default.xml")));
    // A folder that is gone: the box names the file.
    boxes.shown.clear();
    Dialog(dir.file("gone/typed.xml"));
    UGSDML::Save_GSDML_File(name);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, std::string(USideFile::Msg_Not_Written) + "\n" + dir.file("gone/" + name));
}

TEST_F(ProfinetFiles, GSDFilesByteForByte)
{
    for (const auto& [in, out] : {std::pair{100, 64}, std::pair{1438, 0}}) {
        const std::string path = dir.file("slave.gsd");
        EXPECT_TRUE(UGSD::Write_GSD_File(path, in, out));
        EXPECT_EQ(ReadFile(path), ReadFile(TestDataPath("profinet/GSD_" + std::to_string(in) + "_" +
                                                        std::to_string(out) + ".gsd")))
            << in << " / " << out;
    }
}

TEST_F(ProfinetFiles, GSDModulesFromTheLengths)
{
    const auto text = [](int32_t in, int32_t out) {
        std::string t;
        for (const std::string& l : UGSD::GSD_Lines(in, out)) t += l + "\n";
        return t;
    };
    // Input 64: one full module; 65: a second one with one byte.
    EXPECT_NE(text(64, 0).find("\nModule=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01\n1\nEndModule\n\n"),
              std::string::npos);
    EXPECT_NE(text(65, 0).find("0x42,0x3F,0x00,0x01\n1\nEndModule\nModule=\"DI  (PORT2)    \" 0x42,0x00,0x00,0x02\n"),
              std::string::npos);
    EXPECT_NE(text(0, 10).find("\nModule=\"DO  (PORT1)    \" 0x82,0x09,0x00,0x01\n"), std::string::npos);
    // Module 10: its byte in hexadecimal, its line in decimal.
    const std::string ten = text(640, 1);
    EXPECT_NE(ten.find("\nModule=\"DI  (PORT10)    \" 0x42,0x3F,0x00,0x0A\n10\nEndModule\n"), std::string::npos);
    EXPECT_NE(ten.find("\nModule=\"DO  (PORT11)    \" 0x82,0x00,0x00,0x0B\n"), std::string::npos);
    EXPECT_NE(ten.find("\nSlot(11) = \"Slot 11\" 11 11\nEndSlotDefinition\n"), std::string::npos);
    // No lengths: no modules, no slots, zeros.
    const std::string none = text(0, 0);
    EXPECT_EQ(none.find("Module=\""), std::string::npos);
    EXPECT_EQ(none.find("Slot("), std::string::npos);
    EXPECT_NE(none.find("\nMax_Module=0\nModul_Offset=1\nMax_Input_Len=0\nMax_Output_Len=0\nMax_Data_Len=0\n"),
              std::string::npos);
    EXPECT_NE(none.find("\nSlotDefinition\nEndSlotDefinition\n\n\n\n\n"), std::string::npos);
    // A negative length: no modules of its kind, written and summed as read.
    const std::string negative = text(-20, 64);
    EXPECT_NE(negative.find("\nMax_Module=1\nModul_Offset=1\nMax_Input_Len=-20\nMax_Output_Len=64\nMax_Data_Len=44\n"),
              std::string::npos);
    EXPECT_NE(negative.find("\nModule=\"DO  (PORT1)    \" 0x82,0x3F,0x00,0x01\n"), std::string::npos);
    // The header: lines 2 to 21 are 85 characters long.
    const std::vector<std::string> lines = UGSD::GSD_Lines(100, 64);
    EXPECT_EQ(lines[0], ";");
    for (size_t i = 1; i < 21; ++i) EXPECT_EQ(lines[i].size(), 85u) << i + 1 << ": " << lines[i];
    EXPECT_EQ(lines[21], "");
}

// Every module's identifier, and the keywords that must agree with them.
TEST_F(ProfinetFiles, GSDModuleKeywordsAgree)
{
    for (const auto& [in, out] : {std::pair{100, 64}, std::pair{1438, 0}, std::pair{0, 1438}, std::pair{1, 1},
                                  std::pair{244, 244}}) {
        const std::vector<std::string> lines = UGSD::GSD_Lines(in, out);
        int modules = 0, maxModule = -1, maxData = -1;
        long long inBytes = 0, outBytes = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string& l = lines[i];
            if (l.rfind("Max_Module=", 0) == 0) maxModule = std::stoi(l.substr(11));
            if (l.rfind("Max_Data_Len=", 0) == 0) maxData = std::stoi(l.substr(13));
            if (l.rfind("Module=\"", 0) != 0) continue;
            ++modules;
            ASSERT_LT(i + 2, lines.size());
            EXPECT_EQ(lines[i + 1], std::to_string(modules));
            EXPECT_EQ(lines[i + 2], "EndModule");
            unsigned kind = 0, length = 0, zero = 1, number = 0;
            ASSERT_EQ(std::sscanf(l.c_str() + l.find("\" 0x") + 2, "0x%2X,0x%2X,0x%2X,0x%2X", &kind, &length, &zero,
                                  &number),
                      4)
                << l;
            EXPECT_TRUE(kind == 0x42 || kind == 0x82) << l;
            EXPECT_EQ(zero, 0u) << l;
            EXPECT_EQ(number, static_cast<unsigned>(modules)) << l;
            (kind == 0x42 ? inBytes : outBytes) += length + 1;
        }
        EXPECT_EQ(modules, maxModule) << in << " / " << out;
        EXPECT_EQ(maxData, in + out);
        EXPECT_EQ(inBytes, in);
        EXPECT_EQ(outBytes, out);
    }
}

TEST_F(ProfinetFiles, GSDStepParametersDialogAndQuestion)
{
    // No parameter file: box 1104, no dialog.
    Dialog(dir.file("slave.gsd"));
    UGSD::Save_GSD_File();
    EXPECT_EQ(dialogs, 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, ULanguage::Text(1104));
    EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
    boxes.shown.clear();

    WriteFile(UComon::File_ParGen, ParGen(Key("PROFINET_NB_IN", "64") + Key("PROFINET_NB_OUT", "100")));
    struct Case {
        std::string chosen, written;
    } cases[] = {
        {"Slave.GSD", "Slave.GSD"},
        {"Slave.gsd.txt", "Slave.gsd.txt.gsd"},
        {"Slave", "Slave.gsd"},
        {"a.gsd/Slave.gsd", "a.gsd/Slave.gsd.gsd"},
    };
    ForceDirectories(dir.file("a.gsd"));
    for (const Case& c : cases) {
        Dialog(dir.file(c.chosen));
        UGSD::Save_GSD_File();
        EXPECT_EQ(asked.InitialDir, UComon::Project_Folder);
        EXPECT_EQ(asked.Filter, "Generic Station Description (*.gsd)|*.gsd");
        EXPECT_EQ(ReadFile(dir.file(c.written)), ReadFile(TestDataPath("profinet/GSD_100_64.gsd"))) << c.chosen;
    }
    EXPECT_TRUE(boxes.shown.empty());
    // An existing file: No leaves it byte for byte.
    WriteFile(dir.file("Slave.gsd"), "keep\r\n");
    Dialog(dir.file("Slave.gsd"));
    boxes.Answer(mrNo);
    UGSD::Save_GSD_File();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "File already exists! Do you want to overwrite the file?");
    EXPECT_EQ(ReadFile(dir.file("Slave.gsd")), "keep\r\n");
    // Cancel: nothing.
    DeleteFile(dir.file("Slave.gsd"));
    Dialog(dir.file("Slave.gsd"), false);
    UGSD::Save_GSD_File();
    EXPECT_FALSE(FileExists(dir.file("Slave.gsd")));
}

TEST_F(ProfinetFiles, GSDLengthsBeyondOneByteOfModulesWriteNothing)
{
    // 255 modules still fit; a length that would need more (or billions)
    // is refused before the dialog.
    WriteFile(UComon::File_ParGen, ParGen(Key("PROFINET_NB_IN", "64") + Key("PROFINET_NB_OUT", "16256")));
    Dialog(dir.file("Slave.gsd"));
    UGSD::Save_GSD_File();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_NE(ReadFile(dir.file("Slave.gsd")).find("\r\nMax_Module=255\r\n"), std::string::npos);
    for (const char* length : {"16257", "2147483647"}) {
        DeleteFile(dir.file("Slave.gsd"));
        boxes.shown.clear();
        dialogs = 0;
        WriteFile(UComon::File_ParGen, ParGen(Key("PROFINET_NB_IN", "64") + Key("PROFINET_NB_OUT", length)));
        UGSD::Save_GSD_File();
        EXPECT_EQ(dialogs, 0);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, std::string(UGSD::Msg_Too_Many_Modules) + length + ", 64");
        EXPECT_FALSE(FileExists(dir.file("Slave.gsd")));
    }
}
