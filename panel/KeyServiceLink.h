// The express-key page's link to the device service: the key area it
// edits, the save command with the pulse of the command event, and the
// device's key-reload event. Object names follow the system generation:
// "Global\" names (the service program) up to major version 5, plain names
// (the library form under its host) above.
#pragma once

#include "MappedSection.h"
#include "SharedSections.h"

#include <windows.h>

#include <cstdint>

class KeyServiceLink {
public:
    explicit KeyServiceLink(DWORD osMajorVersion) : m_osMajorVersion(osMajorVersion) {}

    // Maps the key area at the size its creator made it (19, 18 or 12 keys),
    // so that no copy reaches past its end. False when there is none.
    bool OpenKeyArea();
    KeyAreaView KeyArea() const { return KeyAreaView{m_keyArea.Bytes(), m_keyArea.Size()}; }
    bool UsesGlobalNames() const;

    // Writes the command word and pulses the command event. False when the
    // connection section is missing (nothing is pulsed then).
    bool SendCommand(int32_t command) const;
    // Sets the device's key-reload event; false when it cannot be opened.
    bool SignalKeyReload(uint16_t vid, uint16_t pid) const;

private:
    DWORD m_osMajorVersion;
    MappedSection m_keyArea;
};
