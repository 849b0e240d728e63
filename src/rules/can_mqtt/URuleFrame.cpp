#include "rules/can_mqtt/URuleFrame.h"

#include "core/ULanguage.h"
#include "core/UWholeNumber.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

#include <algorithm>

using ULanguage::Text;

namespace {

std::string Text_Or_Empty(int id) { return id >= 0 ? Text(id) : std::string(); }

} // namespace

std::vector<std::string> Position_Items(int n)
{
    std::vector<std::string> items;
    items.reserve(static_cast<size_t>(n > 0 ? n : 0) + 1);
    items.push_back("None");
    for (int i = 0; i < n; ++i) items.push_back(std::to_string(i));
    return items;
}

std::vector<std::string> Number_Items(int n)
{
    std::vector<std::string> items;
    items.reserve(static_cast<size_t>(n > 0 ? n : 0));
    for (int i = 0; i < n; ++i) items.push_back(std::to_string(i));
    return items;
}

TRuleColumn Rule_Text(int header, int hint, const char* attr, int width, TColor color, bool hidden)
{
    TRuleColumn c;
    c.header = header;
    c.hint = hint;
    c.attr = attr;
    c.width = width;
    c.color = color;
    c.hidden = hidden;
    return c;
}

TRuleColumn Rule_Combo(int header, int hint, const char* attr, std::vector<std::string> items, int width,
                       TColor color, bool hidden, TEditorType editor)
{
    TRuleColumn c = Rule_Text(header, hint, attr, width, color, hidden);
    c.editor = editor;
    c.items = std::move(items);
    return c;
}

TRuleColumn Rule_Check(int header, int hint, const char* attr, int width, TColor color, bool hidden,
                       const char* missing)
{
    TRuleColumn c = Rule_Text(header, hint, attr, width, color, hidden);
    c.editor = edDataCheckBox;
    c.missing = missing;
    return c;
}

// --- the row being checked ------------------------------------------------------

std::string TRuleRow::Cell(int col) const { return frame_.Grid(grid_).GetCellEx(col, row_); }
std::string TRuleRow::Trimmed(int col) const { return Trim(Cell(col)); }
std::string TRuleRow::Upper(int col) const { return UpperCase(Trimmed(col)); }
int32_t TRuleRow::Number(int col) const { return UComon::Whole_Number(Cell(col)); }
bool TRuleRow::Shown(int col) const { return !frame_.Grid(grid_).IsHiddenColumn(col); }
long long& TRuleRow::Total() { return frame_.total_; }

// --- the frame ----------------------------------------------------------------------

TRuleFrame::TRuleFrame(const TRuleWindowDesc& desc, std::vector<TExColumnGrid*> grids,
                       std::function<std::string()> path)
    : desc_(desc), grids_(std::move(grids)), path_(std::move(path)), hints_(grids_.size()),
      copied_(grids_.size(), false)
{
    if (grids_.size() != desc_.grids.size()) throw EListError("Rule window: one grid per grid description");
    for (const TRuleGridDesc& d : desc_.grids) rows_.push_back(d.rows);
}

TExColumnGrid& TRuleFrame::Grid(int g) const
{
    if (g < 0 || g >= GridCount()) RaiseListIndexError(g);
    return *grids_[static_cast<size_t>(g)];
}

int TRuleFrame::Rows(int g) const
{
    if (g < 0 || g >= GridCount()) RaiseListIndexError(g);
    return rows_[static_cast<size_t>(g)];
}

TStringList& TRuleFrame::Hint_List(int g)
{
    if (g < 0 || g >= GridCount()) RaiseListIndexError(g);
    return hints_[static_cast<size_t>(g)];
}

void TRuleFrame::Setup()
{
    for (int g = 0; g < GridCount(); ++g) {
        const TRuleGridDesc& d = desc_.grids[static_cast<size_t>(g)];
        TExColumnGrid& grid = Grid(g);
        grid.UnHideColumnsAll();
        grid.SetColCount(static_cast<int>(d.columns.size()) + 1);
        grid.SetRowCount(d.rows + 1);
        grid.SetFixedRows(1);
        grid.SetFixedCols(1);
        grid.SetRowHeights(0, 22);
        if (d.rowHeight > 0)
            for (int r = 1; r <= d.rows; ++r) grid.SetRowHeights(r, d.rowHeight);
        TGridOptions options = grid.Options() + goRangeSelect + goEditing;
        options = d.colSizing ? options + goColSizing : options - goColSizing;
        grid.SetOptions(options);
        grid.HintShowCells = d.showHints;
        TGridColumnItem* number = grid.Columns().Items(0);
        number->SetWidth(d.numberWidth);
        number->SetAlignment(TAlignment::taCenter);
        number->SetColor(d.numberColor);
        for (size_t i = 0; i < d.columns.size(); ++i) {
            const TRuleColumn& c = d.columns[i];
            TGridColumnItem* item = grid.Columns().Items(static_cast<int>(i) + 1);
            item->SetWidth(c.width);
            item->SetEditor(c.editor);
            item->ComboItems().Clear();
            for (const std::string& s : c.items) item->ComboItems().Add(s);
            item->SetColor(c.color);
            item->SetAlignment(c.editor == edDataCheckBox ? TAlignment::taCenter : TAlignment::taLeftJustify);
            item->CheckTrue = "Y";
            item->CheckFalse = "N";
            item->EditLength = c.maxLength;
            if (c.editor == edComboEdit) grid.MaxComboLength = std::max(grid.MaxComboLength, c.maxLength);
        }
    }
}

