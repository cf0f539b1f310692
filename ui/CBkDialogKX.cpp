#include "CBkDialogKX.h"

#include <cstring>
#include <memory>
#include <new>
#include "CWinApp.h"
#include "SkinBrand.h"

CBkDialogKX::CBkDialogKX(UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), m_controlBrush(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))) {
    FreeBackground(false);
}

CBkDialogKX::~CBkDialogKX() { FreeBackground(true); }

const MessageMap* CBkDialogKX::GetThisMessageMap() {
    static const MapEntry entries[] = {
        OnMessage<WM_ERASEBKGND, &CBkDialogKX::OnEraseBkgnd>(),
        OnMessage<WM_SIZE, &CBkDialogKX::OnSize>(),
        OnCtlColorMessage<&CBkDialogKX::OnCtlColor>(),
        OnMessage<WM_LBUTTONDOWN, &CBkDialogKX::OnLButtonDown>(),
    };
    static const MessageMap map(CDialog::GetThisMessageMap(), entries);
    return &map;
}

void CBkDialogKX::FreeBackground(bool deleteObjects) {
    if (deleteObjects) {
        m_background.DeleteObject();
        // The region belongs to the window: take it off, never delete it here.
        if (m_regionApplied && m_hWnd) ClearWindowRgn(false);
    } else {
        m_background.Detach();
    }
    m_regionApplied = false;
    m_bitmapWidth = 0;
    m_bitmapHeight = 0;
    m_controlBrush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

int CBkDialogKX::SetBitmap(HBITMAP bitmap, COLORREF transparent) {
    FreeBackground(true);
    if (bitmap) {
        m_background.Attach(bitmap);
        SIZE size{};
        if (!m_background.GetSize(size)) {
            FreeBackground(true);
            return 1;
        }
        m_bitmapWidth = size.cx;
        m_bitmapHeight = size.cy;
        if (transparent != kNoTransparentColour) {
            CRgn region;
            region.Attach(RegionFromBitmap(bitmap, GetRValue(transparent), GetGValue(transparent),
                                           GetBValue(transparent)));
            if (!region || !m_hWnd || !SetWindowRgn(region, false)) {
                FreeBackground(true);
                return 3;
            }
            m_regionApplied = true;
        }
    }
    if (m_hWnd) Invalidate(true);
    return 0;
}

int CBkDialogKX::SetBitmap(UINT resourceId, COLORREF transparent) {
    HANDLE image = LoadImageA(CWinApp::ResourceHandle(), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0,
                              LR_DEFAULTCOLOR);
    return SetBitmap(static_cast<HBITMAP>(image), transparent);
}

HRGN CBkDialogKX::RegionFromBitmap(HBITMAP bitmap, BYTE red, BYTE green, BYTE blue) {
    BITMAP header{};
    if (!bitmap || GetObject(bitmap, sizeof(header), &header) == 0) return nullptr;
    const int width = header.bmWidth - (header.bmWidth & 3);
    const int height = header.bmHeight;
    if (width <= 0 || height <= 0) return nullptr;
    const std::size_t size = static_cast<std::size_t>(width) * height * 3;
    std::unique_ptr<BYTE[]> pixels(new (std::nothrow) BYTE[size]);
    if (!pixels) return nullptr;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(size);
    int rows = 0;
    {
        CWindowDC screen(nullptr);
        rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.get(), &info, DIB_RGB_COLORS);
    }
    if (rows == 0) return nullptr;

    CRgn region;
    if (!region.CreateRectRgn(0, 0, width, height)) return nullptr;
    const BYTE* pixel = pixels.get();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, pixel += 3) {
            if (pixel[0] == blue && pixel[1] == green && pixel[2] == red) {
                CRgn dot;
                if (dot.CreateRectRgn(x, y, x + 1, y + 1)) region.CombineRgn(region, dot, RGN_XOR);
            }
        }
    }
    return region.Detach();
}

