// Dialogs from a template, modal (DoModal runs its own loop, may be run again
// on the same object) or modeless (Create). EndDialog inside OnInitDialog
// ends a modal dialog before its loop starts and makes a modeless Create fail
// with the window destroyed.
//
// A dialog is covered while a modal loop runs over it: a modal dialog, message
// box or menu owned by it or by one of its popups (its pages). A close or
// command that could free what such a loop still uses (WM_CLOSE, OK, Cancel,
// and the commands HoldsWhileCovered names) is held meanwhile and posted to
// the dialog again, in order, once the last loop over it has ended.
#pragma once
#include <vector>
#include "CWnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Uses an in-memory template (kept alive by the caller) instead of the resource.
    void SetTemplate(const DLGTEMPLATE* dialogTemplate) { m_template = dialogTemplate; }

    virtual INT_PTR DoModal();
    bool Create(UINT templateId, CWnd* parent = nullptr);
    bool Create() { return Create(m_templateId, m_parent); }
    void EndDialog(int result);
    bool IsModal() const { return m_modal; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* exchange);
    // Moves values between the controls and the members; false when one failed.
    bool UpdateData(bool saveAndValidate = true);

    BOOL PreTranslateMessage(MSG* message) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    // Commands (clicks and menu choices) that wait while the dialog is covered.
    virtual bool HoldsWhileCovered(UINT commandId) const { return commandId == IDOK || commandId == IDCANCEL; }

    UINT m_templateId;
    CWnd* m_parent;

private:
    friend class ModalCover;
    bool Holds(UINT message, WPARAM wParam) const;
    void Uncover();

    LRESULT HandleInitDialog(WPARAM, LPARAM);
    bool CreateFromTemplate(HWND parent);
    const DLGTEMPLATE* LoadTemplate() const;
    void RunModalLoop();

    const DLGTEMPLATE* m_template = nullptr;
    bool m_modal = false;
    bool m_continue = false;  // cleared by EndDialog
    int m_result = -1;
    int m_covers = 0;          // modal loops running over this dialog
    std::vector<MSG> m_held;   // what came meanwhile, posted again when uncovered
};

// Covers, for its lifetime, the dialog at the top of `window`'s owner chain
// (nothing when that is no dialog of this layer).
class ModalCover {
public:
    explicit ModalCover(HWND window);
    ~ModalCover();
    ModalCover(const ModalCover&) = delete;
    ModalCover& operator=(const ModalCover&) = delete;

private:
    HWND m_dialog = nullptr;  // looked up again at the end: it may be gone by then
};
