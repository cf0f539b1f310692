// The area picker: a translucent window over one monitor or the whole
// desktop that takes two clicks and returns their rectangle in screen
// coordinates (negative left of or above the primary monitor).
#pragma once

#include "CDialog.h"
#include "TabletRecords.h"

class CFullDlg : public CDialog {
public:
    static constexpr UINT kTemplateId = 160;

    CFullDlg() : CDialog(kTemplateId, nullptr) {}
    ~CFullDlg() override;

    // Before DoModal: the screen rectangle the picker covers.
    void SetTarget(const RECT32& target) { m_target = target; }
    // After IDOK: top-left (x1, y1) and bottom-right (x2, y2).
    RECT32 Picked() const { return {m_x1, m_y1, m_x2, m_y2}; }

    BOOL OnInitDialog() override;
    void OnOK() override {}  // Enter does nothing
    BOOL PreTranslateMessage(MSG* message) override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnLButtonUp(UINT flags, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);

    int m_pointCount = 0;
    RECT32 m_target{};
    int m_x1 = -1, m_y1 = -1, m_x2 = -1, m_y2 = -1;
    HCURSOR m_cursor = nullptr;
};
