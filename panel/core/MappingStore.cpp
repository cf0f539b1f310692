#include "MappingStore.h"

#include "ServiceCodes.h"

#include <cstring>
#include <vector>

namespace {

constexpr size_t PAGE_OWNED_BYTES = sizeof(TABLETINFO) + sizeof(MAPPINGDEF);

bool SameDevice(const TABLETINFO& a, const TABLETINFO& b)
{
    return a.VID == b.VID && a.PID == b.PID;
}

}  // namespace

TABLETRECORD_HEAD MappingStore::PublishedHead(const KeyAreaView& area, const MappingRecord& record)
{
    TABLETRECORD_HEAD head = record.Head();
    // Viewtap and the rotation choice publish the rotation in the area; the
    // page's copy may be older.
    if (area.valid())
        head.info.rotationCode = area.head()->record.info.rotationCode;
    return head;
}

size_t MappingStore::PublishToKeyArea(const KeyAreaView& area, const MappingRecord& record) const
{
    if (!area.valid())
        return 0;
    const TABLETRECORD_HEAD head = PublishedHead(area, record);
    if (!SameDevice(area.head()->record.info, head.info)) {
        // The area holds another tablet: its keys are not this one's.
        std::vector<uint8_t> complete(area.recordRoom());
        settings_.LoadDeviceRecord(complete.data(), complete.size(), head.info);
        std::memcpy(complete.data(), &head, PAGE_OWNED_BYTES);
        std::memcpy(area.record(), complete.data(), complete.size());
        return complete.size();
    }
    std::memcpy(area.record(), &head, PAGE_OWNED_BYTES);
    return PAGE_OWNED_BYTES;
}

int MappingStore::WriteToDeviceFile(const MappingRecord& record, const KeyAreaView& area) const
{
    // The writer takes a whole record; the page owns only its head.
    std::vector<uint8_t> copy(TabletRecordSize(1));
    const TABLETRECORD_HEAD head = PublishedHead(area, record);
    std::memcpy(copy.data(), &head, sizeof head);
    return settings_.WriteDeviceMapping(copy.data(), copy.size());
}

bool MappingStore::LoadDeviceSettings(uint16_t vid, uint16_t pid, MappingRecord& out) const
{
    std::vector<uint8_t> record;
    if (!settings_.ReadDeviceRecord(vid, pid, 0, record))
        return false;
    TABLETRECORD_HEAD head = *RecordHead(record.data());
    head.keyCount = head.info.keyCount;
    out = MappingRecord(head);
    return true;
}

DeviceSelection MappingStore::SelectDevice(const std::vector<TABLETINFO>& tablets, uint16_t vid, uint16_t pid,
                                          const KeyAreaView& area, const RECT32& desktop) const
{
    DeviceSelection selection;
    const bool asked = vid != 0 || pid != 0;
    for (size_t i = 0; i < tablets.size() && !selection.stored; ++i) {
        const TABLETINFO& tablet = tablets[i];
        if (asked && (tablet.VID != vid || tablet.PID != pid))
            continue;
        if (asked)
            selection.index = static_cast<int>(i);
        MappingRecord record;
        if (area.valid() && SameDevice(area.head()->record.info, tablet)) {
            // The service's live record, its head as the service holds it.
            record = MappingRecord(area.head()->record);
        } else if (LoadDeviceSettings(tablet.VID, tablet.PID, record)) {
            record.Head().info = tablet;
        } else {
            continue;
        }
        selection.index = static_cast<int>(i);
        selection.stored = true;
        selection.record = record;
    }
    if (!selection.stored && !tablets.empty())
        selection.record = MappingRecord::Fresh(tablets[static_cast<size_t>(selection.index)], desktop);
    return selection;
}
