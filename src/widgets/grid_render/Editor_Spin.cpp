#include "widgets/grid_render/Editor_Spin.h"

#include "widgets/GridParsers.h"

#include "platform/ControlMessages.h"
#include "platform/Input.h"
#include "platform/SysMetrics.h"
#include "platform/SysUtils.h"
#include "platform/Themes.h"

#include <algorithm>
#include <cmath>

// --- helpers ---------------------------------------------------------------------------

bool TryLocaleStrToFloat(std::string_view s, double& out)
{
    const std::string t = Trim(s);
    const char dec = FormatSettings().DecimalSeparator;
    std::string dot;
    for (char c : t) {
        if (c == dec) dot += '.';
        else if (c == '.') return false;
        else dot += c;
    }
    return !dot.empty() && TryDotTextToFloat(dot, out);
}

TDateTime IncMonthKeepingDay(TDateTime date, int months)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    long total = static_cast<long>(y) * 12 + (m - 1) + months;
    const int ny = static_cast<int>(total / 12), nm = static_cast<int>(total % 12) + 1;
    TDateTime r = date;
    if (!TryEncodeDate(ny, nm, std::min(d, DaysInAMonth(ny, nm)), r)) return date;
    const double frac = std::fabs(date - std::trunc(date));
    return r >= 0 ? r + frac : r - frac;
}

namespace {

bool Contains(const std::string& s, char c) { return s.find(c) != std::string::npos; }

// The default glyphs: a black triangle 7 pixels wide and 4 high on olive.
void PaintSpinGlyph(TBitmap& b, bool up)
{
    b.SetSize(9, 6);
    b.Canvas().Brush().SetColor(0x008080);
    b.Canvas().FillRect(TRect{0, 0, 9, 6});
    for (int row = 0; row < 4; ++row) {
        const int half = up ? row : 3 - row;
        const int y = 1 + row;
        for (int x = 4 - half; x <= 4 + half; ++x) b.SetPixel(x, y, clBlack);
    }
}

void RegisterSpinGlyphs()
{
    static const bool done = [] {
        RegisterBitmapResource("EsgSpinUp", [](TBitmap& b) { PaintSpinGlyph(b, true); });
        RegisterBitmapResource("EsgSpinDown", [](TBitmap& b) { PaintSpinGlyph(b, false); });
        return true;
    }();
    (void)done;
}

// Time of day rounded to the millisecond, so texts show the second meant.
TDateTime RoundTime(TDateTime t) { return std::round(t * 86400000.0) / 86400000.0; }

std::string HoursMinutes(TDateTime t)
{
    int h = 0, n = 0, s = 0, ms = 0;
    DecodeTime(t, h, n, s, ms);
    std::string r = IntToStr(h) + FormatSettings().TimeSeparator;
    if (n < 10) r += '0';
    return r + IntToStr(n);
}

} // namespace

// --- TExTimerSpeedButton ------------------------------------------------------------

TExTimerSpeedButton::TExTimerSpeedButton(TWinControl* parent) : TSpeedButton(parent) {}
TExTimerSpeedButton::~TExTimerSpeedButton() = default;

void TExTimerSpeedButton::SetButtonDirection(TButtonDirection v)
{
    FButtonDirection = v;
    Invalidate();
}

void TExTimerSpeedButton::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    Invalidate();
}

bool TExTimerSpeedButton::ClicksOnRelease() const { return !FTimeBtnState.Contains(tbAllowTimer); }

void TExTimerSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TSpeedButton::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (OnPress) OnPress(this);
    if (FTimeBtnState.Contains(tbAllowTimer)) {
        if (!FRepeatTimer) {
            FRepeatTimer = std::make_unique<TTimer>();
            FRepeatTimer->SetEnabled(false);
            FRepeatTimer->SetOnTimer([this] { TimerExpired(); });
        }
        FRepeatTimer->SetInterval(400);
        FRepeatTimer->SetEnabled(true);
        // A held button steps at once, then with the timer.
        Click();
    }
    if (Parent()) Parent()->Invalidate();
}

void TExTimerSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TSpeedButton::MouseUp(button, shift, x, y);
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    if (Parent()) Parent()->Invalidate();
}

void TExTimerSpeedButton::TimerExpired()
{
    FRepeatTimer->SetInterval(100);
    if (!Pressed()) return;
    try {
        Click();
    } catch (...) {
        FRepeatTimer->SetEnabled(false);
        throw;
    }
}

