#pragma once
// Screenshots as PNG files.

#include <filesystem>

#include "e2e/XSession.h"

namespace vandir::e2e {

// Writes the pixels as an 8-bit RGB PNG; false when the file cannot be written.
bool WritePng(const Pixels& pixels, const std::filesystem::path& path);

}  // namespace vandir::e2e
