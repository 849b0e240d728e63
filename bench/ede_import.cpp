// The EDE import of a device with 2000 object lines (standard layout, every
// object analog and settable every second line). Times the reading of the
// file alone, the selection dialog's opening (ShowModal to the first idle
// moment of its message loop: the file read and shown in its grid) and the
// appending of the chosen objects to the client window's empty tables
// (512 read rules, the rest skipped, and the settable objects' write
// rules); each the median of the runs.
//
//   bench_ede_import [runs]     (default 11; offscreen unless
//                                QT_QPA_PLATFORM says otherwise)

#include "app/UWindows.h"
#include "core/UComon.h"
#include "platform/Application.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "rules/field/UBACnetAccess.h"
#include "rules/field/UImportEDEFile.h"

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

std::string EDE_Text()
{
    std::string text = "# Proposal_Engineering-Data-Exchange\r\nPROJECT_NAME;Bench\r\nVERSION_OF_REFERENCEFILE;1\r\n"
                       "TIMESTAMP_OF_LAST_CHANGE;2024-04-03\r\nAUTHOR_OF_LAST_CHANGE;bench\r\nVERSION_OF_LAYOUT;2.2\r\n"
                       "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;optional;optional;"
                       "optional;optional;optional;optional;optional;optional;optional\r\n"
                       "# keyname;device obj.-instance;object-name;object-type;object-instance;description;"
                       "present-value-default;min-present-value;max-present-value;settable;supports COV;hi-limit;"
                       "low-limit;state-text-reference;unit-code;vendor-specific-address\r\n";
    for (int i = 0; i < 2000; ++i) {
        const std::string n = std::to_string(i);
        text += "key_" + n + ";1001;Object_" + n + ";" + std::to_string(i % 3) + ";" + n + ";Description of " + n +
                ";0;-100;100;" + (i % 2 ? "Y" : "N") + ";Y;;;;62;\r\n";
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const auto folder = std::filesystem::temp_directory_path() / ("zel-bench-ede-" + std::to_string(NowMs()));
    std::filesystem::create_directories(folder);
    Application_Initialize(argc, argv);
    Create_Windows(folder.string());
    const std::string file = PathJoin(folder.string(), "device.csv");
    if (!WriteFileAtomic(file, EDE_Text())) return 1;

    std::vector<double> read, open, append;
    bool clean = true;
    for (int i = 0; i < runs; ++i) {
        std::vector<TBACnet_Var> list;
        std::string why;
        const double r = NowMs();
        clean = clean && Load_EDE_File(file, list, why) && list.size() == 2000;
        read.push_back(NowMs() - r);

        TFImportEDEFile& d = *FImportEDEFile;
        d.EDE_File = file;
        TTimer t;
        t.SetInterval(1);
        const double start = NowMs();
        t.SetOnTimer([&] {
            t.SetEnabled(false);
            open.push_back(NowMs() - start);
            d.SetModalResult(mrOk);
        });
        d.ShowModal();
        clean = clean && d.ECG->RowCount() == 2001;

        TFBACnetAccess& w = *FBACnetAccess;
        w.Frame().Reset();
        const double a = NowMs();
        const auto skipped = Append_EDE_Rules(*w.ECG1, *w.ECG2, w.Client, d.List_EDE_Var, "192.168.0.7");
        append.push_back(NowMs() - a);
        clean = clean && skipped.first == 2000 - 512 && skipped.second == 1000 - 512 &&
                w.ECG1->GetCellEx(BACnet_Read_Col::Mnemonic, 512) == "Object_511 - Description of 511";
    }
    Destroy_Windows();
    std::filesystem::remove_all(folder);
    if (!clean) {
        std::fprintf(stderr, "the EDE file was not imported as expected\n");
        return 1;
    }
    std::printf("EDE import, 2000 object lines, over %d runs (median): reading %.1f ms, selection dialog open "
                "(read and shown) %.1f ms, appending 512 read + 512 write rules %.1f ms\n",
                runs, Median(read), Median(open), Median(append));
    return 0;
}