void TExTimerSpeedButton::Paint()
{
    auto* pair = dynamic_cast<TEsgSpinButton*>(Parent());
    TCanvas& c = Canvas();
    const TRect r{0, 0, Width(), Height()};
    if (pair && pair->ButtonColor != clNone) {
        TColor fill = pair->ButtonColor;
        if (MouseInControl() && pair->ButtonColorHot != clNone) fill = pair->ButtonColorHot;
        if (Pressed() && pair->ButtonColorDown != clNone) fill = pair->ButtonColorDown;
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(fill);
        c.FillRect(r);
        c.Brush().SetColor(clBlack);
        c.Pen().SetColor(clBlack);
        switch (FButtonDirection) {
        case bdLeft: c.Polygon({{5, 5}, {3, 7}, {5, 9}}); break;
        case bdRight: c.Polygon({{3, 5}, {5, 7}, {3, 9}}); break;
        case bdUp: c.Polygon({{4, 4}, {8, 4}, {6, 2}}); break;
        case bdDown: c.Polygon({{4, 2}, {8, 2}, {6, 4}}); break;
        }
        return;
    }
    if (FIsWinXP) {
        if (HTHEME theme = OpenThemeData(nullptr, "spin")) {
            int part = SPNP_UP;
            switch (FButtonDirection) {
            case bdUp: part = SPNP_UP; break;
            case bdDown: part = SPNP_DOWN; break;
            case bdRight: part = SPNP_UPHORZ; break;
            case bdLeft: part = SPNP_DOWNHORZ; break;
            }
            const int state = Pressed() ? UPS_PRESSED : MouseInControl() ? UPS_HOT : UPS_NORMAL;
            DrawThemeBackground(theme, c, part, state, r);
            CloseThemeData(theme);
            return;
        }
    }
    TSpeedButton::Paint();
    if (FTimeBtnState.Contains(tbFocusRect) && pair && pair->Focused() && pair->FocusedButton() == this)
        c.DrawFocusRect(TRect{2, 2, Width() - 2, Height() - 2});
}

// --- TEsgSpinButton -----------------------------------------------------------------------

TEsgSpinButton::TEsgSpinButton(TWinControl* parent) : TCustomControl(parent)
{
    RegisterSpinGlyphs();
    SetTabStop(false);
    // A click steps the value and puts the focus into FocusControl; the
    // pair itself takes it only as a tab stop.
    SetTakesFocusOnClick(*this, false);
    auto make = [this](TButtonDirection dir, const char* glyph) {
        auto* b = new TExTimerSpeedButton(this);
        b->SetTimeBtnState({tbAllowTimer});
        b->SetButtonDirection(dir);
        TBitmap g;
        g.LoadFromResourceName(glyph);
        b->SetGlyph(g);
        b->OnPress = [this](TExTimerSpeedButton* s) { ButtonPressed(s); };
        b->OnClick = [this](TControl* s) {
            if (s == FUpButton) {
                if (OnUpClick) OnUpClick(this);
            } else if (OnDownClick) {
                OnDownClick(this);
            }
        };
        return b;
    };
    FUpButton = make(bdUp, "EsgSpinUp");
    FDownButton = make(bdDown, "EsgSpinDown");
    FFocusedButton = FUpButton;
    TCustomControl::SetBounds(0, 0, 15, 25);
    Layout();
}

void TEsgSpinButton::SetBounds(int left, int top, int width, int height)
{
    TCustomControl::SetBounds(left, top, width, height);
    Layout();
}

void TEsgSpinButton::Layout()
{
    if (!FUpButton) return;
    if (FDirection == spVertical) {
        const int w = std::max(Width(), 15);
        if (w != Width()) TCustomControl::SetBounds(Left(), Top(), w, Height());
        const int upH = Height() / 2;
        FUpButton->SetBounds(0, 0, w, upH);
        FDownButton->SetBounds(0, upH - 1, w, Height() - upH + 1);
    } else {
        const int w = std::max(Width(), 20);
        if (w != Width()) TCustomControl::SetBounds(Left(), Top(), w, Height());
        const int half = w / 2;
        FDownButton->SetBounds(0, 0, half, Height());
        FUpButton->SetBounds(half + 1, 0, half, Height());
    }
}