void TRuleFrame::Set_Lang()
{
    for (int g = 0; g < GridCount(); ++g) {
        const TRuleGridDesc& d = desc_.grids[static_cast<size_t>(g)];
        TExColumnGrid& grid = Grid(g);
        grid.Columns().Items(0)->SetHeader(Text_Or_Empty(d.numberHeader));
        TStringList& hints = Hint_List(g);
        hints.Clear();
        for (size_t i = 0; i < d.columns.size(); ++i) {
            grid.Columns().Items(static_cast<int>(i) + 1)->SetHeader(Text_Or_Empty(d.columns[i].header));
            hints.Add(Text_Or_Empty(d.columns[i].hint));
        }
    }
}

void TRuleFrame::Reset()
{
    for (int g = 0; g < GridCount(); ++g) {
        const TRuleGridDesc& d = desc_.grids[static_cast<size_t>(g)];
        TExColumnGrid& grid = Grid(g);
        for (size_t i = 0; i < d.columns.size(); ++i) {
            const int col = static_cast<int>(i) + 1;
            if (d.columns[i].hidden && !grid.IsHiddenColumn(col)) grid.HideColumn(col);
            if (!d.columns[i].hidden && grid.IsHiddenColumn(col)) grid.UnHideColumn(col);
        }
        // A count decided at the showing is taken as it comes; the window's
        // own function keeps it sensible.
        int& rows = rows_[static_cast<size_t>(g)];
        if (d.rowsAtShow) rows = std::max(1, d.rowsAtShow());
        grid.SetRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r) {
            grid.SetCellEx(0, r, std::to_string(r));
            for (size_t i = 0; i < d.columns.size(); ++i)
                grid.SetCellEx(static_cast<int>(i) + 1, r, d.columns[i].reset);
        }
    }
    std::fill(copied_.begin(), copied_.end(), false);
}

void TRuleFrame::Report_Unreadable(const std::string& path, const std::string& why)
{
    ShowError(std::string(Msg_File_Unreadable) + "\n" + path + (why.empty() ? std::string() : "\n(" + why + ")"));
}

bool TRuleFrame::Replace_Unreadable_Agreed(const std::string& path)
{
    return MessageDlg(std::string(Msg_Replace_Unreadable) + "\n" + path, TMsgDlgType::mtConfirmation,
                      TMsgDlgButtons::mbYesNo) == mrYes;
}

TXmlLoad TRuleFrame::Load()
{
    unreadable_ = false;
    const std::string path = Path();
    TXmlDocument doc;
    const TXmlLoad result = path.empty() ? TXmlLoad::Missing : doc.LoadFromFile(path);
    if (result == TXmlLoad::Unreadable) {
        unreadable_ = true;
        Report_Unreadable(path, doc.LoadError());
    }
    if (result != TXmlLoad::Read) {
        if (desc_.loadOptions) desc_.loadOptions(pugi::xml_node(), false);
        return result;
    }
    const pugi::xml_node root = doc.Root();
    for (int g = 0; g < GridCount(); ++g) {
        const TRuleGridDesc& d = desc_.grids[static_cast<size_t>(g)];
        TExColumnGrid& grid = Grid(g);
        const pugi::xml_node section = d.section.empty() ? root : ChildElement(root, d.section.c_str());
        int r = 1;
        for (pugi::xml_node row : section.children()) {
            if (r > Rows(g)) break;
            if (row.type() != pugi::node_element) continue;
            for (size_t i = 0; i < d.columns.size(); ++i) {
                const TRuleColumn& c = d.columns[i];
                std::string text = c.missing;
                if (!c.attr.empty()) {
                    const pugi::xml_attribute a = row.attribute(c.attr.c_str());
                    if (a) text = c.fromFile ? c.fromFile(a.value()) : std::string(a.value());
                }
                grid.SetCellEx(static_cast<int>(i) + 1, r, text);
            }
            if (desc_.afterLoadRow) desc_.afterLoadRow(grid, g, r, row);
            ++r;
        }
    }
    if (desc_.loadOptions) desc_.loadOptions(root, true);
    return result;
}

