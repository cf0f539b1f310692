// The mapping page shown beside the main dialog's page buttons. This is the
// page's frame only: the mapping controls come with the mapping page itself.
#pragma once

#include "CBkDialogKX.h"

class CRegionDlg : public CBkDialogKX {
public:
    static constexpr UINT kTemplateId = 154;

    explicit CRegionDlg(CWnd* parent = nullptr) : CBkDialogKX(kTemplateId, parent) {}

    // Save with the page in view; 1 done, 0 failed.
    int ApplyMappingToDriver() { return 0; }
    void ApplyLanguage(int) {}

protected:
    // Enter and Esc do nothing on a page.
    void OnOK() override {}
    void OnCancel() override {}
};
