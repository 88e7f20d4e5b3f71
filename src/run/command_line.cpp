// The program's arguments, the run they ask for, and what it prints.
#include "run/command_line.h"

#include <cinttypes>
#include <memory>

#include "run/conversion.h"
#include "run/options.h"
#include "run/outcome.h"
#include "run/pair_files.h"

namespace kelpway {

namespace {

constexpr const char* usage_line = "Usage: KELPWAY ***.GPX \n";

// Kept in step with the manual page, which a test compares it with.
constexpr const char* help_text =
    "\n"
    "kelpway [OPTION]... FILE[.GPX] [COLOR]\n"
    "kelpway --to-gpx [OPTION]... FILE\n"
    "\n"
    "Converts the GPX file FILE into BV10nnnn.DRW (tracks) and BV10nnnn.MMK\n"
    "(waypoints) in its directory, under the first number nnnn for which no\n"
    "BV10nnnn.DRW exists, and prints how many records it wrote. With --to-gpx,\n"
    "converts the pair FILE.DRW and FILE.MMK into FILE.GPX.\n"
    "\n";

void print_help(std::FILE* console) {
    std::fputs(help_text, console);
    print_help_line(console, "FILE", "the GPX file; whatever extension it has is replaced by GPX");
    print_help_line(console, "COLOR", "colour of every DRW point, 1 to 7 (otherwise 2)");
    std::fputs("\n", console);
    print_options_help(console);
}

void print_banner(std::FILE* console) {
    std::fprintf(console, "Sondrix GPX data --> Bravik DRW,MMK data conversion  Ver%s\n",
                 KELPWAY_VERSION);
    std::fputs(usage_line, console);
}

void print_summary(const ScanState& state, std::FILE* console) {
    std::fprintf(console, "MMK %" PRId64 " points\n", state.point_count);
    std::fprintf(console, "DRW %" PRId64 " lines(color=%d)\n", state.line_count, state.color);
    if (state.skipped_count > 0) {
        std::fprintf(console, "Skipped %" PRId64 " points without position\n",
                     state.skipped_count);
    }
    if (state.passed_over_count > 0) {
        std::fprintf(console, "Passed over %" PRId64 " route points (--routes converts them)\n",
                     state.passed_over_count);
    }
}

// Every run ends here: the summary, or the one message of its failure.
int report(Outcome outcome, const ScanState& state, std::FILE* console) {
    if (outcome == Outcome::converted) {
        print_summary(state, console);
        return 0;
    }
    print_failure(outcome, console);
    return 1;
}

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// One conversion, in a state of its own.
int convert(std::string_view path, int color, const RunOptions& options, std::FILE* console, FileSystem& files) {
    const auto state = std::make_unique<ConversionState>();
    state->scan.color = color;
    state->scan.convert_routes = options.convert_routes;
    return report(convert_gpx(*state, path, files), state->scan, console);
}

// One conversion of a pair into GPX, in a state of its own.
int convert_pair(std::string_view path, std::FILE* console, FileSystem& files) {
    const auto state = std::make_unique<PairFiles>();
    const Outcome outcome = convert_pair_files(*state, path, files);
    if (outcome == Outcome::converted) {
        print_pair_summary(state->pair.counts, console);
        return 0;
    }
    print_failure(outcome, console);
    return 1;
}

// FILE and COLOR, or with --to-gpx FILE alone.
int convert_operands(std::span<const char* const> operands, const RunOptions& options, std::FILE* console,
                     FileSystem& files) {
    if (operands.size() > (options.to_gpx ? 1u : 2u)) {
        std::fputs("Too many option!\n", console);
        return 1;
    }
    if (options.to_gpx) return convert_pair(operands[0], console, files);
    const int color = operands.size() == 2 ? parse_color(operands[1]) : default_color;
    return convert(operands[0], color, options, console, files);
}

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

int run_program(std::span<const char* const> arguments, std::FILE* console, FileSystem& files) {
    const RunOptions options = read_options(arguments);
    switch (options.request) {
        case Request::help:
            print_banner(console);
            print_help(console);
            return 0;
        case Request::version: std::fprintf(console, "kelpway %s\n", KELPWAY_VERSION); return 0;
        case Request::unknown:
            std::fprintf(console, "Unknown option %.*s\n", static_cast<int>(options.refused.size()),
                         options.refused.data());
            std::fputs(usage_line, console);
            return 1;
        case Request::convert: break;
    }
    if (options.to_gpx && options.convert_routes) {
        std::fputs("Option --routes does not apply to --to-gpx\n", console);
        std::fputs(usage_line, console);
        return 1;
    }
    const std::span<const char* const> operands = arguments.subspan(options.operands);
    if (operands.empty()) {
        print_banner(console);
        return 0;
    }
    return convert_operands(operands, options, console, files);
}

}  // namespace kelpway
