#pragma once
// The settings owner in a world the test steps by hand: a recording view, a
// simulated mouse that can miss one write, files in memory, and a scheduler
// that runs the mouse work and delivers its results one step at a time, in
// whatever order the test chooses. The owner's waits take no time.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "control/SettingsOwner.h"
#include "control/SettingsView.h"
#include "control/UnsentRecord.h"
#include "core/FakeFileSystem.h"
#include "core/ForwardingHid.h"
#include "core/RecordingClock.h"
#include "device/ConfigImage.h"
#include "device/SimulatedMouse.h"
#include "device/Transport.h"
#include "storage/Profile.h"
#include "storage/SystemIntegration.h"

namespace vandir::testing {

inline constexpr char16_t kOwnerProfilePath[] =
    u"C:\\AppData\\Meridane\\Vandir II\\Profiles\\DefaultPf.profile";

// The configuration image a record gives the mouse.
inline ConfigImage ImageOf(const MouseSettings& record) {
    return PackConfigImage(DeviceConfigFromSettings(record));
}

// The mouse's side of a record: what the pages show of its image.
inline MouseSettings WithImage(MouseSettings record, const ConfigImage& image) {
    ApplyDeviceConfig(UnpackConfigImage(image), record);
    return record;
}

// A backend over the simulated mouse whose next write (report 0xA0, command 6)
// fails with an error that is not retried (FailNextWrite), or is taken but
// answered busy through every poll (BusyOnNextWrite).
class FlakyMouse : public HidBackend {
public:
    explicit FlakyMouse(SimulatedMouse& mouse) : mouse_(mouse) {}
    void FailNextWrite() { failNextWrite_ = true; }
    void BusyOnNextWrite() { busyNextWrite_ = true; }

    std::vector<std::string> EnumerateInterfaces() override { return mouse_.EnumerateInterfaces(); }
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string* failure) override {
        std::unique_ptr<HidDevice> device = mouse_.Open(path, failure);
        return device ? std::make_unique<Device>(*this, std::move(device)) : nullptr;
    }

private:
    class Device : public ForwardingHidDevice {
    public:
        Device(FlakyMouse& owner, std::unique_ptr<HidDevice> inner)
            : ForwardingHidDevice(std::move(inner)), owner_(owner) {}
        bool SetFeature(const uint8_t* report, size_t length) override {
            const bool write = length > 1 && report[0] == 0xA0 && report[1] == 6;
            failed_ = write && std::exchange(owner_.failNextWrite_, false);
            if (failed_) {
                return false;
            }
            const bool taken = inner().SetFeature(report, length);
            if (taken && write && std::exchange(owner_.busyNextWrite_, false)) {
                owner_.mouse_.StayBusyFor(kBusyThroughEveryPoll);
            }
            return taken;
        }
        bool GetFeature(uint8_t* report, size_t length) override {
            failed_ = false;
            return inner().GetFeature(report, length);
        }
        HidError LastError() const override {
            return failed_ ? HidError::Other : ForwardingHidDevice::LastError();
        }

    private:
        FlakyMouse& owner_;
        bool failed_ = false;
    };

    // More busy replies than the transport polls for.
    static constexpr int kBusyThroughEveryPoll = 11;

    SimulatedMouse& mouse_;
    bool failNextWrite_ = false;
    bool busyNextWrite_ = false;
};

class QuietSystem : public SystemIntegration {
public:
    std::u16string ApplicationDataFolder() override { return u"C:\\AppData"; }
    void WriteAutostartEntry(const std::u16string&) override {}
    void RemoveAutostartEntry(const std::u16string&) override {}
    void OpenSupportPage(const std::u16string&) override {}
    void SetDoubleClickTime(uint8_t, SettingScope) override {}
    void SetPointerSpeed(uint8_t, SettingScope) override {}
    std::optional<uint32_t> PointerSpeed() override { return 10; }
    void EnableFullWindowDrag() override {}
};

// The windows as the owner sees them: one set of pages (every page built),
// the main window, the no-device screen, the delays asked for and what the
// person was told.
class RecordingView : public SettingsView {
public:
    MouseSettings pages;
    bool mainShown = true;
    bool screenShown = false;
    uint16_t firmwareVersion = 0;
    int pushes = 0;
    int modalEnds = 0;
    bool noMouseDelayAsked = false;
    bool arrivalDelayAsked = false;
    // Delays the system refuses.
    bool refuseDelays = false;
    std::vector<Notice> told;
    // Runs inside Tell, as the notice's own loop would run other events.
    std::function<void()> whileTelling;

