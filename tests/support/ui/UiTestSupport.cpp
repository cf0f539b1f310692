#include "UiTestSupport.h"

#include "CWinApp.h"

namespace {

// The tests' application object: common controls and the resource module.
CWinApp g_testApplication;

}  // namespace

void PumpPending(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!CWinApp::PreTranslateTree(message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        if (milliseconds) Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

COLORREF ScreenPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

MessageBoxRecorder::MessageBoxRecorder(int answer) {
    m_previous = UiSeams::SetMessageBoxHandler([this, answer](HWND, const std::string& text, const std::string& caption,
                                                                 UINT) {
        texts.push_back(text);
        captions.push_back(caption);
        return answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() { UiSeams::SetMessageBoxHandler(m_previous); }

DesktopTurn::DesktopTurn() : m_mutex(CreateMutexA(nullptr, FALSE, "InkbridUiTestDesktop")) {
    // A test that died holding the display leaves the mutex abandoned; the
    // next one takes it over.
    if (!m_mutex) return;
    const DWORD waited = WaitForSingleObject(m_mutex, 110 * 1000);
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

DesktopTurn::~DesktopTurn() {
    if (m_held) ReleaseMutex(m_mutex);
    if (m_mutex) CloseHandle(m_mutex);
}
