// A page's save through the application's link to the service, in the one
// order of SaveSequence and the way the application's system takes it.
#pragma once

#include "SaveSequence.h"
#include "ServiceLink.h"

#include <cstdint>

class CStyloraApp;

class ServiceSave : private ISaveTarget {
public:
    explicit ServiceSave(const CStyloraApp& app);

    SaveResult Run(const SaveRequest& request);

private:
    Sent SendCommand(int32_t command) override;
    void SignalReload(ReloadEvent reload, uint16_t vid, uint16_t pid) override;

    ServiceLink link_;
    SaveWay way_;
};
