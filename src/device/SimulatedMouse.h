#pragma once
// A stand-in for the mouse: a HID backend whose vendor collection answers the
// three commands as the firmware does, with a 128-byte configuration memory
// and a firmware version. Tests script it (busy replies, failing transfers and
// opens, unplugging, extra interfaces) and read its counters; the demo and
// vandirctl --simulate keep its StoredState in a small state file
// (SimulatedStateFile).
//
// Requests (SetFeature on the vendor collection; byte 0 report ID, byte 1
// command):
//   0xA0 command 2, 1041 bytes: read information. Reply 0xA0, 1041 bytes,
//       status 1, firmware version (little-endian) at bytes 16-17 and the
//       rest of the 14-byte information block zero.
//   0xA1 command 7, 64 bytes: read configuration. Reply 0xA1, 1041 bytes,
//       status 1, the memory at bytes 16-143.
//   0xA0 command 6, 1041 bytes: write configuration, checksum at bytes 3-4
//       (low, high), profile number at byte 5, image at bytes 16-143. Reply
//       0xA1, 64 bytes: status 1 and the image stored when the checksum is
//       the image's 16-bit byte sum; status kStatusBadChecksum and the memory
//       unchanged otherwise.
//   Any other command, or one of the three under the other report ID: the
//       request is taken and the reply (the request's report ID, 64 bytes)
//       carries status kStatusUnknownCommand and no payload.
//   SetFeature itself fails with HidError::InvalidParameter, and the pending
//   reply stays as it was, when the buffer is shorter than 2 bytes, the report
//   ID is neither 0xA0 nor 0xA1, or a known command's request is shorter than
//   its length above (longer requests are accepted).
//
// GetFeature fills the buffer with the pending reply: byte 0 the reply's
// report ID, byte 1 its status, then its payload, truncated to the buffer and
// zero beyond the reply's end. Without a pending reply byte 0 is left as the
// caller set it and the rest is zero (status 0). A reply stays pending until
// the next request, so fetching again returns it again. GetFeature fails with
// HidError::InvalidParameter when the buffer is shorter than 2 bytes or its
// report ID is neither 0xA0 nor 0xA1.
//
// Transfers on any interface other than the vendor collection, on a handle
// whose interface was unplugged or removed, or after the SimulatedMouse was
// destroyed fail with HidError::Other. Handles share the mouse's state, so a
// handle may outlive the SimulatedMouse and the other way round.
//
// Every operation takes the state's lock: the mouse may be used from several
// threads.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/ConfigImage.h"
#include "device/HidBackend.h"

namespace vandir {

class SimulatedMouse : public HidBackend {
public:
    // The vendor collection, the only interface present at first. Its path
    // reads like a Windows HID interface path, vendor and product included, so
    // that the program recognises it in a device notification.
    static constexpr char kVendorPath[] =
        R"(\\?\hid#vid_1f2e&pid_002b&mi_01#simulated&0#{4d1e55b2-f16f-11cf-88cb-001111000030})";
    static constexpr uint16_t kDefaultFirmwareVersion = 105;  // shown as 1.05

    // Reply status of a write whose checksum does not match its image.
    static constexpr uint8_t kStatusBadChecksum = 4;
    // Reply status of a request the firmware does not know.
    static constexpr uint8_t kStatusUnknownCommand = 2;

    // Reasons Open gives in words.
    static constexpr char kNoSuchDevice[] = "no such device";
    static constexpr char kAccessDenied[] = "access denied";

    // Counts since construction or the last ResetCounters.
    struct Counters {
        int enumerations = 0;  // EnumerateInterfaces calls
        int openAttempts = 0;  // Open calls, failed ones included
        int opens = 0;         // handles handed out
        int closes = 0;        // handles destroyed
        int setFeatures = 0;   // SetFeature calls on any handle, failed ones included
        int getFeatures = 0;   // GetFeature calls on any handle, failed ones included
    };

    // Plugged in, with the vendor collection only, the factory memory (the
    // default record's image) and firmware version 105.
    SimulatedMouse();
    ~SimulatedMouse() override;
    SimulatedMouse(const SimulatedMouse&) = delete;
    SimulatedMouse& operator=(const SimulatedMouse&) = delete;

    // HidBackend.
    std::vector<std::string> EnumerateInterfaces() override;
    std::unique_ptr<HidDevice> Open(const std::string& path,
                                    std::string* failure = nullptr) override;

    // Interfaces. AddInterface inserts at position in the enumeration order
    // (at the end when position is past it); an added interface never answers
    // transfers, even when its properties match the vendor collection's.
    // RemoveInterface takes one away (the vendor collection too); handles open
    // on it then fail. False when no interface has that path.
    void AddInterface(const std::string& path, uint16_t vendorId, uint16_t productId,
                      uint16_t usagePage, uint16_t usage, size_t position = SIZE_MAX);
    bool RemoveInterface(const std::string& path);

    // Memory and firmware version.
    ConfigImage Memory() const;
    void SetMemory(const ConfigImage& image);
    uint16_t FirmwareVersionNumber() const;
    void SetFirmwareVersion(uint16_t version);

    // What a state file keeps of the mouse.
    struct StoredState {
        uint16_t firmwareVersion = kDefaultFirmwareVersion;
        ConfigImage memory{};
        bool pluggedIn = true;
        uint8_t busyPollsPerRequest = 0;          // StayBusyForEachRequest
        HidError transferError = HidError::None;  // FailTransfers
        bool operator==(const StoredState&) const = default;
    };
    StoredState GetStoredState() const;
    // Takes the memory, the firmware version, the plugged state (unplugging
    // as Unplug does, plugging in as PlugIn does), the busy polls of each
    // request and the error every transfer fails with.
    void RestoreStoredState(const StoredState& state);

    // Scripting. The next polls GetFeature transfers on the vendor collection
    // reply status 3 (busy), with the pending reply's report ID and no
    // payload, before the real reply comes.
    void StayBusyFor(int polls);
    // A slow mouse: after each request it takes, at least the next polls
    // GetFeature transfers reply busy, as after StayBusyFor (0 to
    // kMaxBusyPollsPerRequest, a number beyond taken as the nearest bound; 0
    // ends it). StoredState keeps it.
    static constexpr int kMaxBusyPollsPerRequest = 255;
    void StayBusyForEachRequest(int polls);
    // Queues errors for the next transfers on the vendor collection, in
    // either direction: each SetFeature or GetFeature takes the next one and
    // fails with it (leaving its buffer, the pending reply and the busy count
    // alone); HidError::None in the queue lets that transfer go through.
    void QueueTransferErrors(const std::vector<HidError>& errors);
    // A failing mouse: every transfer on the vendor collection that no queued
    // error decides fails with error, as a queued one does, until
    // FailTransfers(HidError::None). StoredState keeps it.
    void FailTransfers(HidError error);
    // Opens of one interface, or of every interface, fail with kAccessDenied
    // while set.
    void SetOpenFails(const std::string& path, bool fail);
    void SetOpenFails(bool fail);
    // Unplugging empties the enumeration, makes opens fail with kNoSuchDevice,
    // kills every open handle (for good, also after plugging back in) and
    // drops the pending reply; memory, interfaces and scripting remain.
    void Unplug();
    void PlugIn();
    bool IsPluggedIn() const;

    // Counters and the bytes of the last SetFeature call on any handle (also
    // a failed one).
    Counters GetCounters() const;
    void ResetCounters();
    std::vector<uint8_t> LastRequest() const;

    struct State;  // shared with the handles

private:
    std::shared_ptr<State> state_;
};

}  // namespace vandir
