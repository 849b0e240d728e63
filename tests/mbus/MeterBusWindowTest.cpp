// The M-Bus network editor and its new-ID dialog as a person drives them:
// opened through the main window's M-Bus step (its button is hidden in this
// build), mouse presses and releases on the tree, buttons and tabs, keys
// into the fields, the tree's pop-up menu answered through its seam.
#include "app/UWindows.h"
#include "app/UZelvatoreFirmWare.h"
#include "core/UComon.h"
#include "core/ULanguage.h"
#include "mbus/UMBus_Network.h"
#include "mbus/UMeter_Bus.h"
#include "mbus/UNewIDNode.h"
#include "platform/ControlInput.h"
#include "platform/KeyCodes.h"
#include "platform/Menus.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "platform/SysMetrics.h"
#include "platform/TreeView.h"
#include "platform/XmlDoc.h"
#include "support/TestSupport.h"
#include "widgets/ExPageControl.h"
#include "widgets/LbButton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using ULanguage::Text;

namespace {

TPoint Mid(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

void ClickButton(TControl& b)
{
    SendMouseDown(b, b.Width() / 2, b.Height() / 2);
    SendMouseUp(b, b.Width() / 2, b.Height() / 2);
}

void ClickItem(TTreeView& tv, TTreeNode* item, TMouseButton button = mbLeft)
{
    item->MakeVisible();
    const TPoint p = Mid(tv.DisplayRect(item));
    SendMouseDown(tv, p.X, p.Y, button);
    SendMouseUp(tv, p.X, p.Y, button);
}

void ClickTab(TExPageControl& pc, TExTabSheet* page)
{
    const TPoint p = Mid(pc.PageTabRect(page->PageIndex()));
    SendMouseDown(pc, p.X, p.Y);
    SendMouseUp(pc, p.X, p.Y);
}

// Focuses the edit, selects what it holds and types text over it.
void TypeInto(TForm& form, TEdit& e, const std::string& text)
{
    ActivateWindowOf(form);
    e.SetFocus();
    e.SelectAll();
    TypeKeys(form, text);
}

std::vector<std::string> Captions(TTreeNode* item)
{
    std::vector<std::string> c;
    for (int i = 0; i < item->Count(); ++i) c.push_back(item->Item(i)->Text());
    return c;
}

TVariabile Var(const std::string& desc)
{
    TVariabile v;
    v.Enable = true;
    v.Description = desc;
    v.Position = 1;
    return v;
}

TNodo Wired(int id, int type, const std::string& desc, std::vector<TVariabile> vars = {})
{
    TNodo n;
    n.Enable = true;
    n.Description = desc;
    n.MBus_Type = 1;
    n.Node_ID_Type = static_cast<std::uint8_t>(type);
    n.Node_ID_Primary = type == 0 ? id : 1;
    n.Node_ID_Secondary = type == 1 ? id : 1;
    n.Var_List = std::move(vars);
    return n;
}

TNodo Radio(const std::string& address, const std::string& desc, std::vector<TVariabile> vars = {})
{
    TNodo n;
    n.Enable = true;
    n.Description = desc;
    n.MBus_Type = 0;
    n.wMBus_ManID = "0x2C2D";
    n.wMBus_Add = address;
    n.wMBus_Ver = "1";
    n.wMBus_DevType = "7";
    n.wMBus_En_Key = 1;
    for (size_t k = 0; k < 16; ++k) n.wMBus_Key[k] = std::to_string(k + 1);
    n.Var_List = std::move(vars);
    return n;
}

// The program with a configuration open; each modal window shown is
// answered by the next of the test's actions.
class MeterBusWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        using namespace UComon;
        Create_Windows(dir.path());
        main = FZelvatoreFirmWare;
        Project_Name = "Plant";
        Project_Folder = PathJoin(Projects_Root, "Plant");
        ForceDirectories(Project_Folder);
        Set_Files();
        old = SetModalHandler([this](TForm& f) {
            shown.push_back(&f);
            if (!acts.empty()) {
                auto act = acts.front();
                acts.erase(acts.begin());
                act(f);
            }
        });
        oldMenu = SetPopupMenuHandler([this](const std::vector<std::string>& entries, TPoint) {
            menus.push_back(entries);
            if (menuChoice.empty()) return 0;
            const auto it = std::find(entries.begin(), entries.end(), menuChoice);
            menuChoice.clear();
            return it == entries.end() ? 0 : static_cast<int>(it - entries.begin()) + 1;
        });
    }
    void TearDown() override
    {
        SetPopupMenuHandler(oldMenu);
        SetModalHandler(old);
        SetFileDialogHandler(nullptr);
        Destroy_Windows();
    }

