// The drop-down edit's keys: the key-down rules (opening and closing the
// pop-up, Enter as Tab, the caret kept between Prefix and Suffix), the
// character filter of the edit types, sign toggling, overwriting full
// decimals, the placement of separators, the money format and the dialog
// keys Enter and Escape.
//
// Positions are those of the field (UTF-16 units of the whole edit text);
// the value index of a caret is the caret less the Prefix's length.

#include "widgets/GridUtil.h"
#include "widgets/dropdown/DropDownForm.h"
#include "widgets/dropdown/ExDropDown.h"

#include "platform/ControlMessages.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsHexLetter(char32_t c) { return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

std::string Utf8Of(char32_t c)
{
    WideString w;
    if (c >= 0x10000) {
        w += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        w += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        w += static_cast<char16_t>(c);
    }
    return WideToUtf8(w);
}

// The single character of a case-mapped text (the character itself when
// the mapping gives more than one).
char32_t MapCase(char32_t c, bool upper)
{
    const WideString w = Utf8ToWide(upper ? AnsiUpperCase(Utf8Of(c)) : AnsiLowerCase(Utf8Of(c)));
    return w.size() == 1 ? static_cast<char32_t>(w[0]) : c;
}

} // namespace

// --- positions ---------------------------------------------------------------------------

WideString TExCustomDropDown::Value16() const { return Utf8ToWide(Text()); }
int TExCustomDropDown::PrefixLength() const { return static_cast<int>(Utf8ToWide(FPrefix).size()); }
int TExCustomDropDown::SuffixLength() const { return static_cast<int>(Utf8ToWide(FSuffix).size()); }

bool TExCustomDropDown::SignedNumberType() const
{
    return FSigned && (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney);
}

int TExCustomDropDown::IntegerPartEnd(const WideString& V) const
{
    const TFormatSettings& fs = FormatSettings();
    WideString t;
    for (char16_t c : V)
        if (c != static_cast<unsigned char>(fs.ThousandSeparator)) t += c;
    const size_t p = t.find(static_cast<char16_t>(static_cast<unsigned char>(fs.DecimalSeparator)));
    int end = p == WideString::npos ? static_cast<int>(t.size()) + 1 : static_cast<int>(p) + 1;
    if (SignedNumberType() && t.find(u'-') != WideString::npos) --end;
    return end;
}

int TExCustomDropDown::DecimalSeparatorCaret(const WideString& V) const
{
    const size_t p = V.find(static_cast<char16_t>(static_cast<unsigned char>(FormatSettings().DecimalSeparator)));
    if (p == WideString::npos) return PrefixLength() + static_cast<int>(V.size()) + SuffixLength() + 1;
    return PrefixLength() + static_cast<int>(p) + 1;
}

// A separator typed at value index b into a value holding thousand
// separators stands exactly three places from the nearest one.
static bool SeparatorPlacementOk(const WideString& V, int b)
{
    const char16_t thou = static_cast<unsigned char>(FormatSettings().ThousandSeparator);
    WideString rest = V;
    size_t q1 = rest.find(thou);
    if (q1 == WideString::npos) return true;
    int smallest = INT_MAX;
    while (q1 != WideString::npos) {
        const int q = static_cast<int>(q1) + 1;
        const int d = std::abs(q - b);
        smallest = std::min(smallest, d);
        if (d < 3) return false;
        if (q < b) b -= q;
        rest = rest.substr(q1 + 1);
        q1 = rest.find(thou);
    }
    return smallest <= 3;
}

bool TExCustomDropDown::DecimalsFull(const WideString& V, int v) const
{
    const char16_t dec = static_cast<unsigned char>(FormatSettings().DecimalSeparator);
    const size_t p0 = V.find(dec);
    if (FPrecision <= 0 || p0 == WideString::npos) return false;
    const int p = static_cast<int>(p0) + 1, len = static_cast<int>(V.size());
    return len - v <= FPrecision && v >= p && len - p >= FPrecision;
}

// --- the edit's text as the field changes it ---------------------------------------------

