#pragma once
// vandirctl function show | store | name

#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace vandir::cli {

void AddFunctionCommands(CLI::App& app, CliContext& context);

}  // namespace vandir::cli
