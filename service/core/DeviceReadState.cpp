#include "DeviceReadState.h"

#include "PenReportState.h"

#include <algorithm>
#include <cstring>
#include <new>

bool DeviceReadState::Init(const TABLETINFO& header, const MAPPINGDEF& mapping, int32_t keyCount,
                           const KEYACTION* keys, int32_t keyRoom)
{
    header_ = header;
    mapping_ = mapping;
    keyCount_ = std::max<int32_t>(0, std::min(keyCount, keys != nullptr ? keyRoom : 0));
    keyCopy_.reset(new (std::nothrow) uint8_t[KeyCopySize()]());
    if (!keyCopy_)
        return false;
    std::memcpy(keyCopy_.get(), &keyCount_, sizeof keyCount_);
    if (keyCount_ > 0)
        std::memcpy(keyCopy_.get() + sizeof(int32_t), keys, KEYACTION_SIZE * static_cast<size_t>(keyCount_));
    keyState_ = ExpressKeyState{};
    penInRange_ = false;
    return true;
}

void DeviceReadState::ReloadMapping(const KeyAreaView& keyArea)
{
    if (!keyArea.valid())
        return;
    std::memcpy(&mapping_, keyArea.base + KEYAREA_MAPPING_OFFSET, sizeof mapping_);
}

void DeviceReadState::ReloadKeys(const KeyAreaView& keyArea)
{
    if (!keyArea.valid() || !keyCopy_)
        return;
    // Only the thread's own number of keys, and never more than the section holds.
    const int32_t keys = std::min(keyCount_, keyArea.capacity());
    std::memcpy(keyCopy_.get(), keyArea.base + KEYAREA_RECORD_KEYCOUNT_OFFSET,
                sizeof(int32_t) + KEYACTION_SIZE * static_cast<size_t>(keys));
}

int32_t DeviceReadState::CopiedCount() const
{
    int32_t count = 0;
    std::memcpy(&count, keyCopy_.get(), sizeof count);
    return count;
}

KeyTableRef DeviceReadState::Keys() const
{
    KeyTableRef table;
    if (!keyCopy_)
        return table;
    // The panel may have stored a record with another count than the thread started with.
    table.count = std::max<int32_t>(0, std::min(CopiedCount(), keyCount_));
    table.keys = reinterpret_cast<const KEYACTION*>(keyCopy_.get() + sizeof(int32_t));
    return table;
}

bool DeviceReadState::Dispatch(size_t bytesRead, IReportSink& sink)
{
    if (bytesRead != ReadLength() || bytesRead > READ_BUFFER_SIZE || bytesRead == 0)
        return false;
    if (readBuffer_[0] != KEY_REPORT_ID) {
        penInRange_ = readBuffer_[1] != REPORT_OUT_OF_RANGE;
        sink.OnPenReport(this, readBuffer_, bytesRead, header_, mapping_);
        return true;
    }
    const size_t keyBytes = std::min(bytesRead, sizeof keyState_.current);
    std::memset(keyState_.current, 0, sizeof keyState_.current);
    std::memcpy(keyState_.current, readBuffer_, keyBytes);
    sink.OnKeyReport(readBuffer_, bytesRead, header_, Keys(), keyState_);
    std::memcpy(keyState_.previous, keyState_.current, sizeof keyState_.previous);
    return true;
}

void DeviceReadState::Removed(IReportSink& sink)
{
    sink.OnDeviceRemoved(this, header_, mapping_, penInRange_, keyState_);
}
