#pragma once
// Icons of a size the display's scale asks for. An icon loaded at a size of
// the caller's choosing is the caller's own (not the system's shared copy)
// and is destroyed with DestroyIcon.

#include <windows.h>

#include "platform/win32/UniqueResource.h"
#include "platform/win32/framework/DisplayDpi.h"

namespace vandir {

struct IconTraits {
    using Handle = HICON;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle icon) noexcept { ::DestroyIcon(icon); }
};
using UniqueIcon = UniqueResource<IconTraits>;

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
