// The express-key page shown beside the main dialog's page buttons. This is
// the page's frame only: the key controls come with the express-key page itself.
#pragma once

#include "CBkDialogKX.h"

class CQXKeySet : public CBkDialogKX {
public:
    static constexpr UINT kTemplateId = 156;

    explicit CQXKeySet(CWnd* parent = nullptr) : CBkDialogKX(kTemplateId, parent) {}

    // The tablet in the key area has no express keys: the main dialog shows
    // the "NoKey" message instead of the page.
    bool HasNoExpressKeys() const { return false; }
    // Save with the page in view; 1 done, 0 failed.
    int SendKeysToDriver() { return 0; }
    void ApplyLanguage(int) {}

protected:
    // Enter and Esc do nothing on a page.
    void OnOK() override {}
    void OnCancel() override {}
};
