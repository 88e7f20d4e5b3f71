// The scan over the input's lines: each reader line is handed to its reader.
#include "gpx/scan.h"

#include "base/byte_io.h"
#include "base/line_reader.h"
#include "gpx/line_kind.h"
#include "gpx/line_memo.h"
#include "output/output_file.h"
#include "output/records.h"

namespace kelpway {

void scan_input(ScanState& state) {
    write_start_record(state.line_file);
    bool line_left = false;  // a reader stopped at a line that is not its own
    if (state.name_charsets != nullptr) choose_file_charset(*state.name_charsets, {});
    bool first = true;
    while (line_left || next_line(state.input)) {
        // The XML declaration, which names the file's encoding, stands on its first line.
        if (first && state.name_charsets != nullptr) choose_file_charset(*state.name_charsets, state.input.line);
        first = false;
        const LineClass line = classify_input_line(state);
        const Reader reader = reader_for(line.kind);
        line_left = reader != nullptr && reader(state, line);
        // A lost DRW decides the message; with only the MMK lost, the DRW is
        // still written whole.
        if (state.line_file.failed) return;
    }
    if (!state.input.failed) write_end_record(state.line_file);
}

bool convert_text(ScanState& state, std::string_view gpx, std::string& drw, std::string& mmk) {
    MemoryText text{gpx};
    attach_input(state.input, memory_source(text));
    attach_output(state.line_file, memory_sink(drw));
    attach_output(state.mark_file, memory_sink(mmk));
    scan_input(state);
    const bool drw_whole = finish_output(state.line_file);
    const bool mmk_whole = finish_output(state.mark_file);
    return drw_whole && mmk_whole && !state.input.failed;
}

}  // namespace kelpway
