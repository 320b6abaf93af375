#include "cli/DeviceLinkCommands.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliPlatform.h"
#include "cli/CommandError.h"
#include "cli/ImageText.h"
#include "cli/ProfileFiles.h"
#include "cli/SimulationCommands.h"
#include "cli/StateFileArgument.h"
#include "device/DeviceCommands.h"
#include "device/SimulatedMouse.h"
#include "storage/Profile.h"
#include "storage/SimulatedStateFile.h"

namespace vandir::cli {
namespace {

constexpr char kNoMouse[] = "no Vandir II mouse found";

struct DeviceArguments {
    std::string file;
    std::string simulate;  // state file of a simulated mouse
    std::string device;    // one interface's path
};

// Shows a backend only the interface the user named.
class SinglePathBackend : public HidBackend {
public:
    SinglePathBackend(std::unique_ptr<HidBackend> inner, std::string path)
        : inner_(std::move(inner)), path_(std::move(path)) {}
    std::vector<std::string> EnumerateInterfaces() override { return {path_}; }
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string* failure) override {
        return inner_->Open(path, failure);
    }

private:
    std::unique_ptr<HidBackend> inner_;
    std::string path_;
};

// The mouse a device command talks to, found and open.
class MouseLink {
public:
    explicit MouseLink(const DeviceArguments& args) : args_(args) {
        if (!args.simulate.empty() && !args.device.empty()) {
            throw CommandError(kExitUsage, "--simulate and --device exclude each other");
        }
        if (!args.simulate.empty()) {
            stateFile_ = std::make_unique<StateFileArgument>(args.simulate);
            auto simulated = std::make_unique<SimulatedMouse>();
            SimulatedMouse::StoredState stored = simulated->GetStoredState();
            if (stateFile_->File().Read(stored) == SimulatedStateFile::Reading::NotAStateFile) {
                throw CommandError(kExitUsage,
                                   args.simulate + ": not a simulated mouse's state file");
            }
            simulated->RestoreStoredState(stored);
            simulated_ = simulated.get();
            backend_ = std::move(simulated);
        } else if (!args.device.empty()) {
            backend_ = std::make_unique<SinglePathBackend>(MakeHidBackend(), args.device);
        } else {
            backend_ = MakeHidBackend();
        }
        transport_ = std::make_unique<Transport>(*backend_, clock_);
        if (transport_->Discover() != 1) {
            throw CommandError(kExitFailure, std::string(kNoMouse) + UnopenableInterfaces());
        }
    }

    // The simulated mouse keeps what it was told: its memory goes back to the
    // state file, whose plugged state stays as another process may have set
    // it meanwhile.
    void SaveSimulation() {
        if (simulated_ == nullptr) {
            return;
        }
        stateFile_->Change(simulated_->GetStoredState(),
                           [this](SimulatedMouse::StoredState& stored) {
                               stored.memory = simulated_->Memory();
                               stored.firmwareVersion = simulated_->FirmwareVersionNumber();
                           });
    }

    Transport& transport() { return *transport_; }

private:
    // " (cannot open /dev/hidraw3: permission denied; ...)" for the
    // interfaces that could not be looked at, so the user learns why.
    std::string UnopenableInterfaces() {
        std::string reasons;
        for (const std::string& path : backend_->EnumerateInterfaces()) {
            std::string failure;
            if (backend_->Open(path, &failure) == nullptr) {
                reasons += (reasons.empty() ? "" : "; ") +
                           ("cannot open " + path + ": " + (failure.empty() ? "error" : failure));
            }
        }
        return reasons.empty() ? "" : " (" + reasons + ")";
    }

    const DeviceArguments& args_;
    SystemClock clock_;
    std::unique_ptr<HidBackend> backend_;
    std::unique_ptr<StateFileArgument> stateFile_;  // with --simulate
    SimulatedMouse* simulated_ = nullptr;
    std::unique_ptr<Transport> transport_;
};

std::string VersionText(uint16_t version) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%02u", version / 100u, version % 100u);
    return text;
}

void AddLinkOptions(CLI::App* command, DeviceArguments& args) {
    command->add_option("--simulate", args.simulate,
                        "Talk to a simulated mouse whose memory and plugged state are kept in "
                        "STATE (created in factory state, plugged in, when missing)");
    command->add_option("--device", args.device,
                        "Talk to this interface (e.g. /dev/hidraw3) instead of discovering the "
                        "mouse");
}

}  // namespace

