// The service's state as the context commands, the command dispatcher and the
// express keys see it: sections in plain memory, the ring over the connection
// section, a registry, and a recorder as the system.
#pragma once

#include "CDataManage.h"
#include "ClientContextRegistry.h"
#include "RecordingSystem.h"
#include "ServiceCodes.h"
#include "StdioFileSystem.h"

#include <memory>
#include <vector>

struct ServiceFixture {
    RecordingSystem system;
    StdioFileSystem files;
    std::unique_ptr<ConnectionSection> connection = std::make_unique<ConnectionSection>();
    std::unique_ptr<PenSection> pen = std::make_unique<PenSection>();
    std::vector<uint8_t> keyAreaBytes;
    CDataManage ring;
    ServiceContext context;
    ClientContextRegistry registry{context};

    explicit ServiceFixture(const BuildPolicy& policy) : keyAreaBytes(policy.keyAreaSize)
    {
        context.policy = &policy;
        context.system = &system;
        context.files = &files;
        context.connection = connection.get();
        context.pen = pen.get();
        context.keyArea = {keyAreaBytes.data(), keyAreaBytes.size()};
        context.registry = &registry;
        context.ring = &ring;
        ring.Attach(connection->ring, &connection->readIndex, &connection->writeIndex, true);
    }
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
