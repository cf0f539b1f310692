// Walks the device file record by record. The file is a bare concatenation
// of records, each sized by the key count in its own header, so a damaged
// count or a file cut short shows only when the bytes are not there: every
// body is read rather than skipped by seeking, which tells the walk exactly
// where the last whole record ends and keeps writers from appending beyond
// the end of the file.
#pragma once

#include "FileSystem.h"
#include "TabletRecords.h"

#include <cstddef>
#include <cstdint>

class DeviceFileChain {
public:
    DeviceFileChain(IFileSystem& files, IFileSystem::Handle file) : files_(files), file_(file) {}

    // Bytes that follow a header with key count n: 596 below two keys, else 516n + 80.
    static uint64_t BodySizeOf(int32_t keyCount);

    // Reads the next header; false at the end of the chain (the file ended,
    // possibly inside the header, or the read failed).
    bool NextHeader();
    const TABLETINFO& Header() const { return header_; }
    uint64_t BodySize() const { return BodySizeOf(header_.keyCount); }

    // Reads the current record's body, keeping its first `room` bytes in out
    // (out may be null). False when the file ends inside it or a read fails.
    bool ReadBody(uint8_t* out, size_t room);
    bool SkipBody() { return ReadBody(nullptr, 0); }
    // Walks on to the next record of the device (VID, PID), its body not yet
    // read; false when the chain ends or a body cannot be read past first.
    bool FindDevice(uint16_t vid, uint16_t pid);

    // Bytes of the current record read so far, header included.
    uint64_t RecordBytesRead() const { return consumed_; }
    // Back to just behind the current header, after its whole body was read.
    bool BackToBody();
    // Back to the start of the current record, or of a partial header, so a
    // record written there replaces a damaged tail.
    bool BackToRecordStart();
    bool ReadFailed() const { return failed_; }

private:
    IFileSystem& files_;
    IFileSystem::Handle file_;
    TABLETINFO header_{};
    uint64_t consumed_ = 0;
    bool failed_ = false;
};
