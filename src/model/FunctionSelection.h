#pragma once
// A button's function as the user interface holds it (a function selector's
// state), and the conversions between it and the stored ButtonAssignment.

#include <array>
#include <cstdint>
#include <string>

#include "model/FunctionCatalogue.h"
#include "model/MouseSettings.h"

namespace vandir {

struct FunctionSelection {
    FunctionId functionId = -1;  // the selected value
    std::u16string caption;      // the text the selector shows
    int32_t first = -1;          // first key (virtual-key code), rapid-fire button bit or key
    int32_t second = 1;          // rapid-fire number
    int32_t secondKey = -1;      // second key (virtual-key code)
    int32_t modifiers = -1;      // modifier bits

    friend bool operator==(const FunctionSelection&, const FunctionSelection&) = default;
};

// Writes a selector's function into a button's assignment. buttonIndex is
// always rewritten; only the fields the function uses are written, the others
// keep what they held (and so travel into the profile as they were).
void StoreFunction(const FunctionSelection& selection, int buttonIndex,
                   ButtonAssignment& assignment);

// Turns a stored assignment into a selector's function, values and caption.
// Values the assignment does not carry are left as they were.
void ShowFunction(const ButtonAssignment& assignment, FunctionSelection& selection);

// The caption of a keyboard function: modifier words, then the key names.
std::u16string KeyboardCaption(int32_t modifiers, uint16_t firstUsage, uint16_t secondUsage);

// At least one button keeps "Left Click": choosing another function for the
// only button whose selected function is Left Click is refused. Rapid-fire
// Left Click does not count.
bool RefusesLastLeftClick(const std::array<FunctionId, kButtons>& selectedFunctions, int button,
                          FunctionId chosen);

}  // namespace vandir