void TEsgSpinButton::SetDirection(TSpinDirection v)
{
    if (v == FDirection) return;
    FDirection = v;
    if (v == spHorizontal) {
        TCustomControl::SetBounds(Left(), Top(), 20, Height());
        FUpButton->SetButtonDirection(bdRight);
        FDownButton->SetButtonDirection(bdLeft);
    } else {
        TCustomControl::SetBounds(Left(), Top(), 15, Height());
        FUpButton->SetButtonDirection(bdUp);
        FDownButton->SetButtonDirection(bdDown);
    }
    Layout();
}

void TEsgSpinButton::SetUpGlyph(const TBitmap& b)
{
    if (!b.Empty()) {
        FUpButton->SetGlyph(b);
        return;
    }
    TBitmap g;
    g.LoadFromResourceName("EsgSpinUp");
    FUpButton->SetGlyph(g);
    FUpButton->SetNumGlyphs(1);
}

void TEsgSpinButton::SetDownGlyph(const TBitmap& b)
{
    if (!b.Empty()) {
        FDownButton->SetGlyph(b);
        return;
    }
    TBitmap g;
    g.LoadFromResourceName("EsgSpinDown");
    FDownButton->SetGlyph(g);
    FDownButton->SetNumGlyphs(1);
}

void TEsgSpinButton::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FUpButton->SetIsWinXP(v);
    FDownButton->SetIsWinXP(v);
}

void TEsgSpinButton::SetFocusBtn(TExTimerSpeedButton* b)
{
    if (TabStop() && CanFocus() && b != FFocusedButton) {
        FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() - tbFocusRect);
        FFocusedButton = b;
        if (Focused()) FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() + tbFocusRect);
        Invalidate();
    }
}

void TEsgSpinButton::ButtonPressed(TExTimerSpeedButton* b)
{
    SetFocusBtn(b);
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && !Focused() && CanFocus())
        SetFocus();
}

bool TEsgSpinButton::KeyDownMsg(int key, TShiftState)
{
    switch (key) {
    case VK_SPACE: FFocusedButton->Click(); return true;
    case VK_UP:
        SetFocusBtn(FUpButton);
        FUpButton->Click();
        return true;
    case VK_DOWN:
        SetFocusBtn(FDownButton);
        FDownButton->Click();
        return true;
    default: return key == VK_LEFT || key == VK_RIGHT;
    }
}

void TEsgSpinButton::Paint()
{
    TCanvas& c = Canvas();
    c.Brush().SetColor(clBtnFace);
    c.FillRect(TRect{0, 0, Width(), Height()});
}

// --- TEsgSpinEdit ---------------------------------------------------------------------------

TEsgSpinEdit::TEsgSpinEdit(TWinControl* parent) : TCustomMaskEdit(parent)
{
    FButton = new TEsgSpinButton(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](TControl* s) { UpClick(s); };
    FButton->OnDownClick = [this](TControl* s) { DownClick(s); };
    SetText("0");
    Layout();
}

TEsgSpinEdit::~TEsgSpinEdit() = default;

void TEsgSpinEdit::SetBounds(int left, int top, int width, int height)
{
    TCustomMaskEdit::SetBounds(left, top, width, height);
    Layout();
}

void TEsgSpinEdit::Resized() { Layout(); }

int TEsgSpinEdit::MinHeight() const
{
    TBitmap scratch(1, 1);
    const int screen = scratch.Canvas().TextMetrics().Height;
    scratch.Canvas().Font().Assign(static_cast<const TControl*>(this)->Font());
    const int font = scratch.Canvas().TextMetrics().Height;
    int h = font + std::min(font, screen) / 4 + 2;
    if (BorderStyle() == TBorderStyle::bsSingle) h += GetSystemMetrics(SM_CYBORDER) * 4;
    return h;
}

void TEsgSpinEdit::Layout()
{
    if (!FButton) return;
    const bool borderless = BorderStyle() == TBorderStyle::bsNone;
    const int margin = borderless ? 3 : 0;
    SetEditRect(TRect{margin, margin, Width() - FButton->Width() - margin - 2, Height() + 1});
    const int minH = MinHeight();
    if (Height() < minH) {
        TCustomMaskEdit::SetBounds(Left(), Top(), Width(), minH);
        return; // the resize lays out again
    }
    // The pair sits inside the frame: the platform places children in window
    // coordinates, the frame's 2 pixels included.
    const int pw = FButton->Width();
    if (borderless) FButton->SetBounds(Width() + 4 - pw - 5, 0, pw, Height() + 4 - 5);
    else FButton->SetBounds(Width() - pw - 5 + 2, 2, pw, Height() - 5);
}

// --- values

