// Writer side of the packet ring in the connection section: 128 RINGPACKETs,
// read and write indexes modulo 128, appended under the ring lock.
#pragma once

#include "SystemInterface.h"
#include "TabletRecords.h"

#include <cstdint>

class CDataManage {
public:
    CDataManage() = default;
    virtual ~CDataManage() = default;
    CDataManage(const CDataManage&) = delete;
    CDataManage& operator=(const CDataManage&) = delete;

    // Binds to the ring's memory; with reset both indexes become 0.
    void Attach(RINGPACKET* packets, int32_t* readIndex, int32_t* writeIndex, bool reset);
    // The lock taken around every write; none (the second-brand build) writes without it.
    void SetLock(IRingLock* lock) { lock_ = lock; }
    void Reset();
    // Appends one packet; a full ring drops its oldest. Always returns 1.
    int PutPacket(RINGPACKET packet);
    int32_t GetReadIndex() const;
    int32_t GetWriteIndex() const;
    bool IsAttached() const { return packets_ != nullptr; }

private:
    RINGPACKET* packets_ = nullptr;
    int32_t* readIndex_ = nullptr;
    int32_t* writeIndex_ = nullptr;
    IRingLock* lock_ = nullptr;
};
