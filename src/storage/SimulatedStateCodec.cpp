#include "storage/SimulatedStateCodec.h"

#include <algorithm>
#include <array>

namespace vandir {
namespace {

// Layout: magic, format version, firmware version, memory, from version 2 the
// plugged state, from version 3 the busy polls of each request and the failing
// transfers' error, then the CRC of everything before it.
constexpr std::array<uint8_t, 4> kStateMagic{'V', 'S', 'I', 'M'};
constexpr uint16_t kStateFormatVersion = 3;
constexpr size_t kMemoryOffset = 4 + 2 + 2;
constexpr size_t kPluggedOffset = kMemoryOffset + kConfigImageSize;
constexpr size_t kBusyPollsOffset = kPluggedOffset + 1;
constexpr size_t kTransferErrorOffset = kBusyPollsOffset + 1;
constexpr size_t kVersion1FileSize = kPluggedOffset + 4;
constexpr size_t kVersion2FileSize = kPluggedOffset + 1 + 4;
constexpr size_t kVersion3FileSize = kTransferErrorOffset + 1 + 4;
static_assert(kVersion3FileSize == kSimulatedStateFileSize);
constexpr uint8_t kStoredPluggedIn = 1;
constexpr uint8_t kStoredUnplugged = 0;
// The error byte is the error's place here; the order never changes, as
// files keep it.
constexpr std::array<HidError, 7> kStoredErrors{
    HidError::None,       HidError::NotReady,         HidError::Crc,
    HidError::WriteFault, HidError::InvalidParameter, HidError::FunctionFailed,
    HidError::Other,
};
static_assert(SimulatedMouse::kMaxBusyPollsPerRequest == UINT8_MAX);

uint8_t StoredErrorByte(HidError error) {
    const auto it = std::find(kStoredErrors.begin(), kStoredErrors.end(), error);
    // Every HidError is in the list; one that is not would read back as Other.
    return static_cast<uint8_t>(it == kStoredErrors.end() ? kStoredErrors.size() - 1
                                                          : it - kStoredErrors.begin());
}

// CRC-32 (IEEE 802.3, reflected, as in zip and PNG).
uint32_t Crc32(std::span<const uint8_t> data) {
    uint32_t crc = 0xFFFFFFFFu;
    for (const uint8_t byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutUint16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

uint16_t GetUint16(std::span<const uint8_t> bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

uint32_t GetUint32(std::span<const uint8_t> bytes, size_t offset) {
    return static_cast<uint32_t>(GetUint16(bytes, offset)) |
           (static_cast<uint32_t>(GetUint16(bytes, offset + 2)) << 16);
}

}  // namespace

std::vector<uint8_t> EncodeSimulatedState(const SimulatedMouse::StoredState& stored) {
    std::vector<uint8_t> bytes(kStateMagic.begin(), kStateMagic.end());
    PutUint16(bytes, kStateFormatVersion);
    PutUint16(bytes, stored.firmwareVersion);
    bytes.insert(bytes.end(), stored.memory.begin(), stored.memory.end());
    bytes.push_back(stored.pluggedIn ? kStoredPluggedIn : kStoredUnplugged);
    bytes.push_back(stored.busyPollsPerRequest);
    bytes.push_back(StoredErrorByte(stored.transferError));
    const uint32_t crc = Crc32(bytes);
    PutUint16(bytes, static_cast<uint16_t>(crc & 0xFFFF));
    PutUint16(bytes, static_cast<uint16_t>(crc >> 16));
    return bytes;
}

std::optional<SimulatedMouse::StoredState> DecodeSimulatedState(std::span<const uint8_t> bytes) {
    if (bytes.size() < kMemoryOffset ||
        !std::equal(kStateMagic.begin(), kStateMagic.end(), bytes.begin())) {
        return std::nullopt;
    }
    const uint16_t version = GetUint16(bytes, 4);
    const size_t expectedSize = version == 1   ? kVersion1FileSize
                                : version == 2 ? kVersion2FileSize
                                : version == 3 ? kVersion3FileSize
                                               : 0;
    if (bytes.size() != expectedSize) {
        return std::nullopt;
    }
    const size_t crcOffset = expectedSize - 4;
    if (GetUint32(bytes, crcOffset) != Crc32(bytes.first(crcOffset))) {
        return std::nullopt;
    }
    SimulatedMouse::StoredState stored;
    stored.firmwareVersion = GetUint16(bytes, 6);
    std::copy_n(bytes.begin() + kMemoryOffset, kConfigImageSize, stored.memory.begin());
    if (version >= 2) {
        const uint8_t plugged = bytes[kPluggedOffset];
        if (plugged != kStoredPluggedIn && plugged != kStoredUnplugged) {
            return std::nullopt;
        }
        stored.pluggedIn = plugged == kStoredPluggedIn;
    }
    if (version >= 3) {
        const uint8_t error = bytes[kTransferErrorOffset];
        if (error >= kStoredErrors.size()) {
            return std::nullopt;
        }
        stored.busyPollsPerRequest = bytes[kBusyPollsOffset];
        stored.transferError = kStoredErrors[error];
    }
    return stored;
}

}  // namespace vandir
