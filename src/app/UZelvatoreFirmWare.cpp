#include "app/UZelvatoreFirmWare.h"

#include "core/UComon.h"
#include "core/UFrame.h"
#include "core/ULanguage.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "app/UWindows.h"
#include "image/UBoot.h"
#include "image/USaveBincc.h"
#include "platform/Paths.h"
#include "platform/SysUtils.h"
#include "platform/TextFile.h"
#include "platform/XmlDoc.h"
#include "rules/can_mqtt/UEds.h"
#include "rules/field/UBACnet_EDE_File.h"
#include "rules/field/UGSD.h"
#include "rules/field/UGSDML.h"
#include "rules/field/UProfinetFileName.h"
#include "rules/field/USNMP_MIB.h"

#include <array>
#include <memory>

using namespace UComon;
using ULanguage::Text;

std::string Home_Page_URL() { return std::string("http://") + Maker_Web_Host + "/HOME/default.asp?frompg=" + SW_Code; }

namespace {

// Glyphs of the Information, Options and Close buttons: one 40 x 40 image
// on an olive background that the lower-left pixel makes transparent.
void Register_Main_Glyphs()
{
    if (BitmapResourceExists("ZEL_INFO")) return;
    auto base = [](TBitmap& b, TColor ink) -> TCanvas& {
        b.SetSize(40, 40);
        TCanvas& c = b.Canvas();
        c.Brush().SetColor(clOlive);
        c.FillRect(Rect(0, 0, 40, 40));
        c.Pen().SetColor(ink);
        c.Pen().SetWidth(3);
        c.Brush().SetStyle(bsClear);
        return c;
    };
    RegisterBitmapResource("ZEL_INFO", [base](TBitmap& b) {
        TCanvas& c = base(b, clNavy);
        c.Ellipse(4, 4, 36, 36);
        c.MoveTo(20, 17);
        c.LineTo(20, 29);
        c.MoveTo(20, 11);
        c.LineTo(20, 13);
    });
    RegisterBitmapResource("ZEL_OPTIONS", [base](TBitmap& b) {
        TCanvas& c = base(b, clGray);
        c.Ellipse(10, 10, 30, 30);
        for (auto [x0, y0, x1, y1] : {std::array{20, 3, 20, 10}, {20, 30, 20, 37}, {3, 20, 10, 20}, {30, 20, 37, 20}}) {
            c.MoveTo(x0, y0);
            c.LineTo(x1, y1);
        }
    });
    RegisterBitmapResource("ZEL_CLOSE", [base](TBitmap& b) {
        TCanvas& c = base(b, clMaroon);
        c.MoveTo(10, 10);
        c.LineTo(30, 30);
        c.MoveTo(30, 10);
        c.LineTo(10, 30);
    });
}

void Set_Resource_Glyph(TLbButton* b, const char* name)
{
    TBitmap g;
    g.LoadFromResourceName(name);
    b->SetGlyph(&g);
    b->SetNumGlyphs(1);
}

} // namespace

TFZelvatoreFirmWare::TFZelvatoreFirmWare(const std::string& programFolder)
{
    Timer_Update.SetEnabled(false);
    Timer_Update.SetInterval(USoftOptions::First_Check_Interval);
    FormCreate(programFolder);
}

TFZelvatoreFirmWare::~TFZelvatoreFirmWare()
{
    Timer_Update.SetEnabled(false);
    ULanguage::Unregister_Set_Lang(ULanguage::TLangWindow::Main);
}

TLbButton* TFZelvatoreFirmWare::Step_Button(int left, int top, bool visible)
{
    TLbButton* b = New_Button(this, left, top, 170, 36);
    b->SetAlignment(TAlignment::taLeftJustify);
    b->SetVisible(visible);
    b->OnClick = [this](TControl* s) { Btn_Click(s); };
    return b;
}

