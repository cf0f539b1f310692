// The language choice opened from the main dialog's system menu: lists the
// languages of language.ini and stores the chosen index in the application.
#pragma once

#include "CDialog.h"
#include "CListBox.h"

#include <string>

class CStyloraApp;

class CLanguage : public CDialog {
public:
    explicit CLanguage(CWnd* parent = nullptr);

    // The list text of a language: simplified Chinese is named in Chinese on
    // a simplified-Chinese system, traditional Chinese carries "(Big5)".
    static std::wstring DisplayName(const std::string& name, unsigned primaryLanguage, unsigned subLanguage);

    void DoDataExchange(CDataExchange* exchange) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CListBox m_list;
    CStyloraApp* m_app = nullptr;
};
