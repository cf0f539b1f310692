// The three named sections the service creates at start, with their events,
// the registered message and the defaults they are filled with.
#pragma once

#include "BuildPolicy.h"
#include "MappedSection.h"
#include "SettingsFiles.h"
#include "SharedSections.h"
#include "SystemInterface.h"

#include <windows.h>

class SharedSectionSet {
public:
    SharedSectionSet(const BuildPolicy& policy, ISystem& system, const SettingsFiles& settings);
    SharedSectionSet(const SharedSectionSet&) = delete;
    SharedSectionSet& operator=(const SharedSectionSet&) = delete;

    // Creates (or opens and re-initialises) every section in the build's
    // order. On failure everything made so far is closed and false returned.
    bool Create(SECURITY_ATTRIBUTES* attributes);
    // Unmaps and closes the connection, pen and key-area sections.
    void Close();

    ConnectionSection* Connection() const { return reinterpret_cast<ConnectionSection*>(connection_.Bytes()); }
    PenSection* Pen() const { return reinterpret_cast<PenSection*>(pen_.Bytes()); }
    KeyAreaView KeyArea() const { return KeyAreaView{keyArea_.Bytes(), keyArea_.Size()}; }
    HANDLE CommandEvent() const { return commandEvent_.Get(); }
    HANDLE SyncEvent() const { return syncEvent_.Get(); }

private:
    struct Retries {
        int tries;
        DWORD pauseMs;
    };

    bool CreateKeyArea(SECURITY_ATTRIBUTES* attributes);
    bool CreateConnection(SECURITY_ATTRIBUTES* attributes);
    bool CreatePen(SECURITY_ATTRIBUTES* attributes);
    bool CreateSection(MappedSection& section, const char* baseName, size_t size, SECURITY_ATTRIBUTES* attributes,
                       Retries retries);
    HANDLE CreateCommandEvent(const char* libraryName, SECURITY_ATTRIBUTES* attributes);
    Retries SectionRetries(bool connection) const;

    const BuildPolicy& policy_;
    ISystem& system_;
    const SettingsFiles& settings_;
    MappedSection keyArea_;
    MappedSection connection_;
    MappedSection pen_;
    ScopedHandle commandEvent_;
    ScopedHandle syncEvent_;
    ScopedHandle photoshopMutex_;
};
