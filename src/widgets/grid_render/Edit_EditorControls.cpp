// TExStringGrid: the editor controls placed over a cell for the editor kinds
// that are not plain text (opening fills the control from the cell and
// gives it the focus; closing takes its value back into the cell).

#include "widgets/ExStringGrid.h"
#include "widgets/grid_render/Parts.h"
#include "widgets/grid_model/Model.h"
#include "widgets/grid_render/Editor_Text.h"

#include "widgets/GridControlLook.h"
#include "widgets/GridParsers.h"
#include "widgets/grid_render/Editor_Controls.h"

#include "platform/ControlMessages.h"
#include "platform/GridView.h"

#include <cmath>

void DeleteGridEditorSet(TGridEditorSet* s) { delete s; }

TGridEditorSet& TExStringGrid::Editors()
{
    if (!FParts->Edit.FEditorSet) FParts->Edit.FEditorSet.reset(new TGridEditorSet(this));
    return *FParts->Edit.FEditorSet;
}

namespace {

bool IsSpinKind(TEditorType k)
{
    return k == edSpinEdit || k == edFloatSpinEdit || k == edTimeSpinEdit || k == edDateSpinEdit;
}
bool IsComboKind(TEditorType k) { return k == edComboEdit || k == edComboList; }
bool IsEditBtnKind(TEditorType k)
{
    return k == edEditBtn || k == edNumericEditBtn || k == edFloatEditBtn || k == edMaskEditBtn;
}
bool IsUnitKind(TEditorType k)
{
    return k == edUnitEditBtn || k == edNumericUnitEditBtn || k == edFloatUnitEditBtn;
}
bool IsDateKind(TEditorType k) { return k == edDateEdit || k == edDateEditUpDown || k == edTimeEdit; }

// The integer at the start of a text, sign included (0 when there is none).
int LeadingInteger(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    size_t j = i;
    if (j < s.size() && (s[j] == '-' || s[j] == '+')) ++j;
    const size_t first = j;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
    if (j == first) return 0;
    int v = 0;
    return TryStrToInt(s.substr(i, j - i), v) ? v : 0;
}

// The locale's short time format applied to a value ("hh:nn", "h:nn:ss" ...).
std::string ShortTimeText(TDateTime v)
{
    int h = 0, n = 0, s = 0, ms = 0;
    DecodeTime(v, h, n, s, ms);
    const std::string& f = FormatSettings().ShortTimeFormat;
    std::string out;
    for (size_t i = 0; i < f.size();) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(f[i])));
        size_t j = i;
        while (j < f.size() && std::tolower(static_cast<unsigned char>(f[j])) == c) ++j;
        const size_t run = j - i;
        auto num = [&](int x) {
            std::string t = IntToStr(x);
            if (run >= 2 && t.size() < 2) t = "0" + t;
            out += t;
        };
        if (c == 'h') num(h);
        else if (c == 'n' || c == 'm') num(n);
        else if (c == 's') num(s);
        else if (c == ':') out += std::string(run, FormatSettings().TimeSeparator);
        else out += f.substr(i, run);
        i = j;
    }
    return out;
}

// A text as a date (and time), the current date and time when it is none.
TDateTime DateOfText(const std::string& t)
{
    TDateTime v = 0;
    try {
        if (!Trim(t).empty() && ParseDateTimeText(Trim(t), v)) return v;
    } catch (const EConvertError&) {
    }
    return Now();
}

} // namespace

void TExStringGrid::StoreEditValue(int ACol, int ARow, const std::string& Value)
{
    SetEditText(Model().DisplCol(ACol), ARow, Value);
    SetCellEx(ACol, ARow, Value);
}

