#pragma once
// The bytes of the simulated mouse's state file, numbers little-endian:
// "VSIM", format version 3 (2 bytes), firmware version (2 bytes), the 128-byte
// memory, the plugged state (1 byte: 1 plugged in, 0 unplugged), the busy
// polls of each request (1 byte), the error every transfer fails with (1 byte:
// 0 none, 1 not ready, 2 CRC, 3 write fault, 4 invalid parameter, 5 function
// failed, 6 other) and a CRC-32 of the 139 bytes before it, 143 bytes in all.
// Older files read with what they lack at its default: version 2 ends after
// the plugged state (141 bytes), version 1 after the memory (140 bytes,
// plugged in). Files are always written in version 3.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/SimulatedMouse.h"

namespace vandir {

inline constexpr size_t kSimulatedStateFileSize = 143;

std::vector<uint8_t> EncodeSimulatedState(const SimulatedMouse::StoredState& state);

// Empty unless the bytes are exactly such a file (any other length, magic,
// version, plugged value or error, or a CRC that does not match).
std::optional<SimulatedMouse::StoredState> DecodeSimulatedState(std::span<const uint8_t> bytes);

}  // namespace vandir
