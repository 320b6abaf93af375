#include "cli/FunctionCommands.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandError.h"
#include "cli/InputText.h"
#include "cli/IntegerText.h"
#include "cli/ProfileJson.h"
#include "i18n/FunctionNames.h"
#include "i18n/Unicode.h"
#include "model/FunctionSelection.h"

namespace vandir::cli {
namespace {

struct FunctionArguments {
    std::vector<std::string> numbers = std::vector<std::string>(5);
    std::string from;
    std::string button = "0";
};

// A signed field of the given width: decimal within range, or a 0x bit pattern.
int64_t ParseSignedOrFail(const std::string& text, const char* what, int bits) {
    const std::optional<IntegerText> number = ParseIntegerText(text);
    if (!number || !FitsSigned(*number, bits)) {
        throw CommandError(kExitUsage,
                           std::string(what) + " must be a signed " + std::to_string(bits) +
                               "-bit integer (decimal or 0x-hex), got '" + Shortened(text) + "'");
    }
    return AsSigned(*number, bits);
}

uint8_t ParseByteOrFail(const std::string& text, const char* what) {
    const std::optional<IntegerText> number = ParseIntegerText(text);
    if (!number || !FitsUnsigned(*number, 8)) {
        throw CommandError(kExitUsage, std::string(what) +
                                           " must be an integer from 0 to 255 (decimal or "
                                           "0x-hex), got '" +
                                           Shortened(text) + "'");
    }
    return static_cast<uint8_t>(number->value);
}

ButtonAssignment AssignmentOrFail(const std::string& kind, const std::string& code,
                                  const std::string& param1, const std::string& param2) {
    ButtonAssignment a{};
    a.kind = ParseByteOrFail(kind, "KIND");
    a.code = static_cast<int16_t>(ParseSignedOrFail(code, "CODE", 16));
    a.param1 = static_cast<int16_t>(ParseSignedOrFail(param1, "PARAM1", 16));
    a.param2 = static_cast<int16_t>(ParseSignedOrFail(param2, "PARAM2", 16));
    return a;
}

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t comma = text.find(','); comma != std::string::npos; comma = text.find(',', start)) {
        parts.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// Required positional numbers, kept as text until the command parses them.
void AddPositionals(CLI::App* command, FunctionArguments& args,
                    std::initializer_list<const char*> names, const std::string& what) {
    size_t i = 0;
    for (const char* name : names) {
        command->add_option(name, args.numbers[i++], std::string(name) + " " + what)->required();
    }
}

}  // namespace

void AddFunctionCommands(CLI::App& app, CliContext& context) {
    auto args = std::make_shared<FunctionArguments>();
    CLI::App* function =
        app.add_subcommand("function", "Convert between button functions and their stored values");
    function->require_subcommand(1);

    CLI::App* show = function->add_subcommand(
        "show",
        "Show a stored assignment on a fresh function selector and print the "
        "selector's function, caption and values as JSON");
    AddPositionals(show, *args, {"KIND", "CODE", "PARAM1", "PARAM2"}, "of the stored assignment");
    show->callback([args, &context] {
        const std::vector<std::string>& n = args->numbers;
        FunctionSelection selection;
        ShowFunction(AssignmentOrFail(n[0], n[1], n[2], n[3]), selection);
        const Json json = {
            {"functionId", selection.functionId}, {"text", Utf8FromUtf16(selection.caption)},
            {"first", selection.first},           {"second", selection.second},
            {"secondKey", selection.secondKey},   {"modifiers", selection.modifiers}};
        context.out << json.dump() << "\n";
    });

    CLI::App* store = function->add_subcommand(
        "store",
        "Store a selector's function and values over a previous assignment and print "
        "the resulting assignment as JSON");
    AddPositionals(store, *args, {"FUNCTIONID", "FIRST", "SECOND", "SECONDKEY", "MODIFIERS"},
                   "of the function selector");
    store->add_option("--from", args->from,
                      "The previous assignment KIND,CODE,PARAM1,PARAM2 (default 0,0,0,0)");
    store->add_option("--button", args->button, "The button's index 0..6 (default 0)");
    store->callback([args, &context] {
        const std::vector<std::string>& n = args->numbers;
        FunctionSelection selection;
        selection.functionId = static_cast<FunctionId>(ParseSignedOrFail(n[0], "FUNCTIONID", 32));
        selection.first = static_cast<int32_t>(ParseSignedOrFail(n[1], "FIRST", 32));
        selection.second = static_cast<int32_t>(ParseSignedOrFail(n[2], "SECOND", 32));
        selection.secondKey = static_cast<int32_t>(ParseSignedOrFail(n[3], "SECONDKEY", 32));
        selection.modifiers = static_cast<int32_t>(ParseSignedOrFail(n[4], "MODIFIERS", 32));
        ButtonAssignment assignment{};
        if (!args->from.empty()) {
            const std::vector<std::string> from = SplitCommas(args->from);
            if (from.size() != 4) {
                throw CommandError(kExitUsage, "--from takes KIND,CODE,PARAM1,PARAM2, got '" +
                                                   Shortened(args->from) + "'");
            }
            assignment = AssignmentOrFail(from[0], from[1], from[2], from[3]);
        }
        const std::optional<IntegerText> button = ParseIntegerText(args->button);
        if (!button || button->value < 0 || button->value >= kButtons) {
            throw CommandError(kExitUsage,
                               "--button must be 0..6, got '" + Shortened(args->button) + "'");
        }
        StoreFunction(selection, static_cast<int>(button->value), assignment);
        const Json json = {{"buttonIndex", assignment.buttonIndex},
                           {"kind", assignment.kind},
                           {"code", assignment.code},
                           {"param1", assignment.param1},
                           {"param2", assignment.param2}};
        context.out << json.dump() << "\n";
    });

    CLI::App* name = function->add_subcommand(
        "name",
        "Print the translated name of a function (its tool tip) as a JSON string; "
        "English and unknown functions have the empty name");
    AddPositionals(name, *args, {"FUNCTIONID", "LANGUAGE"}, "(language index 1..12)");
    name->callback([args, &context] {
        const auto id =
            static_cast<FunctionId>(ParseSignedOrFail(args->numbers[0], "FUNCTIONID", 32));
        const auto language = static_cast<int>(ParseSignedOrFail(args->numbers[1], "LANGUAGE", 32));
        context.out
            << Json(Utf8FromUtf16(std::u16string(TranslatedFunctionName(id, language)))).dump()
            << "\n";
    });
}

}  // namespace vandir::cli
