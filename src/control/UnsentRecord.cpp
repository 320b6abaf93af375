#include "control/UnsentRecord.h"

#include "storage/Profile.h"

namespace vandir {

std::u16string UnsentRecordPath(const std::u16string& profilePath) {
    return profilePath + u".unsent";
}

bool KeepUnsentRecord(const MouseSettings& record, FileSystem& files, std::u16string* reason) {
    MouseSettings kept = record;
    kept.profilePath = UnsentRecordPath(record.profilePath);
    files.EnsureFoldersOf(kept.profilePath);
    return SaveProfile(kept, files, reason);
}

std::optional<MouseSettings> LoadUnsentRecord(const std::u16string& profilePath,
                                              FileSystem& files) {
    MouseSettings kept = MouseSettings::ForStartup(UnsentRecordPath(profilePath));
    if (LoadProfile(kept, files) != ProfileLoadResult::Loaded) {
        return std::nullopt;
    }
    kept.profilePath = profilePath;
    return kept;
}

bool ForgetUnsentRecord(const std::u16string& profilePath, FileSystem& files) {
    return files.RemoveFile(UnsentRecordPath(profilePath));
}

}  // namespace vandir
