#pragma once
// The small dialog in which Paste Node of the M-Bus network editor asks for
// the identity of the pasted node: a primary or secondary ID for a node on
// wires (Form_Type 1), a radio address for a wireless node (any other
// Form_Type). The caller fills and reads the radio buttons and edits; the
// dialog keeps them between uses.

#include "platform/Forms.h"

#include <cstdint>
#include <functional>

class TLbButton;

class TFNewIDNode : public TForm {
public:
    TFNewIDNode();
    ~TFNewIDNode() override;
    const char* ClassName() const override { return "TFNewIDNode"; }

    void Set_Lang();

    // 1: ask for an ID; 2: ask for a wireless address.
    std::int32_t Form_Type = 1;
    // Whether an ID of the given type (0 primary, 1 secondary) may be used;
    // the editor's Check_Node_ID2, which shows its own error box.
    std::function<bool(std::int32_t ID, std::int32_t IDType)> Check_ID;

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TLabel* L_Select;
    TRadioButton* RB_Primary;
    TRadioButton* RB_Secondary;
    TEdit* E_Primary;
    TEdit* E_Secondary;
    TLabel* L_Address;
    TEdit* E_Address;

private:
    void FormShow(TControl* Sender);
    void Btn_OKClick(TControl* Sender);
};

// The single instance, created at start-up with the other windows.
inline TFNewIDNode* FNewIDNode = nullptr;
