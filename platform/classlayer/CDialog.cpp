#include "CDialog.h"

#include "CDataExchange.h"
#include "CWinApp.h"

namespace {

// The dialog manager needs a dialog procedure; every message is handled by
// the window object, so this one only lets the default handling run.
INT_PTR CALLBACK PassThroughDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

bool IsInputMessage(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

// Enough for any person's clicks; a program flooding the dialog loses the rest.
constexpr std::size_t kMaxHeldMessages = 16;

CDialog* DialogAtTopOf(HWND window) {
    const HWND top = window ? ::GetAncestor(window, GA_ROOTOWNER) : nullptr;
    return dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(top));
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() {
    if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
}

const MessageMap* CDialog::GetThisMessageMap() {
    static const MapEntry entries[] = {
        OnMessage<WM_INITDIALOG, &CDialog::HandleInitDialog>(),
        OnCommandId<IDOK, &CDialog::OnOK>(),
        OnCommandId<IDCANCEL, &CDialog::OnCancel>(),
    };
    static const MessageMap map(CWnd::GetThisMessageMap(), entries);
    return &map;
}

const DLGTEMPLATE* CDialog::LoadTemplate() const {
    if (m_template) return m_template;
    HINSTANCE instance = CWinApp::ResourceHandle();
    HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(m_templateId), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(instance, resource);
    return loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

bool CDialog::CreateFromTemplate(HWND parent) {
    const DLGTEMPLATE* dialogTemplate = LoadTemplate();
    if (!dialogTemplate || m_hWnd) return false;
    m_continue = true;
    // A window of its own starts uncovered, whatever an earlier one left.
    m_covers = 0;
    m_held.clear();
    HWND created = nullptr;
    {
        WindowCreationHook hook(*this);
        created = CreateDialogIndirectParamA(CWinApp::ResourceHandle(), dialogTemplate, parent,
                                             &PassThroughDialogProc, 0);
    }
    if (!created) return false;
    if (!m_continue && !m_modal) {
        // Ended during its initialisation: a modeless dialog does not survive that.
        ::DestroyWindow(created);
        return false;
    }
    return true;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(true)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::UpdateData(bool saveAndValidate) {
    if (!m_hWnd) return false;
    CDataExchange exchange(*this, saveAndValidate);
    DoDataExchange(&exchange);
    return !exchange.Failed();
}

void CDialog::EndDialog(int result) {
    m_result = result;
    if (m_modal) {
        m_continue = false;
        if (m_hWnd) PostMessage(WM_NULL);  // wakes the modal loop
        return;
    }
    if (m_continue && m_hWnd && ::IsWindow(m_hWnd)) {
        m_continue = false;
        ShowWindow(SW_HIDE);
    }
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    m_parent = parent;
    m_modal = false;
    return CreateFromTemplate(parent ? parent->GetSafeHwnd() : nullptr);
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd) return -1;
    HWND parent = m_parent ? m_parent->GetSafeHwnd() : nullptr;
    if (!parent) {
        CWinApp* app = CWinApp::Current();
        if (app && app->m_pMainWnd && app->m_pMainWnd != this) parent = app->m_pMainWnd->GetSafeHwnd();
    }
    // The parent and the window at the top of its owner chain stop taking
    // input: a dialog run from a page must also hold the main window, which
    // could otherwise delete the page under the running loop.
    const HWND topLevel = parent ? ::GetAncestor(parent, GA_ROOTOWNER) : nullptr;
    const bool disableParent = parent && ::IsWindowEnabled(parent);
    const bool disableTopLevel = topLevel && topLevel != parent && ::IsWindowEnabled(topLevel);
    if (disableTopLevel) ::EnableWindow(topLevel, FALSE);
    if (disableParent) ::EnableWindow(parent, FALSE);

    // Held from before the window exists until it is gone.
    const ModalCover cover(parent);
    m_modal = true;
    m_result = -1;
    if (CreateFromTemplate(parent)) {
        if (m_continue) {
            if (!IsWindowVisible()) ShowWindow(SW_SHOWNORMAL);
            RunModalLoop();
        }
        if (m_hWnd) SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER |
                                                        SWP_NOACTIVATE);
    }
    if (disableParent) ::EnableWindow(parent, TRUE);
    if (disableTopLevel) ::EnableWindow(topLevel, TRUE);
    if (parent && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(parent);
    if (m_hWnd) DestroyWindow();
    m_modal = false;
    return m_result;
}

void CDialog::RunModalLoop() {
    while (m_continue && m_hWnd) {
        if (!CWinApp::PumpMessage()) {
            m_result = m_result == -1 ? IDCANCEL : m_result;  // WM_QUIT ends every loop
            break;
        }
    }
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_covers == 0 || !Holds(message, wParam)) return CWnd::WindowProc(message, wParam, lParam);
    if (m_held.size() < kMaxHeldMessages) m_held.push_back(MSG{m_hWnd, message, wParam, lParam, 0, {0, 0}});
    return 0;
}

// The end of a session is not held: the system ends the program after
// WM_ENDSESSION whatever it does, and frees nothing under the loop on the way.
bool CDialog::Holds(UINT message, WPARAM wParam) const {
    if (message == WM_CLOSE) return true;
    return message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && HoldsWhileCovered(LOWORD(wParam));
}

void CDialog::Uncover() {
    if (--m_covers > 0) return;
    // Posted, not handled here: the code that ran the loop is still on the stack.
    std::vector<MSG> held;
    held.swap(m_held);
    for (const MSG& message : held) ::PostMessageA(message.hwnd, message.message, message.wParam, message.lParam);
}

ModalCover::ModalCover(HWND window) {
    if (CDialog* dialog = DialogAtTopOf(window)) {
        m_dialog = dialog->GetSafeHwnd();
        ++dialog->m_covers;
    }
}

ModalCover::~ModalCover() {
    if (CDialog* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(m_dialog))) dialog->Uncover();
}

BOOL CDialog::PreTranslateMessage(MSG* message) {
    if (!m_hWnd || !IsInputMessage(message->message)) return FALSE;
    if (message->hwnd != m_hWnd && !::IsChild(m_hWnd, message->hwnd)) return FALSE;
    return ::IsDialogMessageA(m_hWnd, message);
}