void TExCustomDropDown::SetValueKeepingModified(const WideString& V, int Caret)
{
    const bool modified = TCustomMaskEdit::Modified();
    SetTextDirect(FPrefix + WideToUtf8(V) + FSuffix);
    if (modified) TCustomMaskEdit::SetModified(true);
    SetSelStart(Caret);
}

void TExCustomDropDown::DeleteBack()
{
    if (ReadOnly()) return;
    if (SelLength() == 0) {
        const int caret = SelStart();
        if (caret == 0) return;
        SetSelStart(caret - 1);
        SetSelLength(1);
    }
    SetSelText("");
    TCustomMaskEdit::SetModified(true);
}

void TExCustomDropDown::DeleteForward()
{
    if (ReadOnly()) return;
    if (SelLength() == 0) SetSelLength(1);
    if (SelLength() == 0) return;
    SetSelText("");
    TCustomMaskEdit::SetModified(true);
}

bool TExCustomDropDown::PassChar(char32_t Key)
{
    KeyPress(Key);
    if (Key == 0) return false;
    if (Key == 8) {
        DeleteBack();
        return true;
    }
    if (Key < 32 || ReadOnly()) return false;
    // Typing over the whole value: the deletion is one change (the one the
    // filter swallows) and the character another.
    if (FBlockChange && SelLength() > 0) SetSelText("");
    InsertChar(Key);
    return true;
}

// --- sign and money ----------------------------------------------------------------------

void TExCustomDropDown::ToggleSign()
{
    const int plen = PrefixLength();
    const int c = SelStart();
    WideString V = Value16();
    if (V.find(u'-') != WideString::npos) {
        V.erase(0, 1);
        const bool modified = FEditType != etNumeric;
        SetValueKeepingModified(V, c > plen ? c - 1 : plen);
        if (modified) SetModified(true);
    } else {
        SetValueKeepingModified(u"-" + V, c + 1);
        SetModified(true);
    }
}

void TExCustomDropDown::FormatMoneyText()
{
    const WideString V = Value16();
    if (V.empty()) return;
    const TFormatSettings& fs = FormatSettings();
    const int L0 = static_cast<int>(V.size());
    const int c0 = SelStart();
    const WideString sign = V[0] == u'-' ? WideString(u"-") : WideString();
    const size_t p = V.find(static_cast<char16_t>(static_cast<unsigned char>(fs.DecimalSeparator)));
    const WideString fraction = p == WideString::npos ? WideString() : V.substr(p, 255);
    const double whole = std::fabs(std::trunc(GetFloatValue()));
    const std::string integer = Format(FAutoThousandSeparator ? "%.0n" : "%.0f", {whole});
    const WideString NV = sign + Utf8ToWide(integer) + fraction;
    FBlockChange = NV != V;
    SetValueKeepingModified(NV, std::max(c0 + static_cast<int>(NV.size()) - L0, 0));
    FBlockChange = false;
}

// --- key down ----------------------------------------------------------------------------

// The close rule: Enter closes keeping the choice, Escape cancelled, F4
// toggles.
void TExCustomDropDown::ApplyCloseRule(int Key)
{
    if (Key == VK_RETURN)
        DoHideDropDown(false);
    else if (Key == VK_ESCAPE)
        DoHideDropDown(true);
    else if (Key == VK_F4) {
        if (FDropDownForm && FDropDownForm->Visible())
            DoHideDropDown(false);
        else
            DoShowDropDown();
    }
}

void TExCustomDropDown::KeyDown(int& Key, TShiftState Shift)
{
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (!FAltToggled && Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
        if (FDroppedDown)
            DoHideDropDown(false);
        else
            DoShowDropDown();
    }
}

void TExCustomDropDown::KeyPress(char32_t& Key)
{
    TCustomMaskEdit::KeyPress(Key);
    if (Key == 13) Key = 0;
}

void TExCustomDropDown::KeyUp(int& Key, TShiftState Shift) { TCustomMaskEdit::KeyUp(Key, Shift); }

bool TExCustomDropDown::InheritedKeyDown(int& Key, TShiftState Shift)
{
    FAltToggled = FAltToggledNow;
    const bool taken = TCustomMaskEdit::DoKeyDown(Key, Shift);
    FAltToggled = false;
    return taken;
}

