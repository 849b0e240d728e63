#include "rules/field/UProfinetFileName.h"

#include "core/ULanguage.h"
#include "platform/DateUtils.h"
#include "platform/Dialogs.h"

#include <cstdio>

using ULanguage::Text;

TFProfinetFileName::TFProfinetFileName()
{
    Frame = Build_Window_Frame(*this, 540, 205);
    const auto label = [this](int left, int top) {
        auto* l = new TLabel(this);
        l->SetBounds(left, top, 0, 0);
        return l;
    };
    Label1 = label(16, 70);
    Label2 = label(16, 107);
    L_XML_Fix1 = label(16, 126);
    Label4 = label(179, 107);
    Label5 = label(447, 107);
    L_XML_Fix2 = label(447, 126);
    E_XML_User = new TEdit(this);
    E_XML_User->SetBounds(179, 123, 267, 21);
    E_XML_User->SetShowHint(true);
    Btn_OK = New_Button(Frame.P_Button, 16, 6, 110, 28);
    Btn_OK->OnClick = [this](TControl*) { Btn_OKClick(); };
    Btn_Cancel = New_Button(Frame.P_Button, 134, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);

    L_XML_Fix1->SetCaption(Fixed_Part);
    // The date the program started, kept for the whole run.
    int year = 0, month = 0, day = 0;
    DecodeDate(Now(), year, month, day);
    char date[16];
    std::snprintf(date, sizeof date, "%04d%02d%02d", year, month, day);
    L_XML_Fix2->SetCaption(std::string("-") + date + ".xml");
    Set_Lang();
    ULanguage::Register_Set_Lang(ULanguage::TLangWindow::ProfinetFileName, [this] { Set_Lang(); });
}

TFProfinetFileName::~TFProfinetFileName() { ULanguage::Unregister_Set_Lang(ULanguage::TLangWindow::ProfinetFileName); }

void TFProfinetFileName::Set_Lang()
{
    SetCaption(Text(3400));
    Frame.L_SW_Desc->SetCaption(Text(3401));
    Btn_OK->SetCaption(Text(3402));
    Btn_Cancel->SetCaption(Text(3403));
    Label1->SetCaption(Text(3404));
    Label2->SetCaption(Text(3405));
    Label4->SetCaption(Text(3406));
    Label5->SetCaption(Text(3407));
    E_XML_User->SetHint(Text(3408));
    Btn_OK->SetHint(Text(3409));
    Btn_Cancel->SetHint(Text(3410));
}

void TFProfinetFileName::Btn_OKClick()
{
    const std::string user = E_XML_User->Text();  // used as typed
    if (user.find_first_of("/\\") != std::string::npos || user.find("..") != std::string::npos) {
        ShowError(Msg_User_Part_Refused);
        return;
    }
    if (Trim(user).empty())
        Name_File_XML = L_XML_Fix1->Caption() + L_XML_Fix2->Caption();
    else if (user[0] == '_')
        Name_File_XML = L_XML_Fix1->Caption() + user + L_XML_Fix2->Caption();
    else
        Name_File_XML = L_XML_Fix1->Caption() + "_" + user + L_XML_Fix2->Caption();
    SetModalResult(mrOk);
}
