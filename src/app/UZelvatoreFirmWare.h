#pragma once
// The main window: the row of step buttons of this build's model (V10:
// New and Open configuration, Set Communication, MQTT Set Topic, Receive and
// Send Frames (CAN), Update Device) with Information, Options and Close; the
// program's start-up (folders, settings file, language, the remembered
// configuration) and the settings written back on close.

#include "core/UProgram.h"
#include "platform/Forms.h"
#include "platform/Shell.h"
#include "platform/Timer.h"
#include "widgets/LbButton.h"

#include <string>

// The maker's home page with this build's software code.
std::string Home_Page_URL();

class TFZelvatoreFirmWare : public TForm {
public:
    // Runs the start-up with the executable's folder programFolder.
    explicit TFZelvatoreFirmWare(const std::string& programFolder);
    ~TFZelvatoreFirmWare() override;

    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* L_Begin;
    TShape* Shape2;
    TLabel* L_Name_Conf;
    TLabel* L_Name_Conf_L2;
    TLabel* L_Step[8];  // L_Step_1 .. L_Step_8
    TShape* Shape1;
    TLabel* L_Quembo;
    TLinkLabel* LL_Update;
    TLbButton* Btn_Info;
    TLbButton* Btn_Opz;
    TLbButton* Btn_Close;
    // Step buttons.
    TLbButton *Btn_New, *Btn_Open, *Btn_Prm_Gen, *Btn_MQTT_Set_Topic, *Btn_CAN_Rec_Frame, *Btn_CAN_Send_Frame,
        *Btn_CreateBin, *Btn_MBus, *Btn_MQTT_Set_Access, *Btn_Modbus_Set_Access, *Btn_SDO_Server_CANopen,
        *Btn_SDO_Client_CANopen, *Btn_PDO_CANopen, *Btn_CANopen_EDS, *Btn_DNet_Net, *Btn_DNet_Offset,
        *Btn_ScanDecode, *Btn_PROFINET_XML, *Btn_PROFIBUS_GSD, *Btn_DMX_Default, *Btn_KNX_Access, *Btn_SNMP_Trap,
        *Btn_SNMP_MIB, *Btn_SNMP_Manager_Access, *Btn_BACnet_SetAccess, *Btn_BACnet_EDE_File, *Btn_DALI_Access;
    TTimer Timer_Update;
    TSaveDialog SaveMIB;
    TSaveDialog SD1;
    TSaveDialog SaveEDS;

    // The click handler of every button.
    void Btn_Click(TControl* Sender);
    void Create_New_Project();
    void Open_Project();
    // Builds the device image and writes the bank files; a failure is shown
    // in an error box and the update window is not opened.
    void Update_Device();
    // Asks for the EDS file's name (the save dialog opens in the
    // configuration's folder) and writes the CANopen EDS file there.
    void Build_EDS_File();
    // Asks for the GSDML file's name (the file-name window, then the folder
    // in the save dialog) and writes the PROFINET GSDML file.
    void PROFINET_XML();
    // Asks for the EDE file's name (SD1, in the configuration's folder;
    // ".csv" appended unless the name ends so in any case; an existing file
    // replaced only after Yes) and writes the BACnet EDE file there.
    void BACnet_EDE_File();
    // Starts an outside program and waits for it (see UProgram::Start_Program).
    bool Start_Program(const std::string& NomeSW, const std::string& Parameter, bool tipo,
                       int limitMs = 150000);
    // "BACnet_Type" of the communication parameter file, 0 when missing.
    int Get_Type_BACnet();
    void Set_Lang();
    // Re-applies the texts of every window (after a language change).
    void Change_Language();
    // Labels of the configuration: texts 11 and the name while one is open,
    // texts 9 and 10 otherwise.
    void Show_Configuration_State();

    // Message shown (with the file's path) when the settings cannot be saved.
    static constexpr const char* Msg_Settings_Not_Saved = "The settings could not be saved to the file:";
    // A configuration folder whose name is not valid text (UTF-8).
    static constexpr const char* Msg_Name_Not_Text_1 = "The configuration \"";
    static constexpr const char* Msg_Name_Not_Text_2 =
        "\" cannot be opened: the name of its folder is not valid text (UTF-8). Rename the folder in ";

private:
    // Save_Setting, with an error box naming the file when it fails.
    void Save_Settings_Reporting();
    bool updating_ = false;
    void FormCreate(const std::string& programFolder);
    void Layout();
    void FormClose();
    TLbButton* Step_Button(int left, int top, bool visible);
};

inline TFZelvatoreFirmWare* FZelvatoreFirmWare = nullptr;