void AddDeviceLinkCommands(CLI::App& app, CliContext& context) {
    auto args = std::make_shared<DeviceArguments>();

    CLI::App* image = app.add_subcommand(
        "image",
        "Print the 128-byte configuration image that Apply sends for the profile in "
        "FILE, and its checksum");
    image->add_option("FILE", args->file, "Profile file")->required();
    image->callback([args, &context] {
        context.out << ImageText(EncodeConfigImage(LoadOrFail(args->file, context.files)));
    });

    CLI::App* device = app.add_subcommand("device", "Talk to the mouse");
    device->require_subcommand(1);

    CLI::App* find = device->add_subcommand("find", "Print the path of the mouse's interface");
    AddLinkOptions(find, *args);
    find->callback([args, &context] {
        MouseLink link(*args);
        context.out << link.transport().DevicePath() << "\n";
        link.SaveSimulation();
    });

    CLI::App* info = device->add_subcommand("info", "Print the mouse's firmware version");
    AddLinkOptions(info, *args);
    info->callback([args, &context] {
        MouseLink link(*args);
        InformationBlock block{};
        const int result = ReadInformation(link.transport(), block);
        link.SaveSimulation();
        if (result == 2) {
            throw CommandError(kExitFailure, "the request could not be sent");
        }
        if (result == 0) {
            throw CommandError(kExitFailure, "the mouse did not reply");
        }
        if (result != 1) {
            throw CommandError(kExitFailure,
                               result == kStatusBusy
                                   ? std::string("the mouse stayed busy")
                                   : "the mouse replied with status " + std::to_string(result));
        }
        context.out << VersionText(FirmwareVersion(block)) << "\n";
    });

    CLI::App* read = device->add_subcommand(
        "read", "Read the mouse's configuration and print its image and checksum");
    AddLinkOptions(read, *args);
    read->callback([args, &context] {
        MouseLink link(*args);
        DeviceConfig config;
        ConfigImage received{};
        const int result = ReadConfiguration(link.transport(), config, &received);
        link.SaveSimulation();
        if (result != 1) {
            throw CommandError(kExitFailure, "the configuration could not be read");
        }
        context.out << ImageText(received);
    });

    CLI::App* pull = device->add_subcommand(
        "pull",
        "Read the mouse's configuration into the profile in FILE (the program's "
        "start-up record when FILE does not exist) and save it");
    AddLinkOptions(pull, *args);
    pull->add_option("FILE", args->file, "Profile file")->required();
    pull->callback([args, &context] {
        // Only a file that does not exist starts from the start-up record:
        // anything else that cannot be loaded is left as it is.
        MouseSettings settings =
            LoadIfPresent(args->file, context.files).value_or(StartupRecord(args->file));
        MouseLink link(*args);
        DeviceConfig config;
        const int result = ReadConfiguration(link.transport(), config);
        link.SaveSimulation();
        if (result != 1) {
            throw CommandError(kExitFailure, "the configuration could not be read");
        }
        ApplyDeviceConfig(config, settings);
        SaveOrFail(settings, args->file, context.files);
    });

    CLI::App* write = device->add_subcommand(
        "write",
        "Write the profile in FILE into the mouse; succeeds only when the mouse "
        "answers done");
    AddLinkOptions(write, *args);
    write->add_option("FILE", args->file, "Profile file")->required();
    write->callback([args, &context] {
        const MouseSettings settings = LoadOrFail(args->file, context.files);
        MouseLink link(*args);
        WriteOutcome outcome;
        WriteConfiguration(link.transport(), DeviceConfigFromSettings(settings),
                           settings.profileIndex, &outcome);
        link.SaveSimulation();
        if (!outcome.sent) {
            throw CommandError(kExitFailure, "the request could not be sent");
        }
        if (!outcome.replied) {
            throw CommandError(kExitFailure, "the mouse did not reply");
        }
        if (outcome.status == kStatusBusy) {
            throw CommandError(kExitFailure, "the mouse stayed busy");
        }
        if (outcome.status != kStatusDone) {
            throw CommandError(kExitFailure, "the mouse refused the configuration (status " +
                                                 std::to_string(outcome.status) + ")");
        }
    });

    AddSimulationCommands(*device);
}

}  // namespace vandir::cli
