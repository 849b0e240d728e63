// The start shared by the fuzz targets that draw: an offscreen application
// set up once before the first input. Include it in exactly one target file.
#pragma once

#include "platform/Application.h"

#include <cstdlib>

// Font configuration keeps caches until the process ends: not leaks of
// the program (the same list as the tests').
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n"
           "leak:libdbus\n"
           "leak:libglib\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application_Initialize(*argc, *argv);
    return 0;
}
