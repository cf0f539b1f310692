// The service's source in the Application event log: its registration (the
// message file and the types it reports, and its name among the log's
// sources) and the entries it writes, in the name of the user who runs it.
#pragma once

#include <windows.h>

#include <vector>

class EventLogSource {
public:
    // withUser: entries carry the running user's SID (systems of the NT line).
    EventLogSource(const char* sourceName, bool withUser);

    bool Install(const char* messageFile, DWORD types);
    bool Remove();
    // eventId -1 picks the id by type (error, warning, information).
    bool Report(const char* text, WORD type, DWORD eventId) const;

private:
    void LookUpUserSid();

    const char* sourceName_;
    std::vector<BYTE> userSid_;
};
