// The part of the Wintab interface the package uses: the four functions the
// panel imports by ordinal, the records they exchange and the 32-byte packet
// the panel asks for. Our own WinTab32.dll implements the other side.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wintab {

// Ordinals of the Wintab standard.
constexpr int ORDINAL_WTInfoA = 20;
constexpr int ORDINAL_WTOpenA = 21;
constexpr int ORDINAL_WTClose = 22;
constexpr int ORDINAL_WTPacketsGet = 23;

// WTInfoA categories and indexes used.
constexpr uint32_t WTI_INTERFACE = 1;
constexpr uint32_t WTI_DEFSYSCTX = 4;
constexpr uint32_t WTI_DEVICES = 100;
constexpr uint32_t DVC_ORIENTATION = 17;

// Context options, packet-data bits and status.
constexpr uint32_t CXO_SYSTEM = 0x0001;
constexpr uint32_t CXO_MESSAGES = 0x0004;
constexpr uint32_t CXO_CSRMESSAGES = 0x0008;
constexpr uint32_t CXS_DISABLED = 0x0001;
constexpr uint32_t CXS_OBSCURED = 0x0002;
constexpr uint32_t CXS_ONTOP = 0x0004;

constexpr uint32_t PK_CONTEXT = 0x0001;
constexpr uint32_t PK_STATUS = 0x0002;
constexpr uint32_t PK_TIME = 0x0004;
constexpr uint32_t PK_CHANGED = 0x0008;
constexpr uint32_t PK_SERIAL_NUMBER = 0x0010;
constexpr uint32_t PK_CURSOR = 0x0020;
constexpr uint32_t PK_BUTTONS = 0x0040;
constexpr uint32_t PK_X = 0x0080;
constexpr uint32_t PK_Y = 0x0100;
constexpr uint32_t PK_Z = 0x0200;
constexpr uint32_t PK_NORMAL_PRESSURE = 0x0400;
constexpr uint32_t PK_TANGENT_PRESSURE = 0x0800;
constexpr uint32_t PK_ORIENTATION = 0x1000;
constexpr uint32_t PK_ROTATION = 0x2000;

// What the panel selects: cursor, buttons, x, y, normal pressure, orientation.
constexpr uint32_t PANEL_PACKET_DATA = 0x15E0;
constexpr uint32_t PANEL_PACKET_MODE = 0x60;
constexpr int MAX_PACKETS_PER_GET = 64;

#pragma pack(push, 1)

struct AXIS {
    int32_t axMin;
    int32_t axMax;
    uint32_t axUnits;
    uint32_t axResolution;  // fixed point 16.16
};

struct LOGCONTEXTA {
    char lcName[40];
    uint32_t lcOptions;
    uint32_t lcStatus;
    uint32_t lcLocks;
    uint32_t lcMsgBase;
    uint32_t lcDevice;
    uint32_t lcPktRate;
    uint32_t lcPktData;
    uint32_t lcPktMode;
    uint32_t lcMoveMask;
    uint32_t lcBtnDnMask;
    uint32_t lcBtnUpMask;
    int32_t lcInOrgX;
    int32_t lcInOrgY;
    int32_t lcInOrgZ;
    int32_t lcInExtX;
    int32_t lcInExtY;
    int32_t lcInExtZ;
    int32_t lcOutOrgX;
    int32_t lcOutOrgY;
    int32_t lcOutOrgZ;
    int32_t lcOutExtX;
    int32_t lcOutExtY;
    int32_t lcOutExtZ;
    uint32_t lcSensX;
    uint32_t lcSensY;
    uint32_t lcSensZ;
    int32_t lcSysMode;
    int32_t lcSysOrgX;
    int32_t lcSysOrgY;
    int32_t lcSysExtX;
    int32_t lcSysExtY;
    uint32_t lcSysSensX;
    uint32_t lcSysSensY;
};

// One packet as the panel reads it (packet data 0x15E0), 32 bytes.
struct PANELPACKET {
    uint32_t cursor;
    uint32_t buttons;
    int32_t x;
    int32_t y;
    uint32_t normalPressure;
    int32_t azimuth;
    int32_t altitude;
    int32_t twist;
};

#pragma pack(pop)

// The panel's try-here context: the default system context with packet
// messages, its packet layout (cursor and buttons relative), button-up
// events for every button that reports a press, output from the origin and
// the output Y axis turned upwards.
inline LOGCONTEXTA PanelContextFrom(const LOGCONTEXTA& system)
{
    LOGCONTEXTA context = system;
    context.lcOptions |= CXO_MESSAGES;
    context.lcPktData = PANEL_PACKET_DATA;
    context.lcPktMode = PANEL_PACKET_MODE;
    context.lcMoveMask = PANEL_PACKET_DATA;
    context.lcBtnUpMask = context.lcBtnDnMask;
    context.lcOutOrgX = 0;
    context.lcOutOrgY = 0;
    context.lcOutExtY = -context.lcOutExtY;
    return context;
}

static_assert(sizeof(AXIS) == 16, "AXIS layout");
static_assert(sizeof(LOGCONTEXTA) == 172, "LOGCONTEXTA layout");
static_assert(offsetof(LOGCONTEXTA, lcOptions) == 40, "options");
static_assert(offsetof(LOGCONTEXTA, lcPktData) == 64, "packet data");
static_assert(offsetof(LOGCONTEXTA, lcOutExtY) == 124, "output Y extent");
static_assert(sizeof(PANELPACKET) == 32, "panel packet layout");

}  // namespace wintab