CRect CBkDialogKX::BehindItemRect(const RECT& dialogWindow, const RECT& dialogClient, const RECT& item) {
    const LONG frameBottom = dialogClient.bottom - dialogWindow.bottom;
    return {item.left - dialogWindow.left - 4, item.top + frameBottom, item.right - dialogWindow.left - 4,
            item.bottom + frameBottom + 2};
}

void CBkDialogKX::InvalidateBehindItem(int controlId) {
    HWND item = GetDlgItem(controlId);
    if (!item) return;
    RECT itemRect{};
    ::GetWindowRect(item, &itemRect);
    const CRect rect = BehindItemRect(GetWindowRect(), GetClientRect(), itemRect);
    InvalidateRect(rect, true);
}

void CBkDialogKX::SetItemTextRedraw(int controlId, const char* text) {
    HWND item = GetDlgItem(controlId);
    if (!item) return;
    ::SetWindowTextA(item, text ? text : "");
    InvalidateBehindItem(controlId);
}

void CBkDialogKX::OnBackgroundDrawn(CDC*) {}

BOOL CBkDialogKX::OnEraseBkgnd(CDC& dc) {
    const BOOL result = static_cast<BOOL>(Default());
    if (m_background) ComposeBackground(dc);
    return result;
}

void CBkDialogKX::ComposeBackground(CDC& target) {
    const CRect client = GetClientRect();
    CMemoryDC composition(target);
    CBitmap canvas;
    if (!composition.GetSafeHdc() || !canvas.CreateCompatibleBitmap(target, client.Width(), client.Height())) return;
    CSelectObject canvasSelected(composition, canvas);
    composition.FillSolidRect(client, target.GetBkColor());

    CMemoryDC source(target);
    {
        CSelectObject bitmapSelected(source, m_background);
        const BackgroundPlacement placement =
            PlaceBackground(m_drawMode, {client.Width(), client.Height()}, {m_bitmapWidth, m_bitmapHeight});
        if (placement.stretch) {
            StretchBlt(composition, 0, 0, client.Width(), client.Height(), source, 0, 0, m_bitmapWidth,
                       m_bitmapHeight, SRCCOPY);
        }
        for (const CPoint& copy : placement.copies) {
            composition.BitBlt(copy.x, copy.y, m_bitmapWidth, m_bitmapHeight, source, 0, 0, SRCCOPY);
        }
    }
    target.BitBlt(0, 0, client.Width(), client.Height(), composition, 0, 0, SRCCOPY);
    OnBackgroundDrawn(&composition);
}

void CBkDialogKX::OnSize(UINT, int, int) {
    Default();
    if (m_background) Invalidate(true);
}

bool CBkDialogKX::IsHelpLinkText(const char* text) {
    static const char kHelpChinese[] = "\xB2\xE9\xBF\xB4\xB0\xEF\xD6\xFA";  // GBK
    return std::strcmp(text, "Help") == 0 || std::strcmp(text, kHelpChinese) == 0 ||
           std::strcmp(text, kHelpAddress) == 0;
}

HBRUSH CBkDialogKX::OnCtlColor(CDC& dc, HWND control, UINT kind) {
    if (kind == CTLCOLOR_STATIC) {
        char text[261] = {};
        ::GetWindowTextA(control, text, sizeof(text));
        if (IsHelpLinkText(text)) return CWnd::OnCtlColor(dc, control, kind);
        char className[256] = {};
        ::GetClassNameA(control, className, 255);
        if (std::strcmp(className, "msctls_trackbar32") == 0) return CWnd::OnCtlColor(dc, control, CTLCOLOR_STATIC);
    } else if (kind != CTLCOLOR_BTN) {
        return CWnd::OnCtlColor(dc, control, kind);
    }
    if (kPenmiraSkin) {
        dc.SetBkMode(TRANSPARENT);
    } else {
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(kControlBackground);
    }
    return m_controlBrush;
}

void CBkDialogKX::OnLButtonDown(UINT, CPoint point) {
    if (m_dragByClientArea == 1) {
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    }
    Default();
}
