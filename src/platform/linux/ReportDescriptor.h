#pragma once
// Reading a HID report descriptor: what a hidraw node's top-level collection
// is for. Pure byte parsing, so it can be checked on descriptors taken from
// real devices.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vandir {

struct TopLevelUsage {
    uint16_t usagePage = 0;
    uint16_t usage = 0;

    friend bool operator==(const TopLevelUsage&, const TopLevelUsage&) = default;
};

// Usage page and usage of the first application collection at the top level
// of the descriptor, as the host sees it: the first Usage item before the
// Collection item, interpreted with the Usage Page in effect at the Collection
// item unless the Usage item is four bytes long and carries its own page in
// its high 16 bits. A collection without a Usage item has usage 0.
//
// Short items (sizes 0, 1, 2, 4) are parsed; long items are skipped by their
// length. Damage after that collection does not matter. nullopt when the
// descriptor ends, or turns out malformed (an item cut short, End Collection
// or Pop without a match), before such a collection; nothing outside the
// given bytes is ever read.
std::optional<TopLevelUsage> FindTopLevelUsage(std::span<const uint8_t> descriptor);

// Every application collection at the top level, in order, read by the same
// rules (one hidraw node carries all of its interface's top-level
// collections). The descriptor is read up to its end, or up to where it turns
// out malformed: the collections found before that are returned.
std::vector<TopLevelUsage> FindTopLevelUsages(std::span<const uint8_t> descriptor);

}  // namespace vandir
