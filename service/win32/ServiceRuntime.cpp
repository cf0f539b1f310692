#include "ServiceRuntime.h"

#include "PacketClock.h"

ServiceRuntime::ServiceRuntime(const BuildPolicy& policy, bool lookForInjectionLibrary, HidSource source)
    : policy_(policy),
      system_(lookForInjectionLibrary),
      settings_(system_, files_, policy.files),
      sections_(policy, system_, settings_),
      registry_(context_),
      actions_(context_),
      keys_(context_, actions_)
{
    context_.policy = &policy_;
    context_.system = &system_;
    context_.files = &files_;
    context_.ring = &ring_;
    context_.filter = &filter_;
    context_.registry = &registry_;
    context_.penState = &penState_;
    filter_.SetThresholdVariant(policy.filterThresholdVariant);
    pipeline_ = std::make_unique<PenPipeline>(context_, actions_);
    sink_ = std::make_unique<PipelineReportSink>(penState_, *pipeline_, keys_);
    commands_ = std::make_unique<ServiceCommands>(context_);
    devices_ = std::make_unique<DeviceManager>(context_, settings_, security_, std::move(source));
    devices_->SetReportSink(sink_.get());
    devices_->SetVirtualOutput(&system_.VirtualOutput());
}

ServiceRuntime::~ServiceRuntime()
{
    devices_.reset();
    registry_.FreeContexts();
}

bool ServiceRuntime::InitSharedObjects()
{
    if (!security_.Init(policy_.opensProcessToEveryone))
        return false;
    if (!sections_.Create(security_.Get()))
        return false;
    context_.connection = sections_.Connection();
    context_.pen = sections_.Pen();
    context_.keyArea = sections_.KeyArea();
    return true;
}

void ServiceRuntime::AttachRing()
{
    ConnectionSection* connection = context_.connection;
    ring_.Attach(connection->ring, &connection->readIndex, &connection->writeIndex, true);
    PacketClock::Start(context_, penState_);
}

void ServiceRuntime::CloseSharedSections()
{
    ring_.Attach(nullptr, nullptr, nullptr, false);
    context_.connection = nullptr;
    context_.pen = nullptr;
    context_.keyArea = KeyAreaView{};
    sections_.Close();
}

void ServiceRuntime::PerformCommand()
{
    if (context_.connection != nullptr)
        commands_->Perform(context_.connection->command);
}
