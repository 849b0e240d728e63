#include "app/USoftOptions.h"

#include "core/UComon.h"
#include "core/UFrame.h"
#include "core/ULanguage.h"
#include "app/UZelvatoreFirmWare.h"
#include "platform/Http.h"
#include "platform/Shell.h"
#include "platform/Paths.h"
#include "platform/SysUtils.h"
#include "platform/Timer.h"
#include "widgets/ExPageControl.h"
#include "widgets/LbButton.h"

#include <algorithm>

namespace USoftOptions {

// --- version query -----------------------------------------------------------

int Conv_Version(const std::string& Ver_str)
{
    const size_t blank = Ver_str.find(' ');
    const std::string v = Trim(blank == std::string::npos ? Ver_str : Ver_str.substr(blank + 1));
    if (v.size() < 5) return -1;
    const std::string digits{v[0], v[2], v[3], v[4]};
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool Is_Newer_Version(const std::string& answer)
{
    const std::string trimmed = Trim(answer);
    const std::string upper = UpperCase(trimmed);
    if (upper.empty() || upper == "VER. 0.000") return false;
    const int local = Conv_Version(Own_Version);
    const int remote = Conv_Version(trimmed);
    return local != -1 && remote != -1 && local < remote;
}

bool Check_Version()
{
    std::string answer;
    if (!HttpGet(std::string(Query_Path) + "?nomesw=" + UrlEncode(Query_SW_Code), answer)) answer.clear();
    return Is_Newer_Version(answer);
}

std::string Download_URL() { return HttpSettings().BaseURL + Download_Path; }

std::string Download_Link(const std::string& text)
{
    // The link is the program's own; the text (a language file's) is only text.
    return "<a href=\"" + HtmlEscape(Download_URL()) + "\">" + HtmlEscape(text) + "</a>";
}

bool Update_Timer_Tick(TTimer& timer)
{
    timer.SetEnabled(false);
    const bool newer = Check_Version();
    timer.SetInterval(Check_Interval);
    timer.SetEnabled(true);
    return newer;
}

void Apply_Update_Timer(TTimer& timer)
{
    timer.SetEnabled(UComon::Opt_Enable_Internet && UComon::Opt_Enable_Update);
}

// --- language pages ----------------------------------------------------------

std::vector<std::string> List_Language_Files(const std::string& folder)
{
    std::vector<std::string> files;
    for (const std::string& name : ListFiles(folder)) {
        if (name.size() < 4 || !SameText(name.substr(name.size() - 4), ".lng")) continue;
        const std::string path = PathJoin(folder, name);
        if (!FileExists(path) || FileIsReadOnly(path)) continue;
        files.push_back(name);
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const std::string& a, const std::string& b) { return LowerCase(a) < LowerCase(b); });
    return files;
}

// An empty list still has its one (empty) page: "Page 1 / 1" with neither
// Previous nor Next, never a page count of 0 with a Next leading nowhere.
int Lang_Page_Count(int count) { return std::max(1, (count + Slots_Per_Page - 1) / Slots_Per_Page); }

std::string Lang_Name_Of(const std::string& fileName)
{
    return fileName.size() < 4 ? std::string() : fileName.substr(0, fileName.size() - 4);
}

TLangPage Lang_Page(const std::vector<std::string>& files, int Num_Page, const std::string& folder)
{
    TLangPage page;
    const int count = static_cast<int>(files.size());
    page.Page = Num_Page;
    page.Pages = Lang_Page_Count(count);
    page.Prev_Visible = Num_Page != 1;
    page.Next_Visible = Num_Page != page.Pages;
    const int shown = std::min(Slots_Per_Page, count - Slots_Per_Page * Num_Page + Slots_Per_Page);
    for (int k = 1; k <= shown; ++k) {
        const int index = Slots_Per_Page * (Num_Page - 1) + k - 1;
        if (index < 0 || index >= count) RaiseListIndexError(index);
        TLangSlot& slot = page.Slots[static_cast<size_t>(k - 1)];
        slot.Visible = true;
        slot.Name = Lang_Name_Of(files[static_cast<size_t>(index)]);
        const std::string own = PathJoin(folder, slot.Name + ".bmp");
        const std::string fallback = PathJoin(folder, "DefaultFlag.bmp");
        if (FileExists(own))
            slot.Flag = own;
        else if (FileExists(fallback))
            slot.Flag = fallback;
    }
    return page;
}

int Step_Page(int Show_Page, int pages, bool forward)
{
    if (forward) return Show_Page + 1 <= pages ? Show_Page + 1 : Show_Page;
    return Show_Page - 1 > 0 ? Show_Page - 1 : Show_Page;
}

} // namespace USoftOptions

