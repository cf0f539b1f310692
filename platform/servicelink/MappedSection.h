// A view of a named section, mapped for exactly the bytes its user reads or
// writes. A section that exists smaller (made by another build) cannot be
// mapped that far: the view fails here, before anyone touches past its end.
#pragma once

#include "ScopedHandle.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

class MappedSection {
public:
    static constexpr DWORD kReadWrite = FILE_MAP_READ | FILE_MAP_WRITE;

    MappedSection() = default;
    ~MappedSection() { Close(); }
    MappedSection(const MappedSection&) = delete;
    MappedSection& operator=(const MappedSection&) = delete;

    // Takes `mapping` (closed on failure too) and maps `size` bytes of it.
    bool Map(HANDLE mapping, size_t size, DWORD access = FILE_MAP_ALL_ACCESS);
    // Opens the section another process created and maps `size` bytes.
    bool Open(const char* name, size_t size, DWORD access = kReadWrite);
    void Close();

    bool IsMapped() const { return view_ != nullptr; }
    uint8_t* Bytes() const { return static_cast<uint8_t*>(view_); }
    size_t Size() const { return size_; }
    template <typename T> T* As() const { return static_cast<T*>(view_); }

    // True when `width` bytes at `offset` lie inside the view.
    bool Holds(size_t offset, size_t width) const
    {
        return view_ != nullptr && offset <= size_ && width <= size_ - offset;
    }
    // A 32-bit field; reads 0 and writes nothing outside the view.
    int32_t ReadInt32(size_t offset) const;
    void WriteInt32(size_t offset, int32_t value);

private:

    ScopedHandle mapping_;
    void* view_ = nullptr;
    size_t size_ = 0;
};
