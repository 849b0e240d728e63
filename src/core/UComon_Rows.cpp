#include "core/UComon_Rows.h"

#include "core/UComon.h"
#include "core/ULanguage.h"

#include "widgets/ExColumnGrid.h"

#include "platform/Dialogs.h"
#include "platform/SysUtils.h"

namespace UComon {

namespace {

constexpr int Txt_Row_Used = 1100;
constexpr int Txt_Copy_Width = 1101;
constexpr int Txt_No_Copy = 1102;

// The last data column (real index): every data column, hidden ones too.
int Last_Data_Col(const TExStringGrid& Grid) { return Grid.ColCount() + Grid.NumHiddenColumns() - 1; }

// A data row of the grid (the header row and rows beyond it are not).
bool Is_Data_Row(const TExStringGrid& Grid, int Row) { return Row >= 1 && Row < Grid.RowCount(); }

bool Is_Check_Column(const TExColumnGrid& Grid, int c)
{
    return c < Grid.Columns().Count() && Grid.Columns().Items(c)->Editor() == edDataCheckBox;
}

// A row of a column grid holds a rule when a column other than a check-box
// column holds a text with more than blanks.
bool Row_Used(const TExColumnGrid& Grid, int Row)
{
    for (int c = 1; c <= Last_Data_Col(Grid); ++c)
        if (!Is_Check_Column(Grid, c) && !Trim(Grid.Cells(c, Row)).empty()) return true;
    return false;
}

// The check-box state of a cell; false when it holds no (two-state) box.
bool Check_State(TExStringGrid& Grid, int c, int Row, bool& State) { return Grid.GetCheckBoxState(c, Row, State); }

// A row of a string grid holds a rule when a cell without a check box
// holds any text, blanks included.
bool Row_Used_Chk(TExStringGrid& Grid, int Row)
{
    bool state = false;
    for (int c = 1; c <= Last_Data_Col(Grid); ++c)
        if (!Check_State(Grid, c, Row, state) && !Grid.Cells(c, Row).empty()) return true;
    return false;
}

// The checks before a paste: nothing copied, another width, a used row
// the user does not want to overwrite. True when the paste may go on.
bool May_Paste(int Width, bool Copied, bool Used)
{
    if (!Copied) {
        MessageDlg(ULanguage::Text(Txt_No_Copy), TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        return false;
    }
    if (Row_Clipboard.Count() != Width) {
        MessageDlg(ULanguage::Text(Txt_Copy_Width), TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        return false;
    }
    if (Used &&
        MessageDlg(ULanguage::Text(Txt_Row_Used), TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo) != mrYes)
        return false;
    return true;
}

} // namespace

// --- column grids --------------------------------------------------------------------------

void Grid_Delete_Row(int Row, TExColumnGrid& Grid)
{
    if (!Is_Data_Row(Grid, Row)) return;
    const int N = Last_Data_Col(Grid);
    const int R = Grid.RowCount();
    for (int r = Row; r <= R - 2; ++r)
        for (int c = 1; c <= N; ++c) Grid.SetCells(c, r, Grid.Cells(c, r + 1));
    for (int c = 1; c <= N; ++c) Grid.SetCells(c, R - 1, "");
}

void Grid_Insert_Row(int Row, TExColumnGrid& Grid, bool EnableFirst)
{
    if (!Is_Data_Row(Grid, Row)) return;
    const int R = Grid.RowCount();
    // The last row would leave the grid: a rule there is never thrown away.
    if (Row_Used(Grid, R - 1)) {
        Beep();
        return;
    }
    const int N = Last_Data_Col(Grid);
    for (int r = R - 2; r >= Row; --r)
        for (int c = 1; c <= N; ++c) Grid.SetCells(c, r + 1, Grid.Cells(c, r));
    for (int c = 1; c <= N; ++c) Grid.SetCells(c, Row, EnableFirst && c == 1 ? "Y" : "");
}

void Grid_Copy_Row(TExColumnGrid& Grid, int Row)
{
    if (!Is_Data_Row(Grid, Row)) return;
    const int N = Last_Data_Col(Grid);
    Row_Clipboard.Clear();
    for (int c = 1; c <= N; ++c) Row_Clipboard.Add(Grid.Cells(c, Row));
    // A plain copy holds texts only: no entry is a check box.
    Row_Clipboard_Chk.assign(static_cast<size_t>(Row_Clipboard.Count()), false);
}

void Grid_Paste_Row(TExColumnGrid& Grid, int Row, bool Copied)
{
    if (!Is_Data_Row(Grid, Row)) return;
    const int N = Last_Data_Col(Grid);
    if (!May_Paste(N, Copied, Copied && Row_Clipboard.Count() == N && Row_Used(Grid, Row))) return;
    for (int c = 1; c <= N; ++c) Grid.SetCells(c, Row, Row_Clipboard.Strings(c - 1));
}

// --- string grids with check boxes -----------------------------------------------------------

void Grid_Copy_Row_Chk(TExStringGrid& Grid, int Row)
{
    if (!Is_Data_Row(Grid, Row)) return;
    const int N = Last_Data_Col(Grid);
    Row_Clipboard.Clear();
    Row_Clipboard_Chk.assign(static_cast<size_t>(N), false);
    for (int c = 1; c <= N; ++c) {
        bool state = false;
        if (Check_State(Grid, c, Row, state)) {
            Row_Clipboard_Chk[static_cast<size_t>(c - 1)] = true;
            Row_Clipboard.Add(state ? "Y" : "N");
        } else {
            Row_Clipboard.Add(Grid.Cells(c, Row));
        }
    }
}

void Grid_Paste_Row_Chk(TExStringGrid& Grid, int Row, bool Copied)
{
    if (!Is_Data_Row(Grid, Row)) return;
    const int N = Last_Data_Col(Grid);
    if (!May_Paste(N, Copied, Copied && Row_Clipboard.Count() == N && Row_Used_Chk(Grid, Row))) return;
    for (int c = 1; c <= N; ++c) {
        const size_t i = static_cast<size_t>(c - 1);
        const std::string& v = Row_Clipboard.Strings(c - 1);
        if (i < Row_Clipboard_Chk.size() && Row_Clipboard_Chk[i])
            Grid.SetCheckBoxState(c, Row, v == "Y");
        else
            Grid.SetCells(c, Row, v);
    }
}

void Grid_Delete_Row_Chk(int Row, TExStringGrid& Grid, bool EnableFirst)
{
    if (!Is_Data_Row(Grid, Row)) return;
    const int N = Last_Data_Col(Grid);
    const int R = Grid.RowCount();
    for (int r = Row; r <= R - 2; ++r) {
        for (int c = 1; c <= N; ++c) {
            bool state = false;
            if (Check_State(Grid, c, r + 1, state))
                Grid.SetCheckBoxState(c, r, state);
            else
                Grid.SetCells(c, r, Grid.Cells(c, r + 1));
            Grid.SetReadOnly(c, r, Grid.ReadOnly(c, r + 1));
        }
    }
    for (int c = 1; c <= N; ++c) {
        bool state = false;
        if (Check_State(Grid, c, R - 1, state))
            Grid.SetCheckBoxState(c, R - 1, EnableFirst && c == 1);
        else
            Grid.SetCells(c, R - 1, "");
        Grid.SetReadOnly(c, R - 1, true);
    }
}

void Grid_Insert_Row_Chk(int Row, TExStringGrid& Grid, bool EnableFirst)
{
    if (!Is_Data_Row(Grid, Row)) return;
    const int R = Grid.RowCount();
    if (Row_Used_Chk(Grid, R - 1)) {
        Beep();
        return;
    }
    const int N = Last_Data_Col(Grid);
    for (int r = R - 2; r >= Row; --r) {
        for (int c = 1; c <= N; ++c) {
            bool state = false;
            if (Check_State(Grid, c, r, state))
                Grid.SetCheckBoxState(c, r + 1, state);
            else
                Grid.SetCells(c, r + 1, Grid.Cells(c, r));
            Grid.SetReadOnly(c, r + 1, Grid.ReadOnly(c, r));
        }
    }
    for (int c = 1; c <= N; ++c) {
        bool state = false;
        if (Check_State(Grid, c, Row, state))
            Grid.SetCheckBoxState(c, Row, EnableFirst && c == 1);
        else
            Grid.SetCells(c, Row, "");
        Grid.SetReadOnly(c, Row, false);
    }
}

// --- grid conveniences -------------------------------------------------------------------------

void Grid_Enter_Jump(TExColumnGrid& Grid, TKeyChar& Key)
{
    if (!Opt_Jump_Field_Tables || Key != u'\r') return;
    if (Grid.Col() > 0 && Grid.Row() > 0) {
        if (Grid.Col() < Grid.ColCount() - 1) {
            Grid.SetCol(Grid.Col() + 1);
        } else {
            Grid.SetCol(1);
            Grid.SetRow(Grid.Row() < Grid.RowCount() - 1 ? Grid.Row() + 1 : 1);
        }
    }
    Key = 0;
}

void Grid_DblClick_Auto_Size(TExStringGrid& Grid, int ARow, int ACol)
{
    if (Opt_DblClick_Auto_Size && ARow == 0) Grid.AutoSizeCol(ACol, 0);
}

} // namespace UComon
