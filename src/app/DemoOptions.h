#pragma once
// The demo program's command line:
//   --simulate STATE  (or --simulate=STATE) the simulated mouse's state file,
//                     the same file vandirctl --simulate STATE uses
//   --unplugged       start with the mouse unplugged (plugged in otherwise)
// Anything else is ignored, so that the program starts whatever it is given;
// so is --simulate without a path (last on the line, followed by another
// --option, or empty). A later --simulate wins over an earlier one.

#include <string>
#include <vector>

namespace vandir {

struct DemoOptions {
    std::u16string statePath;  // empty: DefaultDemoStatePath()
    bool unplugged = false;
};

// The options in the arguments that follow the program's name.
DemoOptions ParseDemoOptions(const std::vector<std::u16string>& arguments);

// The arguments of a whole command line as GetCommandLineW gives it (the
// program's name first, which is dropped), split as the system splits them:
// quotes group paths with spaces, and the text stays UTF-16.
std::vector<std::u16string> CommandLineArguments(const wchar_t* commandLine);

// VandirII-Demo.vsim in the user's temporary folder.
std::u16string DefaultDemoStatePath();

}  // namespace vandir
