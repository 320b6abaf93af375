#pragma once
// What every skinned window needs from the application: the one skin store,
// the input hooks that the pop-up lists use, the LED animation shared by the
// previews, and the clock. The application owns these objects and they
// outlive every window.

#include "base/Clock.h"
#include "skin/InputHooks.h"
#include "skin/LedEffect.h"
#include "skin/SkinStore.h"

namespace vandir {

struct SkinContext {
    SkinStore& skins;
    InputHooks& hooks;
    LedEffect& led;
    Clock& clock;
};

}  // namespace vandir
