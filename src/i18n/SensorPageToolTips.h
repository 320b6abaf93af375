#pragma once
// Tool-tip texts of the sensor page: the anchors over the painted words of the
// three DPI levels and the lift-off distance, and Reset and Apply.

#include "i18n/ToolTipTable.h"

namespace vandir {

// Rows in the order in which the window registers its tools.
ToolTipTable SensorPageToolTips();

}  // namespace vandir
