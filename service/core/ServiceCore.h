// The device service's portable core wired together, whichever build and
// whoever hosts it: the context every operation works on, the packet ring,
// the filter, the client registry, the pen state, the key actions, the
// express keys, the pen pipeline, the sink the read threads hand their
// reports to and the performer of commands. The system door, the files and
// the three sections belong to the host: the service maps the sections, the
// tests and the benchmark keep them in plain memory.
#pragma once

#include "ActionPerformer.h"
#include "BuildPolicy.h"
#include "CDataManage.h"
#include "CFilter.h"
#include "ClientContextRegistry.h"
#include "ExpressKeys.h"
#include "PenPipeline.h"
#include "PenReportState.h"
#include "PipelineReportSink.h"
#include "ServiceCommands.h"
#include "ServiceContext.h"

#include <memory>

class ServiceCore {
public:
    ServiceCore(const BuildPolicy& policy, ISystem& system, IFileSystem& files);
    ServiceCore(const ServiceCore&) = delete;
    ServiceCore& operator=(const ServiceCore&) = delete;

    // The sections the operations work on; the ring stays detached until AttachRing.
    void AttachSections(ConnectionSection* connection, PenSection* pen, KeyAreaView keyArea);
    // Binds the ring to the connection section with reset and takes the time base.
    void AttachRing();
    // Detaches the ring and forgets the sections.
    void DetachSections();
    // Performs the command another process left in the connection section.
    void PerformCommand();

    ServiceContext& Context() { return context_; }
    CDataManage& Ring() { return ring_; }
    CFilter& Filter() { return filter_; }
    ClientContextRegistry& Registry() { return registry_; }
    PenReportState& PenState() { return penState_; }
    ActionPerformer& Actions() { return actions_; }
    ExpressKeys& Keys() { return keys_; }
    PenPipeline& Pipeline() { return *pipeline_; }
    PipelineReportSink& Sink() { return *sink_; }

private:
    ServiceContext context_;
    CDataManage ring_;
    CFilter filter_;
    ClientContextRegistry registry_;
    PenReportState penState_;
    ActionPerformer actions_;
    ExpressKeys keys_;
    // Built once the context holds what they work on.
    std::unique_ptr<PenPipeline> pipeline_;
    std::unique_ptr<PipelineReportSink> sink_;
    std::unique_ptr<ServiceCommands> commands_;
};
