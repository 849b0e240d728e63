#include "platform/DateTimePicker.h"

#include "platform/ControlsImpl.h"
#include "platform/SysUtils.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTextCharFormat>

#include <algorithm>
#include <cctype>
#include <cmath>

// --- formats -------------------------------------------------------------------------

namespace {

// Runs of the same letter in a format, with quoted parts kept as they are.
template <class Fn>
void ForEachRun(const std::string& f, Fn fn)
{
    size_t i = 0;
    while (i < f.size()) {
        const char c = f[i];
        if (c == '\'') {
            size_t j = f.find('\'', i + 1);
            if (j == std::string::npos) j = f.size() - 1;
            fn('\'', f.substr(i, j - i + 1));
            i = j + 1;
            continue;
        }
        size_t j = i;
        while (j < f.size() && f[j] == c) ++j;
        fn(c, f.substr(i, j - i));
        i = j;
    }
}

std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("''") : std::string(1, c);
    return q + "'";
}

} // namespace

std::string PlatformDateTimeFormat(const std::string& f)
{
    std::string out;
    ForEachRun(f, [&](char c, const std::string& run) {
        const size_t n = run.size();
        switch (c) {
        case '\'': out += run; break;
        case 'd': out += std::string(std::min<size_t>(n, 4), 'd'); break;
        case 'M': out += std::string(std::min<size_t>(n, 4), 'M'); break;
        case 'y': out += n <= 2 ? "yy" : "yyyy"; break;
        case 'h': out += n == 1 ? "h" : "hh"; break;
        case 'H': out += n == 1 ? "H" : "HH"; break;
        case 'm': out += n == 1 ? "m" : "mm"; break;
        case 's': out += n == 1 ? "s" : "ss"; break;
        case 't': out += n == 1 ? "A" : "AP"; break;
        default:
            // Anything else is shown as it stands.
            if (std::isalpha(static_cast<unsigned char>(c))) out += Quote(run);
            else out += run;
            break;
        }
    });
    return out;
}

std::string PickerFormatOfDateFormat(const std::string& f)
{
    const TFormatSettings& fs = FormatSettings();
    std::string out;
    ForEachRun(f, [&](char c, const std::string& run) {
        const size_t n = run.size();
        switch (std::tolower(static_cast<unsigned char>(c))) {
        case 'd': out += std::string(std::min<size_t>(n, 4), 'd'); break;
        case 'm': out += std::string(std::min<size_t>(n, 4), 'M'); break;
        case 'y': out += n <= 2 ? "yy" : "yyyy"; break;
        case '/': out += std::string(n, fs.DateSeparator); break;
        case '\'': out += run; break;
        default: out += run; break;
        }
    });
    return out;
}

std::string PickerFormatOfTimeFormat(const std::string& f)
{
    const TFormatSettings& fs = FormatSettings();
    const bool ampm = LowerCase(f).find("am/pm") != std::string::npos || LowerCase(f).find("ampm") != std::string::npos;
    std::string src = f;
    for (const char* marker : {"am/pm", "AM/PM", "ampm", "AMPM"}) {
        const size_t p = src.find(marker);
        if (p != std::string::npos) src.replace(p, std::string(marker).size(), "\x01");
    }
    std::string out;
    ForEachRun(src, [&](char c, const std::string& run) {
        const size_t n = run.size();
        switch (std::tolower(static_cast<unsigned char>(c))) {
        case 'h': out += ampm ? (n == 1 ? "h" : "hh") : (n == 1 ? "H" : "HH"); break;
        case 'n': out += n == 1 ? "m" : "mm"; break;
        case 's': out += n == 1 ? "s" : "ss"; break;
        case ':': out += std::string(n, fs.TimeSeparator); break;
        case '\x01': out += "tt"; break;
        default: out += run; break;
        }
    });
    return out;
}

// --- values --------------------------------------------------------------------------

namespace {

const QDate& Epoch()
{
    static const QDate e(1899, 12, 30);
    return e;
}

QDateTime ToQ(TDateTime v)
{
    double days = std::trunc(v);
    long long ms = std::llround(std::fabs(v - days) * 86400000.0);
    if (ms >= 86400000) {
        ms -= 86400000;
        days += v < 0 ? -1 : 1;
    }
    return QDateTime(Epoch().addDays(static_cast<qint64>(days)),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)), Qt::UTC);
}

