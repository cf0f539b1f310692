// The double-click settings program: one copy at a time, ends with its dialog.
#include "CMousoraDlg.h"
#include "CWinApp.h"

namespace {

constexpr const char* SINGLE_INSTANCE_EVENT = "belmortarsinMousoraEvent";

class CMousoraApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        // Stays open for the life of the process: it is what a second copy finds.
        HANDLE instance = CreateEventA(nullptr, TRUE, FALSE, SINGLE_INSTANCE_EVENT);
        if (instance != nullptr && GetLastError() == ERROR_ALREADY_EXISTS)
            return FALSE;
        CMousoraDlg dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }
};

CMousoraApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) { return theApp.Main(instance, showCommand); }
