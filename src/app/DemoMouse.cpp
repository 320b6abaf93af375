#include "app/DemoMouse.h"

#include <memory>
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
        return sync_->SetFeature(*inner_, report, length);
    }
    bool GetFeature(uint8_t* report, size_t length) override {
        return inner_->GetFeature(report, length);
    }
    HidError LastError() const override { return inner_->LastError(); }

private:
    std::unique_ptr<HidDevice> inner_;
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
    DemoStateFile file(
        files_, options.statePath.empty() ? DefaultDemoStatePath() : options.statePath, clock);
    loaded_ = file.LoadInto(*mouse);
    if (options.unplugged) {
        mouse->Unplug();
    } else {
        mouse->PlugIn();
    }
    if (loaded_) {
        // Not fatal when it fails: the watcher then follows what the file says.
        file.SavePluggedState(mouse->GetStoredState());
    }
    sync_ = std::make_shared<DemoStateSync>(std::move(mouse), std::move(file), loaded_);
    backend_ = std::make_unique<SyncedBackend>(sync_);
}

DemoMouse::~DemoMouse() {
    hotPlug_.reset();
    sync_->SaveWrite();
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
