#pragma once
// A reading of the mouse that arrives while the person is editing: what the
// person changed on the pages since they were last given the record wins,
// everything else takes the reading's value. So a reading never undoes an
// edit, and an untouched page still shows what the mouse holds.

#include "model/MouseSettings.h"

namespace vandir {

// base: the record as the pages were last given it; edited: what the pages
// show now (base with the person's edits); incoming: base with the reading
// applied. Field by field (and element by element in the arrays): edited's
// value where it differs from base's, else incoming's.
MouseSettings MergeEdits(const MouseSettings& base, const MouseSettings& edited,
                         MouseSettings incoming);

}  // namespace vandir
