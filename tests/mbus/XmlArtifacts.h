#pragma once
// Files the M-Bus tests wrote are kept for the independent check of
// well-formedness (xmllint, a CTest test of its own).

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// Copies the file into the artefact folder as <name>.xml.
inline void Keep_For_Xmllint(const std::string& path, const std::string& name)
{
    const std::filesystem::path dir = std::filesystem::path(ZEL_TEST_ARTIFACT_DIR) / "mbus-xml";
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(path, dir / (name + ".xml"), std::filesystem::copy_options::overwrite_existing);
}

// The same under the running test's name and a number counting its files.
inline void Keep_For_Xmllint(const std::string& path)
{
    static std::string test;
    static int count = 0;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "outside";
    if (name != test) {
        test = name;
        count = 0;
    }
    Keep_For_Xmllint(path, name + "." + std::to_string(++count));
}
