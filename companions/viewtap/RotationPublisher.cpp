#include "RotationPublisher.h"

#include "SectionAccess.h"
#include "ObjectNames.h"
#include "ServiceCodes.h"
#include "SharedSections.h"

#include <windows.h>

#include <cstddef>
#include <cstring>

namespace {

constexpr size_t KEYAREA_AREA_OFFSET = KEYAREA_MAPPING_OFFSET + offsetof(MAPPINGDEF, screenArea);
static_assert(KEYAREA_AREA_OFFSET == 208, "mapped screen area of the key area");
constexpr size_t KEYAREA_AREA_END = KEYAREA_AREA_OFFSET + sizeof(RECT32);
constexpr size_t COMMAND_OFFSET = offsetof(ConnectionSection, command);

constexpr size_t COMMAND_END = COMMAND_OFFSET + sizeof(int32_t);

ScopedHandle OpenNamedEvent(const char* name) { return ScopedHandle(OpenEventA(EVENT_MODIFY_STATE, FALSE, name)); }

// Tells the key area's device to take its mapping block again.
void ReloadDeviceMapping(const MappedSection& keyArea)
{
    TABLETINFO info{};
    std::memcpy(&info, keyArea.Bytes() + KEYAREA_RECORD_OFFSET, offsetof(TABLETINFO, reserved4));
    char name[objnames::NAME_BUFFER_SIZE];
    if (!objnames::FormatReloadEventName(name, sizeof name, false, false, info.VID, info.PID))
        return;
    const ScopedHandle reload = OpenNamedEvent(name);
    if (reload)
        SetEvent(reload.Get());
}

}  // namespace

namespace RotationPublisher {

bool ReadKeyArea(rotation::RotationWatch& watch, rotation::MappedArea& area)
{
    MappedSection keyArea;
    if (!OpenSection(keyArea, objnames::KEY_AREA_SECTION, KEYAREA_AREA_END))
        return false;
    watch.Seed(ReadInt32(keyArea, KEYAREA_ROTATION_OFFSET));
    area.x0 = ReadInt32(keyArea, KEYAREA_AREA_OFFSET);
    area.y0 = ReadInt32(keyArea, KEYAREA_AREA_OFFSET + 4);
    area.x1 = ReadInt32(keyArea, KEYAREA_AREA_OFFSET + 8);
    area.y1 = ReadInt32(keyArea, KEYAREA_AREA_OFFSET + 12);
    return true;
}

bool PublishDisplayRotation(int32_t code, rotation::RotationWatch& watch,
                            const std::vector<rotation::AttachedDisplay>& displays)
{
    MappedSection connection;
    MappedSection keyArea;
    if (!OpenSection(connection, objnames::CONNECTION_SECTION, COMMAND_END) ||
        !OpenSection(keyArea, objnames::KEY_AREA_SECTION, KEYAREA_AREA_END))
        return false;
    rotation::MappedArea published;
    if (!rotation::ComputeTargetDisplayRect(displays, watch.TargetName(), watch.TargetRect(), published))
        return false;
    const ScopedHandle command = OpenNamedEvent(objnames::COMMAND_EVENT);
    // The command word first and the pulse last: the service reads the fields on the pulse.
    WriteInt32(connection, COMMAND_OFFSET, CMD_SET_ROTATION);
    WriteInt32(keyArea, KEYAREA_ROTATION_OFFSET, code);
    WriteInt32(keyArea, KEYAREA_AREA_OFFSET, published.x0);
    WriteInt32(keyArea, KEYAREA_AREA_OFFSET + 4, published.y0);
    WriteInt32(keyArea, KEYAREA_AREA_OFFSET + 8, published.x1);
    WriteInt32(keyArea, KEYAREA_AREA_OFFSET + 12, published.y1);
    if (command)
        PulseEvent(command.Get());
    ReloadDeviceMapping(keyArea);
    return true;
}

}  // namespace RotationPublisher
