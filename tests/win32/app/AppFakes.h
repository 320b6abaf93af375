#pragma once
// Stand-ins for the main window's outside world: one ordered log of what the
// program did to the system, the files and the mouse, written from the
// user-interface thread and the Apply worker alike.

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "device/HidBackend.h"
#include "storage/FileSystem.h"
#include "storage/SystemIntegration.h"

namespace vandir::testing {

class EventLog {
public:
    void Add(std::string event) {
        const std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }
    std::vector<std::string> Events() const {
        const std::lock_guard lock(mutex_);
        return events_;
    }
    void Clear() {
        const std::lock_guard lock(mutex_);
        events_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> events_;
};

// Waits take no time; each is logged.
class LoggingClock : public Clock {
public:
    explicit LoggingClock(EventLog& log) : log_(log) {}
    void Sleep(uint32_t milliseconds) override {
        log_.Add("wait " + std::to_string(milliseconds));
        const std::lock_guard lock(mutex_);
        now_ += milliseconds;
    }
    uint64_t NowMilliseconds() override {
        const std::lock_guard lock(mutex_);
        return now_;
    }

private:
    EventLog& log_;
    std::mutex mutex_;
    uint64_t now_ = 0;
};

class FakeSystem : public SystemIntegration {
public:
    explicit FakeSystem(EventLog& log) : log_(log) {}
    std::u16string ApplicationDataFolder() override { return u"C:\\Users\\Test\\AppData\\Roaming"; }
    void WriteAutostartEntry(const std::u16string&) override { log_.Add("autostart on"); }
    void RemoveAutostartEntry(const std::u16string&) override { log_.Add("autostart off"); }
    void OpenSupportPage(const std::u16string&) override { log_.Add("support page"); }
    // Saved writes log as "double-click 4", session-only ones with " (session)";
    // with a real system given, they reach it too.
    void SetDoubleClickTime(uint8_t step, SettingScope scope) override {
        log_.Add("double-click " + std::to_string(step) + Suffix(scope));
        if (real != nullptr) {
            real->SetDoubleClickTime(step, scope);
        }
    }
    void SetPointerSpeed(uint8_t step, SettingScope scope) override {
        log_.Add("pointer speed " + std::to_string(step) + Suffix(scope));
        if (real != nullptr) {
            real->SetPointerSpeed(step, scope);
        }
    }
    SystemIntegration* real = nullptr;
    // The system pointer speed the page reads; nothing makes the read fail.
    std::optional<uint32_t> PointerSpeed() override { return pointerSpeed; }
    std::optional<uint32_t> pointerSpeed = 10;
    void EnableFullWindowDrag() override { log_.Add("full-window drag"); }

private:
    static std::string Suffix(SettingScope scope) {
        return scope == SettingScope::Session ? " (session)" : "";
    }
    EventLog& log_;
};

class FakeFiles : public FileSystem {
public:
    explicit FakeFiles(EventLog& log) : log_(log) {}
    bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& contents) override {
        const std::lock_guard lock(mutex_);
        const auto it = files.find(path);
        contents = it == files.end() ? std::vector<uint8_t>{} : it->second;
        return it != files.end();
    }
    void EnsureFoldersOf(const std::u16string&) override {}
    // With saveFailure set, every save fails with it as the system's reason.
    bool ReplaceWholeFile(const std::u16string& path, std::span<const uint8_t> bytes,
                          std::u16string* reason = nullptr) override {
        const std::lock_guard lock(mutex_);
        if (saveFailure) {
            log_.Add(IsProfile(path) ? "profile not saved" : "not kept for the mouse");
            if (reason != nullptr) {
                *reason = *saveFailure;
            }
            return false;
        }
        files[path].assign(bytes.begin(), bytes.end());
        log_.Add(IsProfile(path) ? "profile saved" : "kept for the mouse");
        return true;
    }
    // No state file lives here: nothing exists and no folder is made.
    bool Exists(const std::u16string&) override { return false; }
    LockAttempt TryLockFile(const std::u16string&) override { return {}; }
    bool RemoveFile(const std::u16string& path) override {
        const std::lock_guard lock(mutex_);
        files.erase(path);
        return true;
    }
    std::optional<std::u16string> saveFailure;
    std::vector<uint8_t> Contents(const std::u16string& path) {
        const std::lock_guard lock(mutex_);
        return files[path];
    }

    std::map<std::u16string, std::vector<uint8_t>> files;

private:
    // The profile's saves log as such; the record kept for the mouse beside it
    // logs as "kept for the mouse".
    static bool IsProfile(const std::u16string& path) {
        constexpr std::u16string_view kProfileEnd = u".profile";
        return path.size() >= kProfileEnd.size() &&
               std::u16string_view(path).substr(path.size() - kProfileEnd.size()) == kProfileEnd;
    }

    EventLog& log_;
    std::mutex mutex_;
};

}  // namespace vandir::testing