void TFZelvatoreFirmWare::Layout()
{
    Font().SetName("Verdana");
    Font().SetSize(8);
    SetColor(Window_Color);
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetPosition(TPosition::poScreenCenter);
    SetClientSize(694, 484);

    L_SW_Code = new TLabel(this);
    L_SW_Code->Font().SetHeight(-32);
    L_SW_Code->Font().SetColor(clGray);
    L_SW_Code->SetBounds(16, 8, 0, 0);
    L_SW_Desc = new TLabel(this);
    L_SW_Desc->Font().SetStyle({fsBold});
    L_SW_Desc->Font().SetColor(clGray);
    L_SW_Desc->SetBounds(16, 42, 0, 0);
    L_Begin = new TLabel(this);
    L_Begin->SetBounds(16, 84, 0, 0);
    Shape2 = new TShape(this);
    Shape2->SetBounds(80, 70, 348, 36);
    Shape2->SetPenColor(clSilver);
    Shape2->SetBrushClear(true);
    L_Name_Conf = new TLabel(this);
    L_Name_Conf->SetBounds(87, 75, 0, 0);
    L_Name_Conf_L2 = new TLabel(this);
    L_Name_Conf_L2->SetBounds(87, 88, 0, 0);
    L_Name_Conf_L2->Font().SetStyle({fsBold});

    for (int i = 0; i < 8; ++i) {
        L_Step[i] = new TLabel(this);
        L_Step[i]->Font().SetStyle({fsBold});
        L_Step[i]->Font().SetColor(clGray);
        L_Step[i]->SetBounds(16, 128 + 44 * i, 0, 0);
        L_Step[i]->SetVisible(i < 6);
    }

    Register_Main_Glyphs();
    auto corner = [this](int left, const char* glyph) {
        TLbButton* b = New_Button(this, left, 8, 50, 50);
        Set_Resource_Glyph(b, glyph);
        b->SetLayout(blGlyphTop);
        b->OnClick = [this](TControl* s) { Btn_Click(s); };
        return b;
    };
    Btn_Info = corner(516, "ZEL_INFO");
    Btn_Opz = corner(574, "ZEL_OPTIONS");
    Btn_Close = corner(632, "ZEL_CLOSE");

    Btn_New = Step_Button(80, 112, true);
    Btn_Open = Step_Button(258, 112, true);
    Btn_Prm_Gen = Step_Button(80, 156, true);
    Btn_MQTT_Set_Topic = Step_Button(80, 200, true);
    Btn_CAN_Rec_Frame = Step_Button(80, 244, true);
    Btn_CAN_Send_Frame = Step_Button(80, 288, true);
    Btn_CreateBin = Step_Button(80, 332, true);
    // The steps of the other models.
    for (TLbButton** b : {&Btn_MBus, &Btn_MQTT_Set_Access, &Btn_Modbus_Set_Access, &Btn_SDO_Server_CANopen,
                          &Btn_SDO_Client_CANopen, &Btn_PDO_CANopen, &Btn_CANopen_EDS, &Btn_DNet_Net, &Btn_DNet_Offset,
                          &Btn_ScanDecode, &Btn_PROFINET_XML, &Btn_PROFIBUS_GSD, &Btn_DMX_Default, &Btn_KNX_Access,
                          &Btn_SNMP_Trap, &Btn_SNMP_MIB, &Btn_SNMP_Manager_Access, &Btn_BACnet_SetAccess,
                          &Btn_BACnet_EDE_File, &Btn_DALI_Access})
        *b = Step_Button(0, 0, false);
    Btn_MQTT_Set_Access->SetCaption("MQTT Set Access");
    Btn_ScanDecode->SetCaption("Scan && Decode");

    L_Quembo = new TLabel(this);
    L_Quembo->SetBounds(565, L_Step[5]->Top(), 0, 0);
    L_Quembo->SetCaption(Maker_Web_Host);
    L_Quembo->Font().SetColor(clBlue);
    L_Quembo->Font().SetStyle({fsUnderline});
    L_Quembo->SetCursor(crHandPoint);
    L_Quembo->OnClick = [](TControl*) { ShellOpen(Home_Page_URL()); };

    Shape1 = new TShape(this);
    Shape1->SetBounds(10, Btn_CreateBin->Top() + 51, 674, 1);
    Shape1->SetPenColor(clSilver);

    LL_Update = new TLinkLabel(this);
    LL_Update->SetBounds(16, Btn_CreateBin->Top() + 66, 400, 16);
    LL_Update->SetVisible(false);
    LL_Update->OnLinkClick = [](TControl*, const std::string& link) { ShellOpen(link); };

    SetClientSize(694, Btn_CreateBin->Top() + 152);

    SaveMIB.Filter = "Management Information Base (*.mib)|*.mib";
    SaveMIB.DefaultExt = "*.mib";
    SD1.Filter = "CSV (MS-DOS) (*.csv)|*.csv";
    SaveEDS.Filter = "Electronic Data Sheet (*.eds)|*.eds";
    SaveEDS.DefaultExt = "*.eds";
}

