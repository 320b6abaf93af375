#pragma once
// vandirctl's commands and options as its --help lists them, read here on
// their own (not through the scripts that make the manual page and complete
// the command line), so that the tests compare those against the tool.

#include <regex>
#include <string>
#include <vector>

#include "packaging/ShellCommand.h"

namespace vandir::packaging {

struct HelpListing {
    std::vector<std::string> commands;  // the names under "Subcommands:"
    std::vector<std::string> options;   // each name of each option under "Options:"
};

// The listing of `program words... --help`. The top level lists its commands
// at the margin (every command's own indented below), a command its own
// indented by two.
inline HelpListing ListingOf(const std::string& program, const std::vector<std::string>& words) {
    std::string command = Quoted(program);
    for (const std::string& word : words) {
        command += " " + Quoted(word);
    }
    const ShellOutput help = RunShell(command + " --help");
    const std::regex commandLine(words.empty() ? R"(^([a-z][a-z-]*)$)" : R"(^  ([a-z][a-z-]*) .*)");
    const std::regex optionLine(R"(^  (-[^ ]+)( .*)?$)");
    HelpListing listing;
    std::string section;
    for (const std::string& line : Lines(help.out)) {
        std::smatch match;
        if (!line.empty() && line.back() == ':' && line.find(' ') == std::string::npos) {
            section = line;
        } else if (section == "Subcommands:" && std::regex_match(line, match, commandLine)) {
            listing.commands.push_back(match[1]);
        } else if (section == "Options:" && std::regex_match(line, match, optionLine)) {
            std::string names = match[1];
            size_t start = 0;
            for (size_t comma; (comma = names.find(',', start)) != std::string::npos;
                 start = comma + 1) {
                listing.options.push_back(names.substr(start, comma - start));
            }
            listing.options.push_back(names.substr(start));
        }
    }
    return listing;
}

// Every command path ("profile", "profile new", ...) as words, depth first.
inline std::vector<std::vector<std::string>> CommandPaths(
    const std::string& program, const std::vector<std::string>& below = {}) {
    std::vector<std::vector<std::string>> paths;
    for (const std::string& name : ListingOf(program, below).commands) {
        std::vector<std::string> path = below;
        path.push_back(name);
        paths.push_back(path);
        for (auto& deeper : CommandPaths(program, path)) {
            paths.push_back(std::move(deeper));
        }
    }
    return paths;
}

inline std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

}  // namespace vandir::packaging
