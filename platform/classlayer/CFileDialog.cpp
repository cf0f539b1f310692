#include "CFileDialog.h"

#include "CWnd.h"

CFileDialog::CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent) {
    m_request.open = openFileDialog;
    m_request.defaultExtension = defaultExtension ? defaultExtension : "";
    m_request.initialName = fileName ? fileName : "";
    m_request.flags = flags;
    m_request.filter = filter ? filter : "";
    m_request.owner = parent ? parent->GetSafeHwnd() : nullptr;
}

INT_PTR CFileDialog::DoModal() {
    std::string path;
    if (!UiSeams::RunFileDialog(m_request, path)) return IDCANCEL;
    m_path = path;
    return IDOK;
}
