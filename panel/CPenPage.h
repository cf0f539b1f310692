// The pen settings of the main dialog: the knob with its parameter list and
// value label, "Default", "Disable Pressure", the two pen-button labels with
// the function menu, the pressure-curve window, the try-here area with its
// tilt dial and the Wintab context behind it. Every edit goes straight into
// the shared pen block, where the service reads it on its next report.
//
// The main dialog owns one CPenPage, calls its steps from OnInitDialog and
// forwards the pen page's messages to it.
#pragma once

#include "CBkDialogKX.h"
#include "CButton.h"
#include "CButtonKX.h"
#include "CComboBox.h"
#include "CKnobControlKX.h"
#include "CPressureCurveWnd.h"
#include "CStatic.h"
#include "CTabletContext.h"
#include "CTryHereArea.h"
#include "MainDialogBrand.h"
#include "ExpressKeyActions.h"
#include "KeyNames.h"
#include "PenPagePolicy.h"
#include "PenParameters.h"

#include <array>
#include <functional>
#include <string>

// What the pen page needs from the rest of the panel.
struct PenPageServices {
    static constexpr size_t kKeyBufferSize = 256;
    // The text of a language key in the language in use, or its English default.
    std::function<std::string(const char* key, const char* english)> text;
    // The function names (menu index or tagged action code) in the language in use.
    key_actions::MenuText menuText;
    // The key names of KEY.ini; null: the built-in English names.
    const KeyNames* keyNames = nullptr;
    // Modal dialogs of the keyboard and launch entries; true on OK. Left
    // empty, the entry opens nothing.
    std::function<bool(uint8_t (&keys)[kKeyBufferSize])> runKeyboard;
    std::function<bool(std::string& path, std::string& parameters)> runLaunch;
};

class CPenPage {
public:
    // Control ids of the dialog template.
    static constexpr int kParameterListId = 1062;
    static constexpr int kKnobId = 1064;
    static constexpr int kValueLabelId = 1065;
    static constexpr int kDefaultId = 1031;
    static constexpr int kDisablePressureId = 1023;
    static constexpr int kCleanId = 1030;
    static constexpr int kTryHereId = 1008;
    static constexpr int kProfileId = 1004;
    static constexpr UINT kKnobMessage = WM_USER + 1;
    static constexpr int kCurveTop = 28;
    static constexpr int kCurveLeftOfProfile = 20;
    // The function menu: entries 4867 + index (index 0..8); 4876 only relabels.
    static constexpr int kMenuEntryCount = 9;
    static constexpr UINT kOtherCommand = 4876;
    static constexpr int kOtherMenuIndex = 9;

    CPenPage(CBkDialogKX& dialog, const PenPagePolicy& policy, const MainDialog::Brand& brand);
    CPenPage(const CPenPage&) = delete;
    CPenPage& operator=(const CPenPage&) = delete;

    void SetServices(PenPageServices services) { m_services = std::move(services); }
    // Start-up, in the main dialog's order: the Wintab context (false ends the
    // dialog), the controls over the pen block (value label, pen-button
    // labels by the copy's pen-button count), then the knob, the curve
    // window, the try-here area and the first values.
    bool OpenTabletContext();
    bool AttachControls(PENSETTINGS* penBlock, const PENSETTINGS& copy, bool modelFlag);
    void CreateViews(const PENSETTINGS& copy);
    // Refills the parameter list (selection kept) and relabels the pen buttons.
    void ApplyLanguage(const PENSETTINGS& copy);
    // "Clean" and "Default" draw no background of their own, as the frame's buttons.
    void SetButtonsTransparent();

    // Handlers the main dialog forwards.
    void OnSelEndOkParameter();
    LRESULT OnKnobChanged(WPARAM wParam, LPARAM lParam);
    void OnDefault();
    void OnDisablePressure();
    void OnPenButtonLabel(int labelId);
    // The function menu's commands; false for other ids.
    bool OnMenuCommand(UINT command);
    void OnLButtonDown(CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnClean() { m_tryHere.Clean(); }

    HWND PenButtonLabel(int labelId) const;

private:
    bool ChosenParameter(PenParameter& parameter) const;
    void ShowValue(int32_t value);
    void SetKnob(int32_t value);
    void Tell(PenParameter parameter, int32_t value);
    void FillParameterList();
    void CreatePenButtonLabels(int32_t penButtonCount);
    void RelabelPenButtons(const PENSETTINGS& copy);
    void SetLabelText(int labelId, const std::string& text);
    std::string LabelTextOf(const KEYACTION& record) const;
    KEYACTION* RecordOfOpenLabel();
    HWND ChildUnder(CPoint point) const;

    CBkDialogKX& m_dialog;
    PenPagePolicy m_policy;
    MainDialog::Brand m_brand;
    PenPageServices m_services;
    // Built-in key names for when the panel hands none over.
    class BuiltInKeyNames : public IProfileSource {
    public:
        std::string ReadString(const char*, const char*, const char* fallback, size_t) const override { return fallback; }
    } m_builtInKeyFile;
    KeyNames m_builtInKeyNames{m_builtInKeyFile, kStyloraKeyNames};
    PenParameters m_parameters;
    PENSETTINGS* m_pen = nullptr;
    bool m_modelFlag = false;
    int m_openLabel = MainDialog::kFirstPenButtonLabel;

    CComboBox m_parameterList;
    CKnobControlKX m_knob;
    CButton m_disablePressure;
    CButtonKX m_cleanButton;
    CButtonKX m_defaultButton;
    std::array<CStatic, 2> m_penButtonLabels;
    CTabletContext m_context;
    CPressureCurveWnd m_curve;
    CTryHereArea m_tryHere;
};
