// The service's state as the context commands, the command dispatcher and the
// express keys see it: the core in plain memory with a recorder as the system
// and the settings files on disk.
#pragma once

#include "CoreServiceState.h"
#include "RecordingSystem.h"
#include "ServiceCodes.h"
#include "StdioFileSystem.h"

struct ServiceFixture : CoreServiceState<RecordingSystem, StdioFileSystem> {
    explicit ServiceFixture(const BuildPolicy& policy) : CoreServiceState(policy) {}
    // The command fields as a client fills them before pulsing.
    void Fields(int32_t id, uint32_t window, uint32_t status, uint32_t options = 0)
    {
        connection->contextId = id, connection->contextWindow = window;
        connection->contextStatus = status, connection->contextOptions = options;
    }
    void Add(int32_t id, uint32_t window, uint32_t status, uint32_t options = 0)
    {
        Fields(id, window, status, options);
        registry.AddContext();
    }
    uint32_t Status(int32_t id) const
    {
        uint32_t status = 0xDEAD;
        registry.StatusOf(id, status);
        return status;
    }
    TABLETRECORD_HEAD& Record() { return context.keyArea.head()->record; }
    KEYACTION* Keys() { return RecordKeys(context.keyArea.record()); }
};
