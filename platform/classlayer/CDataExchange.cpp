#include "CDataExchange.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

bool IsRadioButton(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (lstrcmpiA(className, "Button") != 0) return false;
    const LONG_PTR type = GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

std::string ReadText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int id) {
    HWND control = ::GetDlgItem(m_dialog.GetSafeHwnd(), id);
    if (!control) Fail();
    return control;
}

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
    if (control.GetSafeHwnd()) return;
    HWND window = exchange->PrepareCtrl(id);
    if (window && !control.SubclassWindow(window)) exchange->Fail();
}

void DDX_Radio(CDataExchange* exchange, int id, int& value) {
    HWND window = exchange->PrepareCtrl(id);
    if (!window) return;
    if (exchange->Saving()) value = -1;
    int index = 0;
    do {
        if (IsRadioButton(window)) {
            if (exchange->Saving()) {
                if (SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
            } else {
                SendMessageA(window, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        window = GetWindow(window, GW_HWNDNEXT);
    } while (window && !(GetWindowLongPtrA(window, GWL_STYLE) & WS_GROUP));
}

void DDX_Text(CDataExchange* exchange, int id, std::string& value) {
    HWND window = exchange->PrepareCtrl(id);
    if (!window) return;
    if (exchange->Saving()) {
        value = ReadText(window);
    } else {
        SetWindowTextA(window, value.c_str());
    }
}

void DDX_Text(CDataExchange* exchange, int id, int& value) {
    HWND window = exchange->PrepareCtrl(id);
    if (!window) return;
    if (!exchange->Saving()) {
        SetWindowTextA(window, std::to_string(value).c_str());
        return;
    }
    const std::string text = ReadText(window);
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (text.empty() || errno != 0 || !end || *end != '\0' || parsed < INT_MIN || parsed > INT_MAX) {
        exchange->Fail();
        return;
    }
    value = static_cast<int>(parsed);
}
