// The MQTT topic window's tables: columns, file, texts and checks.
#include "rules/can_mqtt/UMQTT_Set_Topic.h"

#include "core/UParsers.h"

#include <algorithm>

using namespace URuleFiles::Topic;

namespace {

constexpr TColor Tint_Topic = RGB(224, 250, 254);
constexpr TColor Tint_QoS = RGB(213, 213, 255);
constexpr TColor Tint_Green = RGB(168, 255, 168);
constexpr TColor Tint_Position = RGB(252, 214, 244);
constexpr TColor Tint_Template = RGB(255, 255, 168);
constexpr TColor Tint_Publish = RGB(255, 216, 176);

std::vector<std::string> Type_Items()
{
    std::vector<std::string> items;
    for (const TDataType& t : Data_Types) items.push_back(t.text);
    return items;
}

std::vector<std::string> QoS_Items()
{
    std::vector<std::string> items;
    for (int64_t q = Range::QoS.lo; q <= Range::QoS.hi; ++q) items.push_back(std::to_string(q));
    return items;
}

std::vector<std::string> Channel_Items()
{
    std::vector<std::string> items;
    for (int i = 0; i <= 63; ++i) items.push_back(std::to_string(i));
    items.push_back("All");
    for (int i = 1; i <= 256; ++i) {
        std::string n = std::to_string(i);
        items.push_back("TAB" + std::string(3 - n.size(), '0') + n);
    }
    return items;
}

// The checks shared by both grids on the type, dimension and position.
std::optional<TRuleFault> Check_Type_And_Position(TRuleRow& r, int firstText, int positionText)
{
    if (r.Shown(Topic_Col::Data_Type)) {
        const std::string type = r.Upper(Topic_Col::Data_Type);
        if (type.empty()) return r.Fault(firstText);
        // The reason names the rule of the type: INT, FLOAT, any other.
        if (!Dimension_Fits_Type(type, r.Number(Topic_Col::Dimension)))
            return r.Fault(firstText + (type == "INT" ? 1 : type == "FLOAT" ? 2 : 3));
    }
    if (r.Shown(Topic_Col::Position) && !Range::Position.Holds(r.Number(Topic_Col::Position)))
        return r.Fault(positionText, std::to_string(Range::Position.hi));
    return std::nullopt;
}

bool Valid_Address(const std::string& text)
{
    std::string a, b, c, d;
    return UComon::Split_IP_Address(Trim(text), a, b, c, d);
}

std::optional<TRuleFault> Check_Publish(TRuleRow& r)
{
    using namespace Topic_Col;
    if (auto f = Check_Type_And_Position(r, 752, 756)) return f;
    if (r.Shown(Pub_IP_Address) && !Valid_Address(r.Cell(Pub_IP_Address))) return r.Fault(774);
    if (r.Shown(Pub_Input_Template) && Error_In_Topic_Template(r.Trimmed(Pub_Input_Template))) return r.Fault(777);
    if (r.Shown(Pub_Template) && Error_In_Topic_Template(r.Trimmed(Pub_Template))) return r.Fault(778);
    if (r.Shown(Pub_OnTimer) && r.Upper(Pub_OnTimer) == "Y") {
        if (!Range::Time.Holds(r.Number(Pub_Time))) return r.Fault(789);
    }
    return std::nullopt;
}

std::optional<TRuleFault> Check_Subscribe(TRuleRow& r)
{
    using namespace Topic_Col;
    if (auto f = Check_Type_And_Position(r, 757, 761)) return f;
    if (r.Shown(Sub_IP_Address) && !Valid_Address(r.Cell(Sub_IP_Address))) return r.Fault(775);
    if (r.Shown(Sub_Port) && !In_Range(r.Number(Sub_Port), 0, 65535)) return r.Fault(776);
    if (r.Shown(Sub_Input_Template) && Error_In_Topic_Template(r.Trimmed(Sub_Input_Template))) return r.Fault(779);
    if (r.Shown(Sub_Template) && Error_In_Topic_Template(r.Trimmed(Sub_Template))) return r.Fault(780);
    return std::nullopt;
}

} // namespace

bool Error_In_Topic_Template(const std::string& text)
{
    return std::count(text.begin(), text.end(), '$') % 2 != 0;
}

