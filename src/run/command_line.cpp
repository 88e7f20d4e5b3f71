// The program's arguments, the run they ask for, and what it prints.
#include "run/command_line.h"


#include "gpx/scan_state.h"
#include "run/file_run.h"
#include "run/options.h"
#include "run/stop_signals.h"
#include "run/system_charsets.h"

namespace kelpway {

namespace {

constexpr const char* usage_line = "Usage: KELPWAY ***.GPX \n";

// Kept in step with the manual page, which a test compares it with.
constexpr const char* help_text =
    "\n"
    "kelpway [OPTION]... FILE[.GPX] [COLOR]\n"
    "kelpway --to-gpx [OPTION]... FILE\n"
    "kelpway --batch [OPTION]... FILE...\n"
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

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The options' own refusals, before any file is looked at; the exit status, or -1 to go on.
int refuse_options(const RunOptions& options, std::FILE* console) {
    const auto refused = static_cast<int>(options.refused.size());
    switch (options.request) {
        case Request::convert: break;
        case Request::help:
            print_banner(console);
            print_help(console);
            return 0;
        case Request::version: std::fprintf(console, "kelpway %s\n", KELPWAY_VERSION); return 0;
        case Request::unknown: std::fprintf(console, "Unknown option %.*s\n", refused, options.refused.data()); break;
        case Request::invalid_color: std::fprintf(console, "Invalid color %.*s\n", refused, options.refused.data()); break;
        case Request::unknown_charset:
            std::fprintf(console, "Unknown charset %.*s\n", refused, options.refused.data());
            break;
    }
    if (options.request == Request::convert) {
        if (!options.to_gpx) return -1;
        const char* const not_applying = options.convert_routes ? "--routes" : options.color != 0 ? "--color" : nullptr;
        if (not_applying == nullptr) return -1;
        std::fprintf(console, "Option %s does not apply to --to-gpx\n", not_applying);
    }
    std::fputs(usage_line, console);
    return 1;
}

// Every operand a file, each a run of its own; the others go on after one fails. A stop
// that waited for a run placing its outputs ends the batch after that run.
int run_batch(std::span<const char* const> operands, const RunOptions& options, std::FILE* console,
              FileSystem& files) {
    if (operands.empty()) {
        print_banner(console);
        return 0;
    }
    int status = 0;
    for (const char* const operand : operands) {
        catch_stop_signals();
        end_if_stopped();  // one that came while the last run placed its outputs, or since
        std::fprintf(console, "%s:\n", operand);
        status |= run_file(operand, options.color != 0 ? options.color : default_color, options, console, files);
        std::fflush(console);
        end_if_stopped();
    }
    return status;
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
    RunOptions options = read_options(arguments);
    if (options.charset != nullptr && !charset_converts(*options.charset)) {
        options.request = Request::unknown_charset;
        options.refused = options.charset->names[0];
    }
    if (const int status = refuse_options(options, console); status >= 0) return status;
    const std::span<const char* const> operands = arguments.subspan(options.operands);
    if (options.batch) return run_batch(operands, options, console, files);
    if (operands.empty()) {
        print_banner(console);
        return 0;
    }
    if (operands.size() > (options.to_gpx ? 1u : 2u)) {
        std::fputs("Too many option!\n", console);
        return 1;
    }
    // The option wins over the operand.
    const int color = options.color != 0 ? options.color : operands.size() == 2 ? parse_color(operands[1]) : default_color;
    return run_file(operands[0], color, options, console, files);
}

}  // namespace kelpway