int TEsgSpinEdit::Value() const
{
    const std::string t = Trim(Text());
    if (t.empty()) return 0;
    int v = 0;
    return TryStrToInt(t, v) ? v : FMinValue;
}

void TEsgSpinEdit::SetValue(int v)
{
    if (FMinValue != FMaxValue) v = std::clamp(v, std::min(FMinValue, FMaxValue), std::max(FMinValue, FMaxValue));
    SetText(IntToStr(v));
    if (!FEditorEnabled) SelectAll();
}

double TEsgSpinEdit::FloatValue() const
{
    double v = 0;
    return TryLocaleStrToFloat(Text(), v) ? v : FMinValue;
}

void TEsgSpinEdit::SetFloatValue(double v)
{
    if (FMinFloatValue != FMaxFloatValue)
        v = std::clamp(v, std::min(FMinFloatValue, FMaxFloatValue), std::max(FMinFloatValue, FMaxFloatValue));
    if (FPrecision != 0) SetText(Format("%.*f", {FPrecision, v}));
    else SetText(FloatToStr(v));
}

TDateTime TEsgSpinEdit::DateValue() const
{
    const std::string t = Text();
    if (t.empty() || t == "0") return Now();
    try {
        return StrToDate(Trim(t));
    } catch (const EConvertError&) {
        return FMinDateValue;
    }
}

void TEsgSpinEdit::ShowKeepingCaret(const std::string& text)
{
    const int caret = SelStart();
    SetText(text);
    SetSelStart(caret);
}

void TEsgSpinEdit::SetDateValue(TDateTime v)
{
    FDateValue = v;
    if (FLoading) return;
    if (FMinDateValue != FMaxDateValue) v = std::clamp(v, std::min(FMinDateValue, FMaxDateValue), std::max(FMinDateValue, FMaxDateValue));
    ShowKeepingCaret(DateToStr(v));
}

TDateTime TEsgSpinEdit::TimeValue() const
{
    try {
        return StrToTime(Trim(Text()));
    } catch (const EConvertError&) {
        return 0;
    }
}

void TEsgSpinEdit::SetTimeValue(TDateTime v)
{
    FTimeValue = v;
    if (FLoading) return;
    if (FMinDateValue != FMaxDateValue) v = std::clamp(v, std::min(FMinDateValue, FMaxDateValue), std::max(FMinDateValue, FMaxDateValue));
    v = RoundTime(v);
    ShowKeepingCaret(FShowSeconds ? TimeToStr(v) : HoursMinutes(v));
}

void TEsgSpinEdit::SetSpinType(TEsgSpinType v)
{
    FSpinType = v;
    switch (v) {
    case sptNormal: SetValue(Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
    }
}

void TEsgSpinEdit::SetPrecision(int v)
{
    FPrecision = v;
    if (FSpinType == sptFloat) SetFloatValue(FloatValue());
}

void TEsgSpinEdit::SetDirection(TSpinDirection v)
{
    if (v == FDirection) return;
    FDirection = v;
    FButton->SetDirection(v);
    SetWidth(Width() + 1);
    SetWidth(Width() - 1);
}

void TEsgSpinEdit::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FButton->SetIsWinXP(v);
}

void TEsgSpinEdit::SetEditAlign(TEditAlign v)
{
    FEditAlign = v;
    SetAlignment(v == eaRight ? TAlignment::taRightJustify : v == eaCenter ? TAlignment::taCenter : TAlignment::taLeftJustify);
}

void TEsgSpinEdit::SetSpinFlat(bool v)
{
    FSpinFlat = v;
    FButton->UpButton()->SetFlat(v);
    FButton->DownButton()->SetFlat(v);
}

void TEsgSpinEdit::SetSpinTransparent(bool v)
{
    FSpinTransparent = v;
    Layout();
}

// --- steps

