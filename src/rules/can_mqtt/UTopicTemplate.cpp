#include "rules/can_mqtt/UTopicTemplate.h"

#include "core/ULanguage.h"
#include "platform/GridView.h"

using ULanguage::Text;

TFTopicTemplate::TFTopicTemplate()
{
    const TWindowFrame f = Build_Window_Frame(*this, 635, 396);
    P_Title = f.P_Title;
    L_SW_Code = f.L_SW_Code;
    L_SW_Desc = f.L_SW_Desc;
    P_Button = f.P_Button;
    SetBorderIcons(biSystemMenu);

    P_Legend = new TPanel(this);
    P_Legend->SetBevelOuter(TBevelCut::bvNone);
    P_Legend->SetHeight(108);
    P_Legend->SetAlign(TAlign::alBottom);
    L_List_Keywords = new TLabel(P_Legend);
    L_List_Keywords->SetBounds(8, 3, 0, 0);
    ESG_Keywords = new TExStringGrid(P_Legend);
    ESG_Keywords->SetBounds(8, 18, 617, 84);
    ESG_Keywords->View()->SetAnchors(akLeft | akTop | akRight | akBottom);
    ESG_Keywords->SetColCount(2);
    ESG_Keywords->SetFixedCols(0);
    ESG_Keywords->SetRowCount(2);
    ESG_Keywords->SetFixedRows(1);
    ESG_Keywords->SetRowHeights(0, 22);
    ESG_Keywords->SetColWidths(0, 200);
    ESG_Keywords->SetColWidths(1, 380);
    ESG_Keywords->SetOptions(ESG_Keywords->Options() + goEditing);

    Panel1 = new TPanel(this);
    Panel1->SetBevelOuter(TBevelCut::bvNone);
    Panel1->SetAlign(TAlign::alClient);
    RE_TopicTemplate = new TMemo(Panel1);
    RE_TopicTemplate->SetBounds(8, 6, 617, 396 - 69 - 40 - 108 - 12);
    RE_TopicTemplate->SetAnchors(akLeft | akTop | akRight | akBottom);
    RE_TopicTemplate->SetScrollBars(TScrollStyle::ssBoth);

    Btn_OK = New_Button(P_Button, 16, 6, 110, 28);
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel = New_Button(P_Button, 134, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    OnShow = [this](TControl*) { FormShow(); };
    Set_Lang();
}

void TFTopicTemplate::Set_Lang()
{
    SetCaption(Text(1700));
    L_SW_Desc->SetCaption(Text(1702));
    L_List_Keywords->SetCaption(Text(1704));
    ESG_Keywords->SetCellEx(0, 0, Text(1705));
    ESG_Keywords->SetCellEx(1, 0, Text(1706));
    Btn_OK->SetCaption(Text(1707));
    Btn_Cancel->SetCaption(Text(1708));
}

void TFTopicTemplate::FormShow()
{
    SetCaption(Text(TopicTemplate != 0 ? 1701 : 1700));
    L_SW_Desc->SetCaption(Text(TopicTemplate != 0 ? 1703 : 1702));
    Laod_Keywords();
    if (RE_TopicTemplate->CanFocus()) RE_TopicTemplate->SetFocus();
}

void TFTopicTemplate::Laod_Keywords()
{
    // This system defines no keywords: one empty row to type into.
    const std::vector<std::string> keywords, descriptions;
    ESG_Keywords->SetRowCount(static_cast<int>(keywords.size()) + 1 < 2 ? 2 : static_cast<int>(keywords.size()) + 1);
    for (int r = 1; r < ESG_Keywords->RowCount(); ++r) {
        const size_t i = static_cast<size_t>(r - 1);
        ESG_Keywords->SetCellEx(0, r, i < keywords.size() ? keywords[i] : std::string());
        ESG_Keywords->SetCellEx(1, r, i < descriptions.size() ? descriptions[i] : std::string());
        ESG_Keywords->SetReadOnly(0, r, false);
        ESG_Keywords->SetReadOnly(1, r, true);
    }
}

void TFTopicTemplate::Set_Text(const std::string& text)
{
    std::string lf;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lf += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            lf += text[i];
        }
    }
    RE_TopicTemplate->SetText("");
    RE_TopicTemplate->SetText(lf);
}

std::string TFTopicTemplate::Text_CRLF() const
{
    const std::string t = RE_TopicTemplate->Text();
    std::string out;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r' || t[i] == '\n') {
            out += "\r\n";
            if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
        } else {
            out += t[i];
        }
    }
    return out;
}

bool Edit_Template_Cell(TExStringGrid& grid, int col, int row)
{
    if (!FTopicTemplate) return false;
    FTopicTemplate->TopicTemplate = 1;
    FTopicTemplate->Set_Text(grid.GetCellEx(col, row));
    if (FTopicTemplate->ShowModal() != mrOk) return false;
    grid.SetCellEx(col, row, FTopicTemplate->Text_CRLF());
    return true;
}
