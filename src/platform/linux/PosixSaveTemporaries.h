#pragma once
// The temporary files of saves on Linux, named by SaveTemporaryName: made
// fresh for a save, and removed once the save that made them is certainly
// over (a killed save leaves its temporary behind).

#include <string>

#include "platform/linux/UniqueFd.h"

namespace vandir {

// Creates a temporary of a name no file has, for a save of the file named file
// in folder (which ends with '/'), readable and writable by the owner only.
// Its path goes to path; an empty descriptor, with errno set, when none could
// be made.
UniqueFd CreateSaveTemporary(const std::string& folder, const std::string& file, std::string& path);

// Removes the regular files in folder that are temporaries of saves of file
// and whose save is over: the writer no longer runs, or they were last written
// kAbandonedSaveAge ago or longer. Saves still running (in this or another
// process) keep theirs; folders, links and every other name stay.
void RemoveAbandonedSaveTemporaries(const std::string& folder, const std::string& file);

}  // namespace vandir
