#include "platform/linux/ReportDescriptor.h"

#include <cstddef>
#include <vector>

namespace vandir {
namespace {

// Item types and the tags this parser acts on (HID 1.11, 6.2.2).
constexpr uint8_t kTypeMain = 0;
constexpr uint8_t kTypeGlobal = 1;
constexpr uint8_t kTypeLocal = 2;

constexpr uint8_t kMainCollection = 0xA;
constexpr uint8_t kMainEndCollection = 0xC;
constexpr uint8_t kGlobalUsagePage = 0x0;
constexpr uint8_t kGlobalPush = 0xA;
constexpr uint8_t kGlobalPop = 0xB;
constexpr uint8_t kLocalUsage = 0x0;

constexpr uint8_t kLongItemPrefix = 0xFE;
constexpr uint8_t kApplicationCollection = 1;

// A Collection item's type is the low byte of its data, whatever the item's
// size, as the kernel reads it.
uint8_t CollectionType(uint32_t data) {
    return static_cast<uint8_t>(data & 0xFF);
}

// The kernel accepts at most this many Push items in a row; deeper nesting
// is treated as a malformed descriptor rather than grown without bound.
constexpr size_t kMaxPushDepth = 4;

}  // namespace

std::vector<TopLevelUsage> FindTopLevelUsages(std::span<const uint8_t> descriptor) {
    std::vector<TopLevelUsage> found;
    uint16_t usagePage = 0;              // global state
    std::vector<uint16_t> pushedPages;   // Push/Pop of the global state
    std::optional<uint32_t> firstUsage;  // local state, cleared by every main item
    bool firstUsageIsExtended = false;
    size_t depth = 0;

    size_t pos = 0;
    while (pos < descriptor.size()) {
        const uint8_t prefix = descriptor[pos];
        const size_t left = descriptor.size() - pos - 1;  // bytes after the prefix

        if (prefix == kLongItemPrefix) {
            // bDataSize, bLongItemTag, then the data; no long item tag is defined.
            if (left < 2 || left - 2 < descriptor[pos + 1]) {
                return found;
            }
            pos += 3 + size_t{descriptor[pos + 1]};
            continue;
        }

        const uint8_t sizeCode = prefix & 0x3;
        const size_t size = sizeCode == 3 ? 4 : sizeCode;
        const uint8_t type = (prefix >> 2) & 0x3;
        const uint8_t tag = prefix >> 4;
        if (left < size) {
            return found;
        }
        uint32_t data = 0;
        for (size_t i = 0; i < size; ++i) {
            data |= uint32_t{descriptor[pos + 1 + i]} << (8 * i);
        }
        pos += 1 + size;

        switch (type) {
            case kTypeMain:
                if (tag == kMainCollection) {
                    if (depth == 0 && CollectionType(data) == kApplicationCollection) {
                        const uint32_t usage = firstUsage.value_or(0);
                        found.push_back(TopLevelUsage{
                            static_cast<uint16_t>(firstUsageIsExtended ? usage >> 16 : usagePage),
                            static_cast<uint16_t>(usage & 0xFFFF)});
                    }
                    ++depth;
                } else if (tag == kMainEndCollection) {
                    if (depth == 0) {
                        return found;
                    }
                    --depth;
                }
                firstUsage.reset();
                firstUsageIsExtended = false;
                break;
            case kTypeGlobal:
                if (tag == kGlobalUsagePage) {
                    usagePage = static_cast<uint16_t>(data & 0xFFFF);
                } else if (tag == kGlobalPush) {
                    if (pushedPages.size() == kMaxPushDepth) {
                        return found;
                    }
                    pushedPages.push_back(usagePage);
                } else if (tag == kGlobalPop) {
                    if (pushedPages.empty()) {
                        return found;
                    }
                    usagePage = pushedPages.back();
                    pushedPages.pop_back();
                }
                break;
            case kTypeLocal:
                if (tag == kLocalUsage && !firstUsage) {
                    firstUsage = data;
                    firstUsageIsExtended = size == 4;
                }
                break;
            default:
                break;  // reserved item type: skipped by its size
        }
    }
    return found;
}

std::optional<TopLevelUsage> FindTopLevelUsage(std::span<const uint8_t> descriptor) {
    const std::vector<TopLevelUsage> found = FindTopLevelUsages(descriptor);
    return found.empty() ? std::nullopt : std::optional(found.front());
}

}  // namespace vandir
