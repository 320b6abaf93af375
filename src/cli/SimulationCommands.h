#pragma once
// vandirctl device plug | unplug | busy N | fail CODE | ok --simulate STATE:
// what a person does to the simulated mouse from outside, each a change of its own part of the
// state file, which a running demo program follows.

#include <CLI/CLI.hpp>

namespace vandir::cli {

// Adds the commands to vandirctl's device command.
void AddSimulationCommands(CLI::App& device);

}  // namespace vandir::cli
