// Small scope guards for what the Win32 layer borrows from the system: a device context,
// an object selected into one, a GDI object, an icon, a kernel handle, a COM interface
// and OLE itself each go back when the guard goes, however the function ends.
#pragma once

#include <windows.h>
#include <ole2.h>

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

// A handle of the program's own, freed with its owner by `Free`.
template <typename T, typename Free>
class Owned {
public:
    explicit Owned(T object = nullptr) : object_(object) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.object_, nullptr));
        return *this;
    }
    T Get() const { return object_; }
    void Reset(T object = nullptr) {
        if (object_) Free{}(object_);
        object_ = object;
    }

private:
    T object_;
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

// A font, brush or bitmap of the program's own.
template <typename T>
using GdiObject = Owned<T, DeleteGdiObject>;
// An icon loaded for the program's own use.
using IconHandle = Owned<HICON, DestroyIconHandle>;
// An event, a timer or a thread of the program's own (not a pseudo-handle).
using KernelHandle = Owned<HANDLE, CloseKernelHandle>;

// OLE (a single-threaded apartment on this thread) for what needs it: the picture
// decoder, the shell's execute, the open-file dialog and the names for screen readers.
// Started on first need (NeedOle), since start-up does without it and without loading
// its DLLs; ended when the session goes, which the entry makes before the window and
// lets go after it.
class OleSession {
public:
    OleSession() { current_ = this; }
    ~OleSession() {
        if (started_) OleUninitialize();
        current_ = nullptr;
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    static void Need() {
        if (current_ && !current_->started_) current_->started_ = SUCCEEDED(OleInitialize(nullptr));
    }

private:
    static inline OleSession* current_ = nullptr;
    bool started_ = false;
};
inline void NeedOle() { OleSession::Need(); }

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
