#pragma once
// Loading and saving the profile named on the command line.

#include <string>

#include "model/MouseSettings.h"
#include "storage/FileSystem.h"

namespace vandir::cli {

// The record the program starts with, for the profile at file.
MouseSettings StartupRecord(const std::string& file);

// The profile at file; a CommandError (exit 2) naming the file and the reason
// when it cannot be loaded.
MouseSettings LoadOrFail(const std::string& file, FileSystem& files);

// Saves settings to file; a CommandError (exit 1) when it cannot be written.
void SaveOrFail(const MouseSettings& settings, const std::string& file, FileSystem& files);

}  // namespace vandir::cli
