// Entry of every test program: a GUI application on the offscreen platform.
#include "platform/Application.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    Application_Initialize(argc, argv);
    return RUN_ALL_TESTS();
}

// Leak reports of system libraries (font configuration, D-Bus and GLib keep
// caches until the process ends) are not faults of the program; the list
// matches tests/lsan.supp and is read by the leak checker at start-up.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n"
           "leak:libdbus\n"
           "leak:libglib\n";
}
