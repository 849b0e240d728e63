// The MQTT access rules window's tables: columns, file, texts and checks.
#include "rules/can_mqtt/UMQTT_Set_Access.h"

#include "core/UWholeNumber.h"
#include "platform/Dialogs.h"
#include "rulefiles/URuleRowReader.h"

namespace {

int Index_Of(const TStringList& list, const std::string& topic)
{
    for (int i = 0; i < list.Count(); ++i)
        if (list[i] == topic) return i;
    return -1;
}

std::string At(const TStringList& list, int index)
{
    return index >= 0 && index < list.Count() ? list[index] : std::string();
}

// The topics of a section of the topic file, in its order.
void Read_Section(pugi::xml_node root, const char* name, TStringList& list)
{
    for (pugi::xml_node row : URuleFiles::Rule_Rows(ChildElement(root, name)))
        list.Add(row.attribute(URuleFiles::Topic::Attr::Topic).value());
}

TRuleGridDesc Access_Grid(const char* section, int textBase, int hintBase, int lastHint, int pageCaption,
                          TAccessTopics& topics, bool publish)
{
    TRuleGridDesc g;
    g.section = section;
    g.rows = 1024;
    g.numberHeader = textBase;
    g.pageCaption = pageCaption;
    g.keyCol = Access_Col::Topic;
    g.enable = TEnableTest::UpperFirst;
    TRuleColumn enable = Rule_Check(textBase + 1, hintBase, "Enable", 50, RGB(255, 216, 176), false, "N");
    enable.reset = "Y";
    TRuleColumn topic = Rule_Combo(textBase + 2, hintBase + 1, "Index_Topic", {}, 120, RGB(224, 250, 254));
    topic.fromFile = [&topics, publish](const std::string& a) {
        const int i = UComon::Whole_Number(a);
        return publish ? topics.Topic_Pub_from_Index_to_String(i) : topics.Topic_Sub_from_Index_to_String(i);
    };
    topic.toFile = [&topics, publish](const std::string& cell) {
        return std::to_string(publish ? topics.Topic_Pub_from_String_to_Index(cell)
                                      : topics.Topic_Sub_from_String_to_Index(cell));
    };
    g.columns = {
        enable,
        topic,
        Rule_Combo(textBase + 3, hintBase + 2, "DataType", {"Int", "Float", "String"}, 80, RGB(168, 255, 168)),
        Rule_Text(textBase + 4, hintBase + 3, "Dimension", 80, RGB(168, 255, 168)),
        Rule_Text(textBase + 5, hintBase + 4, "Position", 80, RGB(252, 214, 244)),
        Rule_Combo(textBase + 6, hintBase + 5, "Template", {"$VALUE$"}, 80, RGB(255, 255, 168), false, edComboEdit),
        Rule_Text(textBase + 7, lastHint, "Mnemonic", 199, clWhite),
    };
    return g;
}

} // namespace

int TAccessTopics::Topic_Pub_from_String_to_Index(const std::string& t) const { return Index_Of(Topic_Pub, t); }
int TAccessTopics::Topic_Sub_from_String_to_Index(const std::string& t) const { return Index_Of(Topic_Sub, t); }
std::string TAccessTopics::Topic_Pub_from_Index_to_String(int i) const { return At(Topic_Pub, i); }
std::string TAccessTopics::Topic_Sub_from_Index_to_String(int i) const { return At(Topic_Sub, i); }

void TAccessTopics::Load(const std::string& topicFile)
{
    Topic_Pub.Clear();
    Topic_Sub.Clear();
    TXmlDocument doc;
    if (topicFile.empty() || doc.LoadFromFile(topicFile) != TXmlLoad::Read) return;
    Read_Section(doc.Root(), URuleFiles::Topic::Publish, Topic_Pub);
    Read_Section(doc.Root(), URuleFiles::Topic::Subscribe, Topic_Sub);
}

TRuleWindowDesc MQTT_Set_Access_Desc(TAccessTopics& topics, std::function<std::string()> topicFile)
{
    TRuleWindowDesc d;
    d.root = "MQTT_Set_Access";
    d.version = "1.111";
    d.clientWidth = 760;
    d.caption = 1400;
    d.description = 1401;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 1402 + i;
        d.buttonHints[i] = 1408 + i;
    }
    d.rowPrefix = 1446;
    d.deleteQuestion = 723;
    d.keepOtherHints = true;
    d.grids = {Access_Grid("MQTT_Publish", 1416, 1424, 1444, 1414, topics, true),
               Access_Grid("MQTT_Subscribe", 1430, 1438, 1445, 1415, topics, false)};

    // The topic lists and the Topic columns' items follow the topic file
    // on disk at every showing, before the rules are read.
    d.beforeLoad = [&topics, topicFile](TRuleFrame& frame) {
        topics.Load(topicFile ? topicFile() : std::string());
        for (int g = 0; g < 2; ++g) {
            TStringList& items = frame.Grid(g).Columns().Items(Access_Col::Topic)->ComboItems();
            items = g == 0 ? topics.Topic_Pub : topics.Topic_Sub;
        }
    };
    d.check = [](TRuleRow& r) -> std::optional<TRuleFault> {
        using namespace Access_Col;
        const int base = r.Grid() == 0 ? 1447 : 1452;
        const std::string type = r.Upper(Data_Type);
        if (type.empty()) return r.Fault(base);
        const int32_t dim = r.Number(Dimension);
        if (type == "INT") {
            if (dim != 1 && dim != 2 && dim != 4 && dim != 8) return r.Fault(base + 1);
        } else if (type == "FLOAT") {
            if (dim != 4 && dim != 8) return r.Fault(base + 2);
        } else if (dim < 1) {
            return r.Fault(base + 3);
        }
        if (!In_Range(r.Number(Position), 0, 1439)) return r.Fault(base + 4);
        return std::nullopt;
    };
    return d;
}

bool Access_Would_Drop_Rows(TRuleFrame& frame)
{
    for (int g = 0; g < frame.GridCount(); ++g) {
        TExColumnGrid& grid = frame.Grid(g);
        for (int r = frame.Saved_Rows(g) + 1; r < grid.RowCount(); ++r)
            for (int c = Access_Col::Topic; c <= Access_Col::Mnemonic; ++c)
                if (!Trim(grid.GetCellEx(c, r)).empty()) return true;
    }
    return false;
}

bool Access_Confirm_Save(TRuleFrame& frame)
{
    return !Access_Would_Drop_Rows(frame) ||
           MessageDlg(Msg_Access_Drop_Rows, TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) == mrYes;
}
