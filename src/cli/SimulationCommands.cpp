#include "cli/SimulationCommands.h"

#include <functional>
#include <memory>
#include <string>

#include "base/Clock.h"
#include "cli/CommandError.h"
#include "device/SimulatedMouse.h"

namespace vandir::cli {
namespace {

using StoredState = SimulatedMouse::StoredState;

struct SimulationArguments {
    std::string simulate;  // the simulated mouse's state file
};

// Applies change to the simulated mouse kept in state, and nothing else of it
// (a factory mouse when there is no file yet). done says what the command does,
// for the refusal when it is asked of a real mouse.
void ChangeSimulatedMouse(const std::string& state, const std::string& done,
                          const std::function<void(StoredState&)>& change) {
    if (state.empty()) {
        throw CommandError(
            kExitUsage, "a real mouse cannot be " + done + " by software; give --simulate STATE");
    }
    SystemClock clock;
    const SimulatedMouse::StateFileUpdate result =
        SimulatedMouse::UpdateStateFile(state, SimulatedMouse().GetStoredState(), change, clock);
    if (result == SimulatedMouse::StateFileUpdate::NotAStateFile) {
        throw CommandError(kExitUsage, state + ": not a simulated mouse's state file");
    }
    if (result != SimulatedMouse::StateFileUpdate::Written) {
        throw CommandError(kExitFailure, state + ": cannot be written");
    }
}

void AddStateOption(CLI::App* command, SimulationArguments& args) {
    command->add_option("--simulate", args.simulate,
                        "The simulated mouse's state file (created in factory state when "
                        "missing); required, as a real mouse cannot be told");
}

}  // namespace

void AddSimulationCommands(CLI::App& device) {
    auto args = std::make_shared<SimulationArguments>();

    for (const bool pluggedIn : {true, false}) {
        CLI::App* plug = device.add_subcommand(
            pluggedIn ? "plug" : "unplug",
            pluggedIn ? "Plug in the simulated mouse kept in STATE (a running demo program sees "
                        "it arrive)"
                      : "Unplug the simulated mouse kept in STATE (a running demo program sees it "
                        "go)");
        AddStateOption(plug, *args);
        plug->callback([args, pluggedIn] {
            ChangeSimulatedMouse(
                args->simulate, pluggedIn ? "plugged in" : "unplugged",
                [pluggedIn](StoredState& stored) { stored.pluggedIn = pluggedIn; });
        });
    }
}

}  // namespace vandir::cli