bool TExCustomDropDown::DoKeyDown(int& Key, TShiftState Shift)
{
    const int typed = Key;
    const bool direct = !FForwardingKey;
    const bool dialogKey = (typed == VK_RETURN || typed == VK_ESCAPE) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    // Enter and Escape typed into the edit itself: the dialog rules first
    // (an open pop-up keeps its Escape).
    if (direct && dialogKey && !(FDroppedDown && typed == VK_ESCAPE)) {
        int k = Key;
        WantSpecialKey(k);
    }
    KeyDownRules(Key, Shift);
    // Ctrl+Enter and Alt+Enter do not click the default button either.
    if (!dialogKey) return Key == 0 || FKeyTaken || typed == VK_RETURN;
    // Enter and Escape never reach the window's own dialog handling: what
    // the form gets of them was posted to it above. The character follows
    // the key as on the class library's platform.
    if (direct) {
        char32_t ch = typed == VK_RETURN ? 13 : 27;
        DoKeyPress(ch);
    }
    return true;
}

void TExCustomDropDown::KeyDownRules(int& Key, TShiftState Shift)
{
    FKeyTaken = false;
    FAltToggledNow = false;
    const bool shift = Shift.Contains(ssShift);
    // 1: Alt+Up / Alt+Down toggle the pop-up; the key goes on.
    if (Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
        if (FDroppedDown)
            DoHideDropDown(false);
        else
            DoShowDropDown();
        FAltToggledNow = true;
    }
    // 2: an edit that takes no text only opens and closes.
    if (!FEditorEnabled && Enabled()) {
        if (!ReadOnly()) ApplyCloseRule(Key);
        if (Key == VK_RETURN || Key == VK_ESCAPE) InheritedKeyDown(Key, Shift);
        FKeyTaken = true;
        return;
    }
    // 3
    if (Shift.Contains(ssCtrl) && (Key == VK_TAB || Key == VK_RETURN)) {
        FKeyTaken = InheritedKeyDown(Key, Shift);
        return;
    }
    // 4: Enter as Tab.
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        if (Visible()) PostKeyDown(*this, VK_TAB);
    }
    const int plen = PrefixLength();
    const int limit = CaretLimit();
    const int caret = SelStart();
    const int selEnd = caret + SelLength();
    // 5 to 9: the caret stays between Prefix and Suffix.
    if (Key == VK_RIGHT && !FSuffix.empty() && selEnd >= limit) {
        FKeyTaken = true;
        return;
    }
    if (Key == VK_DELETE && !FSuffix.empty() && !shift) {
        if (selEnd >= limit && SelLength() == 0) {
            FKeyTaken = true;
            return;
        }
        SetModified(true);
    }
    if (Key == VK_LEFT && !FPrefix.empty() && selEnd <= plen) {
        FKeyTaken = true;
        return;
    }
    if (Key == VK_END && !FSuffix.empty()) {
        if (shift)
            SetSelLength(limit - caret);
        else
            SetSelStart(limit);
        FKeyTaken = true;
        return;
    }
    if (Key == VK_HOME && !FPrefix.empty()) {
        SetSelStart(plen);
        if (shift) SetSelLength(limit - plen);
        FKeyTaken = true;
        return;
    }
    // 10
    if (Key == VK_BACK && !FPrefix.empty()) {
        // Within the prefix the key itself is dropped; its character still
        // meets the character filter.
        if (caret <= plen + 1) return;
        SetModified(true);
    }
    const bool plainDelete = Key == VK_DELETE && !shift && !Shift.Contains(ssCtrl);
    if (plainDelete && caret >= plen) {
        const WideString V = Value16();
        const int v = std::clamp(caret - plen, 0, static_cast<int>(V.size()));
        const int n = SelLength() > 0 ? SelLength() : 1;
        WideString after = V;
        after.erase(static_cast<size_t>(v), static_cast<size_t>(std::min(n, static_cast<int>(V.size()) - v)));
        if (FLengthLimit > 0 && IntegerPartEnd(after) - 1 > FLengthLimit) {
            FKeyTaken = true;
            return;
        }
        SetModified(true);
    }
    FKeyTaken = InheritedKeyDown(Key, Shift);
    if (!FKeyTaken && Key == VK_DELETE && plainDelete) {
        // The field's own deletion, done here so that the money format follows it.
        DeleteForward();
        FKeyTaken = true;
        if (FEditType == etMoney) FormatMoneyText();
    }
    AfterKey();
    ApplyCloseRule(Key);
}

