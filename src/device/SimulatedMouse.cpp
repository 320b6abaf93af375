#include "device/SimulatedMouse.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <set>
#include <utility>

#include "device/DeviceCommands.h"
#include "device/Transport.h"

namespace vandir {

namespace {

struct Interface {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint64_t serial = 0;  // tells a removed and re-added path from the original
};

struct Reply {
    uint8_t reportId = 0;
    uint8_t status = 0;
    std::vector<uint8_t> bytes;  // the whole reply, report ID and status included
};

Reply MakeReply(uint8_t reportId, uint8_t status, size_t length) {
    Reply reply{reportId, status, std::vector<uint8_t>(length, 0)};
    reply.bytes[0] = reportId;
    reply.bytes[1] = status;
    return reply;
}

// The request length a command needs, or 0 for a report ID and command pair
// the firmware does not know.
size_t RequestLength(uint8_t reportId, uint8_t command) {
    if (reportId == kReportA0 && command == kCommandReadInformation) {
        return kLongReportLength;
    }
    if (reportId == kReportA1 && command == kCommandReadConfiguration) {
        return kShortReportLength;
    }
    if (reportId == kReportA0 && command == kCommandWriteConfiguration) {
        return kLongReportLength;
    }
    return 0;
}

bool IsKnownReportId(uint8_t reportId) {
    return reportId == kReportA0 || reportId == kReportA1;
}

uint16_t GetUint16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

}  // namespace

struct SimulatedMouse::State {
    mutable std::mutex mutex;

    bool alive = true;  // false once the SimulatedMouse is destroyed
    bool pluggedIn = true;
    uint64_t plugGeneration = 0;  // counts unplugs; handles of an older one are dead
    uint64_t nextSerial = 0;
    std::vector<Interface> interfaces;
    uint64_t vendorSerial = 0;

    ConfigImage memory{};
    uint16_t firmwareVersion = kDefaultFirmwareVersion;
    bool hasReply = false;
    Reply reply;

    int busyPolls = 0;
    int busyPollsPerRequest = 0;
    std::deque<HidError> queuedErrors;
    HidError transferError = HidError::None;
    bool allOpensFail = false;
    std::set<std::string> failingOpens;

    Counters counters;
    std::vector<uint8_t> lastRequest;

    const Interface* Find(const std::string& path) const {
        const auto it = std::find_if(interfaces.begin(), interfaces.end(),
                                     [&](const Interface& i) { return i.path == path; });
        return it == interfaces.end() ? nullptr : &*it;
    }

    // Called with the lock held.
    void SetPluggedIn(bool plugged) {
        if (pluggedIn && !plugged) {
            ++plugGeneration;
            hasReply = false;
        }
        pluggedIn = plugged;
    }

    bool IsLive(uint64_t serial, uint64_t generation) const {
        return alive && pluggedIn && generation == plugGeneration &&
               std::any_of(interfaces.begin(), interfaces.end(),
                           [&](const Interface& i) { return i.serial == serial; });
    }

    // Carries out a request that passed the length checks.
    void Execute(const uint8_t* request) {
        const uint8_t reportId = request[0];
        const uint8_t command = request[1];
        hasReply = true;
        busyPolls = std::max(busyPolls, busyPollsPerRequest);
        if (RequestLength(reportId, command) == 0) {
            reply = MakeReply(reportId, kStatusUnknownCommand, kShortReportLength);
        } else if (command == kCommandReadInformation) {
            reply = MakeReply(kReportA0, kStatusDone, kLongReportLength);
            reply.bytes[kPayloadOffset] = static_cast<uint8_t>(firmwareVersion & 0xFF);
            reply.bytes[kPayloadOffset + 1] = static_cast<uint8_t>(firmwareVersion >> 8);
        } else if (command == kCommandReadConfiguration) {
            reply = MakeReply(kReportA1, kStatusDone, kLongReportLength);
            std::copy(memory.begin(), memory.end(), reply.bytes.begin() + kPayloadOffset);
        } else {
            ConfigImage image;
            std::copy_n(request + kPayloadOffset, image.size(), image.begin());
            const uint16_t checksum = GetUint16(request + 3);
            const bool matches = checksum == ConfigImageChecksum(image);
            if (matches) {
                memory = image;
            }
            reply = MakeReply(kReportA1, matches ? kStatusDone : kStatusBadChecksum,
                              kShortReportLength);
        }
    }
};

namespace {

class SimulatedDevice : public HidDevice {
public:
    SimulatedDevice(std::shared_ptr<SimulatedMouse::State> state, const Interface& hidInterface,
                    uint64_t generation)
        : state_(std::move(state)), hidInterface_(hidInterface), generation_(generation) {}

