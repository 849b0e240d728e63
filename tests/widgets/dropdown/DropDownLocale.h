#pragma once
// Drop-down edit tests that run once with "." decimal and "," thousand
// separators and once with "," decimal and "." thousand separators: derive
// the suite from DropDownLocaleTest and instantiate it with '.' and ','.

#include "support/FormatGuard.h"

#include <gtest/gtest.h>

#include <string>

class DropDownLocaleTest : public ::testing::TestWithParam<char> {
protected:
    DropDownLocaleTest() : guard_(GetParam(), GetParam() == '.' ? ',' : '.', '/', "dd/mm/yyyy") {}
    // A text written with "." decimal and "," thousand separators, in the
    // locale of the test.
    static std::string L(std::string s)
    {
        if (GetParam() == '.') return s;
        for (char& c : s) c = c == '.' ? ',' : c == ',' ? '.' : c;
        return s;
    }

private:
    FormatGuard guard_;
};
