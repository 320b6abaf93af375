#include "model/MouseSettings.h"

#include <utility>

namespace vandir {

MouseSettings MouseSettings::CreateWithDefaults() {
    return MouseSettings{};
}

MouseSettings MouseSettings::ForStartup(std::u16string profilePath) {
    MouseSettings settings;
    settings.profileIndex = 0;
    settings.profileName = kStartupProfileName;
    settings.profilePath = std::move(profilePath);
    return settings;
}

void MouseSettings::ResetToDefaults() {
    MouseSettings defaults;
    defaults.profilePath = std::move(profilePath);
    defaults.profileIndex = profileIndex;
    *this = std::move(defaults);
}

}  // namespace vandir