    ~SimulatedDevice() override {
        std::lock_guard lock(state_->mutex);
        ++state_->counters.closes;
    }

    bool ReadIds(uint16_t& vendorId, uint16_t& productId) override {
        std::lock_guard lock(state_->mutex);
        if (!state_->IsLive(hidInterface_.serial, generation_)) {
            return false;
        }
        vendorId = hidInterface_.vendorId;
        productId = hidInterface_.productId;
        return true;
    }

    bool ReadTopLevelUsage(uint16_t& usagePage, uint16_t& usage) override {
        std::lock_guard lock(state_->mutex);
        if (!state_->IsLive(hidInterface_.serial, generation_)) {
            return false;
        }
        usagePage = hidInterface_.usagePage;
        usage = hidInterface_.usage;
        return true;
    }

    bool SetFeature(const uint8_t* report, size_t length) override {
        std::lock_guard lock(state_->mutex);
        ++state_->counters.setFeatures;
        if (report != nullptr) {
            state_->lastRequest.assign(report, report + length);
        } else {
            state_->lastRequest.clear();
        }
        if (!Answers()) {
            return Fail(HidError::Other);
        }
        if (const HidError error = TakeTransferError(); error != HidError::None) {
            return Fail(error);
        }
        if (report == nullptr || length < 2 || !IsKnownReportId(report[0])) {
            return Fail(HidError::InvalidParameter);
        }
        if (length < RequestLength(report[0], report[1])) {
            return Fail(HidError::InvalidParameter);
        }
        state_->Execute(report);
        return Succeed();
    }

    bool GetFeature(uint8_t* report, size_t length) override {
        std::lock_guard lock(state_->mutex);
        ++state_->counters.getFeatures;
        if (!Answers()) {
            return Fail(HidError::Other);
        }
        if (const HidError error = TakeTransferError(); error != HidError::None) {
            return Fail(error);
        }
        if (report == nullptr || length < 2 || !IsKnownReportId(report[0])) {
            return Fail(HidError::InvalidParameter);
        }
        std::fill(report + 1, report + length, 0);
        if (state_->busyPolls > 0) {
            --state_->busyPolls;
            if (state_->hasReply) {
                report[0] = state_->reply.reportId;
            }
            report[1] = kStatusBusy;
            return Succeed();
        }
        if (state_->hasReply) {
            const std::vector<uint8_t>& bytes = state_->reply.bytes;
            std::copy_n(bytes.begin(), std::min(length, bytes.size()), report);
        }
        return Succeed();
    }

    HidError LastError() const override {
        std::lock_guard lock(state_->mutex);
        return lastError_;
    }

private:
    // Whether this handle reaches the firmware: a live handle on the vendor
    // collection. Called with the lock held.
    bool Answers() const {
        return state_->IsLive(hidInterface_.serial, generation_) &&
               hidInterface_.serial == state_->vendorSerial;
    }

    // The error this transfer fails with: the next queued one, else the one
    // every transfer fails with; None lets it through.
    HidError TakeTransferError() {
        if (state_->queuedErrors.empty()) {
            return state_->transferError;
        }
        const HidError error = state_->queuedErrors.front();
        state_->queuedErrors.pop_front();
        return error;
    }

    bool Fail(HidError error) {
        lastError_ = error;
        return false;
    }

    bool Succeed() {
        lastError_ = HidError::None;
        return true;
    }

