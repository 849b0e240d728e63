#pragma once
// The BACnet engineering units: the code of every unit of the BACnet
// standard's engineering-units enumeration (0 to 236) with its name, the 23
// categories the picker offers them in, and the picker window
// ("Select the BACnet Engineering Unit") in which the user chooses a unit
// by category and name. The rule files and the EDE file store only the
// code; the names are display texts.

#include "core/UFrame.h"
#include "platform/Forms.h"

#include <string>
#include <vector>

// The highest code the table knows (codes 0 to this all have a name).
inline constexpr int Eng_Unit_Last_Code = 236;

// The name of a unit code; "unknown" for every number outside 0 to 236.
std::string Desc_Unit(int Num_Unit);

// One category of the picker's type list: its text and its codes in the
// order its unit list shows them.
struct TEngUnitCategory {
    const char* name;
    std::vector<int> codes;
};
// The 23 categories in list order; together they hold every code once.
const std::vector<TEngUnitCategory>& Eng_Unit_Categories();

class TFBACnet_Eng_Unit : public TForm {
public:
    TFBACnet_Eng_Unit();
    ~TFBACnet_Eng_Unit() override;

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* Label1;
    TEdit* E_Selected_EU;
    TLabel* Label5;
    TLabel* Label2;
    TLabel* Label3;
    TComboBox* CB_Select_Type;
    TLabel* Label4;
    TComboBox* CB_Select_Unit;
    TLbButton* Btn_Select_Eng_Unit;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    void Set_Lang();
    // Each showing: the unit list of the category chosen last, its first
    // unit selected.
    void FormShow();
    // The unit list of the chosen category, its first unit selected.
    void CB_Select_TypeSelect();
    // The chosen unit's code into the edit box and its name beside it.
    void Btn_Select_Eng_UnitClick();

    // The calling protocol of a cell: opens on the cell's text (its name
    // beside it) and, when the user closes with OK, puts the edit box's text
    // into text and answers true; otherwise text is left alone.
    bool Pick(std::string& text);
};

inline TFBACnet_Eng_Unit* FBACnet_Eng_Unit = nullptr;
