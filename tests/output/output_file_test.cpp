// Output through a byte sink: the byte rule, buffers, and sinks that fail.
#include "output/output_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "base/byte_io.h"

namespace kelpway {
namespace {

TEST(OutputFile, WritesEveryLfAsCrLfAndLeavesCrAlone) {
    const struct {
        const char* text;
        const char* written;
    } cases[] = {
        {"a\nb", "a\r\nb"}, {"\n\n", "\r\n\r\n"}, {"cr\r", "cr\r"}, {"x\r\n", "x\r\r\n"}, {"", ""},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.text);
        auto file = std::make_unique<OutputFile>();
        std::string written;
        attach_output(*file, memory_sink(written));
        put_text(*file, row.text);
        EXPECT_TRUE(finish_output(*file));
        EXPECT_EQ(written, row.written);
    }
}

TEST(OutputFile, KeepsEveryByteBeyondOneBuffer) {
    auto file = std::make_unique<OutputFile>();
    std::string written;
    attach_output(*file, memory_sink(written));
    const std::string line(1000, 'q');
    for (int i = 0; i < 200; ++i) put_text(*file, line + "\n");
    EXPECT_TRUE(finish_output(*file));
    EXPECT_EQ(written.size(), 200u * 1002u);
    EXPECT_EQ(written.substr(written.size() - 3), "q\r\n");
}

// A sink whose writes go as `answers` say, in turn, then whole: a count of bytes taken, or -1 with errno.
struct ScriptedSink {
    std::vector<std::pair<std::ptrdiff_t, int>> answers;
    std::size_t next = 0;
    bool close_fails = false;
    std::string written;
};

ByteSink sink_of(ScriptedSink& script) {
    const WriteBytes write = [](void* context, const char* bytes, std::size_t size) -> std::ptrdiff_t {
        auto& sink = *static_cast<ScriptedSink*>(context);
        std::ptrdiff_t taken = static_cast<std::ptrdiff_t>(size);
        if (sink.next < sink.answers.size()) {
            const auto [answer, error] = sink.answers[sink.next++];
            if (answer < 0) {
                errno = error;
                return -1;
            }
            taken = answer < taken ? answer : taken;
        }
        sink.written.append(bytes, static_cast<std::size_t>(taken));
        return taken;
    };
    const CloseSink close = [](void* context) { return !static_cast<ScriptedSink*>(context)->close_fails; };
    return {write, close, &script};
}

// Short and interrupted writes are asked again; an error, or a close that fails, loses the file.
TEST(OutputFile, ReportsWhatTheSinkLost) {
    const struct {
        const char* what;
        std::vector<std::pair<std::ptrdiff_t, int>> answers;
        bool close_fails;
        bool kept;
        std::string written;
    } rows[] = {
        {"whole", {}, false, true, "ab\r\ncd"},
        {"short writes", {{1, 0}, {2, 0}}, false, true, "ab\r\ncd"},
        {"interrupted", {{-1, EINTR}, {-1, EINTR}}, false, true, "ab\r\ncd"},
        {"an error", {{-1, EIO}}, false, false, ""},
        {"a short write, then an error", {{2, 0}, {-1, ENOSPC}}, false, false, "ab"},
        {"a close that fails", {}, true, false, "ab\r\ncd"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ScriptedSink script{row.answers, 0, row.close_fails, {}};
        auto file = std::make_unique<OutputFile>();
        attach_output(*file, sink_of(script));
        put_text(*file, "ab\ncd");
        EXPECT_EQ(finish_output(*file), row.kept);
        EXPECT_EQ(script.written, row.written);
    }
}

// Once lost, nothing more is handed to the sink.
TEST(OutputFile, DropsWhatFollowsALoss) {
    ScriptedSink script{{{-1, EIO}}, 0, false, {}};
    auto file = std::make_unique<OutputFile>();
    attach_output(*file, sink_of(script));
    put_text(*file, "first");
    flush_output(*file);
    EXPECT_TRUE(file->failed);
    put_text(*file, "second");
    EXPECT_FALSE(finish_output(*file));
    EXPECT_EQ(script.written, "");
}

}  // namespace
}  // namespace kelpway
