// The SNMP MIB file from the SNMP agent's rule file: the module's lines,
// byte for byte, the lists growing with the file, the agent files it
// refuses, the question before replacing a file, and the module read by a
// real MIB reader.
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "rules/field/USNMP_MIB.h"
#include "rules/field/USideFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace USNMP_MIB;

namespace {

// The enterprise arc of the maker's node.
const std::string Enterprise = ".1.3.6.1.4.1.58127";

// What snmptranslate prints for a name of the module in the MIB file; the
// base modules it imports are the stand-ins in tests/data/snmp/mibs.
// snmptranslate (Debian package snmp) is installed by scripts/install-deps;
// without it this fails.
std::string Snmptranslate(const std::string& mib, const std::string& name)
{
    TempDir dir;
    // The tool's configuration and state stay in a folder of the test's own.
    ForceDirectories(dir.file("cert_indexes"));
    const std::string out = dir.file("out.txt"), err = dir.file("err.txt");
    const std::string command = "SNMPCONFPATH='" + dir.path() + "' SNMP_PERSISTENT_DIR='" + dir.path() +
                                "' snmptranslate -M '" + TestDataPath("snmp/mibs") + "' -m '" + mib +
                                "' -On GATEWAY::" + name + " > '" + out + "' 2> '" + err + "'";
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << command << "\n" << ReadFile(err);
    EXPECT_EQ(ReadFile(err), "") << name;
    return ReadFile(out);
}

// The agent file in the shape its window writes, with the given rows.
std::string Agent_File(const std::string& readRows, const std::string& writeRows)
{
    return "<SNMP_Trap>\n\t<SNMP_Trap_Read>\n" + readRows + "\t</SNMP_Trap_Read>\n\t<SNMP_Trap_Write>\n" +
           writeRows + "\t</SNMP_Trap_Write>\n</SNMP_Trap>\n<!--SW_VERSION = 1.001-->\n";
}

std::string Row(const char* enable, const char* type, const std::string& description)
{
    return std::string("\t\t<row Enable=\"") + enable + "\" Community_Name=\"Korvan\" Type=\"" + type +
           "\" Position=\"0\" Bit=\"0\" NumBits=\"8\" Description=\"" + description +
           "\" Conversion=\"None\" Mnemonic=\"\" />\n";
}

// The example of the module: read rows temp (Int), level (String,
// disabled) and speed (String), one write row without a description.
std::string Example()
{
    return Agent_File(Row("Y", "Int", "temp") + Row("N", "String", "level") + Row("Y", "String", "speed"),
                      Row("Y", "Int", ""));
}

class MIBExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        UComon::Init_State(dir.path());
        ULanguage::Load_Default_Lang();
        UComon::Project_Folder = dir.path();
        UComon::Set_Files();
    }
    // The module written into a file of the folder, as its bytes.
    std::string Export()
    {
        EXPECT_TRUE(Load_MIB_Objects());
        EXPECT_TRUE(Write_MIB_File(mib));
        return ReadFile(mib);
    }
    // The golden module without its agent objects and notifications.
    static std::string Fixed_Lines()
    {
        std::vector<std::string> lines;
        std::string line;
        for (char c : ReadFile(TestDataPath("snmp/GATEWAY_example.mib"))) {
            line += c;
            if (c != '\n') continue;
            if (line.find("::= { bufferinval ") == std::string::npos &&
                line.find("::= { bufferoutval ") == std::string::npos &&
                line.find("::= { trapsval ") == std::string::npos)
                lines.push_back(line);
            line.clear();
        }
        std::string text;
        for (const std::string& l : lines) text += l;
        return text;
    }
    TempDir dir;
    RecordingMessageBoxes boxes;
    std::string mib = dir.file("gateway.mib");
};

} // namespace