// --- the window ----------------------------------------------------------------

namespace {

// Slot k (0-based) of the language page: pictures and labels in two
// columns of three.
constexpr int Slot_Tops[3] = {40, 94, 148};
constexpr int Slot_Lefts[2] = {16, 256};

std::string TextOf(int id) { return ULanguage::Text(id); }

} // namespace

TFSoftOptions::TFSoftOptions()
{
    Name = "FSoftOptions";
    const TWindowFrame frame = Build_Window_Frame(*this, 509, 373);
    P_Title = frame.P_Title;
    L_SW_Code = frame.L_SW_Code;
    L_SW_Desc = frame.L_SW_Desc;
    P_Button = frame.P_Button;
    Btn_OK = New_Button(P_Button, 509 - 2 * 118, 6, 110, 28);
    Btn_Cancel = New_Button(P_Button, 509 - 118, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);

    // Pages.
    PC_Options = new TExPageControl(this);
    PC_Options->SetBounds(0, P_Title->Height(), 509, 373 - P_Title->Height() - P_Button->Height());
    PC_Options->SetTabBorder3D(true);
    TS_Language = new TExTabSheet(PC_Options);
    TS_Con_Options = new TExTabSheet(PC_Options);
    TS_Soft_Settings = new TExTabSheet(PC_Options);

    L_Sel_Lang = new TLabel(TS_Language);
    L_Sel_Lang->SetBounds(16, 12, 240, 16);
    for (int k = 0; k < USoftOptions::Slots_Per_Page; ++k) {
        const int left = Slot_Lefts[k / 3];
        const int top = Slot_Tops[k % 3];
        auto* image = new TImage(TS_Language);
        image->Name = "I_L" + std::to_string(k + 1);
        image->SetBounds(left, top, 48, 48);
        image->SetStretch(true);
        image->SetCursor(crHandPoint);
        image->OnClick = [this](TControl* s) { LangClick(s); };
        I_L[static_cast<size_t>(k)] = image;
        auto* label = new TLabel(TS_Language);
        label->Name = "L_L" + std::to_string(k + 1);
        label->SetBounds(left + 56, top + 16, 160, 16);
        label->SetCursor(crHandPoint);
        label->OnClick = [this](TControl* s) { LangClick(s); };
        L_L[static_cast<size_t>(k)] = label;
    }
    L_Page_Lang = new TLabel(TS_Language);
    L_Page_Lang->SetBounds(256, 12, 100, 16);
    Btn_Prev = New_Button(TS_Language, 360, 6, 60, 26);
    Btn_Next = New_Button(TS_Language, 424, 6, 60, 26);
    Btn_Prev->OnClick = [this](TControl* s) { Btn_NextClick(s); };
    Btn_Next->OnClick = [this](TControl* s) { Btn_NextClick(s); };

    CB_En_Con = new TCheckBox(TS_Con_Options);
    CB_En_Con->SetBounds(16, 16, 440, 20);
    CB_Update = new TCheckBox(TS_Con_Options);
    CB_Update->SetBounds(40, 44, 416, 20);
    Btn_Check_Update = New_Button(TS_Con_Options, 40, 80, 170, 36);
    LL_Check_Update = new TLinkLabel(TS_Con_Options);
    LL_Check_Update->SetBounds(224, 90, 260, 16);
    LL_Check_Update->Hide();

    CB_Soft_Set_Jump_Table = new TCheckBox(TS_Soft_Settings);
    CB_Soft_Set_Jump_Table->SetBounds(16, 16, 460, 20);
    CB_DoubleClick_Auto_Size = new TCheckBox(TS_Soft_Settings);
    CB_DoubleClick_Auto_Size->SetBounds(16, 44, 460, 20);

    for (TCheckBox* cb : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        cb->OnClick = [this](TControl* s) { CB_En_ConClick(s); };
    Btn_Check_Update->OnClick = [this](TControl* s) { Btn_Check_UpdateClick(s); };
    LL_Check_Update->OnLinkClick = [this](TControl* s, const std::string& link) { LL_Check_UpdateLinkClick(s, link); };
    Btn_OK->OnClick = [this](TControl* s) { Btn_OKClick(s); };
    OnShow = [this](TControl* s) { FormShow(s); };

    FormCreate();
    ULanguage::Register_Set_Lang(ULanguage::TLangWindow::SoftOptions, [this] { Set_Lang(); });
}

TFSoftOptions::~TFSoftOptions()
{
    ULanguage::Unregister_Set_Lang(ULanguage::TLangWindow::SoftOptions);
    if (FSoftOptions == this) FSoftOptions = nullptr;
}

void TFSoftOptions::FormCreate()
{
    SL_Languages.Clear();
    L_SW_Code->SetCaption(UComon::SW_Code);
    PC_Options->SetActivePage(TS_Con_Options);
    Set_Lang();
}

void TFSoftOptions::FormShow(TControl*)
{
    Language_In_Use = UComon::Language_Name;
    Create_Lang_List();
    Update_CheckBox();
    LL_Check_Update->Hide();
    PC_Options->SetActivePage(TS_Language);
    // Each change of a box runs Update_CheckBox through its click event.
    CB_En_Con->SetChecked(UComon::Opt_Enable_Internet);
    CB_Update->SetChecked(UComon::Opt_Enable_Update);
    CB_Soft_Set_Jump_Table->SetChecked(UComon::Opt_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->SetChecked(UComon::Opt_DblClick_Auto_Size);
    Update_CheckBox();
}

void TFSoftOptions::Set_Lang()
{
    SetCaption(TextOf(300));
    L_SW_Desc->SetCaption(TextOf(301));
    TS_Language->SetCaption(TextOf(302));
    TS_Con_Options->SetCaption(TextOf(303));
    TS_Soft_Settings->SetCaption(TextOf(319));
    L_Sel_Lang->SetCaption(TextOf(304));
    L_Page_Lang->SetCaption(TextOf(305) + "1" + TextOf(306) + "1");
    Btn_Prev->SetCaption(TextOf(307));
    Btn_Next->SetCaption(TextOf(308));
    CB_En_Con->SetCaption(TextOf(309));
    CB_Update->SetCaption(TextOf(310));
    Btn_Check_Update->SetCaption(TextOf(311));
    Btn_OK->SetCaption(TextOf(312));
    Btn_Cancel->SetCaption(TextOf(313));
    CB_Soft_Set_Jump_Table->SetCaption(TextOf(320));
    CB_DoubleClick_Auto_Size->SetCaption(TextOf(321));
}

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages.Clear();
    for (const std::string& name : USoftOptions::List_Language_Files(UComon::Language_Folder)) SL_Languages.Add(name);
    Show_Page = 1;
    Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(int Num_Page)
{
    const USoftOptions::TLangPage page =
        USoftOptions::Lang_Page(SL_Languages.Items(), Num_Page, UComon::Language_Folder);
    L_Sel_Lang->SetCaption(TextOf(304) + Language_In_Use);
    L_Page_Lang->SetCaption(TextOf(305) + IntToStr(Num_Page) + TextOf(306) + IntToStr(page.Pages));
    Btn_Prev->SetVisible(page.Prev_Visible);
    Btn_Next->SetVisible(page.Next_Visible);
    for (size_t k = 0; k < page.Slots.size(); ++k) {
        const USoftOptions::TLangSlot& slot = page.Slots[k];
        L_L[k]->SetVisible(slot.Visible);
        I_L[k]->Clear();
        if (!slot.Visible) {
            I_L[k]->Hide();
            continue;
        }
        L_L[k]->SetCaption(slot.Name);
        // A picture that cannot be read leaves the slot without one.
        I_L[k]->SetVisible(!slot.Flag.empty() && I_L[k]->LoadFromFile(slot.Flag));
    }
}

void TFSoftOptions::Btn_NextClick(TControl* Sender)
{
    const int pages = USoftOptions::Lang_Page_Count(SL_Languages.Count());
    if (Sender == Btn_Next)
        Show_Page = USoftOptions::Step_Page(Show_Page, pages, true);
    else if (Sender == Btn_Prev)
        Show_Page = USoftOptions::Step_Page(Show_Page, pages, false);
    Update_Lang_Page(Show_Page);
}

int TFSoftOptions::Slot_Of(TControl* Sender) const
{
    for (size_t k = 0; k < I_L.size(); ++k)
        if (Sender == I_L[k] || Sender == L_L[k]) return static_cast<int>(k) + 1;
    return 0;
}

void TFSoftOptions::LangClick(TControl* Sender)
{
    const int k = Slot_Of(Sender);
    if (k == 0) return;
    const std::string name =
        USoftOptions::Lang_Name_Of(SL_Languages.Strings(USoftOptions::Slots_Per_Page * Show_Page - 6 + k - 1));
    if (MessageDlg(TextOf(316) + Language_In_Use + TextOf(317) + name + TextOf(318), TMsgDlgType::mtConfirmation,
                   TMsgDlgButtons::mbYesNo) != mrYes)
        return;
    Language_In_Use = name;
    // Load the picked language now; the program state keeps its language
    // until the window is confirmed.
    const std::string remembered = UComon::Language_Name;
    UComon::Language_Name = name;
    ULanguage::Load_Language();
    UComon::Language_Name = remembered;
    ULanguage::Apply_Set_Lang();
    // Set_Lang wrote a neutral page label ("1 / 1"); show the page as it is.
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->SetEnabled(CB_En_Con->Checked());
    Btn_Check_Update->SetEnabled(CB_Update->Enabled() && CB_Update->Checked());
}

void TFSoftOptions::CB_En_ConClick(TControl*) { Update_CheckBox(); }

bool TFSoftOptions::Check_Version() { return USoftOptions::Check_Version(); }

void TFSoftOptions::Btn_Check_UpdateClick(TControl*)
{
    if (Check_Version())
        LL_Check_Update->SetCaption(USoftOptions::Download_Link(TextOf(314)));
    else
        LL_Check_Update->SetCaption(HtmlEscape(TextOf(315)));
    LL_Check_Update->Show();
}

void TFSoftOptions::LL_Check_UpdateLinkClick(TControl*, const std::string& Link) { ShellOpen(Link); }

void TFSoftOptions::Btn_OKClick(TControl*)
{
    UComon::Language_Name = Language_In_Use;
    UComon::Opt_Enable_Internet = CB_En_Con->Checked();
    UComon::Opt_Enable_Update = CB_Update->Checked();
    if (FZelvatoreFirmWare) USoftOptions::Apply_Update_Timer(FZelvatoreFirmWare->Timer_Update);
    UComon::Opt_Jump_Field_Tables = CB_Soft_Set_Jump_Table->Checked();
    UComon::Opt_DblClick_Auto_Size = CB_DoubleClick_Auto_Size->Checked();
    SetModalResult(mrOk);
}
