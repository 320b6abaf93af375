#pragma once
// The profile file: almost every field of the record, in a fixed order,
// behind the magic bytes 12 06 33 01.

#include <cstdint>
#include <string_view>

#include "model/MouseSettings.h"
#include "storage/DataStream.h"

namespace vandir {

class FileSystem;

inline constexpr uint32_t kProfileMagic = 0x01330612;

enum class ProfileLoadResult {
    Loaded,
    NotOpened,   // missing or unreadable
    WrongMagic,  // not a profile
    Truncated,   // ends before its last field (or a text runs past the end)
};

// Why a profile was not loaded, in words for the user.
std::string_view DescribeProfileLoadResult(ProfileLoadResult result);

// Writes the record's saved fields in file order.
DataStream WriteProfile(const MouseSettings& settings);

// Reads a profile from the stream into settings. All or nothing: unless the
// result is Loaded, settings is left exactly as it was. Bytes after the last
// field are ignored.
ProfileLoadResult ReadProfile(DataStream& stream, MouseSettings& settings);

// Loads settings.profilePath into settings, all or nothing.
ProfileLoadResult LoadProfile(MouseSettings& settings, FileSystem& files);

// Saves settings to settings.profilePath, replacing the old file in one step
// so that a failed save never damages it. False when it could not be written;
// reason, when given, then gets the system's words for it.
bool SaveProfile(const MouseSettings& settings, FileSystem& files,
                 std::u16string* reason = nullptr);

}  // namespace vandir