void TExCustomDropDown::AfterKey()
{
    // The field moved the caret (word steps, Shift+arrows): never into the
    // prefix or the suffix.
    const int plen = PrefixLength(), limit = CaretLimit();
    const int s = SelStart(), e = s + SelLength();
    if (s >= plen && e <= limit) return;
    const int ns = std::clamp(s, plen, limit), ne = std::clamp(e, plen, limit);
    SetSelStart(ns);
    SetSelLength(ne - ns);
}

// --- dialog keys -------------------------------------------------------------------------

bool TExCustomDropDown::WantSpecialKey(int& Key)
{
    TForm* form = ParentForm();
    if (!form) return false;
    const bool kp = form->KeyPreview();
    if (Key == VK_ESCAPE && FCanUndo && !kp) {
        SelectAll();
        SetModified(false);
        Key = 0;
        if (Parent() && FDefaultHandling) {
            PostKeyDown(*form, VK_ESCAPE);
            PostKeyUp(*form, VK_ESCAPE);
        }
        return false;
    }
    if (Key == VK_RETURN && FDefaultHandling && !kp && Parent() && WindowIsActive(*this)) {
        PostKeyDown(*form, VK_RETURN);
        PostKeyUp(*form, VK_RETURN);
    }
    return Key == VK_ESCAPE && FDroppedDown;
}

// --- characters --------------------------------------------------------------------------

bool TExCustomDropDown::DoKeyPress(char32_t& Key)
{
    if (FEditorEnabled) FilterChar(Key);
    // The swallowing covers this character's own change only.
    FBlockChange = false;
    return true;
}

