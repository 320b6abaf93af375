#include "app/DemoMouse.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vandir {
namespace {

// A handle of the simulated mouse whose requests go through the sync, so that
// the demo's configuration writes reach the state file.
class SyncedDevice : public HidDevice {
public:
    SyncedDevice(std::unique_ptr<HidDevice> inner, std::shared_ptr<DemoStateSync> sync)
        : inner_(std::move(inner)), sync_(std::move(sync)) {}

    bool ReadIds(uint16_t& vendorId, uint16_t& productId) override {
        return inner_->ReadIds(vendorId, productId);
    }
    bool ReadTopLevelUsage(uint16_t& usagePage, uint16_t& usage) override {
        return inner_->ReadTopLevelUsage(usagePage, usage);
    }
    bool SetFeature(const uint8_t* report, size_t length) override {
        const DemoStateSync::Request request = sync_->SetFeature(*inner_, report, length);
        // A write that never reached the file fails as a send the system
        // refused, which is not worth repeating.
        notSaved_ = request == DemoStateSync::Request::NotSaved;
        return request == DemoStateSync::Request::Sent;
    }
    bool GetFeature(uint8_t* report, size_t length) override {
        notSaved_ = false;
        return inner_->GetFeature(report, length);
    }
    HidError LastError() const override {
        return notSaved_ ? HidError::Other : inner_->LastError();
    }

private:
    std::unique_ptr<HidDevice> inner_;
    bool notSaved_ = false;
    // Keeps the sync, and through it the mouse, alive as long as the handle.
    std::shared_ptr<DemoStateSync> sync_;
};

class SyncedBackend : public HidBackend {
public:
    explicit SyncedBackend(std::shared_ptr<DemoStateSync> sync) : sync_(std::move(sync)) {}

    std::vector<std::string> EnumerateInterfaces() override {
        return sync_->Mouse().EnumerateInterfaces();
    }
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string* failure) override {
        std::unique_ptr<HidDevice> device = sync_->Mouse().Open(path, failure);
        if (device == nullptr) {
            return nullptr;
        }
        return std::make_unique<SyncedDevice>(std::move(device), sync_);
    }

private:
    std::shared_ptr<DemoStateSync> sync_;
};

}  // namespace

DemoMouse::DemoMouse(const wchar_t* commandLine, Clock& clock)
    : DemoMouse(ParseDemoOptions(CommandLineArguments(commandLine)), clock) {}

DemoMouse::DemoMouse(const DemoOptions& options, Clock& clock) {
    auto mouse = std::make_shared<SimulatedMouse>();
    const std::u16string path =
        options.statePath.empty() ? DefaultDemoStatePath() : options.statePath;
    DemoStateFile file(files_, path, clock);
    const bool existed = files_.Exists(path);
    loaded_ = file.LoadInto(*mouse);
    // What the watcher's start compares the file with before it writes.
    const std::optional<bool> pluggedInFile =
        loaded_ && existed ? std::optional<bool>(mouse->IsPluggedIn()) : std::nullopt;
    if (options.unplugged) {
        mouse->Unplug();
    } else {
        mouse->PlugIn();
    }
    sync_ =
        std::make_shared<DemoStateSync>(std::move(mouse), std::move(file), loaded_, pluggedInFile);
    backend_ = std::make_unique<SyncedBackend>(sync_);
}

DemoMouse::~DemoMouse() {
    hotPlug_.reset();
}

HidBackend& DemoMouse::Backend() {
    return *backend_;
}

DemoHotPlug* DemoMouse::WatchFor(HWND window) {
    hotPlug_.reset();
    if (!loaded_) {
        return nullptr;
    }
    hotPlug_ = std::make_unique<DemoHotPlug>(*sync_, window);
    return hotPlug_.get();
}

}  // namespace vandir
