#pragma once
// Where the running program lives, however long its path: the start-at-login
// value names the program, and the skins lie in a folder beside it.

#include <string>

namespace vandir {

// The full path of the running program's file; empty when the system cannot
// tell.
std::wstring ModulePath();

// ModulePath() cut before its last backslash (no trailing backslash); empty
// when there is none.
std::wstring GetModuleFolder();

}  // namespace vandir
