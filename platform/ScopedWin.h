#pragma once
// Owners for what every window touches: COM pointers, device contexts, GDI objects and
// the objects selected into a DC. Each gives its resource back when it goes out of
// scope, so an exception between acquiring and releasing leaks nothing.
#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace platform {

// A COM interface pointer that holds one reference.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over the reference the caller holds (from new, QueryInterface, Create...).
    explicit ComPtr(T* owned) : p_(owned) {}
    // Adds a reference of its own to a pointer somebody else owns.
    static ComPtr Share(T* p)
    {
        if (p)
            p->AddRef();
        return ComPtr(p);
    }
    ComPtr(const ComPtr& other) : p_(other.p_)
    {
        if (p_)
            p_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // Hands the reference to the caller.
    T* Detach() { return std::exchange(p_, nullptr); }
    void Reset(T* owned = nullptr)
    {
        if (T* old = std::exchange(p_, owned))
            old->Release();
    }
    // For out-parameters: drops what is held and gives the slot to fill.
    T** Put()
    {
        Reset();
        return &p_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

private:
    T* p_ = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ object)
{
    if (object)
        DeleteObject(object);
}

inline void DeleteDeviceContext(HDC dc)
{
    if (dc)
        DeleteDC(dc);
}

// A pen, brush, bitmap, font or region made by the caller; Free may count deletions.
template <class H, void (*Free)(HGDIOBJ) = DeleteGdiObject>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H owned) : h_(owned) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        Reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    ~GdiObject() { Reset(); }

    H Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    // Hands the object to the caller (e.g. a window that takes it over).
    H Detach() { return std::exchange(h_, nullptr); }
    void Reset(H owned = nullptr)
    {
        if (H old = std::exchange(h_, owned))
            Free(old);
    }

private:
    H h_ = nullptr;
};

// A DC the caller created (CreateCompatibleDC, CreateDCA): DeleteDC at the end.
template <void (*Free)(HDC) = DeleteDeviceContext>
class BasicOwnedDC {
public:
    BasicOwnedDC() = default;
    explicit BasicOwnedDC(HDC owned) : dc_(owned) {}
    BasicOwnedDC(const BasicOwnedDC&) = delete;
    BasicOwnedDC& operator=(const BasicOwnedDC&) = delete;
    BasicOwnedDC(BasicOwnedDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    ~BasicOwnedDC()
    {
        if (dc_)
            Free(dc_);
    }

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    HDC Detach() { return std::exchange(dc_, nullptr); }

private:
    HDC dc_ = nullptr;
};
using OwnedDC = BasicOwnedDC<>;

// A window's DC (GetDC): ReleaseDC at the end.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// The DC of a WM_PAINT (BeginPaint): EndPaint at the end.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(window_, &ps_); }

    HDC Get() const { return dc_; }
    const PAINTSTRUCT& Info() const { return ps_; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects objects into a DC and puts back, at the end, what was selected before the
// first of them (one restore per object kind: use one Selection per kind; not for
// regions, whose SelectObject answers no handle).
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection()
    {
        if (old_)
            SelectObject(dc_, old_);
    }
    // Selects another object of the same kind; the first one's predecessor still comes back.
    void Select(HGDIOBJ object)
    {
        if (!dc_ || !object)
            return;
        HGDIOBJ previous = SelectObject(dc_, object);
        if (!old_)
            old_ = previous;
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace platform
