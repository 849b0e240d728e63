#pragma once
// Lists of the class library: a string list with checked indexes.

#include "platform/SysUtils.h"

#include <string>
#include <vector>

class TStringList {
public:
    TStringList() = default;

    int Count() const { return static_cast<int>(items_.size()); }
    // Checked access: an index outside 0..Count-1 raises EListError.
    const std::string& Strings(int i) const
    {
        Check(i);
        return items_[static_cast<size_t>(i)];
    }
    const std::string& operator[](int i) const { return Strings(i); }
    void Put(int i, const std::string& s)
    {
        Check(i);
        items_[static_cast<size_t>(i)] = s;
    }
    int Add(const std::string& s)
    {
        items_.push_back(s);
        return Count() - 1;
    }
    void Insert(int i, const std::string& s)
    {
        if (i < 0 || i > Count()) RaiseListIndexError(i);
        items_.insert(items_.begin() + i, s);
    }
    void Delete(int i)
    {
        Check(i);
        items_.erase(items_.begin() + i);
    }
    void Clear() { items_.clear(); }
    int IndexOf(const std::string& s) const
    {
        for (int i = 0; i < Count(); ++i)
            if (SameText(items_[static_cast<size_t>(i)], s)) return i;
        return -1;
    }
    // Lines joined with LF after each, as the class library's Text.
    std::string Text() const
    {
        std::string r;
        for (const auto& s : items_) {
            r += s;
            r += '\n';
        }
        return r;
    }
    const std::vector<std::string>& Items() const { return items_; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    void Check(int i) const
    {
        if (i < 0 || i >= Count()) RaiseListIndexError(i);
    }
    std::vector<std::string> items_;
};
