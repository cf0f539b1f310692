// The file-open (or save) dialog of the common dialogs, run through the
// file-dialog seam so tests can answer it.
#pragma once
#include <string>
#include "UiSeams.h"

class CWnd;

class CFileDialog {
public:
    // filter: "description|pattern|...||"
    CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                const char* filter, CWnd* parent = nullptr);

    void SetTitle(const char* title) { m_request.title = title ? title : ""; }
    // IDOK with the chosen path, or IDCANCEL.
    INT_PTR DoModal();
    std::string GetPathName() const { return m_path; }

private:
    FileDialogRequest m_request;
    std::string m_path;
};
