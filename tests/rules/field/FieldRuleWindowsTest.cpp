// The field rule windows as a person drives them: opened through the main
// window's step handler (their buttons are hidden in this build) or the
// window table, real keys into the cells, real presses on check boxes and
// buttons.
#include "../RuleWindowDriving.h"
#include "app/UWindows.h"
#include "core/ULanguage.h"
#include "platform/GridView.h"
#include "rules/field/UDMXDefVal.h"
#include "rules/field/UKNXAccess.h"

#include <gtest/gtest.h>

using ULanguage::Text;
using namespace UComon;

namespace {

class FieldRuleWindows : public RuleWindowsFixture {
protected:
    void Channels(const std::string& text)
    {
        WriteFile(File_ParGen, "<Par_Gen>\n\t<DMX_Num_Channels>" + text + "</DMX_Num_Channels>\n</Par_Gen>\n");
    }
};

} // namespace

TEST_F(FieldRuleWindows, DMXValuesTypedAndSavedWithTheChannelCountOfEachOpening)
{
    Channels("24");
    acts.push_back([&](TForm& f) {
        ASSERT_EQ(&f, FDMXDefVal);
        EXPECT_EQ(f.Caption(), "DMX Default Value");
        EXPECT_EQ(f.ClientWidth(), 475);
        TFDMXDefVal& w = *FDMXDefVal;
        EXPECT_EQ(w.Btn_OK->Caption(), "OK");
        EXPECT_EQ(w.Btn_Cancel->Caption(), "Cancel");
        EXPECT_EQ(w.Btn_DelRow, nullptr);
        EXPECT_EQ(w.Btn_PasteRow, nullptr);
        TExColumnGrid& g = *w.ECG_DMX_Def_Val;
        EXPECT_EQ(g.RowCount(), 25);
        EXPECT_EQ(g.GetCellEx(0, 0), "Channel");
        TypeCell(f, g, 1, 3, "$FF");
        TypeCell(f, g, 2, 3, "spot left");
        // A value out of range keeps the window open and writes nothing.
        TypeCell(f, g, 1, 24, "256");
        ClickButton(*w.Btn_OK);
        EXPECT_EQ(w.ModalResult(), mrNone);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "Error row 24!! Default Value must be between 0 and 255");
        EXPECT_FALSE(FileExists(File_DMX_Default_Values));
        TypeCell(f, g, 1, 24, "12");
        EXPECT_EQ(g.GetCellEx(1, 24), "12");
        ClickButton(*w.Btn_OK);
    });
    main->Btn_Click(main->Btn_DMX_Default);  // hidden in this build
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(FDMXDefVal->ModalResult(), mrOk);
    const std::string written = ReadFile(File_DMX_Default_Values);
    EXPECT_EQ(written.rfind("<DMX_Default_Values>\n", 0), 0u);
    EXPECT_NE(written.find("\t<Row Default_Value=\"0\" Mnemonic=\"\" />\n"
                           "\t<Row Default_Value=\"$FF\" Mnemonic=\"spot left\" />\n"),
              std::string::npos);
    EXPECT_NE(written.find("\t<Row Default_Value=\"12\" Mnemonic=\"\" />\n</DMX_Default_Values>\n"
                           "<!--SW_VERSION = 1.000-->\n"),
              std::string::npos);

    // Fewer channels at the next opening: the surplus rows are not read and
    // go at the next OK; more channels start at "0".
    Channels("3");
    acts.push_back([&](TForm&) {
        EXPECT_EQ(FDMXDefVal->ECG_DMX_Def_Val->RowCount(), 4);
        EXPECT_EQ(FDMXDefVal->ECG_DMX_Def_Val->GetCellEx(1, 3), "$FF");
        ClickButton(*FDMXDefVal->Btn_OK);
    });
    main->Btn_Click(main->Btn_DMX_Default);
    Channels("30");
    acts.push_back([&](TForm&) {
        TExColumnGrid& g = *FDMXDefVal->ECG_DMX_Def_Val;
        EXPECT_EQ(g.RowCount(), 31);
        EXPECT_EQ(g.GetCellEx(1, 24), "0");
        EXPECT_EQ(g.GetCellEx(0, 30), "30");
        ClickButton(*FDMXDefVal->Btn_Cancel);
    });
    main->Btn_Click(main->Btn_DMX_Default);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(FDMXDefVal->ModalResult(), mrCancel);
}

