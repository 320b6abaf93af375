// vandirctl's profile import on arbitrary text ("vandirctl profile import
// FILE JSON"), run in-process over files in memory. JSON is a file rather
// than standard input, which the tool reads into a 16 MiB buffer each time.
//
// Properties: bad input exits 2 with a message and writes nothing; an
// imported profile loads and saves back to the same bytes, and showing it and
// importing what was shown writes the same bytes again.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "ProfileCommandRun.h"
#include "storage/Profile.h"

namespace {

using namespace vandir;
using vandir::fuzz::Check;

void CheckImported(fuzz::ProfileCommandLine& tool) {
    const std::vector<uint8_t> written = tool.files.files.at("imported.profile");
    DataStream stream(written);
    MouseSettings loaded = MouseSettings::ForStartup(u"imported.profile");
    Check(ReadProfile(stream, loaded) == ProfileLoadResult::Loaded, "an imported profile loads");
    const DataStream resaved = WriteProfile(loaded);
    Check(
        std::equal(written.begin(), written.end(), resaved.bytes().begin(), resaved.bytes().end()),
        "an imported profile saves back to the same bytes");

    const fuzz::CommandResult shown = tool.Run({"profile", "show", "imported.profile"});
    Check(shown.exitCode == 0, "an imported profile can be shown");
    tool.files.files["shown.json"].assign(shown.out.begin(), shown.out.end());
    const fuzz::CommandResult again =
        tool.Run({"profile", "import", "again.profile", "shown.json"});
    Check(again.exitCode == 0, "what profile show prints can be imported");
    Check(tool.files.files.at("again.profile") == written,
          "importing what profile show prints writes the same profile");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ProfileCommandLine& tool = fuzz::SharedProfileCommandLine();
    tool.files.files = {{"input.json", std::vector<uint8_t>(data, data + size)}};
    const fuzz::CommandResult imported =
        tool.Run({"profile", "import", "imported.profile", "input.json"});
    if (imported.exitCode != 0) {
        Check(imported.exitCode == cli::kExitUsage, "input that is not a profile exits 2");
        Check(!imported.message.empty(), "a refused import says why");
        Check(tool.files.files.size() == 1, "a refused import writes nothing");
        return 0;
    }
    CheckImported(tool);
    return 0;
}
