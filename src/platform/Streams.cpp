#include "platform/Streams.h"

#include <algorithm>
#include <cstring>

std::int64_t TStream::Size()
{
    const std::int64_t pos = Position();
    const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(pos, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::size_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count)
{
    const std::size_t n = pos_ < data_.size() ? std::min(count, data_.size() - pos_) : 0;
    if (n != 0)
        std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count)
{
    if (count == 0)
        return 0;
    if (pos_ + count > data_.size())
        data_.resize(pos_ + count);
    std::memcpy(data_.data() + pos_, buffer, count);
    pos_ += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    std::int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent)
        base = static_cast<std::int64_t>(pos_);
    else if (origin == TSeekOrigin::soEnd)
        base = static_cast<std::int64_t>(data_.size());
    const std::int64_t size = static_cast<std::int64_t>(data_.size());
    // Within 0 .. size without overflowing on extreme offsets.
    const std::int64_t target = offset < -base ? 0 : offset > size - base ? size : base + offset;
    pos_ = static_cast<std::size_t>(target);
    return target;
}

void TMemoryStream::Clear()
{
    data_.clear();
    pos_ = 0;
}

void TMemoryStream::SetSize(std::size_t size)
{
    data_.resize(size);
    pos_ = std::min(pos_, size);
}
