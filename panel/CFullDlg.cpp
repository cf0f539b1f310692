#include "CFullDlg.h"

#include "CWinApp.h"
#include "resource.h"

#include <algorithm>

CFullDlg::~CFullDlg()
{
    if (::GetCapture() == m_hWnd && m_hWnd != nullptr)
        ::ReleaseCapture();
}

const MessageMap* CFullDlg::GetThisMessageMap()
{
    static const MapEntry entries[] = {
        OnMessage<WM_LBUTTONUP, &CFullDlg::OnLButtonUp>(),
        OnMessage<WM_KEYDOWN, &CFullDlg::OnKeyDown>(),
    };
    static const MessageMap map(CDialog::GetThisMessageMap(), entries);
    return &map;
}

BOOL CFullDlg::OnInitDialog()
{
    m_pointCount = 0;
    m_x1 = m_y1 = m_x2 = m_y2 = -1;
    m_cursor = ::LoadCursorA(CWinApp::ResourceHandle(), MAKEINTRESOURCEA(IDC_PICK_AREA));
    ModifyStyleEx(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, 255, 120, LWA_ALPHA);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.showCmd = SW_SHOWNORMAL;
    placement.rcNormalPosition = {m_target.left, m_target.top, m_target.right, m_target.bottom};
    ::SetWindowPlacement(m_hWnd, &placement);
    CDialog::OnInitDialog();
    ::SetCapture(m_hWnd);
    ::SetCursor(m_cursor);
    return TRUE;
}

void CFullDlg::OnLButtonUp(UINT, CPoint point)
{
    if (::ChildWindowFromPoint(m_hWnd, point) != m_hWnd || m_pointCount >= 2)
        return;
    POINT screen{point.x, point.y};
    ClientToScreen(screen);
    if (m_pointCount == 0) {
        m_x1 = screen.x;
        m_y1 = screen.y;
    } else {
        m_x2 = screen.x;
        m_y2 = screen.y;
    }
    ++m_pointCount;
    Default();
    if (m_pointCount == 2) {
        const int left = std::min(m_x1, m_x2), right = std::max(m_x1, m_x2);
        const int top = std::min(m_y1, m_y2), bottom = std::max(m_y1, m_y2);
        m_x1 = left, m_x2 = right, m_y1 = top, m_y2 = bottom;
        EndDialog(IDOK);
    }
}

void CFullDlg::OnKeyDown(UINT, UINT, UINT)
{
    // Never reached: every key-down is swallowed before it is dispatched.
    OnCancel();
    Default();
}

BOOL CFullDlg::PreTranslateMessage(MSG* message)
{
    if (message->message == WM_KEYDOWN)
        return TRUE;
    return CDialog::PreTranslateMessage(message);
}
