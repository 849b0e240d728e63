#pragma once
// The DALI window ("DALI Access"): the 64 DALI control gears (short
// addresses 0 to 63) the gateway serves with their Min-Max Value flag and
// Recall Level (page Select Device, file "DALI_Access.xml": one text
// element per setting), and the DALI-2 rules (pages Set Access and
// Functions, file "DALI2_Access.xml": sections "DALI2_Functions_Rules" and
// "DALI2_SetAccess_Rules"). Both files are read at every showing and
// replaced together on OK. The page shown last stays active at the next
// showing. The address map of the enabled devices (a CSV text) is written
// by Btn_DALI_MapsClick, whose button no page shows.

#include "rules/can_mqtt/URuleFrame.h"

#include "core/UFrame.h"
#include "platform/Forms.h"
#include "platform/Shell.h"
#include "widgets/ExPageControl.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Real columns of the device grid (2 and 3 stay hidden).
namespace DALI_Dev_Col {
constexpr int Label = 0, Enable = 1, Address = 2, Dimming_Mode = 3, Min_Max = 4, Recall_Level = 5;
}
// Columns of the Set Access grid (column 1: a plain check box).
namespace DALI_SA_Col {
constexpr int Enable = 1, DevSen = 2, Type = 3, Ch_Number = 4, Instance = 5, Command = 6, Time_Send = 7,
              TimeOut = 8, Function = 9, Position = 10, Num_Bytes = 11, Mnemonic = 12;
}
// Columns of the Functions grid.
namespace DALI_Fun_Col {
constexpr int Function = 1, Condition = 2, Value = 3, Channel = 4, Val = 5, Next_Function = 6, Mnemonic = 7;
}

inline constexpr int DALI_Devices = 64;
inline constexpr int DALI_Functions = 250;
inline constexpr int DALI_Rules = 256;
inline constexpr int DALI_Max_Num_Byte = 1440;
// The Min-Max Value of a device before its file is read.
inline constexpr const char* DALI_Min_Max_Initial = "N";

// The frame's grids: 0 the Functions grid, 1 the Set Access grid (the
// order of the file's sections and of the checks).
inline constexpr int DALI2_Fun_Grid = 0, DALI2_SA_Grid = 1;

// The DALI-2 tables; enableChecked tells whether the Enable box of a Set
// Access row is checked (the file's "Enable").
TRuleWindowDesc DALI2_Desc(std::function<bool(int row)> enableChecked);

// A text of the window: the UI text, or for the texts without a built-in
// wording (4960, 4961) the headers the grid is designed with while the
// text is blank.
std::string DALI_Text(int id);
// The message text with its first "%d" replaced by first and its second by
// second (when given); nothing else of the text is interpreted.
std::string DALI_Format(const std::string& text, long long first, std::optional<long long> second = std::nullopt);

// --- the device page and "DALI_Access.xml"
// The recall texts a device may hold; "None" for every other text.
std::string Check_ReCall_Level(const std::string& text);
// Every device row reset (Enable "N", Dimming Mode "Normal", Min-Max Value
// DALI_Min_Max_Initial, Recall Level "None").
void DALI_Reset_Devices(TExColumnGrid& devices);
// The device settings of a loaded file's root (elements looked up by name).
void DALI_Load_Devices(TExColumnGrid& devices, pugi::xml_node root);
// The file of the device rows: 192 elements, three per device in address order.
void DALI_Build_Devices(TXmlDocument& doc, TExColumnGrid& devices);

// --- the DALI-2 pages
// The items of the Set Access grid's lists.
const std::vector<std::string>& DALI_DevSen();
const std::vector<std::string>& DALI_DevType();
const std::vector<std::string>& DALI_SenType();
const std::vector<std::string>& DALI_NumBytes();
// "0 - None", then r + " - " + the Mnemonic of every Functions row r.
std::vector<std::string> DALI_Function_Items(TExColumnGrid& functions);
// The condition an input event of the Value list requires; empty for any
// other text.
std::string DALI_Event_Condition(const std::string& event);
// Loads "DALI2_Access.xml" into the reset grids; why says what is wrong
// with a file that is not one ("" when it was read or is missing).
TXmlLoad DALI2_Load(TRuleFrame& frame, TExStringGrid& setAccess, std::string& why);
// The first fault of the DALI-2 tables as its box shows it, Functions first.
std::optional<std::string> DALI2_Fault(TExColumnGrid& functions, TExStringGrid& setAccess);

// --- the address map
// The name written for the name chosen: ".csv" appended unless its
// extension, trimmed and upper-cased, is ".CSV".
std::string DALI_Map_File_Name(const std::string& chosen);
// The lines of the map: text 4656, then one line per enabled device.
std::vector<std::string> DALI_Map_Lines(TExColumnGrid& devices);

// A column pop-up menu of the device grid: its item captions.
class TDALI_PopupMenu : public TComponent {
public:
    TDALI_PopupMenu(TComponent* owner, std::vector<std::string> items) : TComponent(owner), Items(std::move(items)) {}
    std::string ClassName() const override { return "TDALI_PopupMenu"; }
    std::vector<std::string> Items;
};

class TFDALI_Access : public TForm {
public:
    TFDALI_Access();
    ~TFDALI_Access() override;

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Button;
    TExPageControl* PC_DALI;
    TExTabSheet* TS_Select_Device;
    TExTabSheet* TS_Set_Access;
    TExTabSheet* TS_Functions;
    TExColumnGrid* ECG_DALI_Device;
    TExColumnGrid* ESG;
    TExColumnGrid* ECG;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TLbButton* Btn_SelectAll;
    TLbButton* Btn_ClearAll;
    TLbButton* Btn_DALI_Maps;
    TLbButton* Btn_DelRow;
    TLbButton* Btn_InsRow;
    TLbButton* Btn_CopyRow;
    TLbButton* Btn_PasteRow;
    TDALI_PopupMenu* PM_MinMax_Value;
    TDALI_PopupMenu* PM_Recall_Level;
    TSaveDialog SD_DALI_Maps;
    TStringList SelFunct;
    bool Do_Copy = false;
    bool Do_Copy_Fun = false;

    TRuleFrame& Frame() { return *frame_; }
    void Set_Lang();
    void FormShow();
    // Page change: the buttons of the page, the function choices rebuilt.
    void PC_DALIChange();
    void Compile_Function();
    bool Controllo_dati();
    void Btn_OKClick();
    void Btn_SelectAllClick() { Set_All(DALI_Dev_Col::Enable, "Y"); }
    void Btn_ClearAllClick() { Set_All(DALI_Dev_Col::Enable, "N"); }
    // The header menus' items (index into the menu's items).
    void MinMaxValueClick(int item);
    void RecallLevelClick(int item);
    void Btn_DALI_MapsClick();
    // Writes the map of the enabled devices into fileName as it stands.
    bool Write_DALI_Map(const std::string& fileName);
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();
    void ESGGetEditorType(int col, TEditorType& editor);
    void SetConditionOnEvent(const std::string& event, int row);

private:
    void Set_All(int col, const std::string& text);
    void Reset_Set_Access();
    bool Set_Access_Active() const;
    std::unique_ptr<TRuleFrame> frame_;
    // Files read at the last showing that were not what they should be.
    bool devicesUnreadable_ = false;
    bool rulesUnreadable_ = false;
};

inline TFDALI_Access* FDALI_Access = nullptr;
