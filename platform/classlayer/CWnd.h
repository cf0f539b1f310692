// The window object: one C++ object per window handle, found again through
// the handle map. A window is either created by this object (CreateEx) or an
// existing control taken over (SubclassWindow); either way every message goes
// through WindowProc, the message map, and finally the window's own procedure
// (Default).
#pragma once
#include <windows.h>
#include <string>
#include "CDC.h"
#include "GdiObjects.h"
#include "Geometry.h"
#include "MessageMap.h"

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();  // destroys a live window it created or took over
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }  // NOLINT: handed to Win32 calls directly

    // The object that owns a window handle, or null.
    static CWnd* FromHandlePermanent(HWND window);

    // ---- creation, takeover, destruction
    bool CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                  HWND parent, UINT_PTR idOrMenu, void* param = nullptr);
    bool SubclassWindow(HWND window);
    bool SubclassDlgItem(UINT id, HWND parent);
    HWND UnsubclassWindow();
    bool DestroyWindow();
    // Registers (once) and names a window class whose procedure is DefWindowProc.
    static const char* RegisterWindowClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                           HICON icon = nullptr);
    // Registers a window class of a given name whose procedure is
    // DefWindowProc; true also when it was registered before.
    static bool RegisterNamedClass(const char* name, UINT classStyle, HCURSOR cursor, HBRUSH background,
                                   HICON icon = nullptr);

    // ---- message handling
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* message);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Messages a parent sends back to the control they concern; true when answered.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The window's own procedure for the message being handled.
    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default handling of WM_CTLCOLOR*: the control's own answer, else the window's.
    HBRUSH OnCtlColor(CDC& dc, HWND control, UINT kind);

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

    // ---- window state
    std::string GetWindowText() const;
    std::wstring GetWindowTextW(int maxChars) const;
    void SetWindowText(const char* text);
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    CRect GetClientRect() const;
    CRect GetWindowRect() const;
    void ScreenToClient(POINT& point) const { ::ScreenToClient(m_hWnd, &point); }
    void ClientToScreen(POINT& point) const { ::ClientToScreen(m_hWnd, &point); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
    bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    bool ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
    void Invalidate(bool erase = true) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT& rect, bool erase = true) { ::InvalidateRect(m_hWnd, &rect, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    bool ShowWindow(int command) { return ::ShowWindow(m_hWnd, command) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool EnableWindow(bool enable = true) { return ::EnableWindow(m_hWnd, enable) != FALSE; }
    void MoveWindow(int x, int y, int width, int height, bool repaint = true) {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    bool SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags) != FALSE;
    }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    LRESULT SendMessage(UINT message, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessageA(m_hWnd, message, w, l); }
    bool PostMessage(UINT message, WPARAM w = 0, LPARAM l = 0) const {
        return ::PostMessageA(m_hWnd, message, w, l) != FALSE;
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    bool KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id) != FALSE; }
    // Hands the region to the window; on success the system owns it and
    // `region` is left empty, on failure it keeps (and later deletes) it.
    bool SetWindowRgn(CRgn& region, bool redraw);
    bool ClearWindowRgn(bool redraw) { return ::SetWindowRgn(m_hWnd, nullptr, redraw) != 0; }
    // Without a caption the box is titled with the program's name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

    // ---- children by id
    void SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text ? text : ""); }
    std::string GetDlgItemText(int id) const;
    void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }

    // ---- system menu, icons, capture
    // The window's system menu; it belongs to the window, never destroy it.
    // With `revert` the system's own menu comes back and null is returned.
    HMENU GetSystemMenu(bool revert = false) const { return ::GetSystemMenu(m_hWnd, revert); }
    // Sets the big or small icon; returns the previous one (still the caller's).
    HICON SetIcon(HICON icon, bool big) {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                                                   reinterpret_cast<LPARAM>(icon)));
    }
    HWND SetCapture() { return ::SetCapture(m_hWnd); }
    static bool ReleaseCapture() { return ::ReleaseCapture() != FALSE; }
    static HWND GetCapture() { return ::GetCapture(); }

    // The system's forms of the helpers above stay callable without "::"
    // inside window classes, as code written against the plain API expects.
    static BOOL SetDlgItemText(HWND window, int id, const char* text) { return ::SetDlgItemTextA(window, id, text); }
    static HMENU GetSystemMenu(HWND window, BOOL revert) { return ::GetSystemMenu(window, revert); }
    static HWND SetCapture(HWND window) { return ::SetCapture(window); }

    // The message being handled, for handlers that need more than their arguments.
    const MSG* GetCurrentMessage() const { return &m_current; }

protected:
    // Called with the handle attached, before the window procedure is replaced.
    virtual void PreSubclassWindow() {}
    // Called after the window's last message; the handle is already gone.
    virtual void PostNcDestroy() {}

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    const MapEntry* FindEntry(MapEntryKind kind, UINT message, UINT code, UINT id) const;
    bool RouteOwnerDraw(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    static bool ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    HWND m_hWnd = nullptr;

private:
    friend class WindowCreationHook;
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Attach(HWND window);
    void HookWindowProc();
    void AfterLastMessage();

    WNDPROC m_superProc = nullptr;
    MSG m_current{};  // the message being handled, for Default()
};

// The first window created on this thread while the scope lives is taken
// over by `window` from its very first message on.
class WindowCreationHook {
public:
    explicit WindowCreationHook(CWnd& window);
    ~WindowCreationHook();
    WindowCreationHook(const WindowCreationHook&) = delete;
    WindowCreationHook& operator=(const WindowCreationHook&) = delete;

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook;
    CWnd* m_previousPending;
};
