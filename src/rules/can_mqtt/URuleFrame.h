#pragma once
// The frame every rule window shares, without the window.
//
// A rule window is described by data (TRuleWindowDesc: its grids with their
// sections, data-row counts, key columns and columns; its texts; its file's
// root and version) plus a check of one row. TRuleFrame does with such a
// description and the window's column grids what every rule window does:
// lays out the columns, applies the texts, resets the rows, loads the rule
// file, walks the rows to validate them and composes the error message,
// writes the file, and runs the row buttons and the grid conveniences. It
// needs no window, so the tests drive it on bare grids; the windows
// (URuleWindow.h) only host the grids and bind their controls to it.
//
// The rule file: the root element first, the comment "SW_VERSION = " and
// the version after it (files without a version have none), then under the
// root one section element per grid (or the rows directly under the root),
// one "row" element (or the window's own row name) per rule with
// one attribute per saved column, each holding the cell text exactly as
// the grid holds it. Reading takes the document element as root, finds the
// sections by name, takes the element children of a section as its rows
// by position (rows beyond the grid's data rows are ignored) and gives a
// missing attribute or section the column's load default.

#include "widgets/ExColumnGrid.h"

#include "platform/XmlDoc.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TRuleFrame;

// One data column of a rule grid (columns 1, 2, ...).
struct TRuleColumn {
    int header = -1;             // UI text of the header
    int hint = -1;               // UI text of the header hint (-1: empty)
    std::string attr;            // attribute in the rule file; empty: not saved
    TEditorType editor = edNormal;
    std::vector<std::string> items;  // items of a combo column
    int width = 64;
    bool hidden = false;         // hidden at every showing
    std::string reset;           // text at every showing
    std::string missing;         // text of a loaded row without the attribute
                                 // (for a column not saved: its text in every loaded row)
    TColor color = clWindow;
    int maxLength = 0;           // characters a user may type (0: no limit); the
                                 // combo-edit columns of a grid share the largest
    // Conversions between the file and the cell, where a column stores
    // something else than its text (the MQTT access window's topic index).
    std::function<std::string(const std::string& attribute)> fromFile;
    std::function<std::string(const std::string& cell)> toFile;
    // As toFile, knowing the row (a conversion that remembers something per row).
    std::function<std::string(const std::string& cell, int row)> toFileAt;
};

// How rows with an Enable column take part in the validation walk.
enum class TEnableTest {
    None,        // no Enable column: every listed row is checked
    Trimmed,     // rows whose trimmed, upper-cased Enable is not "Y" are skipped
    UpperFirst,  // the upper-cased (not trimmed) Enable is tested before the
                 // key, so a disabled row with an empty key does not end the walk
    Exact,       // rows whose trimmed Enable is not exactly "Y" are skipped
    Upper,       // rows whose upper-cased (not trimmed) Enable is not "Y" are skipped
};

// keyCol of a grid without a key column: every row is validated and saved.
inline constexpr int No_Key_Col = -1;

struct TRuleGridDesc {
    std::string section;         // section element; empty: rows under the root
    int rows = 1;                // data rows (RowCount - 1)
    // Where the data-row count is decided at each showing, before the reset
    // (rows is then the count until the first showing).
    std::function<int()> rowsAtShow;
    int numberHeader = -1;       // UI text of column 0's header
    int numberWidth = 40;
    TColor numberColor = clBtnFace;
    int pageCaption = -1;        // UI text of the page (paged windows)
    int rowPrefix = -1;          // the grid's own row prefix ("Error in Read, row "); -1: the window's
    std::vector<TRuleColumn> columns;
    int keyCol = 1;              // the first row whose key cell is empty ends the rules (No_Key_Col: none does)
    // Where the key column follows a setting read at each showing: asked
    // whenever the key is needed (keyCol is then unused).
    std::function<int()> keyColFn;
    bool keyTrimmed = true;      // false: a key of blanks counts as filled
    int altKeyCol = -1;          // validation: a row is listed while either key is filled
    int saveKeyCol = -1;         // the column ending the saved rows (-1: keyCol)
    bool saveKeyTrimmed = true;
    TEnableTest enable = TEnableTest::None;
    int enableCol = 1;
    int rowHeight = 0;           // data row height (0: the grid's default)
    bool colSizing = true;       // the user may size the columns by dragging
    bool showHints = true;       // false: the grid shows no hints at all
    bool enterJump = true;       // false: Enter never jumps to the next cell
    bool tabHidden = false;      // the page is kept, its tab is not shown
    // Column 0 numbers the enabled rows (1, 2, ... in row order, empty beside
    // a row the enable test skips) in place of the row numbers: after each
    // showing's load and whenever a check box of the Enable column is clicked.
    bool numberEnabled = false;
};

