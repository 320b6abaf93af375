#include "app/DemoStateSync.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "device/DeviceCommands.h"

namespace vandir {
namespace {

// Whether report is a configuration write whose image the memory now holds:
// the demo's change, which the file must get even when it was the memory
// already.
bool IsStoredWrite(const uint8_t* report, size_t length, const ConfigImage& memory) {
    return report != nullptr && length >= kLongReportLength && report[0] == kReportA0 &&
           report[1] == kCommandWriteConfiguration &&
           std::equal(memory.begin(), memory.end(), report + kPayloadOffset);
}

}  // namespace

DemoStateSync::DemoStateSync(std::shared_ptr<SimulatedMouse> mouse, DemoStateFile file, bool saves)
    : mouse_(std::move(mouse)), file_(std::move(file)), saves_(saves) {}

bool DemoStateSync::SetFeature(HidDevice& device, const uint8_t* report, size_t length) {
    const std::lock_guard lock(mutex_);
    const bool sent = device.SetFeature(report, length);
    if (sent && IsStoredWrite(report, length, mouse_->Memory())) {
        unsaved_ = true;
    }
    SaveUnsavedWrite();
    return sent;
}

void DemoStateSync::SaveWrite() noexcept {
    const std::lock_guard lock(mutex_);
    SaveUnsavedWrite();
}

std::optional<SimulatedMouse::StoredState> DemoStateSync::Look() {
    const std::lock_guard lock(mutex_);
    SaveUnsavedWrite();
    const std::optional<SimulatedMouse::StoredState> stored = file_.Read();
    if (!stored) {
        return std::nullopt;
    }
    if (!unsaved_) {
        mouse_->SetMemory(stored->memory);
        mouse_->SetFirmwareVersion(stored->firmwareVersion);
    }
    mouse_->StayBusyForEachRequest(stored->busyPollsPerRequest);
    mouse_->FailTransfers(stored->transferError);
    return stored;
}

void DemoStateSync::SaveUnsavedWrite() noexcept {
    if (!saves_ || !unsaved_) {
        return;
    }
    try {
        if (file_.SaveMemory(mouse_->GetStoredState()) == SimulatedStateFile::Update::Written) {
            unsaved_ = false;
        }
    } catch (const std::exception&) {
        // Still unsaved: the next request, look or the end tries again.
    }
}

}  // namespace vandir
