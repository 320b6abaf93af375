#pragma once
// Readable control events in the tests' failure messages.

#include <ostream>

#include "skin/ControlEvents.h"

namespace vandir {

inline void PrintTo(const ControlEvent& e, std::ostream* out) {
    *out << "{kind " << static_cast<int>(e.kind) << ", id " << e.id << ", value " << e.value << "}";
}

}  // namespace vandir