// A test of the whole table once every row passed: no two rows of the walk
// (the rows it checked, over all grids in page order) may agree in all the
// compared columns. The fault is the first such pair in walk order.
struct TRuleUnique {
    std::vector<std::vector<int>> cols;  // per grid: the columns compared (none: the grid takes no part)
    bool trimmed = false;        // cells compared trimmed; otherwise exactly as they stand
    int text = -1;               // the fault's text
    // Both set: the box reads lead + first row + between + second row + text;
    // otherwise the text stands alone.
    int rowsLead = -1;
    int rowsBetween = -1;
};

// A failing check: the row, the reason's UI text and what follows it.
struct TRuleFault {
    int row = 0;
    int text = -1;
    std::string appended;
    bool rowPrefix = true;       // false: the box shows lead and the reason
    std::string lead;
    bool shown = false;          // the check has shown the fault itself: no further box
    int grid = -1;               // the grid of the row (its own row prefix)
};

// The row being checked, as the window's check sees it.
class TRuleRow {
public:
    TRuleRow(TRuleFrame& frame, int grid, int row) : frame_(frame), grid_(grid), row_(row) {}
    int Grid() const { return grid_; }
    int Row() const { return row_; }
    // The cell text of real column col, as it stands.
    std::string Cell(int col) const;
    std::string Trimmed(int col) const;
    // Trimmed and upper-cased.
    std::string Upper(int col) const;
    bool Empty(int col) const { return Trimmed(col).empty(); }
    // The cell read as a whole number, -1 when it is none.
    int32_t Number(int col) const;
    // Whether the column is shown.
    bool Shown(int col) const;
    // A running total kept over one grid's walk (byte budgets).
    long long& Total();
    TRuleFault Fault(int text, const std::string& appended = {}) const
    {
        return {row_, text, appended, true, {}, false, grid_};
    }

private:
    TRuleFrame& frame_;
    int grid_;
    int row_;
};

using TRuleCheck = std::function<std::optional<TRuleFault>(TRuleRow& row)>;

struct TRuleWindowDesc {
    std::string root;
    std::string version;         // "1.002": the comment reads "SW_VERSION = 1.002";
                                 // empty: the file has no version comment
    std::string rowElement = "row";  // the element of one saved row
    int clientWidth = 0;
    int clientHeight = 337;
    int caption = -1;
    int description = -1;
    int buttonCaptions[6] = {-1, -1, -1, -1, -1, -1};  // OK, Cancel, Delete, Insert, Copy, Paste
    int buttonHints[6] = {-1, -1, -1, -1, -1, -1};
    int rowPrefix = -1;          // "Error row "
    int deleteQuestion = -1;     // "Are you sure to delete the Row number "
    std::vector<TRuleGridDesc> grids;
    TRuleCheck check;
    // After every listed row of every grid passed: the checks over the
    // grids together (a limit on their rules); nullptr: none.
    std::function<std::optional<TRuleFault>(TRuleFrame& frame)> finalCheck;
    // The whole-table test after the row walk (none: no such test).
    std::optional<TRuleUnique> unique;
    // Windows whose grids answer every other cell's hint with the grid's own.
    bool keepOtherHints = false;
    // A showing leaves the active page as it was (the first page is active
    // only from the window's creation).
    bool keepPage = false;
    // A click on a row number selects that row.
    bool clickSelectsRow = false;
    // Insert Row puts "Y" into column 1.
    bool insertEnable = false;
    // false: OK and Cancel only (no row buttons).
    bool rowButtons = true;
    // false: Delete Row and Insert Row without Copy Row and Paste Row.
    bool copyPasteButtons = true;
    // Elements after the sections, and reading them back (nullptr: none).
    std::function<void(pugi::xml_node root)> saveOptions;
    std::function<void(pugi::xml_node root, bool fileRead)> loadOptions;
    // A showing's own steps after the reset, before the file is read.
    std::function<void(TRuleFrame& frame)> beforeLoad;
    // After the attributes of a loaded row are in its cells (defaults that
    // depend on other cells, older attributes).
    std::function<void(TExColumnGrid& grid, int g, int row, pugi::xml_node node)> afterLoadRow;
};

// Column builders of the window descriptions.
TRuleColumn Rule_Text(int header, int hint, const char* attr, int width, TColor color, bool hidden = false);
TRuleColumn Rule_Combo(int header, int hint, const char* attr, std::vector<std::string> items, int width,
                       TColor color, bool hidden = false, TEditorType editor = edComboList);