TRuleWindowDesc MQTT_Set_Topic_Desc(std::function<bool()> allowCRLF, std::function<void(bool)> setAllowCRLF)
{
    TRuleWindowDesc d;
    d.root = File.root;
    d.version = File.version;
    d.clientWidth = 1100;
    d.clientHeight = 337;
    d.caption = 700;
    d.description = 701;
    for (int i = 0; i < 6; ++i) {
        d.buttonCaptions[i] = 702 + i;
        d.buttonHints[i] = 708 + i;
    }
    d.rowPrefix = 751;
    d.deleteQuestion = 723;
    d.keepOtherHints = true;

    TRuleGridDesc pub;
    pub.section = Publish;
    pub.rows = 1024;
    pub.numberHeader = 714;
    pub.numberColor = Tint_Publish;
    pub.pageCaption = 733;
    pub.columns = {
        Rule_Text(715, 719, Attr::Topic, 300, Tint_Topic),
        Rule_Check(716, 720, Attr::Retained, 60, Tint_QoS, false, ""),
        Rule_Combo(717, 721, Attr::QoS, QoS_Items(), 80, Tint_QoS),
        Rule_Combo(737, 740, Attr::DataType, Type_Items(), 80, Tint_Green),
        Rule_Text(738, 741, Attr::Dimension, 80, Tint_Green),
        Rule_Text(739, 742, Attr::Position, 80, Tint_Position),
        Rule_Text(762, 764, Attr::IPAddress, 100, Tint_Green, true),
        Rule_Check(5000, 5002, Attr::FormatHex, 40, Tint_Green, true, "N"),
        Rule_Text(763, 765, Attr::InputTemplate, 120, Tint_Green, true),
        Rule_Combo(735, 736, Attr::Template, {Default_Template}, 130, Tint_Template, false, edComboEdit),
        Rule_Check(781, 782, Attr::OnChange, 75, Tint_Publish, false, "N"),
        Rule_Check(783, 786, Attr::OnCMD, 55, Tint_Publish, false, "N"),
        Rule_Check(784, 787, Attr::OnTimer, 64, Tint_Publish, false, "N"),
        Rule_Text(785, 788, Attr::Time, 70, Tint_Publish),
        Rule_Combo(790, 791, "", Channel_Items(), 90, Tint_Green, true),
        Rule_Check(793, 795, "", 40, Tint_Green, true, "N"),
        Rule_Check(794, 796, "", 80, Tint_Green, true, "N"),
        Rule_Text(718, 722, Attr::Mnemonic, 170, clWhite),
    };

    TRuleGridDesc sub;
    sub.section = Subscribe;
    sub.rows = 1024;
    sub.numberHeader = 724;
    sub.numberColor = Tint_Publish;
    sub.pageCaption = 734;
    sub.columns = {
        Rule_Text(725, 729, Attr::Topic, 300, Tint_Topic),
        Rule_Check(726, 730, Attr::Retained, 60, Tint_QoS, true, ""),
        Rule_Combo(727, 731, Attr::QoS, QoS_Items(), 80, Tint_QoS),
        Rule_Combo(743, 747, Attr::DataType, Type_Items(), 80, Tint_Green),
        Rule_Text(744, 748, Attr::Dimension, 80, Tint_Green),
        Rule_Text(745, 749, Attr::Position, 80, Tint_Position),
        Rule_Text(766, 770, Attr::IPAddress, 100, Tint_Green, true),
        Rule_Text(767, 771, Attr::Port, 50, Tint_Green, true),
        Rule_Combo(768, 772, Attr::EthType, {"TCP", "UDP"}, 64, Tint_Green, true),
        Rule_Text(769, 773, Attr::InputTemplate, 130, Tint_Green, true),
        Rule_Check(5001, 5003, Attr::FormatHex, 40, Tint_Template, true, "N"),
        Rule_Combo(746, 750, Attr::Template, {Default_Template}, 130, Tint_Template, false, edComboEdit),
        Rule_Check(793, 797, "", 40, Tint_Green, true, "N"),
        Rule_Check(794, 798, "", 80, Tint_Green, true, "N"),
        Rule_Text(728, 732, Attr::Mnemonic, 220, clWhite),
    };
    d.grids = {pub, sub};

    d.check = [](TRuleRow& r) { return r.Grid() == 0 ? Check_Publish(r) : Check_Subscribe(r); };
    d.saveOptions = [allowCRLF](pugi::xml_node root) {
        pugi::xml_node options = root.append_child(Options);
        AddTextElement(options, Allow_CR_LF, allowCRLF() ? "Y" : "N");
    };
    // Read from the file, and unticked when the file or the option is
    // missing: the box never carries over from another configuration.
    d.loadOptions = [setAllowCRLF](pugi::xml_node root, bool) {
        const pugi::xml_node option = ChildElement(ChildElement(root, Options), Allow_CR_LF);
        setAllowCRLF(option && ElementText(option) == "Y");
    };
    return d;
}