void TExStringGrid::OpenEditorControl(int ACol, int ARow)
{
    const TEditorType kind = CurrentEditor();
    if (kind == edDataCheckBox || kind == edNone || IsTextEditorKind(kind)) return;
    const bool built = IsSpinKind(kind) || IsComboKind(kind) || IsEditBtnKind(kind) || IsUnitKind(kind) ||
                       IsDateKind(kind) || kind == edCheckBox || kind == edButton || kind == edDateTimeEdit;
    if (!built || !View()) {
        FParts->Edit.FEditMode = false;
        if (!built) throw ENotBuilt("editor control of this kind");
        return;
    }
    SetEditing(true);
    FParts->Edit.FSpecialEditor = true;
    FParts->Edit.FEditActive = true;
    TRect R = CellRect(ACol, ARow);
    const int W = R.Right - R.Left - 1, H = R.Bottom - R.Top - 1;
    const int RC = Model().RealCol(ACol);
    // The cell's colour and font.
    TBrush brush;
    TFont font;
    {
        TGridDrawState state;
        TColor to = clNone, mirror = clNone, mirrorTo = clNone;
        TAlignment ha = TAlignment::taLeftJustify;
        TVAlignment va = vtaTop;
        bool ww = false;
        TCellGradientDirection gd{};
        GetVisualProperties(ACol, Row(), state, false, false, true, &brush, to, mirror, mirrorTo, &font, ha, va, ww,
                            gd);
    }
    const TColor C = brush.Color();
    SetGridState(gsNormal);
    FParts->Edit.EditCtrl = nullptr;
    FParts->Edit.FLastValidation = true;
    const std::string T = GetEditText(ACol, ARow);
    const TKeyChar startChar = FParts->Edit.FStartEditChar;
    TGridEditorSet& ed = Editors();

    // The common pattern: the control over the cell, filled, focused, with
    // the typed character that started the edit.
    auto place = [&](TControl& c, bool colour) {
        FParts->Edit.FEditMode = true;
        c.SetBounds(R.Left, R.Top, W, H);
        c.SetVisible(true);
        c.SetEnabled(true);
        if (colour) c.SetColor(C);
        c.SetFont(font);
    };
    auto prop = [&] { FireGetEditorProp(RC, ARow, nullptr); };
    // The character that started the edit is typed into the control now:
    // posted, it would come after keys the user typed meanwhile (a key and
    // Enter in one go stored the list's first item, two keys came swapped).
    auto typed = [&](TControl& c) {
        if (startChar) SendCharTo(c, startChar);
    };

    if (IsSpinKind(kind)) {
        TGridSpin* s = ed.Spin();
        place(*s, true);
        s->SetExcelStyleDecimalSeparator(ExcelStyleDecimalSeparator);
        switch (kind) {
        case edSpinEdit:
            s->SetSpinType(sptNormal);
            s->SetText(IntToStr(LeadingInteger(T)));
            break;
        case edFloatSpinEdit: {
            s->SetSpinType(sptFloat);
            double v = 0;
            // NormalizeNumberText already gives a "." decimal number (its
            // thousand separators gone): no second pass, which would read a
            // "." decimal point as a thousand separator.
            if (!TryDotTextToFloat(NormalizeNumberText(T), v)) v = 0;
            s->SetFloatValue(v);
            break;
        }
        case edTimeSpinEdit:
            s->SetText(T);
            s->SetSpinType(sptTime);
            break;
        default:
            s->SetSpinType(sptDate);
            s->SetDateValue(DateOfText(T));
            break;
        }
        prop();
        s->SetFocus();
        typed(*s);
        FParts->Edit.EditCtrl = s->Sender();
    } else if (IsComboKind(kind)) {
        TGridCombo* c = ed.Combo();
        FParts->Edit.FEditMode = true;
        c->SetDropDownCount(ControlLook()->DropDownCount);
        prop();
        c->SetBounds(R.Left, R.Top, 0, 0);
        c->SetEnabled(true);
        c->SetDroppedDown(false);
        c->Items().Clear();
        for (int i = 0; i < GetComboCount(); ++i) c->AddItem(ComboItems()[i], ComboObject(i));
        const int fixedIdx = ComboSelection();
        bool initialChange = false;
        if (kind == edComboEdit) {
            c->SetStyle(TComboBoxStyle::csDropDown);
            c->SetEditHeight(H - 6);
            c->SetText(T);
            if (fixedIdx != -1 && c->ItemIndex() == -1 && fixedIdx < c->Items().Count()) c->SetItemIndex(fixedIdx);
        } else {
            c->SetStyle(TComboBoxStyle::csDropDownList);
            c->SetItemIndex(-1);
            c->SelectItem(Cells(RC, ARow));
            if (fixedIdx == -1 && c->ItemIndex() == -1) {
                c->SelectItem(T);
                if (c->ItemIndex() == -1 && c->Items().Count() > 0) {
                    c->SetItemIndex(0);
                    initialChange = true;
                }
            } else if (c->ItemIndex() == -1 && fixedIdx >= 0 && fixedIdx < c->Items().Count()) {
                c->SetItemIndex(fixedIdx);
            }
        }
        // The box is the cell's size; its list opens below it.
        c->SetBounds(R.Left, R.Top, W, H);
        c->SetColor(C);
        c->SetFont(font);
        if (kind == edComboEdit) c->SetMaxLength(MaxComboLength);
        c->SetVisible(true);
        const bool flat = Look() == glSoft || (Look() >= glNUV && Look() <= glOffice2007);
        c->SetFlat(flat);
        c->SetEtched(flat);
        if (Navigation().AutoComboDropSize) c->SizeDropDownWidth();
        else if (c->DropWidth() > 0) c->SetDroppedWidth(c->DropWidth());
        c->SetFocus();
        if (MouseActions().DirectComboDrop || ControlLook()->DropDownAlwaysVisible()) c->SetDroppedDown(true);
        if (initialChange) {
            // The item put in place of a text that is not one of the items is
            // reported once, as item 0 (whichever item was selected).
            c->ReportInitialItem();
        }
        typed(*c);
        FParts->Edit.EditCtrl = c->Sender();
    } else if (IsEditBtnKind(kind)) {
        TGridEditBtn* e = ed.EditBtn();
        place(*e, true);
        e->SetMaxLength(GetEditLimit());
        e->SetEditMask(kind == edMaskEditBtn ? GetEditMask(ACol, ARow) : std::string());
        e->SetText(T);
        e->SetFocus();
        e->SetHeight(H);
        typed(*e);
        FParts->Edit.EditCtrl = e->Sender();
    } else if (kind == edCheckBox) {
        TGridCheckBox* b = ed.CheckBox();
        b->SetBounds(R.Left, R.Top, W, H);
        b->SetEnabled(true);
        b->SetVisible(true);
        b->SetCaption(T);
        b->SetChecked(false);
        b->SetFocus();
    } else if (kind == edButton) {
        TGridButton* b = ed.Button();
        b->SetBounds(R.Left - 1, R.Top - 1, W + 2, H + 2);
        b->SetVisible(true);
        b->SetEnabled(true);
        b->SetCaption(T);
        b->SetFocus();
        FParts->Edit.EditCtrl = b->Sender();
    } else if (IsUnitKind(kind)) {
        TGridUnitEditBtn* u = ed.UnitEditBtn();
        prop();
        place(*u, true);
        u->SetMaxLength(GetEditLimit());
        u->SetUnitID("");
        u->SetText("");
        u->SetTextAndUnit(T);
        // A value with none of the units stays whole in the number field
        // (closing would otherwise empty the cell).
        if (u->TextAndUnit() != T) {
            u->SetUnitID("");
            u->SetText(T);
        }
        u->SetFocus();
        u->SetHeight(H);
        typed(*u);
        FParts->Edit.EditCtrl = u->Sender();
    } else if (IsDateKind(kind)) {
        TGridDatePicker* p = ed.DatePicker();
        FParts->Edit.FEditMode = true;
        if (kind == edTimeEdit) {
            TDateTime v = Now();
            if (!T.empty()) {
                try {
                    v = StrToTime(Trim(T));
                } catch (const EConvertError&) {
                    v = Now();
                }
            }
            p->SetKind(TDateTimeKind::dtkTime);
            p->SetDateTime(v);
            p->SetBounds(R.Left, R.Top, W, H);
            p->SetEnabled(true);
            p->SetVisible(true);
            p->SetColor(C);
            prop();
            p->SetFocus();
        } else {
            TDateTime v = DateOfText(T);
            if (p->MaxDate() != 0 && p->MaxDate() < v) v = p->MaxDate() - 1;
            if (p->MinDate() != 0 && p->MinDate() >= v) v = p->MinDate() + 1;
            p->SetKind(TDateTimeKind::dtkDate);
            p->SetDateMode(kind == edDateEditUpDown ? TDTDateMode::dmUpDown : TDTDateMode::dmComboBox);
            p->SetDateTime(v);
            prop();
            p->SetBounds(R.Left, R.Top, W, p->Height() != H ? H : p->Height());
            p->SetEnabled(true);
            p->SetVisible(true);
            p->SetColor(C);
            p->SetFocus();
            if (MouseActions().DirectDateDrop) SendKeyDownTo(*p, VK_F4);
            typed(*p);
        }
        FParts->Edit.EditCtrl = p->Sender();
    } else if (kind == edDateTimeEdit) {
        TGridDateTimePicker* p = ed.DateTimePicker();
        FParts->Edit.FEditMode = true;
        const TDateTime v = DateOfText(T);
        FParts->Edit.FOriginalDateTime = v;
        p->SetKind(dkDateTime);
        p->SetDateTime(v);
        p->SetBorderStyle(TFlatDateTimePicker::TPickerBorderStyle::bsNone);
        p->SetBounds(R.Left, R.Top, W, p->Height() < H ? H : p->Height());
        prop();
        p->SetEnabled(true);
        p->SetVisible(true);
        p->SetColor(C);
        p->SetFocus();
    }
    FParts->Edit.FStartEditChar = 0;
}

