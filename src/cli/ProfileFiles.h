#pragma once
// Loading and saving the profile named on the command line.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandLineFiles.h"
#include "model/MouseSettings.h"

namespace vandir::cli {

// The record the program starts with, for the profile at file.
MouseSettings StartupRecord(const std::string& file);

// The profile at file, or nothing when no file exists there. Any other
// failure (unreadable, not a regular file, too large, not a profile, damaged)
// is a CommandError (exit 2) naming the file and the reason.
std::optional<MouseSettings> LoadIfPresent(const std::string& file, CommandLineFiles& files);

// The profile at file; a CommandError (exit 2) naming the file and the reason
// when it cannot be loaded.
MouseSettings LoadOrFail(const std::string& file, CommandLineFiles& files);

// Saves settings to file; a CommandError (exit 1) naming the file and the
// system's reason when it cannot be written, or (exit 2) when the profile
// would be larger than the tool reads back.
void SaveOrFail(const MouseSettings& settings, const std::string& file, CommandLineFiles& files);

// The bytes of an input file; a CommandError (exit 2) naming the file and the
// reason when it cannot be read.
std::vector<uint8_t> ReadInputOrFail(const std::string& file, CommandLineFiles& files);

}  // namespace vandir::cli
