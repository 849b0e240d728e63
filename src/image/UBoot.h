#pragma once
// The update window: takes the gateway's address and the update options,
// checks that the gateway answers ICMP echo, writes the updater's job file
// and runs the external updater "Ethernet_Update.exe" from the program
// folder. A serial layout (Form_Type 0) only keeps the options.

#include "image/UBootCheck.h"
#include "platform/Forms.h"
#include "platform/XmlDoc.h"
#include "widgets/LbButton.h"

#include <string>

class TFBoot : public TForm {
public:
    TFBoot();
    ~TFBoot() override;
    const char* ClassName() const override { return "TFBoot"; }

    // Title strip.
    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    // Gateway address, one octet per edit.
    TPanel* P_IP_Address;
    TLabel* L_IP_Address;
    TEdit* E_IP1;
    TEdit* E_IP2;
    TEdit* E_IP3;
    TEdit* E_IP4;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    // Update option and read-back choice.
    TPanel* P_Options;
    TLabel* L_Update_Option;
    TComboBox* CB_Update_Options;
    TCheckBox* CB_Update_Option_Read_Back;
    // Serial layout.
    TPanel* P_Serial;
    TLabel* L_COM_Port;
    TComboBox* CB_COM_Port;
    TLbButton* Btn_COM_List;
    // Device search (never shown).
    TPanel* P_Eth_Search;
    TLabel* L_List_Device;
    TLbButton* Btn_Search;
    TCheckBox* CB_Find_All_QBO;
    // Buttons.
    TPanel* P_Button;
    TLbButton* Btn_Cancel;
    TLbButton* Btn_Update;

    // 0 serial layout, 1 Ethernet layout; set before each showing.
    int Form_Type = 1;
    // True while a check (and the updater after it) runs.
    bool Busy = false;
    // Status of the last echo reply (UBootCheck::Ping_None, Ping_Reply, Ping_No_Reply).
    int ping_res() const { return Ping.ping_res; }

    void FormShow();
    void Set_Lang();
    void KeyPress(TControl* Sender, char32_t& Key);
    bool Send_Ping();
    void Btn_UpdateClick();
    void Compile_XML_Parameter_New_Boot();
    void update_ComPort();

private:
    // The address as typed in the four octet edits.
    std::string Typed_Address() const;
    void Run_Update();

    UBootCheck::TReachabilityCheck Ping;
    TXmlDocument XML1;
};

// The window's single instance, created with the other windows at start.
inline TFBoot* FBoot = nullptr;

namespace UBoot {

// Longest wait for the updater to end; it is never ended by the program.
inline int Updater_Wait_Limit_Ms = 150000;

// Messages of the window that the UI text table has no entry for.
extern const char* const Msg_Check_Not_Possible;
extern const char* const Msg_Updater_Not_Started;
extern const char* const Msg_Image_Not_Built;

} // namespace UBoot
