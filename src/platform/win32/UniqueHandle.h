#pragma once

// One owning wrapper for every Win32 handle and GDI object the program
// creates. A traits type names the handle type, the value that means "none"
// and the call that releases it; the aliases below cover the kinds in use.
// Windows themselves are not wrapped: each window class destroys its own.

#include <windows.h>

#include <utility>

namespace quillmere::win32 {

template <typename Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : m_handle(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    Handle Get() const noexcept { return m_handle; }
    explicit operator bool() const noexcept { return m_handle != Traits::Invalid(); }

    // Gives up ownership without releasing the handle, for calls that take
    // it over (SetWindowRgn, for one).
    [[nodiscard]] Handle Release() noexcept { return std::exchange(m_handle, Traits::Invalid()); }

    void Reset(Handle handle = Traits::Invalid()) noexcept {
        Handle old = std::exchange(m_handle, handle);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    Handle m_handle = Traits::Invalid();
};

// Kernel objects whose creators report failure as a null handle (processes,
// threads, events, mutexes, mappings).
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};

// Handles whose creators report failure as INVALID_HANDLE_VALUE (CreateFileA).
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::RegCloseKey(handle); }
};

// Security identifiers made by AllocateAndInitializeSid.
struct SidTraits {
    using Handle = PSID;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::FreeSid(handle); }
};

template <typename GdiHandle> struct GdiObjectTraits {
    using Handle = GdiHandle;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::DeleteObject(handle); }
};

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::DestroyIcon(handle); }
};

struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::DestroyMenu(handle); }
};

// Device contexts made by CreateCompatibleDC or CreateDC; GetDC's are
// released with WindowDC below instead.
struct MemoryDCTraits {
    using Handle = HDC;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::DeleteDC(handle); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueSid = UniqueHandle<SidTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits<HGDIOBJ>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueMemoryDC = UniqueHandle<MemoryDCTraits>;

// Selects a GDI object into a device context for the life of the scope and
// puts the previous one back, so that the object can be deleted afterwards.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (m_previous != nullptr && m_previous != HGDI_ERROR) {
            ::SelectObject(m_dc, m_previous);
        }
    }

    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) noexcept : m_window(window), m_paint{} {
        m_dc = ::BeginPaint(window, &m_paint);
    }
    ~PaintScope() { ::EndPaint(m_window, &m_paint); }

    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Dc() const noexcept { return m_dc; }
    const RECT& Area() const noexcept { return m_paint.rcPaint; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint;
    HDC m_dc = nullptr;
};

// GetDC/ReleaseDC of a window's client area.
class WindowDC {
public:
    explicit WindowDC(HWND window) noexcept : m_window(window), m_dc(::GetDC(window)) {}
    ~WindowDC() {
        if (m_dc != nullptr) {
            ::ReleaseDC(m_window, m_dc);
        }
    }

    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Dc() const noexcept { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

} // namespace quillmere::win32
