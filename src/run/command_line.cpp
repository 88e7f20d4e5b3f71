// The program's arguments, the run they ask for, and what it prints.
#include "run/command_line.h"

#include <cinttypes>

#include "run/conversion.h"
#include "run/outcome.h"

namespace kelpway {

namespace {

void print_summary(const ConversionState& state, std::FILE* console) {
    std::fprintf(console, "MMK %" PRId64 " points\n", state.point_count);
    std::fprintf(console, "DRW %" PRId64 " lines(color=%d)\n", state.line_count, state.color);
    if (state.skipped_count > 0) {
        std::fprintf(console, "Skipped %" PRId64 " points without position\n",
                     state.skipped_count);
    }
}

// Every run ends here: the summary, or the one message of its failure.
int report(Outcome outcome, const ConversionState& state, std::FILE* console) {
    switch (outcome) {
        case Outcome::converted: print_summary(state, console); return 0;
        case Outcome::too_many_options: std::fputs("Too many option!\n", console); break;
        case Outcome::cant_open_gpx: std::fputs("Can't open .GPX file!\n", console); break;
        case Outcome::cant_open_drw: std::fputs("Can't open .DRW file!\n", console); break;
        case Outcome::cant_open_mmk: std::fputs("Can't open .MMK file!\n", console); break;
        case Outcome::cant_read_gpx: std::fputs("Can't read .GPX file!\n", console); break;
        case Outcome::cant_write_drw: std::fputs("Can't write .DRW file!\n", console); break;
        case Outcome::cant_write_mmk: std::fputs("Can't write .MMK file!\n", console); break;
    }
    return 1;
}

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int parse_color(std::string_view argument) {
    std::size_t at = 0;
    while (at < argument.size() && is_space(argument[at])) ++at;
    bool negative = at < argument.size() && argument[at] == '-';
    if (at < argument.size() && (argument[at] == '+' || argument[at] == '-')) ++at;
    long long value = 0;
    for (; at < argument.size() && argument[at] >= '0' && argument[at] <= '9'; ++at) {
        value = value * 10 + (argument[at] - '0');
        if (value > 7) return default_color;  // also keeps long digit runs from overflowing
    }
    if (negative || value < 1) return default_color;
    return static_cast<int>(value);
}

int run_program(std::span<const char* const> arguments, ConversionState& state,
                std::FILE* console) {
    if (arguments.empty()) {
        std::fprintf(console, "Sondrix GPX data --> Bravik DRW,MMK data conversion  Ver%s\n",
                     KELPWAY_VERSION);
        std::fputs("Usage: KELPWAY ***.GPX \n", console);
        return 0;
    }
    if (arguments.size() > 2) return report(Outcome::too_many_options, state, console);
    state.color = arguments.size() == 2 ? parse_color(arguments[1]) : default_color;
    return report(convert_gpx(state, arguments[0]), state, console);
}

}  // namespace kelpway