TDateTime FromQ(const QDateTime& dt)
{
    const double days = static_cast<double>(Epoch().daysTo(dt.date()));
    const double frac = dt.time().msecsSinceStartOfDay() / 86400000.0;
    return days >= 0 ? days + frac : days - frac;
}

} // namespace

// --- widgets ------------------------------------------------------------------------------

namespace {

class Box : public QWidget {
public:
    explicit Box(std::function<void()> resized) : resized_(std::move(resized)) {}
    std::function<void(int, int, Qt::KeyboardModifiers)> mouseMoved;

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QWidget::resizeEvent(e);
        resized_();
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        if (mouseMoved) mouseMoved(p.x(), p.y(), e->modifiers());
        QWidget::mouseMoveEvent(e);
    }

private:
    std::function<void()> resized_;
};

// The date-time edit: fields as the picker's (see the header).
class Edit : public QDateTimeEdit {
public:
    explicit Edit(TDateTimePicker* c) : control(c) {}
    TDateTimePicker* control;
    std::function<void(TCanvas&)> paintAfter;
    std::function<void(int, int, Qt::KeyboardModifiers)> mouseMoved;

    QLineEdit* Field() const { return lineEdit(); }
    void SelectField(int i)
    {
        if (i < 0 || i >= sectionCount()) return;
        setCurrentSectionIndex(i);
        setSelectedSection(sectionAt(i));
    }
    void PlatformKey(QKeyEvent* e) { QDateTimeEdit::keyPressEvent(e); }

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
        if (plain && (e->key() == Qt::Key_Left || e->key() == Qt::Key_Right)) {
            SelectField(currentSectionIndex() + (e->key() == Qt::Key_Right ? 1 : -1));
            e->accept();
            return;
        }
        const bool digit = e->text().size() == 1 && e->text()[0].isDigit();
        const int section = currentSectionIndex();
        QDateTimeEdit::keyPressEvent(e);
        // A completed field keeps the caret: the next digit starts it anew.
        if (digit && currentSectionIndex() != section) SelectField(section);
    }
    void paintEvent(QPaintEvent* e) override
    {
        QDateTimeEdit::paintEvent(e);
        if (!paintAfter) return;
        QPainter p(this);
        p.translate(-pos());
        TCanvas canvas(&p);
        paintAfter(canvas);
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint() + pos();
        if (mouseMoved) mouseMoved(p.x(), p.y(), e->modifiers());
        QDateTimeEdit::mouseMoveEvent(e);
    }
};

} // namespace

