// A service around the pen pipeline for tests: sections in plain memory, the
// ring over the connection section, a registry, the filter and a recorder as
// the system. The tablet is 10206 x 7422 units, pressure 0..1023, mapped onto
// the whole desktop.
#pragma once

#include "CDataManage.h"
#include "CFilter.h"
#include "ClientContextRegistry.h"
#include "PacketClock.h"
#include "PenPipeline.h"
#include "PenReportBuilder.h"
#include "RecordingSystem.h"
#include "ServiceCodes.h"

#include <cstring>
#include <memory>
#include <vector>

constexpr uint32_t MOVE = MOUSE_ABSOLUTE | MOUSE_VIRTUALDESK | MOUSE_MOVE;
constexpr uint32_t DOWN = MOUSE_ABSOLUTE | MOUSE_VIRTUALDESK | MOUSE_LEFTDOWN;
constexpr uint32_t UP = MOUSE_ABSOLUTE | MOUSE_VIRTUALDESK | MOUSE_LEFTUP;

struct PenRig {
    RecordingSystem system;
    std::unique_ptr<ConnectionSection> connection = std::make_unique<ConnectionSection>();
    std::unique_ptr<PenSection> pen = std::make_unique<PenSection>();
    std::vector<uint8_t> keyArea;
    CDataManage ring;
    CFilter filter;
    PenReportState state;
    ServiceContext context;
    ClientContextRegistry registry{context};
    ExpressKeys keys{context};
    std::unique_ptr<PenPipeline> pipeline;
    TABLETINFO header{};
    MAPPINGDEF mapping{};

    explicit PenRig(const BuildPolicy& policy = BuildPolicy::Reference(), uint16_t length = 10)
        : keyArea(policy.keyAreaSize)
    {
        context.policy = &policy;
        context.system = &system;
        context.connection = connection.get();
        context.pen = pen.get();
        context.keyArea.base = keyArea.data();
        context.keyArea.size = keyArea.size();
        context.registry = &registry;
        context.ring = &ring;
        context.filter = &filter;
        context.penState = &state;
        ring.Attach(connection->ring, &connection->readIndex, &connection->writeIndex, true);
        PacketClock::Start(context, state);

        header.InputReportByteLength_Pen = length;
        header.xMax = 10206;
        header.yMax = 7422;
        header.pressureMax = 1023;
        mapping.screenArea = {0, 0, 0xFFFF, 0xFFFF};
        mapping.tabletArea = {0, 0, 10206, 7422};
        SyncKeyArea();

        PENSETTINGS& p = pen->pen;
        p.toolId = 0x802;
        p.pressureSensitivity = 100;
        p.clickSensitivity = 43;
        p.tiltSensitivity = 100;
        p.penButton[0].actionCode = ACTION_RIGHT_CLICK;
        p.penButton[1].actionCode = ACTION_MIDDLE_CLICK;
        state.tool.toolId = 0x802;
        pipeline = std::make_unique<PenPipeline>(context, keys);
    }

    void SyncKeyArea()
    {
        context.keyArea.head()->record.info = header;
        context.keyArea.head()->record.mapping = mapping;
    }

    void Feed(const RawPenReport& report)
    {
        std::memcpy(state.report, report.bytes, sizeof report.bytes);
        pipeline->ProcessPenReport(header, mapping);
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
        context.flags.clientListChanged.store(0);
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
