// The "QXWTClock" tilt dial: a 40 x 40 child of the try-here area with a
// needle that shows the pen's direction and tilt, and a magenta marker whose
// length shows the tilt sensitivity.
#pragma once

#include "CWnd.h"
#include "TiltDial.h"

class CTiltDialWnd : public CWnd {
public:
    static constexpr const char* kClassName = "QXWTClock";
    static constexpr UINT kSetMarkerMessage = WM_USER + 2;  // wParam marker length in pixels
    static constexpr UINT kSetNeedleMessage = WM_USER + 100;

    CTiltDialWnd() = default;
    ~CTiltDialWnd() override = default;

    // Registers the class (once) and creates the dial at (x, y) of the parent.
    bool CreateClockWindow(HWND parent, int x, int y);
    // The main dialog feeds the needle directly, then invalidates the dial.
    TiltDial& Dial() { return m_dial; }
    const TiltDial& Dial() const { return m_dial; }
    void InvalidateDial();

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    int OnCreate(CREATESTRUCTA* create);
    void OnPaint();
    LRESULT OnSetMarker(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetNeedle(WPARAM wParam, LPARAM lParam);
    void OnDestroy();

    TiltDial m_dial;
    CBitmap m_face;
    CMemoryDC m_faceDc;  // holds m_face; goes before it
};
