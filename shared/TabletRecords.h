// Fixed-size records copied byte for byte between the settings files, the
// shared sections, the read threads' copies and the panel. Every offset and
// size is part of the on-disk and in-memory format, so each is asserted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#pragma pack(push, 1)

// One tablet model / interface: the supported-devices file record and the
// head of every TABLETRECORD.
struct TABLETINFO {
    uint16_t VID;
    uint16_t PID;
    uint8_t reserved4[2];
    uint16_t InputReportByteLength_Pen;
    uint16_t InputReportByteLength_Key;
    uint8_t reserved10[4];
    uint16_t OutputReportByteLength;
    uint16_t widthWord;
    uint16_t heightWord;
    int32_t xMin;
    int32_t xMax;
    uint8_t reserved28[8];
    int32_t yMin;
    int32_t yMax;
    uint8_t reserved44[24];
    int32_t pressureMin;
    int32_t pressureMax;
    uint8_t reserved76[8];
    int32_t keyCount;
    uint8_t reserved88[4];
    int32_t rotationCode;
    uint8_t reserved96[64];
};

struct RECT32 {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// How the tablet maps onto the virtual desktop; always right after TABLETINFO.
struct MAPPINGDEF {
    int32_t monitorListCount;   // -1: mapping not set
    int32_t monitorChoice;      // -1 whole desktop, -2 custom area, k monitor k
    int32_t monitorFlags;
    RECT32 reservedRect;
    RECT32 reserved28;
    RECT32 screenArea;          // 0..0xFFFF of the virtual desktop
    RECT32 tabletArea;          // tablet units
};

constexpr size_t KEYACTION_DATA_SIZE = 384;
constexpr size_t KEYACTION_PARAM_SIZE = 128;

// Action of one express key or pen button.
struct KEYACTION {
    int32_t actionCode;
    char data[KEYACTION_DATA_SIZE];
    char parameters[KEYACTION_PARAM_SIZE];
};

// Fixed head of a TABLETRECORD; max(n,1) KEYACTIONs follow it in memory.
struct TABLETRECORD_HEAD {
    TABLETINFO info;
    MAPPINGDEF mapping;
    int32_t keyCount;           // -1: keys not set
};

struct PENSETTINGS {
    int16_t toolId;
    uint8_t serialNibble;
    uint8_t serialBytes[4];
    uint8_t unused7;
    int32_t pressureSensitivity;
    int32_t clickSensitivity;
    int32_t tiltSensitivity;
    int32_t penButtonCount;
    int32_t disablePressure;
    int32_t reserved28;
    uint8_t reserved32[68];
    KEYACTION penButton[2];
};

// One Wintab PACKET with every packet-data bit selected.
struct RINGPACKET {
    uint32_t context;
    uint32_t status;
    uint32_t time;
    uint32_t changed;
    uint32_t serialNumber;
    uint32_t cursor;
    uint32_t buttons;
    int32_t x;
    int32_t y;
    int32_t z;
    uint32_t normalPressure;
    int32_t tangentPressure;
    int32_t azimuth;
    int32_t altitude;
    int32_t twist;
    int32_t pitch;
    int32_t roll;
    int32_t yaw;
};

#pragma pack(pop)

static_assert(sizeof(TABLETINFO) == 160, "TABLETINFO layout");
static_assert(offsetof(TABLETINFO, InputReportByteLength_Pen) == 6, "pen report length");
static_assert(offsetof(TABLETINFO, InputReportByteLength_Key) == 8, "key report length");
static_assert(offsetof(TABLETINFO, OutputReportByteLength) == 14, "output report length");
static_assert(offsetof(TABLETINFO, widthWord) == 16, "width word");
static_assert(offsetof(TABLETINFO, xMin) == 20, "x min");
static_assert(offsetof(TABLETINFO, xMax) == 24, "x max");
static_assert(offsetof(TABLETINFO, yMin) == 36, "y min");
static_assert(offsetof(TABLETINFO, yMax) == 40, "y max");
static_assert(offsetof(TABLETINFO, pressureMin) == 68, "pressure min");
static_assert(offsetof(TABLETINFO, pressureMax) == 72, "pressure max");
static_assert(offsetof(TABLETINFO, keyCount) == 84, "key count");
static_assert(offsetof(TABLETINFO, rotationCode) == 92, "rotation code");
static_assert(sizeof(MAPPINGDEF) == 76, "MAPPINGDEF layout");
static_assert(offsetof(MAPPINGDEF, reservedRect) == 12, "reserved rectangle");
static_assert(offsetof(MAPPINGDEF, screenArea) == 44, "screen area");
static_assert(offsetof(MAPPINGDEF, tabletArea) == 60, "tablet area");
static_assert(sizeof(KEYACTION) == 516, "KEYACTION layout");
static_assert(offsetof(KEYACTION, parameters) == 388, "launch parameters");
static_assert(sizeof(TABLETRECORD_HEAD) == 240, "TABLETRECORD head");
static_assert(offsetof(TABLETRECORD_HEAD, mapping) == 160, "mapping block");
static_assert(offsetof(TABLETRECORD_HEAD, keyCount) == 236, "record key count");
static_assert(sizeof(PENSETTINGS) == 1132, "PENSETTINGS layout");
static_assert(offsetof(PENSETTINGS, serialBytes) == 3, "serial bytes");
static_assert(offsetof(PENSETTINGS, pressureSensitivity) == 8, "pressure sensitivity");
static_assert(offsetof(PENSETTINGS, clickSensitivity) == 12, "click sensitivity");
static_assert(offsetof(PENSETTINGS, tiltSensitivity) == 16, "tilt sensitivity");
static_assert(offsetof(PENSETTINGS, disablePressure) == 24, "disable pressure");
static_assert(offsetof(PENSETTINGS, penButton) == 100, "pen button 1");
static_assert(sizeof(RINGPACKET) == 72, "RINGPACKET layout");
static_assert(offsetof(RINGPACKET, buttons) == 24, "buttons");
static_assert(offsetof(RINGPACKET, normalPressure) == 40, "normal pressure");
static_assert(offsetof(RINGPACKET, azimuth) == 48, "orientation");
static_assert(offsetof(RINGPACKET, pitch) == 60, "rotation");

constexpr size_t TABLETRECORD_HEAD_SIZE = sizeof(TABLETRECORD_HEAD);
constexpr size_t KEYACTION_SIZE = sizeof(KEYACTION);
constexpr size_t RECORD_KEYCOUNT_OFFSET = offsetof(TABLETRECORD_HEAD, keyCount);
constexpr size_t RECORD_KEYS_OFFSET = TABLETRECORD_HEAD_SIZE;

// Size of a TABLETRECORD of a model with n express keys: 240 + 516 * max(n, 1).
// Negative counts are treated as 1 key so a damaged count never sizes a copy
// below the fixed head.
constexpr size_t TabletRecordSize(int32_t keyCount)
{
    return TABLETRECORD_HEAD_SIZE + KEYACTION_SIZE * static_cast<size_t>(keyCount > 1 ? keyCount : 1);
}

// Number of whole keys that fit in `bytes` of record storage (0 when the head
// itself does not fit).
constexpr int32_t KeyCapacityOf(size_t bytes)
{
    return bytes < TABLETRECORD_HEAD_SIZE ? 0
                                          : static_cast<int32_t>((bytes - TABLETRECORD_HEAD_SIZE) / KEYACTION_SIZE);
}

// Typed views of a TABLETRECORD held in a byte buffer.
inline TABLETRECORD_HEAD* RecordHead(void* record) { return static_cast<TABLETRECORD_HEAD*>(record); }
inline const TABLETRECORD_HEAD* RecordHead(const void* record)
{
    return static_cast<const TABLETRECORD_HEAD*>(record);
}
inline KEYACTION* RecordKeys(void* record)
{
    return reinterpret_cast<KEYACTION*>(static_cast<uint8_t*>(record) + RECORD_KEYS_OFFSET);
}
inline const KEYACTION* RecordKeys(const void* record)
{
    return reinterpret_cast<const KEYACTION*>(static_cast<const uint8_t*>(record) + RECORD_KEYS_OFFSET);
}
