#include "cli/JsonInput.h"

#include <set>
#include <vector>

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
    // The keys seen so far in each object being read, innermost last: the
    // library would keep only the last of repeated keys.
    std::vector<std::set<std::string>> openObjects;
    const Json::parser_callback_t check = [&](int depth, Json::parse_event_t event, Json& parsed) {
        switch (event) {
            case Json::parse_event_t::object_start:
            case Json::parse_event_t::array_start:
                if (depth >= kDeepestJsonNesting) {
                    throw CommandError(kExitUsage, NameOf(source) + ": JSON nested deeper than " +
                                                       std::to_string(kDeepestJsonNesting) +
                                                       " levels");
                }
                if (event == Json::parse_event_t::object_start) {
                    openObjects.emplace_back();
                }
                break;
            case Json::parse_event_t::object_end:
                openObjects.pop_back();
                break;
            case Json::parse_event_t::key:
                if (!openObjects.back().insert(parsed.get<std::string>()).second) {
                    throw CommandError(kExitUsage, NameOf(source) + ": JSON repeats the key '" +
                                                       Shortened(parsed.get<std::string>()) +
                                                       "' in one object");
                }
                break;
            default:
                break;
        }
        return true;
    };
    try {
        return Json::parse(text, check);
    } catch (const Json::exception& error) {
        throw CommandError(kExitUsage, NameOf(source) + ": invalid JSON: " + ReasonOf(error));
    }
}

}  // namespace vandir::cli
