#include "app/DemoStateFile.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "i18n/Unicode.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace vandir {

DemoStateFile::DemoStateFile(std::u16string path, Clock& clock)
    : path_(std::move(path)), utf8Path_(Utf8FromUtf16(path_)), clock_(&clock) {}

std::optional<SimulatedMouse::StoredState> DemoStateFile::Read() const {
    const UniqueFileHandle file(::CreateFileW(
        AsWide(path_), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    // One byte more than a state file holds, to notice a longer file.
    std::vector<uint8_t> bytes(SimulatedMouse::kStateFileSize + 1);
    DWORD read = 0;
    if (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return std::nullopt;
    }
    bytes.resize(read);
    return SimulatedMouse::DecodeState(bytes);
}

SimulatedMouse::StateFileUpdate DemoStateFile::SaveMemory(
    const SimulatedMouse::StoredState& state) const {
    return SimulatedMouse::UpdateStateFile(
        utf8Path_, state,
        [&state](SimulatedMouse::StoredState& stored) {
            stored.memory = state.memory;
            stored.firmwareVersion = state.firmwareVersion;
        },
        *clock_);
}

SimulatedMouse::StateFileUpdate DemoStateFile::SavePluggedState(
    const SimulatedMouse::StoredState& state) const {
    return SimulatedMouse::UpdateStateFile(
        utf8Path_, state,
        [&state](SimulatedMouse::StoredState& stored) { stored.pluggedIn = state.pluggedIn; },
        *clock_);
}

}  // namespace vandir
