#pragma once
// vandirctl key name | usage | code

#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace vandir::cli {

void AddKeyCommands(CLI::App& app, CliContext& context);

}  // namespace vandir::cli
