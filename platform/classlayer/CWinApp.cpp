#include "CWinApp.h"

#include <commctrl.h>
#include "CWnd.h"

namespace {

CWinApp* g_application = nullptr;

HWND ParentOrOwner(HWND window) {
    if (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) return GetParent(window);
    return GetWindow(window, GW_OWNER);
}

}  // namespace

CWinApp::CWinApp() {
    if (!g_application) g_application = this;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

CWinApp::~CWinApp() {
    if (g_application == this) g_application = nullptr;
}

CWinApp* CWinApp::Current() { return g_application; }

HINSTANCE CWinApp::ResourceHandle() {
    if (g_application && g_application->m_hInstance) return g_application->m_hInstance;
    return GetModuleHandleA(nullptr);
}

std::string CWinApp::AppName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path) - 1);
    std::string name = path;
    const std::size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

int CWinApp::Main(HINSTANCE instance, int showCommand) {
    m_hInstance = instance;
    m_nCmdShow = showCommand;
    if (!InitInstance()) {
        if (m_pMainWnd && IsWindow(m_pMainWnd->GetSafeHwnd())) m_pMainWnd->DestroyWindow();
        return ExitInstance();
    }
    return Run();
}

BOOL CWinApp::InitInstance() { return FALSE; }

int CWinApp::ExitInstance() { return m_exitCode; }

int CWinApp::Run() {
    while (PumpMessage()) {
    }
    MSG quit{};
    if (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) m_exitCode = static_cast<int>(quit.wParam);
    return ExitInstance();
}

BOOL CWinApp::PreTranslateMessage(MSG*) { return FALSE; }

bool CWinApp::PreTranslateTree(MSG& message) {
    for (HWND window = message.hwnd; window; window = ParentOrOwner(window)) {
        CWnd* object = CWnd::FromHandlePermanent(window);
        if (object && object->PreTranslateMessage(&message)) return true;
    }
    return g_application && g_application->PreTranslateMessage(&message);
}

bool CWinApp::PumpMessage() {
    MSG message{};
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    if (!PreTranslateTree(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}