    std::shared_ptr<SimulatedMouse::State> state_;
    const Interface hidInterface_;
    const uint64_t generation_;
    HidError lastError_ = HidError::None;  // guarded by the state's lock
};

}  // namespace

SimulatedMouse::SimulatedMouse() : state_(std::make_shared<State>()) {
    state_->memory = EncodeConfigImage(MouseSettings{});
    state_->vendorSerial = state_->nextSerial++;
    state_->interfaces.push_back(
        {kVendorPath, kVendorId, kProductId, kVendorUsagePage, kVendorUsage, state_->vendorSerial});
}

SimulatedMouse::~SimulatedMouse() {
    std::lock_guard lock(state_->mutex);
    state_->alive = false;
}

std::vector<std::string> SimulatedMouse::EnumerateInterfaces() {
    std::lock_guard lock(state_->mutex);
    ++state_->counters.enumerations;
    std::vector<std::string> paths;
    if (state_->pluggedIn) {
        for (const Interface& i : state_->interfaces) {
            paths.push_back(i.path);
        }
    }
    return paths;
}

std::unique_ptr<HidDevice> SimulatedMouse::Open(const std::string& path, std::string* failure) {
    std::lock_guard lock(state_->mutex);
    ++state_->counters.openAttempts;
    const Interface* hidInterface = state_->pluggedIn ? state_->Find(path) : nullptr;
    const char* reason = nullptr;
    if (hidInterface == nullptr) {
        reason = kNoSuchDevice;
    } else if (state_->allOpensFail || state_->failingOpens.count(path) != 0) {
        reason = kAccessDenied;
    }
    if (reason != nullptr) {
        if (failure != nullptr) {
            *failure = reason;
        }
        return nullptr;
    }
    ++state_->counters.opens;
    return std::make_unique<SimulatedDevice>(state_, *hidInterface, state_->plugGeneration);
}

void SimulatedMouse::AddInterface(const std::string& path, uint16_t vendorId, uint16_t productId,
                                  uint16_t usagePage, uint16_t usage, size_t position) {
    std::lock_guard lock(state_->mutex);
    const Interface added{path, vendorId, productId, usagePage, usage, state_->nextSerial++};
    const size_t at = std::min(position, state_->interfaces.size());
    state_->interfaces.insert(state_->interfaces.begin() + static_cast<std::ptrdiff_t>(at), added);
}

bool SimulatedMouse::RemoveInterface(const std::string& path) {
    std::lock_guard lock(state_->mutex);
    const auto it = std::find_if(state_->interfaces.begin(), state_->interfaces.end(),
                                 [&](const Interface& i) { return i.path == path; });
    if (it == state_->interfaces.end()) {
        return false;
    }
    state_->interfaces.erase(it);
    return true;
}

ConfigImage SimulatedMouse::Memory() const {
    std::lock_guard lock(state_->mutex);
    return state_->memory;
}

void SimulatedMouse::SetMemory(const ConfigImage& image) {
    std::lock_guard lock(state_->mutex);
    state_->memory = image;
}

uint16_t SimulatedMouse::FirmwareVersionNumber() const {
    std::lock_guard lock(state_->mutex);
    return state_->firmwareVersion;
}

void SimulatedMouse::SetFirmwareVersion(uint16_t version) {
    std::lock_guard lock(state_->mutex);
    state_->firmwareVersion = version;
}

SimulatedMouse::StoredState SimulatedMouse::GetStoredState() const {
    std::lock_guard lock(state_->mutex);
    return {state_->firmwareVersion, state_->memory, state_->pluggedIn,
            static_cast<uint8_t>(state_->busyPollsPerRequest), state_->transferError};
}

void SimulatedMouse::RestoreStoredState(const StoredState& stored) {
    std::lock_guard lock(state_->mutex);
    state_->firmwareVersion = stored.firmwareVersion;
    state_->memory = stored.memory;
    state_->SetPluggedIn(stored.pluggedIn);
    state_->busyPollsPerRequest = stored.busyPollsPerRequest;
    state_->transferError = stored.transferError;
}

void SimulatedMouse::StayBusyFor(int polls) {
    std::lock_guard lock(state_->mutex);
    state_->busyPolls = std::max(polls, 0);
}

void SimulatedMouse::StayBusyForEachRequest(int polls) {
    std::lock_guard lock(state_->mutex);
    state_->busyPollsPerRequest = std::clamp(polls, 0, kMaxBusyPollsPerRequest);
}

void SimulatedMouse::FailTransfers(HidError error) {
    std::lock_guard lock(state_->mutex);
    state_->transferError = error;
}

void SimulatedMouse::QueueTransferErrors(const std::vector<HidError>& errors) {
    std::lock_guard lock(state_->mutex);
    state_->queuedErrors.insert(state_->queuedErrors.end(), errors.begin(), errors.end());
}

void SimulatedMouse::SetOpenFails(const std::string& path, bool fail) {
    std::lock_guard lock(state_->mutex);
    if (fail) {
        state_->failingOpens.insert(path);
    } else {
        state_->failingOpens.erase(path);
    }
}

void SimulatedMouse::SetOpenFails(bool fail) {
    std::lock_guard lock(state_->mutex);
    state_->allOpensFail = fail;
}

void SimulatedMouse::Unplug() {
    std::lock_guard lock(state_->mutex);
    state_->SetPluggedIn(false);
}

void SimulatedMouse::PlugIn() {
    std::lock_guard lock(state_->mutex);
    state_->SetPluggedIn(true);
}

bool SimulatedMouse::IsPluggedIn() const {
    std::lock_guard lock(state_->mutex);
    return state_->pluggedIn;
}

SimulatedMouse::Counters SimulatedMouse::GetCounters() const {
    std::lock_guard lock(state_->mutex);
    return state_->counters;
}

void SimulatedMouse::ResetCounters() {
    std::lock_guard lock(state_->mutex);
    state_->counters = Counters{};
}

std::vector<uint8_t> SimulatedMouse::LastRequest() const {
    std::lock_guard lock(state_->mutex);
    return state_->lastRequest;
}

}  // namespace vandir
