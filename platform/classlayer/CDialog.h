// Dialogs from a template, modal (DoModal runs its own loop, may be run again
// on the same object) or modeless (Create). EndDialog inside OnInitDialog
// ends a modal dialog before its loop starts and makes a modeless Create fail
// with the window destroyed.
#pragma once
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

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    UINT m_templateId;
    CWnd* m_parent;

private:
    LRESULT HandleInitDialog(WPARAM, LPARAM);
    bool CreateFromTemplate(HWND parent);
    const DLGTEMPLATE* LoadTemplate() const;
    void RunModalLoop();

    const DLGTEMPLATE* m_template = nullptr;
    bool m_modal = false;
    bool m_continue = false;  // cleared by EndDialog
    int m_result = -1;
};
