#include "ServiceSave.h"

#include "CStyloraApp.h"

ServiceSave::ServiceSave(const CStyloraApp& app)
    : link_(app.Link()), way_(SaveSequence::WayFor(app.OsMajorVersion()))
{
}

SaveResult ServiceSave::Run(const SaveRequest& request) { return SaveSequence::Run(way_, request, *this); }

ISaveTarget::Sent ServiceSave::SendCommand(int32_t command)
{
    switch (link_.SendCommand(command, ServiceLink::Wake::Pulse)) {
    case ServiceLink::CommandResult::NoConnection:
        return Sent::NoConnection;
    case ServiceLink::CommandResult::Unheard:
        return Sent::Unheard;
    case ServiceLink::CommandResult::Woken:
        break;
    }
    return Sent::Woken;
}

void ServiceSave::SignalReload(ReloadEvent reload, uint16_t vid, uint16_t pid)
{
    if (reload == ReloadEvent::Keys)
        link_.SignalKeyReload(vid, pid);
    else if (reload == ReloadEvent::Mapping)
        link_.SignalMappingReload(vid, pid);
}
