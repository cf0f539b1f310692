// The express-key overlay program: started with "showkeyboard", one copy at
// a time, ends when its window closes.
#include "CKeyOverlayWnd.h"
#include "CWinApp.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>

namespace {

constexpr const char* SHOW_ARGUMENT = "showkeyboard";
constexpr const char* SINGLE_INSTANCE_EVENT = "QXKorin3ShowKeyboardEvent2009";
constexpr const char* OVERLAY_TITLE = "QXKorin3ShowKeyboard2009";

class CKeyveilApp : public CWinApp {
public:
    void SetCommandLine(const char* arguments) { commandLine_ = arguments != nullptr ? arguments : ""; }

    BOOL InitInstance() override
    {
        std::string lowered = commandLine_;
        std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (lowered != SHOW_ARGUMENT)
            return FALSE;
        instanceEvent_ = CreateEventA(nullptr, TRUE, FALSE, SINGLE_INSTANCE_EVENT);
        if (instanceEvent_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS)
            return FALSE;
        overlay_ = std::make_unique<CKeyOverlayWnd>();
        m_pMainWnd = overlay_.get();
        if (!overlay_->CreateOverlay(OVERLAY_TITLE))
            return FALSE;
        overlay_->ShowWindow(SW_SHOW);
        overlay_->UpdateWindow();
        return TRUE;
    }

    int ExitInstance() override
    {
        if (instanceEvent_ != nullptr)
            CloseHandle(instanceEvent_);
        instanceEvent_ = nullptr;
        m_pMainWnd = nullptr;
        overlay_.reset();
        return CWinApp::ExitInstance();
    }

private:
    std::string commandLine_;
    HANDLE instanceEvent_ = nullptr;
    std::unique_ptr<CKeyOverlayWnd> overlay_;
};

CKeyveilApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int showCommand)
{
    theApp.SetCommandLine(arguments);
    return theApp.Main(instance, showCommand);
}
