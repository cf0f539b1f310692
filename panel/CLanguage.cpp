#include "CLanguage.h"

#include "CDataExchange.h"
#include "CStyloraApp.h"
#include "LanguageListEntry.h"
#include "UiSeams.h"
#include "resource.h"

#include <vector>

namespace {

std::wstring FromAnsi(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

}  // namespace

CLanguage::CLanguage(CWnd* parent) : CDialog(IDD_LANGUAGE, parent) {}

void CLanguage::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_LANGUAGE_LIST, m_list);
}

std::wstring CLanguage::DisplayName(const std::string& name, unsigned primaryLanguage, unsigned subLanguage)
{
    // The suffix is added as wide text: the Chinese words are not ANSI text
    // outside code page 936.
    const std::u16string_view suffix = language_list::WideSuffix(name, primaryLanguage, subLanguage);
    return FromAnsi(name) + std::wstring(suffix.begin(), suffix.end());
}

BOOL CLanguage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_app = CStyloraApp::Instance();
    std::vector<std::string> names;
    if (CStyloraApp::ReadLanguageList(&names) == 0)
        return TRUE;
    const unsigned primary = m_app != nullptr ? m_app->SystemPrimaryLanguage() : 0;
    const unsigned sub = m_app != nullptr ? m_app->SystemSubLanguage() : 0;
    for (const std::string& name : names) {
        const std::wstring shown = DisplayName(name, primary, sub);
        ::SendMessageW(m_list.GetSafeHwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    m_list.SetSel(CStyloraApp::ReadSelectedLanguage(), true);
    return TRUE;
}

void CLanguage::OnOK()
{
    if (m_list.GetSelCount() != 1) {
        AfxMessageBox("You must select one language!", MB_OK);
        return;
    }
    const std::vector<int> chosen = m_list.GetSelItems();
    if (chosen.size() != 1)
        return;
    if (m_app != nullptr)
        m_app->SetLanguageIndex(chosen[0]);
    EndDialog(IDOK);
}
