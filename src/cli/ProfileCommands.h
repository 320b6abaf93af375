#pragma once
// vandirctl profile new | show | set | import

#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace vandir::cli {

void AddProfileCommands(CLI::App& app, CliContext& context);

}  // namespace vandir::cli
