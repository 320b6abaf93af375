#pragma once
// Translated names of the button functions, the tool tips of the key-assignment
// page's function selectors. The function lists themselves are always English.

#include <cstdint>
#include <string_view>

namespace vandir {

// Name of a function identifier in a language index. Every keyboard function
// (2000..2199) shares one name, and so does every rapid-fire function
// (2300..2499), including the rapid-fire list headings 2300 and 2301. Empty
// for English, for a language outside 1..12 and for an identifier without a
// name, such as the multimedia and DPI list headings 2200 and 2500.
std::u16string_view TranslatedFunctionName(int32_t functionId, int language);

}  // namespace vandir