void TExCustomDropDown::FilterChar(char32_t Key)
{
    const TFormatSettings& fs = FormatSettings();
    const char32_t dec = static_cast<unsigned char>(fs.DecimalSeparator);
    const char32_t thou = static_cast<unsigned char>(fs.ThousandSeparator);
    const int plen = PrefixLength();
    const WideString V = Value16();
    const int vlen = static_cast<int>(V.size());
    const int caret = SelStart();
    const int sel = SelLength();
    TForm* form = ParentForm();

    // 1: typing over the whole value.
    if (sel == vlen && vlen > 0) FBlockChange = true;
    // 3: Enter.
    if (Key == 13) {
        if (OnKeyPress) {
            char32_t k = 13;
            OnKeyPress(this, k);
        }
        if (!FDefaultHandling && Parent() && form) {
            PostKeyDown(*form, VK_RETURN);
            if (!form->KeyPreview()) PostKeyUp(*form, VK_RETURN);
        }
        return;
    }
    // 4: Escape types nothing.
    if (Key == 27) {
        if (!FDefaultHandling && Parent() && form && !form->KeyPreview()) {
            PostKeyDown(*form, VK_ESCAPE);
            PostKeyUp(*form, VK_ESCAPE);
        }
        char32_t k = 27;
        KeyPress(k);
        return;
    }
    // 6: the keypad's decimal key.
    if (FExcelStyleDecimalSeparator && (Key == '.' || Key == ',') && KeyFromKeypad()) Key = dec;
    // 7
    if (Key == 8 && !FPrefix.empty() && caret <= plen && sel == 0) return;
    // 8: the integer part is full.
    if (FLengthLimit > 0 && sel == 0 && IntegerPartEnd(V) > FLengthLimit && caret < DecimalSeparatorCaret(V) &&
        Key != 8 && Key != dec && !(Key == '-' && SignedNumberType()))
        return;
    // 9: Backspace.
    if (Key == 8) {
        const int k = caret - plen;
        WideString P = V;
        if (k >= 1 && k <= vlen) P.erase(static_cast<size_t>(k - 1), static_cast<size_t>(sel > 0 ? sel : 1));
        PassChar(8);
        if (Value16().empty() && !P.empty()) TCustomMaskEdit::Change();
        if (TCustomMaskEdit::Modified()) SetModified(true);
        return;
    }
    // 10
    if (Key == '-' && !FSigned && (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney)) return;

    // 11: the edit type's rule.
    switch (FEditType) {
    case etString:
    case etPassword:
        if (PassChar(Key)) SetModified(true);
        break;
    case etNumeric:
        if (Key == '-') {
            if (sel == vlen)
                SetValueKeepingModified(u"-", plen + 1);
            else
                ToggleSign();
            SetModified(true);
        } else if (IsDigit(Key) || Key == 9) {
            PassChar(Key);
        }
        break;
    case etFloat:
    case etMoney: {
        const bool money = FEditType == etMoney;
        if (!money && (Key == ',' || Key == '.') && Key != dec && Key != thou) return;
        const bool accepted = IsDigit(Key) || Key == 9 || Key == '-' || Key == dec ||
                              (!money && (Key == ',' || Key == '.'));
        if (!accepted) return;
        const int v = caret - plen;
        if (Key == dec) {
            bool outside = false;
            for (int i = 0; i < vlen; ++i)
                if (V[static_cast<size_t>(i)] == dec && (i < v || i >= v + sel)) outside = true;
            if (outside || FPrecision == 0) {
                if (FPrecision > 0) {
                    if (money && sel == vlen) SetText("0,0");
                    SelectAfterDecimal();
                }
                return;
            }
        }
        if (!money && Key == ',' && thou != ',') {
            for (int i = 0; i < vlen; ++i)
                if (V[static_cast<size_t>(i)] == u',' && (i < v || i >= v + sel)) return;
        }
        if ((Key == thou || Key == dec) && !SeparatorPlacementOk(V, v)) return;
        if (sel == 0 && (IsDigit(Key) || Key == dec) && DecimalsFull(V, v)) {
            if (IsDigit(Key) && v < vlen)
                SetSelLength(1);
            else
                return;
        }
        if (V.empty() && v == 0 && Key == dec) {
            WideString z = u"0";
            z += static_cast<char16_t>(dec);
            SetValueKeepingModified(z, plen + 2);
            SetModified(true);
            return;
        }
        if (Key == '-') {
            if (sel == 0)
                ToggleSign();
            else
                PassChar(Key);
            return;
        }
        if (!PassChar(Key)) break;
        if (money) {
            const WideString now = Value16();
            if (!now.empty() && now != u"-" && Key != dec) {
                if (TCustomMaskEdit::Modified()) SetModified(true);
                FormatMoneyText();
            }
        }
        break;
    }
    case etUppercase: PassChar(MapCase(Key, true)); break;
    case etLowerCase: PassChar(MapCase(Key, false)); break;
    case etMixedCase:
        if (PassChar(Key)) {
            const WideString mixed = Utf8ToWide(MixedCaseText(Text()));
            if (mixed != Value16()) SetValueKeepingModified(mixed, caret + 1);
        }
        break;
    case etRange: {
        const bool separator = Key == ',' || Key == '-' || Key == ';';
        if (!(separator || IsDigit(Key) || Key == 9)) return;
        if (separator) {
            auto isSep = [](char16_t c) { return c == u',' || c == u'-' || c == u';'; };
            const int v = caret - plen;
            if (caret <= plen) return;
            if (v >= 1 && v <= vlen && isSep(V[static_cast<size_t>(v - 1)])) return;
            if (v >= 0 && v < vlen && isSep(V[static_cast<size_t>(v)])) return;
        }
        if (PassChar(Key)) SetModified(true);
        break;
    }
    case etHex:
        if ((IsDigit(Key) || IsHexLetter(Key) || Key == '-' || Key == 9) && PassChar(Key)) SetModified(true);
        break;
    case etAlphaNumeric:
        if ((IsDigit(Key) || IsAsciiLetter(Key) || Key == 9) && PassChar(Key)) SetModified(true);
        break;
    case etValidChars:
        if (FValidChars.find(Utf8Of(Key)) != std::string::npos && PassChar(Key)) SetModified(true);
        break;
    }
    // 12
    if (TCustomMaskEdit::Modified()) SetModified(true);
}

void TExCustomDropDown::Change()
{
    if (FBlockChange) {
        FBlockChange = false;
        return;
    }
    TCustomMaskEdit::Change();
}
