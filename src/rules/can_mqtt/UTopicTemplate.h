#pragma once
// The topic template editor: a small modal editor for one long text of a
// rule grid (a topic or a payload template), over as many lines as needed,
// with a table of the keywords a template may use (none in this system).
// The caller puts the cell's text in, shows the editor and, on OK, takes
// the text back with CR LF line ends.

#include "core/UFrame.h"
#include "widgets/ExStringGrid.h"

#include <string>

class TFTopicTemplate : public TForm {
public:
    TFTopicTemplate();

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* Panel1;
    TMemo* RE_TopicTemplate;
    TPanel* P_Legend;
    TLabel* L_List_Keywords;
    TExStringGrid* ESG_Keywords;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    // 1: the text is a template, 0: a topic (the caption and description follow it).
    int TopicTemplate = 0;

    // Applied once, at creation: a later language change leaves the labels,
    // headers and buttons as they are.
    void Set_Lang();
    // The edited text; any line break the text holds becomes CR LF.
    void Set_Text(const std::string& text);
    std::string Text_CRLF() const;

private:
    void FormShow();
    void Laod_Keywords();
};

inline TFTopicTemplate* FTopicTemplate = nullptr;

// Opens the editor on a grid cell in template mode; on OK the cell takes
// the edited text. True when the cell was written.
bool Edit_Template_Cell(TExStringGrid& grid, int col, int row);
