#include "app/DemoMouse.h"

#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "i18n/Unicode.h"

namespace vandir {

// Saves the mouse's memory to the state file whenever it differs from what was
// last saved.
class DemoMouse::MemorySaver {
public:
    MemorySaver(std::shared_ptr<SimulatedMouse> mouse, DemoStateFile file, bool enabled)
        : mouse_(std::move(mouse)),
          file_(std::move(file)),
          enabled_(enabled),
          saved_(mouse_->GetStoredState()) {}

    void SaveIfChanged() noexcept {
        if (!enabled_) {
            return;
        }
        const std::lock_guard lock(mutex_);
        try {
            const SimulatedMouse::StoredState current = mouse_->GetStoredState();
            if (current.memory == saved_.memory &&
                current.firmwareVersion == saved_.firmwareVersion) {
                return;
            }
            if (file_.SaveMemory(current) == SimulatedMouse::StateFileUpdate::Written) {
                saved_ = current;
            }
        } catch (const std::exception&) {
            // Not saved: the memory still differs, so the next call tries again.
        }
    }

private:
    const std::shared_ptr<SimulatedMouse> mouse_;
    const DemoStateFile file_;
    const bool enabled_;
    std::mutex mutex_;  // requests may come from several threads
    SimulatedMouse::StoredState saved_;
};

namespace {

// A handle of the simulated mouse that saves its memory after each request.
class SavingDevice : public HidDevice {
public:
    SavingDevice(std::unique_ptr<HidDevice> inner, std::function<void()> afterRequest)
        : inner_(std::move(inner)), afterRequest_(std::move(afterRequest)) {}

    bool ReadIds(uint16_t& vendorId, uint16_t& productId) override {
        return inner_->ReadIds(vendorId, productId);
    }
    bool ReadTopLevelUsage(uint16_t& usagePage, uint16_t& usage) override {
        return inner_->ReadTopLevelUsage(usagePage, usage);
    }
    bool SetFeature(const uint8_t* report, size_t length) override {
        const bool sent = inner_->SetFeature(report, length);
        if (sent) {
            afterRequest_();
        }
        return sent;
    }
    bool GetFeature(uint8_t* report, size_t length) override {
        return inner_->GetFeature(report, length);
    }
    HidError LastError() const override { return inner_->LastError(); }

private:
    std::unique_ptr<HidDevice> inner_;
    std::function<void()> afterRequest_;
};

}  // namespace

class DemoMouse::SavingBackend : public HidBackend {
public:
    SavingBackend(std::shared_ptr<SimulatedMouse> mouse, std::shared_ptr<MemorySaver> saver)
        : mouse_(std::move(mouse)), saver_(std::move(saver)) {}

    std::vector<std::string> EnumerateInterfaces() override {
        return mouse_->EnumerateInterfaces();
    }
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string* failure) override {
        std::unique_ptr<HidDevice> device = mouse_->Open(path, failure);
        if (device == nullptr) {
            return nullptr;
        }
        // The handle keeps the saver (and through it the mouse) alive.
        return std::make_unique<SavingDevice>(std::move(device),
                                              [saver = saver_] { saver->SaveIfChanged(); });
    }

private:
    std::shared_ptr<SimulatedMouse> mouse_;
    std::shared_ptr<MemorySaver> saver_;
};

DemoMouse::DemoMouse(const wchar_t* commandLine, Clock& clock)
    : DemoMouse(ParseDemoOptions(CommandLineArguments(commandLine)), clock) {}

DemoMouse::DemoMouse(const DemoOptions& options, Clock& clock)
    : mouse_(std::make_shared<SimulatedMouse>()),
      file_(options.statePath.empty() ? DefaultDemoStatePath() : options.statePath, clock) {
    loaded_ = mouse_->LoadState(Utf8FromUtf16(file_.Path()));
    if (options.unplugged) {
        mouse_->Unplug();
    } else {
        mouse_->PlugIn();
    }
    if (loaded_) {
        // Not fatal when it fails: the watcher then follows what the file says.
        file_.SavePluggedState(mouse_->GetStoredState());
    }
    saver_ = std::make_shared<MemorySaver>(mouse_, file_, loaded_);
    backend_ = std::make_unique<SavingBackend>(mouse_, saver_);
}

DemoMouse::~DemoMouse() {
    hotPlug_.reset();
    saver_->SaveIfChanged();
}

HidBackend& DemoMouse::Backend() {
    return *backend_;
}

DemoHotPlug* DemoMouse::WatchFor(HWND window) {
    hotPlug_.reset();
    if (!loaded_) {
        return nullptr;
    }
    hotPlug_ = std::make_unique<DemoHotPlug>(*mouse_, file_, window);
    return hotPlug_.get();
}

}  // namespace vandir
