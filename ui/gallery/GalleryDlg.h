// One page that shows every skinned control in its states. The window
// tests drive it; the gallery program shows it for screenshots.
#pragma once
#include <string>
#include <vector>
#include "CBkDialogKX.h"
#include "CButtonKX.h"
#include "CComboBox.h"
#include "CKnobControlKX.h"
#include "CMyStatic.h"
#include "CShadeButtonKX.h"
#include "CToolTipWnd.h"
#include "CStatic.h"
#include "CXPMenu.h"
#include "GalleryResource.h"

class GalleryDlg : public CBkDialogKX {
public:
    static constexpr UINT kKnobChanged = WM_USER + 1;

    explicit GalleryDlg(CWnd* parent = nullptr);

    // Opens the flat function menu at the "Function" button (returns when it closes).
    void ShowFunctionMenu();

    CButtonKX m_pen, m_clean, m_default, m_disabled, m_iconOnly, m_grey, m_transparent;
    CButtonKX m_checkOn, m_checkOff, m_functionMenu, m_dropDown;
    CShadeButtonKX m_shadeSelect, m_shadeOk;
    CKnobControlKX m_knob, m_knobPlain;
    CMyStatic m_label;
    CComboBox m_combo;
    CStatic m_key1, m_key2;
    CToolTipWnd m_toolTip;
    int m_area = 0;  // the radio group

    std::vector<int> m_knobPositions;  // the knob's position at each change notification
    UINT m_lastCommand = 0;
    std::vector<UINT> m_clicked;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    LRESULT OnKnobChanged(WPARAM, LPARAM);
    void OnFunctionMenu();
    void OnPenClicked() { m_clicked.push_back(IDC_PEN); }
    void OnCheckOnClicked() { m_clicked.push_back(IDC_CHECK_ON); }

    std::vector<XPMenuItem> m_functionItems;
};