void TFZelvatoreFirmWare::FormCreate(const std::string& programFolder)
{
    Init_State(programFolder);  // an empty text table and clean state
    Layout();
    Create_Program_Folders();
    Project_Name.clear();
    Update_Read_Back = true;
    Read_Setting();
    Timer_Update.SetOnTimer([this] {
        if (USoftOptions::Update_Timer_Tick(Timer_Update)) {
            LL_Update->SetCaption(USoftOptions::Download_Link(Text(19)));
            LL_Update->Show();
        } else {
            LL_Update->Hide();
        }
    });
    USoftOptions::Apply_Update_Timer(Timer_Update);

    Main_Caption = std::string(Maker_Web_Host) + " - Configurator QS41010 - CAN / MQTT ";
    SW_Code = "QS41010";
    SW_Description = "CAN / MQTT - Converter";
    SetCaption(Main_Caption);
    L_SW_Code->SetCaption(SW_Code);
    L_SW_Desc->SetCaption(SW_Description);

    ULanguage::Load_Language();

    // Reopen the remembered configuration when its folder still exists and
    // its name stays inside PROJECTS.
    const std::string folder = PathJoin(Projects_Root, Project_Name);
    if (!Project_Name.empty() && Is_Valid_Project_Name(Project_Name) && DirectoryExists(folder))
        Project_Folder = folder;
    else
        Project_Folder.clear();

    Set_Lang();
    Set_Files();
    ULanguage::Register_Set_Lang(ULanguage::TLangWindow::Main, [this] { Set_Lang(); });

    OnClose = [this](TControl*, TCloseAction&) { FormClose(); };
}

void TFZelvatoreFirmWare::FormClose()
{
    // The program ends all the same; the user learns what was not kept.
    Save_Settings_Reporting();
}

void TFZelvatoreFirmWare::Save_Settings_Reporting()
{
    if (!Save_Setting()) ShowError(Msg_Settings_Not_Saved + std::string("\n") + Settings_File());
}

void TFZelvatoreFirmWare::Show_Configuration_State()
{
    if (!Project_Folder.empty()) {
        L_Name_Conf->SetCaption(Text(11));
        L_Name_Conf_L2->SetCaption(Project_Name);
    } else {
        L_Name_Conf->SetCaption(Text(9));
        L_Name_Conf_L2->SetCaption(Text(10));
    }
}