void TEsgSpinEdit::StepUp(bool page)
{
    if (ReadOnly()) {
        Beep();
        return;
    }
    const TFormatSettings& fs = FormatSettings();
    switch (FSpinType) {
    case sptNormal: SetValue(Value() + FIncrement); break;
    case sptFloat: SetFloatValue(FloatValue() + (page ? FIncrementFloatPage : FIncrementFloat)); break;
    case sptDate: {
        const std::string t = Text();
        const size_t p1 = t.find(fs.DateSeparator);
        const size_t p2 = p1 == std::string::npos ? std::string::npos : t.find(fs.DateSeparator, p1 + 1);
        const size_t caret = static_cast<size_t>(SelStart());
        const int field = caret < p1 ? 1 : caret < p2 ? 2 : 3;
        const std::string f = UpperCase(fs.ShortDateFormat);
        FUsDates = f.find('M') < f.find('D');
        const TDateTime d = DateValue();
        const bool month = (field == 1 && FUsDates) || (field == 2 && !FUsDates);
        if (field == 3) SetDateValue(IncMonthKeepingDay(d, 12));
        else if (month) SetDateValue(IncMonthKeepingDay(d, 1));
        else SetDateValue(d + 1);
        break;
    }
    case sptTime: {
        const std::string t = Text();
        const size_t p1 = t.find(fs.TimeSeparator);
        const size_t p2 = p1 == std::string::npos ? std::string::npos : t.find(fs.TimeSeparator, p1 + 1);
        const size_t caret = static_cast<size_t>(SelStart());
        double step = FIncrementMinutes / 1440.0;
        if (caret < p1 || p1 == std::string::npos) step = FIncrementHours / 24.0;
        else if (FShowSeconds && p2 != std::string::npos && caret >= p2) step = FIncrementSeconds / 86400.0;
        SetTimeValue(TimeValue() + step);
        break;
    }
    }
}

void TEsgSpinEdit::StepDown(bool page)
{
    if (ReadOnly()) {
        Beep();
        return;
    }
    const TFormatSettings& fs = FormatSettings();
    switch (FSpinType) {
    case sptNormal: SetValue(Value() - FIncrement); break;
    case sptFloat: SetFloatValue(FloatValue() - (page ? FIncrementFloatPage : FIncrementFloat)); break;
    case sptDate: {
        const std::string t = Text();
        const size_t p1 = t.find(fs.DateSeparator);
        const size_t p2 = p1 == std::string::npos ? std::string::npos : t.find(fs.DateSeparator, p1 + 1);
        const size_t caret = static_cast<size_t>(SelStart());
        const int field = caret < p1 ? 1 : caret < p2 ? 2 : 3;
        const std::string f = UpperCase(fs.ShortDateFormat);
        FUsDates = f.find('M') < f.find('D');
        const TDateTime d = DateValue();
        const bool month = (field == 1 && FUsDates) || (field == 2 && !FUsDates);
        if (field == 3) SetDateValue(IncMonthKeepingDay(d, -12));
        else if (month) SetDateValue(IncMonthKeepingDay(d, -1));
        else SetDateValue(d - 1);
        break;
    }
    case sptTime: {
        const std::string t = Text();
        const size_t p1 = t.find(fs.TimeSeparator);
        const size_t p2 = p1 == std::string::npos ? std::string::npos : t.find(fs.TimeSeparator, p1 + 1);
        const size_t caret = static_cast<size_t>(SelStart());
        double step = FIncrementMinutes / 1440.0;
        if (caret < p1 || p1 == std::string::npos) step = FIncrementHours / 24.0;
        else if (FShowSeconds && p2 != std::string::npos && caret >= p2) step = FIncrementSeconds / 86400.0;
        // Down wraps within the day.
        double v = TimeValue() + 1 - step;
        if (v > 1) v -= 1;
        SetTimeValue(v);
        break;
    }
    }
}

void TEsgSpinEdit::UpClick(TControl*) { StepUp(false); }
void TEsgSpinEdit::DownClick(TControl*) { StepDown(false); }

// --- keys

bool TEsgSpinEdit::DoKeyDown(int& key, TShiftState shift)
{
    // The step keys are taken before any other key handling sees them.
    switch (key) {
    case VK_PRIOR: StepUp(true); return true;
    case VK_NEXT: StepDown(true); return true;
    case VK_UP: StepUp(false); return true;
    case VK_DOWN: StepDown(false); return true;
    default: return TCustomMaskEdit::DoKeyDown(key, shift);
    }
}

void TEsgSpinEdit::KeyDown(int& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        PostKeyDown(*this, VK_TAB);
    }
    if (Key == VK_DELETE && !FEditorEnabled) Key = 0;
    TCustomMaskEdit::KeyDown(Key, Shift);
}

void TEsgSpinEdit::KeyPress(char32_t& Key)
{
    const TFormatSettings& fs = FormatSettings();
    if (Key == '.' && KeyFromKeypad() && FExcelStyleDecimalSeparator) Key = static_cast<unsigned char>(fs.DecimalSeparator);
    if (!IsValidChar(Key)) {
        Key = 0;
        Beep();
        return;
    }
    TCustomMaskEdit::KeyPress(Key);
}

