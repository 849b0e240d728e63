#include "image/UBootJob.h"

#include "core/UComon.h"
#include "platform/Paths.h"
#include "platform/SysUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace UBootJob;

namespace {

void Replace(std::string& s, const std::string& what, const std::string& with)
{
    for (auto p = s.find(what); p != std::string::npos; p = s.find(what, p + with.size())) s.replace(p, what.size(), with);
}

std::string Operation(const std::string& file, const char* start, const char* bank, bool readBack, const char* css,
                      const char* goToApp)
{
    std::string op = R"(<Operation>
  <Ope_Protection_Enabled/>
  <Ope_GoToBoot_Before>0</Ope_GoToBoot_Before>
  <Ope_GoToApp_Before>0</Ope_GoToApp_Before>
  <Ope_IP_Address/>
  <Ope_Port>2008</Ope_Port>
  <Ope_Port_Sec>2007</Ope_Port_Sec>
  <Ope_Erase_Memory>0</Ope_Erase_Memory>
  <Ope_FileName>@FILE</Ope_FileName>
  <Ope_Start_Address>@START</Ope_Start_Address>
  <Ope_Memory_Type>0</Ope_Memory_Type>
  <Ope_Bank_Type>@BANK</Ope_Bank_Type>
  <Ope_Read_Back>@RB</Ope_Read_Back>
  <Ope_Write_CSS>@CSS</Ope_Write_CSS>
  <Ope_Address_CSS>0x07A00</Ope_Address_CSS>
  <Ope_Command_CSS>0x02</Ope_Command_CSS>
  <Ope_Write_Internal_Data>0</Ope_Write_Internal_Data>
  <Ope_WID_Address>0x07810</Ope_WID_Address>
  <Ope_WID_Command>0x02</Ope_WID_Command>
  <Ope_WID_Data>0x00, 0x00, 0x00, 0x01</Ope_WID_Data>
  <Ope_GoToApp_After>@GOTO</Ope_GoToApp_After>
</Operation>)";
    Replace(op, "@FILE", file);
    Replace(op, "@START", start);
    Replace(op, "@BANK", bank);
    Replace(op, "@RB", readBack ? "1" : "0");
    Replace(op, "@CSS", css);
    Replace(op, "@GOTO", goToApp);
    return op;
}

std::string Job(const std::string& ip, const std::string& operations)
{
    return "<Ethernet_Update><Version>1000</Version>"
           "<Title>www.example.com - QS41010 Ethernet Update</Title>"
           "<IP_Address_Dev>" + ip + "</IP_Address_Dev>"
           "<Application_Port>10000</Application_Port><Boot_Port>2008</Boot_Port>"
           "<Boot_Port_Sec>2007</Boot_Port_Sec><Address_Protection>0x07800</Address_Protection>"
           "<Protections><Protection>0x1E7</Protection></Protections>"
           "<Operations>" + operations + "</Operations></Ethernet_Update>";
}

// Compares two element trees: names, order, texts, no attributes. Returns
// the path of the first difference, or "" when they are the same.
std::string Difference(pugi::xml_node want, pugi::xml_node got, const std::string& path)
{
    const std::string here = path + "/" + want.name();
    if (std::string(want.name()) != got.name()) return here + ": element " + got.name();
    if (got.first_attribute()) return here + ": unexpected attribute";
    if (ElementText(want) != ElementText(got))
        return here + ": text \"" + ElementText(got) + "\" instead of \"" + ElementText(want) + "\"";
    auto w = want.first_child(), g = got.first_child();
    for (; w || g; w = w.next_sibling(), g = g.next_sibling()) {
        while (w && w.type() != pugi::node_element) w = w.next_sibling();
        while (g && g.type() != pugi::node_element) g = g.next_sibling();
        if (!w && !g) break;
        if (!w) return here + ": extra element " + g.name();
        if (!g) return here + ": missing element " + w.name();
        const std::string d = Difference(w, g, here);
        if (!d.empty()) return d;
    }
    return "";
}

class UpdateJob : public ::testing::Test {
protected:
    void SetUp() override
    {
        UComon::Init_State(program.path());
        job.IP_Address = "192.168.2.205";
        job.Master_Folder = UComon::Master_Folder;
        job.Project_Folder = PathJoin(UComon::Projects_Root, "Plant 1");
    }

