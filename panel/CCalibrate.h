// The four-target calibration window "QXCalibrate20090410Window": the device
// service finds it by its title and posts it the raw pen points; the window
// shows the targets in turn and returns the tablet rectangle that covers the
// monitor it was laid over.
#pragma once

#include "CDialog.h"
#include "CalibrationSession.h"
#include "GdiObjects.h"
#include "TabletRecords.h"
#include "WintabApi.h"

#include <memory>
#include <string>

class CCalibrate : public CDialog {
public:
    static constexpr UINT kTemplateId = 173;
    static constexpr UINT kCalibratePointMessage = 0x8000;
    static constexpr const char* kWindowTitle = "QXCalibrate20090410Window";

    // The reference brand's targets sit `inset` pixels in; the second brand's
    // at the process-wide insets, which the tablet's model may change.
    CCalibrate(int inset, int tabletPid)
        : CDialog(kTemplateId, nullptr), m_policy(StyloraCalibration(inset)), m_tabletPid(tabletPid)
    {
    }
    ~CCalibrate() override;

    // Before DoModal: the monitor, in screen coordinates, and the panel's
    // tablet context whose queued packets a click discards.
    void SetMonitor(const RECT32& monitor) { m_monitor = monitor; }
    void SetTabletContext(HCTX context) { m_context = context; }
    // After IDOK: left, top, right, bottom in tablet units.
    const RECT32& Result() const { return m_result; }

    BOOL OnInitDialog() override;
    void OnOK() override {}  // Enter does nothing
    BOOL PreTranslateMessage(MSG* message) override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnTimer(UINT_PTR id);
    void OnLButtonDown(UINT flags, CPoint point);
    BOOL OnEraseBkgnd(CDC& dc);
    LRESULT OnCalibratePoint(WPARAM wParam, LPARAM lParam);

    void DrawTarget(const CalibrationPoint& centre, int n);
    void EraseTarget(const CalibrationPoint& centre);
    void Refuse(CalibrationSession::Outcome failure, const std::string& text);
    int ShowBox(const char* text, UINT type);
    void HideCursor();
    uint64_t NowMillis() const;

    CalibrationPolicy m_policy;
    int m_tabletPid;
    RECT32 m_monitor{};
    RECT32 m_result{};
    int m_width = 0;
    int m_height = 0;
    int m_currentTarget = 1;
    CBitmap m_background;
    std::unique_ptr<CalibrationSession> m_session;
    HCTX m_context = nullptr;
    bool m_cursorShown = true;
    double m_counterFrequency = 0;

    static PenmiraInsets s_penmiraInsets;
};