TEST_F(FieldRuleWindows, KNXRuleTypedTickedAndSaved)
{
    acts.push_back([&](TForm& f) {
        ASSERT_EQ(&f, FKNXAccess);
        EXPECT_EQ(f.Caption(), "KNX Set Access");
        TFKNXAccess& w = *FKNXAccess;
        TExColumnGrid& g = *w.ECG_KNX_in_Write;
        EXPECT_EQ(g.RowCount(), 1025);
        EXPECT_EQ(g.GetCellEx(KNX_Col::Enable, 1), "Y");
        TypeCell(f, g, KNX_Col::Source, 1, "1.1.20");
        TypeCell(f, g, KNX_Col::Destination, 1, "1/2/3");
        TypeCell(f, g, KNX_Col::APCI, 1, "Write");
        ChooseCell(f, g, KNX_Col::Priority, 1, "N");
        ChooseCell(f, g, KNX_Col::Data_Format, 1, "N");
        TypeCell(f, g, KNX_Col::Length, 1, "2");
        TypeCell(f, g, KNX_Col::TimeOut, 1, "500");
        ChooseCell(f, g, KNX_Col::Position, 1, "10");
        ChooseCell(f, g, KNX_Col::Bit_Mode, 1, "N");
        // A press and a release on the Extended check box ticks it.
        TGridView& v = *g.View();
        const TPoint box = Mid(g.CellRect(KNX_Col::Extended, 1));
        SendMouseDown(v, box.X, box.Y);
        SendMouseUp(v, box.X, box.Y);
        Application_ProcessMessages();
        EXPECT_EQ(g.GetCellEx(KNX_Col::Extended, 1), "Y");
        ClickButton(*w.Btn_OK);
    });
    main->Btn_Click(main->Btn_KNX_Access);  // hidden in this build
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().text;
    EXPECT_EQ(FKNXAccess->ModalResult(), mrOk);
    EXPECT_EQ(ReadFile(File_KNX_SetAccess),
              "<BACnet_to_KNX>\n\t<KNX_in_Write>\n"
              "\t\t<row Enable=\"Y\" Source_Address=\"1.1.20\" Destination_Address=\"1/2/3\" APCI=\"Write\" "
              "Priority=\"Normal\" Format=\"None\" MultiplicationFactor=\"\" Extended=\"Y\" ReTest=\"\" "
              "On_Command=\"\" On_Change=\"\" On_Timer=\"\" Poll_Time=\"\" Position=\"10\" Bit_Mode=\"No\" "
              "Length=\"2\" TimeOut=\"500\" Mnemonic=\"\" />\n"
              "\t</KNX_in_Write>\n</BACnet_to_KNX>\n<!--SW_VERSION = 1.004-->\n");

    // The row buttons: Delete asks with the row number.
    acts.push_back([&](TForm&) {
        TFKNXAccess& w = *FKNXAccess;
        TExColumnGrid& g = *w.ECG_KNX_in_Write;
        EXPECT_EQ(g.GetCellEx(KNX_Col::Source, 1), "1.1.20");
        g.SetRow(1);
        ClickButton(*w.Btn_InsRow);
        EXPECT_EQ(g.GetCellEx(KNX_Col::Enable, 1), "Y");
        EXPECT_EQ(g.GetCellEx(KNX_Col::Source, 2), "1.1.20");
        boxes.Answer(mrYes);
        ClickButton(*w.Btn_DelRow);
        EXPECT_EQ(g.GetCellEx(KNX_Col::Source, 1), "1.1.20");
        ClickButton(*w.Btn_Cancel);
    });
    main->Btn_Click(main->Btn_KNX_Access);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Are you sure to delete the Row number 1");
}

TEST_F(FieldRuleWindows, ConveniencesAndLanguageChange)
{
    Opt_Jump_Field_Tables = true;
    Opt_DblClick_Auto_Size = true;
    acts.push_back([&](TForm& f) {
        TExColumnGrid& g = *FKNXAccess->ECG_KNX_in_Write;
        TGridView& v = *g.View();
        ActivateWindowOf(f);
        g.SetFocus();
        g.FocusCell(KNX_Col::Length, 4);
        PressKey(f, VK_RETURN, {}, "\r");
        EXPECT_EQ(g.Col(), KNX_Col::TimeOut);
        EXPECT_EQ(g.Row(), 4);
        // Header hint of a column; none on data cells.
        EXPECT_EQ(Header_Hint(g, KNX_Col::APCI), Text(3834));
        // A double click on the header sizes the column to its content.
        const int wide = g.ColWidths(KNX_Col::Mnemonic);
        const TPoint mnemonic = Mid(g.CellRect(KNX_Col::Mnemonic, 0));
        SendMouseMove(v, mnemonic.X, mnemonic.Y, TShiftState{});
        SendDblClick(v, mnemonic.X, mnemonic.Y);
        EXPECT_NE(g.ColWidths(KNX_Col::Mnemonic), wide);
        ClickButton(*FKNXAccess->Btn_Cancel);
    });
    main->Btn_Click(main->Btn_KNX_Access);
    // The DMX grid shows no hints.
    acts.push_back([&](TForm&) {
        EXPECT_EQ(Header_Hint(*FDMXDefVal->ECG_DMX_Def_Val, 1), "");
        ClickButton(*FDMXDefVal->Btn_Cancel);
    });
    main->Btn_Click(main->Btn_DMX_Default);
    EXPECT_EQ(shown.size(), 2u);
    Opt_Jump_Field_Tables = false;
    Opt_DblClick_Auto_Size = false;

    UI_Texts.Put(3700, "Valori DMX");
    UI_Texts.Put(3817, "Destinazione");
    main->Change_Language();
    EXPECT_EQ(FDMXDefVal->Caption(), "Valori DMX");
    EXPECT_EQ(FKNXAccess->ECG_KNX_in_Write->Columns().Items(KNX_Col::Destination)->Header(), "Destinazione");
}
