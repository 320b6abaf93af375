#pragma once
// Values of a Wine prefix's registry as its saved files hold them
// (user.reg is written when the Wine server ends).

#include <filesystem>
#include <optional>
#include <string>

namespace vandir::e2e {

// The value `name` of `key` (written with single backslashes, relative to the
// file's root, e.g. "Control Panel\\Mouse"): a string value's text unescaped,
// any other value as the file spells it ("dword:0000000a"); none when the key
// or the value is missing.
std::optional<std::string> ReadRegistryValue(const std::filesystem::path& file,
                                             const std::string& key, const std::string& name);

}  // namespace vandir::e2e
