#include "CCalibrate.h"

#include "CStyloraApp.h"
#include "CWinApp.h"
#include "PanelBrand.h"
#include "resource.h"

#include <cstdio>

namespace {

constexpr UINT_PTR kFirstTargetTimer = 256;
constexpr COLORREF kTargetRed = RGB(255, 0, 0);
// The order-check text is fixed; the other two come from the language file.
constexpr const char* kOrderError = "Error! \n\nCalibrate again!";
constexpr const char* kCaption = "Calibrate";
constexpr const char* kNoRoom = "The screen is too small for the calibration targets.";
const LanguageKey kCalibrateError{"CalibrateError", "Error! \n\nCalibrate again!", 64};
const LanguageKey kCalibrateOk{"CalibrateOK", "Calibrate Ok!  Save data?", 64};

std::string Text(const LanguageKey& key)
{
    const CStyloraApp* app = CStyloraApp::Instance();
    return CStyloraApp::LanguageText(app != nullptr ? app->LanguageIndex() : 0, key);
}

}  // namespace

PenmiraInsets CCalibrate::s_penmiraInsets;

CCalibrate::~CCalibrate()
{
    if (!m_cursorShown)
        ::ShowCursor(TRUE);
}

const MessageMap* CCalibrate::GetThisMessageMap()
{
    static const MapEntry entries[] = {
        OnMessage<WM_TIMER, &CCalibrate::OnTimer>(),
        OnMessage<WM_LBUTTONDOWN, &CCalibrate::OnLButtonDown>(),
        OnMessage<WM_ERASEBKGND, &CCalibrate::OnEraseBkgnd>(),
        OnMessage<kCalibratePointMessage, &CCalibrate::OnCalibratePoint>(),
    };
    static const MessageMap map(CDialog::GetThisMessageMap(), entries);
    return &map;
}

BOOL CCalibrate::OnInitDialog()
{
    CDialog::OnInitDialog();
    ModifyStyleEx(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, 255, 120, LWA_ALPHA);
    m_width = m_monitor.right - m_monitor.left;
    m_height = m_monitor.bottom - m_monitor.top;
    m_background.Attach(static_cast<HBITMAP>(::LoadImageA(CWinApp::ResourceHandle(),
                                                          MAKEINTRESOURCEA(IDB_CALIBRATE_SCREEN), IMAGE_BITMAP,
                                                          m_width, m_height, LR_CREATEDIBSECTION | LR_VGACOLOR)));
    if (!m_background)
        return FALSE;  // untitled: the service never finds it; Esc still cancels
    if (kPenmiraPanel) {
        AdoptModelInsets(s_penmiraInsets, static_cast<uint16_t>(m_tabletPid));
        m_policy = PenmiraCalibration(s_penmiraInsets);
    }
    m_session = std::make_unique<CalibrationSession>(m_policy, m_width, m_height);
    if (!m_session->HasRoom()) {
        // Targets that meet in the middle cannot be extrapolated from.
        MessageBox(kNoRoom, kCaption, MB_OK);
        EndDialog(IDCANCEL);
        return FALSE;
    }
    MoveWindow(m_monitor.left, m_monitor.top, m_width, m_height, true);
    ShowWindow(SW_SHOW);
    SetTimer(kFirstTargetTimer, 5);
    SetWindowText(kWindowTitle);
    LARGE_INTEGER frequency{};
    if (::QueryPerformanceFrequency(&frequency))
        m_counterFrequency = static_cast<double>(frequency.QuadPart);
    HideCursor();
    return TRUE;
}

void CCalibrate::OnTimer(UINT_PTR id)
{
    if (id == kFirstTargetTimer) {
        DrawTarget(m_session->Target(1), 1);
        KillTimer(kFirstTargetTimer);
    }
    Default();
}

BOOL CCalibrate::OnEraseBkgnd(CDC& dc)
{
    CMemoryDC memory(dc);
    CSelectObject picture(memory, m_background.GetSafeHandle());
    return dc.BitBlt(0, 0, m_width, m_height, memory, 0, 0, SRCCOPY);
}

