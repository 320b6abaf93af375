// Profile loading on arbitrary file contents, as the program loads its
// profile at start-up (through the file system interface) and as vandirctl
// shows it.
//
// Properties: a load that fails leaves the start-up record exactly as it was;
// a loaded record saves and reloads to the same record, and saving it twice
// gives the same bytes; its JSON (profile show) parses back (profile import)
// to the same record, its name with unpaired surrogates as U+FFFD.

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "cli/JsonInput.h"
#include "cli/ProfileJson.h"
#include "core/FakeFileSystem.h"
#include "i18n/Unicode.h"
#include "storage/Profile.h"

namespace {

using namespace vandir;
using vandir::fuzz::Check;

constexpr char16_t kPath[] = u"C:\\Vandir II\\Profiles\\DefaultPf.profile";

void CheckSaveAndReload(const MouseSettings& loaded) {
    testing::FakeFileSystem files;
    Check(SaveProfile(loaded, files), "a loaded profile can be saved");
    const std::vector<uint8_t> saved = files.files.at(kPath);
    MouseSettings reloaded = MouseSettings::ForStartup(kPath);
    Check(LoadProfile(reloaded, files) == ProfileLoadResult::Loaded, "a saved profile loads");
    Check(reloaded == loaded, "a loaded profile saves and reloads to the same record");
    Check(SaveProfile(reloaded, files) && files.files.at(kPath) == saved,
          "saving the reloaded record gives the same bytes");
}

void CheckShowAndImport(const MouseSettings& loaded) {
    const std::string shown = cli::ProfileToJson(loaded).dump(2);
    MouseSettings imported = MouseSettings::ForStartup(kPath);
    cli::ProfileFromJson(cli::ParseJsonInput(shown, "shown.json"), imported);
    MouseSettings expected = loaded;
    expected.profileName = Utf16FromUtf8(Utf8FromUtf16(loaded.profileName));
    Check(imported == expected, "a shown profile imports to the same record");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testing::FakeFileSystem files;
    files.files[kPath].assign(data, data + size);
    const MouseSettings startup = MouseSettings::ForStartup(kPath);
    MouseSettings settings = startup;
    const ProfileLoadResult result = LoadProfile(settings, files);
    if (result != ProfileLoadResult::Loaded) {
        Check(settings == startup, "a profile that does not load changes nothing");
        Check(!DescribeProfileLoadResult(result).empty(), "every failure has a description");
        return 0;
    }
    CheckSaveAndReload(settings);
    CheckShowAndImport(settings);
    return 0;
}
