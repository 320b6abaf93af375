// vandirctl: inspects and edits Vandir II profiles and converts key codes,
// using the same core as the configuration program.

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/BuildConfig.h"
#include "cli/CliContext.h"
#include "cli/CliPlatform.h"
#include "cli/CommandError.h"
#include "cli/DeviceLinkCommands.h"
#include "cli/FunctionCommands.h"
#include "cli/KeyCommands.h"
#include "cli/ProfileCommands.h"

namespace {

// The innermost command named on the command line.
CLI::App* InnermostCommand(CLI::App& app) {
    CLI::App* command = &app;
    while (!command->get_subcommands().empty()) {
        command = command->get_subcommands().front();
    }
    return command;
}

// The help of a command, its usage line naming the whole command
// ("vandirctl profile show"). The top level describes every command.
std::string HelpOf(CLI::App* command) {
    if (command->get_parent() == nullptr) {
        return command->help("", CLI::AppFormatMode::All);
    }
    std::string parents;
    for (CLI::App* p = command->get_parent(); p != nullptr; p = p->get_parent()) {
        parents = parents.empty() ? p->get_name() : p->get_name() + " " + parents;
    }
    return command->help(parents);
}

// Everything printed must reach standard output: a full disk or a closed
// output is a failure, with the system's reason.
int FinishStandardOutput() {
    std::cout.flush();
    if (std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout)) {
        return 0;
    }
    const int error = errno;
    std::cerr << "vandirctl: standard output: cannot be written: " << std::strerror(error) << "\n";
    return vandir::cli::kExitFailure;
}

int Run(const std::vector<std::string>& arguments) {
    std::unique_ptr<vandir::cli::CommandLineFiles> files = vandir::cli::MakeCommandLineFiles();
    vandir::cli::CliContext context{*files, std::cin, std::cout};

    CLI::App app(
        "Inspect and edit Vandir II profiles, convert key codes and button functions, and talk to "
        "the mouse.",
        "vandirctl");
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("vandirctl ") + vandir::cli::kVersion,
                         "Print vandirctl's version and exit");
    vandir::cli::AddProfileCommands(app, context);
    vandir::cli::AddKeyCommands(app, context);
    vandir::cli::AddFunctionCommands(app, context);
    vandir::cli::AddDeviceLinkCommands(app, context);

    // CLI11 takes the arguments in reverse order, without the program name.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend() - 1);
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        std::cout << HelpOf(InnermostCommand(app));
        return 0;
    } catch (const CLI::CallForVersion& version) {
        std::cout << version.what() << "\n";
        return FinishStandardOutput();
    } catch (const CLI::ParseError& error) {
        std::cerr << "vandirctl: " << error.what() << "\n\n" << HelpOf(InnermostCommand(app));
        return vandir::cli::kExitUsage;
    } catch (const vandir::cli::CommandError& error) {
        std::cerr << "vandirctl: " << error.what() << "\n";
        return error.exitCode();
    }
    return FinishStandardOutput();
}

}  // namespace

int main(int argc, char** argv) {
    vandir::cli::PrepareStandardStreams();
    try {
        return Run(vandir::cli::Utf8Arguments(argc, argv));
    } catch (const vandir::cli::CommandError& error) {
        std::cerr << "vandirctl: " << error.what() << "\n";
        return error.exitCode();
    } catch (const std::exception& error) {
        std::cerr << "vandirctl: " << error.what() << "\n";
        return vandir::cli::kExitFailure;
    }
}
