// The "QXWTCurve" window: a 200 x 200 child of the main dialog that draws the
// pressure response of the chosen sensitivity over a grid, and the click
// threshold as a dotted vertical line. The main dialog talks to it only by
// posted messages.
#pragma once

#include "CWnd.h"
#include "PressureCurve.h"

class CPressureCurveWnd : public CWnd {
public:
    static constexpr const char* kClassName = "QXWTCurve";
    static constexpr UINT kSetMessage = WM_USER + 2;   // wParam value, lParam 0 sensitivity / 1 marker
    static constexpr UINT kRedrawMessage = WM_USER + 101;

    CPressureCurveWnd() = default;
    ~CPressureCurveWnd() override;

    // Registers the class (once) and creates the window at (x, y) of the parent's client area.
    bool CreatePressureCurveWindow(HWND parent, int x, int y);

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    int OnCreate(CREATESTRUCTA* create);
    void OnPaint();
    LRESULT OnSet(WPARAM wParam, LPARAM lParam);
    LRESULT OnRedraw(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    void Draw();

    PressureCurve m_curve;
    HDC m_windowDc = nullptr;  // the window's own DC, kept while it lives
    CBitmap m_grid;
    CMemoryDC m_gridDc;  // holds m_grid; goes before it
};
