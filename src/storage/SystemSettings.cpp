#include "storage/SystemSettings.h"

namespace vandir {

namespace {
bool IsSystemStep(uint8_t step) {
    return step >= kFirstSystemStep && step <= kLastSystemStep;
}
}  // namespace

std::optional<uint32_t> DoubleClickTimeForStep(uint8_t doubleClickSpeed) {
    if (!IsSystemStep(doubleClickSpeed)) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(970 - 70 * static_cast<int32_t>(doubleClickSpeed));
}

std::optional<uint32_t> PointerSpeedForStep(uint8_t pointerSpeed) {
    if (!IsSystemStep(pointerSpeed)) {
        return std::nullopt;
    }
    // 20/11 rounded to single precision, as the system's scale has always been computed.
    constexpr float kScale = 1.8181819f;
    return static_cast<uint32_t>(static_cast<float>(pointerSpeed) * kScale);
}

std::u16string ProfilePathUnder(const std::u16string& applicationDataFolder) {
    return applicationDataFolder + u"\\Meridane\\Vandir II" + u"\\Profiles\\DefaultPf.profile";
}

}  // namespace vandir
