#pragma once
// The BACnet client rules ("Set BACnet Access"): read rules that poll a
// property of an object of another BACnet device into the internal data
// array, and write rules that write values of the array into objects of
// other devices; a rule names its device by IP address or slave ID, as the
// communication parameters' client type ("BACnet_Master_Type", read at
// every showing) says. Kept in "BACnet_Master_Access.xml" (root
// "BACnet_Master_Access", sections "BACnet_Read" and "BACnet_Write"). "Import
// EDE" appends rules for objects chosen from another device's EDE file.
// The Swap columns are hidden but loaded and saved; the Convertion columns
// are hidden and neither loaded nor saved.

#include "rules/can_mqtt/URuleWindow.h"
#include "rules/field/UImportEDEFile.h"

#include "platform/Shell.h"

#include <cstdint>
#include <string>
#include <vector>

// Real columns of the read grid.
namespace BACnet_Read_Col {
constexpr int Enable = 1, Device = 2, Object_Type = 3, Instance = 4, Property = 5, NByte = 6, En_Dest = 7, D_Net = 8,
              D_Len = 9, D_Add = 10, Poll_Time = 11, Max_Err = 12, Position = 13, Start_Bit = 14, Swap = 15,
              Convertion = 16, Mnemonic = 17;
}
// Real columns of the write grid.
namespace BACnet_Write_Col {
constexpr int Enable = 1, Device = 2, Object_Type = 3, Data_Type = 4, Instance = 5, Property = 6, Priority = 7,
              NByte = 8, En_Dest = 9, D_Net = 10, D_Len = 11, D_Add = 12, Change = 13, Timer = 14, Poll_Time = 15,
              Max_Err = 16, Position = 17, Start_Bit = 18, Swap = 19, Convertion = 20, Mnemonic = 21;
}

// Rules per page.
inline constexpr int BACnet_Master_Rules = 512;

// The client type of a communication parameter file: "BACnet_Master_Type"
// read as a whole number (0 when it is none). False when the file or the
// key is missing or the file cannot be read (the type is then 0).
bool Read_BACnet_Master_Type(const std::string& parGenFile, int32_t& type);

// What the window's tables follow: the client type of the showing (0 IP
// address, 1 slave ID, any other value neither). The key column of both
// grids is the device column for types 0 and 1, else the Object Type column.
struct TBACnetClient {
    int32_t App_BACnet_Type = 0;
    bool Device_Column() const { return App_BACnet_Type == 0 || App_BACnet_Type == 1; }
};

// The window's tables over the client state; parGenFile names the
// parameter file read at each showing (a missing type shows text 4757).
TRuleWindowDesc BACnetAccess_Desc(TBACnetClient& client, std::function<std::string()> parGenFile, int clientWidth);

// Appends one read rule per object chosen for import and reading and one
// write rule per object chosen for import and writing, after the rules in
// the grids, their positions following the highest Position + NByte;
// device is the text given for every rule. Returns the rules that found no
// free row (read, write).
std::pair<int, int> Append_EDE_Rules(TExColumnGrid& read, TExColumnGrid& write, const TBACnetClient& client,
                                     const std::vector<TBACnet_Var>& objects, const std::string& device);

class TFBACnetAccess : public TRuleWindow {
public:
    TFBACnetAccess();

    TExTabSheet* TS_BACnet_Read;
    TExTabSheet* TS_BACnet_Write;
    TExColumnGrid* ECG1;
    TExColumnGrid* ECG2;
    TLbButton* Btn_Import_CSV;
    TOpenDialog OD_EDE_File;
    TBACnetClient Client;

    void Set_Lang() override;
    // "Import EDE": the file asked for, the objects chosen in the
    // selection dialog appended.
    void Btn_Import_CSVClick();

protected:
    // The grids have no header auto-size.
    void DblClickCell(int, int, int) override {}
};

inline TFBACnetAccess* FBACnetAccess = nullptr;
