#pragma once
// The EDE import of the BACnet client rules: the objects of another BACnet
// device's EDE file (its lines after the "# mandatory" marker, fields
// separated by ";"), and the dialog "Import BACnet EDE File" in which the
// user chooses which objects become read and write rules and gives the
// device's IP address or slave ID.

#include "core/UFrame.h"
#include "platform/Forms.h"
#include "widgets/ExColumnGrid.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One object of an EDE line (fields 1 to 16) and the user's choices.
struct TBACnet_Var {
    std::string keyname;
    int32_t device_obj_instance = -1;
    std::string object_name;
    int32_t object_type = -1;
    int32_t object_instance = -1;
    std::string description;
    std::string present_value_default;
    std::string min_present_value;
    std::string max_present_value;
    bool commandable = false;  // settable: field 10 is "Y" in any case
    bool support_COV = false;
    std::string hi_limit;
    std::string low_limit;
    std::string stete_text_reference;
    std::string unit_code;
    std::string vendor_specific_address;
    bool import = false;
    bool read = false;
    bool write = false;
};

// The object types the import takes (BACnet object-type numbers) and what a
// rule of one gets: the client window's object type text, the data type of
// a written value and the bytes of its value. Other numbers give "",
// "Null" and 4.
bool EDE_Type_Accepted(int32_t type);
std::string Get_ObjType_EDE(int32_t val);
std::string Get_DataType_EDE(int32_t val);
int Get_NumByte_EDE(int32_t val);

// The 16 fields of a line: each of the first 15 the trimmed text before the
// next ";" (empty once no ";" is left), the 16th what is left, without one
// final ";".
std::array<std::string, 16> EDE_Line_Fields(const std::string& line);
// The index of the first data line: two lines after the "# mandatory"
// marker line (line 7 first, otherwise the last marker line of the file);
// lines.size() when there is none or the file has fewer than seven lines.
size_t EDE_Data_Begin(const std::vector<std::string>& lines);
// The objects of accepted types of an EDE file's text, in file order, each
// chosen for import and reading, and for writing when it is settable.
std::vector<TBACnet_Var> Parse_EDE_Text(const std::string& text);
// Reads an EDE file (a byte-order mark selects UTF-8 or UTF-16, otherwise
// UTF-8 when valid, else Windows-1252); false with why when it cannot be
// read.
bool Load_EDE_File(const std::string& path, std::vector<TBACnet_Var>& list, std::string& why);

class TFImportEDEFile : public TForm {
public:
    TFImportEDEFile();
    ~TFImportEDEFile() override;

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_ID_IP;
    TLabel* LID_IP;
    TEdit* E_ID_IP;
    TExColumnGrid* ECG;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TLbButton* Btn_Select_All;
    TLbButton* Btn_Unselect_All;

    // Set by the client window before each showing.
    std::string EDE_File;
    int32_t App_BACnet_Type = 0;
    // The objects of the last file read, kept after the dialog closes.
    std::vector<TBACnet_Var> List_EDE_Var;

    void Set_Lang();
    // Each showing: the rows reset, the file read and shown.
    void FormShow();
    void Cancel_EDE_List_Vars() { List_EDE_Var.clear(); }
    void Show_Data_in_Grid();
    void ECGCheckBoxClick(int col, int row, bool state);
    void Btn_OKClick();
    void Btn_Select_AllClick();
    void Btn_Unselect_AllClick();
};

inline TFImportEDEFile* FImportEDEFile = nullptr;
