// One of the service's named sections, opened and mapped for reading and
// writing, and released with the object.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

class SharedSectionView {
public:
    SharedSectionView() = default;
    ~SharedSectionView() { Close(); }
    SharedSectionView(const SharedSectionView&) = delete;
    SharedSectionView& operator=(const SharedSectionView&) = delete;

    // Opens `name` and maps all of it; false (and nothing held) when the
    // section is missing or its view smaller than `minimumSize`.
    bool Open(const char* name, size_t minimumSize);
    void Close();

    uint8_t* Bytes() const { return static_cast<uint8_t*>(view_); }
    size_t Size() const { return size_; }
    bool IsOpen() const { return view_ != nullptr; }

private:
    HANDLE mapping_ = nullptr;
    void* view_ = nullptr;
    size_t size_ = 0;
};