void TExStringGrid::CloseEditorControl(int ACol, int ARow)
{
    if (ComponentState().Contains(csDestroying) || !FParts->Edit.FEditorSet) return;
    FParts->Edit.FSpecialEditor = false;
    FParts->Edit.FBlockKill = true;
    struct Unblock {
        bool& kill;
        bool& active;
        ~Unblock()
        {
            kill = false;
            active = false;
        }
    } unblock{FParts->Edit.FBlockKill, FParts->Edit.FEditActive};
    const int RC = Model().RealCol(ACol);
    FParts->Edit.FStartEditChar = 0;
    const TEditorType kind = CurrentEditor();
    TGridEditorSet& ed = *FParts->Edit.FEditorSet;
    auto hide = [](TControl* c) {
        c->SetEnabled(false);
        c->SetVisible(false);
    };
    if (IsSpinKind(kind)) {
        if (TGridSpin* s = ed.SpinIfMade()) {
            FParts->Edit.FEditMode = false;
            if (s->Restoring()) {
                SetCellEx(RC, ARow, FParts->Edit.FCellCache);
            } else if (s->AllowEmptyValue() && Trim(s->Text()).empty()) {
                SetCellEx(RC, ARow, "");
            } else {
                switch (kind) {
                case edSpinEdit: SetInts(RC, ARow, s->Value()); break;
                case edFloatSpinEdit: SetFloats(RC, ARow, s->FloatValue()); break;
                case edTimeSpinEdit: StoreEditValue(RC, ARow, s->Text()); break;
                default: SetDates(RC, ARow, s->DateValue()); break;
                }
            }
            hide(s);
        }
    } else if (IsComboKind(kind)) {
        TGridCombo* c = ed.ComboIfMade();
        if (c && FParts->Edit.FEditMode) {
            StoreEditValue(RC, ARow, c->CellValue());
            FParts->Edit.FEditMode = false;
            hide(c);
        }
    } else if (IsEditBtnKind(kind)) {
        TGridEditBtn* e = ed.EditBtnIfMade();
        if (e && FParts->Edit.FEditMode) {
            StoreEditValue(RC, ARow, e->Text());
            FParts->Edit.FEditMode = false;
            hide(e);
        }
    } else if (kind == edCheckBox) {
        if (TGridCheckBox* b = ed.CheckBoxIfMade()) hide(b);
        FParts->Edit.FEditMode = false;
    } else if (IsDateKind(kind)) {
        if (TGridDatePicker* p = ed.DatePickerIfMade()) {
            if (p->Restoring()) SetCellEx(RC, ARow, FParts->Edit.FCellCache);
            else StoreEditValue(RC, ARow, p->Checked() ? p->Text() : std::string());
            FParts->Edit.FEditMode = false;
            hide(p);
        }
    } else if (kind == edButton) {
        if (TGridButton* b = ed.ButtonIfMade()) hide(b);
        FParts->Edit.FEditMode = false;
    } else if (IsUnitKind(kind)) {
        if (TGridUnitEditBtn* u = ed.UnitEditBtnIfMade()) {
            StoreEditValue(RC, ARow, u->TextAndUnit());
            hide(u);
        }
        FParts->Edit.FEditMode = false;
    } else if (kind == edDateTimeEdit) {
        if (TGridDateTimePicker* p = ed.DateTimePickerIfMade()) {
            const TDateTime v = p->DateTime();
            StoreEditValue(RC, ARow, p->Checked() ? DateToStr(v) + " " + ShortTimeText(v) : std::string());
            FParts->Edit.FEditMode = false;
            hide(p);
        }
    }
    if (kind != edNormal && FParts->Edit.FEditActive) FireEditingDone(RC, ARow);
}
