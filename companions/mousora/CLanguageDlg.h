// The language choice of the companions: one language from the list in
// language.ini, stored there as the selected one.
#pragma once

#include "CDialog.h"
#include "CListBox.h"

class CLanguageDlg : public CDialog {
public:
    explicit CLanguageDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;
    int ChosenIndex() const { return chosen_; }

private:
    CListBox list_;
    uint16_t primaryLanguage_ = 0;
    uint16_t subLanguage_ = 0;
    int chosen_ = 0;
};
