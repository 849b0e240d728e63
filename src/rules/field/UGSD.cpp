#include "rules/field/UGSD.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"
#include "rules/field/UGSDML.h"
#include "rules/field/USideFile.h"

#include <cstdio>

using ULanguage::Text;

namespace UGSD {

namespace {

const std::string DQ = "\"";

// The header's contact lines after the vendor's.
constexpr const char* Vendor = "Example Gateways";
constexpr const char* Contact[6] = {"1 Example Street",       "12345 Example Town",
                                    "Example Province, Example Country", "Tel. : +00 000 0000000",
                                    "FAX. : +00 000 0000001", "eMail: support@example.com"};

std::string Rep(char c, size_t n) { return std::string(n, c); }
// A header line: the text padded with blanks to 84 characters, then "*".
std::string Framed(const std::string& text) { return text + Rep(' ', text.size() < 84 ? 84 - text.size() : 0) + "*"; }

std::string Hex2(int64_t v)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%02llX", static_cast<unsigned long long>(v));
    return buf;
}

// The three heading lines of a section and the blank line after them.
void Heading(std::vector<std::string>& l, const std::string& title, size_t length)
{
    const std::string rule = ";" + Rep('=', length - 1);
    const std::string middle = ";==== " + title + " ";
    l.push_back(rule);
    l.push_back(middle + Rep('=', length > middle.size() ? length - middle.size() : 0));
    l.push_back(rule);
    l.push_back("");
}

// The modules of one direction, numbered on from first.
void Modules(std::vector<std::string>& l, int32_t length, const char* kind, int identifier, int64_t first)
{
    const int64_t count = Module_Count(length);
    for (int64_t i = 1; i <= count; ++i) {
        const int64_t k = first + i - 1;
        const int64_t bytes = i < count ? 64 : length - 64 * (count - 1);
        l.push_back("Module=" + DQ + kind + "  (PORT" + std::to_string(k) + ")    " + DQ + " " + Hex2(identifier) +
                    "," + Hex2(bytes - 1) + ",0x00," + Hex2(k));
        l.push_back(std::to_string(k));
        l.push_back("EndModule");
    }
}

} // namespace

int64_t Module_Count(int64_t length) { return length > 0 ? (length + 63) / 64 : 0; }