TXmlLoad TRuleFrame::Show()
{
    Reset();
    if (desc_.beforeLoad) desc_.beforeLoad(*this);
    const TXmlLoad result = Load();
    for (int g = 0; g < GridCount(); ++g)
        if (desc_.grids[static_cast<size_t>(g)].numberEnabled) Number_Enabled(g);
    return result;
}

bool TRuleFrame::Enabled(int g, int row) const
{
    const TRuleGridDesc& d = desc_.grids[static_cast<size_t>(g)];
    const std::string cell = d.enable == TEnableTest::None ? std::string() : Grid(g).GetCellEx(d.enableCol, row);
    switch (d.enable) {
    case TEnableTest::None: return true;
    case TEnableTest::Trimmed: return UpperCase(Trim(cell)) == "Y";
    case TEnableTest::Exact: return Trim(cell) == "Y";
    case TEnableTest::UpperFirst:
    case TEnableTest::Upper: return UpperCase(cell) == "Y";
    }
    return true;
}

void TRuleFrame::Number_Enabled(int g)
{
    TExColumnGrid& grid = Grid(g);
    const int last = std::min(Rows(g), grid.RowCount() - 1);
    int n = 0;
    for (int r = 1; r <= last; ++r) grid.SetCellEx(0, r, Enabled(g, r) ? std::to_string(++n) : std::string());
}

bool TRuleFrame::Row_Listed(int g, int row, int keyCol, bool trimmed) const
{
    if (keyCol == No_Key_Col) return true;
    const std::string key = Grid(g).GetCellEx(keyCol, row);
    return trimmed ? !Trim(key).empty() : !key.empty();
}

std::optional<TRuleFault> TRuleFrame::Validate()
{
    std::vector<std::pair<int, int>> walked;  // (grid, row) of every row checked
    for (int g = 0; g < GridCount(); ++g) {
        const TRuleGridDesc& d = desc_.grids[static_cast<size_t>(g)];
        TExColumnGrid& grid = Grid(g);
        total_ = 0;
        const int last = std::min(Rows(g), grid.RowCount() - 1);
        for (int r = 1; r <= last; ++r) {
            const bool listed = Row_Listed(g, r, Key_Col(g), d.keyTrimmed) ||
                                (d.altKeyCol >= 0 && Row_Listed(g, r, d.altKeyCol, d.keyTrimmed));
            if (d.enable == TEnableTest::UpperFirst) {
                if (!Enabled(g, r)) continue;
                if (!listed) break;
            } else {
                if (!listed) break;
                if (!Enabled(g, r)) continue;
            }
            walked.emplace_back(g, r);
            if (!desc_.check) continue;
            TRuleRow row(*this, g, r);
            if (std::optional<TRuleFault> f = desc_.check(row)) return f;
        }
    }
    if (std::optional<TRuleFault> f = Unique_Fault(walked)) return f;
    if (desc_.finalCheck) return desc_.finalCheck(*this);
    return std::nullopt;
}

std::optional<TRuleFault> TRuleFrame::Unique_Fault(const std::vector<std::pair<int, int>>& walked) const
{
    if (!desc_.unique) return std::nullopt;
    const TRuleUnique& u = *desc_.unique;
    // The compared cells of each row taking part, joined with a separator
    // no cell holds.
    std::vector<std::pair<int, std::string>> keys;  // (row, key)
    for (const auto& [g, r] : walked) {
        if (static_cast<size_t>(g) >= u.cols.size() || u.cols[static_cast<size_t>(g)].empty()) continue;
        std::string key;
        for (int col : u.cols[static_cast<size_t>(g)]) {
            const std::string cell = Grid(g).GetCellEx(col, r);
            key += (u.trimmed ? Trim(cell) : cell) + '\0';
        }
        keys.emplace_back(r, std::move(key));
    }
    for (size_t b = 0; b < keys.size(); ++b)
        for (size_t e = b + 1; e < keys.size(); ++e) {
            if (keys[b].second != keys[e].second) continue;
            TRuleFault f{keys[b].first, u.text, {}, false, {}};
            if (u.rowsLead >= 0 && u.rowsBetween >= 0)
                f.lead = Text(u.rowsLead) + std::to_string(keys[b].first) + Text(u.rowsBetween) +
                         std::to_string(keys[e].first);
            return f;
        }
    return std::nullopt;
}

