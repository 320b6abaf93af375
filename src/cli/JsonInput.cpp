#include "cli/JsonInput.h"

#include "cli/CommandError.h"
#include "cli/InputText.h"

namespace vandir::cli {
namespace {

std::string NameOf(const std::string& source) {
    return source == "-" ? "standard input" : source;
}

// The library's message without its "[json.exception...] " tag, the input it
// quotes cut short.
std::string ReasonOf(const Json::exception& error) {
    std::string reason = error.what();
    if (reason.rfind("[json.exception.", 0) == 0) {
        const auto tagEnd = reason.find("] ");
        if (tagEnd != std::string::npos) {
            reason.erase(0, tagEnd + 2);
        }
    }
    const auto open = reason.find('\'');
    const auto close = reason.rfind('\'');
    if (open != std::string::npos && close > open) {
        const std::string quoted = reason.substr(open + 1, close - open - 1);
        reason = reason.substr(0, open + 1) + Shortened(quoted) + reason.substr(close);
    }
    return reason;
}

}  // namespace

Json ParseJsonInput(std::string_view text, const std::string& source) {
    const Json::parser_callback_t refuseDeepNesting = [&source](int depth,
                                                                Json::parse_event_t event, Json&) {
        const bool opens =
            event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start;
        if (opens && depth >= kDeepestJsonNesting) {
            throw CommandError(kExitUsage, NameOf(source) + ": JSON nested deeper than " +
                                               std::to_string(kDeepestJsonNesting) + " levels");
        }
        return true;
    };
    try {
        return Json::parse(text, refuseDeepNesting);
    } catch (const Json::exception& error) {
        throw CommandError(kExitUsage, NameOf(source) + ": invalid JSON: " + ReasonOf(error));
    }
}

}  // namespace vandir::cli