    void Write_Network(const TNodoList& nodes)
    {
        std::string error;
        ASSERT_TRUE(Write_MBus_Network(UComon::File_M_Bus, nodes, error)) << error;
    }
    TNodoList Read_Network()
    {
        TNodoList nodes;
        EXPECT_EQ(Read_MBus_Network(UComon::File_M_Bus, nodes).Result, TNetworkRead::Read);
        return nodes;
    }
    // Opens the editor through the main window's step; inside runs while it
    // is shown.
    void Edit(const std::function<void(TFMeter_Bus&)>& inside)
    {
        acts.insert(acts.begin(), [&](TForm& f) {
            ASSERT_EQ(&f, FMeter_Bus);
            ActivateWindowOf(f);
            inside(*FMeter_Bus);
        });
        main->Btn_MBus->Show();
        ClickButton(*main->Btn_MBus);
    }
    // Chooses an entry of the tree's pop-up menu after a right press and
    // release on item.
    void Menu(TFMeter_Bus& w, TTreeNode* item, const std::string& entry)
    {
        menuChoice = entry;
        ClickItem(*w.TV_Network, item, mbRight);
    }
    std::vector<std::string> Errors() const
    {
        std::vector<std::string> e;
        for (const auto& s : boxes.shown) e.push_back(s.text);
        return e;
    }
    TTreeNode* NodeItem(TFMeter_Bus& w, int i) { return w.NODE_ORIG->Item(i); }

    TempDir dir;
    RecordingMessageBoxes boxes;
    TFZelvatoreFirmWare* main = nullptr;
    std::vector<TForm*> shown;
    std::vector<std::function<void(TForm&)>> acts;
    TModalHandler old;
    TPopupMenuHandler oldMenu;
    std::vector<std::vector<std::string>> menus;
    std::string menuChoice;
};

} // namespace

TEST_F(MeterBusWindow, NodeAndVariableAddedWithMouseAndKeysAndWritten)
{
    Edit([&](TFMeter_Bus& w) {
        EXPECT_EQ(w.Caption(), "M-Bus Network");
        EXPECT_EQ(w.NODE_ORIG->Text(), "M-Bus Network");
        EXPECT_EQ(w.Btn_Node->Caption(), "ADD NODE");
        ClickButton(*w.RB_Primary);
        EXPECT_TRUE(w.RB_Primary->Checked());
        TypeInto(w, *w.E_Primary, "5");
        TypeInto(w, *w.E_Desc_Node, "Heat meter");
        // "M-Bus on wires" with the keyboard.
        w.CB_MBus_Type->SetFocus();
        PressKey(w, VK_UP);
        PressKey(w, VK_DOWN);
        EXPECT_EQ(w.CB_MBus_Type->Text(), "M-Bus on wires");
        ClickButton(*w.Btn_Node);
        ASSERT_EQ(w.Nodi_List.size(), 1u);
        ASSERT_EQ(w.NODE_ORIG->Count(), 1);
        EXPECT_EQ(NodeItem(w, 0)->Text(), "ID 5 - Heat meter");

        ClickItem(*w.TV_Network, NodeItem(w, 0));
        EXPECT_EQ(w.IND_NODO, 0);
        EXPECT_EQ(w.Btn_Node->Caption(), "MODIFY NODE");
        EXPECT_EQ(w.PC_Meter->ActivePage(), w.TS_Nodes);
        ClickTab(*w.PC_Meter, w.TS_Variables);
        EXPECT_EQ(w.PC_Meter->ActivePage(), w.TS_Variables);
        TypeInto(w, *w.E_Desc_Var, "Volume");
        w.CB_Type->SetFocus();
        PressKey(w, VK_DOWN);
        PressKey(w, VK_DOWN);
        EXPECT_EQ(w.CB_Type->Text(), "Volume (m³)");
        ClickButton(*w.Btn_Var);
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_EQ(Captions(NodeItem(w, 0)), std::vector<std::string>{"VAR - Volume"});
        EXPECT_TRUE(w.Is_Change);
        ClickButton(*w.Btn_OK);
    });
    EXPECT_EQ(FMeter_Bus->ModalResult(), mrOk);
    const TNodoList nodes = Read_Network();
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0].Node_ID_Primary, 5);
    EXPECT_EQ(nodes[0].Node_ID_Type, 0);
    EXPECT_EQ(nodes[0].MBus_Type, 1);
    ASSERT_EQ(nodes[0].Var_List.size(), 1u);
    EXPECT_EQ(nodes[0].Var_List[0].Type_Of_Data, 2);
    EXPECT_EQ(nodes[0].Var_List[0].Description, "Volume");
    // The editor's attribute order.
    TXmlDocument doc;
    ASSERT_EQ(doc.LoadFromFile(UComon::File_M_Bus), TXmlLoad::Read);
    std::vector<std::string> names;
    for (pugi::xml_attribute a : doc.Root().child("Nodo").child("Variabile").attributes()) names.push_back(a.name());
    EXPECT_EQ(names, Variable_Attribute_Order());

    Edit([&](TFMeter_Bus& w) {
        ASSERT_EQ(w.NODE_ORIG->Count(), 1);
        EXPECT_EQ(NodeItem(w, 0)->Text(), "ID 5 - Heat meter");
        EXPECT_EQ(Captions(NodeItem(w, 0)), std::vector<std::string>{"VAR - Volume"});
        EXPECT_FALSE(w.Is_Change);
    });
}

