#pragma once
// The M-Bus network editor: a tree of the configuration's M-Bus and
// wireless M-Bus nodes with their variables on the left, a "Nodes" and a
// "Variables" page with the fields of the selected item on the right. The
// window reads the network file (UMBus_Network.h) each time it is shown and
// writes it on OK. The tree's pop-up menu copies and pastes variables and
// nodes (a pasted node gets its identity in TFNewIDNode); the copies live
// as long as the window.

#include "mbus/UMBus_Network.h"
#include "platform/Forms.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TLbButton;
class TExPageControl;
class TExTabSheet;
class TTreeView;
class TTreeNode;

// The BACnet engineering unit of a variable's type of data (and, for type
// 19, its VIFE index); 95 (no units) where none fits.
std::int32_t Found_BACnet_EngUnits(std::int32_t Type_Of_Data, std::int32_t VIFE);

// The drop-down list width of a combo whose items are this wide at most:
// the widest item + 12 + extra, plus a scroll bar when the list has more
// items than it shows at once; 0 (unchanged) when the combo itself, less a
// scroll bar, is already that wide.
int Select_Width_ComboBox(TComboBox& Combo, int extra);

// The publish-topic items of the MQTT topic file: n "; " Topic "; "
// Mnemonic ";" for every child of "MQTT_Publish", n from 1. Empty when the
// file is missing, unreadable or has no "MQTT_Publish".
std::vector<std::string> Read_MQTT_Publish_Topics(const std::string& path);

class TFMeter_Bus : public TForm {
public:
    TFMeter_Bus();
    ~TFMeter_Bus() override;
    const char* ClassName() const override { return "TFMeter_Bus"; }

    void Set_Lang();

    // The checks of the node and variable buttons; each shows the first
    // fault as an error box and answers false.
    bool Controllo_Dati_New_Nodo();
    bool Controllo_Dati_New_Var();
    bool Check_Node_ID(std::int32_t ID);
    // For a pasted node: false (after error 883) when a node of the ID type
    // (0 primary, 1 secondary) has that ID.
    bool Check_Node_ID2(std::int32_t ID, std::int32_t IDType);

    // Window state.
    TNodoList Nodi_List;
    std::int32_t IND_NODO = -1;
    std::int32_t IND_VAR = -1;
    TTreeNode* NODE_ORIG = nullptr;
    TTreeNode* NODE_ID = nullptr;
    TTreeNode* SELECT_NODE = nullptr;
    std::unique_ptr<TVariabile> Copy_Var;
    std::unique_ptr<TNodo> Copy_Node;
    bool Is_Change = false;
    std::vector<std::string> MQTT_Topics;
    std::int32_t Working_Mode = 0;

    // Frame.
    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TLbButton* Btn_Import;

    TTreeView* TV_Network;
    TExPageControl* PC_Meter;
    TExTabSheet* TS_Nodes;
    TExTabSheet* TS_Variables;

    // "Nodes" page.
    TCheckBox* CB_Enable_Node;
    TLabel* L_Desc_Node;
    TEdit* E_Desc_Node;
    TLabel* L_MBus_Type;
    TComboBox* CB_MBus_Type;
    TRadioButton* RB_Primary;
    TRadioButton* RB_Secondary;
    TEdit* E_Primary;
    TEdit* E_Secondary;
    TCheckBox* CB_SND_NKE;
    TCheckBox* CB_Reset_App;
    TLabel* L_Var_List;
    TComboBox* CB_Var_List;
    TLabel* L_Cut_After;
    TComboBox* CB_Cut_After;
    TLabel* L_Frames;
    TPanel* P_Wireless;
    TLabel* L_ManID;
    TEdit* E_ManID;
    TLabel* L_Address;
    TEdit* E_Address;
    TLabel* L_Version;
    TEdit* E_Version;
    TLabel* L_DevType;
    TEdit* E_DevType;
    TCheckBox* CB_Key_Enable;
    std::array<TLabel*, 16> L_Key{};
    std::array<TEdit*, 16> E_Key{};
    TLabel* L_wVar_List;
    TComboBox* CB_wVar_List;
    TLbButton* Btn_Node;
    TLbButton* Btn_Scan_Device;

    // "Variables" page.
    TCheckBox* CB_Enable_Var;
    TLabel* L_Desc_Var;
    TEdit* E_Desc_Var;
    TLabel* L_Type;
    TComboBox* CB_Type;
    TLabel* L_VIF_ASCII;
    TEdit* E_VIF_ASCII;
    TLabel* L_Fun_Field;
    TComboBox* CB_Fun_Field;
    TLabel* L_Dim;
    TComboBox* CB_Dim;
    TLabel* L_Length;
    TEdit* E_Length;
    TLabel* L_Unit;
    TComboBox* CB_Unit;
    TLabel* L_StoNumber;
    TEdit* E_StoNumber;
    TLabel* L_Tariff;
    TEdit* E_Tariff;
    TLabel* L_VIFE;
    TComboBox* CB_VIFE;
    TCheckBox* CB_BCDtoINT;
    TLabel* L_Position;
    TEdit* E_Position;
    TLabel* L_Topic;
    TComboBox* CB_Topic;
    TLabel* L_Post_Ope;
    TComboBox* CB_Post_Ope;
    TLbButton* Btn_Var;
    TLbButton* Btn_Scan_Var;

    // The pop-up menu's entries, in order (1-based commands).
    enum TMenuCommand { cmCopyVar = 1, cmPasteVar, cmSep1, cmCopyNode, cmPasteNode, cmSep2, cmDelete };
    void Menu_Command(int command);
    void Copy_Variable();
    void Paste_Variable();
    void Copy_Node_Click();
    void Paste_Node();
    void Delete_Items();
    void Import_Network();

private:
    void FormShow(TControl* Sender);
    void Load_Network();
    void Selection_Changed();
    void Aggiorna_Label();
    void Clear_Node_Fields();
    void Node_To_Fields(const TNodo& n);
    void Variable_To_Fields(const TVariabile& v);
    void New_Variable_Fields();
    // The node / variable the fields describe, over base (the stored one on
    // modify); false when a field holds no value (never half-applied).
    TNodo Node_From_Fields(const TNodo& base) const;
    TVariabile Variable_From_Fields(const TVariabile& base) const;
    void Layout_MBus_Type();
    void Layout_Variables(std::uint8_t Var_List_Type);
    void Update_Enabling();
    void Btn_NodeClick(TControl* Sender);
    void Btn_VarClick(TControl* Sender);
    void Btn_OKClick(TControl* Sender);
    void Btn_CancelClick(TControl* Sender);
    void CloseQuery(bool& CanClose);
    void Tree_Popup(TPoint MousePos);
    TTreeNode* Add_Node_Item(const TNodo& n);
    bool Is_Wireless_Shown() const;

    bool modifyNode_ = false;     // the node button modifies the selected node
    bool modifyVar_ = false;      // the variable button modifies the selected variable
    bool closing_ = false;        // OK or Cancel decided; the close needs no question
    std::string loadFault_;       // why the network file did not read whole ("" when it did)
};

// The single instance, created at start-up with the other windows.
inline TFMeter_Bus* FMeter_Bus = nullptr;

// A wired node's tree caption: "ID " + ID + " - " + description; a
// wireless node's "wM-Bus Node - Address " + address + " - " + description.
std::string Node_Caption(const TNodo& n);
std::string Variable_Caption(const TVariabile& v);
