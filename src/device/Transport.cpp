#include "device/Transport.h"

#include <algorithm>
#include <vector>

namespace vandir {
namespace {

constexpr int kRetries = 3;
constexpr uint32_t kRetryWait = 50;
constexpr int kBusyPolls = 10;
constexpr uint32_t kBusyWaitStep = 100;

}  // namespace

Transport::Transport(HidBackend& backend, Clock& clock) : backend_(backend), clock_(clock) {}

int Transport::Discover() {
    const auto lock = Lock();
    device_.reset();
    devicePath_.clear();
    present_ = false;
    for (const std::string& path : backend_.EnumerateInterfaces()) {
        std::unique_ptr<HidDevice> device = backend_.Open(path);
        if (!device) {
            continue;
        }
        uint16_t vendorId = 0;
        uint16_t productId = 0;
        if (!device->ReadIds(vendorId, productId) || vendorId != kVendorId ||
            productId != kProductId) {
            continue;  // the handle closes here
        }
        if (!device->HasTopLevelUsage(kVendorUsagePage, kVendorUsage)) {
            continue;
        }
        device_ = std::move(device);
        devicePath_ = path;
        present_ = true;
        return 1;
    }
    return 0;
}

int Transport::EnsureOpen() {
    const auto lock = Lock();
    return present_ ? 1 : Discover();
}

int Transport::TryEnsureOpen() {
    if (present_) {
        return 1;
    }
    std::unique_lock lock(mutex_, std::try_to_lock);
    return lock.owns_lock() ? Discover() : 0;
}

void Transport::MarkGone() {
    present_ = false;
}

int Transport::Close() {
    const auto lock = Lock();
    present_ = false;
    device_.reset();
    devicePath_.clear();
    return 1;
}

bool Transport::IsPresent() const {
    return present_.load();
}

std::string Transport::DevicePath() const {
    const auto lock = Lock();
    return devicePath_;
}

template <typename Transfer>
bool Transport::RetryFailedTransfer(uint8_t* report, const std::vector<uint8_t>& copy,
                                    Transfer transfer) {
    if (!IsRetryable(device_->LastError())) {
        return false;
    }
    for (int retry = 0; retry < kRetries; ++retry) {
        std::copy(copy.begin(), copy.end(), report);
        if (transfer()) {
            return true;
        }
        clock_.Sleep(kRetryWait);
    }
    return false;
}

int Transport::SendFeature(uint8_t* report, size_t length) {
    const auto lock = Lock();
    if (!device_) {
        return 0;
    }
    const std::vector<uint8_t> copy(report, report + length);
    auto send = [&] { return device_->SetFeature(report, length); };
    return send() || RetryFailedTransfer(report, copy, send) ? 1 : 0;
}

int Transport::FetchFeature(uint8_t* report, size_t length) {
    const auto lock = Lock();
    if (!device_) {
        return 0;
    }
    const std::vector<uint8_t> copy(report, report + length);
    auto fetch = [&] { return device_->GetFeature(report, length); };
    if (!fetch()) {
        // No status test after a retry: the caller reads the status from the buffer.
        return RetryFailedTransfer(report, copy, fetch) ? 1 : 0;
    }
    if (length < 2 || report[1] != kStatusBusy) {
        return 1;
    }
    bool lastSucceeded = true;
    for (int poll = 0; poll < kBusyPolls; ++poll) {
        std::copy(copy.begin(), copy.end(), report);
        lastSucceeded = fetch();
        if (lastSucceeded && report[1] == kStatusDone) {
            return 1;
        }
        if (lastSucceeded && report[1] == kStatusBusy) {
            clock_.Sleep(kBusyWaitStep * static_cast<uint32_t>(poll));
        }
    }
    return lastSucceeded ? 1 : 0;
}

}  // namespace vandir
