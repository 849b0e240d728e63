// Full device image build of a large configuration: 512 receive and 512 send
// CAN frames, 1024 publish and 1024 subscribe topics with templates, read
// from disk, packed and written.
//
// Run: build/bench/bench_image_build --benchmark_repetitions=15
//      (the median is reported as BM_Image_Build_median).

#include "core/UComon.h"
#include "image/USaveBincc.h"
#include "platform/Paths.h"
#include "platform/XmlDoc.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace {

class LargeConfiguration {
public:
    LargeConfiguration()
    {
        root_ = (std::filesystem::temp_directory_path() / ("zel-bench-" + std::to_string(std::random_device{}()))).string();
        UComon::Init_State(root_);
        UComon::Project_Name = "Bench";
        UComon::Project_Folder = PathJoin(UComon::Projects_Root, "Bench");
        ForceDirectories(PathJoin(UComon::Project_Folder, "bin"));
        UComon::Set_Files();
        WriteParGen();
        WriteCan(UComon::File_CAN_Rec_Frames, "Receive_Frames", false);
        WriteCan(UComon::File_CAN_Send_Frames, "Transmit_Frames", true);
        WriteTopics();
    }
    ~LargeConfiguration()
    {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

private:
    static void WriteParGen()
    {
        TXmlDocument doc;
        auto r = doc.NewDocument("Par_Gen");
        doc.AddDocumentComment("SW_VERSION = 1.002");
        AddTextElement(r, "MQTT_Server_URL", "broker.plant.example");
        AddTextElement(r, "MQTT_Client_ID", "gateway-01");
        AddTextElement(r, "CAN_BAUDRATE", "6");
        AddTextElement(r, "WiFi_SSID", "plant");
        doc.SaveToFile(UComon::File_ParGen);
    }

    static void WriteCan(const std::string& path, const char* rootName, bool send)
    {
        TXmlDocument doc;
        auto r = doc.NewDocument(rootName);
        doc.AddDocumentComment("SW_VERSION = 1.002");
        for (int i = 0; i < 512; ++i) {
            auto row = r.append_child("row");
            auto a = [&](const char* n, const std::string& v) { row.append_attribute(n).set_value(v.c_str()); };
            a("Enable", "Y");
            a("COBID", "0x" + std::to_string(100 + i));
            a("CAN_Type", i % 2 ? "2.0B (29 bits)" : "2.0A (11 bits)");
            a("Dim", "8");
            if (send) {
                a("OnChange", "Y");
                a("OnCMD", "N");
                a("OnTimer", "Y");
                a("Time", "1000");
            } else {
                a("TimeOut", "500");
            }
            for (int k = 1; k <= 8; ++k) a(("Byte" + std::to_string(k)).c_str(), std::to_string((i * 8 + k) % 1440));
            a("Mnemonic", "frame " + std::to_string(i));
        }
        doc.SaveToFile(path);
    }

    static void WriteTopics()
    {
        TXmlDocument doc;
        auto r = doc.NewDocument("MQTT_Set_Topic");
        doc.AddDocumentComment("SW_VERSION = 1.002");
        auto pub = r.append_child("MQTT_Publish");
        auto sub = r.append_child("MQTT_Subscribe");
        for (int i = 0; i < 1024; ++i) {
            const std::string n = std::to_string(i);
            auto p = pub.append_child("row");
            auto pa = [&](const char* k, const std::string& v) { p.append_attribute(k).set_value(v.c_str()); };
            pa("Topic", "plant/line1/publish/" + n);
            pa("Retained", "N");
            pa("QoS", "1");
            pa("DataType", "Int");
            pa("Dimension", "2");
            pa("Position", std::to_string(i % 1439));
            pa("IPAddress", "");
            pa("FormatHex", "N");
            pa("InputTemplate", "");
            pa("Template", "{\r\n  \"id\": " + n + ",\r\n  \"value\": $VALUE$\r\n}");
            pa("OnChange", "Y");
            pa("OnCMD", "N");
            pa("OnTimer", "Y");
            pa("Time", "1000");
            pa("Mnemonic", "publish " + n);
            auto s = sub.append_child("row");
            auto sa = [&](const char* k, const std::string& v) { s.append_attribute(k).set_value(v.c_str()); };
            sa("Topic", "plant/line1/subscribe/" + n);
            sa("Retained", "");
            sa("QoS", "0");
            sa("DataType", "Int");
            sa("Dimension", "2");
            sa("Position", "0");
            sa("IPAddress", "");
            sa("Port", "");
            sa("EthType", "");
            sa("InputTemplate", "");
            sa("FormatHex", "N");
            sa("Template", "{\"cmd\":@B" + std::to_string(8 * (i % 1400)) + ".16@,\"n\":" + n + "}");
            sa("Mnemonic", "subscribe " + n);
        }
        AddTextElement(r.append_child("MQTT_Options"), "Option_Allow_CR_LF", "N");
        doc.SaveToFile(UComon::File_MQTT_Set_Topic);
    }

    std::string root_;
};

void BM_Image_Build(benchmark::State& state)
{
    LargeConfiguration cfg;
    for (auto _ : state) {
        USaveBincc::Create_Bin();
        USaveBincc::Save_Bin();
    }
    state.counters["bank2_bytes"] = static_cast<double>(USaveBincc::Bank2_Image().size());
}

} // namespace

BENCHMARK(BM_Image_Build)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