TEST_F(MeterBusWindow, NodeChecks)
{
    struct Case {
        const char* what;
        std::function<void(TFMeter_Bus&)> fill;
        std::string error;  // "" accepted
    };
    const auto wired = [](bool primary, const char* text) {
        return [=](TFMeter_Bus& w) {
            w.CB_MBus_Type->SetItemIndex(1);
            (primary ? w.RB_Primary : w.RB_Secondary)->SetChecked(true);
            (primary ? w.E_Primary : w.E_Secondary)->SetText(text);
        };
    };
    const auto radio = [](const char* field, const char* text, bool key = false) {
        return [=](TFMeter_Bus& w) {
            w.CB_MBus_Type->SetItemIndex(0);
            w.E_ManID->SetText("0x2C2D");
            w.E_Address->SetText("1");
            w.E_Version->SetText("1");
            w.E_DevType->SetText("7");
            for (TEdit* e : w.E_Key) e->SetText(key ? "1" : "zz");
            w.CB_Key_Enable->SetChecked(key);
            const std::string f = field;
            if (f == "man") w.E_ManID->SetText(text);
            if (f == "address") w.E_Address->SetText(text);
            if (f == "version") w.E_Version->SetText(text);
            if (f == "device") w.E_DevType->SetText(text);
            if (f == "key7") w.E_Key[6]->SetText(text);
        };
    };
    const Case cases[] = {
        {"primary 256", wired(true, "256"), "Error!! Primary ID Node M-Bus must be between 0 and 255 "},
        {"secondary 100000000", wired(false, "100000000"), Text(882)},
        {"manufacturer 0x10000", radio("man", "0x10000"), Text(896)},
        {"address 0x1FFFFFFFF", radio("address", "0x1FFFFFFFF"),
         "Error!! Address must be between 0x00000000 and 0xFFFFFF"},
        {"address 0xFFFFFFFF", radio("address", "0xFFFFFFFF"), ""},
        {"version 256", radio("version", "256"), Text(898)},
        {"device type x", radio("device", "x"), Text(899)},
        {"key byte 7 300", radio("key7", "300", true), "Error!! Key (Byte 7) must be between 0x00 and 0xFF"},
        {"keys zz unticked", radio("", ""), ""},
    };
    Edit([&](TFMeter_Bus& w) {
        for (const Case& c : cases) {
            boxes.shown.clear();
            const size_t before = w.Nodi_List.size();
            c.fill(w);
            ClickButton(*w.Btn_Node);
            if (c.error.empty()) {
                EXPECT_TRUE(boxes.shown.empty()) << c.what;
                EXPECT_EQ(w.Nodi_List.size(), before + 1) << c.what;
            } else {
                EXPECT_EQ(Errors(), std::vector<std::string>{c.error}) << c.what;
                EXPECT_EQ(w.Nodi_List.size(), before) << c.what;
            }
            EXPECT_EQ(w.NODE_ORIG->Count(), static_cast<int>(w.Nodi_List.size())) << c.what;
        }
    });
}

TEST_F(MeterBusWindow, IdClashes)
{
    Write_Network({Wired(1, 0, "a"), Wired(5, 1, "b"), Wired(9, 0, "c", {Var("v")}), Radio("0x10", "r")});
    Edit([&](TFMeter_Bus& w) {
        ClickItem(*w.TV_Network, NodeItem(w, 2)->Item(0));
        ASSERT_EQ(w.IND_NODO, 2);
        ASSERT_EQ(w.IND_VAR, 0);
        EXPECT_EQ(w.Btn_Node->Caption(), "ADD NODE");
        w.RB_Primary->SetChecked(true);
        w.E_Primary->SetText("9");
        ClickButton(*w.Btn_Node);
        EXPECT_EQ(Errors(), std::vector<std::string>{Text(884)});
        boxes.shown.clear();
        w.E_Primary->SetText("5");  // the secondary 5 of node 2
        ClickButton(*w.Btn_Node);
        EXPECT_EQ(Errors(), std::vector<std::string>{Text(885)});
        EXPECT_EQ(w.Nodi_List.size(), 4u);
        boxes.shown.clear();
        // A wireless node's IDs (1 and 1) never clash; the primary 1 of node 1 does.
        w.E_Primary->SetText("2");
        ClickButton(*w.Btn_Node);
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_EQ(w.Nodi_List.size(), 5u);

        ClickItem(*w.TV_Network, NodeItem(w, 2));
        EXPECT_EQ(w.Btn_Node->Caption(), "MODIFY NODE");
        EXPECT_EQ(w.E_Primary->Text(), "9");
        w.E_Desc_Node->SetText("c2");
        ClickButton(*w.Btn_Node);
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_EQ(NodeItem(w, 2)->Text(), "ID 9 - c2");
        EXPECT_EQ(w.Nodi_List[2].Var_List.size(), 1u);
    });
}

