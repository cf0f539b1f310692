// A Program Files folder of its own for each test, with helpers that build
// device records byte for byte as the panel stores them.
#pragma once

#include "BuildPolicy.h"
#include "RecordingSystem.h"
#include "ServiceCodes.h"
#include "SettingsFiles.h"
#include "StdioFileSystem.h"
#include "TabletRecords.h"
#include "TempFolder.h"

#include <algorithm>
#include <cstring>
#include <vector>

using Bytes = std::vector<uint8_t>;

template <typename T> Bytes AsBytes(const T& value)
{
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&value);
    return Bytes(bytes, bytes + sizeof value);
}

inline Bytes Join(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline TABLETRECORD_HEAD& Head(Bytes& record, size_t offset = 0) { return *RecordHead(record.data() + offset); }
inline const TABLETRECORD_HEAD& Head(const Bytes& record, size_t offset = 0)
{
    return *RecordHead(record.data() + offset);
}
inline KEYACTION& Key(Bytes& record, int index, size_t offset = 0) { return RecordKeys(record.data() + offset)[index]; }
inline const KEYACTION& Key(const Bytes& record, int index, size_t offset = 0)
{
    return RecordKeys(record.data() + offset)[index];
}

inline TABLETINFO Model(uint16_t vid, uint16_t pid, int32_t keys, uint16_t penLength = 10)
{
    TABLETINFO info{};
    info.VID = vid;
    info.PID = pid;
    info.InputReportByteLength_Pen = penLength;
    info.xMax = 10206;
    info.yMax = 7422;
    info.keyCount = keys;
    info.reserved44[3] = 0x5A;  // reserved bytes travel unchanged
    return info;
}

// A record with its mapping set and every key a keystroke of its own.
inline Bytes StoredRecord(const TABLETINFO& info, int32_t seed)
{
    Bytes record(TabletRecordSize(info.keyCount));
    TABLETRECORD_HEAD& head = Head(record);
    head.info = info;
    head.mapping.monitorListCount = 1;
    head.mapping.monitorChoice = seed;
    head.mapping.screenArea = {seed, seed, 0xFFFF, 0xFFFF};
    head.mapping.tabletArea = {0, 0, info.xMax, info.yMax};
    head.keyCount = info.keyCount;
    for (int32_t i = 0; i < std::max(info.keyCount, 1); ++i) {
        Key(record, i).actionCode = ACTION_KEYSTROKE;
        Key(record, i).data[0] = static_cast<char>(seed + i);
        Key(record, i).data[1] = static_cast<char>(seed + i + 1);
    }
    return record;
}

struct SettingsFileFixture {
    TempFolder folder;
    RecordingSystem system;
    StdioFileSystem files;
    SettingsFiles settings{system, files, BuildPolicy::Reference()};

    SettingsFileFixture() { system.programFiles = folder.Path(); }

    void WriteDeviceFile(const Bytes& bytes) const { folder.WriteFile("Tablet\\StyloraFind.ked", bytes); }
    Bytes DeviceFile() const { return folder.ReadFile("Tablet\\StyloraFind.ked"); }
};
