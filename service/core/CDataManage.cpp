#include "CDataManage.h"

#include "SharedSections.h"

namespace {

// The indexes live in memory that the reader in another process writes too.
// Each is read once and taken modulo the ring's size, so whatever value is
// found there, the slot written lies inside the ring.
int32_t LoadRaw(const int32_t* index) { return *static_cast<const volatile int32_t*>(index); }

int32_t Bounded(int32_t raw) { return static_cast<int32_t>(static_cast<uint32_t>(raw) % RING_CAPACITY); }

int32_t LoadIndex(const int32_t* index) { return Bounded(LoadRaw(index)); }

void StoreIndex(int32_t* index, int32_t value) { *static_cast<volatile int32_t*>(index) = value; }

int32_t Next(int32_t index) { return (index + 1) % RING_CAPACITY; }

}  // namespace

void CDataManage::Attach(RINGPACKET* packets, int32_t* readIndex, int32_t* writeIndex, bool reset)
{
    packets_ = packets;
    readIndex_ = readIndex;
    writeIndex_ = writeIndex;
    if (reset)
        Reset();
}

void CDataManage::Reset()
{
    if (!IsAttached())
        return;
    StoreIndex(readIndex_, 0);
    StoreIndex(writeIndex_, 0);
}

int CDataManage::PutPacket(RINGPACKET packet)
{
    if (!IsAttached())
        return 1;
    if (lock_ != nullptr && !lock_->Acquire())
        return 1;

    const int32_t slot = LoadIndex(writeIndex_);
    packets_[slot] = packet;
    const int32_t written = Next(slot);
    StoreIndex(writeIndex_, written);
    const int32_t rawRead = LoadRaw(readIndex_);
    const int32_t read = Bounded(rawRead);
    if (written == read)
        StoreIndex(readIndex_, Next(read));  // full: the oldest unread packet goes
    else if (read != rawRead)
        StoreIndex(readIndex_, read);  // only a damaged index is rewritten, never the reader's progress

    if (lock_ != nullptr)
        lock_->Release();
    return 1;
}

int32_t CDataManage::GetReadIndex() const { return IsAttached() ? LoadIndex(readIndex_) : 0; }

int32_t CDataManage::GetWriteIndex() const { return IsAttached() ? LoadIndex(writeIndex_) : 0; }
