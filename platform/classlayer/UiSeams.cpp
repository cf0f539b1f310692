#include "UiSeams.h"

#include <commdlg.h>
#include <utility>
#include <vector>
#include "CWinApp.h"
#include "CWnd.h"

namespace {

// "a|b|c|d||" -> "a\0b\0c\0d\0\0" as the common dialog wants it.
std::vector<char> ToDoubleNullFilter(const std::string& filter) {
    std::vector<char> result(filter.begin(), filter.end());
    for (char& c : result) {
        if (c == '|') c = '\0';
    }
    result.push_back('\0');
    result.push_back('\0');
    return result;
}

bool RunSystemFileDialog(const FileDialogRequest& request, std::string& path) {
    char buffer[MAX_PATH] = {};
    request.initialName.copy(buffer, sizeof(buffer) - 1);
    std::vector<char> filter = ToDoubleNullFilter(request.filter);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
    dialog.lpstrFile = buffer;
    dialog.nMaxFile = sizeof(buffer);
    dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = request.flags | OFN_EXPLORER;
    const BOOL chosen = request.open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
    if (!chosen) return false;
    path = buffer;
    return true;
}

}  // namespace

UiSeams::MessageBoxHandler& UiSeams::MessageBoxSlot() {
    static MessageBoxHandler handler;
    return handler;
}

UiSeams::FileDialogHandler& UiSeams::FileDialogSlot() {
    static FileDialogHandler handler;
    return handler;
}

int UiSeams::ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    if (MessageBoxSlot()) return MessageBoxSlot()(owner, text, caption, type);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

bool UiSeams::RunFileDialog(const FileDialogRequest& request, std::string& path) {
    if (FileDialogSlot()) return FileDialogSlot()(request, path);
    return RunSystemFileDialog(request, path);
}

UiSeams::MessageBoxHandler UiSeams::SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(MessageBoxSlot(), std::move(handler));
}

UiSeams::FileDialogHandler UiSeams::SetFileDialogHandler(FileDialogHandler handler) {
    return std::exchange(FileDialogSlot(), std::move(handler));
}

int AfxMessageBox(const char* text, UINT type) {
    HWND owner = nullptr;
    if (CWinApp* app = CWinApp::Current(); app && app->m_pMainWnd) owner = app->m_pMainWnd->GetSafeHwnd();
    if (!owner) owner = GetActiveWindow();
    char title[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, title, sizeof(title) - 1);
    // The program's name, without folder and extension, as the caption.
    std::string name = title;
    const std::size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return UiSeams::ShowMessageBox(owner, text ? text : "", name, type);
}
