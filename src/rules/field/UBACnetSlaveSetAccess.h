#pragma once
// The BACnet server objects ("BACnet Set Access"): every value BACnet
// clients may read ("BACnet in Read") or write ("BACnet in Write") is an
// object of a data type with an engineering unit, mapped onto bytes of the
// internal data array (position, start bit, length) and named by its
// mnemonic; kept in "BACnet_Slave_SetAccess.xml" (root "BACnet_to_Modbus",
// sections "BACnet_in_Read" and "BACnet_in_Write"). The communication
// parameter file's long-name mode, read at every showing, halves the rows
// of both pages and the limit on their objects together. The Swap column
// is hidden: it is carried through loading, copying and saving.

#include "rules/can_mqtt/URuleWindow.h"

#include <functional>
#include <string>
#include <vector>

// Real columns of both grids.
namespace BACnet_Slave_Col {
constexpr int Data_Type = 1, Eng_Unit = 2, Position = 3, Bit = 4, Length = 5, Swap = 6, Mnemonic = 7;
}

// The internal data array the objects address.
inline constexpr int BACnet_Slave_Num_Byte = 1440;
// Objects of both pages together (and data rows per page): normal and
// long-name mode.
inline constexpr int BACnet_Slave_Max_Objects = 2000;
inline constexpr int BACnet_Slave_Max_Objects_Long = 1000;

// The long-name mode of a communication parameter file: its
// "BACnet_Desc_Chars_Limit" is exactly "1". A missing file or key, or any
// other text, is the normal mode.
bool BACnet_Long_Names(const std::string& parGenFile);

// The data type items of the read and the write page, in list order.
const std::vector<std::string>& BACnet_Read_Types();
const std::vector<std::string>& BACnet_Write_Types();

// The Length the write page puts in for a chosen data type (compared in
// upper case); empty for a text that is no item of the write page.
std::string BACnet_Write_Default_Length(const std::string& dataType);

// The window's tables over the long-name mode of the parameter file that
// parGenFile names at each showing.
TRuleWindowDesc BACnetSlaveSetAccess_Desc(std::function<std::string()> parGenFile);

class TFBACnetSlaveSetAccess : public TRuleWindow {
public:
    TFBACnetSlaveSetAccess();

    TExTabSheet* TS_BACnet_in_Read;
    TExTabSheet* TS_BACnet_in_Write;
    TExColumnGrid* ECG_BACnet_in_Read;
    TExColumnGrid* ECG_BACnet_in_Write;

    // Long-name mode of the last showing.
    bool Desc_Lenght() { return Frame().Rows(0) == BACnet_Slave_Max_Objects_Long; }
    // A data type chosen in the write grid sets the row's Length.
    void ECG_BACnet_in_WriteComboChange(int col, int row, const std::string& item);

protected:
    // A double click on an Eng. Unit cell opens the unit picker on it.
    void DblClickCell(int g, int row, int col) override;
};

inline TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess = nullptr;
