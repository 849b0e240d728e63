// The EDE import without its dialog: where the data of a file begin, the
// fields of a line, the objects taken (fixtures of the layout we write
// ourselves and of the standard layout, in ANSI and UTF-16), and the rules
// appended to the client tables with their running positions.
#include "../can_mqtt/RuleTables.h"
#include "rules/field/UBACnetAccess.h"
#include "rules/field/UImportEDEFile.h"

#include <gtest/gtest.h>

namespace {

// The EDE file of seven server objects as our own writer produces it
// (marker on line 6, no settable field).
const char* const Own_Layout =
    "PROJECT_NAME; www.example.com--Plant;;;;;;\r\n"
    "VERSION_OF_REFERENCEFILE;1.0;;;;;;\r\n"
    "TIMESTAMP_OF_LAST_CHANGE;09:05:30 03/04/2024;;;;;;\r\n"
    "AUTHOR_OF_LAST_CHANGE;www.example.com;;;;;;\r\n"
    "VERSION_OF_LAYOUT;2;;;;;;\r\n"
    "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;\r\n"
    "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;\r\n"
    "1234_Flow_Temp_0;1234;Flow_Temp;0;0;Flow_Temp;62;\r\n"
    "1234_Return_Temp_1;1234;Return_Temp;0;1;Return_Temp;62;\r\n"
    "1234_Setpoint_0;1234;Setpoint;2;0;Setpoint;62;\r\n"
    "1234_Pump_On_0;1234;Pump_On;3;0;Pump_On;95;\r\n"
    "1234_Valve_0;1234;Valve;1;0;Valve;98;\r\n"
    "1234_Offset_1;1234;Offset;2;1;Offset;62;\r\n"
    "1234_Enable_0;1234;Enable;5;0;Enable;95;\r\n";

// The standard layout: a title line, the marker on line 7, the column
// names on line 8, settable in field 10. One description in Windows-1252.
const char* const Standard_Layout =
    "# Proposal_Engineering-Data-Exchange - B.I.G.-EU\n"
    "PROJECT_NAME;Boiler house\n"
    "VERSION_OF_REFERENCEFILE;3\n"
    "TIMESTAMP_OF_LAST_CHANGE;2024-04-03\n"
    "AUTHOR_OF_LAST_CHANGE;someone\n"
    "VERSION_OF_LAYOUT;2.2\n"
    "#mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;optional;optional;optional;optional;"
    "optional;optional;optional;optional;optional\n"
    "# keyname;device obj.-instance;object-name;object-type;object-instance;description;present-value-default;"
    "min-present-value;max-present-value;settable;supports COV;hi-limit;low-limit;state-text-reference;"
    "unit-code;vendor-specific-address\n"
    "dev;1001;Boiler;8;1001;The device;;;;;;;;;;\n"
    "k1;1001;Supply;0;1;Temp\xE9rature;;;;N;Y;;;;62;\n"
    "\t k2 ; 1001 ; Valve ; 1 ; 2 ; Valve position ;;0;100; y ;Y;;;;98;\n"
    "\n"
    "k3;1001;Pump;5;3;Pump command;;;;Y;N;;;;95;\n"
    "k4;1001;Mode;19;4;Operating mode;;;;;;;;;;\n"
    "k5;1001;Schedule;17;1;Week;;;;Y;;;;;;\n"
    "k6;1001;Alarm;3;5;Alarm input\n"
    "k7;1001;Count;23;6\n"
    "k8;1001;Odd;zero;7;Not a type;;;;;;;;;;\n"
    "k9;1001;Many;2;9;Fields;1;2;3;Y;N;4;5;6;7;8;9;10;\n";

// ANSI (here Latin-1 only) text as UTF-16LE with its byte-order mark.
std::string Utf16(const std::string& latin1)
{
    std::string out = "\xFF\xFE";
    for (char c : latin1) {
        out += c;
        out += '\0';
    }
    return out;
}

std::vector<TBACnet_Var> Read(const std::string& bytes)
{
    TempDir dir;
    const std::string file = dir.file("device.csv");
    WriteFile(file, bytes);
    std::vector<TBACnet_Var> list;
    std::string why;
    EXPECT_TRUE(Load_EDE_File(file, list, why)) << why;
    return list;
}

// "name|type|instance|description|commandable|write" per object.
std::vector<std::string> Summary(const std::vector<TBACnet_Var>& list)
{
    std::vector<std::string> s;
    for (const TBACnet_Var& v : list) {
        EXPECT_TRUE(v.import && v.read) << v.object_name;
        s.push_back(v.object_name + "|" + std::to_string(v.object_type) + "|" + std::to_string(v.object_instance) +
                    "|" + v.description + "|" + (v.commandable ? "Y" : "N") + "|" + (v.write ? "W" : "-"));
    }
    return s;
}

} // namespace

