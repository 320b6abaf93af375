#pragma once
// The feature-report link to the mouse: finds its vendor collection among the
// HID interfaces, keeps at most one open handle, and sends and fetches feature
// reports with the retry and busy-polling rules the device commands rely on.
//
// One instance serves the process. It is used by the user-interface thread and
// by the Apply worker: every operation takes the transport's lock, and a
// device command holds it (Lock) across its request, wait and reply so that
// two commands never interleave. The present flag alone is read without the
// lock (IsPresent), so that a window can ask while a command runs elsewhere.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "device/HidBackend.h"

namespace vandir {

// The supported device.
inline constexpr uint16_t kVendorId = 0x1F2E;
inline constexpr uint16_t kProductId = 0x002B;
inline constexpr uint16_t kVendorUsagePage = 0xFF01;
inline constexpr uint16_t kVendorUsage = 2;

// Report IDs and the reply's status byte.
inline constexpr uint8_t kReportA0 = 0xA0;
inline constexpr uint8_t kReportA1 = 0xA1;
inline constexpr uint8_t kStatusDone = 1;
inline constexpr uint8_t kStatusBusy = 3;

class Transport {
public:
    Transport(HidBackend& backend, Clock& clock);
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    // 1 when an interface matching all four properties was found and kept
    // open (present flag set); 0 when none was, with no handle open. A handle
    // that was open before is replaced.
    int Discover();
    // 1 when the present flag is set (the devices are not touched), else Discover.
    int EnsureOpen();
    // EnsureOpen for a thread that must not wait: 0 at once, without looking,
    // while another thread holds the transport for a command.
    int TryEnsureOpen();
    // Clears the present flag at once, without the lock, when the mouse was
    // pulled out: a command running elsewhere then fails on its own, and the
    // handle goes with the next Close or Discover.
    void MarkGone();
    // Clears the present flag and closes the handle, if any. Always 1.
    int Close();

    // 1 when the transfer succeeded (retrying the five retryable errors up to
    // three times, 50 ms after each failed retry); 0 otherwise, also without
    // a handle. The buffer is restored from a copy before each retry.
    int SendFeature(uint8_t* report, size_t length);
    // 1 when a transfer succeeded (the reply and its status are in the
    // buffer); a busy reply (status 3) is polled up to ten times, waiting
    // 0, 100, ..., 900 ms after each poll that is still busy. 0 when no
    // transfer succeeded.
    int FetchFeature(uint8_t* report, size_t length);

    // The present flag as last set by Discover or Close; never waits for the
    // transport's lock.
    bool IsPresent() const;
    // Path of the interface kept open; empty when none is.
    std::string DevicePath() const;

    Clock& clock() { return clock_; }

    // Holds the transport for a whole request, wait and reply.
    std::unique_lock<std::recursive_mutex> Lock() const {
        return std::unique_lock<std::recursive_mutex>(mutex_);
    }

private:
    // After a failed transfer: when its error is retryable, restores the
    // buffer and transfers again, up to three times, waiting 50 ms after each
    // failed retry. True at the first success.
    template <typename Transfer>
    bool RetryFailedTransfer(uint8_t* report, const std::vector<uint8_t>& copy, Transfer transfer);

    HidBackend& backend_;
    Clock& clock_;
    mutable std::recursive_mutex mutex_;
    std::unique_ptr<HidDevice> device_;
    std::string devicePath_;
    // Written under the lock, read without it.
    std::atomic<bool> present_{false};
};

}  // namespace vandir
