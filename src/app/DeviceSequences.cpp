#include "app/DeviceSequences.h"

#include "device/ConfigImage.h"
#include "device/DeviceCommands.h"
#include "storage/Profile.h"

namespace vandir {

ConnectResult Connect(Transport& transport, MouseSettings& record,
                      const std::function<void()>& pushAll) {
    if (!transport.IsPresent() && transport.Discover() != 1) {
        pushAll();
        return {};
    }
    DeviceConfig config{};
    if (ReadConfiguration(transport, config) == 1) {
        ApplyDeviceConfig(config, record);
    }
    pushAll();
    InformationBlock block{};
    ConnectResult result{true, 0};
    if (ReadInformation(transport, block) == 1) {
        result.firmwareVersion = FirmwareVersion(block);
    }
    return result;
}

void ReRead(Transport& transport, MouseSettings& record, const std::function<void()>& pushAll) {
    DeviceConfig config{};
    if (ReadConfiguration(transport, config) == 1) {
        ApplyDeviceConfig(config, record);
        pushAll();
    }
}

void ApplyRecord(const MouseSettings& record, Transport& transport, SystemIntegration& system,
                 FileSystem& files) {
    system.SetDoubleClickTime(record.doubleClickSpeed);
    system.SetPointerSpeed(record.pointerSpeed);
    if (record.autoStart == 1) {
        system.WriteAutostartEntry(kAutostartValueName);
    } else {
        system.RemoveAutostartEntry(kAutostartValueName);
    }
    SaveProfile(record, files);
    WriteConfiguration(transport, DeviceConfigFromSettings(record), record.profileIndex);
}

}  // namespace vandir
