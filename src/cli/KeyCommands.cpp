#include "cli/KeyCommands.h"

#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "cli/CommandError.h"
#include "cli/InputText.h"
#include "cli/IntegerText.h"
#include "cli/ProfileJson.h"
#include "i18n/KeyTables.h"
#include "i18n/Unicode.h"

namespace vandir::cli {
namespace {

uint32_t ParseUnsignedOrFail(const std::string& text, const char* what, int bits) {
    const std::optional<IntegerText> number = ParseIntegerText(text);
    if (!number || !FitsUnsigned(*number, bits)) {
        throw CommandError(kExitUsage, std::string(what) + " must be an integer from 0 to " +
                                           std::to_string((uint64_t{1} << bits) - 1) +
                                           " (decimal or 0x-hex), got '" + Shortened(text) + "'");
    }
    return static_cast<uint32_t>(number->value);
}

}  // namespace

void AddKeyCommands(CLI::App& app, CliContext& context) {
    auto argument = std::make_shared<std::string>();
    CLI::App* key = app.add_subcommand("key", "Name keys and convert key codes and HID usages");
    key->require_subcommand(1);

    CLI::App* name = key->add_subcommand(
        "name", "Print the display name of a virtual-key code as a JSON string");
    name->add_option("CODE", *argument, "Virtual-key code")->required();
    name->callback([argument, &context] {
        const uint32_t code = ParseUnsignedOrFail(*argument, "CODE", 32);
        context.out << Json(Utf8FromUtf16(KeyName(code))).dump() << "\n";
    });

    CLI::App* usage = key->add_subcommand(
        "usage", "Print the HID keyboard usage of a virtual-key code, in decimal");
    usage->add_option("CODE", *argument, "Virtual-key code")->required();
    usage->callback([argument, &context] {
        const auto code = static_cast<uint16_t>(ParseUnsignedOrFail(*argument, "CODE", 16));
        context.out << KeyUsageOf(code) << "\n";
    });

    CLI::App* code = key->add_subcommand(
        "code", "Print the virtual-key code of a HID keyboard usage, in decimal");
    code->add_option("USAGE", *argument, "HID keyboard usage")->required();
    code->callback([argument, &context] {
        const auto usageId = static_cast<uint16_t>(ParseUnsignedOrFail(*argument, "USAGE", 16));
        context.out << KeyCodeOf(usageId) << "\n";
    });
}

}  // namespace vandir::cli
