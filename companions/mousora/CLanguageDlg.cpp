#include "CLanguageDlg.h"

#include "DoubleClickSettings.h"
#include "CompanionLanguage.h"
#include "MousoraResource.h"

CLanguageDlg::CLanguageDlg(CWnd* parent) : CDialog(IDD_LANGUAGE, parent) {}

BOOL CLanguageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const LANGID system = GetSystemDefaultLangID();
    primaryLanguage_ = static_cast<uint16_t>(system & 0x3FF);
    subLanguage_ = static_cast<uint16_t>(system >> 10);
    list_.SubclassDlgItem(IDC_LANGUAGE_LIST, m_hWnd);
    const LanguageFile language = ReadCompanionLanguage();
    const std::vector<std::string> names = doubleclick::LanguageNames(language);
    if (names.empty())
        return TRUE;
    for (const std::string& name : names)
        list_.AddString(doubleclick::LanguageListEntry(name, primaryLanguage_, subLanguage_).c_str());
    list_.SetSel(language.ReadInt("selected", "language", 0));
    return TRUE;
}

void CLanguageDlg::OnOK()
{
    const std::vector<int> selected = list_.GetSelItems();
    if (selected.size() != 1) {
        MessageBox("You must select one language!");
        return;
    }
    chosen_ = selected.front();
    WriteCompanionLanguageInt("selected", "language", chosen_);
    EndDialog(IDOK);
}
