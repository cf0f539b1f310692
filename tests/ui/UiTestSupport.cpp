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
    m_previous = UiSeams::SetMessageBoxHandler([this, answer](HWND, const std::string& text, const std::string&, UINT) {
        texts.push_back(text);
        return answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() { UiSeams::SetMessageBoxHandler(m_previous); }
