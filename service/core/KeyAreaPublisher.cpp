#include "KeyAreaPublisher.h"

#include <algorithm>
#include <cstring>

namespace {

size_t RecordBufferSize(const BuildPolicy& policy)
{
    // Room for at least the key area's keys; the second-brand build uses a
    // fixed buffer that holds more keys than its key area.
    const size_t keyAreaRecord = TabletRecordSize(policy.KeyAreaCapacity());
    return std::max(policy.deviceRecordBufferSize, keyAreaRecord);
}

}  // namespace

KeyAreaPublisher::KeyAreaPublisher(ServiceContext& context, const BuildPolicy& policy, const SettingsFiles& settings)
    : context_(context), settings_(settings), buffer_(RecordBufferSize(policy), 0)
{
}

int32_t KeyAreaPublisher::LoadDeviceRecord(const TABLETINFO& device)
{
    std::fill(buffer_.begin(), buffer_.end(), 0);
    const int32_t keys = settings_.LoadDeviceRecord(buffer_.data(), buffer_.size(), device);
    return std::clamp(keys, 0, KeyRoom());
}

void KeyAreaPublisher::PublishRecord(int32_t keyCount)
{
    const KeyAreaView& area = context_.keyArea;
    if (!area.valid())
        return;
    size_t bytes = TabletRecordSize(keyCount);
    bytes = std::min(bytes, TabletRecordSize(area.capacity()));
    bytes = std::min(bytes, area.recordRoom());
    bytes = std::min(bytes, buffer_.size());
    std::memcpy(area.record(), buffer_.data(), bytes);
}

int KeyAreaPublisher::ReloadRemainingDeviceSettings(const AttachedDeviceTable& attached)
{
    for (int index = AttachedDeviceTable::CAPACITY - 1; index >= 0; --index) {
        const AttachedDevice& device = attached.At(index);
        if (device.vid == 0 || device.pid == 0)
            continue;
        TABLETINFO info{};
        if (!settings_.FindSupportedDevice(info, device.vid, device.pid, device.penReportLength))
            continue;
        PublishRecord(LoadDeviceRecord(info));
        return 1;
    }
    return 0;
}
