// The About page beside the main dialog's page buttons: a background picture
// and the licence text of the chosen language.
#pragma once

#include "CBkDialogKX.h"
#include "GdiObjects.h"

class CStyloraApp;

class CAboutDlg : public CBkDialogKX {
public:
    explicit CAboutDlg(CWnd* parent = nullptr);
    ~CAboutDlg() override;

    // Shows the licence text of the application's language again.
    void ReloadAboutText();

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    BOOL OnInitDialog() override;
    // Enter and Esc do nothing on the page.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void ShowAboutText();
    void OnPaint();

    CStyloraApp* m_app = nullptr;
    CBitmap m_background;
    CMemoryDC m_memoryDC;
    HGDIOBJ m_previousBitmap = nullptr;  // put back before the memory DC goes
};
