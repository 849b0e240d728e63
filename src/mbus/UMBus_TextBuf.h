#pragma once
// A text put together on the stack and handed to a record's string in one
// assignment: the decoder builds every record's texts this way instead of
// growing the strings piece by piece. Text beyond the capacity is dropped.

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

template <std::size_t Capacity>
class TTextBuf {
public:
    void Clear() { len_ = 0; }
    std::string_view View() const { return {buf_, len_}; }
    std::size_t Size() const { return len_; }

    TTextBuf& operator<<(std::string_view s)
    {
        const std::size_t n = std::min(s.size(), Capacity - len_);
        std::memcpy(buf_ + len_, s.data(), n);
        len_ += n;
        return *this;
    }
    TTextBuf& operator<<(char c)
    {
        if (len_ < Capacity) buf_[len_++] = c;
        return *this;
    }
    // Decimal.
    TTextBuf& operator<<(int v)
    {
        char digits[12];
        const auto r = std::to_chars(digits, digits + sizeof digits, v);
        return *this << std::string_view(digits, static_cast<std::size_t>(r.ptr - digits));
    }
    // Two upper-case hexadecimal digits.
    TTextBuf& Hex(std::uint8_t b)
    {
        static constexpr char hex[] = "0123456789ABCDEF";
        return *this << hex[b >> 4] << hex[b & 0x0F];
    }
    // A Latin-1 character as UTF-8.
    TTextBuf& Latin1(std::uint8_t c)
    {
        if (c < 0x80) return *this << static_cast<char>(c);
        return *this << static_cast<char>(0xC0 | (c >> 6)) << static_cast<char>(0x80 | (c & 0x3F));
    }
    void AssignTo(std::string& s) const { s.assign(buf_, len_); }

private:
    char buf_[Capacity];
    std::size_t len_ = 0;
};
