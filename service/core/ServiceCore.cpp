#include "ServiceCore.h"

#include "PacketClock.h"

ServiceCore::ServiceCore(const BuildPolicy& policy, ISystem& system, IFileSystem& files)
    : registry_(context_), actions_(context_), keys_(context_, actions_)
{
    context_.policy = &policy;
    context_.system = &system;
    context_.files = &files;
    context_.ring = &ring_;
    context_.filter = &filter_;
    context_.registry = &registry_;
    context_.penState = &penState_;
    filter_.SetThresholdVariant(policy.filterThresholdVariant);
    pipeline_ = std::make_unique<PenPipeline>(context_, actions_);
    sink_ = std::make_unique<PipelineReportSink>(penState_, *pipeline_, keys_);
    commands_ = std::make_unique<ServiceCommands>(context_);
}

void ServiceCore::AttachSections(ConnectionSection* connection, PenSection* pen, KeyAreaView keyArea)
{
    context_.connection = connection;
    context_.pen = pen;
    context_.keyArea = keyArea;
}

void ServiceCore::AttachRing()
{
    ConnectionSection* connection = context_.connection;
    ring_.Attach(connection->ring, &connection->readIndex, &connection->writeIndex, true);
    PacketClock::Start(context_, penState_);
}

void ServiceCore::DetachSections()
{
    ring_.Attach(nullptr, nullptr, nullptr, false);
    AttachSections(nullptr, nullptr, KeyAreaView{});
}

void ServiceCore::PerformCommand()
{
    if (context_.connection != nullptr)
        commands_->Perform(context_.connection->command);
}
