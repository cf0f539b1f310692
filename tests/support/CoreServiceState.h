// The device service's portable core in plain memory, as the read threads
// and the command loop see it: the sections (the key area of exactly the
// build's size, so a read past it shows under the sanitizers) around the one
// wiring the service uses, with `System` as the system door and `Files` as
// the file door (by default one on which no settings file exists).
#pragma once

#include "NoSettingsFiles.h"
#include "ServiceCore.h"

#include <memory>
#include <vector>

template <class System, class Files = NoSettingsFiles>
struct CoreServiceState {
    System system;
    Files files;
    std::unique_ptr<ConnectionSection> connection = std::make_unique<ConnectionSection>();
    std::unique_ptr<PenSection> pen = std::make_unique<PenSection>();
    std::vector<uint8_t> keyAreaBytes;
    ServiceCore core;
    // The core's parts under the names the tests use.
    ServiceContext& context = core.Context();
    CDataManage& ring = core.Ring();
    CFilter& filter = core.Filter();
    PenReportState& state = core.PenState();
    ClientContextRegistry& registry = core.Registry();
    ActionPerformer& actions = core.Actions();
    ExpressKeys& keys = core.Keys();
    PenPipeline& pipeline = core.Pipeline();
    PipelineReportSink& sink = core.Sink();
    // The tablet the pen reports come from and its mapping, as a read thread holds them.
    TABLETINFO header{};
    MAPPINGDEF mapping{};

    explicit CoreServiceState(const BuildPolicy& policy)
        : keyAreaBytes(policy.keyAreaSize), core(policy, system, files)
    {
        core.AttachSections(connection.get(), pen.get(), {keyAreaBytes.data(), keyAreaBytes.size()});
        core.AttachRing();
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
