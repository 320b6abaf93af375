#pragma once
// Tool-tip texts of the LED page: the anchors beside the four mode boxes, and
// Reset and Apply.

#include "i18n/ToolTipTable.h"

namespace vandir {

// Rows in the order in which the window registers its tools.
ToolTipTable LedPageToolTips();

}  // namespace vandir
