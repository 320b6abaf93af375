#pragma once
// Owners of GDI resources. Objects (fonts, bitmaps, brushes) and memory device
// contexts are handles of the one owner, UniqueResource. A window's device
// context, a paint cycle and an object selected into a context for a while
// are scope guards instead: each puts a state back (ReleaseDC needs the
// window, EndPaint the paint record, SelectObject the previous object) rather
// than freeing a handle.

#include <windows.h>

#include "platform/win32/UniqueResource.h"

namespace vandir {

template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle object) noexcept { ::DeleteObject(object); }
};

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle dc) noexcept { ::DeleteDC(dc); }
};

// A GDI object, deleted with DeleteObject.
template <typename T>
using GdiObject = UniqueResource<GdiObjectTraits<T>>;

using UniqueFont = GdiObject<HFONT>;
using UniqueBitmap = GdiObject<HBITMAP>;
using UniqueBrush = GdiObject<HBRUSH>;

// A memory device context compatible with another, deleted with DeleteDC.
class MemoryDC : public UniqueResource<MemoryDcTraits> {
public:
    explicit MemoryDC(HDC compatibleWith) : UniqueResource(::CreateCompatibleDC(compatibleWith)) {}
};

// A window's device context (GetDC / ReleaseDC); null window: the screen.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_ != nullptr) {
            ::ReleaseDC(hwnd_, dc_);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &paint_); }
    ~PaintDC() { ::EndPaint(hwnd_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// Selects an object into a device context and puts the old one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_ != nullptr) {
            ::SelectObject(dc_, previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace vandir
