#pragma once
// Open configuration dialog: lists the configurations under PROJECTS and
// preselects the open one; the main window takes Name_Conf on OK.

#include "core/UFrame.h"

#include <string>
#include <vector>

class TFOpenConf : public TForm {
public:
    TFOpenConf();
    ~TFOpenConf() override;

    TWindowFrame Frame;
    TLabel* Label1;
    TListBox* ListBox1;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    // The configuration names found (sorted by name), as the folders are named.
    std::vector<std::string> SL;
    // The chosen folder's real name; kept from one showing to the next.
    std::string Name_Conf;

    void Set_Lang();
    void Load_Existing_Configuration();
    // Index of the entry of SL equal to snc, else of the first one equal
    // ignoring case; -1 when none.
    int Search_Open_Conf(const std::string& snc) const;

private:
    void FormShow();
    void ListBox1Click();
};

inline TFOpenConf* FOpenConf = nullptr;
