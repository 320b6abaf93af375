#pragma once
// Parsing JSON that the user gives: every failure is bad input.

#include <string>
#include <string_view>

#include "cli/ProfileJson.h"

namespace vandir::cli {

// No document that describes a profile nests deeper than this; deeper input
// is refused while it is read, so nothing recursive ever walks it.
inline constexpr int kDeepestJsonNesting = 16;

// Parses text read from the input named source. Throws CommandError (exit 2)
// naming source for invalid JSON, numbers out of range, nesting deeper than
// kDeepestJsonNesting and objects that repeat a key.
Json ParseJsonInput(std::string_view text, const std::string& source);

}  // namespace vandir::cli
