#include "control/DeviceSequences.h"

#include <string>

#include "device/DeviceCommands.h"
#include "i18n/Unicode.h"
#include "storage/Profile.h"

namespace vandir {
namespace {

// What a write that was not confirmed ran into.
std::u16string DescribeWriteFailure(const WriteOutcome& outcome) {
    if (!outcome.sent) {
        return u"the settings could not be sent to it";
    }
    if (!outcome.replied) {
        return u"it did not reply";
    }
    if (outcome.status == kStatusBusy) {
        return u"it stayed busy";
    }
    return u"it replied with status " + Utf16FromUtf8(std::to_string(outcome.status));
}

}  // namespace

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
    reading.firmwareVersion = ReadFirmwareVersion(transport);
    return reading;
}

uint16_t ReadFirmwareVersion(Transport& transport) {
    InformationBlock block{};
    return ReadInformation(transport, block) == 1 ? FirmwareVersion(block) : 0;
}

WriteResult WriteRecord(Transport& transport, const MouseSettings& record) {
    WriteResult result;
    if (!transport.IsPresent() && transport.Discover() != 1) {
        transport.Close();
        result.failure = u"no mouse was found";
        return result;
    }
    result.present = true;
    WriteOutcome outcome;
    WriteConfiguration(transport, DeviceConfigFromSettings(record), record.profileIndex, &outcome);
    result.confirmed = outcome.replied && outcome.status == kStatusDone;
    if (!result.confirmed) {
        result.failure = DescribeWriteFailure(outcome);
    }
    return result;
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
    outcome.write = WriteRecord(transport, record);
    return outcome;
}

}  // namespace vandir
