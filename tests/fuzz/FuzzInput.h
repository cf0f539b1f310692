// Reads a fuzzer's input front to back; past its end every value reads as
// zero, so any input is a complete one.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    void Bytes(void* out, size_t count)
    {
        const size_t take = std::min(count, Remaining());
        if (take > 0)
            std::memcpy(out, data_ + position_, take);
        if (take < count)
            std::memset(static_cast<uint8_t*>(out) + take, 0, count - take);
        position_ += take;
    }

    template <typename T> T Read()
    {
        T value;
        Bytes(&value, sizeof value);
        return value;
    }

    // The next count bytes in place (fewer at the end).
    const uint8_t* Take(size_t count, size_t& taken)
    {
        taken = std::min(count, Remaining());
        const uint8_t* at = data_ + position_;
        position_ += taken;
        return at;
    }

    bool Done() const { return position_ >= size_; }
    size_t Remaining() const { return size_ - position_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};