TEST_F(MeterBusWindow, VariableChecks)
{
    Write_Network({Wired(1, 0, "a")});
    struct Case {
        const char* what;
        std::function<void(TFMeter_Bus&)> fill;
        std::string error;
    };
    const Case cases[] = {
        {"storage 4294967296", [](TFMeter_Bus& w) { w.E_StoNumber->SetText("4294967296"); }, Text(872)},
        {"storage 4294967295", [](TFMeter_Bus& w) { w.E_StoNumber->SetText("4294967295"); }, ""},
        {"storage 0xFFFFFFFF", [](TFMeter_Bus& w) { w.E_StoNumber->SetText("0xFFFFFFFF"); }, ""},
        {"tariff 0x100000", [](TFMeter_Bus& w) { w.E_Tariff->SetText("0x100000"); }, Text(873)},
        {"variable length 192",
         [](TFMeter_Bus& w) {
             w.CB_Dim->SetItemIndex(7);
             w.E_Length->SetText("192");
         },
         Text(874)},
        {"length 192 at 16 bits",
         [](TFMeter_Bus& w) {
             w.CB_Dim->SetItemIndex(2);
             w.E_Length->SetText("192");
         },
         ""},
        {"position 0", [](TFMeter_Bus& w) { w.E_Position->SetText("0"); }, Text(875)},
        {"position 101", [](TFMeter_Bus& w) { w.E_Position->SetText("101"); }, Text(875)},
        {"time point with * 10",
         [](TFMeter_Bus& w) {
             w.CB_Type->SetItemIndex(20);
             w.CB_Post_Ope->SetItemIndex(7);
         },
         "Error!! Post Operation must be \"None\" for this \"Type of Data\""},
        {"VIFE password with * 10",
         [](TFMeter_Bus& w) {
             w.CB_Type->SetItemIndex(19);
             w.CB_VIFE->SetItemIndex(17);
             w.CB_Post_Ope->SetItemIndex(7);
         },
         "Error!! Post Operation must be \"None\" for this type of \"VIFE\""},
        {"VIFE volts with * 10",
         [](TFMeter_Bus& w) {
             w.CB_Type->SetItemIndex(19);
             w.CB_VIFE->SetItemIndex(38);
             w.CB_Post_Ope->SetItemIndex(7);
         },
         ""},
    };
    ASSERT_EQ(Post_Operation_List().at(7), " * 10");
    Edit([&](TFMeter_Bus& w) {
        // With nothing selected the button does nothing and shows nothing.
        ClickButton(*w.Btn_Var);
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_TRUE(w.Nodi_List[0].Var_List.empty());
        for (const Case& c : cases) {
            // Fresh fields for a new variable.
            w.TV_Network->SetSelected(nullptr);
            ClickItem(*w.TV_Network, NodeItem(w, 0));
            boxes.shown.clear();
            const size_t before = w.Nodi_List[0].Var_List.size();
            c.fill(w);
            ClickButton(*w.Btn_Var);
            if (c.error.empty()) {
                EXPECT_TRUE(boxes.shown.empty()) << c.what;
                ASSERT_EQ(w.Nodi_List[0].Var_List.size(), before + 1) << c.what;
            } else {
                EXPECT_EQ(Errors(), std::vector<std::string>{c.error}) << c.what;
                EXPECT_EQ(w.Nodi_List[0].Var_List.size(), before) << c.what;
            }
        }
        ASSERT_GE(w.Nodi_List[0].Var_List.size(), 2u);
        EXPECT_EQ(w.Nodi_List[0].Var_List[0].Storage_Number, 4294967295u);
        EXPECT_EQ(w.Nodi_List[0].Var_List[1].Storage_Number, 4294967295u);
    });
}

