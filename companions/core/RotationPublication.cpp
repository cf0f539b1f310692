#include "RotationPublication.h"

#include "ServiceCodes.h"
#include "SharedSections.h"

namespace rotation {

static_assert(KEYAREA_MAPPING_OFFSET + offsetof(MAPPINGDEF, screenArea) == KEYAREA_SCREEN_AREA_OFFSET,
              "mapped screen area of the key area");

void WritePublication(int32_t rotationCode, const MappedArea& published, PublicationTarget& target)
{
    target.WriteCommand(CMD_SET_ROTATION);
    target.WriteKeyAreaInt32(KEYAREA_ROTATION_OFFSET, rotationCode);
    target.WriteKeyAreaInt32(KEYAREA_SCREEN_AREA_OFFSET, published.x0);
    target.WriteKeyAreaInt32(KEYAREA_SCREEN_AREA_OFFSET + 4, published.y0);
    target.WriteKeyAreaInt32(KEYAREA_SCREEN_AREA_OFFSET + 8, published.x1);
    target.WriteKeyAreaInt32(KEYAREA_SCREEN_AREA_OFFSET + 12, published.y1);
    target.WakeService();
}

}  // namespace rotation
