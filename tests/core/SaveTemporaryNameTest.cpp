// The names of a save's temporary files: made, read back, and told apart from
// every other name in the folder.

#include "storage/SaveTemporaryName.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace vandir {
namespace {

// The same ASCII text as bytes, UTF-16 and wide text.
template <typename Char>
std::basic_string<Char> Widen(std::string_view ascii) {
    return std::basic_string<Char>(ascii.begin(), ascii.end());
}

// The writer each form of the name gives; a failure when the forms disagree.
std::optional<uint32_t> WriterInEveryForm(std::string_view name, std::string_view file) {
    const std::optional<uint32_t> bytes = SaveTemporaryWriter(name, file);
    EXPECT_EQ(SaveTemporaryWriter(Widen<char16_t>(name), Widen<char16_t>(file)), bytes);
    EXPECT_EQ(SaveTemporaryWriter(Widen<wchar_t>(name), Widen<wchar_t>(file)), bytes);
    return bytes;
}

TEST(SaveTemporaryName, NamesTheFileTheWriterAndTheSave) {
    struct Case {
        const char* file;
        uint32_t processId;
        uint32_t unique;
        const char* name;
    };
    const Case cases[] = {
        {"DefaultPf.profile", 4711, 0x075bcd15, "DefaultPf.profile.vandir-save.4711.075bcd15.tmp"},
        {"DefaultPf.profile", 1, 0, "DefaultPf.profile.vandir-save.1.00000000.tmp"},
        {"mouse.sim", 4294967295u, 0xffffffffu, "mouse.sim.vandir-save.4294967295.ffffffff.tmp"},
        {"x", 10, 0xa, "x.vandir-save.10.0000000a.tmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SaveTemporaryName(std::string_view(c.file), c.processId, c.unique), c.name);
        EXPECT_EQ(
            SaveTemporaryName(std::u16string_view(Widen<char16_t>(c.file)), c.processId, c.unique),
            Widen<char16_t>(c.name));
        EXPECT_EQ(
            SaveTemporaryName(std::wstring_view(Widen<wchar_t>(c.file)), c.processId, c.unique),
            Widen<wchar_t>(c.name));
        EXPECT_EQ(WriterInEveryForm(c.name, c.file), c.processId);
    }
}

TEST(SaveTemporaryName, ANameOfAnyFileReadsBackItsWriter) {
    // Names a person may give a profile, and bytes that are no UTF-8 (Linux).
    const std::u16string files[] = {u"DefaultPf.profile", u"Profil \u00e9 \u8a2d\u5b9a",
                                    u"a.vandir-save.1.00000000.tmp", u".hidden", u"\U0001F5B1"};
    for (const std::u16string& file : files) {
        for (const uint32_t writer : {1u, 4711u, 4194304u, 4294967295u}) {
            const std::u16string name = SaveTemporaryName(file, writer, 0x1234abcd);
            EXPECT_EQ(SaveTemporaryWriter(name, file), writer);
        }
    }
    const std::string bytes = "a \xFF b \xC3";
    EXPECT_EQ(SaveTemporaryWriter(SaveTemporaryName(bytes, 77, 5), bytes), 77u);
}

// Only exactly the name a save of that file makes is one: never a person's own
// file, another file's temporary, or a name with a part that is empty, padded,
// of the wrong length or case, or too large.
TEST(SaveTemporaryName, EveryOtherNameHasNoWriter) {
    constexpr std::string_view kFile = "DefaultPf.profile";
    const char* const names[] = {
        // A person's own files beside the profile.
        "DefaultPf.profile",
        "DefaultPf.profile.tmp",
        "DefaultPf.profile.2024-05-01.tmp",
        "DefaultPf.profile.notes.tmp",
        "DefaultPf.profile.4711-0-123456.tmp",
        "DefaultPf.profile.vandir-save.AbC123",
        // Parts missing or empty.
        "DefaultPf.profile.vandir-save.tmp",
        "DefaultPf.profile.vandir-save.4711.tmp",
        "DefaultPf.profile.vandir-save..075bcd15.tmp",
        "DefaultPf.profile.vandir-save.4711..tmp",
        "DefaultPf.profile.vandir-save.4711.075bcd15",
        "DefaultPf.profile.vandir-save.4711.075bcd15.",
        "DefaultPf.profile.vandir-save4711.075bcd15.tmp",
        "DefaultPf.profile.vandir-save.4711075bcd15.tmp",
        // Process ids that no save writes.
        "DefaultPf.profile.vandir-save.0.075bcd15.tmp",
        "DefaultPf.profile.vandir-save.04711.075bcd15.tmp",
        "DefaultPf.profile.vandir-save.+4711.075bcd15.tmp",
        "DefaultPf.profile.vandir-save.-1.075bcd15.tmp",
        "DefaultPf.profile.vandir-save. 4711.075bcd15.tmp",
        "DefaultPf.profile.vandir-save.4711 .075bcd15.tmp",
        "DefaultPf.profile.vandir-save.4294967296.075bcd15.tmp",
        "DefaultPf.profile.vandir-save.18446744073709551617.075bcd15.tmp",
        "DefaultPf.profile.vandir-save.0x12.075bcd15.tmp",
        // Unique parts that no save writes.
        "DefaultPf.profile.vandir-save.4711.075bcd1.tmp",
        "DefaultPf.profile.vandir-save.4711.075bcd155.tmp",
        "DefaultPf.profile.vandir-save.4711.075BCD15.tmp",
        "DefaultPf.profile.vandir-save.4711.075bcd1g.tmp",
        // Endings and other files.
        "DefaultPf.profile.vandir-save.4711.075bcd15.TMP",
        "DefaultPf.profile.vandir-save.4711.075bcd15.tmp.tmp",
        "DefaultPf.profile.vandir-save.4711.075bcd15.tmp~",
        "DefaultPf.profile.VANDIR-SAVE.4711.075bcd15.tmp",
        "Other.profile.vandir-save.4711.075bcd15.tmp",
        "DefaultPf.vandir-save.4711.075bcd15.tmp",
        "DefaultPf.profile2.vandir-save.4711.075bcd15.tmp",
        "xDefaultPf.profile.vandir-save.4711.075bcd15.tmp",
        "defaultpf.profile.vandir-save.4711.075bcd15.tmp",
        "",
    };
    for (const char* name : names) {
        EXPECT_EQ(WriterInEveryForm(name, kFile), std::nullopt) << '"' << name << '"';
    }
    // Without a file there is no save of it.
    EXPECT_EQ(WriterInEveryForm(".vandir-save.4711.075bcd15.tmp", ""), std::nullopt);
}

TEST(SaveTemporaryName, UniquesOfOneProcessAllDiffer) {
    std::set<uint32_t> seen;
    for (int i = 0; i < 1000; ++i) {
        EXPECT_TRUE(seen.insert(NextSaveTemporaryUnique()).second) << i;
    }
}

}  // namespace
}  // namespace vandir
