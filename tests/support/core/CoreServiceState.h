// The device service's portable core in plain memory, as the read threads
// and the command loop see it: the sections (the key area of exactly the
// build's size, so a read past it shows under the sanitizers) around the one
// wiring the service uses, with `System` as the system door and `Files` as
// the file door (by default one on which no settings file exists).
#pragma once

#include "NoSettingsFiles.h"
#include "ServiceCodes.h"
#include "ServiceCore.h"
#include "TabletRecordBuilder.h"

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
        const TABLETRECORD_HEAD desk = TabletRecordBuilder(0, 0)
                                           .PenReport(penReportLength)
                                           .Extent(10206, 7422)
                                           .Pressure(1023)
                                           .WholeDesktop()
                                           .Record();
        header = desk.info;
        mapping = desk.mapping;
        SyncKeyArea();
    }
    // The pen section's record of pen 0x802 with click sensitivity 43, tilt
    // sensitivity 100 and a right click on its first button.
    void UseDeskPen(int32_t pressureSensitivity, int32_t secondButtonAction)
    {
        PENSETTINGS& settings = pen->pen;
        settings.toolId = 0x802;
        settings.pressureSensitivity = pressureSensitivity;
        settings.clickSensitivity = 43;
        settings.tiltSensitivity = 100;
        settings.penButton[0].actionCode = ACTION_RIGHT_CLICK;
        settings.penButton[1].actionCode = secondButtonAction;
    }
    void SyncKeyArea()
    {
        context.keyArea.head()->record.info = header;
        context.keyArea.head()->record.mapping = mapping;
    }
};
