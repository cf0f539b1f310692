#include "DeviceFileChain.h"

#include <algorithm>

namespace {
constexpr uint32_t SKIP_CHUNK = 1024;
}

uint64_t DeviceFileChain::BodySizeOf(int32_t keyCount)
{
    // 64-bit so that an absurd count cannot wrap to a small size.
    const uint64_t tail = TABLETRECORD_HEAD_SIZE - sizeof(TABLETINFO);
    return keyCount < 2 ? tail + KEYACTION_SIZE : tail + KEYACTION_SIZE * static_cast<uint64_t>(keyCount);
}

bool DeviceFileChain::NextHeader()
{
    consumed_ = 0;
    int32_t got = files_.Read(file_, &header_, sizeof header_);
    if (got < 0) {
        failed_ = true;
        return false;
    }
    consumed_ = static_cast<uint64_t>(got);
    return got == static_cast<int32_t>(sizeof header_);
}

bool DeviceFileChain::ReadBody(uint8_t* out, size_t room)
{
    uint64_t remaining = BodySize();
    size_t stored = 0;
    uint8_t scratch[SKIP_CHUNK];
    while (remaining > 0) {
        uint8_t* target = scratch;
        uint64_t ask = std::min<uint64_t>(remaining, SKIP_CHUNK);
        if (out != nullptr && stored < room) {
            target = out + stored;
            ask = std::min<uint64_t>(ask, room - stored);
        }
        int32_t got = files_.Read(file_, target, static_cast<uint32_t>(ask));
        if (got < 0) {
            failed_ = true;
            return false;
        }
        consumed_ += static_cast<uint64_t>(got);
        remaining -= static_cast<uint64_t>(got);
        if (target != scratch)
            stored += static_cast<size_t>(got);
        if (static_cast<uint64_t>(got) < ask)
            return false;
    }
    return true;
}

bool DeviceFileChain::BackToBody()
{
    if (consumed_ < sizeof header_)
        return false;
    int64_t back = static_cast<int64_t>(consumed_ - sizeof header_);
    if (!files_.SeekRelative(file_, -back))
        return false;
    consumed_ = sizeof header_;
    return true;
}

bool DeviceFileChain::BackToRecordStart()
{
    if (!files_.SeekRelative(file_, -static_cast<int64_t>(consumed_)))
        return false;
    consumed_ = 0;
    return true;
}

bool DeviceFileChain::FindDevice(uint16_t vid, uint16_t pid)
{
    while (NextHeader()) {
        if (header_.VID == vid && header_.PID == pid)
            return true;
        if (!SkipBody())
            return false;
    }
    return false;
}
