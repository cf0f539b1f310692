#include "SectionDefaults.h"

#include "ServiceCodes.h"

#include <cstring>

namespace {

constexpr int32_t FULL_SCALE = 0xFFFF;

void FillWholeDesktop(MAPPINGDEF& mapping, int32_t monitorFlags)
{
    std::memset(&mapping, 0, sizeof mapping);
    mapping.monitorListCount = 1;
    mapping.monitorChoice = 0;
    mapping.monitorFlags = monitorFlags;
    mapping.reservedRect = {0, 0, FULL_SCALE, FULL_SCALE};
    mapping.screenArea = {0, 0, FULL_SCALE, FULL_SCALE};
}

}  // namespace

void FillPenSettingsDefaults(PENSETTINGS& pen)
{
    std::memset(&pen, 0, sizeof pen);
    SetPenDefaultValues(pen, false);
}

void SetPenDefaultValues(PENSETTINGS& pen, bool rightClickFirst)
{
    pen.toolId = -1;
    pen.pressureSensitivity = 100;
    pen.clickSensitivity = 43;
    pen.tiltSensitivity = 100;
    pen.penButtonCount = 1;
    pen.disablePressure = 0;
    pen.reserved28 = 0;
    pen.penButton[0].actionCode = rightClickFirst ? ACTION_RIGHT_CLICK : ACTION_DOUBLE_CLICK;
    pen.penButton[1].actionCode = rightClickFirst ? ACTION_DOUBLE_CLICK : ACTION_RIGHT_CLICK;
}

void FillKeyAreaMappingDefaults(MAPPINGDEF& mapping)
{
    FillWholeDesktop(mapping, 0);
    mapping.tabletArea = {0, 0, 10206, 7422};
}

void FillMappingFromInfo(MAPPINGDEF& mapping, const TABLETINFO& info)
{
    FillWholeDesktop(mapping, 1);
    mapping.tabletArea = {info.xMin, info.yMin, info.xMax, info.yMax};
}
