#include "cli/SimulationCommands.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli/CommandError.h"
#include "cli/InputText.h"
#include "cli/IntegerText.h"
#include "cli/StateFileArgument.h"
#include "device/HidBackend.h"
#include "device/SimulatedMouse.h"
#include "storage/SimulatedStateFile.h"

namespace vandir::cli {
namespace {

using StoredState = SimulatedMouse::StoredState;

struct SimulationArguments {
    std::string simulate;  // the simulated mouse's state file
    std::string value;     // busy's N, fail's CODE
};

// The errors that fail can give every transfer: the five the transport
// retries, then one it does not.
struct FailureCode {
    const char* name;
    HidError error;
};
constexpr FailureCode kFailureCodes[] = {
    {"not-ready", HidError::NotReady},
    {"crc", HidError::Crc},
    {"write-fault", HidError::WriteFault},
    {"invalid-parameter", HidError::InvalidParameter},
    {"function-failed", HidError::FunctionFailed},
    {"other", HidError::Other},
};

// "not-ready, crc, write-fault, invalid-parameter, function-failed (retried) or
// other (not retried)"
std::string FailureCodeNames() {
    std::string names;
    for (const FailureCode& code : kFailureCodes) {
        if (!names.empty()) {
            names += code.error == HidError::Other ? " (retried) or " : ", ";
        }
        names += code.name;
    }
    return names + " (not retried)";
}

uint8_t BusyPollsOrFail(const std::string& text) {
    const std::optional<IntegerText> number = ParseIntegerText(text);
    if (!number || number->value < 0 || number->value > SimulatedMouse::kMaxBusyPollsPerRequest) {
        throw CommandError(kExitUsage, "N must be an integer from 0 to " +
                                           std::to_string(SimulatedMouse::kMaxBusyPollsPerRequest) +
                                           " (decimal or 0x-hex), got '" + Shortened(text) + "'");
    }
    return static_cast<uint8_t>(number->value);
}

HidError FailureOrFail(const std::string& text) {
    for (const FailureCode& code : kFailureCodes) {
        if (text == code.name) {
            return code.error;
        }
    }
    throw CommandError(kExitUsage,
                       "CODE must be " + FailureCodeNames() + ", got '" + Shortened(text) + "'");
}

// Applies change to the simulated mouse kept in state, and nothing else of it
// (a factory mouse when there is no file yet). done says what the command does,
// for the refusal when it is asked of a real mouse.
void ChangeSimulatedMouse(const std::string& state, const std::string& done,
                          const std::function<void(StoredState&)>& change) {
    if (state.empty()) {
        throw CommandError(
            kExitUsage, "a real mouse cannot be " + done + " by software; give --simulate STATE");
    }
    StateFileArgument(state).Change(SimulatedMouse().GetStoredState(), change);
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

    CLI::App* busy = device.add_subcommand(
        "busy",
        "Make the simulated mouse kept in STATE slow: it answers busy N times before each reply "
        "(the program waits out up to 10, 4.5 s in all); failing transfers stay as they are, and a "
        "running demo program follows it");
    busy->add_option("N", args->value, "Busy replies before each reply, 0 to 255 (0: at once)")
        ->required();
    AddStateOption(busy, *args);
    busy->callback([args] {
        const uint8_t polls = BusyPollsOrFail(args->value);
        ChangeSimulatedMouse(args->simulate, "made busy",
                             [polls](StoredState& stored) { stored.busyPollsPerRequest = polls; });
    });

    CLI::App* fail = device.add_subcommand(
        "fail",
        "Make every transfer to the simulated mouse kept in STATE fail with CODE; busy replies "
        "stay as they are, and a running demo program follows it");
    fail->add_option("CODE", args->value,
                     "The error: " + FailureCodeNames() +
                         "; the retried ones are the system's errors 21, 23, 29, 87 and 1627, "
                         "each transfer tried 3 times more, 50 ms apart")
        ->required();
    AddStateOption(fail, *args);
    fail->callback([args] {
        const HidError error = FailureOrFail(args->value);
        ChangeSimulatedMouse(args->simulate, "made to fail",
                             [error](StoredState& stored) { stored.transferError = error; });
    });

    CLI::App* ok = device.add_subcommand(
        "ok",
        "Make the simulated mouse kept in STATE answer at once and let its transfers through "
        "again (a running demo program follows it)");
    AddStateOption(ok, *args);
    ok->callback([args] {
        ChangeSimulatedMouse(args->simulate, "set right", [](StoredState& stored) {
            stored.busyPollsPerRequest = 0;
            stored.transferError = HidError::None;
        });
    });
}

}  // namespace vandir::cli
