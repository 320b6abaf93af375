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

bool MemorySaved(const DemoStateFile& file, const SimulatedMouse::StoredState& state) noexcept {
    try {
        return file.SaveMemory(state) == SimulatedStateFile::Update::Written;
    } catch (const std::exception&) {
        return false;  // out of memory: not written
    }
}

}  // namespace

DemoStateSync::DemoStateSync(std::shared_ptr<SimulatedMouse> mouse, DemoStateFile file, bool saves,
                             std::optional<bool> pluggedInFile)
    : mouse_(std::move(mouse)),
      file_(std::move(file)),
      saves_(saves),
      pluggedStateUnsaved_(saves),
      pluggedInFile_(pluggedInFile) {}

DemoStateSync::Request DemoStateSync::SetFeature(HidDevice& device, const uint8_t* report,
                                                 size_t length) {
    const std::lock_guard lock(mutex_);
    const ConfigImage before = mouse_->Memory();
    if (!device.SetFeature(report, length)) {
        return Request::Failed;
    }
    if (!saves_ || !IsStoredWrite(report, length, mouse_->Memory())) {
        return Request::Sent;
    }
    if (MemorySaved(file_, mouse_->GetStoredState())) {
        return Request::Sent;
    }
    mouse_->SetMemory(before);
    return Request::NotSaved;
}

bool DemoStateSync::PluggedStateUnsaved() const {
    // Read without the lock, which a request may hold while it waits for the
    // file: the window's thread asks.
    return pluggedStateUnsaved_.load();
}

void DemoStateSync::SavePluggedState() {
    const std::lock_guard lock(mutex_);
    if (!pluggedStateUnsaved_) {
        return;
    }
    // Not fatal when it fails: the watcher then follows what the file says.
    try {
        file_.SavePluggedState(mouse_->GetStoredState(), pluggedInFile_);
    } catch (const std::exception&) {
    }
    pluggedStateUnsaved_ = false;
}

DemoStateSync::Sight DemoStateSync::Look() {
    const std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock() || pluggedStateUnsaved_) {
        return {.busy = true, .stored = std::nullopt};
    }
    const std::optional<SimulatedMouse::StoredState> stored = file_.Read();
    if (!stored) {
        return {};
    }
    mouse_->SetMemory(stored->memory);
    mouse_->SetFirmwareVersion(stored->firmwareVersion);
    mouse_->StayBusyForEachRequest(stored->busyPollsPerRequest);
    mouse_->FailTransfers(stored->transferError);
    return {.busy = false, .stored = stored};
}

}  // namespace vandir
