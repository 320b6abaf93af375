#pragma once
// The one owner of raw handles: a move-only object that closes its handle
// exactly once. Each kind of handle is a traits type (the handle type, its
// "no handle" value and how to close it); UniqueHandle.h holds the system's
// handles and hooks, HidHandles.h the HID ones, framework/Gdi.h the GDI
// objects.

#include <utility>

namespace vandir {

// Traits: the handle type, its "no handle" value and how to close it.
template <typename Traits>
class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() noexcept = default;
    explicit UniqueResource(Handle handle) noexcept : handle_(handle) {}
    ~UniqueResource() { Reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    UniqueResource(UniqueResource&& other) noexcept : handle_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    Handle Get() const noexcept { return handle_; }
    bool Valid() const noexcept { return handle_ != Traits::Empty(); }
    explicit operator bool() const noexcept { return Valid(); }

    // Gives up ownership without closing.
    Handle Release() noexcept { return std::exchange(handle_, Traits::Empty()); }

    // Closes the owned handle, if any, and takes handle instead.
    void Reset(Handle handle = Traits::Empty()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::Empty()) {
            Traits::Close(old);
        }
    }

    // For functions that return a handle through a pointer (RegOpenKeyExW):
    // closes the owned handle and hands out the address of the empty slot.
    Handle* Put() noexcept {
        Reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Empty();
};

}  // namespace vandir
