#pragma once
// The name of the temporary file a save writes beside the file it replaces:
// "<file>.vandir-save.<process id>.<8 hex digits>.tmp". The writer's process
// id in the name lets a later save tell a temporary that a killed save left
// from one that a save still running needs; the fixed parts keep a person's
// own files beside it ("DefaultPf.profile.tmp", "DefaultPf.profile.2024-05-01.tmp")
// out of reach.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vandir {

// A temporary last written this long ago belongs to no save that will still
// finish, whatever process runs under its writer's id now (ids are reused).
inline constexpr std::chrono::minutes kAbandonedSaveAge{10};

// The temporary's name (a name in the folder of file, not a path) for a save
// of the file named file by the process processId (never 0); unique tells
// that process's saves apart. Names are made for bytes (Linux), UTF-16 (the
// core) and wide text (Windows) alike.
std::string SaveTemporaryName(std::string_view file, uint32_t processId, uint32_t unique);
std::u16string SaveTemporaryName(std::u16string_view file, uint32_t processId, uint32_t unique);
std::wstring SaveTemporaryName(std::wstring_view file, uint32_t processId, uint32_t unique);

// The writer's process id when name is exactly a name SaveTemporaryName gives
// for file; nothing for any other name (another file's temporary, a person's
// own file, a name with an empty, padded or overflowing part).
std::optional<uint32_t> SaveTemporaryWriter(std::string_view name, std::string_view file);
std::optional<uint32_t> SaveTemporaryWriter(std::u16string_view name, std::u16string_view file);
std::optional<uint32_t> SaveTemporaryWriter(std::wstring_view name, std::wstring_view file);

// A value for unique that this process has not given out before; a name that
// is taken all the same (a dead process of the same id left it) is retried
// with the next one.
uint32_t NextSaveTemporaryUnique();

}  // namespace vandir
