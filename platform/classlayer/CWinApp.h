// The application object: one per program, built before the program's
// entry. Main() runs InitInstance and, when it returns TRUE, the message
// loop until WM_QUIT, then ExitInstance.
#pragma once
#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The program's application object, or null when there is none.
    static CWinApp* Current();
    // The module that holds the program's resources.
    static HINSTANCE ResourceHandle();
    // The program's name, without folder and extension: the title of its
    // message boxes.
    static std::string AppName();

    // Called from WinMain; returns the program's exit code.
    int Main(HINSTANCE instance, int showCommand);

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* message);

    // Offers a message to the windows it is for and their parents and owners,
    // innermost first, then to the application. True when one consumed it.
    static bool PreTranslateTree(MSG& message);
    // Takes one message from the queue and hands it out; false on WM_QUIT
    // (which is put back for the outer loops).
    static bool PumpMessage();

    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;

protected:
    int m_exitCode = 0;
};
