#pragma once
// Tool-tip texts of the support page: its two buttons, the anchor over the
// words beside the start-at-login box, and Reset and Apply.

#include "i18n/ToolTipTable.h"

namespace vandir {

// Rows in the order in which the window registers its tools.
ToolTipTable SupportPageToolTips();

}  // namespace vandir
