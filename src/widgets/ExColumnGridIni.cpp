// TExColumnGrid: column positions kept in an INI file.

#include "widgets/ExColumnGrid.h"
#include "widgets/grid_render/Parts.h"

#include "platform/IniFiles.h"

#include <vector>

namespace {
std::string PositionKey(int i) { return "CP" + std::to_string(i); }
} // namespace

void TExColumnGrid::SaveColumnPositions(const std::string& Key, const std::string& Section)
{
    TIniFile ini(Key);
    for (int i = 0; i < Columns().Count(); ++i) ini.WriteInteger(Section, PositionKey(i), Columns()[i]->DefIdx());
}

void TExColumnGrid::LoadColumnPositions(const std::string& Key, const std::string& Section)
{
    const TIniFile ini(Key);
    const int count = Columns().Count();
    std::vector<int> stored;
    for (int j = 0; j < count; ++j) stored.push_back(ini.ReadInteger(Section, PositionKey(j), -1));
    // A missing key, or values that do not name every column exactly once,
    // would move columns out of the grid: such a file changes nothing.
    if (!IsPermutation(stored, count)) return;

    ResetColumnOrder();
    for (int j = 0; j < count; ++j) Columns()[stored[static_cast<std::size_t>(j)]]->SetDefIdx(j);
    Columns().ResetOrganization();
    for (int k = 0; k < count; ++k) Columns()[k]->SetDefIdx(stored[static_cast<std::size_t>(k)]);
}

void TExColumnGrid::SaveColPositions()
{
    if (ColumnSize().Location == clIniFile)
        SaveColumnPositions(ColumnSize().Key, ColumnSize().Section);
    else
        TExStringGrid::SaveColPositions();
}

void TExColumnGrid::LoadColPositions()
{
    if (ColumnSize().Location == clIniFile)
        LoadColumnPositions(ColumnSize().Key, ColumnSize().Section);
    else
        TExStringGrid::LoadColPositions();
}