struct TDateTimePicker::Impl : QObject {
    // Keys count only when they come from the picker's own edit (a key the
    // edit passes on reaches the box too, on its way to the window).
    struct KeyScope {
        explicit KeyScope(TDateTimePicker* c) : control(c) { ++control->keyDepth_; }
        ~KeyScope() { --control->keyDepth_; }
        TDateTimePicker* control;
    };
    TDateTimePicker* control = nullptr;
    Edit* edit = nullptr;
    TDateTime value = 0;
    QWidget* popup = nullptr;
    QPushButton* today = nullptr;

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == popup) {
            if (e->type() == QEvent::Show) control->DropDown();
            else if (e->type() == QEvent::Hide) control->CloseUp();
            return false;
        }
        if (o != edit) return false;
        switch (e->type()) {
        case QEvent::KeyPress: {
            auto* ke = static_cast<QKeyEvent*>(e);
            const TShiftState sh = ToShift(ke->modifiers());
            int vk = ToVirtualKey(ke->key());
            const KeyScope scope(control);
            if (vk && control->DoKeyDown(vk, sh)) return true;
            if (vk == VK_F4 || (vk == VK_DOWN && sh.Contains(ssAlt))) {
                control->SetDroppedDown(!control->DroppedDown());
                return true;
            }
            char32_t ch = 0;
            if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) ch = 13;
            else if (ke->key() == Qt::Key_Escape) ch = 27;
            else if (ke->key() == Qt::Key_Backspace) ch = 8;
            else if (!ke->text().isEmpty() && ke->text()[0].unicode() >= 32) ch = ke->text().toUcs4().value(0);
            if (ch && !sh.Contains(ssCtrl) && !sh.Contains(ssAlt)) {
                const char32_t typed = ch;
                if (control->DoKeyPress(ch)) return true;
                if (ch != typed) {
                    QKeyEvent other(QEvent::KeyPress, ke->key(), ke->modifiers(), QString::fromUcs4(&ch, 1));
                    edit->PlatformKey(&other);
                    return true;
                }
            }
            return false;
        }
        case QEvent::KeyRelease: {
            auto* ke = static_cast<QKeyEvent*>(e);
            int vk = ToVirtualKey(ke->key());
            const KeyScope scope(control);
            return vk && control->DoKeyUp(vk, ToShift(ke->modifiers()));
        }
        case QEvent::FocusIn:
            if (static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason) control->DoEnter();
            return false;
        case QEvent::FocusOut:
            if (static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason && !control->DroppedDown())
                control->DoExit();
            return false;
        default: return false;
        }
    }

    // The value the edit shows; the fields it does not show keep theirs.
    void TakeFromEdit()
    {
        const QDateTime shown = edit->dateTime();
        QDateTime now = ToQ(value);
        const auto sections = edit->displayedSections();
        if (sections & QDateTimeEdit::DateSections_Mask) now.setDate(shown.date());
        if (sections & QDateTimeEdit::TimeSections_Mask) {
            QTime t = now.time();
            const QTime s = shown.time();
            t = QTime((sections & (QDateTimeEdit::HourSection | QDateTimeEdit::AmPmSection)) ? s.hour() : t.hour(),
                      (sections & QDateTimeEdit::MinuteSection) ? s.minute() : t.minute(),
                      (sections & QDateTimeEdit::SecondSection) ? s.second() : t.second(), t.msec());
            now.setTime(t);
        }
        value = FromQ(now);
    }

    void Show()
    {
        ++control->programmatic_;
        edit->setDateTime(ToQ(value));
        --control->programmatic_;
    }

    QCalendarWidget* Calendar() const { return edit->calendarPopup() ? edit->calendarWidget() : nullptr; }

    void StyleCalendar()
    {
        QCalendarWidget* cal = Calendar();
        if (!cal) return;
        if (popup != cal->window()) {
            popup = cal->window();
            popup->installEventFilter(this);
            today = nullptr;
        }
        cal->setVerticalHeaderFormat(control->weekNumbers_ ? QCalendarWidget::ISOWeekNumbers
                                                           : QCalendarWidget::NoVerticalHeader);
        cal->setFirstDayOfWeek(Qt::Monday);
        cal->setDateTextFormat(QDate(), QTextCharFormat());
        if (control->todayMark_) {
            QTextCharFormat f;
            f.setFontWeight(QFont::Bold);
            f.setFontUnderline(true);
            cal->setDateTextFormat(QDate::currentDate(), f);
        }
        if (!today && popup->layout()) {
            today = new QPushButton(popup);
            today->setFlat(true);
            popup->layout()->addWidget(today);
            QObject::connect(today, &QPushButton::clicked, today, [this] {
                const TDateTime now = ::Now();
                control->SetDroppedDown(false);
                value = std::trunc(now) + (value - std::trunc(value));
                Show();
                control->DateTimeChangeNotify(false);
            });
        }
        if (today) {
            today->setText(QString::fromStdString("Today: " + DateToStr(::Now())));
            today->setVisible(control->showToday_);
        }
    }
};

