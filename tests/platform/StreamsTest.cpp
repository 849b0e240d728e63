// The in-memory byte stream: positions stay within the data, exact reads and
// writes report short transfers.

#include "platform/Streams.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

TEST(MemoryStream, SeekStaysWithinTheData)
{
    constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t Min = std::numeric_limits<std::int64_t>::min();
    const struct {
        std::int64_t from;
        std::int64_t offset;
        TSeekOrigin origin;
        std::int64_t expected;
    } cases[] = {
        {0, 3, TSeekOrigin::soBeginning, 3},   {2, 1, TSeekOrigin::soCurrent, 3},
        {2, -1, TSeekOrigin::soEnd, 4},        {2, 9, TSeekOrigin::soCurrent, 5},
        {2, -9, TSeekOrigin::soCurrent, 0},    {2, Max, TSeekOrigin::soCurrent, 5},
        {2, Min, TSeekOrigin::soEnd, 0},       {0, Max, TSeekOrigin::soEnd, 5},
    };
    for (const auto& c : cases) {
        TMemoryStream s({1, 2, 3, 4, 5});
        s.SetPosition(c.from);
        EXPECT_EQ(s.Seek(c.offset, c.origin), c.expected) << c.from << " " << c.offset;
        EXPECT_EQ(s.Position(), c.expected);
        EXPECT_EQ(s.Size(), 5);
    }
}

TEST(MemoryStream, ExactReadsAndWrites)
{
    TMemoryStream s({1, 2, 3});
    std::uint8_t buf[4] = {};
    s.SetPosition(1);
    s.ReadBuffer(buf, 2);
    EXPECT_EQ(buf[0], 2);
    EXPECT_EQ(buf[1], 3);
    s.SetPosition(2);
    try {
        s.ReadBuffer(buf, 2);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    // Writing past the end grows the stream.
    s.SetPosition(2);
    const std::uint8_t more[3] = {7, 8, 9};
    s.WriteBuffer(more, 3);
    EXPECT_EQ(s.Bytes(), (std::vector<std::uint8_t>{1, 2, 7, 8, 9}));
    EXPECT_EQ(s.Position(), 5);
}
