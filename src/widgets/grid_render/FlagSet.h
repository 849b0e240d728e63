#pragma once

// Sets a Boolean for a scope and puts the old value back when it is left.
class TFlagSet {
public:
    TFlagSet(bool& f, bool v) : flag_(f), old_(f) { flag_ = v; }
    ~TFlagSet() { flag_ = old_; }
    TFlagSet(const TFlagSet&) = delete;
    TFlagSet& operator=(const TFlagSet&) = delete;

private:
    bool& flag_;
    bool old_;
};
