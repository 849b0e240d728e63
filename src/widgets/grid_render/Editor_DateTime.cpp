#include "widgets/grid_render/Editor_DateTime.h"

#include "platform/ControlMessages.h"
#include "platform/Input.h"
#include "platform/Themes.h"

#include <algorithm>
#include <cmath>

unsigned DTPShiftFocusMessage()
{
    static const unsigned msg = RegisterWindowMessage("DTPShiftFocus");
    return msg;
}

namespace {

bool IsDigit(char32_t k) { return k >= '0' && k <= '9'; }

// Whole days of v with the time of day t (both as the class library keeps
// them: the fraction counts away from day 0).
TDateTime Combine(TDateTime day, TDateTime t)
{
    const double d = std::trunc(day);
    return d >= 0 ? d + t : d - t;
}

TDateTime TimeOf(TDateTime v) { return std::fabs(v - std::trunc(v)); }

} // namespace

// --- TCustomDateTimePicker --------------------------------------------------------------

TCustomDateTimePicker::TCustomDateTimePicker(TWinControl* parent) : TFlatDateTimePicker(parent)
{
    SetVariant(FlatVariant{true});
    FCtl3D = false;
    FBorderColor = clBlack;
    FAutoTab = false;
    (void)DTPShiftFocusMessage();
}

void TCustomDateTimePicker::PostShiftFocus()
{
    PostToControl(*this, [this] { DoShiftFocus(); });
}

void TCustomDateTimePicker::KeyPress(char32_t& Key)
{
    if (!IsDigit(Key) || !FAutoTab) {
        TFlatDateTimePicker::KeyPress(Key);
        return;
    }
    if (TDateTimePicker::Kind() == TDateTimeKind::dtkTime) {
        int h = 0, m = 0, s = 0, ms = 0;
        DecodeTime(TDateTimePicker::DateTime(), h, m, s, ms);
        Fh = static_cast<std::uint16_t>(h);
        Fm = static_cast<std::uint16_t>(m);
        Fs = static_cast<std::uint16_t>(s);
        Fms = static_cast<std::uint16_t>(ms);
    }
    TFlatDateTimePicker::KeyPress(Key);
    // Decided once the platform has applied the digit.
    PostShiftFocus();
}

void TCustomDateTimePicker::DoShiftFocus()
{
    if (TDateTimePicker::Kind() != TDateTimeKind::dtkTime) return;
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTime(TDateTimePicker::DateTime(), h, m, s, ms);
    if (h != Fh || m != Fm || s != Fs) PostKeyDown(*this, VK_RIGHT);
}

// --- TExDateTimePicker --------------------------------------------------------------------

TExDateTimePicker::TExDateTimePicker(TWinControl* parent) : TCustomDateTimePicker(parent)
{
    FLabelMargin = 4;
    FKind = dkDateTime;
    SetBorderStyle(TPickerBorderStyle::bsSingle);
    FCtl3D = true;
    FFocusTimer = std::make_unique<TTimer>();
    FFocusTimer->SetEnabled(false);
    FFocusTimer->SetInterval(20);
    FFocusTimer->SetOnTimer([this] { FFocusTimer->SetEnabled(false); });
    FLabelFont.OnChange = [this] { PlaceLabel(); };
    FParentFnt = false;
    FFirstRun = true;
    FMetroStyle = false;
    // The window exists now: apply the kind again (which makes the
    // embedded time picker of dkDateTime).
    const TExDateTimeKind k = FKind;
    FKind = dkDate;
    SetKind(k);
}

TExDateTimePicker::~TExDateTimePicker()
{
    FFocusTimer.reset();
    if (FLabel) {
        FLabel->Gone = nullptr;
        delete FLabel;
        FLabel = nullptr;
    }
    delete FTimePicker;
    FTimePicker = nullptr;
}

void TExDateTimePicker::SetKind(TExDateTimeKind v)
{
    if (v == FKind) return;
    FKind = v;
    TDateTimePicker::SetKind(v == dkTime ? TDateTimeKind::dtkTime : TDateTimeKind::dtkDate);
    if (v == dkDateTime) CreateTimePicker();
    Layout();
}

void TExDateTimePicker::CreateTimePicker()
{
    if (FTimePicker || FKind != dkDateTime) return;
    FTimePicker = new TCustomDateTimePicker(this);
    FTimePicker->SetBounds(0, 0, 90, 17);
    FTimePicker->SetVisible(false);
    FTimePicker->SetEnabled(Enabled());
    FTimePicker->TDateTimePicker::SetKind(TDateTimeKind::dtkTime);
    FTimePicker->SetAutoTab(FAutoTab);
    FTimePicker->OnChange = [this](TControl*) {
        DoChange();
        if (OnTimeChange) OnTimeChange(this);
    };
    FTimePicker->OnClick = [this](TControl*) { DoClick(); };
    FTimePicker->OnKeyPress = [this](TControl* s, char32_t& k) { TimeKeyPress(s, k); };
    // Keys typed into the time part reach this control's own key handling.
    FTimePicker->OnKeyDown = [this](TControl*, int& k, TShiftState sh) { KeyDown(k, sh); };
}

