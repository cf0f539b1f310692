#include "CWnd.h"

#include <cstdio>
#include <unordered_map>
#include <vector>
#include "CMenu.h"
#include "CWinApp.h"
#include "UiSeams.h"

namespace {

// One map per process: the programs run their windows on one thread.
std::unordered_map<HWND, CWnd*>& HandleMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

thread_local CWnd* t_pendingWindow = nullptr;

bool MatchesCommand(const MapEntry& entry, UINT code, UINT id) { return entry.code == code && entry.id == id; }
bool MatchesCommandRange(const MapEntry& entry, UINT code, UINT id) {
    return entry.code == code && id >= entry.id && id <= entry.lastId;
}

bool IsMenuItemDraw(UINT message, LPARAM lParam) {
    if (message == WM_DRAWITEM) return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU;
    if (message == WM_MEASUREITEM) return reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU;
    return false;
}

}  // namespace

// ---- creation hook ------------------------------------------------------

WindowCreationHook::WindowCreationHook(CWnd& window)
    : m_hook(SetWindowsHookExA(WH_CBT, &WindowCreationHook::CbtProc, nullptr, GetCurrentThreadId())),
      m_previousPending(t_pendingWindow) {
    t_pendingWindow = &window;
}

WindowCreationHook::~WindowCreationHook() {
    if (m_hook) UnhookWindowsHookEx(m_hook);
    t_pendingWindow = m_previousPending;
}

LRESULT CALLBACK WindowCreationHook::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && t_pendingWindow) {
        CWnd* window = t_pendingWindow;
        t_pendingWindow = nullptr;  // controls of a dialog template are created afterwards: leave them
        if (window->Attach(reinterpret_cast<HWND>(wParam))) {
            window->PreSubclassWindow();
            window->HookWindowProc();
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// ---- handle map and takeover -----------------------------------------------

CWnd::~CWnd() {
    if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
    if (m_hWnd) {
        HandleMap().erase(m_hWnd);
        m_hWnd = nullptr;
    }
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    auto found = HandleMap().find(window);
    return found == HandleMap().end() ? nullptr : found->second;
}

bool CWnd::Attach(HWND window) {
    if (!window || m_hWnd || FromHandlePermanent(window)) return false;
    HandleMap()[window] = this;
    m_hWnd = window;
    return true;
}

void CWnd::HookWindowProc() {
    m_superProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
}

bool CWnd::SubclassWindow(HWND window) {
    if (!Attach(window)) return false;
    PreSubclassWindow();
    HookWindowProc();
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, HWND parent) { return SubclassWindow(::GetDlgItem(parent, static_cast<int>(id))); }

HWND CWnd::UnsubclassWindow() {
    HWND window = m_hWnd;
    if (!window) return nullptr;
    if (m_superProc) SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    m_superProc = nullptr;
    HandleMap().erase(window);
    m_hWnd = nullptr;
    return window;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                    HWND parent, UINT_PTR idOrMenu, void* param) {
    if (m_hWnd) return false;
    HWND created = nullptr;
    {
        WindowCreationHook hook(*this);
        created = CreateWindowExA(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(idOrMenu),
                                  GetModuleHandleA(nullptr), param);
    }
    return created != nullptr && created == m_hWnd;
}

bool CWnd::DestroyWindow() {
    if (!m_hWnd) return false;
    return ::DestroyWindow(m_hWnd) != FALSE;
}

const char* CWnd::RegisterWindowClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    static std::vector<std::string> names;  // registered once per process, kept for the class's lifetime
    char name[96];
    std::snprintf(name, sizeof(name), "InkbridWnd:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    for (const std::string& known : names) {
        if (known == name) return known.c_str();
    }
    if (!RegisterNamedClass(name, classStyle, cursor, background, icon)) return nullptr;
    names.emplace_back(name);
    return names.back().c_str();
}

bool CWnd::RegisterNamedClass(const char* name, UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    WNDCLASSA windowClass{};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.hIcon = icon;
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// ---- message flow ---------------------------------------------------------

LRESULT CALLBACK CWnd::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* object = FromHandlePermanent(window);
    if (!object) return ::DefWindowProcA(window, message, wParam, lParam);
    const MSG previous = object->m_current;
    object->m_current = MSG{window, message, wParam, lParam, 0, {0, 0}};
    const LRESULT result = object->WindowProc(message, wParam, lParam);
    object->m_current = previous;
    if (message == WM_NCDESTROY) object->AfterLastMessage();
    return result;
}

void CWnd::AfterLastMessage() {
    UnsubclassWindow();
    PostNcDestroy();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_superProc) return CallWindowProcA(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

const MessageMap* CWnd::GetThisMessageMap() {
    static const MessageMap map(nullptr);
    return &map;
}

const MapEntry* CWnd::FindEntry(MapEntryKind kind, UINT message, UINT code, UINT id) const {
    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MapEntry& entry = map->entries[i];
            if (entry.kind != kind) continue;
            switch (kind) {
            case MapEntryKind::Message:
                if (entry.message == message) return &entry;
                break;
            case MapEntryKind::Command:
            case MapEntryKind::Notify:
                if (MatchesCommand(entry, code, id)) return &entry;
                break;
            case MapEntryKind::CommandRange:
                if (MatchesCommandRange(entry, code, id)) return &entry;
                break;
            case MapEntryKind::ReflectedCommand:
                if (entry.code == code) return &entry;
                break;
            case MapEntryKind::CtlColor:
            case MapEntryKind::ReflectedCtlColor:
                return &entry;
            }
        }
    }
    return nullptr;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return false;
        result = 0;
        return true;
    }
    if (message == WM_NOTIFY) return OnNotify(wParam, lParam, &result) != FALSE;
    if (IsCtlColorMessage(message)) {
        if (const MapEntry* entry = FindEntry(MapEntryKind::CtlColor, 0, 0, 0)) {
            bool handled = true;
            result = entry->handler(*this, message, wParam, lParam, handled);
        } else {
            CDC dc(reinterpret_cast<HDC>(wParam));
            result = reinterpret_cast<LRESULT>(
                OnCtlColor(dc, reinterpret_cast<HWND>(lParam), message - WM_CTLCOLORMSGBOX));
        }
        return true;
    }
    // Menu items are drawn by their menu object even where the window
    // answers WM_DRAWITEM itself for its controls.
    if (IsMenuItemDraw(message, lParam) && RouteOwnerDraw(message, wParam, lParam, result)) return true;
    if (const MapEntry* entry = FindEntry(MapEntryKind::Message, message, 0, 0)) {
        bool handled = true;
        result = entry->handler(*this, message, wParam, lParam, handled);
        if (handled) return true;
    }
    if (message == WM_DRAWITEM || message == WM_MEASUREITEM) return RouteOwnerDraw(message, wParam, lParam, result);
    return false;
}