TEST(ImportEDE, FilesOfBothLayouts)
{
    EXPECT_EQ(Summary(Read(Own_Layout)),
              (std::vector<std::string>{"Flow_Temp|0|0|Flow_Temp|N|-", "Return_Temp|0|1|Return_Temp|N|-",
                                        "Setpoint|2|0|Setpoint|N|-", "Pump_On|3|0|Pump_On|N|-",
                                        "Valve|1|0|Valve|N|-", "Offset|2|1|Offset|N|-", "Enable|5|0|Enable|N|-"}));
    const std::vector<std::string> standard = {
        "Supply|0|1|Temp\xC3\xA9rature|N|-", "Valve|1|2|Valve position|Y|W", "Pump|5|3|Pump command|Y|W",
        "Mode|19|4|Operating mode|N|-",
        // Ending with its description and no ";": the description is empty.
        "Alarm|3|5||N|-",
        // Ending with its instance: the instance is -1.
        "Count|23|-1||N|-", "Many|2|9|Fields|Y|W"};
    EXPECT_EQ(Summary(Read(Standard_Layout)), standard);
    // UTF-16 with its byte-order mark reads as the ANSI file.
    EXPECT_EQ(Summary(Read(Utf16(Standard_Layout))), standard);
    // CR LF line ends read the same.
    std::string crlf;
    for (const char* p = Standard_Layout; *p; ++p) crlf += *p == '\n' ? std::string("\r\n") : std::string(1, *p);
    EXPECT_EQ(Summary(Read(crlf)), standard);

    const std::vector<TBACnet_Var> list = Read(Standard_Layout);
    EXPECT_EQ(list[0].keyname, "k1");
    EXPECT_EQ(list[0].device_obj_instance, 1001);
    EXPECT_EQ(list[0].unit_code, "62");
    EXPECT_TRUE(list[0].support_COV);
    EXPECT_EQ(list[1].max_present_value, "100");
    // Surplus fields land in field 16 (one final ";" removed).
    EXPECT_EQ(list[6].vendor_specific_address, "8;9;10");
    EXPECT_EQ(list[6].unit_code, "7");
}

TEST(ImportEDE, FilesWithoutObjects)
{
    struct Case {
        const char* name;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"three lines", "# mandatory;mandatory\n# keyname;x\nk;1;a;0;1;d;\n"},
        {"no marker", "a\nb\nc\nd\ne\nf\ng\nh\nk;1;a;0;1;d;\n"},
        // The word compares with its case.
        {"Mandatory", "a\nb\nc\nd\ne\nf\n# Mandatory;x\nh\nk;1;a;0;1;d;\n"},
        {"marker last", "a\nb\nc\nd\ne\nf\ng\n# mandatory\n"},
    };
    for (const Case& c : cases) EXPECT_TRUE(Read(c.text).empty()) << c.name;
    // A file that ends with the marker in its seventh line has its data begin at its end.
    EXPECT_EQ(EDE_Data_Begin({"a", "b", "c", "d", "e", "f", "# mandatory"}), 7u);
    EXPECT_TRUE(Read("1\n2\n3\n4\n5\n# mandatory\n# keyname\n9;1;dev;8;1;d;\n").empty());
    // The last marker line wins.
    EXPECT_EQ(Summary(Read("# mandatory\nx\nk;1;first;0;1;d;\n4\n5\n6\n7\n# mandatory\n# names\nk;1;second;0;2;d;\n")),
              std::vector<std::string>{"second|0|2|d|N|-"});
    std::vector<TBACnet_Var> list;
    std::string why;
    EXPECT_FALSE(Load_EDE_File("/nonexistent/device.csv", list, why));
    EXPECT_TRUE(list.empty());
}

