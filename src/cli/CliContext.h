#pragma once
// What every command works with: the platform's files and the standard streams.

#include <iosfwd>

#include "cli/CommandLineFiles.h"

namespace vandir::cli {

struct CliContext {
    CommandLineFiles& files;
    std::istream& in;
    std::ostream& out;
};

}  // namespace vandir::cli