TEST_F(MeterBusWindow, Layouts)
{
    TVariabile v = Var("v");
    Write_Network({Wired(1, 0, "a", {Var("w")}), Radio("0x10", "r", {v})});
    Edit([&](TFMeter_Bus& w) {
        w.CB_Type->UserSelect(21);
        EXPECT_TRUE(w.E_VIF_ASCII->Enabled());
        w.CB_Type->UserSelect(20);
        EXPECT_FALSE(w.E_VIF_ASCII->Enabled());
        w.CB_Dim->UserSelect(7);
        EXPECT_TRUE(w.E_Length->Enabled());
        w.CB_Dim->UserSelect(6);
        EXPECT_FALSE(w.E_Length->Enabled());

        w.CB_MBus_Type->UserSelect(0);
        EXPECT_TRUE(w.P_Wireless->Visible());
        for (TControl* c : std::initializer_list<TControl*>{w.RB_Primary, w.RB_Secondary, w.CB_SND_NKE,
                                                            w.CB_Reset_App, w.CB_Var_List, w.CB_Cut_After})
            EXPECT_FALSE(c->Visible()) << c->ClassName();
        w.CB_MBus_Type->UserSelect(1);
        EXPECT_FALSE(w.P_Wireless->Visible());
        EXPECT_TRUE(w.RB_Primary->Visible());

        // A variable of the wireless node: the node's key bytes, each in its edit.
        ClickItem(*w.TV_Network, NodeItem(w, 1)->Item(0));
        EXPECT_EQ(w.PC_Meter->ActivePage(), w.TS_Variables);
        EXPECT_EQ(w.Btn_Var->Caption(), "MODIFY VARIABLE");
        for (size_t k = 0; k < 16; ++k) EXPECT_EQ(w.E_Key[k]->Text(), std::to_string(k + 1));
        EXPECT_TRUE(w.P_Wireless->Visible());

        // "By Position".
        ClickItem(*w.TV_Network, NodeItem(w, 1));
        w.CB_wVar_List->UserSelect(1);
        ClickButton(*w.Btn_Node);
        ClickItem(*w.TV_Network, NodeItem(w, 1)->Item(0));
        for (TControl* c : std::initializer_list<TControl*>{w.CB_Type, w.E_VIF_ASCII, w.CB_Fun_Field, w.CB_Unit,
                                                            w.E_StoNumber, w.E_Tariff, w.CB_VIFE})
            EXPECT_FALSE(c->Visible());
        EXPECT_TRUE(w.E_Position->Visible());
        EXPECT_TRUE(w.CB_Dim->Visible());
        ClickItem(*w.TV_Network, NodeItem(w, 0)->Item(0));
        EXPECT_TRUE(w.CB_Type->Visible());
        EXPECT_FALSE(w.E_Position->Visible());
    });
}

TEST_F(MeterBusWindow, DeleteAndCancel)
{
    Edit([&](TFMeter_Bus& w) {
        boxes.Answer(mrYes);
        w.Menu_Command(TFMeter_Bus::cmDelete);
        EXPECT_EQ(Errors(), std::vector<std::string>{Text(886)});
        EXPECT_FALSE(w.Is_Change);
    });
    Write_Network({Wired(1, 0, "a", {Var("x"), Var("y")}), Wired(2, 0, "b")});
    const std::string before = ReadFile(UComon::File_M_Bus);
    Edit([&](TFMeter_Bus& w) {
        boxes.shown.clear();
        boxes.Answer(mrYes);
        Menu(w, NodeItem(w, 0), Text(844));
        EXPECT_EQ(Errors(), std::vector<std::string>{Text(887)});
        ASSERT_EQ(w.Nodi_List.size(), 1u);
        EXPECT_EQ(w.Nodi_List[0].Description, "b");
        EXPECT_EQ(w.NODE_ORIG->Count(), 1);
        EXPECT_EQ(NodeItem(w, 0)->Text(), "ID 2 - b");
        EXPECT_TRUE(w.Is_Change);
        // Cancel asks; No keeps the window.
        boxes.shown.clear();
        boxes.Answer(mrNo);
        ClickButton(*w.Btn_Cancel);
        EXPECT_EQ(Errors(), std::vector<std::string>{Text(895)});
        EXPECT_EQ(w.ModalResult(), mrNone);
        // The close box asks too.
        boxes.shown.clear();
        boxes.Answer(mrNo);
        SendCloseBox(w);
        EXPECT_EQ(Errors(), std::vector<std::string>{Text(895)});
        EXPECT_EQ(w.ModalResult(), mrNone);
        boxes.Answer(mrYes);
        ClickButton(*w.Btn_Cancel);
    });
    EXPECT_EQ(FMeter_Bus->ModalResult(), mrCancel);
    EXPECT_EQ(ReadFile(UComon::File_M_Bus), before);
}

