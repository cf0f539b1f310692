// The mapping page: which part of the screen the pen drives (the whole
// desktop, one monitor or a picked area) and which part of the tablet is
// used (all of it, the screen's aspect ratio, dragged on the tablet picture
// or calibrated), for one selected tablet, published to the device service.
#pragma once

#include "CBkDialogKX.h"
#include "CButtonKX.h"
#include "CComboBox.h"
#include "DisplayMonitors.h"
#include "GdiObjects.h"
#include "LanguageKeys.h"
#include "MappedSection.h"
#include "MappingBrand.h"
#include "MappingRecord.h"
#include "MappingStore.h"
#include "PreviewGeometry.h"
#include "ProgramFiles.h"
#include "TabletPicture.h"
#include "Win32FileSystem.h"

#include <memory>
#include <string>
#include <vector>

class CStyloraApp;

class CRegionDlg : public CBkDialogKX {
public:
    static constexpr UINT kTemplateId = 154;

    explicit CRegionDlg(CWnd* parent = nullptr);
    ~CRegionDlg() override;

    // Publishes the page's record; 1 done, 0 the service's connection is missing.
    int ApplyMappingToDriver();
    void ApplyLanguage(int index);
    // Moves the page to its anchor; the second brand then lays its controls
    // out for the selected language.
    void MoveToAnchor() override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override {}      // Enter and Esc do nothing on a page
    void OnCancel() override {}

private:
    void OnPaint();
    void OnSelEndOkMonitor();
    void OnPartOfMonitor();
    void OnMouseMove(UINT flags, CPoint point);
    void OnSelectMonitor();
    void OnAutoSetting();
    void OnAllTablet();
    void OnCalibrate();
    void OnSelEndOkTabletId();
    void RunCalibration();
    void OnRotateSelChange();
    void Relayout();

    // -1 without a connected tablet (the page then ends), else their number.
    int SelectDevice(uint16_t vid, uint16_t pid);
    void FillMonitorCombo(int entries, int selection);
    void SyncScreenAreaPreview();
    void DrawPreview(CDC& dc);
    void DrawMappingLines(CDC& dc, const RECT32& screen);
    void UpdateGeometry();
    void InvalidatePreview(bool erase);
    // The key area, and for the rotation the connection section, through the
    // application's link; false without them.
    bool OpenSections();
    void EndPage();
    // Maps the key area at the size of the build that made it.
    KeyAreaView KeyArea() const { return {m_keyArea.Bytes(), m_keyArea.Size()}; }
    int MonitorEntries() const { return m_monitors.Layout().ComboEntryCount(); }
    std::string Text(const LanguageKey& key) const;

    CComboBox m_tabletCombo;
    CComboBox m_monitorCombo;
    int m_radio = -1;
    CButtonKX m_autoButton;
    CButtonKX m_allTabletButton;
    CButtonKX m_calibrateButton;
    CComboBox m_rotationCombo;
    CBitmap m_background;
    CMemoryDC m_backgroundDC;
    CBitmap m_tabletBitmap;
    CMemoryDC m_tabletDC;
    PreviewGeometry m_preview;
    TabletPicture m_picture;
    int m_storedSelection = 0;
    DisplayMonitors m_monitors;
    CStyloraApp* m_app = nullptr;
    HCURSOR m_sizeNWSE = nullptr;
    HCURSOR m_sizeNESW = nullptr;
    HCURSOR m_sizeAll = nullptr;
    bool m_captured = false;
    CPoint m_lastPointer;
    int m_currentPid = -1;
    std::vector<TABLETINFO> m_tablets;  // the combo's tablets, each with its own vendor id
    MappedSection m_keyArea;
    MappedSection m_connection;  // the second brand keeps it for the rotation
    MappingRecord m_record;
    bool m_hasRecord = false;
    int m_osMajor = 6;

    ProgramFiles m_programFiles;
    Win32FileSystem m_files;
    std::unique_ptr<SettingsFiles> m_settings;
    std::unique_ptr<MappingStore> m_store;

    const MappingBrand& m_brand;

    static int s_calibrationInset;
};
