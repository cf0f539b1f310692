#include "CLanguageDlg.h"

#include "CompanionLanguage.h"
#include "DoubleClickSettings.h"
#include "LanguageListEntry.h"
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
    const std::vector<std::string> names = language.LanguageNames(doubleclick::TEXT_ROOM);
    if (names.empty())
        return TRUE;
    for (const std::string& name : names)
        list_.AddString(language_list::AnsiEntry(name, primaryLanguage_, subLanguage_).c_str());
    list_.SetSel(language.SelectedLanguage());
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
    LanguageIniFile file = CompanionLanguageFile();
    LanguageFile::WriteSelectedLanguage(file, chosen_);
    EndDialog(IDOK);
}
