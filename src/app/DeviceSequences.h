#pragma once
// The sequences that bring the mouse's state into the record and the record
// into the system, the profile and the mouse. No window code: the main
// window runs them and pushes the record to its pages through pushAll.

#include <cstdint>
#include <functional>
#include <optional>

#include "device/ConfigImage.h"
#include "device/Transport.h"
#include "model/MouseSettings.h"
#include "storage/FileSystem.h"
#include "storage/SystemIntegration.h"
#include "storage/SystemSettings.h"

namespace vandir {

struct ConnectResult {
    bool present = false;
    uint16_t firmwareVersion = 0;  // 0 when no mouse, or its version could not be read
};

// What the connect sequence learns from the mouse.
struct MouseReading {
    bool present = false;
    std::optional<DeviceConfig> configuration;  // when the mouse answered
    uint16_t firmwareVersion = 0;               // 0 when no mouse, or not read
};

// The device half of the connect sequence: finds the mouse unless it is
// present, then reads its configuration and its firmware version. It touches
// only the transport, so it may run on any thread while windows are built.
MouseReading ReadMouse(Transport& transport);

// The record half: decodes the configuration read into the record, when
// there is one, and pushes the record whether or not.
ConnectResult ApplyReading(const MouseReading& reading, MouseSettings& record,
                           const std::function<void()>& pushAll);

// Both halves, one after the other.
ConnectResult Connect(Transport& transport, MouseSettings& record,
                      const std::function<void()>& pushAll);

// Reads the configuration of a present mouse; when that succeeds, decodes it
// into the record and pushes the record. Otherwise nothing changes.
void ReRead(Transport& transport, MouseSettings& record, const std::function<void()>& pushAll);

// The Apply sequence after the pages were collected into record, in order:
// the system's double-click time and pointer speed, the start-at-login entry
// (written with the quoted program path when autoStart is 1, removed
// otherwise), the profile, and the configuration written to the mouse.
void ApplyRecord(const MouseSettings& record, Transport& transport, SystemIntegration& system,
                 FileSystem& files);

}  // namespace vandir
