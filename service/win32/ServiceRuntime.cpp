#include "ServiceRuntime.h"

ServiceRuntime::ServiceRuntime(const BuildPolicy& policy, bool lookForInjectionLibrary, HidSource source)
    : policy_(policy),
      system_(lookForInjectionLibrary),
      settings_(system_, files_, policy.files),
      sections_(policy, system_, settings_),
      core_(policy, system_, files_),
      devices_(std::make_unique<DeviceManager>(core_.Context(), settings_, security_, std::move(source)))
{
    devices_->SetReportSink(&core_.Sink());
    devices_->SetVirtualOutput(&system_.VirtualOutput());
}

bool ServiceRuntime::InitSharedObjects()
{
    if (!security_.Init(policy_.opensProcessToEveryone))
        return false;
    if (!sections_.Create(security_.Get()))
        return false;
    core_.AttachSections(sections_.Connection(), sections_.Pen(), sections_.KeyArea());
    return true;
}

void ServiceRuntime::AttachRing() { core_.AttachRing(); }

void ServiceRuntime::CloseSharedSections()
{
    core_.DetachSections();
    sections_.Close();
}

void ServiceRuntime::PerformCommand() { core_.PerformCommand(); }
