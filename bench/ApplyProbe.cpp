// The Apply sequence that the program's worker runs, timed in-process over the
// simulated mouse with the real clock, the real system settings and a real
// profile file, against the waits the sequence asked the clock for (measured
// in the same runs, so the reference is what the mouse's protocol mandates
// for these replies). Each part is timed on its own: the system settings, the
// start-at-login entry, the profile save, and the device write with its wait.
// The system settings and the start-at-login entry are put back afterwards.
//
//   bench_apply.exe [N]     N Applies (10 by default); one result line

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <filesystem>
#include <system_error>

#include "Measure.h"
#include "SettingsKeeper.h"
#include "base/Clock.h"
#include "control/DeviceSequences.h"
#include "device/SimulatedMouse.h"
#include "device/Transport.h"
#include "model/MouseSettings.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemIntegration.h"

namespace {

using namespace vandir;
using vandir::bench::Now;

// Microseconds spent in the calls made through it, added up.
struct Stopwatch {
    int64_t ticks = 0;
    template <typename Call>
    auto Time(Call call) {
        const int64_t start = Now();
        struct Adder {
            Stopwatch& watch;
            int64_t start;
            ~Adder() { watch.ticks += Now() - start; }
        } adder{*this, start};
        return call();
    }
};

// The real clock, counting the waits asked of it.
class CountingClock : public Clock {
public:
    void Sleep(uint32_t milliseconds) override {
        askedMs += milliseconds;
        real_.Sleep(milliseconds);
    }
    uint64_t NowMilliseconds() override { return real_.NowMilliseconds(); }
    uint64_t askedMs = 0;

private:
    SystemClock real_;
};

class TimedSystem : public Win32SystemIntegration {
public:
    void SetDoubleClickTime(uint8_t speed, SettingScope scope) override {
        settings.Time([&] { Win32SystemIntegration::SetDoubleClickTime(speed, scope); });
    }
    void SetPointerSpeed(uint8_t speed, SettingScope scope) override {
        settings.Time([&] { Win32SystemIntegration::SetPointerSpeed(speed, scope); });
    }
    void WriteAutostartEntry(const std::u16string& name) override {
        autostart.Time([&] { Win32SystemIntegration::WriteAutostartEntry(name); });
    }
    void RemoveAutostartEntry(const std::u16string& name) override {
        autostart.Time([&] { Win32SystemIntegration::RemoveAutostartEntry(name); });
    }
    Stopwatch settings;
    Stopwatch autostart;
};

class TimedFiles : public Win32FileSystem {
public:
    bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& contents) override {
        return watch.Time([&] { return Win32FileSystem::ReadWholeFile(path, contents); });
    }
    void EnsureFoldersOf(const std::u16string& path) override {
        watch.Time([&] { Win32FileSystem::EnsureFoldersOf(path); });
    }
    bool ReplaceWholeFile(const std::u16string& path, std::span<const uint8_t> bytes,
                          std::u16string* reason = nullptr) override {
        return watch.Time([&] { return Win32FileSystem::ReplaceWholeFile(path, bytes, reason); });
    }
    Stopwatch watch;
};

int64_t Microseconds(int64_t ticks) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return ticks * 1000000 / frequency.QuadPart;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int applies = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10;
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    const std::filesystem::path folder =
        std::filesystem::path(temp) /
        (L"vandir-bench-apply-" + std::to_wstring(::GetCurrentProcessId()));
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);

    int64_t wall = 0;
    int64_t askedMs = 0;
    TimedSystem system;
    TimedFiles files;
    {
        const bench::SettingsKeeper keeper;
        SimulatedMouse mouse;
        CountingClock clock;
        Transport transport(mouse, clock);
        if (transport.Discover() != 1) {
            return 1;
        }
        MouseSettings record =
            MouseSettings::ForStartup(FromWide((folder / L"Vandir II.cfg").wstring()));
        record.autoStart = 1;
        for (int i = 0; i < applies; ++i) {
            // Another polling rate each time, as a user's change would be.
            record.reportRate = i % 2 == 0 ? 8 : 1;
            const int64_t start = Now();
            ApplyRecord(record, transport, system, files);
            wall += Now() - start;
        }
        askedMs = static_cast<int64_t>(clock.askedMs);
    }
    std::filesystem::remove_all(folder, ignored);

    const int64_t wallUs = Microseconds(wall);
    const int64_t settingsUs = Microseconds(system.settings.ticks);
    const int64_t autostartUs = Microseconds(system.autostart.ticks);
    const int64_t profileUs = Microseconds(files.watch.ticks);
    bench::ResultLine result;
    result.Add("applies", applies);
    result.Add("wall_us", wallUs);
    result.Add("waits_us", askedMs * 1000);
    result.Add("settings_us", settingsUs);
    result.Add("autostart_us", autostartUs);
    result.Add("profile_us", profileUs);
    result.Add("device_us", wallUs - settingsUs - autostartUs - profileUs);
    return result.Write() ? 0 : 2;
}
