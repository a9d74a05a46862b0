// Small scope guards for what the Win32 layer borrows from the system: a device context,
// an object selected into one, a GDI object, an icon and a COM interface each go back
// when the guard goes, however the function ends.
#pragma once

#include <windows.h>

#include <utility>

namespace poko {

// GetDC / ReleaseDC; the screen's for a null window.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() { ReleaseDC(hwnd_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// CreateCompatibleDC / DeleteDC.
class MemoryDC {
public:
    explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDC() { DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// SelectObject, and the object it replaced selected back.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A font, brush or bitmap of the program's own, deleted with its owner.
template <typename T>
class GdiObject {
public:
    explicit GdiObject(T object = nullptr) : object_(object) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.object_, nullptr));
        return *this;
    }
    T Get() const { return object_; }
    void Reset(T object = nullptr) {
        if (object_) DeleteObject(object_);
        object_ = object;
    }

private:
    T object_;
};

// An icon loaded for the program's own use, destroyed with its owner.
class IconHandle {
public:
    explicit IconHandle(HICON icon = nullptr) : icon_(icon) {}
    ~IconHandle() { Reset(); }
    IconHandle(IconHandle&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    IconHandle& operator=(IconHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.icon_, nullptr));
        return *this;
    }
    HICON Get() const { return icon_; }
    void Reset(HICON icon = nullptr) {
        if (icon_) DestroyIcon(icon_);
        icon_ = icon;
    }

private:
    HICON icon_;
};

// A COM interface pointer, released once.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

}  // namespace poko
