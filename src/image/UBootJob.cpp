#include "image/UBootJob.h"

#include "core/UComon.h"
#include "core/UProgram.h"
#include "platform/Paths.h"
#include "platform/SysUtils.h"

namespace UBootJob {

namespace {

enum class TImage { Firmware, Bank1, Bank2 };

void Add_Operation(pugi::xml_node operations, TImage image, const TUpdateJob& job)
{
    const bool firmware = image == TImage::Firmware;
    std::string fileName, start, goToAppAfter;
    switch (image) {
    case TImage::Firmware:
        fileName = Firmware_File(job.Master_Folder);
        start = "0x8000";
        // The firmware operation ends the job only when it is the only one.
        goToAppAfter = job.Update_Option == Option_Firmware ? "1" : "0";
        break;
    case TImage::Bank1:
        fileName = Bank_File(job.Project_Folder, 1);
        start = "0x07000";
        goToAppAfter = "0";
        break;
    case TImage::Bank2:
        fileName = Bank_File(job.Project_Folder, 2);
        start = "0x80000";
        goToAppAfter = "1";
        break;
    }
    pugi::xml_node op = operations.append_child("Operation");
    op.append_child("Ope_Protection_Enabled");
    AddTextElement(op, "Ope_GoToBoot_Before", "0");
    AddTextElement(op, "Ope_GoToApp_Before", "0");
    op.append_child("Ope_IP_Address");
    AddTextElement(op, "Ope_Port", "2008");
    AddTextElement(op, "Ope_Port_Sec", "2007");
    AddTextElement(op, "Ope_Erase_Memory", "0");
    AddTextElement(op, "Ope_FileName", fileName);
    AddTextElement(op, "Ope_Start_Address", start);
    AddTextElement(op, "Ope_Memory_Type", "0");
    AddTextElement(op, "Ope_Bank_Type", firmware ? "1" : "2");
    AddTextElement(op, "Ope_Read_Back", job.Read_Back ? "1" : "0");
    AddTextElement(op, "Ope_Write_CSS", firmware ? "1" : "0");
    AddTextElement(op, "Ope_Address_CSS", "0x07A00");
    AddTextElement(op, "Ope_Command_CSS", "0x02");
    AddTextElement(op, "Ope_Write_Internal_Data", "0");
    AddTextElement(op, "Ope_WID_Address", "0x07810");
    AddTextElement(op, "Ope_WID_Command", "0x02");
    AddTextElement(op, "Ope_WID_Data", "0x00, 0x00, 0x00, 0x01");
    AddTextElement(op, "Ope_GoToApp_After", goToAppAfter);
}

} // namespace

std::string Updater_Program(const std::string& programFolder)
{
    return PathJoin(programFolder, "Ethernet_Update.exe");
}

std::string Job_File(const std::string& programFolder) { return PathJoin(programFolder, "Ethernet_Update.xml"); }

std::string Firmware_File(const std::string& masterFolder) { return PathJoin(masterFolder, "Sim41010.sim"); }

std::string Bank_File(const std::string& projectFolder, int bank)
{
    return PathJoin(PathJoin(projectFolder, "bin"), "bank" + IntToStr(bank) + ".bin");
}

void Build_Job(TXmlDocument& xml, const TUpdateJob& job)
{
    if (job.Update_Option < Option_Firmware_Configuration || job.Update_Option > Option_Configuration)
        RaiseListIndexError(job.Update_Option);

    pugi::xml_node root = xml.NewDocument("Ethernet_Update");
    AddTextElement(root, "Version", "1000");
    AddTextElement(root, "Title", std::string(Maker_Web_Host) + " - " + UComon::SW_Code + " Ethernet Update");
    AddTextElement(root, "IP_Address_Dev", job.IP_Address);
    AddTextElement(root, "Application_Port", "10000");
    AddTextElement(root, "Boot_Port", "2008");
    AddTextElement(root, "Boot_Port_Sec", "2007");
    AddTextElement(root, "Address_Protection", "0x07800");
    AddTextElement(root.append_child("Protections"), "Protection", "0x1E7");
    pugi::xml_node operations = root.append_child("Operations");
    if (job.Update_Option != Option_Configuration) Add_Operation(operations, TImage::Firmware, job);
    if (job.Update_Option != Option_Firmware) {
        Add_Operation(operations, TImage::Bank1, job);
        Add_Operation(operations, TImage::Bank2, job);
    }
}

void Save_Job(TXmlDocument& xml, const TUpdateJob& job, const std::string& programFolder)
{
    Build_Job(xml, job);
    const std::string file = Job_File(programFolder);
    if (!xml.SaveToFile(file)) throw Exception("Cannot write the file \"" + file + "\"");
}

} // namespace UBootJob