std::vector<std::string> GSD_Lines(int32_t inputLength, int32_t outputLength)
{
    const int64_t ni = Module_Count(inputLength), no = Module_Count(outputLength);
    std::vector<std::string> l;
    const std::string frame = ";*" + Rep(' ', 82) + "*";
    const std::string equals = ";* " + Rep('=', 80) + " *";
    l.push_back(";");
    l.push_back(";" + Rep('*', 23) + " PROFIBUS Slave / MQTT - Converter " + Rep('*', 26));
    l.push_back(equals);
    l.push_back(frame);
    l.push_back(Framed(std::string(";* Vendor:   ") + Vendor));
    for (const char* c : Contact) l.push_back(Framed(";*" + Rep(' ', 11) + c));
    l.insert(l.end(), {frame, equals, frame});
    l.push_back(Framed(";* Function:       PROFIBUS Slave / MQTT - Converter"));
    l.insert(l.end(), {frame, frame});
    l.push_back(Framed(";* Order Number : QG41020"));
    l.insert(l.end(), {frame, frame});
    l.push_back(";" + Rep('*', 84));

    l.insert(l.end(), {"", "", "#Profibus_DP", "", ""});

    Heading(l, "Prm-Text-Def-List", 85);
    l.insert(l.end(), {"PrmText=1", "Text(0)=" + DQ + "disable" + DQ, "Text(1)=" + DQ + "enable" + DQ,
                       "EndPrmText", ""});
    l.insert(l.end(), {"PrmText  = 2", "Text(0)  = " + DQ + "clock up" + DQ, "Text(1)  = " + DQ + "clock down" + DQ,
                       "EndPrmText", ""});
    l.push_back("PrmText  = 3");
    for (int i = 1; i <= 5; ++i)
        l.push_back("Text(" + std::to_string(i) + ")  = " + DQ + std::to_string(10 * i) + DQ);
    l.insert(l.end(), {"EndPrmText", "", ""});

    Heading(l, "Ext-User-Prm-Data-Def-List", 86);
    struct TExtPrm {
        const char* name;
        const char* value;
        const char* textRef;
    };
    const TExtPrm ext[] = {
        {"[SlotNumber]", "Unsigned8 0 0-32", nullptr},
        {"Diagnostic Alarm", "Bit(0) 0 0-1", "Prm_Text_Ref=1"},
        {"Process Alarm", "Bit(1) 0 0-1", "Prm_Text_Ref=1"},
        {"Counter mode", "Unsigned8 0 0-1", "Prm_Text_Ref=2"},
        {"Counter timebase (ms)", "Unsigned8 1 1-5", "Prm_Text_Ref=3"},
        {"Counter high-limit", "Unsigned16 65535 0-65535", nullptr},
        {"Counter low-limit", "Unsigned16 0 0-65535", nullptr},
    };
    for (size_t i = 0; i < std::size(ext); ++i) {
        l.push_back("ExtUserPrmData=" + std::to_string(i + 1) + " " + DQ + ext[i].name + DQ);
        l.push_back(ext[i].value);
        if (ext[i].textRef) l.push_back(ext[i].textRef);
        l.push_back("EndExtUserPrmData");
        l.push_back("");
    }
    l.push_back("");

    Heading(l, "General DP Keywords", 86);
    l.insert(l.end(), {"GSD_Revision = 5",
                       "Vendor_Name = " + DQ + "Quembo" + DQ,
                       "Model_Name = " + DQ + "QG41020" + DQ,
                       "Revision = " + DQ + "1.00" + DQ,
                       "Ident_Number = 0x5E93",
                       "Protocol_Ident = 0",
                       "Station_Type = 0",
                       "FMS_supp = 0",
                       "Hardware_Release = " + DQ + "V1.00" + DQ,
                       "Software_Release = " + DQ + "V1.00" + DQ,
                       "Redundancy = 0",
                       "Repeater_Ctrl_Sig = 2",
                       "24V_Pins = 0",
                       "",
                       ""});

    Heading(l, "Supported baudrates", 79);
    const char* rates[] = {"9.6", "19.2", "45.45", "93.75", "187.5", "500", "1.5M", "3M", "6M", "12M"};
    const int tsdr[] = {15, 15, 15, 15, 15, 15, 20, 35, 50, 95};
    for (const char* r : rates) l.push_back(std::string(r) + "_supp = 1");
    l.push_back("");
    for (size_t i = 0; i < std::size(rates); ++i)
        l.push_back(std::string("MaxTsdr_") + rates[i] + "=" + std::to_string(tsdr[i]));
    l.insert(l.end(), {"", ""});

    Heading(l, "Slave specific values", 79);
    l.insert(l.end(), {"OrderNumber=" + DQ + "QG41020" + DQ,
                       "Slave_Family = 9@Quembo@QG41020",
                       "Implementation_Type = " + DQ + "VPC3+" + DQ,
                       "Info_Text=" + DQ + "Quembo: PROFIBUS Slave / MQTT - Converter" + DQ,
                       "Bitmap_Device = " + DQ + "DPV0_1N" + DQ,
                       "Bitmap_SF=" + DQ + "DPV0_1S" + DQ,
                       "",
                       "Freeze_Mode_supp=1",
                       "Sync_Mode_supp=1",
                       "Fail_Safe=1",
                       "Auto_Baud_supp=1",
                       "Set_Slave_Add_supp=0",
                       "",
                       "Min_Slave_Intervall=6",
                       "",
                       "Modular_Station=1",
                       "Max_Module=" + std::to_string(ni + no),
                       "Modul_Offset=1",
                       "Max_Input_Len=" + std::to_string(inputLength),
                       "Max_Output_Len=" + std::to_string(outputLength),
                       "Max_Data_Len=" + std::to_string(int64_t{inputLength} + outputLength),
                       "Max_Diag_Data_Len=15",
                       "",
                       "WD_Base_1ms_supp = 1",
                       "Publisher_supp = 1",
                       ""});

    Heading(l, "User-Prm-Data", 79);
    l.insert(l.end(), {"Max_User_Prm_Data_Len = 12", "Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00", ""});

    Heading(l, "Modulstatus", 79);
    for (int slot = 1; slot <= 2; ++slot) {
        const std::string s = "Slot " + std::to_string(slot) + ": ";
        l.push_back("Unit_Diag_Area = " + std::to_string(22 + 2 * slot) + " - " + std::to_string(23 + 2 * slot));
        l.push_back("Value(1)= " + DQ + s + "Module error" + DQ);
        l.push_back("Value(2)= " + DQ + s + "Wrong module" + DQ);
        l.push_back("Value(3)= " + DQ + s + "No module" + DQ);
        l.push_back("Unit_Diag_Area_End");
    }
    l.insert(l.end(), {"", ""});

    Heading(l, "Module-Definition-List", 79);
    Modules(l, inputLength, "DI", 0x42, 1);
    Modules(l, outputLength, "DO", 0x82, ni + 1);
    l.insert(l.end(), {"", "", ""});

    l.push_back("SlotDefinition");
    for (int64_t k = 1; k <= ni + no; ++k) {
        const std::string n = std::to_string(k);
        l.push_back("Slot(" + n + ") = " + DQ + "Slot " + n + DQ + " " + n + " " + n);
    }
    l.insert(l.end(), {"EndSlotDefinition", "", "", "", ""});
    return l;
}

bool Write_GSD_File(const std::string& path, int32_t inputLength, int32_t outputLength)
{
    return USideFile::Write_Side_File(path, GSD_Lines(inputLength, outputLength), USideFile::TSideEncoding::Ansi);
}

void Save_GSD_File()
{
    using namespace UComon;
    if (!FileExists(File_ParGen)) {
        MessageDlg(Text(1104), TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        return;
    }
    const UGSDML::TProfinet_Param p = UGSDML::Read_PROFINET_Param(File_ParGen, 0);
    if (Module_Count(p.Input_Length) + Module_Count(p.Output_Length) > Max_Modules) {
        ShowError(Msg_Too_Many_Modules + std::to_string(p.Input_Length) + ", " + std::to_string(p.Output_Length));
        return;
    }
    TSaveDialog dialog;
    dialog.InitialDir = Project_Folder;
    dialog.Filter = "Generic Station Description (*.gsd)|*.gsd";
    if (!dialog.Execute()) return;
    std::string name = dialog.FileName;
    // The name's first ".gsd", in any case, must end it.
    const size_t at = LowerCase(name).find(".gsd");
    if (at == std::string::npos || at + 4 != name.size()) name += ".gsd";
    if (FileExists(name) && MessageDlg(Text(1103), TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) != mrYes)
        return;
    Write_GSD_File(name, p.Input_Length, p.Output_Length);
}

} // namespace UGSD
