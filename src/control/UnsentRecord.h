#pragma once
// The record of an Apply that the mouse has not taken yet, kept on disk beside
// the profile ("DefaultPf.profile.unsent": the record in the profile's format,
// then the configuration image it gives the mouse) so that it is written at
// the next start or arrival, after an Exit too, instead
// of the mouse's old memory being read back. A write the mouse confirmed
// removes it. Only the mouse work touches it, in the order it was asked, so
// the latest Apply's record is the one kept.

#include <optional>
#include <string>

#include "model/MouseSettings.h"
#include "storage/FileSystem.h"

namespace vandir {

// Where the record not yet in the mouse is kept for a profile.
std::u16string UnsentRecordPath(const std::u16string& profilePath);

// Keeps record as not yet in the mouse; false (with the system's words in
// reason) when it could not be written.
bool KeepUnsentRecord(const MouseSettings& record, FileSystem& files,
                      std::u16string* reason = nullptr);

// The record kept for profilePath, with profilePath as its path; none when
// there is none, or when it cannot be read whole (it is then left alone and
// the mouse is read as usual).
std::optional<MouseSettings> LoadUnsentRecord(const std::u16string& profilePath, FileSystem& files);

// The mouse took what was kept: the file goes. False when it stays.
bool ForgetUnsentRecord(const std::u16string& profilePath, FileSystem& files);

}  // namespace vandir
