#include "RotationPublisher.h"

#include "ObjectNames.h"
#include "RotationPublication.h"
#include "ServiceLink.h"
#include "SharedSections.h"

#include <windows.h>

#include <cstddef>
#include <cstring>

namespace {

constexpr size_t KEYAREA_AREA_END = rotation::KEYAREA_SCREEN_AREA_OFFSET + sizeof(RECT32);
constexpr size_t COMMAND_END = offsetof(ConnectionSection, command) + sizeof(int32_t);

// The watcher meets only the library form, whose objects have plain names.
const ServiceLink kLink(false);

// A publish written into the two sections and woken with a pulse.
class SectionPublication : public rotation::PublicationTarget {
public:
    SectionPublication(MappedSection& connection, MappedSection& keyArea) : connection_(connection), keyArea_(keyArea) {}

    void WriteCommand(int32_t command) override { ServiceLink::WriteCommand(connection_, command); }
    void WriteKeyAreaInt32(size_t offset, int32_t value) override { keyArea_.WriteInt32(offset, value); }
    // A missing command event leaves the fields written; the pulse then does nothing.
    void WakeService() override { kLink.WakeCommandLoop(connection_, ServiceLink::Wake::Pulse); }

private:
    MappedSection& connection_;
    MappedSection& keyArea_;
};

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
    area.x0 = keyArea.ReadInt32(rotation::KEYAREA_SCREEN_AREA_OFFSET);
    area.y0 = keyArea.ReadInt32(rotation::KEYAREA_SCREEN_AREA_OFFSET + 4);
    area.x1 = keyArea.ReadInt32(rotation::KEYAREA_SCREEN_AREA_OFFSET + 8);
    area.y1 = keyArea.ReadInt32(rotation::KEYAREA_SCREEN_AREA_OFFSET + 12);
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
    SectionPublication target(connection, keyArea);
    rotation::WritePublication(code, published, target);
    ReloadDeviceMapping(keyArea);
    return true;
}

}  // namespace RotationPublisher
