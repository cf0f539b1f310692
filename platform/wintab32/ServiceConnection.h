// The way into the device service: its connection section and command event,
// looked for in whichever namespace the running service build uses.
#pragma once

#include "ScopedHandle.h"
#include "ServiceCodes.h"
#include "SharedSections.h"
#include "MappedSection.h"

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
    bool BorrowCommandEvent();
    bool CommandEventIsCurrent() const;
    void WaitForPreviousCommand() const;

    MappedSection section_;
    ScopedHandle commandEvent_;
    bool duplicated_ = false;
    int32_t ownerProcessId_ = 0;
    uint32_t ownerHandle_ = 0;
    bool pulsed_ = false;
    DWORD lastPulseTick_ = 0;
};
