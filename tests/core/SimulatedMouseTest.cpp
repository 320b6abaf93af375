#include "device/SimulatedMouse.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/RecordingClock.h"
#include "device/DeviceCommands.h"
#include "device/Transport.h"

namespace vandir {
namespace {

using Bytes = std::vector<uint8_t>;
using StoredState = SimulatedMouse::StoredState;

constexpr const char* kVendor = SimulatedMouse::kVendorPath;

Bytes Request(uint8_t reportId, uint8_t command, size_t length) {
    Bytes request(length, 0);
    request[0] = reportId;
    if (length > 1) {
        request[1] = command;
    }
    return request;
}

Bytes ReadInformationRequest() {
    return Request(kReportA0, kCommandReadInformation, kLongReportLength);
}

Bytes ReadConfigurationRequest() {
    return Request(kReportA1, kCommandReadConfiguration, kShortReportLength);
}

Bytes WriteRequest(const ConfigImage& image, uint16_t checksum, uint8_t profile) {
    Bytes request = Request(kReportA0, kCommandWriteConfiguration, kLongReportLength);
    request[3] = static_cast<uint8_t>(checksum & 0xFF);
    request[4] = static_cast<uint8_t>(checksum >> 8);
    request[5] = profile;
    std::copy(image.begin(), image.end(), request.begin() + 16);
    return request;
}

// A reply as the firmware builds it: report ID, status, the payload at byte 16.
Bytes Reply(uint8_t reportId, uint8_t status, size_t length, const Bytes& payload = {}) {
    Bytes reply(length, 0);
    reply[0] = reportId;
    reply[1] = status;
    std::copy(payload.begin(), payload.end(), reply.begin() + 16);
    return reply;
}

// An image unlike the factory one in every byte.
ConfigImage Pattern() {
    ConfigImage image;
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(0x80 + i * 7);
    }
    return image;
}

Bytes ToBytes(const ConfigImage& image) {
    return {image.begin(), image.end()};
}

bool Send(HidDevice& device, const Bytes& request) {
    return device.SetFeature(request.data(), request.size());
}

// Fetches into a zeroed buffer with the report ID set, as the transport does.
Bytes Fetch(HidDevice& device, uint8_t reportId, size_t length) {
    Bytes reply(length, 0);
    reply[0] = reportId;
    EXPECT_TRUE(device.GetFeature(reply.data(), reply.size()));
    return reply;
}

std::unique_ptr<HidDevice> OpenVendor(SimulatedMouse& mouse) {
    std::unique_ptr<HidDevice> device = mouse.Open(kVendor);
    EXPECT_NE(device, nullptr);
    return device;
}

// ---------------------------------------------------------------------------
// Interfaces

TEST(SimulatedMouseInterfaces, VendorCollectionAloneAtFirst) {
    SimulatedMouse mouse;
    EXPECT_EQ(mouse.EnumerateInterfaces(), std::vector<std::string>{kVendor});
    const auto device = OpenVendor(mouse);
    uint16_t vendorId = 0, productId = 0, usagePage = 0, usage = 0;
    ASSERT_TRUE(device->ReadIds(vendorId, productId));
    ASSERT_TRUE(device->ReadTopLevelUsage(usagePage, usage));
    EXPECT_EQ(vendorId, 0x1F2E);
    EXPECT_EQ(productId, 0x002B);
    EXPECT_EQ(usagePage, 0xFF01);
    EXPECT_EQ(usage, 2);
}

TEST(SimulatedMouseInterfaces, ExtraInterfacesTakeTheirPlaceAndNeverAnswer) {
    struct Expected {
        std::string path;
        uint16_t vendorId, productId, usagePage, usage;
        bool answers;
    };
    SimulatedMouse mouse;
    mouse.AddInterface("sim://vandir-ii/keyboard", 0x1F2E, 0x002B, 0xFF00, 2, 0);
    mouse.AddInterface("sim://other-mouse", 0x1F2E, 0x002C, 0xFF01, 2);
    mouse.AddInterface("sim://vandir-ii/mouse", 0x1F2E, 0x002B, 0x0001, 2, 1);
    mouse.AddInterface("sim://twin", 0x1F2E, 0x002B, 0xFF01, 2, 99);
    const std::vector<Expected> expected = {
        {"sim://vandir-ii/keyboard", 0x1F2E, 0x002B, 0xFF00, 2, false},
        {"sim://vandir-ii/mouse", 0x1F2E, 0x002B, 0x0001, 2, false},
        {kVendor, 0x1F2E, 0x002B, 0xFF01, 2, true},
        {"sim://other-mouse", 0x1F2E, 0x002C, 0xFF01, 2, false},
        {"sim://twin", 0x1F2E, 0x002B, 0xFF01, 2, false},
    };

    std::vector<std::string> paths;
    for (const Expected& e : expected) {
        paths.push_back(e.path);
    }
    EXPECT_EQ(mouse.EnumerateInterfaces(), paths);

    for (const Expected& e : expected) {
        SCOPED_TRACE(e.path);
        const auto device = mouse.Open(e.path);
        ASSERT_NE(device, nullptr);
        uint16_t vendorId = 0, productId = 0, usagePage = 0, usage = 0;
        ASSERT_TRUE(device->ReadIds(vendorId, productId));
        ASSERT_TRUE(device->ReadTopLevelUsage(usagePage, usage));
        EXPECT_EQ(vendorId, e.vendorId);
        EXPECT_EQ(productId, e.productId);
        EXPECT_EQ(usagePage, e.usagePage);
        EXPECT_EQ(usage, e.usage);

        EXPECT_EQ(Send(*device, ReadInformationRequest()), e.answers);
        Bytes reply = Request(kReportA0, 0, kLongReportLength);
        EXPECT_EQ(device->GetFeature(reply.data(), reply.size()), e.answers);
        EXPECT_EQ(device->LastError(), e.answers ? HidError::None : HidError::Other);
    }
}

TEST(SimulatedMouseInterfaces, RemovedInterfaceIsGoneAndItsHandlesFail) {
    SimulatedMouse mouse;
    mouse.AddInterface("sim://vandir-ii/keyboard", 0x1F2E, 0x002B, 0xFF00, 1);
    const auto device = OpenVendor(mouse);

    EXPECT_TRUE(mouse.RemoveInterface(kVendor));
    EXPECT_FALSE(mouse.RemoveInterface(kVendor));
    EXPECT_EQ(mouse.EnumerateInterfaces(), std::vector<std::string>{"sim://vandir-ii/keyboard"});
    std::string failure;
    EXPECT_EQ(mouse.Open(kVendor, &failure), nullptr);
    EXPECT_EQ(failure, SimulatedMouse::kNoSuchDevice);
    uint16_t a = 0, b = 0;
    EXPECT_FALSE(device->ReadIds(a, b));
    EXPECT_FALSE(Send(*device, ReadInformationRequest()));
    EXPECT_EQ(device->LastError(), HidError::Other);
}

// ---------------------------------------------------------------------------
// Requests and replies

TEST(SimulatedMouseRequests, FactoryMemoryIsTheDefaultRecordsImage) {
    SimulatedMouse mouse;
    EXPECT_EQ(mouse.Memory(), EncodeConfigImage(MouseSettings{}));
    EXPECT_EQ(ConfigImageChecksum(mouse.Memory()), 0x0C1D);
    EXPECT_EQ(mouse.FirmwareVersionNumber(), 105);
}

TEST(SimulatedMouseRequests, ReadInformationRepliesTheFirmwareVersion) {
    struct Case {
        uint16_t version;
        uint8_t low, high;
    };
    for (const Case c : {Case{105, 0x69, 0x00}, Case{0x1234, 0x34, 0x12}, Case{0, 0, 0}}) {
        SCOPED_TRACE(c.version);
        SimulatedMouse mouse;
        if (c.version != 105) {
            mouse.SetFirmwareVersion(c.version);
        }
        const auto device = OpenVendor(mouse);
        ASSERT_TRUE(Send(*device, ReadInformationRequest()));
        const Bytes expected = Reply(kReportA0, 1, 1041, {c.low, c.high});
        EXPECT_EQ(Fetch(*device, kReportA0, 1041), expected);
        EXPECT_EQ(Fetch(*device, kReportA0, 1041), expected) << "the reply stays pending";
    }
}

TEST(SimulatedMouseRequests, ReadConfigurationRepliesTheMemory) {
    SimulatedMouse mouse;
    mouse.SetMemory(Pattern());
    const auto device = OpenVendor(mouse);
    ASSERT_TRUE(Send(*device, ReadConfigurationRequest()));
    EXPECT_EQ(Fetch(*device, kReportA1, 1041), Reply(kReportA1, 1, 1041, ToBytes(Pattern())));
}

TEST(SimulatedMouseRequests, WriteWithMatchingChecksumStoresTheImage) {
    SimulatedMouse mouse;
    const auto device = OpenVendor(mouse);
    ASSERT_TRUE(Send(*device, WriteRequest(Pattern(), ConfigImageChecksum(Pattern()), 0x80)));
    EXPECT_EQ(Fetch(*device, kReportA1, 64), Reply(kReportA1, 1, 64));
    EXPECT_EQ(mouse.Memory(), Pattern());

    ASSERT_TRUE(Send(*device, ReadConfigurationRequest()));
    EXPECT_EQ(Fetch(*device, kReportA1, 1041), Reply(kReportA1, 1, 1041, ToBytes(Pattern())));
}

TEST(SimulatedMouseRequests, WriteWithWrongChecksumIsRefused) {
    const uint16_t sum = ConfigImageChecksum(Pattern());
    const uint16_t swapped = static_cast<uint16_t>((sum >> 8) | (sum << 8));
    ASSERT_NE(sum, swapped);
    for (const uint16_t checksum : {static_cast<uint16_t>(sum + 1),
                                    static_cast<uint16_t>(sum ^ 0x0100), swapped, uint16_t{0}}) {
        SCOPED_TRACE(checksum);
        SimulatedMouse mouse;
        const ConfigImage factory = mouse.Memory();
        const auto device = OpenVendor(mouse);
        ASSERT_TRUE(Send(*device, WriteRequest(Pattern(), checksum, 0x80)));
        EXPECT_EQ(Fetch(*device, kReportA1, 64),
                  Reply(kReportA1, SimulatedMouse::kStatusBadChecksum, 64));
        EXPECT_EQ(mouse.Memory(), factory);
    }
}

TEST(SimulatedMouseRequests, UnknownCommandsReplyTheirOwnStatus) {
    struct Case {
        uint8_t reportId, command;
        size_t length;
    };
    const Case cases[] = {
        {kReportA0, kCommandReadConfiguration, 1041},  // commands under the other report ID
        {kReportA1, kCommandReadInformation, 1041},
        {kReportA1, kCommandWriteConfiguration, 1041},
        {kReportA0, 0, 64},
        {kReportA0, 9, 1041},
        {kReportA1, 0xFF, 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int{c.reportId} << " " << int{c.command});
        SimulatedMouse mouse;
        const auto device = OpenVendor(mouse);
        ASSERT_TRUE(Send(*device, Request(c.reportId, c.command, c.length)));
        EXPECT_EQ(Fetch(*device, c.reportId, 64),
                  Reply(c.reportId, SimulatedMouse::kStatusUnknownCommand, 64));
        EXPECT_EQ(mouse.Memory(), EncodeConfigImage(MouseSettings{}));
    }
}

TEST(SimulatedMouseRequests, MalformedRequestsFailAndKeepThePendingReply) {
    Bytes shortWrite = WriteRequest(Pattern(), ConfigImageChecksum(Pattern()), 0);
    shortWrite.resize(144);
    const Bytes cases[] = {
        Request(0xA2, kCommandReadInformation, 1041),
        Request(0x00, kCommandReadInformation, 1041),
        Request(kReportA0, kCommandReadInformation, 1040),
        Request(kReportA1, kCommandReadConfiguration, 63),
        shortWrite,
        Request(kReportA0, 0, 1),
    };
    for (const Bytes& request : cases) {
        SCOPED_TRACE(::testing::Message() << int{request[0]} << " length " << request.size());
        SimulatedMouse mouse;
        mouse.SetFirmwareVersion(0x0203);
        const auto device = OpenVendor(mouse);
        ASSERT_TRUE(Send(*device, ReadInformationRequest()));

        EXPECT_FALSE(Send(*device, request));
        EXPECT_EQ(device->LastError(), HidError::InvalidParameter);
        EXPECT_EQ(Fetch(*device, kReportA0, 1041), Reply(kReportA0, 1, 1041, {0x03, 0x02}));
        EXPECT_EQ(mouse.Memory(), EncodeConfigImage(MouseSettings{}));
    }
}

TEST(SimulatedMouseRequests, LongerRequestsAreAccepted) {
    SimulatedMouse mouse;
    const auto device = OpenVendor(mouse);
    ASSERT_TRUE(Send(*device, Request(kReportA1, kCommandReadConfiguration, 1041)));
    EXPECT_EQ(Fetch(*device, kReportA1, 1041)[1], kStatusDone);
}

TEST(SimulatedMouseReplies, FetchTruncatesToTheBufferAndZeroFillsBeyondTheReply) {
    SimulatedMouse mouse;
    mouse.SetMemory(Pattern());
    const auto device = OpenVendor(mouse);

    ASSERT_TRUE(Send(*device, ReadConfigurationRequest()));
    const Bytes full = Reply(kReportA1, 1, 1041, ToBytes(Pattern()));
    EXPECT_EQ(Fetch(*device, kReportA1, 64), Bytes(full.begin(), full.begin() + 64));

    ASSERT_TRUE(Send(*device, WriteRequest(Pattern(), ConfigImageChecksum(Pattern()), 0)));
    Bytes reply(1041, 0xEE);
    reply[0] = kReportA1;
    ASSERT_TRUE(device->GetFeature(reply.data(), reply.size()));
    EXPECT_EQ(reply, Reply(kReportA1, 1, 1041));
}

TEST(SimulatedMouseReplies, WithoutARequestTheStatusIsZero) {
    SimulatedMouse mouse;
    const auto device = OpenVendor(mouse);
    for (const uint8_t reportId : {kReportA0, kReportA1}) {
        Bytes reply(64, 0xEE);
        reply[0] = reportId;
        ASSERT_TRUE(device->GetFeature(reply.data(), reply.size()));
        EXPECT_EQ(reply, Reply(reportId, 0, 64));
    }
}

TEST(SimulatedMouseReplies, FetchWithAnUnknownReportIdOrNoRoomFails) {
    SimulatedMouse mouse;
    const auto device = OpenVendor(mouse);
    ASSERT_TRUE(Send(*device, ReadInformationRequest()));
    for (const Bytes& buffer : {Request(0x05, 0, 64), Request(kReportA0, 0, 1)}) {
        Bytes reply = buffer;
        EXPECT_FALSE(device->GetFeature(reply.data(), reply.size()));
        EXPECT_EQ(device->LastError(), HidError::InvalidParameter);
        EXPECT_EQ(reply, buffer);
    }
}

// ---------------------------------------------------------------------------
// Scripting

TEST(SimulatedMouseScripting, BusyPollsComeBeforeTheReply) {
    SimulatedMouse mouse;
    mouse.SetMemory(Pattern());
    mouse.StayBusyFor(2);
    const auto device = OpenVendor(mouse);
    ASSERT_TRUE(Send(*device, ReadConfigurationRequest()));
    EXPECT_EQ(Fetch(*device, kReportA1, 1041), Reply(kReportA1, kStatusBusy, 1041));
    EXPECT_EQ(Fetch(*device, kReportA1, 1041), Reply(kReportA1, kStatusBusy, 1041));
    const Bytes expected = Reply(kReportA1, 1, 1041, ToBytes(Pattern()));
    EXPECT_EQ(Fetch(*device, kReportA1, 1041), expected);
    EXPECT_EQ(Fetch(*device, kReportA1, 1041), expected);
}

TEST(SimulatedMouseScripting, QueuedErrorsFailTransfersInEitherDirection) {
    SimulatedMouse mouse;
    mouse.SetMemory(Pattern());
    const auto device = OpenVendor(mouse);
    ASSERT_TRUE(Send(*device, ReadConfigurationRequest()));
    mouse.StayBusyFor(1);
    mouse.QueueTransferErrors({HidError::NotReady, HidError::Crc});
    mouse.QueueTransferErrors({HidError::None, HidError::WriteFault});

    // NotReady: the information request is not taken.
    EXPECT_FALSE(Send(*device, ReadInformationRequest()));
    EXPECT_EQ(device->LastError(), HidError::NotReady);
    // Crc: the buffer, the busy poll and the pending reply are left alone.
    Bytes untouched(1041, 0x5A);
    untouched[0] = kReportA1;
    Bytes reply = untouched;
    EXPECT_FALSE(device->GetFeature(reply.data(), reply.size()));
    EXPECT_EQ(device->LastError(), HidError::Crc);
    EXPECT_EQ(reply, untouched);
    // None: goes through (busy), then WriteFault.
    EXPECT_EQ(Fetch(*device, kReportA1, 1041), Reply(kReportA1, kStatusBusy, 1041));
    reply = untouched;
    EXPECT_FALSE(device->GetFeature(reply.data(), reply.size()));
    EXPECT_EQ(device->LastError(), HidError::WriteFault);
    // The queue is empty: the configuration reply is still the pending one.
    EXPECT_EQ(Fetch(*device, kReportA1, 1041), Reply(kReportA1, 1, 1041, ToBytes(Pattern())));
    EXPECT_EQ(device->LastError(), HidError::None);
}

TEST(SimulatedMouseScripting, ASlowMouseIsBusyBeforeEveryReply) {
    SimulatedMouse mouse;
    mouse.SetMemory(Pattern());
    mouse.StayBusyForEachRequest(2);
    const auto device = OpenVendor(mouse);
    const Bytes configuration = Reply(kReportA1, 1, 1041, ToBytes(Pattern()));
    for (int request = 0; request < 2; ++request) {
        SCOPED_TRACE(request);
        ASSERT_TRUE(Send(*device, ReadConfigurationRequest()));
        EXPECT_EQ(Fetch(*device, kReportA1, 1041), Reply(kReportA1, kStatusBusy, 1041));
        EXPECT_EQ(Fetch(*device, kReportA1, 1041), Reply(kReportA1, kStatusBusy, 1041));
        EXPECT_EQ(Fetch(*device, kReportA1, 1041), configuration);
    }
    // A one-off wait longer than the slow mouse's is not cut short.
    mouse.StayBusyFor(3);
    ASSERT_TRUE(Send(*device, ReadConfigurationRequest()));
    for (int poll = 0; poll < 3; ++poll) {
        EXPECT_EQ(Fetch(*device, kReportA1, 1041), Reply(kReportA1, kStatusBusy, 1041)) << poll;
    }
    EXPECT_EQ(Fetch(*device, kReportA1, 1041), configuration);

    mouse.StayBusyForEachRequest(0);
    ASSERT_TRUE(Send(*device, ReadConfigurationRequest()));
    EXPECT_EQ(Fetch(*device, kReportA1, 1041), configuration);

    // Beyond the range: the nearest bound.
    mouse.StayBusyForEachRequest(-1);
    EXPECT_EQ(mouse.GetStoredState().busyPollsPerRequest, 0);
    mouse.StayBusyForEachRequest(1000);
    EXPECT_EQ(mouse.GetStoredState().busyPollsPerRequest, 255);
}

TEST(SimulatedMouseScripting, ASlowMouseThroughTheTransport) {
    // The first fetch and ten polls: up to ten busy replies are outwaited.
    struct Case {
        int polls;
        int result;
        std::vector<uint32_t> waits;
    };
    const std::vector<Case> cases = {
        {0, 1, {50}},
        {1, 1, {50}},
        {3, 1, {50, 0, 100}},
        {10, 1, {50, 0, 100, 200, 300, 400, 500, 600, 700, 800}},
        {11, kStatusBusy, {50, 0, 100, 200, 300, 400, 500, 600, 700, 800, 900}},
        {255, kStatusBusy, {50, 0, 100, 200, 300, 400, 500, 600, 700, 800, 900}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.polls);
        SimulatedMouse mouse;
        mouse.StayBusyForEachRequest(c.polls);
        testing::RecordingClock clock;
        Transport transport(mouse, clock);
        ASSERT_EQ(transport.Discover(), 1);
        InformationBlock block{};
        EXPECT_EQ(ReadInformation(transport, block), c.result);
        EXPECT_EQ(clock.waits, c.waits);
    }
}

TEST(SimulatedMouseScripting, AFailingMouseFailsEveryTransferUntilToldOtherwise) {
    struct Case {
        HidError error;
        int transfers;  // of the request, retries included
        std::vector<uint32_t> waits;
    };
    const std::vector<Case> cases = {
        {HidError::NotReady, 4, {50, 50, 50, 50}},
        {HidError::Crc, 4, {50, 50, 50, 50}},
        {HidError::WriteFault, 4, {50, 50, 50, 50}},
        {HidError::InvalidParameter, 4, {50, 50, 50, 50}},
        {HidError::FunctionFailed, 4, {50, 50, 50, 50}},
        {HidError::Other, 1, {50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.error));
        SimulatedMouse mouse;
        testing::RecordingClock clock;
        Transport transport(mouse, clock);
        ASSERT_EQ(transport.Discover(), 1);
        mouse.FailTransfers(c.error);
        EXPECT_EQ(mouse.GetStoredState().transferError, c.error);

        InformationBlock block{};
        EXPECT_EQ(ReadInformation(transport, block), 2) << "not sent";
        EXPECT_EQ(mouse.GetCounters().setFeatures, c.transfers);
        EXPECT_EQ(clock.waits, c.waits);
        const auto device = OpenVendor(mouse);
        Bytes reply = Request(kReportA0, 0, 1041);
        EXPECT_FALSE(device->GetFeature(reply.data(), reply.size()));
        EXPECT_EQ(device->LastError(), c.error);

        // A queued error comes first, even one that lets a transfer through.
        mouse.QueueTransferErrors({HidError::None});
        EXPECT_TRUE(Send(*device, ReadInformationRequest()));
        EXPECT_FALSE(Send(*device, ReadInformationRequest()));

        mouse.FailTransfers(HidError::None);
        clock.waits.clear();
        EXPECT_EQ(ReadInformation(transport, block), 1);
        EXPECT_EQ(clock.waits, std::vector<uint32_t>{50});
    }
}

TEST(SimulatedMouseScripting, FailingOpens) {
    SimulatedMouse mouse;
    mouse.AddInterface("sim://vandir-ii/keyboard", 0x1F2E, 0x002B, 0xFF00, 1);
    std::string failure;

    mouse.SetOpenFails(kVendor, true);
    EXPECT_EQ(mouse.Open(kVendor, &failure), nullptr);
    EXPECT_EQ(failure, SimulatedMouse::kAccessDenied);
    EXPECT_EQ(mouse.Open(kVendor), nullptr) << "the reason is optional";
    EXPECT_NE(mouse.Open("sim://vandir-ii/keyboard"), nullptr);
    mouse.SetOpenFails(kVendor, false);
    EXPECT_NE(mouse.Open(kVendor), nullptr);

    mouse.SetOpenFails(true);
    for (const std::string& path : mouse.EnumerateInterfaces()) {
        failure.clear();
        EXPECT_EQ(mouse.Open(path, &failure), nullptr) << path;
        EXPECT_EQ(failure, SimulatedMouse::kAccessDenied);
    }
    EXPECT_EQ(mouse.Open("sim://nowhere", &failure), nullptr);
    EXPECT_EQ(failure, SimulatedMouse::kNoSuchDevice);
    mouse.SetOpenFails(false);
    EXPECT_NE(mouse.Open(kVendor), nullptr);
}

TEST(SimulatedMouseScripting, UnplugAndPlugBackIn) {
    SimulatedMouse mouse;
    mouse.AddInterface("sim://vandir-ii/keyboard", 0x1F2E, 0x002B, 0xFF00, 1);
    mouse.SetMemory(Pattern());
    const auto before = OpenVendor(mouse);
    ASSERT_TRUE(Send(*before, ReadConfigurationRequest()));

    mouse.Unplug();
    EXPECT_FALSE(mouse.IsPluggedIn());
    EXPECT_TRUE(mouse.EnumerateInterfaces().empty());
    std::string failure;
    EXPECT_EQ(mouse.Open(kVendor, &failure), nullptr);
    EXPECT_EQ(failure, SimulatedMouse::kNoSuchDevice);
    uint16_t a = 0, b = 0;
    EXPECT_FALSE(before->ReadIds(a, b));
    EXPECT_FALSE(before->ReadTopLevelUsage(a, b));
    EXPECT_FALSE(Send(*before, ReadInformationRequest()));
    EXPECT_EQ(before->LastError(), HidError::Other);
    Bytes reply = Request(kReportA1, 0, 1041);
    EXPECT_FALSE(before->GetFeature(reply.data(), reply.size()));
    EXPECT_EQ(before->LastError(), HidError::Other);

    mouse.PlugIn();
    EXPECT_TRUE(mouse.IsPluggedIn());
    EXPECT_EQ(mouse.EnumerateInterfaces(),
              (std::vector<std::string>{kVendor, "sim://vandir-ii/keyboard"}));
    EXPECT_FALSE(Send(*before, ReadInformationRequest())) << "an old handle stays dead";
    EXPECT_EQ(before->LastError(), HidError::Other);

    const auto after = OpenVendor(mouse);
    EXPECT_EQ(Fetch(*after, kReportA1, 64), Reply(kReportA1, 0, 64)) << "the reply was dropped";
    ASSERT_TRUE(Send(*after, ReadConfigurationRequest()));
    EXPECT_EQ(Fetch(*after, kReportA1, 1041), Reply(kReportA1, 1, 1041, ToBytes(Pattern())));
}

// ---------------------------------------------------------------------------
// Counters, lifetime, threads

TEST(SimulatedMouseCounters, CountEveryCallAndKeepTheLastRequest) {
    SimulatedMouse mouse;
    mouse.EnumerateInterfaces();
    mouse.EnumerateInterfaces();
    {
        const auto device = OpenVendor(mouse);
        EXPECT_EQ(mouse.Open("sim://nowhere"), nullptr);
        const auto second = OpenVendor(mouse);
        EXPECT_EQ(mouse.GetCounters().closes, 0);

        ASSERT_TRUE(Send(*device, ReadConfigurationRequest()));
        mouse.QueueTransferErrors({HidError::FunctionFailed});
        const Bytes failed = WriteRequest(Pattern(), 0x1234, 7);
        EXPECT_FALSE(Send(*second, failed));
        Fetch(*device, kReportA1, 1041);
        Fetch(*second, kReportA1, 1041);
        Fetch(*second, kReportA1, 1041);
        EXPECT_EQ(mouse.LastRequest(), failed) << "failed requests are kept too";
    }
    const SimulatedMouse::Counters counters = mouse.GetCounters();
    EXPECT_EQ(counters.enumerations, 2);
    EXPECT_EQ(counters.openAttempts, 3);
    EXPECT_EQ(counters.opens, 2);
    EXPECT_EQ(counters.closes, 2);
    EXPECT_EQ(counters.setFeatures, 2);
    EXPECT_EQ(counters.getFeatures, 3);

    mouse.ResetCounters();
    const SimulatedMouse::Counters reset = mouse.GetCounters();
    EXPECT_EQ(reset.enumerations + reset.openAttempts + reset.opens + reset.closes +
                  reset.setFeatures + reset.getFeatures,
              0);
}

TEST(SimulatedMouseLifetime, HandleOutlivesTheMouse) {
    std::unique_ptr<HidDevice> device;
    {
        SimulatedMouse mouse;
        device = OpenVendor(mouse);
        ASSERT_TRUE(Send(*device, ReadInformationRequest()));
    }
    EXPECT_FALSE(Send(*device, ReadInformationRequest()));
    EXPECT_EQ(device->LastError(), HidError::Other);
    uint16_t a = 0, b = 0;
    EXPECT_FALSE(device->ReadIds(a, b));
    device.reset();  // closes on a state the mouse no longer holds
}

TEST(SimulatedMouseThreads, TwoThreadsTransferAtOnce) {
    constexpr int kRounds = 200;
    SimulatedMouse mouse;
    std::atomic<int> badReplies{0};
    auto work = [&](Bytes request, uint8_t reportId) {
        const auto device = mouse.Open(kVendor);
        for (int i = 0; i < kRounds; ++i) {
            Bytes reply(1041, 0);
            reply[0] = reportId;
            if (!Send(*device, request) || !device->GetFeature(reply.data(), reply.size()) ||
                reply[1] != kStatusDone) {
                ++badReplies;
            }
        }
    };
    std::thread first(work, ReadInformationRequest(), kReportA0);
    std::thread second(work, ReadConfigurationRequest(), kReportA1);
    first.join();
    second.join();
    EXPECT_EQ(badReplies, 0);
    const SimulatedMouse::Counters counters = mouse.GetCounters();
    EXPECT_EQ(counters.setFeatures, 2 * kRounds);
    EXPECT_EQ(counters.getFeatures, 2 * kRounds);
    EXPECT_EQ(counters.closes, 2);
}

// ---------------------------------------------------------------------------
// Stored state

TEST(SimulatedMouseStoredState, RestoringTakesEveryPartOfIt) {
    SimulatedMouse source;
    source.SetMemory(Pattern());
    source.SetFirmwareVersion(0x0203);
    source.StayBusyForEachRequest(4);
    source.FailTransfers(HidError::Crc);
    const StoredState stored = source.GetStoredState();
    EXPECT_EQ(stored, (StoredState{0x0203, Pattern(), true, 4, HidError::Crc}));

    SimulatedMouse restored;
    restored.RestoreStoredState(stored);
    EXPECT_EQ(restored.Memory(), Pattern());
    EXPECT_EQ(restored.FirmwareVersionNumber(), 0x0203);
    EXPECT_EQ(restored.GetStoredState(), stored);
}

TEST(SimulatedMouseStoredState, RestoringAnUnplugIsAnUnplug) {
    SimulatedMouse mouse;
    const auto handle = OpenVendor(mouse);
    mouse.RestoreStoredState(StoredState{105, Pattern(), false});
    EXPECT_FALSE(mouse.IsPluggedIn());
    EXPECT_TRUE(mouse.EnumerateInterfaces().empty());
    EXPECT_FALSE(Send(*handle, ReadInformationRequest())) << "the handle open before it is dead";

    mouse.RestoreStoredState(StoredState{105, Pattern(), true});
    EXPECT_TRUE(mouse.IsPluggedIn());
    EXPECT_EQ(mouse.EnumerateInterfaces(), std::vector<std::string>{kVendor});
}

TEST(SimulatedMouseStoredState, RestoringAQuietStateEndsBusyPollsAndFailingTransfers) {
    SimulatedMouse mouse;
    mouse.StayBusyForEachRequest(20);
    mouse.FailTransfers(HidError::Other);
    mouse.RestoreStoredState(StoredState{0x0203, Pattern(), true});

    // The mouse answers at once again.
    testing::RecordingClock clock;
    Transport transport(mouse, clock);
    ASSERT_EQ(transport.Discover(), 1);
    InformationBlock block{};
    EXPECT_EQ(ReadInformation(transport, block), 1);
    EXPECT_EQ(clock.waits, std::vector<uint32_t>{50});
}

}  // namespace
}  // namespace vandir
