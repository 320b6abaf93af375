#pragma once
// The program asks the system to start it again after a crash, a hang or an
// update that needed it closed: a hidden program in the notification area is
// easily missed once gone.

#include <string>

namespace vandir {

// The arguments of a command line, after the program's path (quoted or not)
// and the blanks that follow it; what a restart must pass again.
std::wstring ArgumentsOf(const std::wstring& commandLine);

// Registers the running program for restart with the arguments it was given.
// False when the system refused (an argument line too long, for one).
bool RegisterForRestart();

}  // namespace vandir