bool TEsgSpinEdit::IsValidChar(char32_t Key)
{
    if (Key == 8) return FEditorEnabled;
    const TFormatSettings& fs = FormatSettings();
    const auto is = [Key](char c) { return Key == static_cast<unsigned char>(c); };
    const bool control = Key < 32;
    bool valid = is(fs.DecimalSeparator) || is(fs.ThousandSeparator) || is(fs.TimeSeparator) ||
                 is(fs.DateSeparator) || (Key >= '0' && Key <= '9') || Key == '-' || (control && Key != 13);
    const auto numberSeparator = [&](char sep) {
        return (FSpinType == sptNormal || FSpinType == sptFloat) &&
               (sep == fs.DecimalSeparator || sep == fs.ThousandSeparator || sep == '-' || sep == '+');
    };
    if (is(fs.TimeSeparator) && FSpinType != sptTime) valid = numberSeparator(fs.TimeSeparator);
    if (is(fs.DateSeparator) && FSpinType != sptDate) valid = numberSeparator(fs.DateSeparator);
    const std::string text = Text();
    if (Key == '-') {
        if (!Contains(text, '-')) valid = SelStart() == 0;
        else valid = Contains(SelText(), '-') && SelStart() == 0;
    }
    // Integers take digits and '-'; control characters (Escape, the
    // clipboard keys) pass as for every kind.
    if (FSpinType == sptNormal && !control) valid = valid && ((Key >= '0' && Key <= '9') || Key == '-');
    if (FSpinType == sptFloat && Key != 27 && Key != 13 && Key != 8) {
        if (is(fs.ThousandSeparator)) valid = false;
        const size_t dec = text.find(fs.DecimalSeparator);
        if (is(fs.DecimalSeparator) && dec != std::string::npos) valid = Contains(SelText(), fs.DecimalSeparator);
        if (FPrecision > 0 && dec != std::string::npos && valid) {
            const size_t p = dec + 1; // position of the separator, counted from 1
            if (static_cast<size_t>(SelStart()) >= p && SelLength() == 0)
                valid = text.size() < p + static_cast<size_t>(FPrecision);
        }
    }
    if (FSpinType == sptTime && is(fs.TimeSeparator))
        valid = std::count(text.begin(), text.end(), fs.TimeSeparator) <= 1;
    if (!FEditorEnabled && valid) valid = control && Key != 8;
    return valid;
}

void TEsgSpinEdit::WMPaste()
{
    if (FEditorEnabled && !ReadOnly()) TCustomMaskEdit::WMPaste();
}

void TEsgSpinEdit::WMCut()
{
    if (FEditorEnabled && !ReadOnly()) TCustomMaskEdit::WMCut();
}

bool TEsgSpinEdit::SelectAllOnEnter(bool byMouse) const { return AutoSelect() && (!byMouse || !FEditorEnabled); }

void TEsgSpinEdit::DoExit()
{
    switch (FSpinType) {
    case sptNormal: {
        const int v = Value();
        if (FMinValue != FMaxValue && v != std::clamp(v, std::min(FMinValue, FMaxValue), std::max(FMinValue, FMaxValue)))
            SetValue(v);
        break;
    }
    case sptFloat: {
        const double v = FloatValue();
        if (FMinFloatValue != FMaxFloatValue &&
            v != std::clamp(v, std::min(FMinFloatValue, FMaxFloatValue), std::max(FMinFloatValue, FMaxFloatValue)))
            SetFloatValue(v);
        break;
    }
    case sptDate: {
        const TDateTime v = DateValue();
        if (FMinDateValue != FMaxDateValue &&
            v != std::clamp(v, std::min(FMinDateValue, FMaxDateValue), std::max(FMinDateValue, FMaxDateValue)))
            SetDateValue(v);
        break;
    }
    case sptTime: {
        const TDateTime v = TimeValue();
        if (FMinDateValue != FMaxDateValue &&
            v != std::clamp(v, std::min(FMinDateValue, FMaxDateValue), std::max(FMinDateValue, FMaxDateValue)))
            SetTimeValue(v);
        break;
    }
    }
    TCustomMaskEdit::DoExit();
}

void TEsgSpinEdit::Loaded()
{
    FLoading = false;
    if (FSpinType == sptDate) SetText(DateToStr(FDateValue));
    if (FSpinType == sptTime) SetText(FShowSeconds ? TimeToStr(FTimeValue) : HoursMinutes(FTimeValue));
    SetSpinType(FSpinType);
    Layout();
}
