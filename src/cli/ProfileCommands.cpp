#include "cli/ProfileCommands.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/CommandError.h"
#include "cli/InputText.h"
#include "cli/JsonInput.h"
#include "cli/ProfileFiles.h"
#include "cli/ProfileJson.h"
#include "i18n/Unicode.h"
#include "storage/Profile.h"

namespace vandir::cli {
namespace {

struct ProfileArguments {
    std::string file;
    std::string json;
    std::vector<std::string> assignments;
};

std::string ReadJsonText(const std::string& source, CliContext& context) {
    if (source == "-") {
        // One byte past the limit tells a stream that is too long (or endless).
        std::string text(kLargestInput + 1, '\0');
        context.in.read(text.data(), static_cast<std::streamsize>(text.size()));
        if (context.in.bad()) {
            throw CommandError(kExitUsage, "standard input: cannot be read");
        }
        text.resize(static_cast<size_t>(context.in.gcount()));
        if (text.size() > kLargestInput) {
            throw CommandError(kExitUsage, "standard input: larger than 16 MiB");
        }
        return text;
    }
    const std::vector<uint8_t> bytes = ReadInputOrFail(source, context.files);
    return {bytes.begin(), bytes.end()};
}

}  // namespace

void AddProfileCommands(CLI::App& app, CliContext& context) {
    auto args = std::make_shared<ProfileArguments>();
    CLI::App* profile = app.add_subcommand("profile", "Inspect and edit profile files");
    profile->require_subcommand(1);

    CLI::App* create = profile->add_subcommand(
        "new", "Write FILE with the record the program starts with when it has no profile");
    create->add_option("FILE", args->file, "Profile file to write")->required();
    create->callback(
        [args, &context] { SaveOrFail(StartupRecord(args->file), args->file, context.files); });

    CLI::App* show = profile->add_subcommand(
        "show", "Print the profile in FILE as one JSON object of the record's saved fields");
    show->add_option("FILE", args->file, "Profile file to read")->required();
    show->callback([args, &context] {
        context.out << ProfileToJson(LoadOrFail(args->file, context.files)).dump(2) << "\n";
    });

    CLI::App* set = profile->add_subcommand(
        "set",
        "Set fields of the profile in FILE by their dotted JSON paths (reportRate=2, dpi.1.x=1500, "
        "buttons.3.kind=33, profileName=Work); numbers decimal or 0x-hex, signed fields also take "
        "a 0x bit pattern of their width. Nothing is written unless every assignment fits");
    set->add_option("FILE", args->file, "Profile file to edit")->required();
    set->add_option("PATH=VALUE", args->assignments, "Field assignments")->required();
    set->callback([args, &context] {
        MouseSettings settings = LoadOrFail(args->file, context.files);
        for (const std::string& assignment : args->assignments) {
            const auto equals = assignment.find('=');
            if (equals == std::string::npos) {
                throw CommandError(kExitUsage,
                                   "expected PATH=VALUE, got '" + Shortened(assignment) + "'");
            }
            SetProfileField(settings, std::string_view(assignment).substr(0, equals),
                            std::string_view(assignment).substr(equals + 1));
        }
        SaveOrFail(settings, args->file, context.files);
    });

    CLI::App* fields = profile->add_subcommand(
        "fields", "Print the dotted path of every field 'set' takes, one a line");
    fields->callback([&context] {
        for (const std::string& path : ProfileFieldPaths()) {
            context.out << path << "\n";
        }
    });

    CLI::App* import = profile->add_subcommand(
        "import",
        "Write FILE from a JSON object of the form 'show' prints (JSON '-' reads standard input); "
        "every field must be present and fit its width");
    import->add_option("FILE", args->file, "Profile file to write")->required();
    import->add_option("JSON", args->json, "JSON file, or - for standard input")->required();
    import->callback([args, &context] {
        const Json json = ParseJsonInput(ReadJsonText(args->json, context), args->json);
    MouseSettings settings = StartupRecord(args->file);
    ProfileFromJson(json, settings);
    SaveOrFail(settings, args->file, context.files);
});
}  // namespace vandir::cli

}  // namespace vandir::cli