TEST_F(MIBExport, ExampleByteForByte)
{
    WriteFile(UComon::File_SNMP_Trap, Example());
    EXPECT_EQ(Export(), ReadFile(TestDataPath("snmp/GATEWAY_example.mib")));
    EXPECT_EQ(UComon::MIB_Read_List.Count(), 2);
    EXPECT_EQ(UComon::MIB_Write_List.Count(), 1);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MIBExport, ARealMIBReaderFindsTheObjects)
{
    WriteFile(UComon::File_SNMP_Trap, Example());
    Export();
    EXPECT_EQ(Snmptranslate(mib, "temp"), Enterprise + ".1.1.1.4.9.1\n");
    EXPECT_EQ(Snmptranslate(mib, "speed"), Enterprise + ".1.1.1.4.9.2\n");
    EXPECT_EQ(Snmptranslate(mib, "trapval2"), Enterprise + ".1.1.2.1.2\n");
    EXPECT_EQ(Snmptranslate(mib, "bufferoutval1"), Enterprise + ".1.1.1.5.9.1\n");
    EXPECT_EQ(Snmptranslate(mib, "identity"), Enterprise + ".2\n");
}

TEST_F(MIBExport, TypeIntInAnyCaseIsAnInteger)
{
    WriteFile(UComon::File_SNMP_Trap,
              Agent_File(Row("y", "int", "temp") + Row("Y", "Integer", "big"), Row("Y", "INT", "set")));
    const std::string text = Export();
    EXPECT_NE(text.find("\r\ntemp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION "
                        "\"temp\" ::= { bufferinval 1 }\r\n"
                        "big OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION "
                        "\"big\" ::= { bufferinval 2 }\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nset OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION "
                        "\"set\" ::= { bufferoutval 1 }\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\ntrapval1 NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current "
                        "DESCRIPTION \"temp\" ::= { trapsval 1 }\r\n"),
              std::string::npos);
}

TEST_F(MIBExport, WithoutAgentObjectsOnlyTheFixedLines)
{
    // No agent file.
    EXPECT_EQ(Export(), Fixed_Lines());
    EXPECT_TRUE(boxes.shown.empty());
    // An agent file whose rows are all disabled (the lists of the last
    // export do not stay).
    WriteFile(UComon::File_SNMP_Trap, Example());
    Export();
    WriteFile(UComon::File_SNMP_Trap, Agent_File(Row("N", "Int", "temp"), Row("", "Int", "set")));
    EXPECT_EQ(Export(), Fixed_Lines());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MIBExport, EveryEnabledRowGetsItsObjectBeyond256)
{
    // A hand-edited file with more rows than the window holds.
    std::string rows;
    for (int i = 1; i <= 300; ++i) rows += Row("Y", i % 2 ? "Int" : "String", "v" + std::to_string(i));
    WriteFile(UComon::File_SNMP_Trap, Agent_File(rows, rows));
    const std::string text = Export();
    EXPECT_NE(text.find("\r\nv300 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION "
                        "\"v300\" ::= { bufferinval 300 }\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nv299 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION "
                        "\"v299\" ::= { bufferoutval 299 }\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\ntrapval257 NOTIFICATION-TYPE SYNTAX INTEGER "), std::string::npos);
    EXPECT_EQ(Snmptranslate(mib, "trapval300"), Enterprise + ".1.1.2.1.300\n");
}