TEST(ImportEDE, LineFields)
{
    const auto f = EDE_Line_Fields("  a ; b ;c");
    EXPECT_EQ(f[0], "a");
    EXPECT_EQ(f[1], "b");
    EXPECT_EQ(f[2], "");
    EXPECT_EQ(f[15], "c");
    const auto g = EDE_Line_Fields("1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;");
    EXPECT_EQ(g[14], "15");
    EXPECT_EQ(g[15], "16");
    const auto h = EDE_Line_Fields(";;;");
    for (const std::string& s : h) EXPECT_EQ(s, "");
    struct Type {
        int32_t number;
        const char* objectType;
        const char* dataType;
        int bytes;
    } types[] = {{0, "Analog Input", "Real", 4},        {3, "Binary Input", "Enumerated", 1},
                 {21, "Life Safety Point", "Enumerated", 2}, {46, "Large Analog Value", "Double", 8},
                 {48, "Positive Integer Value", "Unsigned Int", 4}, {8, "", "Null", 4}, {-1, "", "Null", 4}};
    for (const Type& t : types) {
        EXPECT_EQ(Get_ObjType_EDE(t.number), t.objectType);
        EXPECT_EQ(Get_DataType_EDE(t.number), t.dataType);
        EXPECT_EQ(Get_NumByte_EDE(t.number), t.bytes);
    }
}

namespace {

class EDEAppend : public ::testing::Test {
protected:
    EDEAppend() : t(BACnetAccess_Desc(client, [] { return std::string(); }, 1000), "BACnet_Master_Access.xml") {}
    static TBACnet_Var Object(const char* name, int32_t type, int32_t instance, bool write = false)
    {
        TBACnet_Var v;
        v.object_name = name;
        v.object_type = type;
        v.object_instance = instance;
        v.description = std::string("d ") + name;
        v.import = v.read = true;
        v.commandable = v.write = write;
        return v;
    }
    std::string Cell(int g, int col, int row) { return t.G(g).GetCellEx(col, row); }
    TBACnetClient client;
    RuleTables t;
};

} // namespace

