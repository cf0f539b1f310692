#include "RotationPublisher.h"

#include "ObjectNames.h"
#include "ServiceCodes.h"
#include "ServiceLink.h"
#include "SharedSections.h"

#include <windows.h>

#include <cstddef>
#include <cstring>

namespace {

constexpr size_t KEYAREA_AREA_OFFSET = KEYAREA_MAPPING_OFFSET + offsetof(MAPPINGDEF, screenArea);
static_assert(KEYAREA_AREA_OFFSET == 208, "mapped screen area of the key area");
constexpr size_t KEYAREA_AREA_END = KEYAREA_AREA_OFFSET + sizeof(RECT32);
constexpr size_t COMMAND_END = offsetof(ConnectionSection, command) + sizeof(int32_t);

// The watcher meets only the library form, whose objects have plain names.
const ServiceLink kLink(false);

// Tells the key area's device to take its mapping block again.
void ReloadDeviceMapping(const MappedSection& keyArea)
{
    TABLETINFO info{};
    std::memcpy(&info, keyArea.Bytes() + KEYAREA_RECORD_OFFSET, offsetof(TABLETINFO, reserved4));
    kLink.SignalMappingReload(info.VID, info.PID);
}

}  // namespace

namespace RotationPublisher {

bool ReadKeyArea(rotation::RotationWatch& watch, rotation::MappedArea& area)
{
    MappedSection keyArea;
    if (!kLink.OpenSection(objnames::KEY_AREA_SECTION, KEYAREA_AREA_END, keyArea))
        return false;
    watch.Seed(keyArea.ReadInt32(KEYAREA_ROTATION_OFFSET));
    area.x0 = keyArea.ReadInt32(KEYAREA_AREA_OFFSET);
    area.y0 = keyArea.ReadInt32(KEYAREA_AREA_OFFSET + 4);
    area.x1 = keyArea.ReadInt32(KEYAREA_AREA_OFFSET + 8);
    area.y1 = keyArea.ReadInt32(KEYAREA_AREA_OFFSET + 12);
    return true;
}

bool PublishDisplayRotation(int32_t code, rotation::RotationWatch& watch,
                            const std::vector<rotation::AttachedDisplay>& displays)
{
    MappedSection connection;
    MappedSection keyArea;
    if (!kLink.OpenSection(objnames::CONNECTION_SECTION, COMMAND_END, connection) ||
        !kLink.OpenSection(objnames::KEY_AREA_SECTION, KEYAREA_AREA_END, keyArea))
        return false;
    rotation::MappedArea published;
    if (!rotation::ComputeTargetDisplayRect(displays, watch.TargetName(), watch.TargetRect(), published))
        return false;
    // The fields before the pulse: the service reads them when it wakes.
    keyArea.WriteInt32(KEYAREA_ROTATION_OFFSET, code);
    keyArea.WriteInt32(KEYAREA_AREA_OFFSET, published.x0);
    keyArea.WriteInt32(KEYAREA_AREA_OFFSET + 4, published.y0);
    keyArea.WriteInt32(KEYAREA_AREA_OFFSET + 8, published.x1);
    keyArea.WriteInt32(KEYAREA_AREA_OFFSET + 12, published.y1);
    kLink.SendCommand(connection, CMD_SET_ROTATION, ServiceLink::Wake::Pulse);
    ReloadDeviceMapping(keyArea);
    return true;
}

}  // namespace RotationPublisher