void TFZelvatoreFirmWare::Set_Lang()
{
    L_Begin->SetCaption(Text(0));
    for (int i = 0; i < 8; ++i) L_Step[i]->SetCaption(Text(1 + i));
    Btn_Info->SetHint(Text(12));
    Btn_Opz->SetHint(Text(13));
    Btn_Close->SetHint(Text(14));
    Btn_New->SetCaption(Text(15));
    Btn_Open->SetCaption(Text(16));
    Btn_CreateBin->SetCaption(Text(17));
    Btn_Prm_Gen->SetCaption(Text(20));
    Btn_MQTT_Set_Topic->SetCaption(Text(21));
    Btn_MBus->SetCaption(Text(27));
    Show_Configuration_State();
    Btn_New->SetHint(Text(22));
    Btn_Open->SetHint(Text(23));
    Btn_Prm_Gen->SetHint(Text(24));
    Btn_MQTT_Set_Topic->SetHint(Text(25));
    Btn_CreateBin->SetHint(Text(26));
    Btn_MBus->SetHint(Text(28));
    struct CaptionHint {
        TLbButton* b;
        int caption, hint;
    };
    const CaptionHint pairs[] = {
        {Btn_Modbus_Set_Access, 29, 30},  {Btn_CAN_Rec_Frame, 31, 32},      {Btn_CAN_Send_Frame, 33, 34},
        {Btn_SDO_Server_CANopen, 35, 36}, {Btn_SDO_Client_CANopen, 37, 38}, {Btn_PDO_CANopen, 39, 40},
        {Btn_CANopen_EDS, 41, 42},        {Btn_DNet_Net, 45, 46},           {Btn_DNet_Offset, 47, 48},
        {Btn_PROFINET_XML, 50, 51},       {Btn_PROFIBUS_GSD, 52, 53},       {Btn_DMX_Default, 56, 57},
        {Btn_KNX_Access, 58, 59},         {Btn_SNMP_Trap, 60, 61},          {Btn_SNMP_MIB, 62, 63},
        {Btn_SNMP_Manager_Access, 64, 65}, {Btn_BACnet_SetAccess, 66, 67},  {Btn_BACnet_EDE_File, 68, 69},
        {Btn_DALI_Access, 71, 72},
    };
    for (const CaptionHint& p : pairs) {
        p.b->SetCaption(Text(p.caption));
        p.b->SetHint(Text(p.hint));
    }
}

void TFZelvatoreFirmWare::Change_Language() { ULanguage::Apply_Set_Lang(); }

