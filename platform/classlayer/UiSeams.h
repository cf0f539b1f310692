// The two places where a program would stop and wait for a person: message
// boxes and the file-open dialog. In the test build (INKBRID_TEST_SEAMS)
// tests put their own answers here; the shipped programs always show the
// system's dialogs and carry nothing of the tests' answers.
#pragma once
#include <windows.h>
#include <string>
#ifdef INKBRID_TEST_SEAMS
#include <functional>
#endif

struct FileDialogRequest {
    bool open = true;
    HWND owner = nullptr;
    std::string title;
    std::string filter;  // "name|pattern|...||"
    std::string defaultExtension;
    std::string initialName;
    DWORD flags = 0;
};

class UiSeams {
public:
    static int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
    // True with the chosen path, false when the person cancelled.
    static bool RunFileDialog(const FileDialogRequest& request, std::string& path);

#ifdef INKBRID_TEST_SEAMS
    using MessageBoxHandler = std::function<int(HWND owner, const std::string& text, const std::string& caption,
                                                UINT type)>;
    using FileDialogHandler = std::function<bool(const FileDialogRequest& request, std::string& path)>;

    // Each returns the handler it replaces; an empty handler restores the system's dialogs.
    static MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
    static FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

private:
    static MessageBoxHandler& MessageBoxSlot();
    static FileDialogHandler& FileDialogSlot();
#endif
};

// A message box as the programs show their user errors: modal to the window
// the user is in (the main window's last active popup), the program's name as
// its title.
int AfxMessageBox(const char* text, UINT type = MB_OK);