TDateTimePicker::TDateTimePicker(TWinControl* parent) : TWinControl(parent, nullptr), d_(std::make_unique<Impl>())
{
    d_->control = this;
    auto* box = new Box([this] {
        Layout();
        Resized();
    });
    AttachWidget(box);
    tabStop_ = true;
    box->setFocusPolicy(Qt::StrongFocus);
    d_->edit = new Edit(this);
    d_->edit->setParent(box);
    d_->edit->show();
    d_->edit->setTimeSpec(Qt::UTC);
    d_->edit->setMinimumDateTime(QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC));
    d_->edit->setMaximumDateTime(QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::UTC));
    d_->edit->setMouseTracking(true);
    d_->edit->installEventFilter(d_.get());
    d_->edit->paintAfter = [this](TCanvas& c) { PaintAfter(c); };
    d_->edit->mouseMoved = [this](int x, int y, Qt::KeyboardModifiers m) { MouseMove(ToShift(m), x, y); };
    box->setFocusProxy(d_->edit);
    box->setMouseTracking(true);
    box->mouseMoved = [this](int x, int y, Qt::KeyboardModifiers m) { MouseMove(ToShift(m), x, y); };
    checkBox_ = new TCheckBox(this);
    checkBox_->SetCaption("");
    checkBox_->SetChecked(true);
    checkBox_->Widget()->setFocusPolicy(Qt::NoFocus);
    checkBox_->SetVisible(false);
    checkBox_->OnClick = [this](TControl*) {
        d_->edit->setEnabled(Enabled() && checkBox_->Checked());
        if (programmatic_) return;
        DateTimeChangeNotify(!checkBox_->Checked());
    };
    QObject::connect(d_->edit, &QDateTimeEdit::dateTimeChanged, d_->edit, [this](const QDateTime&) {
        if (programmatic_) return;
        d_->TakeFromEdit();
        DateTimeChangeNotify(false);
    });
    d_->value = std::trunc(::Now());
    ApplyFormat();
    d_->Show();
    box->resize(186, 21);
    Layout();
}

TDateTimePicker::~TDateTimePicker()
{
    if (d_->popup) d_->popup->removeEventFilter(d_.get());
    d_->edit->removeEventFilter(d_.get());
}

TDateTime TDateTimePicker::DateTime() const { return d_->value; }

void TDateTimePicker::SetDateTime(TDateTime v)
{
    if (minDate_ != 0 && v < minDate_) v = minDate_;
    if (maxDate_ != 0 && v > maxDate_) v = maxDate_;
    // The same value again leaves the fields (and a number being typed) alone.
    if (v != d_->value) {
        d_->value = v;
        d_->Show();
    }
    DateTimeSent(false);
}

TDateTime TDateTimePicker::Date() const { return std::trunc(d_->value); }

void TDateTimePicker::SetDate(TDateTime v)
{
    const TDateTime t = std::fabs(d_->value - std::trunc(d_->value));
    const TDateTime day = std::trunc(v);
    SetDateTime(day >= 0 ? day + t : day - t);
}

TDateTime TDateTimePicker::Time() const { return std::fabs(d_->value - std::trunc(d_->value)); }

void TDateTimePicker::SetTime(TDateTime v)
{
    const TDateTime day = std::trunc(d_->value);
    const TDateTime t = std::fabs(v - std::trunc(v));
    SetDateTime(day >= 0 ? day + t : day - t);
}

void TDateTimePicker::SetEnabled(bool v)
{
    TWinControl::SetEnabled(v);
    d_->edit->setEnabled(v && Checked());
    checkBox_->SetEnabled(v);
}

void TDateTimePicker::SetMinDate(TDateTime v) { minDate_ = v; }
void TDateTimePicker::SetMaxDate(TDateTime v) { maxDate_ = v; }

void TDateTimePicker::SetKind(TDateTimeKind k)
{
    kind_ = k;
    ApplyFormat();
}

void TDateTimePicker::SetDateMode(TDTDateMode m)
{
    dateMode_ = m;
    ApplyFormat();
}

void TDateTimePicker::SetFormat(const std::string& f)
{
    if (f == format_) return;
    format_ = f;
    ApplyFormat();
}

void TDateTimePicker::ApplyFormat()
{
    std::string f = format_;
    if (f.empty())
        f = kind_ == TDateTimeKind::dtkTime ? PickerFormatOfTimeFormat(FormatSettings().LongTimeFormat)
                                            : PickerFormatOfDateFormat(FormatSettings().ShortDateFormat);
    ++programmatic_;
    d_->edit->setDisplayFormat(QString::fromStdString(PlatformDateTimeFormat(f)));
    const bool calendar = kind_ == TDateTimeKind::dtkDate && dateMode_ == TDTDateMode::dmComboBox &&
                          (d_->edit->displayedSections() & QDateTimeEdit::DateSections_Mask);
    d_->edit->setCalendarPopup(calendar);
    d_->edit->setDateTime(ToQ(d_->value));
    --programmatic_;
    d_->StyleCalendar();
}

