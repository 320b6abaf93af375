#pragma once
// What the command-line tool needs from the platform it runs on.

#include <memory>
#include <string>
#include <vector>

#include "cli/CommandLineFiles.h"
#include "device/HidBackend.h"
#include "storage/FileSystem.h"

namespace vandir::cli {

// The platform's files, named as on the command line.
std::unique_ptr<CommandLineFiles> MakeCommandLineFiles();

// The platform's files as the portable core reaches them, and a path named on
// the command line as they take it.
std::unique_ptr<FileSystem> MakeFileSystem();
std::u16string FileSystemPath(const std::string& path);

// The platform's HID interfaces.
std::unique_ptr<HidBackend> MakeHidBackend();

// The command line as UTF-8 arguments (on Windows read from the wide command
// line, so that file names outside the console's code page survive). On
// Linux they are the bytes as given; on Windows an argument that is not valid
// Unicode text is a CommandError (exit 2), as it has no UTF-8 form.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Switches standard output and error to binary UTF-8 where the platform needs
// it; on Linux a closed standard stream is held by a descriptor that cannot be
// used that way, so that no file opened later takes its place.
void PrepareStandardStreams();

}  // namespace vandir::cli
