#pragma once
// A temporary configuration folder with writers for the files the image
// builder reads, in the shape their windows save them, and readers of the
// resulting bank files.

#include "core/UComon.h"
#include "image/USaveBincc.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

using Attrs = std::vector<std::pair<std::string, std::string>>;

class ImageConfig {
public:
    explicit ImageConfig(bool withBin = true)
    {
        UComon::Init_State(dir_.path());
        UComon::Project_Name = "Plant";
        UComon::Project_Folder = PathJoin(UComon::Projects_Root, "Plant");
        ForceDirectories(UComon::Project_Folder);
        if (withBin) ForceDirectories(Bin());
        UComon::Set_Files();
    }

    std::string Bin() const { return PathJoin(UComon::Project_Folder, "bin"); }
    std::string Bank1Path() const { return PathJoin(Bin(), "bank1.bin"); }
    std::string Bank2Path() const { return PathJoin(Bin(), "bank2.bin"); }

    // "ParGen.xml": root Par_Gen, one element per key, version comment after.
    void ParGen(const Attrs& keys) const
    {
        TXmlDocument doc;
        auto root = doc.NewDocument("Par_Gen");
        doc.AddDocumentComment("SW_VERSION = 1.002");
        for (const auto& [k, v] : keys) AddTextElement(root, k.c_str(), v);
        ASSERT_TRUE(doc.SaveToFile(UComon::File_ParGen));
    }

    void Certificate(const std::string& name, const std::string& bytes) const
    {
        WriteFile(PathJoin(PathJoin(UComon::Project_Folder, "Certificates"), name), bytes);
    }

    // CAN rule file: rows straight under the root.
    static void CanFile(const std::string& path, const char* root, const std::vector<Attrs>& rows)
    {
        TXmlDocument doc;
        auto r = doc.NewDocument(root);
        doc.AddDocumentComment("SW_VERSION = 1.002");
        for (const Attrs& row : rows) {
            auto e = r.append_child("row");
            for (const auto& [k, v] : row) e.append_attribute(k.c_str()).set_value(v.c_str());
        }
        ASSERT_TRUE(doc.SaveToFile(path));
    }
    void Receive(const std::vector<Attrs>& rows) const { CanFile(UComon::File_CAN_Rec_Frames, "Receive_Frames", rows); }
    void Send(const std::vector<Attrs>& rows) const { CanFile(UComon::File_CAN_Send_Frames, "Transmit_Frames", rows); }

    // "MQTT_Set_Topic.xml": publish, subscribe, options.
    void Topics(const std::vector<Attrs>& pub, const std::vector<Attrs>& sub, const std::string& allow = "N") const
    {
        TXmlDocument doc;
        auto r = doc.NewDocument("MQTT_Set_Topic");
        doc.AddDocumentComment("SW_VERSION = 1.002");
        auto p = r.append_child("MQTT_Publish");
        for (const Attrs& row : pub) {
            auto e = p.append_child("row");
            for (const auto& [k, v] : row) e.append_attribute(k.c_str()).set_value(v.c_str());
        }
        auto s = r.append_child("MQTT_Subscribe");
        for (const Attrs& row : sub) {
            auto e = s.append_child("row");
            for (const auto& [k, v] : row) e.append_attribute(k.c_str()).set_value(v.c_str());
        }
        AddTextElement(r.append_child("MQTT_Options"), "Option_Allow_CR_LF", allow);
        ASSERT_TRUE(doc.SaveToFile(UComon::File_MQTT_Set_Topic));
    }

private:
    TempDir dir_;
};

// A publish row with every attribute the topic window writes, in its order;
// changes replace values by name.
inline Attrs PubRow(const std::map<std::string, std::string>& changes = {})
{
    Attrs a = {{"Topic", "plant/t"},  {"Retained", "N"},  {"QoS", "0"},        {"DataType", "Int"},
               {"Dimension", "2"},     {"Position", "0"}, {"IPAddress", ""},   {"FormatHex", "N"},
               {"InputTemplate", ""},  {"Template", "$VALUE$"}, {"OnChange", "Y"}, {"OnCMD", "N"},
               {"OnTimer", "N"},       {"Time", ""},      {"Mnemonic", "m"}};
    for (auto& [k, v] : a)
        if (auto it = changes.find(k); it != changes.end()) v = it->second;
    return a;
}

inline Attrs SubRow(const std::map<std::string, std::string>& changes = {})
{
    Attrs a = {{"Topic", "plant/s"},  {"Retained", ""},  {"QoS", "0"},       {"DataType", "Int"},
               {"Dimension", "2"},     {"Position", "0"}, {"IPAddress", ""},  {"Port", ""},
               {"EthType", ""},        {"InputTemplate", ""}, {"FormatHex", "N"}, {"Template", "$VALUE$"},
               {"Mnemonic", "m"}};
    for (auto& [k, v] : a)
        if (auto it = changes.find(k); it != changes.end()) v = it->second;
    return a;
}

inline Attrs Without(Attrs a, const std::string& name)
{
    std::erase_if(a, [&](const auto& kv) { return kv.first == name; });
    return a;
}

// Little-endian readers over a byte string.
inline uint32_t U32(const std::string& b, size_t at)
{
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(b.at(at + i))) << (8 * i);
    return v;
}
inline uint32_t U16(const std::string& b, size_t at)
{
    return static_cast<uint32_t>(static_cast<uint8_t>(b.at(at))) |
           static_cast<uint32_t>(static_cast<uint8_t>(b.at(at + 1))) << 8;
}
inline uint32_t U8(const std::string& b, size_t at) { return static_cast<uint8_t>(b.at(at)); }

// Builds and writes; fails the test on an error.
inline void BuildOk()
{
    try {
        USaveBincc::Create_Bin();
        USaveBincc::Save_Bin();
    } catch (const std::exception& e) {
        FAIL() << "build failed: " << e.what();
    }
}

// The MQTT structure of bank 2 (after the CAN table).
inline std::string MqttPart(const std::string& bank2) { return bank2.substr(0x8000); }

// Every parameter block must end in the sum of its other bytes.
inline void ExpectSumValid(const std::string& bank1)
{
    ASSERT_EQ(bank1.size(), 2048u);
    uint32_t sum = 0;
    for (size_t i = 0; i < 0x7FC; ++i) sum += static_cast<uint8_t>(bank1[i]);
    EXPECT_EQ(U32(bank1, 0x7FC), sum);
}
