#include "image/USaveBincc.h"

#include "core/UComon.h"
#include "image/CanTable.h"
#include "image/ImageCommon.h"
#include "image/MqttStruct.h"
#include "image/MqttTopics.h"
#include "image/ParBlock.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "rulefiles/URuleRowReader.h"

#include <algorithm>
#include <memory>

namespace USaveBincc {

namespace {

// One complete image: the records and the two bank buffers.
struct TImage {
    TPar_Block Par_Block;
    TCAN_Table CAN_Table;
    TMQTT MQTT_Rec;
    std::vector<uint8_t> Bank1_Buffer = std::vector<uint8_t>(Bank1_Capacity);
    std::vector<uint8_t> Bank2_Buffer = std::vector<uint8_t>(Bank2_Capacity);
    uint32_t Bank1_Size = 0;
    uint32_t Bank2_Size = 0;
};

// The image of the last successful build; Save_Bin writes it.
std::unique_ptr<TImage> Built;
std::vector<uint8_t> Bank1_Bytes, Bank2_Bytes;
// The folder the last Save_Bin wrote both banks into ("" when none).
std::string Saved_Folder;

void Build_Image(TImage& img)
{
    Init_Par_Block(img.Par_Block);
    Init_CAN_Table(img.CAN_Table);
    Init_MQTT_Struct(img.MQTT_Rec);
    Load_ParGen_Image(img.Par_Block, img.MQTT_Rec);
    img.Par_Block.Put32(ParOfs::CAN_Count, Load_CAN_Frames_Image(img.CAN_Table));
    Load_MQTT_Topics_Image(img.MQTT_Rec);
    const uint32_t mqtt_size = Assign_MQTT_Addresses(img.MQTT_Rec);
    img.Bank1_Size = 0;
    img.Bank2_Size = 0;
    img.Par_Block.Put32(ParOfs::CAN_Table_Addr, CAN_Table_Address);
    img.Par_Block.Put32(ParOfs::MQTT_Struct_Addr, MQTT_Struct_Address);
    img.Bank2_Size = Pack_CAN_Table(img.CAN_Table, 0, img.Bank2_Buffer, Bank2_Limit);
    img.Bank2_Size = Pack_MQTT_Struct(img.MQTT_Rec, MQTT_Struct_Address, img.Bank2_Size, img.Bank2_Buffer, Bank2_Limit);
    if (img.Bank2_Size != CAN_Table_Size + mqtt_size)
        throw EImageBuildError("The device image cannot be built: the MQTT structure came out " +
                               std::to_string(img.Bank2_Size - CAN_Table_Size) + " bytes long instead of " +
                               std::to_string(mqtt_size) + ".");
    img.Bank1_Size = Pack_Bank1(img.Par_Block, 0, img.Bank1_Buffer, Bank1_Limit);
}

void Write_Bank_Files(const TImage& img)
{
    if (UComon::Project_Folder.empty()) throw EImageBuildError("No configuration is open.");
    const std::string bin = PathJoin(UComon::Project_Folder, "bin");
    if (!DirectoryExists(bin))
        throw EImageBuildError("The device image files cannot be written: the folder \"" + bin +
                               "\" does not exist.");
    // The bank files go only into the configuration's own folder, never
    // where a "bin" that is a link points at.
    if (!PathWithin(RealPath(bin), RealPath(UComon::Project_Folder)))
        throw EImageBuildError("The device image files cannot be written: the folder \"" + bin +
                               "\" is a link to \"" + RealPath(bin) + "\", outside the configuration's folder.");
    const std::string bank1 = PathJoin(bin, "bank1.bin");
    const std::string bank2 = PathJoin(bin, "bank2.bin");
    const std::string tmp1 = bank1 + ".new";
    const std::string tmp2 = bank2 + ".new";
    auto fail = [](const std::string& file) {
        throw EImageBuildError("The device image file \"" + file + "\" cannot be written.");
    };
    // What an interrupted earlier build left behind goes first.
    DeleteFile(tmp1);
    DeleteFile(tmp2);
    // A read-only bank file cannot be replaced: nothing is written then, so
    // no pair of an old and a new bank can come about.
    for (const std::string& f : {bank1, bank2})
        if (FileIsReadOnly(f)) fail(f);
    const auto* b1 = reinterpret_cast<const char*>(img.Bank1_Buffer.data());
    const auto* b2 = reinterpret_cast<const char*>(img.Bank2_Buffer.data());
    if (!WriteFileAtomic(tmp1, std::string(b1, img.Bank1_Size))) {
        DeleteFile(tmp1);
        fail(bank1);
    }
    if (!WriteFileAtomic(tmp2, std::string(b2, img.Bank2_Size))) {
        DeleteFile(tmp1);
        DeleteFile(tmp2);
        fail(bank2);
    }
    if (!RenameFile(tmp1, bank1)) {
        DeleteFile(tmp1);
        DeleteFile(tmp2);
        fail(bank1);
    }
    if (!RenameFile(tmp2, bank2)) {
        // bank1.bin is already the new one: remove it rather than leave a
        // pair the gateway would load mismatched.
        DeleteFile(tmp2);
        DeleteFile(bank1);
        throw EImageBuildError("The device image file \"" + bank2 + "\" cannot be written; \"" + bank1 +
                               "\" has been removed so that no mismatched pair remains.");
    }
}

} // namespace

void Create_Bin()
{
    Saved_Folder.clear();
    Built.reset();
    Bank1_Bytes.clear();
    Bank2_Bytes.clear();
    auto img = std::make_unique<TImage>();
    try {
        Build_Image(*img);
    } catch (const EImageBuildError&) {
        throw;
    } catch (const URuleFiles::ERuleRowError& e) {
        Raise_Build_Error(e.File(), e.What());
    } catch (const std::exception& e) {
        throw EImageBuildError(std::string("The device image cannot be built: ") + e.what());
    }
    Bank1_Bytes.assign(img->Bank1_Buffer.begin(), img->Bank1_Buffer.begin() + img->Bank1_Size);
    Bank2_Bytes.assign(img->Bank2_Buffer.begin(), img->Bank2_Buffer.begin() + img->Bank2_Size);
    Built = std::move(img);
}

void Save_Bin()
{
    Saved_Folder.clear();
    if (!Built) throw EImageBuildError("No device image has been built.");
    Write_Bank_Files(*Built);
    Saved_Folder = UComon::Project_Folder;
}

bool Bank_Files_Match_Last_Build()
{
    if (!Built || Saved_Folder.empty() || Saved_Folder != UComon::Project_Folder) return false;
    const std::string bin = PathJoin(Saved_Folder, "bin");
    std::string b1, b2;
    if (!ReadFileBytes(PathJoin(bin, "bank1.bin"), b1) || !ReadFileBytes(PathJoin(bin, "bank2.bin"), b2)) return false;
    return std::equal(b1.begin(), b1.end(), Bank1_Bytes.begin(), Bank1_Bytes.end(),
                      [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; }) &&
           std::equal(b2.begin(), b2.end(), Bank2_Bytes.begin(), Bank2_Bytes.end(),
                      [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
}

bool Build_Device_Image()
{
    try {
        Create_Bin();
        Save_Bin();
        return true;
    } catch (const std::exception& e) {
        ShowError(e.what());
        return false;
    }
}

const std::vector<uint8_t>& Bank1_Image() { return Bank1_Bytes; }
const std::vector<uint8_t>& Bank2_Image() { return Bank2_Bytes; }

} // namespace USaveBincc