    std::string Firmware(bool readBack, const char* goToApp) const
    {
        return Operation(Firmware_File(job.Master_Folder), "0x8000", "1", readBack, "1", goToApp);
    }
    std::string Bank1(bool readBack) const
    {
        return Operation(Bank_File(job.Project_Folder, 1), "0x07000", "2", readBack, "0", "0");
    }
    std::string Bank2(bool readBack) const
    {
        return Operation(Bank_File(job.Project_Folder, 2), "0x80000", "2", readBack, "0", "1");
    }

    TempDir program;
    TUpdateJob job;
};

} // namespace

TEST_F(UpdateJob, EachOptionWritesItsOperations)
{
    struct Case {
        int option;
        bool readBack;
        std::string operations;
    };
    const Case cases[] = {
        {Option_Firmware_Configuration, true, Firmware(true, "0") + Bank1(true) + Bank2(true)},
        {Option_Firmware_Configuration, false, Firmware(false, "0") + Bank1(false) + Bank2(false)},
        {Option_Firmware, true, Firmware(true, "1")},
        {Option_Firmware, false, Firmware(false, "1")},
        {Option_Configuration, true, Bank1(true) + Bank2(true)},
        {Option_Configuration, false, Bank1(false) + Bank2(false)},
    };
    for (const Case& c : cases) {
        job.Update_Option = c.option;
        job.Read_Back = c.readBack;
        TXmlDocument xml;
        Save_Job(xml, job, program.path());

        pugi::xml_document want;
        ASSERT_TRUE(want.load_string(Job("192.168.2.205", c.operations).c_str()));
        TXmlDocument onDisk;
        ASSERT_EQ(onDisk.LoadFromFile(program.file("Ethernet_Update.xml")), TXmlLoad::Read);
        EXPECT_EQ(Difference(want.document_element(), onDisk.Root(), ""), "")
            << "option " << c.option << " read back " << c.readBack;
        // One root, no declaration, no version comment.
        const std::string bytes = ReadFile(program.file("Ethernet_Update.xml"));
        EXPECT_EQ(bytes.rfind("<Ethernet_Update>", 0), 0u);
        EXPECT_EQ(bytes.find("<!--"), std::string::npos);
    }
}

TEST_F(UpdateJob, PathsAreThoseOfTheProgramFolders)
{
    EXPECT_EQ(Job_File(program.path()), program.file("Ethernet_Update.xml"));
    EXPECT_EQ(Updater_Program(program.path()), program.file("Ethernet_Update.exe"));
    EXPECT_EQ(Firmware_File(UComon::Master_Folder), program.file("MASTER/Sim41010.sim"));
    EXPECT_EQ(Bank_File(job.Project_Folder, 2), program.file("PROJECTS/Plant 1/bin/bank2.bin"));
}

TEST_F(UpdateJob, RewritingReplacesTheWholeDocument)
{
    TXmlDocument xml;
    job.Update_Option = Option_Firmware_Configuration;
    Save_Job(xml, job, program.path());
    job.Update_Option = Option_Firmware;
    job.IP_Address = "10.0.0.7";
    Save_Job(xml, job, program.path());

    pugi::xml_document want;
    ASSERT_TRUE(want.load_string(Job("10.0.0.7", Firmware(true, "1")).c_str()));
    TXmlDocument onDisk;
    ASSERT_EQ(onDisk.LoadFromFile(program.file("Ethernet_Update.xml")), TXmlLoad::Read);
    EXPECT_EQ(Difference(want.document_element(), onDisk.Root(), ""), "");
    EXPECT_EQ(ElementChildCount(xml.Doc()), 1);
}

TEST_F(UpdateJob, UnknownOptionAndUnwritableFolderAreErrors)
{
    TXmlDocument xml;
    for (int option : {-1, 3}) {
        job.Update_Option = option;
        EXPECT_THROW(Build_Job(xml, job), EListError) << option;
    }
    job.Update_Option = Option_Firmware;
    EXPECT_THROW(Save_Job(xml, job, program.file("no such folder")), Exception);
    EXPECT_FALSE(FileExists(program.file("no such folder/Ethernet_Update.xml")));
}
