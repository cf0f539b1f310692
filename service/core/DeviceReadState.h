// The private copies a tablet's read thread works with: the device's
// description, its mapping block and key table as they were at the last
// reload, the express-key state, and the buffer its reads land in. Every
// length here comes from a file or a section and is bounded where it enters.
#pragma once

#include "ExpressKeys.h"
#include "IReportSink.h"
#include "SharedSections.h"
#include "TabletRecords.h"

#include <cstddef>
#include <cstdint>
#include <memory>

constexpr uint8_t KEY_REPORT_ID = 12;

class DeviceReadState {
public:
    static constexpr size_t READ_BUFFER_SIZE = 64;

    // A pen report length the read buffer can take whole.
    static bool IsReadableLength(uint16_t penReportLength)
    {
        return penReportLength != 0 && penReportLength <= READ_BUFFER_SIZE;
    }

    // Takes the start copies; keyCount is bounded by the keys actually given
    // (keyRoom). False when the key copy cannot be allocated.
    bool Init(const TABLETINFO& header, const MAPPINGDEF& mapping, int32_t keyCount, const KEYACTION* keys,
              int32_t keyRoom);

    // The panel changed the mapping block or the key table in the key area.
    void ReloadMapping(const KeyAreaView& keyArea);
    void ReloadKeys(const KeyAreaView& keyArea);

    // Hands one completed read to the sink: byte 0 == 12 is an express-key
    // report, anything else a pen report. A read of any other length than the
    // pen report length is dropped (false).
    bool Dispatch(size_t bytesRead, IReportSink& sink);
    // The tablet went away or its thread stops: the sink lets go of what it pressed.
    void Removed(IReportSink& sink);

    uint8_t* ReadBuffer() { return readBuffer_; }
    uint32_t ReadLength() const { return header_.InputReportByteLength_Pen; }
    const TABLETINFO& Header() const { return header_; }
    const MAPPINGDEF& Mapping() const { return mapping_; }
    int32_t KeyCount() const { return keyCount_; }
    // The key table as the express-key handler sees it: never more keys than the copy holds.
    KeyTableRef Keys() const;

private:
    size_t KeyCopySize() const { return sizeof(int32_t) + KEYACTION_SIZE * static_cast<size_t>(keyCount_); }
    int32_t CopiedCount() const;

    TABLETINFO header_{};
    MAPPINGDEF mapping_{};
    int32_t keyCount_ = 0;
    // Count word followed by keyCount_ KEYACTIONs, sized once at thread start.
    std::unique_ptr<uint8_t[]> keyCopy_;
    ExpressKeyState keyState_{};
    bool penInRange_ = false;  // the last pen report handed on was not a leave
    alignas(8) uint8_t readBuffer_[READ_BUFFER_SIZE] = {};
};
