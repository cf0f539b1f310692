// The device service's state around the portable core, in plain memory, as
// the read threads see it: the sections (the key area of exactly the build's
// size, so a read past it shows under the sanitizers), the ring over the
// connection section, the client registry, the filter, the pen state, the
// express keys and the pen pipeline, with `System` as the system door.
#pragma once

#include "BuildPolicy.h"
#include "CDataManage.h"
#include "CFilter.h"
#include "ClientContextRegistry.h"
#include "ExpressKeys.h"
#include "PacketClock.h"
#include "PenPipeline.h"
#include "PenReportState.h"
#include "ServiceContext.h"

#include <memory>
#include <vector>

template <class System>
struct CoreServiceState {
    System system;
    std::unique_ptr<ConnectionSection> connection = std::make_unique<ConnectionSection>();
    std::unique_ptr<PenSection> pen = std::make_unique<PenSection>();
    std::vector<uint8_t> keyAreaBytes;
    CDataManage ring;
    CFilter filter;
    PenReportState state;
    ServiceContext context;
    ClientContextRegistry registry{context};
    ActionPerformer actions{context};
    ExpressKeys keys{context, actions};
    std::unique_ptr<PenPipeline> pipeline;
    // The tablet the pen reports come from and its mapping, as a read thread holds them.
    TABLETINFO header{};
    MAPPINGDEF mapping{};

    explicit CoreServiceState(const BuildPolicy& policy) : keyAreaBytes(policy.keyAreaSize)
    {
        context.policy = &policy;
        context.system = &system;
        context.connection = connection.get();
        context.pen = pen.get();
        context.keyArea = {keyAreaBytes.data(), keyAreaBytes.size()};
        context.registry = &registry;
        context.ring = &ring;
        context.filter = &filter;
        context.penState = &state;
        ring.Attach(connection->ring, &connection->readIndex, &connection->writeIndex, true);
        filter.SetThresholdVariant(policy.filterThresholdVariant);
        PacketClock::Start(context, state);
        // The pipeline takes the pen state from the context, so it comes last.
        pipeline = std::make_unique<PenPipeline>(context, actions);
    }

    // A desk tablet of 10206 x 7422 units and 1024 pressure levels mapped onto
    // the whole desktop, published in the key area too.
    void UseDeskTablet(uint16_t penReportLength)
    {
        header.InputReportByteLength_Pen = penReportLength;
        header.xMax = 10206;
        header.yMax = 7422;
        header.pressureMax = 1023;
        mapping.screenArea = {0, 0, 0xFFFF, 0xFFFF};
        mapping.tabletArea = {0, 0, 10206, 7422};
        SyncKeyArea();
    }
    void SyncKeyArea()
    {
        context.keyArea.head()->record.info = header;
        context.keyArea.head()->record.mapping = mapping;
    }
};
