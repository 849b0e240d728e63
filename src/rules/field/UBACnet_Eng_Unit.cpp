// The BACnet engineering units and their picker.
#include "rules/field/UBACnet_Eng_Unit.h"

#include "core/ULanguage.h"
#include "core/UWholeNumber.h"
#include "widgets/LbButton.h"

#include <array>

using ULanguage::Text;

namespace {

// The names of codes 0 to 236, by code.
const std::array<const char*, Eng_Unit_Last_Code + 1> Unit_Names = {
    "square-meters",                        // 0
    "square-feet",
    "milliamperes",
    "amperes",
    "ohms",
    "volts",
    "kilovolts",
    "megavolts",
    "volt-amperes",
    "kilovolt-amperes",
    "megavolt-amperes",                     // 10
    "volt-amperes-reactive",
    "kilovolt-amperes-reactive",
    "megavolt-amperes-reactive",
    "degrees-phase",
    "power-factor",
    "joules",
    "kilojoules",
    "watt-hours",
    "kilowatt-hours",
    "btus",                                 // 20
    "therms",
    "ton-hours",
    "joules-per-kilogram-dry-air",
    "btus-per-pound-dry-air",
    "cycles-per-hour",
    "cycles-per-minute",
    "hertz",
    "grams-of-water-per-kilogram-dry-air",
    "percent-relative-humidity",
    "millimeters",                          // 30
    "meters",
    "inches",
    "feet",
    "watts-per-square-foot",
    "watts-per-square-meter",
    "lumens",
    "luxes",
    "foot-candles",
    "kilograms",
    "pounds-mass",                          // 40
    "tons",
    "kilograms-per-second",
    "kilograms-per-minute",
    "kilograms-per-hour",
    "pounds-mass-per-minute",
    "pounds-mass-per-hour",
    "watts",
    "kilowatts",
    "megawatts",
    "btus-per-hour",                        // 50
    "horsepower",
    "tons-refrigeration",
    "pascals",
    "kilopascals",
    "bars",
    "pounds-force-per-square-inch",
    "centimeters-of-water",
    "inches-of-water",
    "millimeters-of-mercury",
    "centimeters-of-mercury",               // 60
    "inches-of-mercury",
    "degrees-Celsius",
    "degrees-Kelvin",
    "degrees-Fahrenheit",
    "degree-days-Celsius",
    "degree-days-Fahrenheit",
    "years",
    "months",
    "weeks",
    "days",                                 // 70
    "hours",
    "minutes",
    "seconds",
    "meters-per-second",
    "kilometers-per-hour",
    "feet-per-second",
    "feet-per-minute",
    "miles-per-hour",
    "cubic-feet",
    "cubic-meters",                         // 80
    "imperial-gallons",
    "liters",
    "us-gallons",
    "cubic-feet-per-minute",
    "cubic-meters-per-second",
    "imperial-gallons-per-minute",
    "liters-per-second",
    "liters-per-minute",
    "us-gallons-per-minute",
    "degrees-angular",                      // 90
    "degrees-Celsius-per-hour",
    "degrees-Celsius-per-minute",
    "degrees-Fahrenheit-per-hour",
    "degrees-Fahrenheit-per-minute",
    "no-units",
    "parts-per-million",
    "parts-per-billion",
    "percent",
    "percent-per-second",
    "per-minute",                           // 100
    "per-second",
    "psi-per-degree-Fahrenheit",
    "radians",
    "revolutions-per-minute",
    "currency1",
    "currency2",
    "currency3",
    "currency4",
    "currency5",
    "currency6",                            // 110
    "currency7",
    "currency8",
    "currency9",
    "currency10",
    "square-inches",
    "square-centimeters",
    "btus-per-pound",
    "centimeters",
    "pounds-mass-per-second",
    "delta-degrees-Fahrenheit",             // 120
    "delta-degrees-Kelvin",
    "kilohms",
    "megohms",
    "millivolts",
    "kilojoules-per-kilogram",
    "megajoules",
    "joules-per-degree-Kelvin",
    "joules-per-kilogram-degree-Kelvin",
    "kilohertz",
    "megahertz",                            // 130
    "per-hour",
    "milliwatts",
    "hectopascals",
    "millibars",
    "cubic-meters-per-hour",
    "liters-per-hour",
    "kilowatt-hours-per-square-meter",
    "kilowatt-hours-per-square-foot",
    "megajoules-per-square-meter",
    "megajoules-per-square-foot",           // 140
    "watts-per-square-meter-degree-kelvin",
    "cubic-feet-per-second",
    "percent-obscuration-per-foot",
    "percent-obscuration-per-meter",
    "milliohms",
    "megawatt-hours",
    "kilo-btus",
    "mega-btus",
    "kilojoules-per-kilogram-dry-air",
    "megajoules-per-kilogram-dry-air",      // 150
    "kilojoules-per-degree-Kelvin",
    "megajoules-per-degree-Kelvin",
    "newton",
    "grams-per-second",
    "grams-per-minute",
    "tons-per-hour",
    "kilo-btus-per-hour",
    "hundredths-seconds",
    "milliseconds",
    "newton-meters",                        // 160
    "millimeters-per-second",
    "millimeters-per-minute",
    "meters-per-minute",
    "meters-per-hour",
    "cubic-meters-per-minute",
    "meters-per-second-per-second",
    "amperes-per-meter",
    "amperes-per-square-meter",
    "ampere-square-meters",
    "farads",                               // 170
    "henrys",
    "ohm-meters",
    "siemens",
    "siemens-per-meter",
    "teslas",
    "volts-per-degree-Kelvin",
    "volts-per-meter",
    "webers",
    "candelas",
    "candelas-per-square-meter",            // 180
    "degrees-Kelvin-per-hour",
    "degrees-Kelvin-per-minute",
    "joule-seconds",
    "radians-per-second",
    "square-meters-per-Newton",
    "kilograms-per-cubic-meter",
    "newton-seconds",
    "newtons-per-meter",
    "watts-per-meter-per-degree-Kelvin",
    "micro-siemens",                        // 190
    "cubic-feet-per-hour",
    "us-gallons-per-hour",
    "kilometers",
    "micrometers",
    "grams",
    "milligrams",
    "milliliters",
    "milliliters-per-second",
    "decibels",
    "decibels-millivolt",                   // 200
    "decibels-volt",
    "millisiemens",
    "watt-hours-reactive",
    "kilowatt-hours-reactive",
    "megawatt-hours-reactive",
    "millimeters-of-water",
    "per-mille",
    "grams-per-gram",
    "kilograms-per-kilogram",
    "grams-per-kilogram",                   // 210
    "milligrams-per-gram",
    "milligrams-per-kilogram",
    "grams-per-milliliter",
    "grams-per-liter",
    "milligrams-per-liter",
    "micrograms-per-liter",
    "grams-per-cubic-meter",
    "milligrams-per-cubic-meter",
    "micrograms-per-cubic-meter",
    "nanograms-per-cubic-meter",            // 220
    "grams-per-cubic-centimeter",
    "becquerels",
    "kilobecquerels",
    "megabecquerels",
    "gray",
    "milligray",
    "microgray",
    "sieverts",
    "millisieverts",
    "microsieverts",                        // 230
    "microsieverts-per-hour",
    "decibels-a",
    "nephelometric-turbidity-unit",
    "pH",
    "grams-per-square-meter",
    "minutes-per-degree-kelvin",            // 236
};

std::vector<int> Codes_From(int first, int last)
{
    std::vector<int> codes;
    for (int c = first; c <= last; ++c) codes.push_back(c);
    return codes;
}

std::vector<int> Other_Codes()
{
    std::vector<int> codes = {90,  91,  92,  93,  94,  183, 186, 137, 138, 139, 140, 95,  187, 188, 96,
                              97,  98,  143, 144, 99,  100, 101, 102, 103, 184, 104, 185, 189, 141};
    for (int c : Codes_From(207, Eng_Unit_Last_Code)) codes.push_back(c);
    return codes;
}

// The code of item index of the category index; -1 outside either list.
int Code_At(int category, int index)
{
    const std::vector<TEngUnitCategory>& all = Eng_Unit_Categories();
    if (category < 0 || category >= static_cast<int>(all.size())) return -1;
    const std::vector<int>& codes = all[static_cast<size_t>(category)].codes;
    if (index < 0 || index >= static_cast<int>(codes.size())) return -1;
    return codes[static_cast<size_t>(index)];
}

TLabel* New_Label(TWinControl* parent, int left, int top)
{
    auto* l = new TLabel(parent);
    l->SetLeft(left);
    l->SetTop(top);
    return l;
}

// A thin horizontal rule across the window.
void New_Rule(TWinControl* parent, int top)
{
    auto* s = new TShape(parent);
    s->SetBounds(16, top, 513, 2);
    s->SetPenColor(clGray);
    s->SetBrushColor(clWhite);
}

} // namespace