TEST_F(EDEAppend, RulesFollowTheKeyedRows)
{
    using namespace BACnet_Read_Col;
    t.Fill(0, 1, {{Device, "1.2.3.4"}, {Position, "0"}, {NByte, "4"}});
    t.Fill(0, 2, {{Device, "1.2.3.4"}, {Position, "10"}, {NByte, "4"}});
    t.Fill(0, 3, {{Device, "1.2.3.4"}, {Position, "None"}, {NByte, "40"}});
    t.Fill(0, 4, {{Device, " "}, {Position, "900"}, {NByte, "4"}});  // no key: neither counted nor kept
    const std::vector<TBACnet_Var> objects = {Object("AI", 0, 1), Object("AV", 2, 2, true), Object("BI", 3, 3)};
    EXPECT_EQ(Append_EDE_Rules(t.G(0), t.G(1), client, objects, "192.168.0.9"), std::make_pair(0, 0));
    const char* positions[] = {"14", "18", "22"};
    const char* bytes[] = {"4", "4", "1"};
    const char* types[] = {"Analog Input", "Analog Value", "Binary Input"};
    for (int i = 0; i < 3; ++i) {
        const int r = 4 + i;
        EXPECT_EQ(Cell(0, Position, r), positions[i]);
        EXPECT_EQ(Cell(0, NByte, r), bytes[i]);
        EXPECT_EQ(Cell(0, Object_Type, r), types[i]);
        EXPECT_EQ(Cell(0, Mnemonic, r), objects[static_cast<size_t>(i)].object_name + " - d " +
                                            objects[static_cast<size_t>(i)].object_name);
    }
    // Table A in full for the first one.
    const std::vector<std::string> readRow = {"Y", "192.168.0.9", "Analog Input", "1", "Present Value (85)", "4",
                                              "N", "", "", "", "1000", "0", "14", "0", "N", "", "AI - d AI"};
    for (int c = 1; c <= Mnemonic; ++c) EXPECT_EQ(Cell(0, c, 4), readRow[static_cast<size_t>(c - 1)]) << c;
    EXPECT_EQ(Cell(0, Device, 7), "");
    // The write grid was empty: the settable object starts at row 1, Position 0 (table B).
    const std::vector<std::string> writeRow = {"Y", "192.168.0.9", "Analog Value", "Real", "2",
                                               "Present Value (85)", "0", "4", "N", "", "", "", "N", "N",
                                               "1000", "0", "0", "0", "N", "", "AV - d AV"};
    for (int c = 1; c <= BACnet_Write_Col::Mnemonic; ++c)
        EXPECT_EQ(Cell(1, c, 1), writeRow[static_cast<size_t>(c - 1)]) << c;
    EXPECT_EQ(Cell(1, BACnet_Write_Col::Device, 2), "");
    // The appended rules pass the window's checks (type 0) and are saved.
    EXPECT_EQ(t.Fault(), "Error in Read, row 1!! Object Type is not correct. Select one from the list");
    for (int r = 1; r <= 3; ++r) t.Fill(0, r, {{Object_Type, "Analog Input"}, {Instance, "1"},
                                               {Property, "Present Value (85)"}, {Poll_Time, "0"}, {Max_Err, "0"}});
    EXPECT_EQ(t.Fault(), "");
    EXPECT_EQ(t.frame->Saved_Rows(0), 6);
    EXPECT_EQ(t.frame->Saved_Rows(1), 1);
}

TEST_F(EDEAppend, ChoicesTypeTwoAndFullGrids)
{
    using namespace BACnet_Read_Col;
    // Not chosen for import, or not for reading: no read rule.
    std::vector<TBACnet_Var> objects = {Object("A", 0, 1), Object("B", 1, 2, true), Object("C", 2, 3)};
    objects[0].import = false;
    objects[1].read = false;
    EXPECT_EQ(Append_EDE_Rules(t.G(0), t.G(1), client, objects, "7"), std::make_pair(0, 0));
    EXPECT_EQ(Cell(0, Mnemonic, 1), "C - d C");
    EXPECT_EQ(Cell(0, Position, 1), "0");
    EXPECT_EQ(Cell(0, Device, 2), "");
    EXPECT_EQ(Cell(1, BACnet_Write_Col::Mnemonic, 1), "B - d B");

    // Client type 2: the start row is the first with an empty Object Type.
    client.App_BACnet_Type = 2;
    t.frame->Reset();
    t.Fill(0, 1, {{Object_Type, "Analog Input"}, {Position, "2"}, {NByte, "4"}});
    EXPECT_EQ(Append_EDE_Rules(t.G(0), t.G(1), client, {Object("D", 0, 9)}, "ignored"), std::make_pair(0, 0));
    EXPECT_EQ(Cell(0, Object_Type, 2), "Analog Input");
    EXPECT_EQ(Cell(0, Position, 2), "6");
    EXPECT_EQ(Cell(0, Device, 2), "ignored");

    // 510 rules present, five objects chosen: two fit.
    client.App_BACnet_Type = 0;
    t.frame->Reset();
    for (int r = 1; r <= 510; ++r) t.Fill(0, r, {{Device, "1.1.1.1"}, {Position, "0"}, {NByte, "1"}});
    std::vector<TBACnet_Var> five;
    for (int i = 0; i < 5; ++i) five.push_back(Object("E", 3, i));
    EXPECT_EQ(Append_EDE_Rules(t.G(0), t.G(1), client, five, "2.2.2.2"), std::make_pair(3, 0));
    EXPECT_EQ(Cell(0, Device, 511), "2.2.2.2");
    EXPECT_EQ(Cell(0, Instance, 512), "1");
    EXPECT_EQ(Cell(0, Position, 512), "2");
    EXPECT_EQ(t.G(0).RowCount(), 513);
}