// A data check box; missing: the text of a loaded row without the attribute.
TRuleColumn Rule_Check(int header, int hint, const char* attr, int width, TColor color, bool hidden = false,
                       const char* missing = "N");

// Whole-number range test of the rule checks (bounds inclusive).
inline bool In_Range(int64_t v, int64_t lo, int64_t hi) { return v >= lo && v <= hi; }

class TRuleFrame {
public:
    // The grids in page order, one per grid description; the file path is
    // asked each time the file is read or written.
    TRuleFrame(const TRuleWindowDesc& desc, std::vector<TExColumnGrid*> grids, std::function<std::string()> path);

    const TRuleWindowDesc& Desc() const { return desc_; }
    int GridCount() const { return static_cast<int>(grids_.size()); }
    TExColumnGrid& Grid(int g) const;
    // The data rows of grid g at the last showing.
    int Rows(int g) const;
    std::string Path() const { return path_ ? path_() : std::string(); }

    // Column count, fixed row and column, widths, editors, item lists,
    // colours and alignment of every grid (once, at creation).
    void Setup();
    // Headers of every grid (hidden columns too) and the hint lists.
    void Set_Lang();
    TStringList& Hint_List(int g);

    // What a showing does before the window's own steps: the data-row
    // counts decided, the hidden columns, every data row reset (row number
    // and reset texts), the copy flags cleared.
    void Reset();
    // Loads the rule file into the grids. Missing: nothing happens. A file
    // that does not parse: an error box names it, the grids stay reset and
    // the next OK asks before replacing it.
    TXmlLoad Load();
    // Reset and Load, as a showing does (with the numbering of enabled rows).
    TXmlLoad Show();
    // Whether row of grid g passes the grid's enable test.
    bool Enabled(int g, int row) const;
    // Column 0 of grid g numbers its enabled rows (see numberEnabled).
    void Number_Enabled(int g);
    bool File_Unreadable() const { return unreadable_; }

    // The validation walk: the first failing row of the grids in order,
    // then the whole-table test, then the window's check over the grids
    // together.
    std::optional<TRuleFault> Validate();
    // "Error row " + row + reason + appended (or the reason alone).
    std::string Message(const TRuleFault& f) const;
    // Validate, with the error box of the first fault.
    bool Controllo_dati();
    // The rule file of the grids' rows.
    void Build(TXmlDocument& doc);
    // The rows written for grid g (1 .. the row before the first empty save key).
    int Saved_Rows(int g);
    // OK: validates, asks before replacing a file that could not be read,
    // writes the file; false (with a message where one is due) when the
    // window must stay open. beforeSave may refuse the save.
    bool OK(const std::function<bool()>& beforeSave = nullptr);

    // --- row buttons on grid g, at its current row
    void Delete_Row(int g);
    void Insert_Row(int g);
    void Copy_Row(int g);
    void Paste_Row(int g);
    bool Copied(int g) const;

    // --- grid conveniences
    void Key_Press(int g, TKeyChar& key);
    void Dbl_Click(int g, int row, int col);
    // Hint of a cell (col: displayed column): the header hint of the column,
    // otherwise empty (or the grid's own hint in windows that keep it).
    void Grid_Hint(int g, int row, int col, std::string& hint);
    void Click_Cell(int g, int row, int col);

    // The error box of a rule file that could not be read at a showing:
    // the file and why.
    static void Report_Unreadable(const std::string& path, const std::string& why);
    // Asks before a file that could not be read is replaced; true on Yes.
    static bool Replace_Unreadable_Agreed(const std::string& path);

    // Messages of the frame that the UI text table has no text for.
    static constexpr const char* Msg_File_Unreadable = "The file cannot be read, the table opens empty:";
    static constexpr const char* Msg_Replace_Unreadable =
        "The file could not be read when this window was opened. Replace it with the rows shown here?";
    static constexpr const char* Msg_File_Not_Written = "The file could not be written:";

private:
    friend class TRuleRow;
    int Key_Col(int g) const;
    int Save_Key(int g) const;
    std::optional<TRuleFault> Unique_Fault(const std::vector<std::pair<int, int>>& walked) const;
    bool Row_Listed(int g, int row, int keyCol, bool trimmed) const;

    TRuleWindowDesc desc_;
    std::vector<TExColumnGrid*> grids_;
    std::function<std::string()> path_;
    std::vector<TStringList> hints_;
    std::vector<bool> copied_;
    std::vector<int> rows_;
    long long total_ = 0;
    bool unreadable_ = false;
};

// The texts "0", "1", ... "n - 1" after a leading "None" (the byte-position
// lists of the rule grids).
std::vector<std::string> Position_Items(int n);
// The texts "0", "1", ... "n - 1".
std::vector<std::string> Number_Items(int n);
