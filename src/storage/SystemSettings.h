#pragma once
// Values the program derives from the record for the operating system, and
// the location of the profile.

#include <cstdint>
#include <optional>
#include <string>

namespace vandir {

// Name of the start-at-login value.
inline constexpr char16_t kAutostartValueName[] = u"Meridane Vandir II";

// The steps of the pointer-speed and double-click sliders. A step outside
// them (a damaged or foreign profile) stays in the record and the profile as
// it is, but never reaches the system: it would set a double-click time of
// about 4.3 million seconds, or a pointer speed the system does not have.
inline constexpr uint8_t kFirstSystemStep = 1;
inline constexpr uint8_t kLastSystemStep = 11;

// 970 - 70 x step milliseconds: 900 ms at step 1, 200 ms at step 11; nothing
// for another step.
std::optional<uint32_t> DoubleClickTimeForStep(uint8_t doubleClickSpeed);

// step x 20/11 in single precision, truncated toward zero: steps 1..11 give
// 1, 3, 5, 7, 9, 10, 12, 14, 16, 18, 20; nothing for another step.
std::optional<uint32_t> PointerSpeedForStep(uint8_t pointerSpeed);

// The profile file under an application-data folder:
// <folder>\Meridane\Vandir II\Profiles\DefaultPf.profile
std::u16string ProfilePathUnder(const std::u16string& applicationDataFolder);

}  // namespace vandir
