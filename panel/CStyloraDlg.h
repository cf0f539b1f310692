// The panel's main window: the page buttons, the pen settings edited live in
// the pen section, and one page at a time beside the buttons (mapping,
// express keys, About). Save publishes the settings of the page in view; Exit
// undoes the unsaved pen edits and closes.
#pragma once

#include "CAboutDlg.h"
#include "CBkDialogKX.h"
#include "CButtonKX.h"
#include "CFileExe.h"
#include "CKeyboardSet.h"
#include "CPenPage.h"
#include "KeyIniFile.h"
#include "CQXKeySet.h"
#include "CRegionDlg.h"
#include "GdiObjects.h"
#include "MainDialogBrand.h"
#include "MainDialogRules.h"
#include "MappedSection.h"
#include "SharedSections.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class CStyloraApp;
class LanguageFile;

class CStyloraDlg : public CBkDialogKX {
public:
    // Pen section: the process id, then the pen block edited in place (the
    // pen settings and the spare key).
    static constexpr size_t kPenBlockOffset = offsetof(PenSection, pen);
    static constexpr size_t kPenBlockSize = sizeof(PenSection) - kPenBlockOffset;

    explicit CStyloraDlg(CWnd* parent = nullptr);
    ~CStyloraDlg() override;

    // Texts of the frame in the language `index`; nothing changes when the
    // language cannot be named.
    void ApplyLanguage(int index);
    // 1 when the pen settings were handed to the service (or written), 0 on failure.
    int SavePenSettings();

    // This build's main-dialog values: page states and backgrounds, pen id,
    // key area, the express-key check.
    static const MainDialog::Brand& Brand();

    void DoDataExchange(CDataExchange* exchange) override;
    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;      // Save
    void OnCancel() override;  // Exit
    // Save, Exit and the page buttons wait for a dialog of the frame or a page.
    bool HoldsWhileCovered(UINT commandId) const override;

    uint8_t* PenBlock() const { return m_penSection.As<uint8_t>() + kPenBlockOffset; }
    KeyAreaSectionHead* KeyArea() const { return m_keyAreaSection.As<KeyAreaSectionHead>(); }

private:
    // Start-up steps; each false ends the dialog.
    bool OpenSections();
    bool LoadBackgroundBitmap(UINT bitmapId);
    bool TakePenBlockCopy();
    void ApplyLanguageLayout();
    void SetButtonIcons();
    void LoadOverlay();
    void AddLanguageMenuItem();
    void EndAtStartup();

    // Pages.
    void OnBnClickedPenSetting();
    void OnBnClickedMapping();
    void OnBnClickedKeySetting();
    void OnBnClickedAbout();
    PageAnchor AnchorNow() const;
    void ShowPage(CBkDialogKX& page, bool wholeAnchor);
    void ChangeBackground(const MainDialog::PageLook& page);
    void DeletePages(bool mapping, bool keys, bool about);

    // The pen settings and the try-here area (their logic is the pen page's).
    PenPageServices PenServices();
    PENSETTINGS* PenSettings() const { return reinterpret_cast<PENSETTINGS*>(PenBlock()); }
    const PENSETTINGS& PenSettingsCopy() const { return *reinterpret_cast<const PENSETTINGS*>(m_penCopy); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnSelEndOkParameter() { m_penPage.OnSelEndOkParameter(); }
    void OnDefault() { m_penPage.OnDefault(); }
    void OnFirstPenButtonLabel() { m_penPage.OnPenButtonLabel(MainDialog::kFirstPenButtonLabel); }
    void OnSecondPenButtonLabel() { m_penPage.OnPenButtonLabel(MainDialog::kSecondPenButtonLabel); }
    void OnBnClickedClean() { m_penPage.OnClean(); }
    void OnDisablePressure() { m_penPage.OnDisablePressure(); }
    LRESULT OnKnobChanged(WPARAM wParam, LPARAM lParam) { return m_penPage.OnKnobChanged(wParam, lParam); }

    // Messages.
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnMove(int x, int y);
    LRESULT OnPenId(WPARAM wParam, LPARAM lParam);
    void SetPenIdText(const std::string& text);
    void RunLanguageDialog();
    void SetButtonsTransparent();
    void LabelFrame(const LanguageFile& file, int index);
    void SetFrameTexts(const LanguageFile& file, int index);

    CButtonKX m_penSettingButton;
    CButtonKX m_mappingButton;
    CButtonKX m_keySettingButton;
    CButtonKX m_aboutButton;
    CButtonKX m_saveButton;
    CButtonKX m_exitButton;
    std::unique_ptr<CRegionDlg> m_mappingPage;
    std::unique_ptr<CQXKeySet> m_keysPage;
    std::unique_ptr<CAboutDlg> m_aboutPage;
    HICON m_icon = nullptr;  // shared resource icon, not destroyed
    CStyloraApp* m_app = nullptr;
    // The page background, kept selected in its memory DC.
    CBitmap m_background;
    CMemoryDC m_backgroundDC;
    HGDIOBJ m_backgroundDCDefault = nullptr;
    int m_pageState = 0;
    int m_languageIndex = 0;
    CBitmap m_overlay;
    CMemoryDC m_overlayDC;
    HGDIOBJ m_overlayDCDefault = nullptr;
    int m_overlayWidth = 0;
    int m_overlayHeight = 0;
    uint8_t* m_penCopy = nullptr;  // process heap, kPenBlockSize bytes
    MappedSection m_penSection;
    MappedSection m_keyAreaSection;
    bool m_plainModel = false;
    // The function menu's keyboard and launch dialogs, reused for every run,
    // and the key names of the pen-button labels.
    CKeyboardSet m_keyboard;
    CFileExe m_launch;
    KeyIniFile m_keyFile;
    KeyNames m_keyNames;
    // Last: its windows and tablet context go before the sections they read.
    CPenPage m_penPage;
};
