// The gallery program: shows the control gallery until it is closed.
// "--menu" opens the function menu and "--dropdown" the image menu once the
// page is up, for screenshots of the menus.
#include <cstring>
#include "CGDIpInitializer.h"
#include "CWinApp.h"
#include "GalleryDlg.h"

namespace {

constexpr UINT_PTR kOpenMenuTimer = 1;

class GalleryApp : public CWinApp {
public:
    BOOL InitInstance() override {
        CGDIpInitializer gdiplus(false);
        gdiplus.Initialize();
        {
            GalleryDlg gallery;
            m_pMainWnd = &gallery;
            s_gallery = &gallery;
            const char* commandLine = GetCommandLineA();
            s_openMenu = std::strstr(commandLine, "--menu") != nullptr;
            s_openDropDown = std::strstr(commandLine, "--dropdown") != nullptr;
            if (s_openMenu || s_openDropDown) SetTimer(nullptr, kOpenMenuTimer, 700, &GalleryApp::OpenMenu);
            gallery.DoModal();
            s_gallery = nullptr;
            m_pMainWnd = nullptr;
        }
        gdiplus.Deinitialize();
        return FALSE;
    }

private:
    static void CALLBACK OpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        if (!s_gallery) return;
        if (s_openMenu) s_gallery->ShowFunctionMenu();
        if (s_openDropDown) s_gallery->m_dropDown.SendMessage(BM_CLICK);
    }

    static inline GalleryDlg* s_gallery = nullptr;
    static inline bool s_openMenu = false;
    static inline bool s_openDropDown = false;
};

GalleryApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) { return theApp.Main(instance, showCommand); }
