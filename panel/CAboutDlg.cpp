#include "CAboutDlg.h"

#include "CStyloraApp.h"
#include "resource.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CBkDialogKX(IDD_ABOUT_PAGE, parent) {}

CAboutDlg::~CAboutDlg()
{
    if (m_previousBitmap != nullptr)
        m_memoryDC.SelectObject(m_previousBitmap);
}

const MessageMap* CAboutDlg::GetThisMessageMap()
{
    static const MapEntry entries[] = {
        OnMessage<WM_PAINT, &CAboutDlg::OnPaint>(),
    };
    static const MessageMap map(CBkDialogKX::GetThisMessageMap(), entries);
    return &map;
}

BOOL CAboutDlg::OnInitDialog()
{
    CBkDialogKX::OnInitDialog();
    m_app = CStyloraApp::Instance();
    const CRect client = GetClientRect();
    m_background.Attach(static_cast<HBITMAP>(LoadImageA(CWinApp::ResourceHandle(), MAKEINTRESOURCEA(IDB_ABOUT_PAGE),
                                                        IMAGE_BITMAP, client.Width(), client.Height(),
                                                        LR_CREATEDIBSECTION | LR_VGACOLOR)));
    if (!m_background) {
        EndDialog(IDOK);
        return FALSE;
    }
    const CRect window = GetWindowRect();
    SetAnchor(window.left, window.top, window.Width(), window.Height());
    ShowAboutText();
    return TRUE;
}

void CAboutDlg::ShowAboutText()
{
    const std::string text = m_app != nullptr ? m_app->ReadAboutText() : std::string();
    SetDlgItemText(IDC_ABOUT_TEXT, text.c_str());
}

void CAboutDlg::ReloadAboutText()
{
    ShowAboutText();
    InvalidateBehindItem(IDC_ABOUT_TEXT);
}

void CAboutDlg::OnPaint()
{
    CPaintDC dc(m_hWnd);
    if (!m_memoryDC.GetSafeHdc()) {
        m_memoryDC.CreateCompatibleDC(dc);
        m_previousBitmap = m_memoryDC.SelectObject(static_cast<HBITMAP>(m_background));
    }
    const CRect client = GetClientRect();
    dc.StretchBlt(0, 0, client.Width(), client.Height(), m_memoryDC, 0, 0, client.Width(), client.Height(), SRCCOPY);
}
