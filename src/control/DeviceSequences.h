#pragma once
// The sequences that bring the mouse's state into the record and the record
// into the system, the profile and the mouse. No window code: the settings
// owner runs them as its mouse work and takes their results on its own thread.

#include <cstdint>
#include <optional>
#include <string>

#include "device/ConfigImage.h"
#include "device/Transport.h"
#include "model/MouseSettings.h"
#include "storage/FileSystem.h"
#include "storage/SystemIntegration.h"
#include "storage/SystemSettings.h"

namespace vandir {

// What the connect sequence learns from the mouse.
struct MouseReading {
    bool present = false;
    std::optional<DeviceConfig> configuration;  // when the mouse answered
    uint16_t firmwareVersion = 0;               // 0 when no mouse, or not read
};

// What became of a configuration written to the mouse.
struct WriteResult {
    bool present = false;    // the mouse was there to take it
    bool confirmed = false;  // it replied "done"
    // When not confirmed: what failed, in words for the person ("the mouse
    // stayed busy").
    std::u16string failure;
};

// What an Apply achieved.
struct ApplyOutcome {
    bool saved = false;          // the profile holds the record
    std::u16string saveFailure;  // the system's words when it does not
    WriteResult write;
};

// The connect sequence: finds the mouse unless it is present, then reads its
// configuration and its firmware version. It touches only the transport.
MouseReading ReadMouse(Transport& transport);

// The firmware version, 0 when it could not be read.
uint16_t ReadFirmwareVersion(Transport& transport);

// Finds the mouse unless it is present (a failed search closes the link) and
// writes the record's configuration with its profile number. Confirmed only
// when the mouse replied with status 1: a reply that stayed busy, or any
// other status, leaves the mouse's memory unknown.
WriteResult WriteRecord(Transport& transport, const MouseSettings& record);

// The Apply sequence for a collected record, in order: the system's
// double-click time and pointer speed, the start-at-login entry (written with
// the quoted program path when autoStart is 1, removed otherwise), the
// profile, and the configuration written to the mouse. The mouse is written
// whether or not the profile could be saved; the system and the profile are
// set whether or not the mouse is there.
ApplyOutcome ApplyRecord(const MouseSettings& record, Transport& transport,
                         SystemIntegration& system, FileSystem& files);

}  // namespace vandir
