// The hidraw report descriptor parser on arbitrary bytes, as discovery reads
// a node's descriptor from the system.
//
// Properties: nothing outside the bytes is read (the sanitizers watch); the
// first collection found is the one FindTopLevelUsage gives; and the
// collections found in any start of the descriptor are the first ones found
// in the whole (reading stops where an item is cut short, and damage further
// on cannot change what came before).

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "FuzzCheck.h"
#include "platform/linux/ReportDescriptor.h"

namespace {

using vandir::FindTopLevelUsage;
using vandir::FindTopLevelUsages;
using vandir::TopLevelUsage;
using vandir::fuzz::Check;

bool StartsWith(const std::vector<TopLevelUsage>& whole, const std::vector<TopLevelUsage>& start) {
    return start.size() <= whole.size() && std::equal(start.begin(), start.end(), whole.begin());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the input's size, so that the sanitizers catch a read
    // one byte past the end.
    const std::vector<uint8_t> descriptor(data, data + size);
    const std::vector<TopLevelUsage> found = FindTopLevelUsages(descriptor);
    const std::optional<TopLevelUsage> first = FindTopLevelUsage(descriptor);
    Check(found.empty() ? !first.has_value() : first == found.front(),
          "FindTopLevelUsage gives the first of FindTopLevelUsages");
    // Every short item takes at least one byte and opens at most one collection.
    Check(found.size() <= size / 2, "at most one collection per two bytes");

    // Cut where the last byte says (a byte the parser also reads as data).
    if (size > 0) {
        const size_t cut = data[size - 1] % size;
        const std::vector<uint8_t> start(descriptor.begin(), descriptor.begin() + cut);
        Check(StartsWith(found, FindTopLevelUsages(start)),
              "a cut descriptor yields the first collections of the whole");
    }
    return 0;
}