TEST_F(MeterBusWindow, CopyAndPaste)
{
    Write_Network({Wired(5, 0, "five", {Var("x"), Var("y")}), Wired(7, 0, "seven", {Var("z")}),
                   Radio("0x20", "radio", {Var("r")})});
    Edit([&](TFMeter_Bus& w) {
        const auto error = [&](const std::function<void()>& act) {
            boxes.shown.clear();
            act();
            return Errors();
        };
        EXPECT_EQ(error([&] { Menu(w, w.NODE_ORIG, Text(842)); }), std::vector<std::string>{"Error! Select a Node"});
        EXPECT_EQ(error([&] { w.Menu_Command(TFMeter_Bus::cmCopyNode); }),
                  std::vector<std::string>{Text(891)});
        // The paste entries are offered disabled before any copy.
        ASSERT_FALSE(menus.empty());
        EXPECT_EQ(menus.back().size(), 7u);
        EXPECT_FALSE(LastPopupMenu().at(1).Enabled);
        EXPECT_FALSE(LastPopupMenu().at(4).Enabled);
        EXPECT_EQ(error([&] { w.Menu_Command(TFMeter_Bus::cmPasteVar); }), std::vector<std::string>{Text(893)});
        EXPECT_EQ(error([&] { Menu(w, NodeItem(w, 0), Text(840)); }), std::vector<std::string>{Text(889)});
        w.TV_Network->SetSelected(nullptr);
        EXPECT_EQ(error([&] { w.Menu_Command(TFMeter_Bus::cmCopyVar); }), std::vector<std::string>{Text(890)});

        // A variable of node 1 copied, pasted with node 2's variable selected.
        EXPECT_TRUE(error([&] { Menu(w, NodeItem(w, 0)->Item(1), Text(840)); }).empty());
        EXPECT_TRUE(LastPopupMenu().at(1).Enabled == false);  // offered before the copy
        w.TV_Network->SetSelected(nullptr);
        EXPECT_EQ(error([&] { w.Menu_Command(TFMeter_Bus::cmPasteVar); }), std::vector<std::string>{Text(894)});
        EXPECT_TRUE(error([&] { Menu(w, NodeItem(w, 1)->Item(0), Text(841)); }).empty());
        EXPECT_TRUE(LastPopupMenu().at(1).Enabled);
        EXPECT_EQ(Captions(NodeItem(w, 1)), (std::vector<std::string>{"VAR - z", "VAR - y"}));
        EXPECT_EQ(w.Nodi_List[1].Var_List.back().Description, "y");

        // Node 1 (primary 5) copied; a variable added to it afterwards is not pasted.
        EXPECT_TRUE(error([&] { Menu(w, NodeItem(w, 0), Text(842)); }).empty());
        ClickItem(*w.TV_Network, NodeItem(w, 0));
        w.E_Desc_Var->SetText("later");
        ClickButton(*w.Btn_Var);
        ASSERT_EQ(w.Nodi_List[0].Var_List.size(), 3u);
        // The dialog left at 5: refused with 883, the dialog stays open.
        acts.push_back([&](TForm& f) {
            ASSERT_EQ(&f, FNewIDNode);
            EXPECT_EQ(FNewIDNode->E_Primary->Text(), "5");
            EXPECT_TRUE(FNewIDNode->RB_Primary->Checked());
            EXPECT_TRUE(FNewIDNode->E_Primary->Visible());
            EXPECT_FALSE(FNewIDNode->E_Address->Visible());
            ClickButton(*FNewIDNode->Btn_OK);
            EXPECT_EQ(Errors(), std::vector<std::string>{"Error!! ID Node is already used "});
            EXPECT_EQ(f.ModalResult(), mrNone);
            // 300 is refused by the range; 6 with "abc" in the other edit is taken.
            boxes.shown.clear();
            FNewIDNode->E_Primary->SetText("300");
            ClickButton(*FNewIDNode->Btn_OK);
            EXPECT_EQ(Errors(), std::vector<std::string>{Text(1207)});
            boxes.shown.clear();
            FNewIDNode->E_Primary->SetText("6");
            FNewIDNode->E_Secondary->SetText("abc");
            ClickButton(*FNewIDNode->Btn_OK);
            EXPECT_TRUE(boxes.shown.empty());
        });
        boxes.shown.clear();
        Menu(w, NodeItem(w, 2), Text(843));
        ASSERT_EQ(w.Nodi_List.size(), 4u);
        EXPECT_EQ(w.NODE_ORIG->Count(), 4);
        const TNodo& pasted = w.Nodi_List[3];
        EXPECT_EQ(pasted.Node_ID_Primary, 6);
        EXPECT_EQ(pasted.Node_ID_Secondary, 1);  // the copy's, for "abc"
        EXPECT_EQ(NodeItem(w, 3)->Text(), "ID 6 - five");
        EXPECT_EQ(Captions(NodeItem(w, 3)), (std::vector<std::string>{"VAR - x", "VAR - y"}));
        EXPECT_EQ(pasted.Var_List.size(), 2u);

        // A wireless node: the address asked.
        EXPECT_TRUE(error([&] { Menu(w, NodeItem(w, 2), Text(842)); }).empty());
        acts.push_back([&](TForm&) {
            EXPECT_TRUE(FNewIDNode->E_Address->Visible());
            EXPECT_FALSE(FNewIDNode->RB_Primary->Visible());
            FNewIDNode->E_Address->SetText("0x1FFFFFFFF");
            ClickButton(*FNewIDNode->Btn_OK);
            EXPECT_EQ(Errors(), std::vector<std::string>{Text(1210)});
            EXPECT_EQ(FNewIDNode->ModalResult(), mrNone);
            FNewIDNode->E_Address->SetText("0x10");
            ClickButton(*FNewIDNode->Btn_OK);
        });
        boxes.shown.clear();
        Menu(w, NodeItem(w, 0), Text(843));
        ASSERT_EQ(w.Nodi_List.size(), 5u);
        EXPECT_EQ(NodeItem(w, 4)->Text(), "wM-Bus Node - Address 0x10 - radio");
        EXPECT_EQ(w.Nodi_List[4].wMBus_Add, "0x10");
        EXPECT_EQ(w.Nodi_List[4].wMBus_Key, w.Nodi_List[2].wMBus_Key);
        EXPECT_TRUE(w.Is_Change);
    });
    // The copies survive closing and reopening.
    Edit([&](TFMeter_Bus& w) {
        ASSERT_NE(w.Copy_Node, nullptr);
        ASSERT_NE(w.Copy_Var, nullptr);
        Menu(w, w.NODE_ORIG, "");
        EXPECT_TRUE(LastPopupMenu().at(1).Enabled);
        EXPECT_TRUE(LastPopupMenu().at(4).Enabled);
    });
}

