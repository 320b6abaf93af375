#pragma once
// What the command-line tool needs from the platform it runs on.

#include <memory>
#include <string>
#include <vector>

#include "device/HidBackend.h"
#include "storage/FileSystem.h"

namespace vandir::cli {

// The platform's file operations.
std::unique_ptr<FileSystem> MakeFileSystem();

// The platform's HID interfaces.
std::unique_ptr<HidBackend> MakeHidBackend();

// The command line as UTF-8 arguments (on Windows read from the wide command
// line, so that file names outside the console's code page survive).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Switches standard output and error to binary UTF-8 where the platform needs it.
void PrepareStandardStreams();

}  // namespace vandir::cli
