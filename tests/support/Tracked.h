#pragma once
// An object that counts its destructions (ownership tests).

#include "platform/ClassBase.h"

struct Tracked : TObject {
    explicit Tracked(int* counter) : counter_(counter) {}
    ~Tracked() override { ++*counter_; }
    int* counter_;
};
