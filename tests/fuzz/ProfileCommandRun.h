#pragma once
// "vandirctl profile ..." commands run in-process, as the tool's main runs
// them, over files held in memory (standard input is empty). The commands
// are set up once and parse each command line afresh (CLI11 clears what the
// previous parse left), so that a fuzz run does not spend its time building
// them.

#include <CLI/CLI.hpp>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/CommandError.h"
#include "cli/ProfileCommands.h"

namespace vandir::fuzz {

class MemoryFiles : public cli::CommandLineFiles {
public:
    std::map<std::string, std::vector<uint8_t>> files;

    cli::FileContents Read(const std::string& path) override {
        const auto it = files.find(path);
        if (it == files.end()) {
            return {cli::FileContents::Status::Missing, {}, "No such file or directory"};
        }
        return {cli::FileContents::Status::Read, it->second, {}};
    }

    std::string Replace(const std::string& path, std::span<const uint8_t> bytes) override {
        files[path].assign(bytes.begin(), bytes.end());
        return {};
    }
};

struct CommandResult {
    int exitCode = 0;
    std::string out;      // standard output
    std::string message;  // what main would print on standard error
};

class ProfileCommandLine {
public:
    MemoryFiles files;

    ProfileCommandLine() : app_("vandirctl", "vandirctl") {
        app_.require_subcommand(1);
        cli::AddProfileCommands(app_, context_);
    }

    // arguments: what follows "vandirctl", e.g. {"profile", "show", "FILE"}.
    CommandResult Run(const std::vector<std::string>& arguments) {
        out_.str({});
        // CLI11 takes the arguments in reverse order.
        std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
        try {
            app_.parse(reversed);
        } catch (const CLI::ParseError& error) {
            return {cli::kExitUsage, out_.str(), error.what()};
        } catch (const cli::CommandError& error) {
            return {error.exitCode(), out_.str(), error.what()};
        }
        return {0, out_.str(), {}};
    }

private:
    std::istringstream in_;
    std::ostringstream out_;
    cli::CliContext context_{files, in_, out_};
    CLI::App app_;
};

// The one command line of the process, set up at its first use; each input
// starts with no files.
inline ProfileCommandLine& SharedProfileCommandLine() {
    static ProfileCommandLine tool;
    return tool;
}

}  // namespace vandir::fuzz
