// The service's state as the context commands, the command dispatcher and the
// express keys see it: sections in plain memory, the ring over the connection
// section, a registry, and a recorder as the system.
#pragma once

#include "CDataManage.h"
#include "ClientContextRegistry.h"
#include "RecordingSystem.h"
#include "ServiceCodes.h"
#include "ServiceContext.h"
#include "StdioFileSystem.h"

#include <cstdint>
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

    explicit ServiceFixture(const BuildPolicy& policy = BuildPolicy::Reference())
        : keyAreaBytes(policy.keyAreaSize)
    {
        context.policy = &policy;
        context.system = &system;
        context.files = &files;
        context.connection = connection.get();
        context.pen = pen.get();
        context.keyArea.base = keyAreaBytes.data();
        context.keyArea.size = keyAreaBytes.size();
        context.registry = &registry;
        context.ring = &ring;
        ring.Attach(connection->ring, &connection->readIndex, &connection->writeIndex, true);
    }

    // Fills the command fields as a client does before pulsing.
    void Fields(int32_t id, uint32_t window, uint32_t status, uint32_t options = 0)
    {
        connection->contextId = id;
        connection->contextWindow = window;
        connection->contextStatus = status;
        connection->contextOptions = options;
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
    void DirtyRing()
    {
        connection->readIndex = 5;
        connection->writeIndex = 9;
    }
    bool RingEmptied() const { return connection->readIndex == 0 && connection->writeIndex == 0; }
    KEYACTION* Keys() { return RecordKeys(context.keyArea.record()); }
    TABLETRECORD_HEAD& Record() { return context.keyArea.head()->record; }
};
