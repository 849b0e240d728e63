// The MQTT topic window.
#include "rules/can_mqtt/UMQTT_Set_Topic.h"

#include "rules/can_mqtt/UTopicTemplate.h"

using ULanguage::Text;

TFMQTT_Set_Topic::TFMQTT_Set_Topic()
    : TRuleWindow(MQTT_Set_Topic_Desc([this] { return CB_Allow_CR_LF->Checked(); },
                                      [this](bool v) { CB_Allow_CR_LF->SetChecked(v); }),
                  [] { return URuleFiles::Topic::File.Path(); }, ULanguage::TLangWindow::MQTT_Set_Topic)
{
    TS_MQTT_Publish = Sheet(0);
    TS_MQTT_Subscribe = Sheet(1);
    ECG_Pub = Grid(0);
    ECG_Sub = Grid(1);
    CB_Allow_CR_LF = new TCheckBox(P_Button);
    CB_Allow_CR_LF->SetBounds(736, 12, 313, 17);
    Set_Lang();
}

void TFMQTT_Set_Topic::Set_Lang()
{
    TRuleWindow::Set_Lang();
    CB_Allow_CR_LF->SetCaption(Text(799));
}

void TFMQTT_Set_Topic::DblClickCell(int g, int row, int col)
{
    TRuleWindow::DblClickCell(g, row, col);
    TExColumnGrid* grid = Grid(g);
    const int real = grid->GetRealCol();
    if ((g == 0 && real == Topic_Col::Pub_Template) || (g == 1 && real == Topic_Col::Sub_Template))
        Show_Form_Topic(grid, grid->Row(), real);
}

void TFMQTT_Set_Topic::Show_Form_Topic(TExColumnGrid* grid, int row, int col)
{
    if (row >= 1) Edit_Template_Cell(*grid, col, row);
}
