#include "core/UProgram.h"

#include "platform/Shell.h"

#include <memory>

bool UProgram::Start_Program(const std::string& NomeSW, const std::string& Parameter, bool tipo, int limitMs)
{
    std::unique_ptr<TProcess> p;
    try {
        p = TProcess::Start(NomeSW, Parameter, tipo);
    } catch (...) {
        return false;
    }
    if (!p) return false;
    const long long start = GetTickCount64Ms();
    for (;;) {
        if (!p->Running()) {
            SleepMs(10);
            break;
        }
        if (GetTickCount64Ms() - start >= limitMs) break;
        SleepMs(10);
    }
    return true;
}
