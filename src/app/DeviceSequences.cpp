#include "app/DeviceSequences.h"

#include "device/DeviceCommands.h"
#include "storage/Profile.h"

namespace vandir {

MouseReading ReadMouse(Transport& transport) {
    MouseReading reading;
    if (!transport.IsPresent() && transport.Discover() != 1) {
        return reading;
    }
    reading.present = true;
    DeviceConfig config{};
    if (ReadConfiguration(transport, config) == 1) {
        reading.configuration = config;
    }
    InformationBlock block{};
    if (ReadInformation(transport, block) == 1) {
        reading.firmwareVersion = FirmwareVersion(block);
    }
    return reading;
}

MouseReading CompleteApply(Transport& transport, const MouseSettings& saved) {
    MouseReading reading;
    if (!transport.IsPresent() && transport.Discover() != 1) {
        return reading;
    }
    reading.present = true;
    reading.completedApply =
        WriteConfiguration(transport, DeviceConfigFromSettings(saved), saved.profileIndex) == 1;
    InformationBlock block{};
    if (ReadInformation(transport, block) == 1) {
        reading.firmwareVersion = FirmwareVersion(block);
    }
    return reading;
}

ApplyOutcome ApplyRecord(const MouseSettings& record, Transport& transport,
                         SystemIntegration& system, FileSystem& files) {
    system.SetDoubleClickTime(record.doubleClickSpeed, SettingScope::Saved);
    system.SetPointerSpeed(record.pointerSpeed, SettingScope::Saved);
    if (record.autoStart == 1) {
        system.WriteAutostartEntry(kAutostartValueName);
    } else {
        system.RemoveAutostartEntry(kAutostartValueName);
    }
    ApplyOutcome outcome;
    outcome.saved = SaveProfile(record, files, &outcome.saveFailure);
    outcome.written =
        WriteConfiguration(transport, DeviceConfigFromSettings(record), record.profileIndex) == 1;
    return outcome;
}

}  // namespace vandir
