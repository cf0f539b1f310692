// Device contexts: CDC wraps a handle it does not own; the derived classes
// own theirs (paint, client, window and memory DCs) and release them when
// they go away. CSelectObject puts the previous object back on scope exit.
#pragma once
#include <windows.h>
#include <string>
#include <utility>
#include "Geometry.h"

class CDC {
public:
    CDC() = default;
    explicit CDC(HDC dc) : m_hDC(dc) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }  // NOLINT: handed to GDI calls directly

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }

    void FillSolidRect(const RECT& rect, COLORREF colour);
    void FillSolidRect(int x, int y, int width, int height, COLORREF colour) {
        FillSolidRect(CRect(x, y, x + width, y + height), colour);
    }
    void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
    void FrameRect(const RECT& rect, HBRUSH brush) { ::FrameRect(m_hDC, &rect, brush); }
    void DrawFocusRect(const RECT& rect) { ::DrawFocusRect(m_hDC, &rect); }
    int DrawText(const std::string& text, RECT& rect, UINT format) {
        return ::DrawTextA(m_hDC, text.c_str(), static_cast<int>(text.size()), &rect, format);
    }
    int DrawTextW(const std::wstring& text, RECT& rect, UINT format) {
        return ::DrawTextW(m_hDC, text.c_str(), static_cast<int>(text.size()), &rect, format);
    }
    bool TextOut(int x, int y, const std::string& text) {
        return ::TextOutA(m_hDC, x, y, text.c_str(), static_cast<int>(text.size())) != FALSE;
    }
    bool BitBlt(int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, width, height, source, sx, sy, rop) != FALSE;
    }
    bool StretchBlt(int x, int y, int width, int height, HDC source, int sx, int sy, int sourceWidth,
                    int sourceHeight, DWORD rop) {
        return ::StretchBlt(m_hDC, x, y, width, height, source, sx, sy, sourceWidth, sourceHeight, rop) != FALSE;
    }
    // Outlined with the current pen, filled with the current brush.
    bool Rectangle(const RECT& rect) { return ::Rectangle(m_hDC, rect.left, rect.top, rect.right, rect.bottom) != FALSE; }
    bool Ellipse(const RECT& rect) { return ::Ellipse(m_hDC, rect.left, rect.top, rect.right, rect.bottom) != FALSE; }
    bool DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon) != FALSE; }
    // Clipping: the region kinds (NULLREGION, SIMPLEREGION, COMPLEXREGION) or ERROR.
    int IntersectClipRect(const RECT& rect) {
        return ::IntersectClipRect(m_hDC, rect.left, rect.top, rect.right, rect.bottom);
    }
    // A copy of `region` becomes the clip region; null removes the clipping.
    int SelectClipRgn(HRGN region) { return ::SelectClipRgn(m_hDC, region); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    bool RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved) != FALSE; }
    void MoveTo(int x, int y) { ::MoveToEx(m_hDC, x, y, nullptr); }
    void LineTo(int x, int y) { ::LineTo(m_hDC, x, y); }

protected:
    HDC m_hDC = nullptr;
};

// BeginPaint / EndPaint around a WM_PAINT handler.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND window) : m_window(window) { m_hDC = BeginPaint(window, &m_paint); }
    ~CPaintDC() override { EndPaint(m_window, &m_paint); }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
};

// GetDC / ReleaseDC of a window's client area.
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND window) : m_window(window) { m_hDC = GetDC(window); }
    ~CClientDC() override {
        if (m_hDC) ReleaseDC(m_window, m_hDC);
    }

private:
    HWND m_window;
};

// GetWindowDC / ReleaseDC; a null window gives the screen.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(HWND window) : m_window(window) { m_hDC = GetWindowDC(window); }
    ~CWindowDC() override {
        if (m_hDC) ReleaseDC(m_window, m_hDC);
    }

private:
    HWND m_window;
};

// A memory DC compatible with another DC; deleted with the object. Whatever
// was selected into it by CSelectObject must be put back first.
class CMemoryDC : public CDC {
public:
    CMemoryDC() = default;
    explicit CMemoryDC(HDC compatibleWith) { CreateCompatibleDC(compatibleWith); }
    ~CMemoryDC() override { DeleteDC(); }
    bool CreateCompatibleDC(HDC compatibleWith) {
        DeleteDC();
        m_hDC = ::CreateCompatibleDC(compatibleWith);
        return m_hDC != nullptr;
    }
    void DeleteDC() {
        if (m_hDC) ::DeleteDC(m_hDC);
        m_hDC = nullptr;
    }
};

// Selects an object into a DC for the length of a scope.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? ::SelectObject(dc, object) : nullptr) {}
    ~CSelectObject() {
        if (m_previous) ::SelectObject(m_dc, m_previous);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
