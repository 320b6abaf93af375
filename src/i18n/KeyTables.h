#pragma once
// Names of Windows virtual-key codes and the conversion between virtual-key
// codes and HID Keyboard/Keypad usage IDs (usage page 0x07), which is how the
// mouse stores keys. Pure functions; the names are English only.

#include <cstdint>
#include <string>

namespace vandir {

// Display name of a virtual-key code; empty when the code has no name
// (including every code above 255).
std::u16string KeyName(uint32_t code);

// Usage ID of a virtual-key code; codes without an entry pass unchanged.
uint16_t KeyUsageOf(uint16_t code);

// Virtual-key code of a usage ID; usages without an entry pass unchanged.
uint16_t KeyCodeOf(uint16_t usage);

}  // namespace vandir
