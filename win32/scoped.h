// Small scope guards for what the Win32 layer borrows from the system: a device context,
// an object selected into one, a GDI object, an icon, a kernel handle, a menu, a drop, a
// block of global memory, a window, a COM interface and OLE itself each go back when the
// guard goes, however the function ends; a record two threads share goes with the last
// of them.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

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
    // Hands the object to whoever frees it from now on (the clipboard, a parent menu).
    T Release() { return std::exchange(object_, nullptr); }
    void Reset(T object = nullptr) {
        if (object_) Free{}(object_);
        object_ = object;
    }

private:
    T object_;
};

// The system call that frees a kind of handle, as an Owned's `Free`.
template <auto Call>
struct FreedBy {
    template <typename T>
    void operator()(T object) const {
        Call(object);
    }
};

// A font, brush or bitmap of the program's own.
template <typename T>
using GdiObject = Owned<T, FreedBy<&DeleteObject>>;
// An icon loaded for the program's own use.
using IconHandle = Owned<HICON, FreedBy<&DestroyIcon>>;
// An event, a timer or a thread of the program's own (not a pseudo-handle).
using KernelHandle = Owned<HANDLE, FreedBy<&CloseHandle>>;
// A pop-up menu, with the submenus appended to it.
using MenuHandle = Owned<HMENU, FreedBy<&DestroyMenu>>;
// The shell's file list of a drop (WM_DROPFILES).
using DropHandle = Owned<HDROP, FreedBy<&DragFinish>>;
// A block of global memory until the clipboard takes it.
using GlobalMemory = Owned<HGLOBAL, FreedBy<&GlobalFree>>;
// A top-level window of the program's own, with its children.
using WindowHandle = Owned<HWND, FreedBy<&DestroyWindow>>;

// One reference to a record that threads share: the record counts its references in
// `refs` (Interlocked, from 0), and goes with the last one, on whichever thread lets go
// of it last.
template <typename T>
class SharedRef {
public:
    SharedRef() = default;
    explicit SharedRef(T* record) : p_(record) {
        if (p_) InterlockedIncrement(&p_->refs);
    }
    ~SharedRef() { Reset(); }
    SharedRef(const SharedRef& other) : SharedRef(other.p_) {}
    SharedRef(SharedRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    SharedRef& operator=(SharedRef other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    // A reference handed over as a bare pointer (to a new thread) is taken back here.
    static SharedRef Adopt(T* record) {
        SharedRef r;
        r.p_ = record;
        return r;
    }
    T* Release() { return std::exchange(p_, nullptr); }
    void Reset() {
        if (p_ && InterlockedDecrement(&p_->refs) == 0) delete p_;
        p_ = nullptr;
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

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
