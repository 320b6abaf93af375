// Profile loading on arbitrary file contents, as the program loads its
// profile at start-up (through the file system interface) and as vandirctl
// shows it ("vandirctl profile show FILE", run in-process).
//
// Properties: a load that fails leaves the start-up record exactly as it
// was, and the tool refuses the file with exit 2; a loaded record saves and
// reloads to the same record, and saving it twice gives the same bytes; what
// the tool shows imports to the profile of the same record (its name with
// unpaired surrogates as U+FFFD, which JSON text cannot carry).

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "ProfileCommandRun.h"
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

void CheckShowAndImport(const std::vector<uint8_t>& file, const MouseSettings* loaded) {
    fuzz::ProfileCommandLine& tool = fuzz::SharedProfileCommandLine();
    tool.files.files = {{"shown.profile", file}};
    const fuzz::CommandResult shown = tool.Run({"profile", "show", "shown.profile"});
    if (loaded == nullptr) {
        Check(shown.exitCode == cli::kExitUsage && !shown.message.empty(),
              "a profile that does not load is refused with exit 2 and a reason");
        return;
    }
    Check(shown.exitCode == 0, "a profile that loads can be shown");
    tool.files.files["shown.json"].assign(shown.out.begin(), shown.out.end());
    const fuzz::CommandResult imported =
        tool.Run({"profile", "import", "imported.profile", "shown.json"});
    Check(imported.exitCode == 0, "what profile show prints can be imported");
    MouseSettings expected = *loaded;
    expected.profileName = Utf16FromUtf8(Utf8FromUtf16(loaded->profileName));
    const DataStream expectedFile = WriteProfile(expected);
    const std::vector<uint8_t>& importedFile = tool.files.files.at("imported.profile");
    Check(std::equal(importedFile.begin(), importedFile.end(), expectedFile.bytes().begin(),
                     expectedFile.bytes().end()),
          "a shown profile imports to the profile of the same record");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> file(data, data + size);
    testing::FakeFileSystem files;
    files.files[kPath] = file;
    const MouseSettings startup = MouseSettings::ForStartup(kPath);
    MouseSettings settings = startup;
    const ProfileLoadResult result = LoadProfile(settings, files);
    if (result != ProfileLoadResult::Loaded) {
        Check(settings == startup, "a profile that does not load changes nothing");
        CheckShowAndImport(file, nullptr);
        return 0;
    }
    CheckSaveAndReload(settings);
    CheckShowAndImport(file, &settings);
    return 0;
}
