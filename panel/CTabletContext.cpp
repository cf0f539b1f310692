#include "CTabletContext.h"

#include <cstdio>

HCTX CTabletContext::s_shared = nullptr;

bool CTabletContext::Open(HWND window, bool traced)
{
    Close();
    if (WTInfoA(0, 0, nullptr) == 0)
        return false;
    wintab::LOGCONTEXTA system{};
    WTInfoA(wintab::WTI_DEFSYSCTX, 0, &system);
    wintab::LOGCONTEXTA context = wintab::PanelContextFrom(system);

    wintab::AXIS axes[3] = {};
    if (WTInfoA(wintab::WTI_DEVICES, wintab::DVC_ORIENTATION, axes) != 0)
        TiltDial::FactorsFromAxes(axes, m_factors);

    m_context = WTOpenA(window, &context, TRUE);
    if (traced) {
        char trace[40];
        std::snprintf(trace, sizeof trace, "m_hCtx = 0x%08X\n",
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(m_context)));
        OutputDebugStringA(trace);
    }
    s_shared = m_context;
    // A refused context only leaves the try-here area dead; the panel stays.
    return true;
}

void CTabletContext::Close()
{
    if (m_context == nullptr)
        return;
    WTClose(m_context);
    if (s_shared == m_context)
        s_shared = nullptr;
    m_context = nullptr;
}

int CTabletContext::Take(wintab::PANELPACKET* packets, int room)
{
    if (m_context == nullptr)
        return 0;
    const int asked = room < wintab::MAX_PACKETS_PER_GET ? room : wintab::MAX_PACKETS_PER_GET;
    const int count = WTPacketsGet(m_context, asked, packets);
    return count < 0 ? 0 : (count > asked ? asked : count);
}

void CTabletContext::Discard()
{
    if (m_context != nullptr)
        WTPacketsGet(m_context, wintab::MAX_PACKETS_PER_GET, nullptr);
}
