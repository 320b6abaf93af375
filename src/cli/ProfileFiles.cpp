#include "cli/ProfileFiles.h"

#include "cli/CommandError.h"
#include "i18n/Unicode.h"
#include "storage/Profile.h"

namespace vandir::cli {

MouseSettings StartupRecord(const std::string& file) {
    return MouseSettings::ForStartup(Utf16FromUtf8(file));
}

MouseSettings LoadOrFail(const std::string& file, FileSystem& files) {
    MouseSettings settings = StartupRecord(file);
    const ProfileLoadResult result = LoadProfile(settings, files);
    if (result != ProfileLoadResult::Loaded) {
        throw CommandError(kExitUsage,
                           file + ": " + std::string(DescribeProfileLoadResult(result)));
    }
    return settings;
}

void SaveOrFail(const MouseSettings& settings, const std::string& file, FileSystem& files) {
    if (!SaveProfile(settings, files)) {
        throw CommandError(kExitFailure, file + ": cannot be written");
    }
}

}  // namespace vandir::cli
