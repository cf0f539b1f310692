// The two places where a program would stop and wait for a person: message
// boxes and the file-open dialog. Tests put their own answers here.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

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
    using MessageBoxHandler = std::function<int(HWND owner, const std::string& text, const std::string& caption,
                                                UINT type)>;
    // Returns true with the chosen path, false when the person cancelled.
    using FileDialogHandler = std::function<bool(const FileDialogRequest& request, std::string& path)>;

    static int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
    static bool RunFileDialog(const FileDialogRequest& request, std::string& path);

    // Each returns the handler it replaces; an empty handler restores the system's dialogs.
    static MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
    static FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

private:
    static MessageBoxHandler& MessageBoxSlot();
    static FileDialogHandler& FileDialogSlot();
};

// A message box as the programs show their user errors: modal to the window
// the user is in (the main window's last active popup), the program's name as
// its title.
int AfxMessageBox(const char* text, UINT type = MB_OK);
