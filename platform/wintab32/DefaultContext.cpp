#include "DefaultContext.h"

#include <cstring>

namespace {

constexpr uint32_t TU_CIRCLE = 3;
constexpr uint32_t ONE_FIXED = 0x10000;            // 1.0 in 16.16
constexpr uint32_t TENTHS_PER_CIRCLE = 3600 << 16;  // axis resolution, 16.16
constexpr uint32_t WT_DEFBASE = 0x7FF0;            // the service posts WT_PACKET there
constexpr uint32_t ALL_BUTTONS = 0xFFFFFFFFu;
constexpr uint32_t DEFAULT_PACKET_RATE = 100;

// The tablet of a key area that holds no device record.
constexpr int32_t DEFAULT_TABLET_WIDTH = 10206;
constexpr int32_t DEFAULT_TABLET_HEIGHT = 7422;

struct Extents {
    int32_t xMin, xMax, yMin, yMax;
};

Extents TabletExtents(const TABLETINFO* tablet)
{
    if (tablet != nullptr && tablet->xMax > tablet->xMin && tablet->yMax > tablet->yMin && tablet->xMin >= 0 &&
        tablet->yMin >= 0)
        return Extents{tablet->xMin, tablet->xMax, tablet->yMin, tablet->yMax};
    return Extents{0, DEFAULT_TABLET_WIDTH, 0, DEFAULT_TABLET_HEIGHT};
}

}  // namespace

wintab::LOGCONTEXTA DefaultContext::SystemContext(const TABLETINFO* tablet, const DesktopArea& desktop)
{
    wintab::LOGCONTEXTA context{};
    static const char NAME[] = "Default System Context";
    std::memcpy(context.lcName, NAME, sizeof NAME);
    context.lcOptions = wintab::CXO_SYSTEM;
    context.lcMsgBase = WT_DEFBASE;
    context.lcPktRate = DEFAULT_PACKET_RATE;
    // The packet layout this library hands out.
    context.lcPktData = wintab::PANEL_PACKET_DATA;
    context.lcMoveMask = wintab::PANEL_PACKET_DATA;
    context.lcBtnDnMask = ALL_BUTTONS;
    context.lcBtnUpMask = ALL_BUTTONS;

    Extents extents = TabletExtents(tablet);
    context.lcInOrgX = extents.xMin;
    context.lcInOrgY = extents.yMin;
    context.lcInExtX = extents.xMax - extents.xMin;
    context.lcInExtY = extents.yMax - extents.yMin;
    // The service scales packet positions over the whole desktop to 0..X max
    // and 0..Y max.
    context.lcOutExtX = extents.xMax;
    context.lcOutExtY = extents.yMax;
    context.lcSensX = ONE_FIXED;
    context.lcSensY = ONE_FIXED;
    context.lcSensZ = ONE_FIXED;

    context.lcSysOrgX = desktop.left;
    context.lcSysOrgY = desktop.top;
    context.lcSysExtX = desktop.width;
    context.lcSysExtY = desktop.height;
    context.lcSysSensX = ONE_FIXED;
    context.lcSysSensY = ONE_FIXED;
    return context;
}

void DefaultContext::OrientationAxes(wintab::AXIS axes[3])
{
    // The eraser's altitude arrives negated, hence the negative minimum.
    axes[0] = wintab::AXIS{0, 3599, TU_CIRCLE, TENTHS_PER_CIRCLE};
    axes[1] = wintab::AXIS{-900, 900, TU_CIRCLE, TENTHS_PER_CIRCLE};
    axes[2] = wintab::AXIS{0, 3599, TU_CIRCLE, TENTHS_PER_CIRCLE};
}
