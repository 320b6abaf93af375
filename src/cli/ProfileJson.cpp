#include "cli/ProfileJson.h"

#include <limits>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/CommandError.h"
#include "cli/InputText.h"
#include "cli/IntegerText.h"
#include "i18n/Unicode.h"
#include "model/FunctionSelection.h"

namespace vandir::cli {
namespace {

// One saved field of a record: its dotted path and where it lives.
struct FieldRef {
    std::string path;
    std::variant<uint8_t*, uint16_t*, uint32_t*, int16_t*, std::u16string*> target;
};

std::vector<FieldRef> SavedFields(MouseSettings& s) {
    std::vector<FieldRef> fields = {
        {"profileName", &s.profileName},
        {"profileNumber", &s.profileNumber},
        {"profileIndex", &s.profileIndex},
        {"imageLength", &s.imageLength},
        {"reportRate", &s.reportRate},
        {"pointerSpeed", &s.pointerSpeed},
        {"doubleClickSpeed", &s.doubleClickSpeed},
        {"osSettingsUnlocked", &s.osSettingsUnlocked},
        {"dpiLevelCount", &s.dpiLevelCount},
    };
    for (int i = 0; i < kDpiLevels; ++i) {
        fields.push_back({"dpiLevelFlags." + std::to_string(i), &s.dpiLevelFlags[i]});
    }
    for (int i = 0; i < kDpiLevels; ++i) {
        const std::string level = "dpi." + std::to_string(i) + ".";
        fields.push_back({level + "x", &s.dpi[i].x});
        fields.push_back({level + "y", &s.dpi[i].y});
    }
    fields.push_back({"liftOff", &s.liftOff});
    fields.push_back({"ledColour", &s.ledColour});
    fields.push_back({"ledMode", &s.ledMode});
    fields.push_back({"ledLevel", &s.ledLevel});
    fields.push_back({"autoStart", &s.autoStart});
    fields.push_back({"language", &s.language});
    for (int i = 0; i < kDpiLevels; ++i) {
        LevelLed& led = s.levelLeds[i];
        const std::string entry = "levelLeds." + std::to_string(i) + ".";
        fields.push_back({entry + "levelIndex", &led.levelIndex});
        fields.push_back({entry + "mode", &led.mode});
        fields.push_back({entry + "colour", &led.colour});
        fields.push_back({entry + "levelNumber", &led.levelNumber});
    }
    for (int i = 0; i < kButtons; ++i) {
        ButtonAssignment& button = s.buttons[i];
        const std::string entry = "buttons." + std::to_string(i) + ".";
        fields.push_back({entry + "buttonIndex", &button.buttonIndex});
        fields.push_back({entry + "kind", &button.kind});
        fields.push_back({entry + "code", &button.code});
        fields.push_back({entry + "param1", &button.param1});
        fields.push_back({entry + "param2", &button.param2});
    }
    return fields;
}

Json::json_pointer PointerOf(const std::string& dottedPath) {
    std::string pointer = "/" + dottedPath;
    for (char& c : pointer) {
        if (c == '.') {
            c = '/';
        }
    }
    return Json::json_pointer(pointer);
}

template <typename T>
std::string RangeText() {
    return std::to_string(std::numeric_limits<T>::min()) + ".." +
           std::to_string(std::numeric_limits<T>::max());
}

// Stores an integer into a numeric field when it lies in the field's range.
template <typename T>
bool StoreInRange(T* target, int64_t value) {
    if (value < static_cast<int64_t>(std::numeric_limits<T>::min()) ||
        value > static_cast<int64_t>(std::numeric_limits<T>::max())) {
        return false;
    }
    *target = static_cast<T>(value);
    return true;
}

constexpr char kFunctionKey[] = "function";

[[noreturn]] void Fail(const std::string& message) {
    throw CommandError(kExitUsage, message);
}

std::string Child(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

// Checks that actual has the structure of expected: the same keys in every
// object and the same length in every array. Anything the record does not
// have is refused rather than dropped silently. Leaf values are checked by
// the caller.
void CheckShape(const Json& expected, const Json& actual, const std::string& path) {
    const std::string where = path.empty() ? "the profile JSON" : "field " + path;
    if (expected.is_object()) {
        if (!actual.is_object()) {
            Fail(where + " must be an object");
        }
        for (const auto& [key, value] : expected.items()) {
            if (!actual.contains(key)) {
                Fail("field " + Child(path, key) + " is missing");
            }
            CheckShape(value, actual.at(key), Child(path, key));
        }
        for (const auto& [key, value] : actual.items()) {
            if (!expected.contains(key)) {
                Fail("unknown field " + Shortened(Child(path, key)));
            }
        }
    } else if (expected.is_array()) {
        if (!actual.is_array() || actual.size() != expected.size()) {
            Fail(where + " must be an array of " + std::to_string(expected.size()));
        }
        for (size_t i = 0; i < expected.size(); ++i) {
            CheckShape(expected[i], actual[i], Child(path, std::to_string(i)));
        }
    }
}

}  // namespace

namespace {

// The saved fields alone.
Json FieldsToJson(const MouseSettings& settings) {
    MouseSettings copy = settings;
    Json json = Json::object();
    for (const FieldRef& field : SavedFields(copy)) {
        Json& slot = json[PointerOf(field.path)];
        std::visit(
            [&slot](auto* target) {
                using T = std::remove_pointer_t<decltype(target)>;
                if constexpr (std::is_same_v<T, std::u16string>) {
                    slot = Utf8FromUtf16(*target);
                } else {
                    slot = *target;
                }
            },
            field.target);
    }
    return json;
}

// The JSON without the derived "function" captions of the buttons, which
// import accepts (as text) and ignores.
Json WithoutFunctionCaptions(Json json) {
    if (!json.is_object() || !json.contains("buttons") || !json["buttons"].is_array()) {
        return json;
    }
    for (Json& button : json["buttons"]) {
        if (button.is_object() && button.contains(kFunctionKey)) {
            if (!button[kFunctionKey].is_string()) {
                Fail("field buttons.N.function must be a string");
            }
            button.erase(kFunctionKey);
        }
    }
    return json;
}

}  // namespace

Json ProfileToJson(const MouseSettings& settings) {
    Json json = FieldsToJson(settings);
    for (int i = 0; i < kButtons; ++i) {
        FunctionSelection selection;
        ShowFunction(settings.buttons[i], selection);
        json["buttons"][i][kFunctionKey] = Utf8FromUtf16(selection.caption);
    }
    return json;
}

void ProfileFromJson(const Json& input, MouseSettings& settings) {
    MouseSettings result = settings;
    const Json json = WithoutFunctionCaptions(input);
    CheckShape(FieldsToJson(result), json, "");
    for (const FieldRef& field : SavedFields(result)) {
        const Json& value = json.at(PointerOf(field.path));
        std::visit(
            [&](auto* target) {
                using T = std::remove_pointer_t<decltype(target)>;
                if constexpr (std::is_same_v<T, std::u16string>) {
                    if (!value.is_string()) {
                        Fail("field " + field.path + " must be a string");
                    }
                    *target = Utf16FromUtf8(value.get<std::string>());
                } else {
                    const bool fits =
                        value.is_number_integer() &&
                        (value.is_number_unsigned()
                             ? value.get<uint64_t>() <= uint64_t{std::numeric_limits<T>::max()} &&
                                   StoreInRange(target, static_cast<int64_t>(value.get<uint64_t>()))
                             : StoreInRange(target, value.get<int64_t>()));
                    if (!fits) {
                        Fail("field " + field.path + " must be an integer in " + RangeText<T>());
                    }
                }
            },
            field.target);
    }
    settings = std::move(result);
}

void SetProfileField(MouseSettings& settings, std::string_view path, std::string_view value) {
    for (const FieldRef& field : SavedFields(settings)) {
        if (field.path != path) {
            continue;
        }
        std::visit(
            [&](auto* target) {
                using T = std::remove_pointer_t<decltype(target)>;
                if constexpr (std::is_same_v<T, std::u16string>) {
                    *target = Utf16FromUtf8(value);
                } else {
                    constexpr int kBits = 8 * sizeof(T);
                    const std::optional<IntegerText> number = ParseIntegerText(value);
                    const bool fits =
                        number && (std::is_signed_v<T> ? FitsSigned(*number, kBits)
                                                       : FitsUnsigned(*number, kBits));
                    if (!fits) {
                        Fail("value '" + Shortened(value) + "' does not fit " + field.path + " (" +
                             RangeText<T>() + (std::is_signed_v<T> ? " or a 0x bit pattern" : "") +
                             ")");
                    }
                    *target = static_cast<T>(std::is_signed_v<T> ? AsSigned(*number, kBits)
                                                                 : number->value);
                }
            },
            field.target);
        return;
    }
    Fail("unknown field '" + Shortened(path) + "'");
}

std::vector<std::string> ProfileFieldPaths() {
    MouseSettings settings;
    std::vector<std::string> paths;
    for (const FieldRef& field : SavedFields(settings)) {
        paths.push_back(field.path);
    }
    return paths;
}

}  // namespace vandir::cli
