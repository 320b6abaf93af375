#pragma once
// The record's saved fields as JSON, for inspecting and editing profiles.
// Keys are the record's field names; arrays are indexed from 0; a field is
// named by its dotted path ("reportRate", "dpi.1.x", "buttons.3.kind").

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <vector>

#include "model/MouseSettings.h"

namespace vandir::cli {

using Json = nlohmann::ordered_json;

// Every field the profile stores, in the order of the file's fields; each
// button also carries, after its stored fields, the "function" caption its
// selector would show.
Json ProfileToJson(const MouseSettings& settings);

// Fills every saved field of settings from a JSON object of ProfileToJson's
// form. Throws CommandError (exit 2) naming the first field that is missing,
// unknown, of the wrong type or does not fit its width; settings is then
// unchanged. A button's "function" caption, if present, must be text and is
// ignored (it follows from the stored fields).
void ProfileFromJson(const Json& json, MouseSettings& settings);

// Sets one field from its dotted path and the text of its value (decimal or
// 0x-hex for numbers, any text for profileName). Throws CommandError (exit 2)
// for an unknown path or a value that does not fit; settings is then unchanged.
void SetProfileField(MouseSettings& settings, std::string_view path, std::string_view value);

// The dotted path of every field SetProfileField takes, in the file's order.
std::vector<std::string> ProfileFieldPaths();

}  // namespace vandir::cli
