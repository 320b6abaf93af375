// FindTopLevelUsage on descriptors of real devices, on item sequences that
// exercise one rule each, and on damaged input.

#include "platform/linux/ReportDescriptor.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "native/fixtures/ReportDescriptors.h"

namespace vandir {

void PrintTo(const TopLevelUsage& found, std::ostream* out) {
    *out << std::hex << "{0x" << found.usagePage << ", 0x" << found.usage << "}";
}

namespace {

using Bytes = std::vector<uint8_t>;
using fixtures::kKeyboardDescriptor;
using fixtures::kMouseDescriptor;
using fixtures::kVendorDescriptor;

Bytes Concat(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// A long item (data size 6, tag 0xF0) whose data would read as a Consumer
// Control application collection, in front of the vendor interface.
const Bytes kLongItemFirst =
    Concat({0xFE, 0x06, 0xF0, 0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01}, kVendorDescriptor);

// Usage Page Generic Desktop, then a four-byte Usage that names its own page.
const Bytes kExtendedUsage = {
    0x05, 0x01,                    // Usage Page (Generic Desktop)
    0x0B, 0x02, 0x00, 0x01, 0xFF,  // Usage (0xFF01:0002)
    0xA1, 0x01,                    // Collection (Application)
    0xC0,                          // End Collection
};

struct Case {
    const char* name;
    Bytes descriptor;
    std::optional<TopLevelUsage> expected;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class ReportDescriptorTest : public ::testing::TestWithParam<Case> {};

TEST_P(ReportDescriptorTest, FindsTheFirstTopLevelApplicationCollection) {
    const Case& c = GetParam();
    EXPECT_EQ(FindTopLevelUsage(c.descriptor), c.expected);
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    RealDevices, ReportDescriptorTest,
    ::testing::Values(Case{"Mouse", kMouseDescriptor, TopLevelUsage{0x01, 0x02}},
                      Case{"VendorInterface", kVendorDescriptor, TopLevelUsage{0xFF01, 0x02}},
                      Case{"Keyboard", kKeyboardDescriptor, TopLevelUsage{0x01, 0x06}},
                      // One interface with two top-level collections: the first one counts.
                      Case{"MouseThenVendor", Concat(kMouseDescriptor, kVendorDescriptor),
                           TopLevelUsage{0x01, 0x02}},
                      Case{"VendorThenMouse", Concat(kVendorDescriptor, kMouseDescriptor),
                           TopLevelUsage{0xFF01, 0x02}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    ItemRules, ReportDescriptorTest,
    ::testing::Values(
        Case{"LongItemSkippedByItsLength", kLongItemFirst, TopLevelUsage{0xFF01, 0x02}},
        Case{"ExtendedUsageCarriesItsPage", kExtendedUsage, TopLevelUsage{0xFF01, 0x02}},
        Case{"FourByteUsagePage",
             {0x07, 0x01, 0xFF, 0x00, 0x00, 0x09, 0x02, 0xA1, 0x01},
             TopLevelUsage{0xFF01, 0x02}},
        // The page in effect at the Collection item applies, even when it
        // was set after the Usage item.
        Case{"UsagePageAfterUsage",
             {0x05, 0x01, 0x09, 0x02, 0x06, 0x01, 0xFF, 0xA1, 0x01},
             TopLevelUsage{0xFF01, 0x02}},
        Case{"FirstOfSeveralUsages",
             {0x05, 0x01, 0x09, 0x02, 0x09, 0x01, 0xA1, 0x01},
             TopLevelUsage{0x01, 0x02}},
        // Local items end at every main item; the global page stays.
        Case{"UsageTakenByAnInputItem",
             {0x05, 0x01, 0x09, 0x06, 0x81, 0x02, 0xA1, 0x01},
             TopLevelUsage{0x01, 0x00}},
        Case{"PopRestoresThePushedPage",
             {0x05, 0x01, 0xA4, 0x06, 0x01, 0xFF, 0xB4, 0x09, 0x02, 0xA1, 0x01},
             TopLevelUsage{0x01, 0x02}},
        // An application collection inside a top-level physical one is not
        // top level; the next top-level application collection is.
        Case{"NestedApplicationIsNotTopLevel",
             Concat({0x05, 0x01, 0x09, 0x01, 0xA0, 0x09, 0x02, 0xA1, 0x01, 0xC0, 0xC0},
                    kVendorDescriptor),
             TopLevelUsage{0xFF01, 0x02}},
        // The collection type is the low byte of the item's data, whatever
        // its size.
        Case{"TwoByteApplicationCollection",
             {0x06, 0x01, 0xFF, 0x09, 0x02, 0xA2, 0x01, 0x01, 0xC0},
             TopLevelUsage{0xFF01, 0x02}},
        Case{"FourByteApplicationCollection",
             {0x06, 0x01, 0xFF, 0x09, 0x02, 0xA3, 0x01, 0x00, 0x00, 0x02, 0xC0},
             TopLevelUsage{0xFF01, 0x02}},
        Case{"TwoBytePhysicalCollectionIsNotApplication",
             Concat({0x05, 0x01, 0x09, 0x01, 0xA2, 0x00, 0x01, 0xC0}, kVendorDescriptor),
             TopLevelUsage{0xFF01, 0x02}},
        // Item type 3 (reserved) is skipped by its size: its two data bytes
        // would read as Usage (5).
        Case{"ReservedItemTypeSkipped",
             {0x05, 0x0C, 0x0E, 0x09, 0x05, 0x09, 0x01, 0xA1, 0x01},
             TopLevelUsage{0x0C, 0x01}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Damaged, ReportDescriptorTest,
    ::testing::Values(
        Case{"Empty", {}, std::nullopt},
        Case{"NoCollection", {0x06, 0x01, 0xFF, 0x09, 0x02}, std::nullopt},
        Case{"OnlyNestedApplication",
             {0x05, 0x01, 0xA0, 0x09, 0x02, 0xA1, 0x01, 0xC0, 0xC0},
             std::nullopt},
        Case{"EndCollectionWithoutCollection", Concat({0xC0}, kVendorDescriptor), std::nullopt},
        Case{"PopWithoutPush", Concat({0xB4}, kVendorDescriptor), std::nullopt},
        Case{"PushTooDeep", Concat({0xA4, 0xA4, 0xA4, 0xA4, 0xA4}, kVendorDescriptor),
             std::nullopt},
        Case{"LongItemLongerThanTheRest", Concat({0xFE, 0xFF, 0xF0}, kVendorDescriptor),
             std::nullopt},
        // What follows the collection is not read, damaged or not.
        Case{"DamageAfterTheCollection", Concat(kVendorDescriptor, {0xC0, 0xC0, 0xFE, 0xFF}),
             TopLevelUsage{0xFF01, 0x02}}),
    CaseName);

// All top-level application collections of one interface, in order; a
// descriptor that turns out malformed gives those before the damage.
TEST(ReportDescriptorAllCollectionsTest, FindsEveryTopLevelApplicationCollection) {
    const TopLevelUsage mouse{0x01, 0x02};
    const TopLevelUsage vendor{0xFF01, 0x02};
    const TopLevelUsage keyboard{0x01, 0x06};
    struct AllCase {
        const char* name;
        Bytes descriptor;
        std::vector<TopLevelUsage> expected;
    };
    const AllCase cases[] = {
        {"one", kVendorDescriptor, {vendor}},
        {"keyboard then vendor",
         Concat(kKeyboardDescriptor, kVendorDescriptor),
         {keyboard, vendor}},
        {"three",
         Concat(Concat(kMouseDescriptor, kKeyboardDescriptor), kVendorDescriptor),
         {mouse, keyboard, vendor}},
        {"nested one left out",
         Concat(Concat({0x05, 0x01, 0xA0}, kVendorDescriptor), Concat({0xC0}, kMouseDescriptor)),
         {mouse}},
        {"two-byte collection item",
         Concat(kKeyboardDescriptor, {0x06, 0x01, 0xFF, 0x09, 0x02, 0xA2, 0x01, 0x01, 0xC0}),
         {keyboard, vendor}},
        {"damage after the first",
         Concat(kKeyboardDescriptor, Concat({0xC0}, kVendorDescriptor)),
         {keyboard}},
        {"cut inside the second",
         Concat(kKeyboardDescriptor, {0x06, 0x01, 0xFF, 0x09, 0x02, 0xA1}),
         {keyboard}},
        {"empty", {}, {}},
    };
    for (const AllCase& c : cases) {
        EXPECT_EQ(FindTopLevelUsages(c.descriptor), c.expected) << c.name;
    }
}

// Every cut of a descriptor, including those in the middle of an item, gives
// nothing until its first top-level collection item is complete and the full
// result from then on. Each cut is a buffer of exactly that length, so that a
// read past its end is caught by the address sanitizer.
TEST(ReportDescriptorCutTest, EveryCutLength) {
    struct Cut {
        const char* name;
        Bytes descriptor;
        size_t completeAt;  // length at which the collection item is whole
        TopLevelUsage expected;
    };
    const Cut cuts[] = {
        {"mouse", kMouseDescriptor, 6, {0x01, 0x02}},
        {"vendor", kVendorDescriptor, 7, {0xFF01, 0x02}},
        {"keyboard", kKeyboardDescriptor, 6, {0x01, 0x06}},
        {"long item first", kLongItemFirst, 16, {0xFF01, 0x02}},
        {"extended usage", kExtendedUsage, 9, {0xFF01, 0x02}},
    };
    for (const Cut& cut : cuts) {
        for (size_t length = 0; length <= cut.descriptor.size(); ++length) {
            const Bytes piece(cut.descriptor.begin(),
                              cut.descriptor.begin() + static_cast<std::ptrdiff_t>(length));
            const std::optional<TopLevelUsage> expected =
                length >= cut.completeAt ? std::optional(cut.expected) : std::nullopt;
            EXPECT_EQ(FindTopLevelUsage(piece), expected) << cut.name << " cut at " << length;
        }
    }
}

}  // namespace
}  // namespace vandir
