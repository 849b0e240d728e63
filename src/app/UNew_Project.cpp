#include "app/UNew_Project.h"

#include "core/UComon.h"
#include "core/ULanguage.h"
#include "platform/Paths.h"
#include "platform/SysUtils.h"

using ULanguage::Text;

TFNew_Project::TFNew_Project()
{
    Frame = Build_Window_Frame(*this, 331, 162);
    Label1 = new TLabel(this);
    Label1->SetBounds(16, 80, 0, 0);
    E_New_Proj = new TEdit(this);
    E_New_Proj->SetBounds(16, 96, 297, 21);
    E_New_Proj->SetShowHint(true);
    E_New_Proj->OnKeyPress = [this](TControl*, char32_t& key) {
        if (key == 13) Btn_OKClick();
    };
    Btn_OK = New_Button(Frame.P_Button, 331 - 2 * 118, 6, 110, 28);
    Btn_OK->OnClick = [this](TControl*) { Btn_OKClick(); };
    Btn_Cancel = New_Button(Frame.P_Button, 331 - 118, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    OnShow = [this](TControl*) { FormShow(); };
    Set_Lang();
    ULanguage::Register_Set_Lang(ULanguage::TLangWindow::New_Project, [this] { Set_Lang(); });
}

TFNew_Project::~TFNew_Project() { ULanguage::Unregister_Set_Lang(ULanguage::TLangWindow::New_Project); }

void TFNew_Project::Set_Lang()
{
    SetCaption(Text(100));
    Frame.L_SW_Desc->SetCaption(Text(101));
    Label1->SetCaption(Text(102));
    Btn_OK->SetCaption(Text(103));
    Btn_Cancel->SetCaption(Text(104));
    E_New_Proj->SetHint(Text(108));
    Btn_OK->SetHint(Text(109));
    Btn_Cancel->SetHint(Text(110));
}

void TFNew_Project::FormShow()
{
    E_New_Proj->SetText("");
    if (E_New_Proj->CanFocus()) E_New_Proj->SetFocus();
}

void TFNew_Project::Btn_OKClick()
{
    using namespace UComon;
    const std::string name = E_New_Proj->Text();  // as typed, not trimmed
    if (name.empty()) {
        ShowError(Text(107));
        return;
    }
    // A name that would lead outside PROJECTS is no configuration name.
    if (!Is_Valid_Project_Name(name)) {
        ShowError(Text(105));
        return;
    }
    const std::string folder = PathJoin(Projects_Root, name);
    // Names are compared without regard to case, as the file system of the
    // gateway's users does: "second" exists when "Second" does.
    bool exists = DirectoryExists(folder);
    for (const std::string& f : ListFolders(Projects_Root)) exists = exists || SameText(f, name);
    if (exists) {
        ShowError(Text(106));
        return;
    }
    if (!CreateDir(folder)) {
        ShowError(Text(105));
        return;
    }
    if (!ForceDirectories(PathJoin(folder, "bin"))) {
        RemoveDir(folder);
        ShowError(Text(105));
        return;
    }
    Project_Name = name;
    Project_Folder = folder;
    Set_Files();
    SetModalResult(mrOk);
}
