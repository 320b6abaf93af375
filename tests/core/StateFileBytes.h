#pragma once
// The state file's check sum written out independently of the code under
// test, to check its files and to seal damaged or older ones.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vandir::testing {

// CRC-32 as zip and PNG compute it.
inline uint32_t Crc32(const std::vector<uint8_t>& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (const uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1u) != 0 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
        }
    }
    return ~crc;
}

inline uint32_t Le32(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

// The file's bytes without their CRC, with a CRC that matches them.
inline std::vector<uint8_t> Sealed(std::vector<uint8_t> bytes) {
    bytes.resize(bytes.size() - 4);
    const uint32_t crc = Crc32(bytes);
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<uint8_t>(crc >> shift));
    }
    return bytes;
}

}  // namespace vandir::testing
