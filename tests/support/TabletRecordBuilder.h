// Tablet models and their settings records as the supported-device file, the
// device file and the key area hold them: the model's fields by name, then
// the record's mapping and keys. Unnamed fields stay zero.
#pragma once

#include "ServiceCodes.h"
#include "TabletRecords.h"

#include <cstdint>
#include <cstring>
#include <vector>

class TabletRecordBuilder {
public:
    TabletRecordBuilder(uint16_t vid, uint16_t pid) : bytes_(TabletRecordSize(0))
    {
        Head().info.VID = vid;
        Head().info.PID = pid;
    }
    explicit TabletRecordBuilder(const TABLETINFO& model) : bytes_(TabletRecordSize(model.keyCount))
    {
        Head().info = model;
        Head().keyCount = model.keyCount;
    }

    // The model.
    TabletRecordBuilder& PenReport(uint16_t length) { return Set(Head().info.InputReportByteLength_Pen, length); }
    TabletRecordBuilder& KeyReport(uint16_t length) { return Set(Head().info.InputReportByteLength_Key, length); }
    TabletRecordBuilder& OutputReport(uint16_t length) { return Set(Head().info.OutputReportByteLength, length); }
    TabletRecordBuilder& Extent(int32_t xMax, int32_t yMax, int32_t xMin = 0, int32_t yMin = 0)
    {
        Head().info.xMin = xMin, Head().info.xMax = xMax;
        Head().info.yMin = yMin, Head().info.yMax = yMax;
        return *this;
    }
    TabletRecordBuilder& Pressure(int32_t max, int32_t min = 0)
    {
        Head().info.pressureMin = min, Head().info.pressureMax = max;
        return *this;
    }
    TabletRecordBuilder& SizeWords(uint16_t width, uint16_t height)
    {
        Head().info.widthWord = width, Head().info.heightWord = height;
        return *this;
    }
    TabletRecordBuilder& Rotation(int32_t code) { return Set(Head().info.rotationCode, code); }
    // The model's express keys; the record's own count (+236) follows, and
    // the record holds that many key slots (at least one).
    TabletRecordBuilder& Keys(int32_t count)
    {
        bytes_.resize(TabletRecordSize(count));
        Head().info.keyCount = count;
        return Set(Head().keyCount, count);
    }

    // The record.
    TabletRecordBuilder& Monitors(int32_t listCount, int32_t choice = 0)
    {
        Head().mapping.monitorListCount = listCount, Head().mapping.monitorChoice = choice;
        return *this;
    }
    TabletRecordBuilder& ScreenArea(const RECT32& area) { return Set(Head().mapping.screenArea, area); }
    TabletRecordBuilder& TabletArea(const RECT32& area) { return Set(Head().mapping.tabletArea, area); }
    // The whole tablet (as far as the model's extent goes) onto the whole desktop.
    TabletRecordBuilder& WholeDesktop()
    {
        ScreenArea({0, 0, 0xFFFF, 0xFFFF});
        return TabletArea({0, 0, Head().info.xMax, Head().info.yMax});
    }
    // The record's own key count, where it is to differ from the model's.
    TabletRecordBuilder& StoredKeys(int32_t count) { return Set(Head().keyCount, count); }
    // Every byte of every key slot.
    TabletRecordBuilder& KeyBytes(uint8_t value)
    {
        std::memset(bytes_.data() + RECORD_KEYS_OFFSET, value, bytes_.size() - RECORD_KEYS_OFFSET);
        return *this;
    }
    // Key slot i a keystroke of the character seed + i.
    TabletRecordBuilder& Keystrokes(int seed)
    {
        for (int32_t i = 0; i < SlotCount(); ++i) {
            RecordKeys(bytes_.data())[i].actionCode = ACTION_KEYSTROKE;
            RecordKeys(bytes_.data())[i].data[0] = static_cast<char>(seed + i);
        }
        return *this;
    }
    // Key slot i the action firstCode + i.
    TabletRecordBuilder& ActionCodes(int32_t firstCode)
    {
        for (int32_t i = 0; i < SlotCount(); ++i)
            RecordKeys(bytes_.data())[i].actionCode = firstCode + i;
        return *this;
    }
    TabletRecordBuilder& Key(int32_t slot, int32_t actionCode, const char* data = "")
    {
        KEYACTION& key = RecordKeys(bytes_.data())[slot];
        key.actionCode = actionCode;
        std::strncpy(key.data, data, sizeof key.data - 1);
        return *this;
    }

    TABLETINFO Model() const { return RecordHead(bytes_.data())->info; }
    TABLETRECORD_HEAD Record() const { return *RecordHead(bytes_.data()); }
    // The whole record: the head and its key slots.
    std::vector<uint8_t> Bytes() const { return bytes_; }

private:
    TABLETRECORD_HEAD& Head() { return *RecordHead(bytes_.data()); }
    int32_t SlotCount() const { return static_cast<int32_t>((bytes_.size() - RECORD_KEYS_OFFSET) / KEYACTION_SIZE); }
    template <class Field, class Value> TabletRecordBuilder& Set(Field& field, const Value& value)
    {
        field = value;
        return *this;
    }

    std::vector<uint8_t> bytes_;
};
