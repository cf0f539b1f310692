#include "SaveSequence.h"

SaveResult SaveSequence::Run(SaveWay way, const SaveRequest& request, ISaveTarget& service)
{
    SaveResult result = SaveResult::Done;
    if (way == SaveWay::Command) {
        if (request.publishFields)
            request.publishFields();
        const ISaveTarget::Sent sent = service.SendCommand(request.command);
        if (sent == ISaveTarget::Sent::NoConnection)
            return SaveResult::Failed;
        if (sent == ISaveTarget::Sent::Unheard)
            result = SaveResult::Unheard;
    } else if (!request.writeDirectly || !request.writeDirectly()) {
        return SaveResult::Failed;
    }
    if (request.reload != ReloadEvent::None)
        service.SignalReload(request.reload, request.vid, request.pid);
    return result;
}