TEST_F(MeterBusWindow, SecondaryFiveDoesNotBlockAPastedPrimaryFive)
{
    Write_Network({Wired(5, 1, "sec five"), Wired(5, 0, "prim five")});
    Edit([&](TFMeter_Bus& w) {
        Menu(w, NodeItem(w, 1), Text(842));
        ClickItem(*w.TV_Network, NodeItem(w, 1));
        boxes.Answer(mrYes);
        Menu(w, NodeItem(w, 1), Text(844));  // only the secondary 5 is left
        ASSERT_EQ(w.Nodi_List.size(), 1u);
        boxes.shown.clear();
        acts.push_back([&](TForm&) { ClickButton(*FNewIDNode->Btn_OK); });
        w.Menu_Command(TFMeter_Bus::cmPasteNode);
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_EQ(w.Nodi_List.size(), 2u);
    });
}

TEST_F(MeterBusWindow, TopicsFromTheTopicFile)
{
    WriteFile(UComon::File_MQTT_Set_Topic,
              "<MQTT><MQTT_Publish><r Topic=\"a/b\" Mnemonic=\"MnA\"/><r Topic=\"c\" Mnemonic=\"MnC\"/>"
              "<r Topic=\"d\" Mnemonic=\"MnD\"/></MQTT_Publish><MQTT_Subscribe/></MQTT>");
    TVariabile v = Var("t");
    v.Topic = 7;
    Write_Network({Wired(1, 0, "a", {v})});
    Edit([&](TFMeter_Bus& w) {
        EXPECT_EQ(w.MQTT_Topics, (std::vector<std::string>{"1; a/b; MnA;", "2; c; MnC;", "3; d; MnD;"}));
        EXPECT_EQ(w.CB_Topic->Items().Count(), 3);
        ClickItem(*w.TV_Network, NodeItem(w, 0)->Item(0));
        EXPECT_EQ(w.CB_Topic->ItemIndex(), -1);
        w.E_Desc_Var->SetText("t2");
        ClickButton(*w.Btn_Var);
        ClickButton(*w.Btn_OK);
    });
    EXPECT_EQ(Read_Network().at(0).Var_List.at(0).Topic, 7);
    EXPECT_EQ(Read_Network().at(0).Var_List.at(0).Description, "t2");
    WriteFile(UComon::File_MQTT_Set_Topic, "<MQTT><MQTT_Subscribe/></MQTT>");
    Edit([&](TFMeter_Bus& w) { EXPECT_TRUE(w.MQTT_Topics.empty()); });
}

TEST_F(MeterBusWindow, ImportNetwork)
{
    Write_Network({Wired(1, 0, "old")});
    const std::string before = ReadFile(UComon::File_M_Bus);
    std::string chosen;
    SetFileDialogHandler([&](const TFileDialogRequest& r, std::string& name) {
        EXPECT_EQ(r.Filter, "XML File (*.xml)|*.xml");
        name = chosen;
        return true;
    });
    const std::string other = dir.file("other.xml");
    {
        std::string error;
        ASSERT_TRUE(Write_MBus_Network(other, {Wired(2, 0, "new"), Wired(3, 0, "newer")}, error));
    }
    WriteFile(dir.file("broken.xml"), "<M-Bus_Network><Nodo");
    Edit([&](TFMeter_Bus& w) {
        chosen = UComon::File_M_Bus;  // the network file itself: reloaded only
        ClickButton(*w.Btn_Import);
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_EQ(ReadFile(UComon::File_M_Bus), before);
        EXPECT_EQ(w.Nodi_List.size(), 1u);

        chosen = dir.file("broken.xml");
        ClickButton(*w.Btn_Import);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_NE(boxes.shown[0].text.find("broken.xml"), std::string::npos) << boxes.shown[0].text;
        EXPECT_EQ(ReadFile(UComon::File_M_Bus), before);

        boxes.shown.clear();
        chosen = other;
        boxes.Answer(mrNo);
        ClickButton(*w.Btn_Import);
        EXPECT_EQ(Errors(), std::vector<std::string>{Text(871)});
        EXPECT_EQ(ReadFile(UComon::File_M_Bus), before);
        EXPECT_EQ(w.Nodi_List.size(), 1u);

        boxes.Answer(mrYes);
        ClickButton(*w.Btn_Import);
        EXPECT_EQ(ReadFile(UComon::File_M_Bus), ReadFile(other));
        ASSERT_EQ(w.Nodi_List.size(), 2u);
        EXPECT_EQ(NodeItem(w, 1)->Text(), "ID 3 - newer");
        EXPECT_FALSE(w.Is_Change);
    });
}

