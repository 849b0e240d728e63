// The drop-down edit: construction, properties, the text model, numbers,
// copying and the attached label.

#include "widgets/dropdown/ExDropDown.h"

#include "widgets/GridParsers.h"
#include "widgets/dropdown/DropDownDraw.h"
#include "widgets/dropdown/DropDownForm.h"

#include "platform/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr std::uint32_t VersionNr = 0x01020104; // 1.2.1.4

bool IsNumberType(TDropDownEditType t) { return t == etNumeric || t == etFloat || t == etMoney || t == etHex; }

std::string WithoutChar(const std::string& s, char c)
{
    std::string r;
    for (char ch : s)
        if (ch != c) r += ch;
    return r;
}

// Hexadecimal digits of N without leading zeros (upper case).
std::string HexText(std::int64_t N)
{
    std::uint64_t v = static_cast<std::uint64_t>(N);
    if (v == 0) return "0";
    std::string r;
    while (v) {
        r.insert(r.begin(), "0123456789ABCDEF"[v & 0xF]);
        v >>= 4;
    }
    return r;
}

// The longest "." number at the start of the text (the run-time library's
// Val, whose error position is not looked at); 0 when there is none.
double LeadingNumber(const std::string& s)
{
    const std::string t = Trim(s);
    for (size_t n = t.size(); n > 0; --n) {
        double v = 0;
        if (TryDotTextToFloat(t.substr(0, n), v)) return v;
    }
    return 0;
}

} // namespace

// --- construction ------------------------------------------------------------------------

TExCustomDropDown::TExCustomDropDown(TWinControl* parent)
    : TCustomMaskEdit(parent), FDropDownHeader(std::make_unique<THeaderAppearance>(nullptr)),
      FDropDownFooter(std::make_unique<TFooterAppearance>(nullptr)),
      FButtonAppearance(std::make_unique<TExButtonAppearance>()), FLabelFont(std::make_unique<TFont>())
{
    TCustomMaskEdit::SetBounds(Left(), Top(), 200, 21);
    CreateDropDownForm();
    CreateDropDownButton();
    TCustomMaskEdit::SetReadOnly(false);
    SetText("");
    FOldText.clear();
    // A change of the header or footer while the pop-up is open shows at once.
    auto reinit = [this](TObject*) {
        if (FDropDownForm && FDroppedDown) FDropDownForm->InitializeAndUpdate();
    };
    FDropDownHeader->OnChange = reinit;
    FDropDownHeader->OnButtonsChanged = reinit;
    FDropDownFooter->OnChange = reinit;
    FDropDownFooter->OnButtonsChanged = reinit;
    TExCustomDropDown::SetSelectionColorStyle(scOffice2007);
    TExCustomDropDown::SetComponentStyle(tsOffice2007Luna);
    FLabelFont->OnChange = [this] { UpdateLabelPosition(); };
    ResizeControl();
}

TExCustomDropDown::~TExCustomDropDown()
{
    FDestroying = true;
    FLabelFont->OnChange = nullptr;
    if (FDropDownForm) {
        FDropDownForm->SetExDropDown(nullptr);
        FDropDownForm.reset();
    }
}

std::uint32_t TExCustomDropDown::GetVersionNr() const { return VersionNr; }

std::string TExCustomDropDown::Version() const
{
    const std::uint32_t v = GetVersionNr();
    return IntToStr(v >> 24) + "." + IntToStr((v >> 16) & 0xFF) + "." + IntToStr((v >> 8) & 0xFF) + "." +
           IntToStr(v & 0xFF);
}

void TExCustomDropDown::CreateDropDownForm()
{
    if (FDropDownForm) return;
    FDropDownForm = std::make_unique<TDropDownForm>(this);
    TDropDownForm& f = *FDropDownForm;
    f.SetBounds(0, 0, FDropDownWidth, FDropDownHeight);
    f.OnHide = [this](TControl*) { AfterDropUp(); };
    // The pop-up's own keys (those of its controls reach the edit through
    // the control's key events and then pass the pop-up unseen).
    f.OnKeyPress = [this](TControl* Sender, char32_t& Key) {
        if (Sender->Focused()) FormKeyPress(Key);
    };
    f.OnKeyDown = [this](TControl* Sender, int& Key, TShiftState Shift) {
        if (Sender->Focused()) FormKeyDown(Key, Shift);
    };
    f.OnKeyUp = [this](TControl* Sender, int& Key, TShiftState Shift) {
        if (Sender->Focused()) FormKeyUp(Key, Shift);
    };
    f.OnMouseWheelDown = [this](TControl*, TShiftState Shift, TPoint P, bool& Handled) {
        FormMouseWheelDown(Shift, P, Handled);
    };
    f.OnMouseWheelUp = [this](TControl*, TShiftState Shift, TPoint P, bool& Handled) {
        FormMouseWheelUp(Shift, P, Handled);
    };
    f.OnDestroy = [this](TControl*) {
        if (!FDestroying) DropDownFormDestroyed();
    };
    f.OnSizing = [this](TControl*) { DropDownSizing(); };
}

