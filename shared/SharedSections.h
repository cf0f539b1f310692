// Layouts of the three named shared sections. Handles and windows are stored
// as 32-bit values so 32- and 64-bit processes agree on every offset.
#pragma once

#include "TabletRecords.h"

#include <cstddef>
#include <cstdint>

constexpr int RING_CAPACITY = 128;

#pragma pack(push, 1)

struct ConnectionSection {
    int32_t processId;
    uint32_t commandEvent;      // valid in the creator's process only
    uint32_t syncEvent;
    uint32_t registeredMessage; // id of "StyloraWintab2008"
    int32_t command;            // ServiceCommand
    int32_t contextId;
    uint32_t contextWindow;
    int32_t unused28;
    uint32_t contextOptions;
    uint32_t contextStatus;
    int32_t unused40;
    int32_t readIndex;
    int32_t writeIndex;
    RINGPACKET ring[RING_CAPACITY];
};

struct PenSection {
    int32_t processId;
    PENSETTINGS pen;
    KEYACTION spareKey;
};

// Fixed head of the key area; the record's keys follow up to the section size.
struct KeyAreaSectionHead {
    int32_t processId;
    TABLETRECORD_HEAD record;
};

#pragma pack(pop)

static_assert(sizeof(ConnectionSection) == 9268, "connection section size");
static_assert(offsetof(ConnectionSection, commandEvent) == 4, "command event");
static_assert(offsetof(ConnectionSection, syncEvent) == 8, "sync event");
static_assert(offsetof(ConnectionSection, registeredMessage) == 12, "registered message");
static_assert(offsetof(ConnectionSection, command) == 16, "command word");
static_assert(offsetof(ConnectionSection, contextId) == 20, "context id");
static_assert(offsetof(ConnectionSection, contextWindow) == 24, "context window");
static_assert(offsetof(ConnectionSection, contextOptions) == 32, "context options");
static_assert(offsetof(ConnectionSection, contextStatus) == 36, "context status");
static_assert(offsetof(ConnectionSection, readIndex) == 44, "ring read index");
static_assert(offsetof(ConnectionSection, writeIndex) == 48, "ring write index");
static_assert(offsetof(ConnectionSection, ring) == 52, "ring");
static_assert(sizeof(PenSection) == 1652, "pen section size");
static_assert(offsetof(PenSection, pen) == 4, "pen settings");
static_assert(offsetof(PenSection, pen) + offsetof(PENSETTINGS, disablePressure) == 28,
              "disable-pressure flag read by command 9");
static_assert(offsetof(PenSection, spareKey) == 1136, "spare key");
static_assert(sizeof(KeyAreaSectionHead) == 244, "key area head");
static_assert(offsetof(KeyAreaSectionHead, record) == 4, "key area record");

// Offsets of the key area the panel and companions use directly.
constexpr size_t KEYAREA_RECORD_OFFSET = 4;
constexpr size_t KEYAREA_ROTATION_OFFSET = 96;
constexpr size_t KEYAREA_INFO_KEYCOUNT_OFFSET = 88;
constexpr size_t KEYAREA_MAPPING_OFFSET = 164;
constexpr size_t KEYAREA_RECORD_KEYCOUNT_OFFSET = 240;
constexpr size_t KEYAREA_KEYS_OFFSET = 244;
static_assert(KEYAREA_RECORD_OFFSET + offsetof(TABLETINFO, rotationCode) == KEYAREA_ROTATION_OFFSET, "");
static_assert(KEYAREA_RECORD_OFFSET + offsetof(TABLETINFO, keyCount) == KEYAREA_INFO_KEYCOUNT_OFFSET, "");
static_assert(KEYAREA_RECORD_OFFSET + offsetof(TABLETRECORD_HEAD, mapping) == KEYAREA_MAPPING_OFFSET, "");
static_assert(KEYAREA_RECORD_OFFSET + offsetof(TABLETRECORD_HEAD, keyCount) == KEYAREA_RECORD_KEYCOUNT_OFFSET, "");

// Key area sizes of the three builds: 19, 12 and 18 keys.
constexpr size_t KEYAREA_SIZE_SERVICE = 10048;
constexpr size_t KEYAREA_SIZE_SECOND_BRAND = 6436;
constexpr size_t KEYAREA_SIZE_LIBRARY = 9532;

// Number of whole KEYACTIONs the key area of `sectionSize` bytes can hold.
constexpr int32_t KeyAreaCapacity(size_t sectionSize)
{
    return sectionSize < KEYAREA_KEYS_OFFSET ? 0
                                             : static_cast<int32_t>((sectionSize - KEYAREA_KEYS_OFFSET) / KEYACTION_SIZE);
}
static_assert(KeyAreaCapacity(KEYAREA_SIZE_SERVICE) == 19, "");
static_assert(KeyAreaCapacity(KEYAREA_SIZE_SECOND_BRAND) == 12, "");
static_assert(KeyAreaCapacity(KEYAREA_SIZE_LIBRARY) == 18, "");

// A view of the key area: the record at +4 bounded by the section's size.
struct KeyAreaView {
    uint8_t* base = nullptr;
    size_t size = 0;

    KeyAreaSectionHead* head() const { return reinterpret_cast<KeyAreaSectionHead*>(base); }
    uint8_t* record() const { return base + KEYAREA_RECORD_OFFSET; }
    size_t recordRoom() const { return size - KEYAREA_RECORD_OFFSET; }
    int32_t capacity() const { return KeyAreaCapacity(size); }
    bool valid() const { return base != nullptr && size >= sizeof(KeyAreaSectionHead); }
};
