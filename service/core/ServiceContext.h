// Everything the core's operations work on, gathered in one place and handed
// to them explicitly: the build policy, the system door, the mapped sections
// and the process-wide state of the service. Nothing here is a global.
#pragma once

#include "../../shared/SharedSections.h"
#include "BuildPolicy.h"
#include "SystemInterface.h"

#include <atomic>
#include <cstdint>

class CDataManage;
class CFilter;
class ClientContextRegistry;
struct PenReportState;

// Flags shared between the command loop, the device search and the read
// threads. They are plain 32-bit stores in the design; atomics keep that
// cost while making the cross-thread reads well defined.
struct ServiceFlags {
    std::atomic<int32_t> pointerOutput{1};
    std::atomic<int32_t> disablePressureCopy{1};
    std::atomic<int32_t> rotationCode{0};
    // The client list changed (context commands), or in the second-brand
    // build also the tool (a new tool id, a proximity leave): the next pen
    // packet tells the clients and clears it.
    std::atomic<int32_t> clientsOrToolChanged{0};
    // Bit 0 left button held by injection, bit 1/2 pen button 1/2 action held.
    std::atomic<uint32_t> buttonState{0};
    std::atomic<int32_t> swappedButtons{0};
    std::atomic<int32_t> modelFlag{0};
};

struct ServiceContext {
    const BuildPolicy* policy = nullptr;
    ISystem* system = nullptr;
    IFileSystem* files = nullptr;

    ConnectionSection* connection = nullptr;
    PenSection* pen = nullptr;
    KeyAreaView keyArea;

    ServiceFlags flags;

    ClientContextRegistry* registry = nullptr;
    CDataManage* ring = nullptr;
    CFilter* filter = nullptr;
    PenReportState* penState = nullptr;

    // Time base taken at start (performance counter and tick count).
    int64_t counterFrequency = 0;
    int64_t counterBase = 0;
    uint32_t startTick = 0;
};
