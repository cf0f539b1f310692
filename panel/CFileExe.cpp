#include "CFileExe.h"

#include "CDataExchange.h"
#include "CFileDialog.h"
#include "CStyloraApp.h"
#include "ExpressKeyActions.h"

#include <commdlg.h>

namespace {

constexpr int kProgramLabelId = 1053;
constexpr int kSelectId = 1054;
constexpr int kPathEditId = 1055;
constexpr int kParameterEditId = 1056;
constexpr int kParameterLabelId = 1057;
constexpr UINT kBackgroundBitmap = 168;

std::string Cut(const std::string& text, size_t length)
{
    return text.size() > length ? text.substr(0, length) : text;
}

}  // namespace

CFileExe::CFileExe(CWnd* parent) : CBkDialogKX(kTemplateId, parent) {}

CFileExe::~CFileExe() = default;

const MessageMap* CFileExe::GetThisMessageMap()
{
    static const MapEntry entries[] = {
        OnControl<BN_CLICKED, kSelectId, &CFileExe::OnBnClickedSelect>(),
        OnControl<BN_CLICKED, IDOK, &CFileExe::OnBnClickedOk>(),
    };
    static const MessageMap map(CBkDialogKX::GetThisMessageMap(), entries);
    return &map;
}

void CFileExe::DoDataExchange(CDataExchange* exchange)
{
    CBkDialogKX::DoDataExchange(exchange);
    DDX_Control(exchange, kParameterLabelId, m_parameterLabel);
    DDX_Control(exchange, kProgramLabelId, m_programLabel);
    DDX_Control(exchange, kSelectId, m_selectButton);
    DDX_Control(exchange, IDOK, m_okButton);
    DDX_Control(exchange, IDCANCEL, m_cancelButton);
    DDX_Text(exchange, kPathEditId, m_path);
    DDX_Text(exchange, kParameterEditId, m_parameters);
}

BOOL CFileExe::OnInitDialog()
{
    LimitEdits();
    CBkDialogKX::OnInitDialog();
    if (const CStyloraApp* app = CStyloraApp::Instance()) {
        SetWindowText(app->UiString(langkeys::Utility).c_str());
        m_parameterLabel.SetWindowText(app->UiString(langkeys::Parameter).c_str());
        m_programLabel.SetWindowText(app->UiString(langkeys::Utility).c_str());
        m_selectButton.SetWindowText(app->UiString(langkeys::Select).c_str());
        m_okButton.SetWindowText(app->UiString(langkeys::Ok).c_str());
        m_cancelButton.SetWindowText(app->UiString(langkeys::Cancel).c_str());
    }
    m_okButton.ApplyShadeEffect(6, 8, 10, 0, 0);
    m_cancelButton.ApplyShadeEffect(6, 8, 10, 0, 0);
    m_selectButton.ApplyShadeEffect(6, 8, 10, 0, 0);
    SetBitmap(kBackgroundBitmap, kNoTransparentColour);
    return TRUE;
}

// The results go into a KEYACTION: a path longer than its data field, or
// parameters longer than theirs, cannot be typed; a stored value carried
// over from elsewhere is cut to fit.
void CFileExe::LimitEdits()
{
    m_path = Cut(m_path, key_actions::kMaxLaunchPath);
    m_parameters = Cut(m_parameters, key_actions::kMaxLaunchParameters);
    ::SendDlgItemMessageA(m_hWnd, kPathEditId, EM_SETLIMITTEXT, key_actions::kMaxLaunchPath, 0);
    ::SendDlgItemMessageA(m_hWnd, kParameterEditId, EM_SETLIMITTEXT, key_actions::kMaxLaunchParameters, 0);
}

void CFileExe::OnBnClickedSelect()
{
    CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY, "run application(*.exe)|*.exe||", nullptr);
    dialog.SetTitle("Select Exe File");
    m_path = dialog.DoModal() == IDOK ? Cut(dialog.GetPathName(), key_actions::kMaxLaunchPath) : std::string();
    if (!m_path.empty())
        UpdateData(false);
}

void CFileExe::OnBnClickedOk()
{
    UpdateData(true);
    m_path = Cut(m_path, key_actions::kMaxLaunchPath);
    m_parameters = Cut(m_parameters, key_actions::kMaxLaunchParameters);
    CDialog::OnOK();
}
