#pragma once
// A mouse whose answers a test holds: the request of one command (2, 7 or 6)
// waits at the gate until the test lets it through, so the test can act while
// a reading or a write is under way, deterministically (reads go by report
// 0xA1, the others by 0xA0; byte 1 is the command). The rest passes
// straight to the backend underneath (a SimulatedMouse).

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/ForwardingHid.h"
#include "device/HidBackend.h"

namespace vandir::testing {

class GatedMouse : public HidBackend {
public:
    explicit GatedMouse(HidBackend& inner) : inner_(inner) {}

    // The next request of command waits at the gate (one at a time).
    void Close(uint8_t command) {
        const std::lock_guard lock(mutex_);
        gatedCommand_ = command;
        open_ = false;
        waiting_ = false;
    }
    // True once a request is waiting at the gate; false after the timeout.
    // Meanwhile this (the user-interface) thread answers what other threads
    // send it, as the program's loop would: an Apply collects the pages so.
    bool WaitUntilHeld(int timeoutMs = 5000) {
        const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
        for (;;) {
            {
                const std::lock_guard lock(mutex_);
                if (waiting_) {
                    return true;
                }
            }
            if (::GetTickCount64() >= deadline) {
                return false;
            }
            ::MsgWaitForMultipleObjectsEx(0, nullptr, 5, QS_SENDMESSAGE, 0);
            MSG msg;
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    void Open() {
        {
            const std::lock_guard lock(mutex_);
            open_ = true;
        }
        changed_.notify_all();
    }

    std::vector<std::string> EnumerateInterfaces() override { return inner_.EnumerateInterfaces(); }
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string* failure) override {
        std::unique_ptr<HidDevice> device = inner_.Open(path, failure);
        if (!device) {
            return nullptr;
        }
        return std::make_unique<Device>(*this, std::move(device));
    }

private:
    class Device : public ForwardingHidDevice {
    public:
        Device(GatedMouse& gate, std::unique_ptr<HidDevice> inner)
            : ForwardingHidDevice(std::move(inner)), gate_(gate) {}
        bool SetFeature(const uint8_t* report, size_t length) override {
            if (length > 1 && (report[0] == 0xA0 || report[0] == 0xA1)) {
                gate_.Pass(report[1]);
            }
            return ForwardingHidDevice::SetFeature(report, length);
        }

    private:
        GatedMouse& gate_;
    };

    // A request of command: waits while the gate is closed for it.
    void Pass(uint8_t command) {
        std::unique_lock lock(mutex_);
        if (open_ || command != gatedCommand_) {
            return;
        }
        waiting_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return open_; });
    }

    HidBackend& inner_;
    std::mutex mutex_;
    std::condition_variable changed_;
    uint8_t gatedCommand_ = 0;
    bool open_ = true;
    bool waiting_ = false;
};

}  // namespace vandir::testing
