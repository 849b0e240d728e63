// Start-up time of the configurator: from process start to the main window
// shown, and to the message loop's first idle moment, with every window
// that exists created. Each run is a fresh process (this program started
// again with "--child"); the median of the runs is printed.
//
//   bench_startup [runs]        (default 21 runs; offscreen unless
//                                QT_QPA_PLATFORM says otherwise)

#include "app/UWindows.h"
#include "app/UZelvatoreFirmWare.h"
#include "platform/Application.h"
#include "platform/Timer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

long long NowUs()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int Child(int argc, char** argv)
{
    const std::string folder = argv[2];
    Application_Initialize(argc, argv);
    Create_Windows(folder);
    FZelvatoreFirmWare->ShowForm();
    const long long shown = NowUs();
    long long idle = 0;
    TTimer t;
    t.SetInterval(1);
    t.SetOnTimer([&] {
        if (idle == 0) idle = NowUs();
        t.SetEnabled(false);
        Application_Terminate();
    });
    Application_Run();
    std::printf("%lld %lld\n", shown, idle);
    std::fflush(stdout);
    Destroy_Windows();
    return 0;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "--child") return Child(argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    const auto folder = std::filesystem::temp_directory_path() / ("zel-bench-startup-" + std::to_string(NowUs()));
    std::filesystem::create_directories(folder);
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
    std::vector<double> toShown, toIdle;
    for (int i = 0; i < runs; ++i) {
        const std::string cmd = "'" + self + "' --child '" + folder.string() + "' 2>/dev/null";
        const long long start = NowUs();
        FILE* p = popen(cmd.c_str(), "r");
        if (!p) return 1;
        long long shown = 0, idle = 0;
        const int n = std::fscanf(p, "%lld %lld", &shown, &idle);
        pclose(p);
        if (n != 2) {
            std::fprintf(stderr, "run %d failed\n", i);
            return 1;
        }
        toShown.push_back((shown - start) / 1000.0);
        toIdle.push_back((idle - start) / 1000.0);
    }
    std::filesystem::remove_all(folder);
    std::printf("start-up over %d runs (median): main window shown %.1f ms, message loop idle %.1f ms\n", runs,
                Median(toShown), Median(toIdle));
    return 0;
}
