// vandirctl: inspects and edits Vandir II profiles and converts key codes,
// using the same core as the configuration program.

#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/CliPlatform.h"
#include "cli/CommandError.h"
#include "cli/KeyCommands.h"
#include "cli/ProfileCommands.h"

namespace {

// The help of the innermost command named on the line, for usage errors.
std::string HelpOfCommandLine(CLI::App& app) {
    CLI::App* command = &app;
    for (;;) {
        std::vector<CLI::App*> chosen = command->get_subcommands();
        if (chosen.empty()) {
            return command->help();
        }
        command = chosen.front();
    }
}

int Run(const std::vector<std::string>& arguments) {
    std::unique_ptr<vandir::FileSystem> files = vandir::cli::MakeFileSystem();
    vandir::cli::CliContext context{*files, std::cin, std::cout};

    CLI::App app("Inspect and edit Vandir II profiles and convert key codes.", "vandirctl");
    app.require_subcommand(1);
    vandir::cli::AddProfileCommands(app, context);
    vandir::cli::AddKeyCommands(app, context);

    // CLI11 takes the arguments in reverse order, without the program name.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend() - 1);
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp& help) {
        std::cout << HelpOfCommandLine(app);
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        std::cout << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::ParseError& error) {
        std::cerr << "vandirctl: " << error.what() << "\n\n" << HelpOfCommandLine(app);
        return vandir::cli::kExitUsage;
    } catch (const vandir::cli::CommandError& error) {
        std::cerr << "vandirctl: " << error.what() << "\n";
        return error.exitCode();
    }
    std::cout.flush();
    return std::cout ? 0 : vandir::cli::kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
    vandir::cli::PrepareStandardStreams();
    try {
        return Run(vandir::cli::Utf8Arguments(argc, argv));
    } catch (const std::exception& error) {
        std::cerr << "vandirctl: " << error.what() << "\n";
        return vandir::cli::kExitFailure;
    }
}
