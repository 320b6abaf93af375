#pragma once
// Pieces of the user's input quoted in messages, cut short so that a huge
// bad value cannot flood standard error.

#include <string>
#include <string_view>

namespace vandir::cli {

// The text as given when short; otherwise its start (cut at a character
// boundary) followed by "...".
std::string Shortened(std::string_view text);

}  // namespace vandir::cli
