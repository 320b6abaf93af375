#pragma once
// What the window tests build windows with: the generated skin sheets beside
// the test program, the input hooks, the LED animation and a clock, and a
// store whose failure path is recorded instead of shown.

#include <string>
#include <vector>

#include "base/Clock.h"
#include "skin/InputHooks.h"
#include "skin/LedEffect.h"
#include "skin/SkinContext.h"
#include "skin/SkinStore.h"

namespace vandir {

class SkinFixture {
public:
    explicit SkinFixture(std::wstring folder = DefaultSkinFolder())
        : skins(std::move(folder),
                SkinFailureReporter{[this](const std::wstring& text) { failures.push_back(text); },
                                    [this] { quitRequests++; }}) {}

    std::vector<std::wstring> failures;
    int quitRequests = 0;
    SkinStore skins;
    InputHooks hooks;
    LedEffect led;
    SystemClock clock;
    SkinContext context{skins, hooks, led, clock};
};

}  // namespace vandir
