#pragma once
// The temporary files of saves on Windows, named by SaveTemporaryName: made
// fresh for a save, and removed once the save that made them is certainly
// over (a killed save leaves its temporary behind).

#include <string>

#include "platform/win32/UniqueHandle.h"

namespace vandir {

// Creates a temporary of a name no file has beside target, open for writing
// and shared with nobody. Its path goes to path; an empty handle, with the
// last error set, when none could be made.
UniqueFileHandle CreateSaveTemporary(const std::wstring& target, std::wstring& path);

// Removes the files beside target that are temporaries of saves of it and
// whose save is over: the writer has ended, or they were last written
// kAbandonedSaveAge ago or longer. Saves still running (in this or another
// process) keep theirs; folders, links and every other name stay.
void RemoveAbandonedSaveTemporaries(const std::wstring& target);

}  // namespace vandir
