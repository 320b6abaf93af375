#pragma once
// Icons of the size the display's scale asks for.

#include <windows.h>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/framework/DisplayDpi.h"

namespace vandir {

// The program's icon resource at the size of a system metric (SM_CXICON,
// SM_CXSMICON) at dpi: the image of that size in the resource, or the
// nearest scaled by the system. Null when the resource is missing.
inline UniqueIcon LoadIconForDpi(UINT resource, int sizeMetric, int dpi) {
    const int size = SystemMetricForDpi(sizeMetric, dpi);
    return UniqueIcon(
        static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                        IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace vandir