TEST_F(MeterBusWindow, FaultyNetworkFileIsReportedAndReplacedOnlyAfterAQuestion)
{
    // Node 2's third variable without "Desc".
    Write_Network({Wired(1, 0, "a"), Wired(2, 0, "b", {Var("1"), Var("2"), Var("3")})});
    std::string text = ReadFile(UComon::File_M_Bus);
    const size_t at = text.find(" Desc=\"3\"");
    ASSERT_NE(at, std::string::npos);
    WriteFile(UComon::File_M_Bus, text.erase(at, 9));
    const std::string before = ReadFile(UComon::File_M_Bus);
    Edit([&](TFMeter_Bus& w) {
        ASSERT_EQ(boxes.shown.size(), 1u);
        const std::string& e = boxes.shown[0].text;
        for (const char* part : {"M_Bus.xml", "node 2", "variable 3", "Desc"})
            EXPECT_NE(e.find(part), std::string::npos) << e;
        EXPECT_EQ(w.Nodi_List.size(), 2u);
        EXPECT_EQ(Captions(NodeItem(w, 1)), (std::vector<std::string>{"VAR - 1", "VAR - 2"}));
        boxes.shown.clear();
        boxes.Answer(mrNo);
        ClickButton(*w.Btn_OK);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].buttons, TMsgDlgButtons::mbYesNo);
        EXPECT_NE(boxes.shown[0].text.find(UComon::File_M_Bus), std::string::npos);
        EXPECT_EQ(w.ModalResult(), mrNone);
        EXPECT_EQ(w.Nodi_List.size(), 2u);
        EXPECT_EQ(ReadFile(UComon::File_M_Bus), before);
    });
}

TEST_F(MeterBusWindow, FailedWriteKeepsTheWindowAndItsNodes)
{
    Write_Network({Wired(1, 0, "a")});
    Edit([&](TFMeter_Bus& w) {
        const std::string path = UComon::File_M_Bus;
        UComon::File_M_Bus = dir.file("gone/M_Bus.xml");
        ClickButton(*w.Btn_OK);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_NE(boxes.shown[0].text.find("gone/M_Bus.xml"), std::string::npos);
        EXPECT_EQ(w.ModalResult(), mrNone);
        EXPECT_EQ(w.Nodi_List.size(), 1u);
        EXPECT_EQ(w.NODE_ORIG->Count(), 1);
        UComon::File_M_Bus = path;
    });
}

TEST_F(MeterBusWindow, WideListsOpenLeftwards)
{
    WriteFile(UComon::File_MQTT_Set_Topic,
              "<MQTT><MQTT_Publish><r Topic=\"a/very/long/topic/name/for/the/list/width\" Mnemonic=\"M\"/>"
              "</MQTT_Publish></MQTT>");
    Edit([&](TFMeter_Bus& w) {
        const auto widest = [](TComboBox& c) {
            TBitmap scratch(1, 1);
            scratch.Canvas().Font().Assign(static_cast<const TControl&>(c).Font());
            int m = 0;
            for (int i = 0; i < c.Items().Count(); ++i) m = std::max(m, scratch.Canvas().TextWidth(c.Items().Strings(i)));
            return m;
        };
        const int bar = GetSystemMetrics(SM_CXVSCROLL);
        EXPECT_EQ(w.CB_Type->DroppedWidth(), widest(*w.CB_Type) + 12 + 30 + bar);
        EXPECT_EQ(w.CB_VIFE->DroppedWidth(), widest(*w.CB_VIFE) + 12 + 65 + bar);
        EXPECT_EQ(w.CB_Topic->DroppedWidth(), widest(*w.CB_Topic) + 12 + 65);
        w.PC_Meter->SetActivePage(w.TS_Variables);
        for (TComboBox* c : {w.CB_Type, w.CB_VIFE, w.CB_Topic}) {
            c->SetDroppedDown(true);
            const TRect r = c->DroppedRect();
            EXPECT_EQ(r.Right, c->Width()) << c->Items().Strings(0);
            EXPECT_EQ(r.Right - r.Left, c->DroppedWidth());
            c->SetDroppedDown(false);
        }
    });
}

TEST(MeterBus, BACnetUnitsOfTypesAndVIFE)
{
    EXPECT_EQ(Found_BACnet_EngUnits(0, 0), 18);
    EXPECT_EQ(Found_BACnet_EngUnits(13, 0), 62);
    EXPECT_EQ(Found_BACnet_EngUnits(19, 69), 47);
    EXPECT_EQ(Found_BACnet_EngUnits(19, 65), 64);
    EXPECT_EQ(Found_BACnet_EngUnits(19, 72), 95);
    EXPECT_EQ(Found_BACnet_EngUnits(4, 0), 95);
}