HBRUSH CWnd::OnCtlColor(CDC&, HWND control, UINT) {
    LRESULT answer = 0;
    if (ReflectToChild(control, m_current.message, m_current.wParam, m_current.lParam, &answer)) {
        return reinterpret_cast<HBRUSH>(answer);
    }
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control && ReflectToChild(control, WM_COMMAND, wParam, lParam, nullptr)) return TRUE;
    const MapEntry* entry = FindEntry(MapEntryKind::Command, 0, code, id);
    if (!entry) entry = FindEntry(MapEntryKind::CommandRange, 0, code, id);
    if (!entry) return FALSE;
    bool handled = true;
    entry->handler(*this, WM_COMMAND, wParam, lParam, handled);
    return TRUE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header) return FALSE;
    const MapEntry* entry = FindEntry(MapEntryKind::Notify, 0, header->code, static_cast<UINT>(header->idFrom));
    if (!entry) return FALSE;
    bool handled = true;
    *result = entry->handler(*this, WM_NOTIFY, 0, lParam, handled);
    return TRUE;
}

bool CWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CWnd* control = FromHandlePermanent(child);
    if (!control) return false;
    LRESULT ignored = 0;
    return control->OnChildNotify(message, wParam, lParam, result ? result : &ignored);
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const MapEntry* entry = nullptr;
    if (message == WM_COMMAND) {
        entry = FindEntry(MapEntryKind::ReflectedCommand, 0, HIWORD(wParam), 0);
    } else if (IsCtlColorMessage(message)) {
        entry = FindEntry(MapEntryKind::ReflectedCtlColor, 0, 0, 0);
    }
    if (!entry) return false;
    bool handled = true;
    *result = entry->handler(*this, message, wParam, lParam, handled);
    return handled;
}

bool CWnd::RouteOwnerDraw(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_MENU) {
            CMenu* menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(item->hwndItem));
            if (!menu) return false;
            menu->DrawItem(item);
            result = TRUE;
            return true;
        }
        return ReflectToChild(item->hwndItem, message, wParam, lParam, &result);
    }
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (item->CtlType == ODT_MENU) {
        CMenu* menu = CMenu::FindMenuOfItem(item->itemID);
        if (!menu) return false;
        menu->MeasureItem(item);
        result = TRUE;
        return true;
    }
    return ReflectToChild(GetDlgItem(static_cast<int>(item->CtlID)), message, wParam, lParam, &result);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

// ---- window state -----------------------------------------------------------

std::string CWnd::GetDlgItemText(int id) const {
    HWND item = GetDlgItem(id);
    if (!item) return std::string();
    const int length = ::GetWindowTextLengthA(item);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = ::GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string CWnd::GetWindowText() const {
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring CWnd::GetWindowTextW(int maxChars) const {
    std::wstring text(static_cast<std::size_t>(maxChars) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hWnd, text.data(), maxChars + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void CWnd::SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text ? text : ""); }

CRect CWnd::GetClientRect() const {
    CRect rect;
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

CRect CWnd::GetWindowRect() const {
    CRect rect;
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style) return false;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    if (swpFlags) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    }
    return true;
}

bool CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
    const DWORD style = GetExStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style) return false;
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(changed));
    if (swpFlags) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    }
    return true;
}

bool CWnd::SetWindowRgn(CRgn& region, bool redraw) {
    if (::SetWindowRgn(m_hWnd, region.GetSafeHandle(), redraw) == 0) return false;
    region.Detach();  // the window owns it now; Wine even deletes it at once
    return true;
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    return UiSeams::ShowMessageBox(m_hWnd, text ? text : "", caption ? caption : CWinApp::AppName(), type);
}
