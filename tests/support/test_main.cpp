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
