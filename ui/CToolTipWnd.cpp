#include "CToolTipWnd.h"

#include "SkinBrand.h"

namespace {

constexpr const char* kRegionError = "ERROR in Combining Region";

}  // namespace

CToolTipWnd::CToolTipWnd()
    : m_className(CWnd::RegisterWindowClass(0)), m_fontFace(kPenmiraSkin ? "Arial" : "System") {}

CToolTipWnd::~CToolTipWnd() {
    if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
}

const MessageMap* CToolTipWnd::GetThisMessageMap() {
    static const MapEntry entries[] = {
        OnMessage<WM_CREATE, &CToolTipWnd::OnCreate>(),
        OnMessage<WM_PAINT, &CToolTipWnd::OnPaint>(),
    };
    static const MessageMap map(CWnd::GetThisMessageMap(), entries);
    return &map;
}

bool CToolTipWnd::CreateTipWindow(CWnd* parent) {
    HWND owner = parent ? parent->GetSafeHwnd() : nullptr;
    if (!CreateEx(0, m_className, "", WS_POPUP, CRect(0, 0, m_width, m_height), owner, 0)) return false;
    m_parent = owner;
    return true;
}

CRect CToolTipWnd::TextRectFor(const RECT& client) {
    const int w = client.right - client.left - 10;
    const int h = client.bottom - client.top;
    const int fx = static_cast<int>((w * 0.5) / 1.41421);
    const int fy = static_cast<int>((h * 0.5) / 1.41421);
    return {w / 2 - fx + 10, h / 2 - fy, w / 2 + fx + 10, h / 2 + fy};
}

bool CToolTipWnd::BuildShape(const RECT& client, CRgn& ellipse, CRgn& triangle, CRgn& shape) {
    const LONG l = client.left, t = client.top, r = client.right, b = client.bottom;
    const POINT corners[3] = {{l, b / 2 - 10}, {l + 15, b / 2 - 5}, {l + 15, b / 2 + 5}};
    if (!ellipse.CreateEllipticRgn(l + 10, t, r, b)) return false;
    if (!triangle.CreatePolygonRgn(corners, 3, ALTERNATE)) return false;
    if (!shape.CreateRectRgn(l + 10, t, r, b)) return false;
    return shape.CombineRgn(triangle, ellipse, RGN_OR) != ERROR;
}

int CToolTipWnd::OnCreate(CREATESTRUCTA*) {
    if (Default() == -1) return -1;
    const CRect client = GetClientRect();
    m_textRect = TextRectFor(client);
    CRgn shape;
    if (!BuildShape(client, m_ellipse, m_triangle, shape) || !SetWindowRgn(shape, true)) {
        MessageBox(kRegionError);
        return -1;
    }
    m_font.Attach(CreateFontA(m_fontHeight, 0, 0, 0, 0, FALSE, FALSE, FALSE,
                              kPenmiraSkin ? ANSI_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, m_fontFace.c_str()));
    return 0;
}

void CToolTipWnd::OnPaint() {
    CPaintDC dc(m_hWnd);
    CRgn ellipse, triangle, shape;
    if (!BuildShape(GetClientRect(), ellipse, triangle, shape)) {
        MessageBox(kRegionError);
        return;
    }
    CBrush fill(m_fillColour), frame(m_frameColour);
    FillRgn(dc, shape, fill);
    FrameRgn(dc, shape, frame, 2, 1);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_textColour);
    CSelectObject fontSelected(dc, m_font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, m_text.c_str(), static_cast<int>(m_text.size()), &extent);
    RECT rect = m_textRect;
    if (extent.cx < m_textRect.Width()) {
        dc.DrawText(m_text, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        dc.DrawText(m_text, rect, DT_CENTER | DT_WORDBREAK);
    }
}

void CToolTipWnd::AddTool(CWnd* control, const std::string& text, COLORREF colour) {
    if (!control) return;
    HWND handle = control->GetSafeHwnd();
    auto found = m_entries.find(handle);
    if (found != m_entries.end()) {
        found->second->text = text;
        return;
    }
    m_entries[handle] = std::make_unique<Entry>(Entry{handle, text, colour == 0 ? m_textColour : colour});
}

void CToolTipWnd::Show(HWND control, POINT screenPoint) {
    const Entry& entry = *m_entries.at(control);
    m_showing = 1;
    m_textColour = entry.colour;
    m_text = entry.text;
    m_currentControl = control;
    SetWindowPos(HWND_TOP, screenPoint.x, screenPoint.y, m_width, m_height, SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNA);
    Invalidate(true);
}

void CToolTipWnd::RelayEvent(MSG* message) {
    if (!m_hWnd || !message) return;
    switch (message->message) {
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (IsWindowVisible()) ShowWindow(SW_HIDE);
        break;
    case WM_MOUSEMOVE: {
        if (!::GetFocus()) break;
        if (m_showing) {
            if (WindowFromPoint(message->pt) != m_currentControl) {
                m_showing = 0;
                ShowWindow(SW_HIDE);
            }
        } else if (m_entries.count(message->hwnd)) {
            Show(message->hwnd, message->pt);
        }
        break;
    }
    default: break;
    }
}
