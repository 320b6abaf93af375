#pragma once
// Owners of the HID and device-setup handles: device information sets and a
// collection's preparsed data. The code using them links setupapi and hid.

#include <windows.h>
// After windows.h, which they build on.
#include <setupapi.h>

// mingw-w64's HID headers declare their functions without C linkage guards.
extern "C" {
#include <hidsdi.h>
}

#include "platform/win32/UniqueResource.h"

namespace vandir {

struct DeviceInfoListTraits {
    using Handle = HDEVINFO;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle list) noexcept { ::SetupDiDestroyDeviceInfoList(list); }
};

struct PreparsedDataTraits {
    using Handle = PHIDP_PREPARSED_DATA;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle data) noexcept { ::HidD_FreePreparsedData(data); }
};

// A device information set from SetupDiGetClassDevsW (INVALID_HANDLE_VALUE when
// empty); the code using it links setupapi.
using UniqueDeviceInfoList = UniqueResource<DeviceInfoListTraits>;
// A HID collection's preparsed data from HidD_GetPreparsedData; the code using
// it links hid.
using UniquePreparsedData = UniqueResource<PreparsedDataTraits>;

}  // namespace vandir
