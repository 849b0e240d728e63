#pragma once
// The DeviceNet byte offsets: every input and output byte of every slave of
// the DeviceNet slave list ("DNETM_Net.xml") tied to a position of the
// internal data array or to none ("None"); kept in "DNETM_DefOff.xml" (root
// "Define_Offset", one "Nodo_DNET" per slave, by position, each with the
// sections "ByteIN" and "ByteOUT" of one "row" per byte).
//
// The window shows the slaves in an upper grid and the bytes of the chosen
// slave on two pages below; no two output bytes may share a position.

#include "core/UFrame.h"
#include "platform/Forms.h"
#include "platform/XmlDoc.h"
#include "rulefiles/URuleFiles.h"
#include "widgets/ExPageControl.h"
#include "widgets/ExColumnGrid.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TSlave_DN {
public:
    uint8_t ID = 0;
    uint16_t ByteIN = 0;
    uint16_t ByteOUT = 0;
    std::vector<std::string> SL_ByteIN;     // position text of each input byte
    std::vector<std::string> SL_ByteIN_M;   // its description
    std::vector<std::string> SL_ByteOUT;
    std::vector<std::string> SL_ByteOUT_M;
};

using TSlaves_DN = std::vector<std::unique_ptr<TSlave_DN>>;

// The slaves of the slave list, in its order, each with every byte at
// "None"; the rows also fill the slave grid when one is given. Numbers that
// are none count as 0. A list that cannot be read gives no slave (why, when
// given, says why).
TXmlLoad Load_Slave_DN(const std::string& netFile, TSlaves_DN& slaves, TExColumnGrid* grid,
                       std::string* why = nullptr);
// The positions and descriptions of the offset file, by slave and byte
// position (further entries are skipped). A file that cannot be read leaves
// every byte as it was.
TXmlLoad Load_Offset_Slave_DN(const std::string& offFile, TSlaves_DN& slaves, std::string* why = nullptr);
// The output-byte rule: no two output bytes on one position, every
// position "None" or within the array. The message of the first fault, or
// nothing.
std::optional<std::string> Check_Offsets(const TSlaves_DN& slaves);
// The offset file of the slaves; false when it cannot be written.
bool Save_Offset_Slave_DN(const std::string& offFile, const TSlaves_DN& slaves);

class TFDefOffset : public TForm {
public:
    TFDefOffset();
    ~TFDefOffset() override;

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* Panel1;
    TLabel* Label1;
    TExColumnGrid* ECG_DN_Slaves;
    TPanel* Panel3;
    TLabel* Label2;
    TLabel* Label3;
    TExPageControl* PageControl1;
    TExTabSheet* TabSheet1;
    TExTabSheet* TabSheet2;
    TExColumnGrid* ECG_ByteIN;
    TExColumnGrid* ECG_ByteOUT;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    TSlaves_DN List_Slaves_DN;
    int Slave_Before_Select = -1;

    void Set_Lang();
    // A click on the slave grid: stores the shown bytes, shows the slave of
    // the current row.
    void ECG_DN_SlavesClick();
    void bitbtn1Click();

    // Messages the UI text table has no text for.
    static constexpr const char* Msg_Position_Out = " must be None or a position between 0 and ";
    static constexpr const char* Msg_File_Not_Written = "The file could not be written:";
    static constexpr const char* Msg_Net_Unreadable =
        "The DeviceNet slave list could not be read when this window was opened, so the byte offsets are not "
        "saved (the offset file keeps every slave's offsets):";

private:
    // The files that could not be read at this showing.
    bool Net_Unreadable = false;
    bool Off_Unreadable = false;

    void FormShow();
    void Select_First();
    void Update_Slave_DN();
    bool Save_Data_ByteIN_ByteOUT();
};

inline TFDefOffset* FDefOffset = nullptr;
