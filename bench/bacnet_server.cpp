// The BACnet server objects of a full configuration: 1000 read and 1000
// write objects. Times the server window's opening (ShowModal to the first
// idle moment of its message loop), the validation its OK runs, and the EDE
// export of the same file; each the median of the runs.
//
//   bench_bacnet_server [runs]     (default 11; offscreen unless
//                                   QT_QPA_PLATFORM says otherwise)

#include "app/UWindows.h"
#include "core/UComon.h"
#include "platform/Application.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "platform/XmlDoc.h"
#include "rules/field/UBACnetSlaveSetAccess.h"
#include "rules/field/UBACnet_EDE_File.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

double NowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void WriteObjects()
{
    TXmlDocument doc;
    pugi::xml_node root = doc.NewDocument("BACnet_to_Modbus");
    doc.AddDocumentComment("SW_VERSION = 1.008");
    for (int page = 0; page < 2; ++page) {
        pugi::xml_node section = root.append_child(page == 0 ? "BACnet_in_Read" : "BACnet_in_Write");
        for (int i = 0; i < 1000; ++i) {
            pugi::xml_node row = section.append_child("row");
            auto a = [&](const char* n, const std::string& v) { row.append_attribute(n).set_value(v.c_str()); };
            a("Data_Type", page == 0 ? "Analog Input" : "Analog Out");
            a("Eng_Unit", "62");
            a("Position", std::to_string(i % 360 * 4));
            a("Bit", "");
            a("Length", "4");
            a("Swap", i % 2 ? "Y" : "N");
            a("Mnemonic", "Object_" + std::to_string(page) + "_" + std::to_string(i));
        }
    }
    doc.SaveToFile(UComon::File_BACnet_Slave_SetAccess);
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const auto folder = std::filesystem::temp_directory_path() / ("zel-bench-bacnet-" + std::to_string(NowMs()));
    std::filesystem::create_directories(folder);
    Application_Initialize(argc, argv);
    Create_Windows(folder.string());
    UComon::Project_Name = "Bench";
    UComon::Project_Folder = PathJoin(UComon::Projects_Root, "Bench");
    ForceDirectories(UComon::Project_Folder);
    UComon::Set_Files();
    WriteObjects();

    std::vector<double> open, validate, exportMs;
    bool clean = true;
    for (int i = 0; i < runs; ++i) {
        TFBACnetSlaveSetAccess& w = *FBACnetSlaveSetAccess;
        TTimer t;
        t.SetInterval(1);
        const double start = NowMs();
        t.SetOnTimer([&] {
            t.SetEnabled(false);
            open.push_back(NowMs() - start);
            const double v = NowMs();
            clean = clean && !w.Frame().Validate();
            validate.push_back(NowMs() - v);
            w.SetModalResult(mrCancel);
        });
        w.ShowModal();
        const double e = NowMs();
        clean = clean && UBACnet_EDE_File::Save_EDE_File(PathJoin(folder.string(), "bench.csv"));
        exportMs.push_back(NowMs() - e);
    }
    Destroy_Windows();
    std::filesystem::remove_all(folder);
    if (!clean) {
        std::fprintf(stderr, "the objects did not validate or export\n");
        return 1;
    }
    std::printf("BACnet server, 1000 read + 1000 write objects, over %d runs (median): window open %.1f ms, "
                "OK validation %.1f ms, EDE export %.1f ms\n",
                runs, Median(open), Median(validate), Median(exportMs));
    return 0;
}