std::string TDateTimePicker::Text() const { return d_->edit->text().toStdString(); }
int TDateTimePicker::CurrentField() const { return d_->edit->currentSectionIndex(); }
int TDateTimePicker::FieldCount() const { return d_->edit->sectionCount(); }
void TDateTimePicker::SetCurrentField(int i) { d_->edit->SelectField(i); }

void TDateTimePicker::SetShowCheckbox(bool v)
{
    showCheckbox_ = v;
    checkBox_->SetVisible(v);
    if (!v) SetChecked(true);
    Layout();
}

bool TDateTimePicker::Checked() const { return !showCheckbox_ || checkBox_->Checked(); }

void TDateTimePicker::SetChecked(bool v)
{
    ++programmatic_;
    checkBox_->SetChecked(v);
    d_->edit->setEnabled(Enabled() && checkBox_->Checked());
    --programmatic_;
    DateTimeSent(!v);
}

bool TDateTimePicker::DroppedDown() const { return d_->popup && d_->popup->isVisible(); }

void TDateTimePicker::SetDroppedDown(bool v)
{
    QCalendarWidget* cal = d_->Calendar();
    if (!cal || v == DroppedDown()) return;
    d_->StyleCalendar();
    if (!v) {
        d_->popup->hide();
        return;
    }
    cal->setSelectedDate(ToQ(d_->value).date());
    const QPoint below = d_->edit->mapToGlobal(QPoint(0, d_->edit->height()));
    d_->popup->move(below);
    d_->popup->show();
    cal->setFocus();
}

void TDateTimePicker::SetCalendarWeekNumbers(bool v)
{
    weekNumbers_ = v;
    d_->StyleCalendar();
}

void TDateTimePicker::SetCalendarShowToday(bool v)
{
    showToday_ = v;
    d_->StyleCalendar();
}

void TDateTimePicker::SetCalendarTodayMark(bool v)
{
    todayMark_ = v;
    d_->StyleCalendar();
}

TSize TDateTimePicker::CalendarMinimumSize() const
{
    QCalendarWidget* cal = d_->Calendar();
    if (!cal) return {};
    const QSize s = cal->window()->minimumSizeHint();
    return {s.width(), s.height()};
}

TSize TDateTimePicker::CalendarSize() const
{
    if (!d_->popup) return {};
    return {d_->popup->width(), d_->popup->height()};
}

void TDateTimePicker::SetCalendarSize(int w, int h)
{
    if (d_->popup) d_->popup->resize(w, h);
}

void TDateTimePicker::Layout()
{
    if (!d_ || !d_->edit || !checkBox_) return;
    const int cb = showCheckbox_ ? 18 : 0;
    if (showCheckbox_) checkBox_->SetBounds(2, std::max((Height() - 16) / 2, 0), 16, 16);
    d_->edit->setGeometry(cb, 0, std::max(Width() - cb, 0), Height());
}

void TDateTimePicker::KeyDown(int& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TDateTimePicker::KeyPress(char32_t& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TDateTimePicker::KeyUp(int& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TDateTimePicker::DateTimeChangeNotify(bool) { Change(); }

void TDateTimePicker::Change()
{
    if (OnChange) OnChange(this);
}

void TDateTimePicker::DateTimeSent(bool) {}

void TDateTimePicker::DropDown()
{
    if (OnDropDown) OnDropDown(this);
}

void TDateTimePicker::CloseUp()
{
    if (OnCloseUp) OnCloseUp(this);
}

void TDateTimePicker::MouseMove(TShiftState, int, int) {}
void TDateTimePicker::PaintAfter(TCanvas&) {}

bool TDateTimePicker::DoKeyDown(int& key, TShiftState shift)
{
    if (!keyDepth_) return false;
    KeyDown(key, shift);
    return key == 0;
}

bool TDateTimePicker::DoKeyPress(char32_t& key)
{
    if (!keyDepth_) return false;
    KeyPress(key);
    return key == 0;
}

bool TDateTimePicker::DoKeyUp(int& key, TShiftState shift)
{
    if (!keyDepth_) return false;
    KeyUp(key, shift);
    return key == 0;
}
