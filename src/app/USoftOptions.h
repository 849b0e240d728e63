#pragma once
// Options window: UI language, internet use and update check, table
// options; and the version query of the maker's web site, which the main
// window's update timer runs as well.

#include "platform/Classes.h"
#include "platform/Forms.h"

#include <array>
#include <string>
#include <vector>

class TTimer;
class TLbButton;
class TExPageControl;
class TExTabSheet;

namespace USoftOptions {

// --- version query -----------------------------------------------------------

// This program's own version and the software code the query sends.
inline constexpr const char* Own_Version = "1.002";
inline constexpr const char* Query_SW_Code = "QS41010";
inline constexpr const char* Query_Path = "/home/download/GetversionSW.asp";
// The download page of the gateway (hardware code as the fragment).
inline constexpr const char* Download_Path = "/Home/download/download.asp#QG41010";

// Update timer: first check one minute after it is first enabled, then
// every two hours.
inline constexpr int First_Check_Interval = 60000;
inline constexpr int Check_Interval = 7200000;

// "VER. 1.003" -> 1003: the text after the first blank, trimmed, its
// characters 1, 3, 4 and 5 read as a decimal number; -1 when that is no
// number or the text is shorter than five characters.
int Conv_Version(const std::string& Ver_str);
// True when the web site's answer names a newer version than this program.
bool Is_Newer_Version(const std::string& answer);
// Asks the web site for the newest version; any failure counts as no newer
// version. Blocks until the answer, a failure or the time-out.
bool Check_Version();

// Full address of the download page, and a link to it showing text.
std::string Download_URL();
std::string Download_Link(const std::string& text);

// One tick of the main window's update timer: stops the timer, runs the
// query, and re-arms the timer at the two-hour interval. Returns the
// query's result (the caller shows or hides its update link).
bool Update_Timer_Tick(TTimer& timer);
// Enables the update timer exactly when internet use and update checks are
// both on. A timer that already runs is left running as it is.
void Apply_Update_Timer(TTimer& timer);

// --- language pages ----------------------------------------------------------

inline constexpr int Slots_Per_Page = 6;

// Language files of folder: file names ending in ".lng" in any case, not
// read-only, sorted without regard to case.
std::vector<std::string> List_Language_Files(const std::string& folder);
// Number of pages for count files (1 for none: the empty first page).
int Lang_Page_Count(int count);
// Language name of a file name (the name without its last four characters).
std::string Lang_Name_Of(const std::string& fileName);

struct TLangSlot {
    bool Visible = false;
    std::string Name;  // language name
    std::string Flag;  // picture to show, empty: no picture
};

struct TLangPage {
    int Page = 1;
    int Pages = 0;
    bool Prev_Visible = false;
    bool Next_Visible = false;
    std::array<TLangSlot, Slots_Per_Page> Slots;
};

// What page Num_Page of the list shows; flags are looked up in folder.
TLangPage Lang_Page(const std::vector<std::string>& files, int Num_Page, const std::string& folder);
// Page after pressing Next (forward) or Previous on page Show_Page.
int Step_Page(int Show_Page, int pages, bool forward);

} // namespace USoftOptions

// The options window.
class TFSoftOptions : public TForm {
public:
    TFSoftOptions();
    ~TFSoftOptions() override;
    const char* ClassName() const override { return "TFSoftOptions"; }

    void Set_Lang();
    void Create_Lang_List();
    void Update_Lang_Page(int Num_Page);
    void Update_CheckBox();
    bool Check_Version();

    // Title and button panels.
    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    TExPageControl* PC_Options;
    TExTabSheet* TS_Language;
    TExTabSheet* TS_Con_Options;
    TExTabSheet* TS_Soft_Settings;

    // Language page: six slots, 1..3 on the left, 4..6 on the right.
    TLabel* L_Sel_Lang;
    std::array<TImage*, USoftOptions::Slots_Per_Page> I_L{};
    std::array<TLabel*, USoftOptions::Slots_Per_Page> L_L{};
    TLbButton* Btn_Prev;
    TLbButton* Btn_Next;
    TLabel* L_Page_Lang;

    // Connection page.
    TCheckBox* CB_En_Con;
    TCheckBox* CB_Update;
    TLbButton* Btn_Check_Update;
    TLinkLabel* LL_Check_Update;

    // Table options page.
    TCheckBox* CB_Soft_Set_Jump_Table;
    TCheckBox* CB_DoubleClick_Auto_Size;

    TStringList SL_Languages;  // language file names with ".lng", sorted
    int Show_Page = 1;
    std::string Language_In_Use;

private:
    void FormCreate();
    void FormShow(TControl* Sender);
    void LangClick(TControl* Sender);
    void Btn_NextClick(TControl* Sender);
    void CB_En_ConClick(TControl* Sender);
    void Btn_Check_UpdateClick(TControl* Sender);
    void LL_Check_UpdateLinkClick(TControl* Sender, const std::string& Link);
    void Btn_OKClick(TControl* Sender);
    // Slot (1..6) of a clicked picture or label, 0 when none.
    int Slot_Of(TControl* Sender) const;
};

// The single instance, created at start-up with the other windows.
inline TFSoftOptions* FSoftOptions = nullptr;
