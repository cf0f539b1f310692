#include "UiSeams.h"

#include <commdlg.h>
#include <vector>
#ifdef INKBRID_TEST_SEAMS
#include <utility>
#endif
#include "CDialog.h"
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

int UiSeams::ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    const ModalCover cover(owner);
#ifdef INKBRID_TEST_SEAMS
    if (MessageBoxSlot()) return MessageBoxSlot()(owner, text, caption, type);
#endif
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

bool UiSeams::RunFileDialog(const FileDialogRequest& request, std::string& path) {
#ifdef INKBRID_TEST_SEAMS
    if (FileDialogSlot()) return FileDialogSlot()(request, path);
#endif
    return RunSystemFileDialog(request, path);
}

#ifdef INKBRID_TEST_SEAMS
UiSeams::MessageBoxHandler& UiSeams::MessageBoxSlot() {
    static MessageBoxHandler handler;
    return handler;
}

UiSeams::FileDialogHandler& UiSeams::FileDialogSlot() {
    static FileDialogHandler handler;
    return handler;
}

UiSeams::MessageBoxHandler UiSeams::SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(MessageBoxSlot(), std::move(handler));
}

UiSeams::FileDialogHandler UiSeams::SetFileDialogHandler(FileDialogHandler handler) {
    return std::exchange(FileDialogSlot(), std::move(handler));
}
#endif

namespace {

// The window a framework message box belongs to: the last active popup of the
// main window (the modal dialog the user is in, or the main window itself).
// `top` receives the top-level window to keep disabled while the box is up
// when the box does not belong to it, else null.
HWND MessageBoxOwner(HWND& top) {
    HWND start = nullptr;
    if (CWinApp* app = CWinApp::Current(); app && app->m_pMainWnd) start = app->m_pMainWnd->GetSafeHwnd();
    if (!start) start = GetActiveWindow();
    // A popup cannot be owned by a child window.
    while (start && (GetWindowLongPtrA(start, GWL_STYLE) & WS_CHILD)) start = GetParent(start);
    HWND root = start;
    for (HWND up = start; up; up = GetParent(up)) root = up;
    const HWND owner = start ? GetLastActivePopup(start) : nullptr;
    top = root && root != owner && IsWindowEnabled(root) ? root : nullptr;
    return owner;
}

}  // namespace

int AfxMessageBox(const char* text, UINT type) {
    HWND top = nullptr;
    const HWND owner = MessageBoxOwner(top);
    if (top) EnableWindow(top, FALSE);
    const int result = UiSeams::ShowMessageBox(owner, text ? text : "", CWinApp::AppName(), type);
    if (top) EnableWindow(top, TRUE);
    return result;
}