void TFZelvatoreFirmWare::Btn_Click(TControl* Sender)
{
    if (Sender == Btn_New) return Create_New_Project();
    if (Sender == Btn_Open) return Open_Project();
    if (Sender == Btn_Close) return Close();
    if (Sender == Btn_Info) {
        Show_Window(TWindowId::About);
        return;
    }
    if (Sender == Btn_Opz) {
        if (Show_Window(TWindowId::SoftOptions) == mrOk) {
            Save_Settings_Reporting();
            USoftOptions::Apply_Update_Timer(Timer_Update);
        }
        return;
    }
    if (Project_Folder.empty()) {
        MessageDlg(Text(18), TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        return;
    }
    // Each step opens its window; a window that is not part of the program
    // yet opens nothing. The side-file writers (GSDML, GSD, MIB, EDE) and
    // the scan window belong to models whose buttons this build hides.
    if (Sender == Btn_Prm_Gen) Show_Window(TWindowId::ParGen);
    else if (Sender == Btn_MQTT_Set_Topic) Show_Window(TWindowId::MQTT_Set_Topic);
    else if (Sender == Btn_MBus) Show_Window(TWindowId::Meter_Bus);
    else if (Sender == Btn_Modbus_Set_Access) return;
    else if (Sender == Btn_MQTT_Set_Access) Show_Window(TWindowId::MQTT_Set_Access);
    else if (Sender == Btn_CAN_Rec_Frame) Show_Window(TWindowId::ReceiveCAN);
    else if (Sender == Btn_CAN_Send_Frame) Show_Window(TWindowId::TransmitCAN);
    else if (Sender == Btn_PDO_CANopen) Show_Window(TWindowId::Set_PDO_Access);
    else if (Sender == Btn_SDO_Client_CANopen) Show_Window(TWindowId::Set_SDO_Client_Access);
    else if (Sender == Btn_SDO_Server_CANopen) Show_Window(TWindowId::Set_SDO_Server_Access);
    else if (Sender == Btn_CANopen_EDS) Build_EDS_File();
    else if (Sender == Btn_DNet_Net) Show_Window(TWindowId::DNet);
    else if (Sender == Btn_DNet_Offset) Show_Window(TWindowId::DefOffset);
    else if (Sender == Btn_CreateBin) Update_Device();
    else if (Sender == Btn_DMX_Default) Show_Window(TWindowId::DMXDefVal);
    else if (Sender == Btn_KNX_Access) Show_Window(TWindowId::KNXAccess);
    else if (Sender == Btn_SNMP_Trap) Show_Window(TWindowId::SNMP_Trap_Access);
    else if (Sender == Btn_SNMP_Manager_Access) Show_Window(TWindowId::SNMPManagerAccess);
    else if (Sender == Btn_PROFINET_XML) PROFINET_XML();
    else if (Sender == Btn_PROFIBUS_GSD) UGSD::Save_GSD_File();
    else if (Sender == Btn_SNMP_MIB) USNMP_MIB::Save_MIB_File(SaveMIB);
    else if (Sender == Btn_BACnet_SetAccess) Show_Window(TWindowId::BACnetSlaveSetAccess);
    else if (Sender == Btn_BACnet_EDE_File) BACnet_EDE_File();
    else if (Sender == Btn_DALI_Access) Show_Window(TWindowId::DALI_Access);
}

void TFZelvatoreFirmWare::Create_New_Project()
{
    if (Show_Window(TWindowId::New_Project) == mrOk) Show_Configuration_State();
}

void TFZelvatoreFirmWare::Open_Project()
{
    if (!FOpenConf || FOpenConf->ShowModal() != mrOk) return;
    // A folder whose name is no valid text cannot be a configuration's name
    // (titles, the settings file): say so, and keep what is open.
    if (!IsValidUtf8(FOpenConf->Name_Conf)) {
        ShowError(Msg_Name_Not_Text_1 + WideToUtf8(Utf8ToWide(FOpenConf->Name_Conf)) + Msg_Name_Not_Text_2 +
                  Projects_Root);
        return;
    }
    Project_Name = FOpenConf->Name_Conf;
    const std::string folder = PathJoin(Projects_Root, Project_Name);
    // Only a configuration folder that exists inside PROJECTS is opened.
    if (!Project_Name.empty() && Is_Valid_Project_Name(Project_Name) && DirectoryExists(folder)) {
        Project_Folder = folder;
    } else {
        Project_Name.clear();
        Project_Folder.clear();
    }
    Show_Configuration_State();
    Set_Files();
}

void TFZelvatoreFirmWare::Update_Device()
{
    // A further press while an update runs (its window is still open) would
    // rebuild the image under the running update.
    if (updating_ || (FBoot && FBoot->Busy)) return;
    updating_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{updating_};
    try {
        USaveBincc::Create_Bin();
        USaveBincc::Save_Bin();
    } catch (const std::exception& e) {
        ShowError(e.what());
        return;
    }
    if (FBoot) FBoot->Form_Type = 1;
    Show_Window(TWindowId::Boot);
}

void TFZelvatoreFirmWare::Build_EDS_File()
{
    SaveEDS.InitialDir = Project_Folder;
    if (SaveEDS.Execute()) UEds::Create_EDS_File(SaveEDS.FileName);
}

void TFZelvatoreFirmWare::PROFINET_XML()
{
    if (Show_Window(TWindowId::ProfinetFileName) == mrOk)
        UGSDML::Save_GSDML_File(FProfinetFileName->Name_File_XML);
}

void TFZelvatoreFirmWare::BACnet_EDE_File()
{
    SD1.InitialDir = Project_Folder;
    if (!SD1.Execute()) return;
    std::string name = SD1.FileName;
    if (name.size() < 4 || UpperCase(name.substr(name.size() - 4)) != ".CSV") name += ".csv";
    if (FileExists(name) &&
        MessageDlg(Text(70), TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNoCancel) != mrYes)
        return;
    UBACnet_EDE_File::Save_EDE_File(name);
}

bool TFZelvatoreFirmWare::Start_Program(const std::string& NomeSW, const std::string& Parameter, bool tipo,
                                        int limitMs)
{
    return UProgram::Start_Program(NomeSW, Parameter, tipo, limitMs);
}

int TFZelvatoreFirmWare::Get_Type_BACnet()
{
    if (!FileExists(File_ParGen)) return 0;
    TXmlDocument doc;
    if (doc.LoadFromFile(File_ParGen) != TXmlLoad::Read) return 0;
    int v = 0;
    return TryStrToInt(Trim(ElementText(ChildElement(doc.Root(), "BACnet_Type"))), v) ? v : 0;
}
