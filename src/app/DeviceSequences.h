#pragma once
// The sequences that bring the mouse's state into the record and the record
// into the system, the profile and the mouse. No window code: the main
// window runs them on its mouse worker and takes their results on its own
// thread.

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
    // An Apply the mouse had missed was written instead of reading the
    // configuration (CompleteApply).
    bool completedApply = false;
};

// What an Apply achieved.
struct ApplyOutcome {
    bool saved = false;          // the profile holds the record
    std::u16string saveFailure;  // the system's words when it does not
    bool written = false;        // the mouse took the configuration
};

// The connect sequence: finds the mouse unless it is
// present, then reads its configuration and its firmware version. It touches
// only the transport, so it may run on any thread while windows are built.
MouseReading ReadMouse(Transport& transport);

// The connect sequence for a mouse that missed an Apply: finds the mouse
// unless present, writes the configuration of saved (the record that Apply
// saved) instead of reading the mouse's old one back, and reads the firmware
// version. completedApply tells whether the write was done.
MouseReading CompleteApply(Transport& transport, const MouseSettings& saved);

// The Apply sequence after the pages were collected into record, in order:
// the system's double-click time and pointer speed, the start-at-login entry
// (written with the quoted program path when autoStart is 1, removed
// otherwise), the profile, and the configuration written to the mouse. The
// mouse is written whether or not the profile could be saved.
ApplyOutcome ApplyRecord(const MouseSettings& record, Transport& transport,
                         SystemIntegration& system, FileSystem& files);

}  // namespace vandir
