#include "mbus/UMBus_Types.h"

#include "core/UComon.h"

TVarList Copy_Var_List(const TVarList& list)
{
    TVarList copy;
    copy.reserve(list.size());
    for (const auto& v : list) copy.push_back(std::make_unique<TVariable_MBus>(*v));
    return copy;
}

namespace {

// Records are freed from the last to the first.
void Free_Records(TVarList& list)
{
    while (!list.empty()) list.pop_back();
}

} // namespace

// --- TSlave_MBus -------------------------------------------------------------------

TSlave_MBus::~TSlave_MBus() { Free_Records(List_Var); }

TSlave_MBus::TSlave_MBus(const TSlave_MBus& o)
    : Primary_Addresss(o.Primary_Addresss), Secondary_Addresss(o.Secondary_Addresss), Manufacture(o.Manufacture),
      Version(o.Version), Medium(o.Medium), Status(o.Status), descManufacture(o.descManufacture),
      descmedium(o.descmedium), description(o.description), List_Var(Copy_Var_List(o.List_Var)), Node(o.Node)
{
}

TSlave_MBus& TSlave_MBus::operator=(const TSlave_MBus& o)
{
    if (this != &o) {
        TSlave_MBus copy(o);
        Free_Records(List_Var);
        *this = std::move(copy);
    }
    return *this;
}

// --- TSlave_wMBus ------------------------------------------------------------------

TSlave_wMBus::~TSlave_wMBus() { Cancel_Var(); }

void TSlave_wMBus::Cancel_Var() { Free_Records(List_Var); }

TSlave_wMBus::TSlave_wMBus(const TSlave_wMBus& o)
    : Message_Type(o.Message_Type), LLA_Manufacturer(o.LLA_Manufacturer), LLA_Manu_str(o.LLA_Manu_str),
      LLA_Address(o.LLA_Address), LLA_Version(o.LLA_Version), LLA_DeviceType(o.LLA_DeviceType),
      ALA_Manufacturer(o.ALA_Manufacturer), ALA_Manu_str(o.ALA_Manu_str), ALA_Address(o.ALA_Address),
      ALA_Version(o.ALA_Version), ALA_DeviceType(o.ALA_DeviceType), RSSI(o.RSSI), DateTime(o.DateTime),
      Cripted(o.Cripted), Enable(o.Enable), Enable_Key(o.Enable_Key), Key(o.Key),
      RadioCrafts_Ind_Tab_Decript(o.RadioCrafts_Ind_Tab_Decript), List_Var(Copy_Var_List(o.List_Var)), Node(o.Node)
{
}

TSlave_wMBus& TSlave_wMBus::operator=(const TSlave_wMBus& o)
{
    if (this != &o) {
        TSlave_wMBus copy(o);
        Cancel_Var();
        *this = std::move(copy);
    }
    return *this;
}

// --- helpers -----------------------------------------------------------------------

std::string Secondary_Address_Text(std::uint32_t identification)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    do {
        s.insert(s.begin(), digits[identification & 0xF]);
        identification >>= 4;
    } while (identification != 0);
    if (s.size() < 2) s.insert(s.begin(), '0');
    return s;
}

std::string Secondary_Address_Text(const std::uint8_t* id)
{
    return Secondary_Address_Text(std::uint32_t(id[0]) | std::uint32_t(id[1]) << 8 | std::uint32_t(id[2]) << 16 |
                                  std::uint32_t(id[3]) << 24);
}

int Find_Wireless_Slave(std::uint16_t manufacturer, std::int32_t address, std::uint8_t version, std::uint8_t deviceType)
{
    const auto& list = UComon::wMBus_Slave_List;
    for (size_t i = 0; i < list.size(); ++i) {
        const TSlave_wMBus* s = list[i].get();
        if (s && s->ALA_Manufacturer == manufacturer && s->ALA_Address == address && s->ALA_Version == version &&
            s->ALA_DeviceType == deviceType)
            return static_cast<int>(i);
    }
    return -1;
}
