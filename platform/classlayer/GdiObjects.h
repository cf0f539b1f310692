// Owners of GDI objects. Each deletes its object when it goes away unless the
// handle was given away with Detach (a region handed to SetWindowRgn belongs
// to the system from then on and must never be touched again).
#pragma once
#include <windows.h>
#include <utility>
#include <vector>

template <typename Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_handle(handle) {}
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_handle(other.Detach()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept {
        if (this != &other) Attach(other.Detach());
        return *this;
    }

    Handle GetSafeHandle() const { return m_handle; }
    operator Handle() const { return m_handle; }  // NOLINT: handed to GDI calls directly
    explicit operator bool() const { return m_handle != nullptr; }

    // Takes ownership, deleting whatever was held before.
    void Attach(Handle handle) {
        DeleteObject();
        m_handle = handle;
    }
    // Gives the handle away: this object no longer deletes it.
    Handle Detach() { return std::exchange(m_handle, nullptr); }
    bool DeleteObject() {
        if (!m_handle) return false;
        bool deleted = ::DeleteObject(m_handle) != FALSE;
        m_handle = nullptr;
        return deleted;
    }

private:
    Handle m_handle = nullptr;
};

class CPen : public CGdiObject<HPEN> {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    bool CreatePen(int style, int width, COLORREF colour) {
        Attach(::CreatePen(style, width, colour));
        return GetSafeHandle() != nullptr;
    }
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    bool CreateSolidBrush(COLORREF colour) {
        Attach(::CreateSolidBrush(colour));
        return GetSafeHandle() != nullptr;
    }
};

class CFont : public CGdiObject<HFONT> {};

class CBitmap : public CGdiObject<HBITMAP> {
public:
    CBitmap() = default;
    explicit CBitmap(HBITMAP handle) : CGdiObject(handle) {}
    bool CreateCompatibleBitmap(HDC dc, int width, int height) {
        Attach(::CreateCompatibleBitmap(dc, width, height));
        return GetSafeHandle() != nullptr;
    }
    // Width and height from the bitmap's header; false when it cannot be read.
    bool GetSize(SIZE& size) const {
        BITMAP header{};
        if (!GetSafeHandle() || ::GetObject(GetSafeHandle(), sizeof(header), &header) == 0) return false;
        size = {header.bmWidth, header.bmHeight};
        return true;
    }
};

class CRgn : public CGdiObject<HRGN> {
public:
    bool CreateRectRgn(int left, int top, int right, int bottom) {
        Attach(::CreateRectRgn(left, top, right, bottom));
        return GetSafeHandle() != nullptr;
    }
    bool CreateEllipticRgn(int left, int top, int right, int bottom) {
        Attach(::CreateEllipticRgn(left, top, right, bottom));
        return GetSafeHandle() != nullptr;
    }
    bool CreatePolygonRgn(const POINT* points, int count, int fillMode) {
        Attach(::CreatePolygonRgn(points, count, fillMode));
        return GetSafeHandle() != nullptr;
    }
    // Combines two regions into this one, which must already exist.
    int CombineRgn(HRGN first, HRGN second, int mode) {
        return GetSafeHandle() ? ::CombineRgn(GetSafeHandle(), first, second, mode) : ERROR;
    }
    bool Contains(int x, int y) const { return GetSafeHandle() && PtInRegion(GetSafeHandle(), x, y); }
};

// Owner of an icon or cursor made at run time (not shared system ones).
class CIconHandle {
public:
    CIconHandle() = default;
    explicit CIconHandle(HICON icon) : m_icon(icon) {}
    ~CIconHandle() { Destroy(); }
    CIconHandle(const CIconHandle&) = delete;
    CIconHandle& operator=(const CIconHandle&) = delete;
    HICON Get() const { return m_icon; }
    void Attach(HICON icon) {
        Destroy();
        m_icon = icon;
    }
    void Destroy() {
        if (m_icon) DestroyIcon(m_icon);
        m_icon = nullptr;
    }

private:
    HICON m_icon = nullptr;
};