std::string Desc_Unit(int Num_Unit)
{
    if (Num_Unit < 0 || Num_Unit > Eng_Unit_Last_Code) return "unknown";
    return Unit_Names[static_cast<size_t>(Num_Unit)];
}

const std::vector<TEngUnitCategory>& Eng_Unit_Categories()
{
    static const std::vector<TEngUnitCategory> categories = {
        {"Acceleration", {166}},
        {"Area", {0, 116, 1, 115}},
        {"Currency", Codes_From(105, 114)},
        {"Electrical", {2,   3,   167, 168, 169, 199, 200, 201, 170, 171, 4,  172, 145, 122, 123, 190, 202, 173,
                        174, 175, 5,   124, 6,   7,   8,   9,   10,  11,  12, 13,  176, 177, 14,  15,  178}},
        {"Energy", {16, 17, 125, 126, 18, 19, 146, 203, 204, 205, 20, 147, 148, 21, 22}},
        {"Enthalpy", {23, 149, 150, 24, 117}},
        {"Entropy", {127, 151, 152, 128}},
        {"Force", {153}},
        {"Frequency", {25, 26, 27, 129, 130, 131}},
        {"Humidity", {28, 29}},
        {"Length", {194, 30, 118, 193, 31, 32, 33}},
        {"Light", {179, 180, 34, 35, 36, 37, 38}},
        {"Mass", {196, 195, 39, 40, 41}},
        {"Mass Flow", {154, 155, 42, 43, 44, 119, 45, 46, 156}},
        {"Power", {132, 47, 48, 49, 50, 157, 51, 52}},
        {"Pressure", {53, 133, 54, 134, 55, 56, 206, 57, 58, 59, 60, 61}},
        {"Temperature", {62, 63, 181, 182, 64, 65, 66, 120, 121}},
        {"Time", {67, 68, 69, 70, 71, 72, 73, 158, 159}},
        {"Torque", {160}},
        {"Velocity", {161, 162, 74, 163, 164, 75, 76, 77, 78}},
        {"Volume", {79, 80, 81, 197, 82, 83}},
        {"Volumetric Flow", {142, 84, 191, 85, 165, 135, 86, 198, 87, 88, 136, 89, 192}},
        {"Other", Other_Codes()},
    };
    return categories;
}