void CCalibrate::DrawTarget(const CalibrationPoint& centre, int n)
{
    CClientDC dc(m_hWnd);
    CPen pen(PS_SOLID, 2, kTargetRed);
    CSelectObject selected(dc, pen.GetSafeHandle());
    for (int k = 0; k < 5; ++k) {
        const int r = 20 - 4 * k;
        ::Ellipse(dc, centre.x - r, centre.y - r, centre.x + r, centre.y + r);
    }
    dc.MoveTo(centre.x - 25, centre.y);
    dc.LineTo(centre.x + 25, centre.y);
    dc.MoveTo(centre.x, centre.y - 25);
    dc.LineTo(centre.x, centre.y + 25);
    m_currentTarget = n;
}

void CCalibrate::EraseTarget(const CalibrationPoint& centre)
{
    const int half = m_policy.eraseHalfSize;
    const RECT square{centre.x - half, centre.y - half, centre.x + half, centre.y + half};
    InvalidateRect(square, true);
    UpdateWindow();
    m_currentTarget = 0;
}

LRESULT CCalibrate::OnCalibratePoint(WPARAM wParam, LPARAM lParam)
{
    const uint32_t button = static_cast<uint32_t>(wParam & 0xFFFF);
    const uint16_t x = static_cast<uint16_t>(lParam & 0xFFFF);
    const uint16_t y = static_cast<uint16_t>((lParam >> 16) & 0xFFFF);
    if (!kPenmiraPanel) {
        char line[260];
        std::snprintf(line, sizeof line, "key = %u, x = %u, y = %u\n", button, unsigned{x}, unsigned{y});
        ::OutputDebugStringA(line);
    }
    if (!m_session)
        return 1;
    const int tapsBefore = m_session->TapState();
    const CalibrationSession::Outcome outcome = m_session->Feed(button, x, y, NowMillis());
    switch (outcome) {
    case CalibrationSession::Outcome::NextTarget:
        EraseTarget(m_session->ErasedAfter(tapsBefore + 1));
        DrawTarget(m_session->Target(tapsBefore + 2), tapsBefore + 2);
        break;
    case CalibrationSession::Outcome::OrderError:
        Refuse(outcome, kOrderError);
        break;
    case CalibrationSession::Outcome::TooSmall:
        Refuse(outcome, Text(kCalibrateError));
        break;
    case CalibrationSession::Outcome::Done:
        EraseTarget(m_session->ErasedAfter(4));
        m_result = m_session->Result();
        EndDialog(ShowBox(Text(kCalibrateOk).c_str(), MB_OKCANCEL) == IDOK ? IDOK : IDCANCEL);
        break;
    default:
        break;
    }
    return 1;
}

int CCalibrate::ShowBox(const char* text, UINT type)
{
    // The user needs the pointer to answer the box.
    if (!m_cursorShown) {
        ::ShowCursor(TRUE);
        m_cursorShown = true;
    }
    return MessageBox(text, kCaption, type);
}

void CCalibrate::Refuse(CalibrationSession::Outcome failure, const std::string& text)
{
    EraseTarget(m_session->ErasedAfter(4));
    // The service's points keep arriving while the box is up; the session
    // takes none of them until the box has closed.
    ShowBox(text.c_str(), MB_OK);
    m_session->StartAgain();
    HideCursor();
    DrawTarget(m_session->RestartTarget(failure), 1);
}

void CCalibrate::HideCursor()
{
    if (m_cursorShown) {
        ::ShowCursor(FALSE);
        m_cursorShown = false;
    }
}

void CCalibrate::OnLButtonDown(UINT, CPoint)
{
    if (m_context != nullptr)
        WTPacketsGet(m_context, 64, nullptr);
    Default();
}

BOOL CCalibrate::PreTranslateMessage(MSG* message)
{
    if (message->message == WM_KEYDOWN && message->wParam != VK_ESCAPE)
        return TRUE;
    return CDialog::PreTranslateMessage(message);
}

uint64_t CCalibrate::NowMillis() const
{
    LARGE_INTEGER counter{};
    if (m_counterFrequency <= 0 || !::QueryPerformanceCounter(&counter))
        return ::GetTickCount64();
    return static_cast<uint64_t>(static_cast<double>(counter.QuadPart) * 1000.0 / m_counterFrequency);
}
