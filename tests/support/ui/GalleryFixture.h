// The control gallery shown modeless on the test display, with GDI+ running.
#pragma once
#include "CGDIpInitializer.h"
#include "GalleryDlg.h"
#include "UiTestSupport.h"

struct GalleryFixture {
    GalleryFixture() {
        created = gallery.Create();
        if (created) {
            gallery.SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
            SetForegroundWindow(gallery);
            gallery.UpdateWindow();
            PumpPending();
        }
    }

    DesktopTurn desktop;  // first: held until the gallery is gone
    CGDIpInitializer gdiplus{true};
    GalleryDlg gallery;
    bool created = false;
};

// Paints an owner-drawn button into a memory bitmap of its size.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height) : m_width(width), m_height(height) {
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        m_previous = SelectObject(m_dc, m_bitmap);
        RECT all{0, 0, width, height};
        FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    ~MemoryCanvas() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    DRAWITEMSTRUCT Item(HWND control, UINT state) const {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = static_cast<UINT>(GetDlgCtrlID(control));
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = control;
        item.hDC = m_dc;
        item.rcItem = RECT{0, 0, m_width, m_height};
        return item;
    }

private:
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
};