// --- the picker ---------------------------------------------------------------------

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit()
{
    Name = "FBACnet_Eng_Unit";
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(biSystemMenu);
    const TWindowFrame frame = Build_Window_Frame(*this, 548, 306);
    P_Title = frame.P_Title;
    L_SW_Code = frame.L_SW_Code;
    L_SW_Desc = frame.L_SW_Desc;
    P_Button = frame.P_Button;

    Label1 = New_Label(this, 16, 72);
    E_Selected_EU = new TEdit(this);
    E_Selected_EU->SetBounds(218, 69, 49, 21);
    E_Selected_EU->SetTabOrder(0);
    Label5 = New_Label(this, 273, 72);
    New_Rule(this, 104);
    Label2 = New_Label(this, 16, 117);
    Label2->Font().SetStyle({fsBold});
    Label3 = New_Label(this, 16, 152);
    CB_Select_Type = new TComboBox(this);
    CB_Select_Type->SetStyle(TComboBoxStyle::csDropDownList);
    CB_Select_Type->SetBounds(112, 149, 417, 21);
    CB_Select_Type->SetDropDownCount(23);
    CB_Select_Type->SetTabOrder(1);
    for (const TEngUnitCategory& c : Eng_Unit_Categories()) CB_Select_Type->Items().Add(c.name);
    CB_Select_Type->SetItemIndex(0);
    CB_Select_Type->OnChange = [this](TControl*) { CB_Select_TypeSelect(); };
    Label4 = New_Label(this, 16, 184);
    CB_Select_Unit = new TComboBox(this);
    CB_Select_Unit->SetStyle(TComboBoxStyle::csDropDownList);
    CB_Select_Unit->SetBounds(112, 181, 417, 21);
    CB_Select_Unit->SetDropDownCount(16);
    CB_Select_Unit->SetTabOrder(2);
    Btn_Select_Eng_Unit = New_Button(this, 16, 218, 513, 23);
    Btn_Select_Eng_Unit->SetTabOrder(3);
    Btn_Select_Eng_Unit->OnClick = [this](TControl*) { Btn_Select_Eng_UnitClick(); };
    New_Rule(this, 256);

    Btn_OK = New_Button(P_Button, 16, 6, 110, 28);
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel = New_Button(P_Button, 134, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    OnShow = [this](TControl*) { FormShow(); };
    Set_Lang();
    ULanguage::Register_Set_Lang(ULanguage::TLangWindow::BACnet_Eng_Unit, [this] { Set_Lang(); });
}

TFBACnet_Eng_Unit::~TFBACnet_Eng_Unit() { ULanguage::Unregister_Set_Lang(ULanguage::TLangWindow::BACnet_Eng_Unit); }

void TFBACnet_Eng_Unit::Set_Lang()
{
    SetCaption(Text(4400));
    L_SW_Desc->SetCaption(Text(4401));
    Btn_OK->SetCaption(Text(4402));
    Btn_Cancel->SetCaption(Text(4403));
    Label1->SetCaption(Text(4404));
    Label2->SetCaption(Text(4405));
    Label3->SetCaption(Text(4406));
    Label4->SetCaption(Text(4407));
    Btn_Select_Eng_Unit->SetCaption(Text(4408));
}

void TFBACnet_Eng_Unit::FormShow()
{
    CB_Select_TypeSelect();
    if (CB_Select_Type->CanFocus()) CB_Select_Type->SetFocus();
}

void TFBACnet_Eng_Unit::CB_Select_TypeSelect()
{
    CB_Select_Unit->Items().Clear();
    const std::vector<TEngUnitCategory>& all = Eng_Unit_Categories();
    const int category = CB_Select_Type->ItemIndex();
    if (category < 0 || category >= static_cast<int>(all.size())) return;
    for (int code : all[static_cast<size_t>(category)].codes) CB_Select_Unit->Items().Add(Desc_Unit(code));
    CB_Select_Unit->SetItemIndex(0);
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick()
{
    const int code = Code_At(CB_Select_Type->ItemIndex(), CB_Select_Unit->ItemIndex());
    if (code < 0) return;
    E_Selected_EU->SetText(std::to_string(code));
    Label5->SetCaption("-> " + Desc_Unit(code));
}

bool TFBACnet_Eng_Unit::Pick(std::string& text)
{
    E_Selected_EU->SetText(text);
    Label5->SetCaption("-> " + Desc_Unit(UComon::Whole_Number(text)));
    if (ShowModal() != mrOk) return false;
    text = E_Selected_EU->Text();
    return true;
}
