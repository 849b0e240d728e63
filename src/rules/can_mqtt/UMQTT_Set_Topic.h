#pragma once
// The MQTT topic window: the topics the gateway publishes and those it
// subscribes to, each tied to a stretch of the internal data array, kept in
// "MQTT_Set_Topic.xml" (root "MQTT_Set_Topic", sections "MQTT_Publish",
// "MQTT_Subscribe" and "MQTT_Options").

#include "rules/can_mqtt/URuleWindow.h"

#include "rulefiles/URuleFiles.h"

#include <functional>
#include <string>

// Real columns of the two grids.
namespace Topic_Col {
constexpr int Topic = 1, Retained = 2, QoS = 3, Data_Type = 4, Dimension = 5, Position = 6;
constexpr int Pub_IP_Address = 7, Pub_Hex = 8, Pub_Input_Template = 9, Pub_Template = 10, Pub_OnChange = 11,
              Pub_OnCMD = 12, Pub_OnTimer = 13, Pub_Time = 14, Pub_Channel = 15, Pub_Swap = 16,
              Pub_Swap_Word = 17, Pub_Mnemonic = 18;
constexpr int Sub_IP_Address = 7, Sub_Port = 8, Sub_Type = 9, Sub_Input_Template = 10, Sub_Hex = 11,
              Sub_Template = 12, Sub_Swap = 13, Sub_Swap_Word = 14, Sub_Mnemonic = 15;
} // namespace Topic_Col

// True when the text holds an odd number of "$" (every one counted).
bool Error_In_Topic_Template(const std::string& text);

// The window's tables. The option "Allow CR and LF in Template" is read
// and written through the two functions.
TRuleWindowDesc MQTT_Set_Topic_Desc(std::function<bool()> allowCRLF, std::function<void(bool)> setAllowCRLF);

class TFMQTT_Set_Topic : public TRuleWindow {
public:
    TFMQTT_Set_Topic();

    TExTabSheet* TS_MQTT_Publish;
    TExTabSheet* TS_MQTT_Subscribe;
    TExColumnGrid* ECG_Pub;
    TExColumnGrid* ECG_Sub;
    TCheckBox* CB_Allow_CR_LF;

    void Set_Lang() override;
    // Opens the template editor on a cell; on OK the cell takes its text.
    void Show_Form_Topic(TExColumnGrid* grid, int row, int col);

protected:
    // Header auto-size, then the template editor when the current cell is
    // a Template cell.
    void DblClickCell(int g, int row, int col) override;
};

inline TFMQTT_Set_Topic* FMQTT_Set_Topic = nullptr;
