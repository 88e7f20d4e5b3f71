// The records of the DRW line file and the MMK mark file.
#pragma once

#include <string_view>

#include "output/degrees.h"
#include "output/output_file.h"

namespace kelpway {

void write_start_record(OutputFile& line_file);      // "S\n"
void write_separator_record(OutputFile& line_file);  // "J\n"
void write_end_record(OutputFile& line_file);        // "E\n"

// ",%s,N,%s,E,,%1d,,,,\n" with S for a southern latitude, W for a western longitude.
void write_point_record(OutputFile& line_file, int color, const DegreesMinutes& latitude,
                        const DegreesMinutes& longitude);

// ",%s,N,%s,E,26,,,,,,\"%s\"\n", hemispheres as for the point record.
void write_mark_record(OutputFile& mark_file, const DegreesMinutes& latitude,
                       const DegreesMinutes& longitude, std::string_view name);

}  // namespace kelpway