void TExCustomDropDown::CreateDropDownButton()
{
    if (!FButton) {
        FButton = new TDropDownEditButton(this);
        FButton->OnClick = [this](TControl*) { DropDownButtonClick(); };
    }
    UpdateDropDownButton();
}

void TExCustomDropDown::UpdateDropDownButton()
{
    if (!FButton) return;
    FButton->SetButtonWidth(FButtonWidth);
    FButton->SetHeight(17);
    FButton->SetVisible(true);
    FButton->SetFocusControl(this);
}

// --- text model --------------------------------------------------------------------------

std::string TExCustomDropDown::Text() const
{
    std::string t = TCustomMaskEdit::Text();
    if (!FPrefix.empty() && t.compare(0, FPrefix.size(), FPrefix) == 0) t.erase(0, FPrefix.size());
    if (!FSuffix.empty() && t.size() >= FSuffix.size() &&
        t.compare(t.size() - FSuffix.size(), FSuffix.size(), FSuffix) == 0)
        t.erase(t.size() - FSuffix.size());
    return t;
}

void TExCustomDropDown::SetText(const std::string& Value)
{
    std::string v = Value;
    if (v.empty() && IsNumberType(FEditType)) v = "0";
    if (FPrecision > 0 && !v.empty() && v != "Error") {
        if (FEditType == etMoney)
            v = Format("%.*n", {static_cast<int>(FPrecision), TextToFloat(v)});
        else if (FEditType == etFloat)
            v = Format("%.*f", {static_cast<int>(FPrecision), TextToFloat(v)});
    }
    if (FEditType == etHex) v = AnsiUpperCase(v);
    TCustomMaskEdit::SetText(FPrefix + v + FSuffix);
    FOldText = v;
    SetModified(false);
}

void TExCustomDropDown::SetModified(bool Value)
{
    if (!FEditorEnabled || ReadOnly()) return;
    TCustomMaskEdit::SetModified(Value);
    FIsModified = Value;
}

// --- numbers -----------------------------------------------------------------------------

