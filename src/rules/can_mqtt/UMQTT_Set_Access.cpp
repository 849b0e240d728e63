// The MQTT access rules window. Its texts keep the language of the
// program's start: a language change does not re-text it.
#include "rules/can_mqtt/UMQTT_Set_Access.h"

#include "core/UComon.h"
#include "rulefiles/URuleFiles.h"
#include "rules/can_mqtt/UTopicTemplate.h"

TFMQTT_Set_Access::TFMQTT_Set_Access()
    : TRuleWindow(MQTT_Set_Access_Desc(Topics, [] { return URuleFiles::Topic::File.Path(); }),
                  [] { return UComon::File_MQTT_Set_Access; }, std::nullopt)
{
    TS_MQTT_Publish = Sheet(0);
    TS_MQTT_Subscribe = Sheet(1);
    ECG_Pub = Grid(0);
    ECG_Sub = Grid(1);
    Set_Lang();
}

void TFMQTT_Set_Access::DblClickCell(int g, int row, int col)
{
    TRuleWindow::DblClickCell(g, row, col);
    if (row > 0 && col == Access_Col::Template) Show_Form_Topic(Grid(g), row, col);
}

void TFMQTT_Set_Access::Show_Form_Topic(TExColumnGrid* grid, int row, int col) { Edit_Template_Cell(*grid, col, row); }
