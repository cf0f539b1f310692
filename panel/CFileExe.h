// The modal "Launch Application" dialog: the program a key or pen button
// starts and its parameters. Path and parameters live in the object and
// survive between runs; the owner reads them after IDOK. The edits accept
// no more than the KEYACTION fields hold.
#pragma once

#include "CBkDialogKX.h"
#include "CShadeButtonKX.h"
#include "CStatic.h"

#include <string>

class CFileExe : public CBkDialogKX {
public:
    static constexpr UINT kTemplateId = 167;

    explicit CFileExe(CWnd* parent = nullptr);
    ~CFileExe() override;

    std::string m_path;
    std::string m_parameters;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnBnClickedSelect();
    void OnBnClickedOk();
    void LimitEdits();

    CStatic m_parameterLabel;
    CStatic m_programLabel;
    CShadeButtonKX m_selectButton;
    CShadeButtonKX m_okButton;
    CShadeButtonKX m_cancelButton;
};
