#pragma once
// Meters and data records found by an M-Bus scan: one TSlave_MBus per wired
// meter, one TSlave_wMBus per radio meter, one TVariable_MBus per decoded
// data record. A meter owns its records; the two program-wide meter lists
// (UComon::MBus_Slave_List, UComon::wMBus_Slave_List) own the meters.

#include "platform/DateUtils.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum TScanType { saPrimaryAddress, saSecondaryAddress };
enum TSelectHard { shEthernet, shSerial };
enum TMBusType { mtWired, mtWireless };
enum TRadioModule { rmTelit, rmRadioCrafts };

// The scan window's tree node of a meter or record (opaque here).
using TTreeNodeHandle = void*;

// One data record of a meter.
class TVariable_MBus {
public:
    // Every field has its start value below (user-provided, so that a new
    // record is not first zeroed whole).
    TVariable_MBus() {}

    std::int32_t dato_A = 0;          // data bytes 0..3, little-endian
    std::int32_t dato_B = 0;          // data bytes 4.., each shifted by (8*k mod 32)
    std::uint8_t dimension = 0;       // data field of the DIF (DIF and 0F)
    std::uint16_t function_fild = 0;  // 0 instantaneous, 1 max, 2 min, 3 error state
    std::int64_t storage_number = 0;
    std::uint16_t tarif = 0;
    std::uint16_t device = 0;         // sub-unit number
    std::uint16_t type_data = 0;      // quantity code of the primary VIF (65535: none)
    std::uint16_t scale = 0;
    bool errata = false;              // not analysable; sterror holds why
    std::string sterror;
    std::int32_t nbyte = 0;           // number of data bytes
    std::string_view descdim;         // a fixed text of the decoder
    std::int32_t numdife = 0;
    std::int32_t numvife = 0;
    std::int32_t vifvalue = -1;       // plain VIF, or the first VIFE after FB / FD
    std::int32_t PrinVIFE = 0;        // first VIFE
    std::uint8_t casovif = 0;         // 0 plain, 1 FD, 2 FB, 100 manufacturer, 101 plain text, 102 manufacturer data
    std::int32_t numdato = 0;
    std::uint8_t VIF = 0;
    std::string VIFE;                 // "$xx " per VIFE
    std::string DIF;                  // "$xx"
    std::string DIFE;                 // "$xx " per DIFE
    std::string totdati;              // data bytes in hex, received order
    std::string VIF_ASCII;            // plain-text unit, characters reversed
    std::string Description;
    std::string datagiorno;           // date of decoding
    std::string tempo;                // time of decoding
    std::string icon;
    std::int32_t Type_Data_Vife = 0;  // code of the extension / first combinable VIFE, 0 when none
    std::string Desc_Type_Data;
    std::string ValueStr;
    std::string_view FunctionFieldStr;  // a fixed text of the decoder
    std::string_view DataFieldStr;      // a fixed text of the decoder
    bool Enable = true;               // selected for export
    bool Real_Wireless_Var = false;   // False for the record standing for a radio fill byte
    bool Is_BCD = false;
    TTreeNodeHandle Node = nullptr;
};

using TVarList = std::vector<std::unique_ptr<TVariable_MBus>>;

// Deep copy of a record list.
TVarList Copy_Var_List(const TVarList& list);

// One wired meter.
class TSlave_MBus {
public:
    TSlave_MBus() = default;
    ~TSlave_MBus();
    TSlave_MBus(const TSlave_MBus& other);
    TSlave_MBus& operator=(const TSlave_MBus& other);
    TSlave_MBus(TSlave_MBus&&) = default;
    TSlave_MBus& operator=(TSlave_MBus&&) = default;

    std::uint16_t Primary_Addresss = 0;
    std::string Secondary_Addresss;  // identification number in hexadecimal
    std::int32_t Manufacture = 0;
    std::int32_t Version = 0;
    std::int32_t Medium = 0;
    std::int32_t Status = 0;
    std::string descManufacture;
    std::string descmedium;
    std::string description;
    TVarList List_Var;
    TTreeNodeHandle Node = nullptr;
};

// One radio meter. LLA: the link-layer address; ALA: the application-layer
// address (the long transport header's, or the LLA where there is none).
class TSlave_wMBus {
public:
    TSlave_wMBus() = default;
    ~TSlave_wMBus();
    TSlave_wMBus(const TSlave_wMBus& other);
    TSlave_wMBus& operator=(const TSlave_wMBus& other);
    TSlave_wMBus(TSlave_wMBus&&) = default;
    TSlave_wMBus& operator=(TSlave_wMBus&&) = default;

    // Frees every record, last first.
    void Cancel_Var();

    std::uint8_t Message_Type = 0;
    std::uint16_t LLA_Manufacturer = 0;
    std::string LLA_Manu_str;
    std::int32_t LLA_Address = 0;
    std::uint8_t LLA_Version = 0;
    std::uint8_t LLA_DeviceType = 0;
    std::uint16_t ALA_Manufacturer = 0;
    std::string ALA_Manu_str;
    std::int32_t ALA_Address = 0;
    std::uint8_t ALA_Version = 0;
    std::uint8_t ALA_DeviceType = 0;
    std::int8_t RSSI = 0;
    TDateTime DateTime = 0;
    bool Cripted = false;
    bool Enable = true;
    bool Enable_Key = false;
    std::array<std::uint8_t, 16> Key{};
    std::int32_t RadioCrafts_Ind_Tab_Decript = -1;
    TVarList List_Var;
    TTreeNodeHandle Node = nullptr;
};

// The identification number (4 bytes, least significant first) as a meter's
// secondary address: upper-case hexadecimal, at least two digits
// (78 56 34 12 gives "12345678", 05 00 00 00 gives "05").
std::string Secondary_Address_Text(std::uint32_t identification);
std::string Secondary_Address_Text(const std::uint8_t* identificationLsbFirst);

// Index of the first radio meter in UComon::wMBus_Slave_List whose
// application address (manufacturer, identification, version, device type)
// is the given one; -1 when there is none.
int Find_Wireless_Slave(std::uint16_t manufacturer, std::int32_t address, std::uint8_t version,
                        std::uint8_t deviceType);
