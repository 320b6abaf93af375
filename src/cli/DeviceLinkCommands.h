#pragma once
// vandirctl image, and vandirctl device find | info | read | pull | write (and the
// simulated mouse's commands, SimulationCommands)

#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace vandir::cli {

void AddDeviceLinkCommands(CLI::App& app, CliContext& context);

}  // namespace vandir::cli
