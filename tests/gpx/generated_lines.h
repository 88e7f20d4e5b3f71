// Lines made of the pieces the line rules look at, for holding faster forms to their references.
#pragma once

#include <string>
#include <vector>

namespace kelpway {

// Every prefix (0 to 40 bytes) of lines made at random, from a fixed seed, of tags with and
// without prefixes, lat= and lon= with quoted and bare values, blanks, tabs, CR, LF, quotes,
// '>', '/', ':' and '<'; and the known lines of tests/e2e/data and the fuzzer's seeds.
const std::vector<std::string>& generated_lines();

}  // namespace kelpway