std::string TRuleFrame::Message(const TRuleFault& f) const
{
    std::string m = f.lead;
    if (f.rowPrefix) {
        const int own = f.grid >= 0 && f.grid < GridCount() ? desc_.grids[static_cast<size_t>(f.grid)].rowPrefix : -1;
        m = Text_Or_Empty(own >= 0 ? own : desc_.rowPrefix) + std::to_string(f.row);
    }
    return m + Text_Or_Empty(f.text) + f.appended;
}

bool TRuleFrame::Controllo_dati()
{
    if (const std::optional<TRuleFault> f = Validate()) {
        if (!f->shown) MessageDlg(Message(*f), TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        return false;
    }
    return true;
}

int TRuleFrame::Key_Col(int g) const
{
    const TRuleGridDesc& d = desc_.grids[static_cast<size_t>(g)];
    return d.keyColFn ? d.keyColFn() : d.keyCol;
}

int TRuleFrame::Save_Key(int g) const
{
    const TRuleGridDesc& d = desc_.grids[static_cast<size_t>(g)];
    return d.saveKeyCol >= 0 ? d.saveKeyCol : Key_Col(g);
}

int TRuleFrame::Saved_Rows(int g)
{
    const TRuleGridDesc& d = desc_.grids[static_cast<size_t>(g)];
    const bool trimmed = d.saveKeyCol >= 0 ? d.saveKeyTrimmed : d.keyTrimmed;
    const int last = std::min(Rows(g), Grid(g).RowCount() - 1);
    int n = 0;
    while (n < last && Row_Listed(g, n + 1, Save_Key(g), trimmed)) ++n;
    return n;
}

void TRuleFrame::Build(TXmlDocument& doc)
{
    pugi::xml_node root = doc.NewDocument(desc_.root);
    if (!desc_.version.empty()) doc.AddDocumentComment("SW_VERSION = " + desc_.version);
    for (int g = 0; g < GridCount(); ++g) {
        const TRuleGridDesc& d = desc_.grids[static_cast<size_t>(g)];
        TExColumnGrid& grid = Grid(g);
        pugi::xml_node section = d.section.empty() ? root : root.append_child(d.section.c_str());
        const int n = Saved_Rows(g);
        for (int r = 1; r <= n; ++r) {
            pugi::xml_node row = section.append_child(desc_.rowElement.c_str());
            for (size_t i = 0; i < d.columns.size(); ++i) {
                const TRuleColumn& c = d.columns[i];
                if (c.attr.empty()) continue;
                const std::string cell = grid.GetCellEx(static_cast<int>(i) + 1, r);
                const std::string text = c.toFileAt ? c.toFileAt(cell, r) : c.toFile ? c.toFile(cell) : cell;
                row.append_attribute(c.attr.c_str()).set_value(text.c_str());
            }
        }
    }
    if (desc_.saveOptions) desc_.saveOptions(root);
}

bool TRuleFrame::OK(const std::function<bool()>& beforeSave)
{
    if (!Controllo_dati()) return false;
    const std::string path = Path();
    if (unreadable_ && !Replace_Unreadable_Agreed(path)) return false;
    if (beforeSave && !beforeSave()) return false;
    TXmlDocument doc;
    Build(doc);
    if (path.empty() || !doc.SaveToFile(path)) {
        ShowError(std::string(Msg_File_Not_Written) + "\n" + path);
        return false;
    }
    unreadable_ = false;
    return true;
}

bool TRuleFrame::Copied(int g) const
{
    if (g < 0 || g >= GridCount()) RaiseListIndexError(g);
    return copied_[static_cast<size_t>(g)];
}

void TRuleFrame::Grid_Hint(int g, int row, int col, std::string& hint)
{
    TExColumnGrid& grid = Grid(g);
    if (!desc_.grids[static_cast<size_t>(g)].showHints) {
        hint.clear();
        return;
    }
    const int real = grid.RealColIndex(col);
    if (row == 0 && real >= 1) {
        const TStringList& hints = Hint_List(g);
        hint = real - 1 < hints.Count() ? hints[real - 1] : std::string();
        return;
    }
    if (!desc_.keepOtherHints) hint.clear();
}

void TRuleFrame::Click_Cell(int g, int row, int col)
{
    if (!desc_.clickSelectsRow || col != 0) return;
    TExColumnGrid& grid = Grid(g);
    if (row >= grid.FixedRows() && row < grid.RowCount()) grid.SelectRows(row, 1);
}
