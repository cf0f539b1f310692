// The service's state around the pen pipeline with a recorder as the system,
// the desk tablet (10206 x 7422 units, pressure 0..1023, mapped onto the
// whole desktop) and pen settings the tests start from.
#pragma once

#include "CoreServiceState.h"
#include "PenReportBuilder.h"
#include "RecordingSystem.h"
#include "ServiceCodes.h"

#include <cstring>
#include <vector>

constexpr uint32_t MOVE = MOUSE_ABSOLUTE | MOUSE_VIRTUALDESK | MOUSE_MOVE;
constexpr uint32_t DOWN = MOUSE_ABSOLUTE | MOUSE_VIRTUALDESK | MOUSE_LEFTDOWN;
constexpr uint32_t UP = MOUSE_ABSOLUTE | MOUSE_VIRTUALDESK | MOUSE_LEFTUP;

struct PenRig : CoreServiceState<RecordingSystem> {
    explicit PenRig(const BuildPolicy& policy = BuildPolicy::Reference(), uint16_t length = 10)
        : CoreServiceState(policy)
    {
        UseDeskTablet(length);
        UseDeskPen(100, ACTION_MIDDLE_CLICK);
        state.tool.toolId = 0x802;
    }

    void Feed(const RawPenReport& report)
    {
        std::memcpy(state.report, report.bytes, sizeof report.bytes);
        pipeline.ProcessPenReport(header, mapping);
    }

    // A registered on-top context; the registry flags the list as changed.
    void AddClient(int32_t id, uint32_t window, uint32_t options, uint32_t status = CTX_STATUS_ON_TOP)
    {
        connection->contextId = id;
        connection->contextWindow = window;
        connection->contextOptions = options;
        connection->contextStatus = status;
        registry.AddContext();
    }
    // Forgets what happened so far: recorded calls, ring, client flag.
    void Settle()
    {
        context.flags.clientsOrToolChanged.store(0);
        ring.Reset();
        system.Clear();
    }

    std::vector<RINGPACKET> Ring() const
    {
        std::vector<RINGPACKET> out;
        for (int32_t i = connection->readIndex; i != connection->writeIndex; i = (i + 1) % RING_CAPACITY)
            out.push_back(connection->ring[i]);
        return out;
    }
    uint8_t Status() const { return state.previous[1]; }
    uint16_t Pressure() const { return FrameU16(state.previous, 6); }
    uint32_t Buttons() const { return context.flags.buttonState.load(); }
};

inline SystemCall Post(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam)
{
    return SystemCall::PostOf(window, message, wParam, lParam);
}
inline SystemCall Ptr(uint32_t flags, int32_t x = 0, int32_t y = 0) { return SystemCall::PointerOf(flags, x, y); }
