// The records of the DRW line file and the MMK mark file.
#pragma once

#include <string_view>

#include "output/degrees.h"
#include "run/state.h"

namespace kelpway {

void write_start_record(ConversionState& state);      // "S\n"
void write_separator_record(ConversionState& state);  // "J\n"
void write_end_record(ConversionState& state);        // "E\n"

// ",%s,N,%s,E,,%1d,,,,\n" with S for a southern latitude, W for a western longitude.
void write_point_record(ConversionState& state, const DegreesMinutes& latitude,
                        const DegreesMinutes& longitude);

// ",%s,N,%s,E,26,,,,,,\"%s\"\n", hemispheres as for the point record.
void write_mark_record(ConversionState& state, const DegreesMinutes& latitude,
                       const DegreesMinutes& longitude, std::string_view name);

}  // namespace kelpway
