#include "device/DeviceCommands.h"

#include <algorithm>
#include <vector>

namespace vandir {
namespace {

// A zero-filled buffer of the given length whose first bytes are given.
std::vector<uint8_t> Report(size_t length, std::initializer_list<uint8_t> head) {
    std::vector<uint8_t> report(length, 0);
    std::copy(head.begin(), head.end(), report.begin());
    return report;
}

// Sends a request, waits, and fetches the reply into a fresh buffer.
// Returns 2 when the request was not sent, 0 when no reply was fetched, and
// 1 when the reply is in the buffer.
int Exchange(Transport& transport, std::vector<uint8_t>& request, uint32_t wait,
             std::vector<uint8_t>& reply) {
    const int sent = transport.SendFeature(request.data(), request.size());
    transport.clock().Sleep(wait);
    if (sent != 1) {
        return 2;
    }
    return transport.FetchFeature(reply.data(), reply.size()) == 1 ? 1 : 0;
}

}  // namespace

int ReadInformation(Transport& transport, InformationBlock& block) {
    const auto lock = transport.Lock();
    std::vector<uint8_t> request = Report(kLongReportLength, {kReportA0, kCommandReadInformation});
    std::vector<uint8_t> reply = Report(kLongReportLength, {kReportA0});
    const int result = Exchange(transport, request, kReadInformationWait, reply);
    if (result != 1) {
        return result;
    }
    if (reply[1] != kStatusDone) {
        return reply[1];
    }
    std::copy_n(reply.begin() + kPayloadOffset, block.size(), block.begin());
    return 1;
}

uint16_t FirmwareVersion(const InformationBlock& block) {
    return static_cast<uint16_t>(block[0] | (block[1] << 8));
}

int ReadConfiguration(Transport& transport, DeviceConfig& config, ConfigImage* received) {
    const auto lock = transport.Lock();
    std::vector<uint8_t> request =
        Report(kShortReportLength, {kReportA1, kCommandReadConfiguration});
    std::vector<uint8_t> reply = Report(kLongReportLength, {kReportA1});
    if (Exchange(transport, request, kConfigurationWait, reply) != 1 || reply[1] != kStatusDone) {
        return 2;
    }
    ConfigImage image;
    std::copy_n(reply.begin() + kPayloadOffset, image.size(), image.begin());
    config = UnpackConfigImage(image);
    if (received != nullptr) {
        *received = image;
    }
    return 1;
}

int WriteConfiguration(Transport& transport, const DeviceConfig& config, uint8_t profileNumber,
                       WriteOutcome* outcome) {
    const auto lock = transport.Lock();
    const ConfigImage image = PackConfigImage(config);
    const uint16_t checksum = ConfigImageChecksum(image);
    std::vector<uint8_t> request =
        Report(kLongReportLength,
               {kReportA0, kCommandWriteConfiguration, 0, static_cast<uint8_t>(checksum),
                static_cast<uint8_t>(checksum >> 8), profileNumber});
    std::copy(image.begin(), image.end(), request.begin() + kPayloadOffset);
    std::vector<uint8_t> reply = Report(kShortReportLength, {kReportA1});
    const int result = Exchange(transport, request, kConfigurationWait, reply);
    if (outcome != nullptr) {
        outcome->sent = result != 2;
        outcome->replied = result == 1;
        outcome->status = result == 1 ? reply[1] : 0;
    }
    return result == 1 ? 1 : 2;
}

bool IsVandirDevicePath(std::u16string_view path) {
    auto foundAfterFirst = [&path](std::u16string_view upper, std::u16string_view lower) {
        for (size_t at = 1; at + upper.size() <= path.size(); ++at) {
            bool match = true;
            for (size_t i = 0; i < upper.size() && match; ++i) {
                match = path[at + i] == upper[i] || path[at + i] == lower[i];
            }
            if (match) {
                return true;
            }
        }
        return false;
    };
    return foundAfterFirst(u"1F2E", u"1f2e") && foundAfterFirst(u"002B", u"002b");
}

}  // namespace vandir