TEST_F(MIBExport, AgentFileThatCannotBeReadOrLacksASectionWritesNothing)
{
    struct Case {
        std::string file;
        std::string named;  // in the box beside the file's path
    } cases[] = {
        {"<SNMP_Trap><SNMP_Trap_Read>", "cannot be read"},
        {"<SNMP_Trap><SNMP_Trap_Read/></SNMP_Trap>", "\"SNMP_Trap_Write\""},
        {"<SNMP_Trap><SNMP_Trap_Write/></SNMP_Trap>", "\"SNMP_Trap_Read\""},
    };
    for (const Case& c : cases) {
        WriteFile(UComon::File_SNMP_Trap, c.file);
        boxes.shown.clear();
        EXPECT_FALSE(Load_MIB_Objects()) << c.file;
        ASSERT_EQ(boxes.shown.size(), 1u) << c.file;
        EXPECT_EQ(boxes.shown[0].type, TMsgDlgType::mtError);
        EXPECT_NE(boxes.shown[0].text.find(UComon::File_SNMP_Trap), std::string::npos) << boxes.shown[0].text;
        EXPECT_NE(boxes.shown[0].text.find(c.named), std::string::npos) << boxes.shown[0].text;
    }
    // Through the export: no file.
    TSaveDialog dialog;
    const TFileDialogHandler previous = SetFileDialogHandler([this](const TFileDialogRequest&, std::string& name) {
        name = mib;
        return true;
    });
    Save_MIB_File(dialog);
    SetFileDialogHandler(previous);
    EXPECT_FALSE(FileExists(mib));
}

TEST_F(MIBExport, CharactersOutsideTheANSICodePage)
{
    // Descriptions of a hand-edited file: the euro sign is a Windows-1252
    // character, the check mark is not.
    WriteFile(UComon::File_SNMP_Trap,
              Agent_File(Row("Y", "Int", "t\xC3\xA9mp") + Row("Y", "Int", "a\xE2\x82\xAC") +
                             Row("Y", "Int", "b\xE2\x9C\x93"),
                         ""));
    const std::string text = Export();
    EXPECT_NE(text.find("\r\nt\xE9mp OBJECT-TYPE"), std::string::npos);
    EXPECT_NE(text.find("\r\na\x80 OBJECT-TYPE"), std::string::npos);
    EXPECT_NE(text.find("\r\nb? OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"b?\""),
              std::string::npos);
}

TEST_F(MIBExport, TheDialogTheQuestionAndAFileThatCannotBeWritten)
{
    WriteFile(UComon::File_SNMP_Trap, Example());
    TSaveDialog dialog;
    dialog.Filter = "Management Information Base (*.mib)|*.mib";
    dialog.DefaultExt = "*.mib";
    std::string chosen = dir.file("agent");
    TFileDialogRequest asked;
    bool confirm = false;
    const TFileDialogHandler previous = SetFileDialogHandler([&](const TFileDialogRequest& r, std::string& name) {
        asked = r;
        name = chosen;
        return confirm;
    });
    // Cancelled: nothing.
    Save_MIB_File(dialog);
    EXPECT_EQ(asked.InitialDir, UComon::Project_Folder);
    EXPECT_FALSE(FileExists(dir.file("agent.mib")));
    // A name typed without the extension gets it.
    confirm = true;
    Save_MIB_File(dialog);
    EXPECT_EQ(ReadFile(dir.file("agent.mib")), ReadFile(TestDataPath("snmp/GATEWAY_example.mib")));
    EXPECT_TRUE(boxes.shown.empty());
    // An existing file: No leaves it as it was, Yes replaces it.
    const std::string before = "keep me\r\n";
    WriteFile(dir.file("agent.mib"), before);
    boxes.Answer(mrNo);
    Save_MIB_File(dialog);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "File already exists. Do you want to overwrite?");
    EXPECT_EQ(boxes.shown[0].buttons, TMsgDlgButtons::mbYesNo);
    EXPECT_EQ(ReadFile(dir.file("agent.mib")), before);
    boxes.Answer(mrYes);
    Save_MIB_File(dialog);
    EXPECT_EQ(ReadFile(dir.file("agent.mib")), ReadFile(TestDataPath("snmp/GATEWAY_example.mib")));
    // A folder that is not there: the box names the file.
    boxes.shown.clear();
    chosen = dir.file("gone/agent.mib");
    Save_MIB_File(dialog);
    SetFileDialogHandler(previous);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, std::string(USideFile::Msg_Not_Written) + "\n" + chosen);
}
