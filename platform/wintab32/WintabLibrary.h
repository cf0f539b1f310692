// The library's state in one process: the contexts it opened, the way to
// the service and the ring reader. The four exports forward here.
#pragma once

#include "ContextTable.h"
#include "CriticalSection.h"
#include "PacketRingReader.h"
#include "ServiceConnection.h"
#include "WintabApi.h"

class WintabLibrary {
public:
    static WintabLibrary& Instance();

    WintabLibrary();
    // Contexts the application left open are removed from the service.
    ~WintabLibrary();
    WintabLibrary(const WintabLibrary&) = delete;
    WintabLibrary& operator=(const WintabLibrary&) = delete;

    UINT Info(UINT category, UINT index, void* output);
    HCTX Open(HWND window, const wintab::LOGCONTEXTA* context, bool enable);
    bool Close(HCTX handle);
    int PacketsGet(HCTX handle, int maxPackets, void* packets);

private:
    bool Connect();
    // The service's objects are held only while a context is open, so a
    // service that restarts is found afresh.
    void DisconnectWhenUnused();
    bool Send(ServiceCommand command, const ClientContext& context);
    UINT InfoInterfacePresent();
    static UINT InfoDefaultSystemContext(UINT index, void* output);
    static UINT InfoOrientation(void* output);

    CriticalSection lock_;
    ServiceConnection connection_;
    PacketRingReader ring_;
    ContextTable contexts_;
};
