#pragma once
// Byte streams of the class library: a positioned source or sink of bytes
// and the in-memory stream.

#include "platform/SysUtils.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Failures of stream reads and writes ("Stream read error", "Stream write
// error").
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to count bytes; answers how many were read.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Writes up to count bytes; answers how many were written.
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // Moves the position (kept within 0 .. Size) and answers the new one.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
    std::int64_t Size();

    // Exactly count bytes or EReadError / EWriteError.
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);
};

// Bytes held in memory; writing past the end grows the stream.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : data_(std::move(bytes)) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

    void Clear();
    void SetSize(std::size_t size);
    const std::vector<std::uint8_t>& Bytes() const { return data_; }
    std::uint8_t* Memory() { return data_.data(); }

private:
    std::vector<std::uint8_t> data_;
    std::size_t pos_ = 0;
};
