// Sources and sinks held in memory, and reads that an interruption asks again.
#include "base/byte_io.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "piece_source.h"

namespace kelpway {
namespace {

TEST(ByteIo, MemoryTextsAreReadAndWrittenWhole) {
    MemoryText text{"abcdef"};
    const ByteSource source = memory_source(text);
    char bytes[4];
    EXPECT_EQ(read_some(source, bytes, 4), 4);
    EXPECT_EQ(std::string(bytes, 4), "abcd");
    EXPECT_EQ(read_some(source, bytes, 4), 2);
    EXPECT_EQ(read_some(source, bytes, 4), 0);  // the end, and again
    EXPECT_EQ(read_some(source, bytes, 4), 0);
    std::string written;
    const ByteSink sink = memory_sink(written);
    EXPECT_EQ(sink.write(sink.context, "xyz", 3), 3);
    EXPECT_TRUE(sink.close(sink.context));
    EXPECT_EQ(written, "xyz");
}

TEST(ByteIo, AnInterruptedReadIsAskedAgainAndAnErrorIsNot) {
    char bytes[8];
    PieceSource interrupted{"text", 8, 1, EINTR};
    EXPECT_EQ(read_some(source_of(interrupted), bytes, 8), 4);
    EXPECT_EQ(interrupted.reads, 2);
    PieceSource failing{"text", 8, 1, EIO};
    EXPECT_EQ(read_some(source_of(failing), bytes, 8), -1);
    EXPECT_EQ(errno, EIO);
    EXPECT_EQ(failing.reads, 1);
}

}  // namespace
}  // namespace kelpway
