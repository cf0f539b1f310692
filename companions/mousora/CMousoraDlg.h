// The double-click settings dialog: speed and rectangle track bars applied
// when the thumb is let go, a picture that changes on every double click,
// and the language choice from the system menu.
#pragma once

#include "CDialog.h"
#include "CSliderCtrl.h"
#include "CStatic.h"

class CMousoraDlg : public CDialog {
public:
    explicit CMousoraDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void ApplyLanguage(int index);

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnSpeedReleased(NMHDR* header, LRESULT* result);
    void OnScopeReleased(NMHDR* header, LRESULT* result);
    void ShowPicture(int bitmapId);

    CSliderCtrl scopeSlider_;
    CSliderCtrl speedSlider_;
    HICON icon_ = nullptr;
    CStatic picture_;
    int pictureState_ = 0;
};