    void PushToPages(const MouseSettings& record) override {
        pages = record;
        ++pushes;
    }
    void CollectPages(MouseSettings& target) override {
        // The pages hold every field but the profile's identity.
        MouseSettings collected = pages;
        collected.profilePath = target.profilePath;
        collected.profileIndex = target.profileIndex;
        collected.profileNumber = target.profileNumber;
        collected.profileName = target.profileName;
        collected.imageLength = target.imageLength;
        target = std::move(collected);
    }
    void RelabelWindows(int) override {}
    void ShowFirmwareVersion(uint16_t version) override { firmwareVersion = version; }
    bool MainWindowShown() override { return mainShown; }
    void ShowMainWindow() override { mainShown = true; }
    void HideMainWindow() override { mainShown = false; }
    bool NoDeviceScreenShown() override { return screenShown; }
    void ShowNoDeviceScreen() override { screenShown = true; }
    void HideNoDeviceScreen() override { screenShown = false; }
    void EndModalDialogs() override { ++modalEnds; }
    bool StartNoMouseDelay() override {
        noMouseDelayAsked = !refuseDelays;
        return !refuseDelays;
    }
    bool StartArrivalDelay() override {
        arrivalDelayAsked = !refuseDelays;
        return !refuseDelays;
    }
    void Tell(const Notice& notice) override {
        told.push_back(notice);
        if (whileTelling) {
            auto once = std::exchange(whileTelling, nullptr);
            once();
        }
    }
};

// Mouse work queued and results posted, run only when the test says.
class SteppedWork : public MouseWork {
public:
    struct Job {
        MouseJob kind;
        std::function<void()> work;
    };
    std::deque<Job> jobs;
    std::deque<std::function<void()>> posts;

    bool Queue(MouseJob kind, std::function<void()> work) override {
        jobs.push_back({kind, std::move(work)});
        return true;
    }
    void PostBack(std::function<void()> function) override { posts.push_back(std::move(function)); }

    MouseJob RunJob() {
        Job job = std::move(jobs.front());
        jobs.pop_front();
        job.work();
        return job.kind;
    }
    void DeliverPost() {
        auto post = std::move(posts.front());
        posts.pop_front();
        post();
    }
    // Everything, in the order the threads would most simply take it.
    void Drain() {
        while (!jobs.empty() || !posts.empty()) {
            if (!jobs.empty()) {
                RunJob();
            } else {
                DeliverPost();
            }
        }
    }
};

// One run of the program (an owner and its windows) over files and a mouse
// that outlive it.
struct OwnerWorld {
    FakeFileSystem files;
    RecordingClock clock;
    SimulatedMouse mouse;
    FlakyMouse flaky{mouse};
    Transport transport{flaky, clock};
    QuietSystem system;
    SteppedWork work;
    RecordingView view;
    std::unique_ptr<SettingsOwner> owner;

    // A profile and a mouse memory before the program starts.
    void SaveProfileBeforeStart(MouseSettings profile) {
        profile.profilePath = kOwnerProfilePath;
        SaveProfile(profile, files);
    }

    // The program starts: the owner loads the profile, the window is built
    // with its record and asks for the start-up reading (not yet run).
    void Start() {
        owner = std::make_unique<SettingsOwner>(
            SettingsOwner::Services{transport, files, system, work}, kOwnerProfilePath);
        view = RecordingView{};
        owner->SetView(view);
        view.pages = owner->record();
        owner->Start();
        owner->ViewReady();
    }

    // "Exit": the owner drops its readings, the window waits for the mouse
    // work and takes its last results; then the process is gone.
    void Exit() {
        owner->Exit();
        work.Drain();
        owner.reset();
        transport.Close();
    }

    // The delays the view started end (after the owner call that asked).
    void FireDelays() {
        if (std::exchange(view.noMouseDelayAsked, false)) {
            owner->NoMouseDelayOver();
        }
        if (std::exchange(view.arrivalDelayAsked, false)) {
            owner->ArrivalSettled();
        }
    }

    void Unplug() {
        mouse.Unplug();
        owner->MouseRemoved();
        FireDelays();
    }
    void Plug() {
        mouse.PlugIn();
        owner->MouseArrived();
        FireDelays();
    }

    std::optional<MouseSettings> Kept() { return LoadUnsentRecord(kOwnerProfilePath, files); }
    MouseSettings Profile() {
        MouseSettings profile = MouseSettings::ForStartup(kOwnerProfilePath);
        LoadProfile(profile, files);
        return profile;
    }
};

}  // namespace vandir::testing
