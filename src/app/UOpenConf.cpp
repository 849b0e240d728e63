#include "app/UOpenConf.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Paths.h"
#include "platform/SysUtils.h"

using ULanguage::Text;

TFOpenConf::TFOpenConf()
{
    Frame = Build_Window_Frame(*this, 377, 351);
    SetBorderStyle(TFormBorderStyle::bsSizeable);
    SetClientSize(377, 351);
    Label1 = new TLabel(this);
    Label1->SetBounds(16, 78, 0, 0);
    ListBox1 = new TListBox(this);
    ListBox1->SetBounds(16, 96, 345, 351 - 40 - 96 - 8);
    ListBox1->SetAnchors(akLeft | akTop | akRight | akBottom);
    ListBox1->SetShowHint(true);
    ListBox1->OnClick = [this](TControl*) { ListBox1Click(); };
    Btn_OK = New_Button(Frame.P_Button, 377 - 2 * 118, 6, 110, 28);
    Btn_OK->SetModalResult(mrOk);
    Btn_OK->SetAnchors(akRight | akTop);
    Btn_Cancel = New_Button(Frame.P_Button, 377 - 118, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Cancel->SetAnchors(akRight | akTop);
    OnShow = [this](TControl*) { FormShow(); };
    Set_Lang();
    ULanguage::Register_Set_Lang(ULanguage::TLangWindow::OpenConf, [this] { Set_Lang(); });
}

TFOpenConf::~TFOpenConf() { ULanguage::Unregister_Set_Lang(ULanguage::TLangWindow::OpenConf); }

void TFOpenConf::Set_Lang()
{
    SetCaption(Text(200));
    Frame.L_SW_Desc->SetCaption(Text(201));
    Label1->SetCaption(Text(202));
    Btn_OK->SetCaption(Text(203));
    Btn_Cancel->SetCaption(Text(204));
    ListBox1->SetHint(Text(205));
    Btn_OK->SetHint(Text(206));
    Btn_Cancel->SetHint(Text(207));
}

void TFOpenConf::Load_Existing_Configuration() { SL = ListFolders(UComon::Projects_Root); }

int TFOpenConf::Search_Open_Conf(const std::string& snc) const
{
    // Folders may differ in case only ("Second", "second"): the exact name
    // first, then the first one that matches without regard to case.
    for (size_t i = 0; i < SL.size(); ++i)
        if (SL[i] == snc) return static_cast<int>(i);
    for (size_t i = 0; i < SL.size(); ++i)
        if (SameText(SL[i], snc)) return static_cast<int>(i);
    return -1;
}

void TFOpenConf::FormShow()
{
    Load_Existing_Configuration();
    ListBox1->Items().Assign(SL);
    std::string current;
    const std::string prefix = UComon::Projects_Root + PathDelim;
    if (UComon::Project_Folder.rfind(prefix, 0) == 0) current = UComon::Project_Folder.substr(prefix.size());
    int i = current.empty() ? -1 : Search_Open_Conf(current);
    if (i < 0 && !SL.empty()) i = 0;
    if (i >= 0) {
        ListBox1->SetItemIndex(i);
        Name_Conf = SL[static_cast<size_t>(i)];
    }
}

void TFOpenConf::ListBox1Click()
{
    // The folder's real name: the list shows a name that is no valid text
    // with replacement characters.
    const int i = ListBox1->ItemIndex();
    if (i >= 0 && static_cast<size_t>(i) < SL.size()) Name_Conf = SL[static_cast<size_t>(i)];
}
