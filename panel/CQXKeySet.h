// The express-key page beside the main dialog's page buttons: for the
// chosen connected tablet, one label per express key naming its function
// (a click opens the function menu) and check boxes for the touch strip and
// ring. Edits stay in the page's key block until the main dialog's Save.
#pragma once

#include "CBkDialogKX.h"
#include "CButtonKX.h"
#include "CComboBox.h"
#include "CFileExe.h"
#include "CKeyboardSet.h"
#include "CStatic.h"
#include "CToolTipWnd.h"
#include "ExpressKeyLayout.h"
#include "ExpressKeyStorage.h"
#include "KeyBlock.h"
#include "KeyIniFile.h"
#include "MappedSection.h"
#include "ProgramFiles.h"
#include "SettingsFiles.h"
#include "Win32FileSystem.h"

#include <array>
#include <cstdint>
#include <string>

class CQXKeySet : public CBkDialogKX {
public:
    static constexpr UINT kTemplateId = 156;

    explicit CQXKeySet(CWnd* parent = nullptr);
    ~CQXKeySet() override;

    // No page so far has found a tablet with express keys: the main dialog
    // shows the "NoKey" message instead of the page. One value for the whole
    // program, left as it was by a page that could not start.
    static bool HasNoExpressKeys();
    // Save with the page in view; 1 done, 0 failed.
    int SendKeysToDriver();
    void ApplyLanguage(int index);

    // Fills the tablet list, obtains the key block and builds the controls;
    // the slot count, or -1 when no tablet is connected.
    int LoadTabletKeys(uint16_t vid, uint16_t pid);

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* message) override;
    // Enter and Esc leave the page open.
    void OnOK() override {}
    void OnCancel() override {}

private:
    template <int Id>
    void OnKeyLabelClicked() { OnKeyButtonClicked(Id); }
    void OnKeyButtonClicked(int id);
    void OnSelEndOkTabletId();

    bool LoadBackground(int32_t slotCount);
    void ChooseFirstNonKeypadTablet();
    void BuildKeyControls(int32_t slotCount);
    void DisableForKeypadModel();
    void DestroyKeyControls();
    void ShowFunctionMenu(int labelId);
    void SetKeyFunction(int command, const uint8_t* data);
    void OnCheckBoxClicked(int id);
    void RunKeyboard();
    void RunLaunchDialog();

    std::string MenuText(uint32_t code) const;
    std::string SlotLabelText(int slot) const;
    std::string CheckBoxCaption() const;
    std::string CheckBoxTip(int check) const;
    void RefreshLabel(int id, const std::string& text);
    CWnd* ControlOf(int id);
    KEYACTION* SlotOfKey(int id);

    CComboBox m_tabletIds;
    CKeyboardSet m_keyboard;
    CFileExe m_launch;
    CToolTipWnd m_tips;
    std::array<CStatic, 16> m_labels;
    std::array<CButtonKX, 2> m_checkBoxes;  // strip, ring
    int m_currentKeyId = 0;
    static bool s_hasKeypad;

    KeyAreaView KeyArea() const { return KeyAreaView{m_keyArea.Bytes(), m_keyArea.Size()}; }

    // The key area at the size its creator made it (19, 18 or 12 keys).
    MappedSection m_keyArea;
    ProgramFiles m_programFiles;
    Win32FileSystem m_files;
    SettingsFiles m_settings;
    ExpressKeyStorage m_storage;
    KeyIniFile m_keyFile;
    KeyNames m_names;
    KeyBlock m_block;
    uint16_t m_productId = 0;
};