TDateTime TExDateTimePicker::DateTime() const
{
    const TDateTime own = TDateTimePicker::DateTime();
    if (!FTimePicker) return own;
    return Combine(own, TimeOf(FTimePicker->TDateTimePicker::DateTime()));
}

void TExDateTimePicker::SetDateTime(TDateTime v)
{
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTime(v, h, m, s, ms);
    const TDateTime value = Combine(v, EncodeTime(h, m, s, 0));
    TDateTimePicker::SetDateTime(value);
    if (FKind == dkDateTime) CreateTimePicker();
    if (FTimePicker) FTimePicker->TDateTimePicker::SetDateTime(value);
}

TDateTime TExDateTimePicker::Date() const { return std::trunc(TDateTimePicker::DateTime()); }

void TExDateTimePicker::SetDate(TDateTime v)
{
    int h = 0, m = 0, s = 0, ms = 0;
    DecodeTime(DateTime(), h, m, s, ms);
    SetDateTime(Combine(v, EncodeTime(h, m, s, 0)));
}

TDateTime TExDateTimePicker::Time() const
{
    if (FKind == dkDateTime && FTimePicker) return TimeOf(FTimePicker->TDateTimePicker::DateTime());
    return TDateTimePicker::Time();
}

void TExDateTimePicker::SetTime(TDateTime v)
{
    TDateTimePicker::SetTime(v);
    // The embedded picker is the master of the time of day: it takes the
    // new time too, or the layout would put its old one back.
    if (FTimePicker) FTimePicker->TDateTimePicker::SetTime(v);
    Layout();
}

void TExDateTimePicker::SetTimeFormat(const std::string& f)
{
    if (FTimePicker) FTimePicker->TDateTimePicker::SetFormat(f);
    if (FKind == dkTime) TDateTimePicker::SetFormat(f);
    FTimeFormat = f;
    Layout();
}

void TExDateTimePicker::SetAutoTab(bool v)
{
    FAutoTab = v;
    if (FTimePicker) FTimePicker->SetAutoTab(v);
}

void TExDateTimePicker::SetBorderStyle(TPickerBorderStyle v)
{
    TCustomDateTimePicker::SetBorderStyle(v);
    Layout();
}

void TExDateTimePicker::SetColor(TColor c)
{
    TCustomDateTimePicker::SetColor(c);
    Layout();
}

void TExDateTimePicker::SetEnabled(bool v)
{
    TCustomDateTimePicker::SetEnabled(v);
    if (FTimePicker) FTimePicker->SetEnabled(v);
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(v);
}

void TExDateTimePicker::SetVisible(bool v)
{
    TCustomDateTimePicker::SetVisible(v);
    if (FLabel) FLabel->SetVisible(v);
}

void TExDateTimePicker::SetBounds(int left, int top, int width, int height)
{
    TCustomDateTimePicker::SetBounds(left, top, width, height);
    if (FLabel && FLabel->Parent()) PlaceLabel();
    Layout();
}

void TExDateTimePicker::EnableTimePicker()
{
    if (FTimePicker) FTimePicker->SetEnabled(Enabled() && Checked());
}

void TExDateTimePicker::Layout()
{
    if (!FTimePicker) return;
    FTimePicker->SetColor(Color());
    FTimePicker->SetEnabled(Enabled() && (Checked() || !ShowCheckbox()));
    FTimePicker->SetVisible(FKind == dkDateTime);
    if (FKind != dkDateTime) {
        delete FTimePicker;
        FTimePicker = nullptr;
        return;
    }
    FTimePicker->TDateTimePicker::SetDateTime(DateTime());
    FTimePicker->TDateTimePicker::SetFormat(FTimeFormat);
    FTimePicker->SetFont(static_cast<const TControl*>(this)->Font());
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(static_cast<const TControl*>(this)->Font());
    std::string text = FTimePicker->Text();
    if (text.size() > 255) text.resize(255);
    const int w = scratch.Canvas().TextWidth(text) + 31;
    const int W = Width(), H = Height();
    if (IsThemeActive()) {
        if (MetroActive()) FTimePicker->SetBounds(W - w - 21, 1, w, H - 2);
        else FTimePicker->SetBounds(W - w - 34, 1, w, H - 2);
    } else {
        FTimePicker->SetBounds(W - w - 21, 2, w, H - 4);
    }
}

// --- label

std::string TExDateTimePicker::LabelCaption() const { return FLabel ? FLabel->Caption() : std::string(); }

void TExDateTimePicker::SetLabelCaption(const std::string& s)
{
    if (!FLabel && Parent()) {
        FLabel = new TEditLabel(Parent());
        FLabel->Gone = [this] { FLabel = nullptr; };
        FLabel->SetFont(FLabelFont);
        FLabel->OnClick = [this](TControl*) {
            if (OnLabelClick) OnLabelClick(this);
        };
        FLabel->OnDblClick = [this](TControl*) {
            if (OnLabelDblClick) OnLabelDblClick(this);
        };
    }
    if (!FLabel) return;
    FLabel->SetCaption(s);
    PlaceLabel();
}

