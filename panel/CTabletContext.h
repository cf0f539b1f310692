// The panel's Wintab context on our WinTab32.dll (imported by ordinal): the
// default system context changed for the try-here area, the orientation
// factors of the tilt dial, and the packet queue. Closed when it goes away.
#pragma once

#include "TiltDial.h"
#include "WintabApi.h"

class CTabletContext {
public:
    CTabletContext() = default;
    ~CTabletContext() { Close(); }
    CTabletContext(const CTabletContext&) = delete;
    CTabletContext& operator=(const CTabletContext&) = delete;

    // Opens the context on `window`; false only when there is no tablet
    // interface (the panel then closes). A refused context leaves no handle
    // and the queue empty. `traced` writes the context handle to the debugger.
    bool Open(HWND window, bool traced);
    void Close();
    bool IsOpen() const { return m_context != nullptr; }
    // The context also serves the calibration window.
    static HCTX SharedHandle() { return s_shared; }

    // Up to `room` queued packets (at most 64); their number.
    int Take(wintab::PANELPACKET* packets, int room);
    // Empties the queue.
    void Discard();
    const TiltDial::Factors& Factors() const { return m_factors; }

private:
    HCTX m_context = nullptr;
    TiltDial::Factors m_factors;
    static HCTX s_shared;
};
