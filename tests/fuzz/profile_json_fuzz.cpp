// vandirctl's profile import on arbitrary text: the JSON is parsed as the
// tool parses its input and filled into the start-up record.
//
// Properties: bad input is refused with the tool's usage error (exit 2) and
// no other exception, leaving the record as it was; an imported record
// saves and reloads to the same record, and shows as JSON that imports to
// the same record again.

#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "cli/CommandError.h"
#include "cli/JsonInput.h"
#include "cli/ProfileJson.h"
#include "storage/Profile.h"

namespace {

using namespace vandir;
using vandir::fuzz::Check;

constexpr char16_t kPath[] = u"imported.profile";

bool IsRefusal(const cli::CommandError& error) {
    return error.exitCode() == cli::kExitUsage && std::string_view(error.what()).size() > 0;
}

void CheckImported(const MouseSettings& imported) {
    DataStream saved = WriteProfile(imported);
    DataStream reading(std::vector<uint8_t>(saved.bytes().begin(), saved.bytes().end()));
    MouseSettings reloaded = MouseSettings::ForStartup(kPath);
    Check(ReadProfile(reading, reloaded) == ProfileLoadResult::Loaded, "an imported record loads");
    Check(reloaded == imported, "an imported record saves and reloads to the same record");

    const std::string shown = cli::ProfileToJson(imported).dump(2);
    MouseSettings again = MouseSettings::ForStartup(kPath);
    cli::ProfileFromJson(cli::ParseJsonInput(shown, "shown.json"), again);
    Check(again == imported, "an imported record shows as JSON that imports to the same record");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    cli::Json json;
    try {
        json = cli::ParseJsonInput(text, "fuzz.json");
    } catch (const cli::CommandError& error) {
        Check(IsRefusal(error), "text that is not acceptable JSON is refused with exit 2");
        return 0;
    }
    const MouseSettings startup = MouseSettings::ForStartup(kPath);
    MouseSettings settings = startup;
    try {
        cli::ProfileFromJson(json, settings);
    } catch (const cli::CommandError& error) {
        Check(IsRefusal(error), "JSON that is not a profile is refused with exit 2");
        Check(settings == startup, "a refused import changes nothing");
        return 0;
    }
    CheckImported(settings);
    return 0;
}
