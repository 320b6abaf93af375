#include "control/UnsentRecord.h"

#include "device/ConfigImage.h"
#include "storage/DataStream.h"
#include "storage/Profile.h"

namespace vandir {

// The file: the record in the profile's format (what the pages show), then
// the 128-byte image the mouse is to be given, which also carries the fields
// the profile does not keep (the button response, the active level).

std::u16string UnsentRecordPath(const std::u16string& profilePath) {
    return profilePath + u".unsent";
}

bool KeepUnsentRecord(const MouseSettings& record, FileSystem& files, std::u16string* reason) {
    DataStream out = WriteProfile(record);
    for (const uint8_t byte : EncodeConfigImage(record)) {
        out.writeByte(byte);
    }
    const std::u16string path = UnsentRecordPath(record.profilePath);
    files.EnsureFoldersOf(path);
    return out.saveFile(path, files, reason);
}

std::optional<MouseSettings> LoadUnsentRecord(const std::u16string& profilePath,
                                              FileSystem& files) {
    DataStream in;
    MouseSettings kept = MouseSettings::ForStartup(profilePath);
    if (!in.loadFile(UnsentRecordPath(profilePath), files) ||
        ReadProfile(in, kept) != ProfileLoadResult::Loaded ||
        in.length() - in.position() != kConfigImageSize) {
        return std::nullopt;
    }
    ConfigImage image{};
    for (uint8_t& byte : image) {
        byte = in.readByte();
    }
    ApplyDeviceConfig(UnpackConfigImage(image), kept);
    return kept;
}

bool ForgetUnsentRecord(const std::u16string& profilePath, FileSystem& files) {
    return files.RemoveFile(UnsentRecordPath(profilePath));
}

}  // namespace vandir
