#include "cli/ProfileFiles.h"

#include "cli/CommandError.h"
#include "i18n/Unicode.h"
#include "storage/DataStream.h"
#include "storage/Profile.h"

namespace vandir::cli {
namespace {

[[noreturn]] void FailToRead(const std::string& file, const std::string& reason) {
    throw CommandError(kExitUsage, file + ": cannot be opened or read: " + reason);
}

}  // namespace

MouseSettings StartupRecord(const std::string& file) {
    return MouseSettings::ForStartup(Utf16FromUtf8(file));
}

std::optional<MouseSettings> LoadIfPresent(const std::string& file, CommandLineFiles& files) {
    FileContents contents = files.Read(file);
    if (contents.status == FileContents::Status::Missing) {
        return std::nullopt;
    }
    if (contents.status != FileContents::Status::Read) {
        FailToRead(file, contents.reason);
    }
    MouseSettings settings = StartupRecord(file);
    DataStream stream(std::move(contents.bytes));
    const ProfileLoadResult result = ReadProfile(stream, settings);
    if (result != ProfileLoadResult::Loaded) {
        throw CommandError(kExitUsage,
                           file + ": " + std::string(DescribeProfileLoadResult(result)));
    }
    return settings;
}

MouseSettings LoadOrFail(const std::string& file, CommandLineFiles& files) {
    std::optional<MouseSettings> settings = LoadIfPresent(file, files);
    if (!settings) {
        FailToRead(file, "no such file");
    }
    return std::move(*settings);
}

void SaveOrFail(const MouseSettings& settings, const std::string& file, CommandLineFiles& files) {
    const DataStream profile = WriteProfile(settings);
    if (profile.bytes().size() > kLargestInput) {
        throw CommandError(
            kExitUsage, file + ": the profile would be larger than 16 MiB (its name is too long)");
    }
    const std::string failure = files.Replace(file, profile.bytes());
    if (!failure.empty()) {
        throw CommandError(kExitFailure, file + ": cannot be written: " + failure);
    }
}

std::vector<uint8_t> ReadInputOrFail(const std::string& file, CommandLineFiles& files) {
    FileContents contents = files.Read(file);
    if (contents.status != FileContents::Status::Read) {
        FailToRead(file, contents.reason);
    }
    return std::move(contents.bytes);
}

}  // namespace vandir::cli