int TExCustomDropDown::ClassifyNumberText(const std::string& S)
{
    if (S.empty()) return ntNotANumber;
    const TFormatSettings& fs = FormatSettings();
    bool hexSet = true, intSet = true, decSet = true;
    int minus = 0, decimals = 0;
    long long lastThousand = -1;
    for (size_t i = 0; i < S.size(); ++i) {
        const char c = S[i];
        const bool digit = c >= '0' && c <= '9';
        if (c == '-') ++minus;
        if (c == fs.DecimalSeparator) ++decimals;
        if (!(digit || c == '-' || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'))) hexSet = false;
        if (!(digit || c == '-')) intSet = false;
        if (!(digit || c == ',' || c == '-' || c == '.')) decSet = false;
        if (c == fs.ThousandSeparator) {
            // Not the first character, and at least three characters after
            // the previous one.
            if (i == 0 || (lastThousand >= 0 && static_cast<long long>(i) - lastThousand < 4)) decSet = false;
            lastThousand = static_cast<long long>(i);
        }
    }
    int kind = ntNotANumber;
    if (intSet)
        kind = ntInteger;
    else if (decSet)
        kind = ntDecimal;
    else if (hexSet)
        kind = ntHexOrScientific;
    if (minus > 1 || decimals > 1) kind = ntNotANumber;
    return kind;
}

double TExCustomDropDown::TextToFloat(const std::string& S)
{
    const TFormatSettings& fs = FormatSettings();
    std::string t = WithoutChar(S, fs.ThousandSeparator);
    std::replace(t.begin(), t.end(), fs.DecimalSeparator, '.');
    double v = 0;
    return TryDotTextToFloat(t, v) ? v : 0;
}

std::int64_t TExCustomDropDown::HexToInt(const std::string& S)
{
    constexpr std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::uint64_t sum = 0;
    std::uint64_t weight = 1;
    bool weightPastLimit = false;
    for (size_t i = S.size(); i-- > 0;) {
        const char c = S[i];
        int d = 0;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        if (d != 0) {
            if (weightPastLimit || static_cast<std::uint64_t>(d) > (limit - sum) / weight) return static_cast<std::int64_t>(limit);
            sum += static_cast<std::uint64_t>(d) * weight;
        }
        if (!weightPastLimit) {
            if (weight > limit / 16)
                weightPastLimit = true;
            else
                weight *= 16;
        }
    }
    return static_cast<std::int64_t>(sum);
}

double TExCustomDropDown::GetFloatValue() const
{
    const std::string v = Text();
    switch (FEditType) {
    case etString: return LeadingNumber(v);
    case etNumeric:
    case etFloat:
        if (v.empty() || v == "Error" || v == "-") return 0;
        return TextToFloat(v);
    case etMoney: {
        if (v.empty()) return 0;
        std::string t = WithoutChar(v, FormatSettings().ThousandSeparator);
        if (!t.empty() && t.back() == FormatSettings().DecimalSeparator) t.pop_back();
        if (t.empty() || t == "-") return 0;
        return TextToFloat(t);
    }
    case etHex: return v.empty() ? 0 : static_cast<double>(HexToInt(v));
    default: return 0;
    }
}

void TExCustomDropDown::SetFloatValue(double X)
{
    const int prec = FPrecision;
    switch (FEditType) {
    case etString:
    case etFloat: SetText(prec < 0 ? Format("%g", {X}) : Format("%.*f", {prec, X})); break;
    case etNumeric: SetText(prec < 0 ? Format("%g", {X}) : Format("%.*n", {prec, X})); break;
    case etMoney:
        SetText(prec < 0 ? Format("%g", {X}) : Format("%.*f", {prec, X}));
        FormatMoneyText();
        break;
    case etHex: {
        const double t = std::trunc(X);
        const double lim = 9.2e18;
        SetText(HexText(static_cast<std::int64_t>(std::clamp(std::isnan(t) ? 0.0 : t, -lim, lim))));
        break;
    }
    default: break;
    }
    SetModified(true);
}

void TExCustomDropDown::SetIntValue(std::int64_t N)
{
    switch (FEditType) {
    case etNumeric:
    case etFloat: SetText(IntToStr(N)); break;
    case etMoney:
        SetText(IntToStr(N));
        FormatMoneyText();
        break;
    case etHex: SetText(HexText(N)); break;
    default: break;
    }
    SetModified(true);
}

void TExCustomDropDown::SetEditType(TDropDownEditType Value)
{
    if (FEditType == Value) return;
    FEditType = Value;
    if (Value == etPassword) {
        SetPasswordChar('*');
        FCanUndo = false;
    } else {
        SetPasswordChar(0);
    }
    const int kind = ClassifyNumberText(Text());
    if (Value == etNumeric && kind != ntInteger)
        SetIntValue(0);
    else if ((Value == etFloat || Value == etMoney) && kind > ntDecimal)
        SetFloatValue(0);
    else if (Value == etHex && kind != ntInteger && kind != ntHexOrScientific)
        SetIntValue(0);
}

void TExCustomDropDown::SetPrecision(int Value)
{
    if (FPrecision == Value) return;
    if (FEditType != etString && FEditType != etFloat && FEditType != etMoney) return;
    FPrecision = static_cast<std::int16_t>(Value);
    if (ClassifyNumberText(Text()) > ntDecimal)
        SetFloatValue(0);
    else
        SetFloatValue(GetFloatValue());
}

// --- properties --------------------------------------------------------------------------

void TExCustomDropDown::SetBorderColor(TColor Value)
{
    FBorderColor = Value;
    Invalidate();
    if (FButton) FButton->Button()->Invalidate();
}

void TExCustomDropDown::SetDisabledBorder(bool Value)
{
    FDisabledBorder = Value;
    Invalidate();
}

void TExCustomDropDown::SetDropDownWidth(int Value)
{
    if (FDropDownWidth == Value) return;
    FDropDownWidth = Value;
    FUserDropDownWidth = -1;
}

void TExCustomDropDown::SetDropDownHeight(int Value)
{
    if (FDropDownHeight == Value) return;
    FDropDownHeight = Value;
    FUserDropDownHeight = -1;
}

void TExCustomDropDown::SetDropDownButtonWidth(int Value)
{
    if (!FButton || FButtonWidth == Value) return;
    FButtonWidth = Value;
    FButton->SetButtonWidth(Value);
    ResizeControl();
}

void TExCustomDropDown::SetDropDownButtonHint(const std::string& Value)
{
    if (FButtonHint == Value) return;
    FButtonHint = Value;
    if (!FButton) return;
    FButton->SetHint(Value);
    FButton->Button()->SetHint(Value);
    FButton->SetShowHint(!Value.empty());
    FButton->Button()->SetShowHint(!Value.empty());
}

void TExCustomDropDown::SetImages(TCustomImageList* Value)
{
    FImages = Value;
    Invalidate();
}

void TExCustomDropDown::SetFlat(bool Value)
{
    if (FFlat == Value) return;
    FFlat = Value;
    ResizeControl();
}

void TExCustomDropDown::SetEtched(bool Value)
{
    FEtched = Value;
    if (FButton) FButton->Button()->SetEtched(Value);
}

void TExCustomDropDown::SetControl(TControl* Value)
{
    if (FControl == Value) return;
    FControl = Value;
    FControlSize = {-1, -1};
    UpdateDropDownControl();
}

void TExCustomDropDown::SetEnabled(bool v)
{
    TCustomMaskEdit::SetEnabled(v);
    if (FButton) FButton->SetEnabled(v);
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(v);
    Invalidate();
}

void TExCustomDropDown::SetReadOnly(bool v)
{
    TCustomMaskEdit::SetReadOnly(v);
    if (FButton) FButton->Button()->Invalidate();
}

void TExCustomDropDown::SetBounds(int left, int top, int width, int height)
{
    TCustomMaskEdit::SetBounds(left, top, width, height);
    if (FLabel && FLabel->Parent()) UpdateLabelPosition();
}

void TExCustomDropDown::HeaderButtonClick(int ButtonIndex)
{
    if (OnDropDownHeaderButtonClick) OnDropDownHeaderButtonClick(this, ButtonIndex);
}

void TExCustomDropDown::FooterButtonClick(int ButtonIndex)
{
    if (OnDropDownFooterButtonClick) OnDropDownFooterButtonClick(this, ButtonIndex);
}

void TExCustomDropDown::Assign(const TControl* Source)
{
    const auto* s = dynamic_cast<const TExCustomDropDown*>(Source);
    if (!s || s == this) return;
    FFocusDraw = s->FFocusDraw;
    FForceShadow = s->FForceShadow;
    FDropDownEnabled = s->FDropDownEnabled;
    FDropDownColor = s->FDropDownColor;
    FDropDownColorTo = s->FDropDownColorTo;
    FDropDownGradient = s->FDropDownGradient;
    FDropDownBorderColor = s->FDropDownBorderColor;
    FDropDownBorderWidth = s->FDropDownBorderWidth;
    FDropDownShadow = s->FDropDownShadow;
    SetDropDownWidth(s->FDropDownWidth);
    SetDropDownHeight(s->FDropDownHeight);
    FDropDownSizeable = s->FDropDownSizeable;
    FEditType = s->FEditType;
    FReturnIsTab = s->FReturnIsTab;
    FLengthLimit = s->FLengthLimit;
    FPrecision = s->FPrecision;
    FPrefix = s->FPrefix;
    FSuffix = s->FSuffix;
    FDefaultHandling = s->FDefaultHandling;
    FCanUndo = s->FCanUndo;
    FExcelStyleDecimalSeparator = s->FExcelStyleDecimalSeparator;
    FValidChars = s->FValidChars;
    FSigned = s->FSigned;
    FAutoThousandSeparator = s->FAutoThousandSeparator;
    FButtonAppearance->Assign(s->FButtonAppearance.get());
    FDropDownHeader->Assign(s->FDropDownHeader.get());
    FDropDownFooter->Assign(s->FDropDownFooter.get());
    FDropPosition = s->FDropPosition;
    SetFlat(s->FFlat);
    SetDropDownButtonWidth(s->FButtonWidth);
    SetDropDownButtonHint(s->FButtonHint);
    FEditorEnabled = s->FEditorEnabled;
    if (FButton && s->FButton) {
        FButton->SetGlyph(s->FButton->Glyph());
        FButton->SetButtonCaption(s->FButton->ButtonCaption());
    }
    SetEtched(s->FEtched);
    SetImages(s->FImages);
    FSelectionColorStyle = s->FSelectionColorStyle;
    FSelectionColor = s->FSelectionColor;
    FSelectionColorTo = s->FSelectionColorTo;
}

void TExCustomDropDown::DrawGradientBackground(TCanvas& Canvas, TColor FromColor, TColor ToColor, int Steps,
                                               const TRect& R, bool Vertical)
{
    DrawGradient(Canvas, FromColor, ToColor, Steps, R, !Vertical);
}
