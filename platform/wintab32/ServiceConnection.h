// The way into the device service: its connection section and command event,
// looked for in whichever namespace the running service build uses.
#pragma once

#include "MappedSection.h"
#include "ScopedHandle.h"
#include "ServiceCodes.h"
#include "ServiceLink.h"
#include "SharedSections.h"

#include <windows.h>

#include <cstdint>

// The context fields a command carries (connection section +20..+36).
struct ContextFields {
    int32_t id;
    uint32_t window;
    uint32_t options;
    uint32_t status;
};

class ServiceConnection {
public:
    // Opens the section and the command event; true when both are there.
    bool Open();
    void Close();
    bool IsOpen() const { return section_.IsMapped() && static_cast<bool>(commandEvent_); }
    ConnectionSection* Section() const { return section_.As<ConnectionSection>(); }

    // Writes the fields, then the command word, and pulses the command event.
    bool Send(ServiceCommand command, const ContextFields& fields);

    // The current device's description from the key area; false when no
    // service has a key area.
    static bool ReadTabletInfo(TABLETINFO& info);

private:
    bool OpenIn(bool global);
    bool CommandEventIsCurrent() const;
    void WaitForPreviousCommand() const;

    MappedSection section_;
    ScopedHandle commandEvent_;
    // Whose event was borrowed; {0, 0} when it was opened by name.
    ServiceLink::CommandEventOwner borrowedFrom_;
    bool pulsed_ = false;
    DWORD lastPulseTick_ = 0;
};