void TExDateTimePicker::SetLabelFont(const TFont& f) { FLabelFont.Assign(f); }

void TExDateTimePicker::SetLabelPosition(TLabelPosition v)
{
    FLabelPosition = v;
    PlaceLabel();
}

void TExDateTimePicker::SetLabelMargin(int v)
{
    FLabelMargin = v;
    PlaceLabel();
}

void TExDateTimePicker::SetLabelTransparent(bool v)
{
    FLabelTransparent = v;
    PlaceLabel();
}

void TExDateTimePicker::SetLabelAlwaysEnabled(bool v)
{
    FLabelAlwaysEnabled = v;
    if (FLabel && v) FLabel->SetEnabled(true);
    Invalidate();
}

void TExDateTimePicker::PlaceLabel()
{
    if (!FLabel) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->SetFont(FParentFnt ? static_cast<const TControl*>(this)->Font() : FLabelFont);
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(FLabel->Font());
    const int tw = scratch.Canvas().TextWidth(FLabel->Caption());
    const TPoint p = EditLabelPlace(FLabelPosition, Left(), Top(), Width(), Height(), FLabel->Width(), FLabel->Height(),
                                    tw, FLabelMargin);
    FLabel->SetBounds(p.X, p.Y, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(Visible());
}

// --- notifications

void TExDateTimePicker::DoChange()
{
    if (OnChange) OnChange(this);
}

void TExDateTimePicker::DoClick()
{
    if (OnClick) OnClick(this);
}

void TExDateTimePicker::TimeKeyPress(TControl*, char32_t&) {}

void TExDateTimePicker::KeyPress(char32_t& Key)
{
    if (IsDigit(Key) && FAutoTab) {
        int y = 0, m = 0, d = 0;
        DecodeDate(DateTime(), y, m, d);
        Fy = static_cast<std::uint16_t>(y);
        FmDate = static_cast<std::uint16_t>(m);
        Fd = static_cast<std::uint16_t>(d);
    }
    TCustomDateTimePicker::KeyPress(Key);
}

void TExDateTimePicker::DoShiftFocus()
{
    if (FKind == dkTime) {
        TCustomDateTimePicker::DoShiftFocus();
        return;
    }
    int y = 0, m = 0, d = 0;
    DecodeDate(DateTime(), y, m, d);
    const bool dayChanged = d != Fd, monthChanged = m != FmDate, yearChanged = y != Fy;
    if (!dayChanged && !monthChanged && !yearChanged) return;
    const std::string f = Format();
    auto focusTime = [this] {
        if (FTimePicker && FTimePicker->CanFocus()) FTimePicker->SetFocus();
    };
    if (!f.empty()) {
        const char c = f.back();
        const bool lastField = (dayChanged && (c == 'd' || c == 'D')) || (monthChanged && (c == 'm' || c == 'M')) ||
                               (yearChanged && (c == 'y' || c == 'Y'));
        if (lastField) focusTime();
        else PostKeyDown(*this, VK_RIGHT);
        return;
    }
    if (dayChanged || monthChanged) PostKeyDown(*this, VK_RIGHT);
    else focusTime();
}

void TExDateTimePicker::DateTimeSent(bool noDate)
{
    TCustomDateTimePicker::DateTimeSent(noDate);
    if (!ShowCheckbox()) return;
    // The platform sends no change notice for a value the program sets, so
    // there is no echo to skip afterwards.
    EnableTimePicker();
    FIgnoreTimePickerCheck = false;
}

void TExDateTimePicker::DateTimeChangeNotify(bool noDate)
{
    TCustomDateTimePicker::DateTimeChangeNotify(noDate);
    if (!ShowCheckbox()) return;
    if (FTimePicker && !FIgnoreTimePickerCheck) {
        EnableTimePicker();
        if (noDate) FTimePicker->SetEnabled(false);
    }
    FIgnoreTimePickerCheck = false;
}

void TExDateTimePicker::DoEnter()
{
    if (FFocusLabel && FLabel) {
        TFont f = FLabel->Font();
        f.SetStyle(f.Style() + fsBold);
        FLabel->SetFont(f);
    }
    TCustomDateTimePicker::DoEnter();
}

void TExDateTimePicker::DoExit()
{
    if (FLabel) {
        TFont f = FLabel->Font();
        f.SetStyle(f.Style() - fsBold);
        FLabel->SetFont(f);
    }
    TCustomDateTimePicker::DoExit();
}

void TExDateTimePicker::PaintAfter(TCanvas& Canvas)
{
    TCustomDateTimePicker::PaintAfter(Canvas);
    if (FFirstRun) {
        FFirstRun = false;
        PostToControl(*this, [this] { Layout(); });
    }
}
