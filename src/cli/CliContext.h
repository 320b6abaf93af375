#pragma once
// What every command works with: the platform's files and the standard streams.

#include <iosfwd>

#include "storage/FileSystem.h"

namespace vandir::cli {

struct CliContext {
    FileSystem& files;
    std::istream& in;
    std::ostream& out;
};

}  // namespace vandir::cli
