#pragma once
// The three commands of the conversation with the mouse, each a request sent
// with SendFeature and a reply fetched with FetchFeature after a fixed wait,
// and the recognition of the mouse in a device notification's path.
//
// Return codes: 1 done; 2 request not sent (for the configuration read: any
// failure); 0 no reply fetched; any other value the reply's status byte.

#include <array>
#include <cstdint>
#include <string_view>

#include "device/ConfigImage.h"
#include "device/Transport.h"

namespace vandir {

inline constexpr size_t kLongReportLength = 1041;
inline constexpr size_t kShortReportLength = 64;
inline constexpr uint8_t kCommandReadInformation = 2;
inline constexpr uint8_t kCommandWriteConfiguration = 6;
inline constexpr uint8_t kCommandReadConfiguration = 7;
inline constexpr uint32_t kReadInformationWait = 50;
inline constexpr uint32_t kConfigurationWait = 80;
// Offset of the payload (information block, image) in requests and replies.
inline constexpr size_t kPayloadOffset = 16;

using InformationBlock = std::array<uint8_t, 14>;

// Reads the 14-byte information block: 1 filled; 2 not sent; 0 no reply;
// otherwise the reply's status (the block is then untouched).
int ReadInformation(Transport& transport, InformationBlock& block);

// The firmware version number in an information block (bytes 0-1).
uint16_t FirmwareVersion(const InformationBlock& block);

// Reads the configuration image: 1 received and unpacked into config (and,
// when image is given, the image as the mouse sent it); 2 otherwise (nothing
// touched).
int ReadConfiguration(Transport& transport, DeviceConfig& config, ConfigImage* image = nullptr);

// What became of a write, for a caller that tells the whole truth.
struct WriteOutcome {
    bool sent = false;     // the request went out
    bool replied = false;  // a reply was fetched
    uint8_t status = 0;    // the reply's status byte (0 without a reply)
};

// Writes a configuration: 1 when a reply was fetched (its status is not
// tested, as the program has always done); 2 when the request was not sent or
// no reply came. The details go to outcome when it is given.
int WriteConfiguration(Transport& transport, const DeviceConfig& config, uint8_t profileNumber,
                       WriteOutcome* outcome = nullptr);

// Whether a device notification's path names the mouse: it holds "1F2E" (in
// either case) and "002B" or "002b", each after the path's first character.
bool IsVandirDevicePath(std::u16string_view path);

}  // namespace vandir
