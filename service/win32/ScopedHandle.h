// Owners of kernel handles and mapped views.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <utility>

class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE handle) : handle_(Valid(handle) ? handle : nullptr) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept
    {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    HANDLE Release() { return std::exchange(handle_, nullptr); }
    void Reset(HANDLE handle = nullptr)
    {
        if (handle_ != nullptr)
            CloseHandle(handle_);
        handle_ = Valid(handle) ? handle : nullptr;
    }

private:
    static bool Valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    HANDLE handle_ = nullptr;
};

// A named section and a view of the size its users expect.
class MappedSection {
public:
    MappedSection() = default;
    ~MappedSection() { Close(); }
    MappedSection(const MappedSection&) = delete;
    MappedSection& operator=(const MappedSection&) = delete;

    // Takes `mapping` and maps `size` bytes of it. A section that already
    // existed smaller (made by another build) cannot be mapped that far and
    // fails here, before anyone writes past its end.
    bool Map(HANDLE mapping, size_t size)
    {
        Close();
        mapping_.Reset(mapping);
        view_ = mapping_ ? MapViewOfFile(mapping_.Get(), FILE_MAP_ALL_ACCESS, 0, 0, size) : nullptr;
        if (view_ == nullptr) {
            mapping_.Reset();
            return false;
        }
        size_ = size;
        return true;
    }
    void Close()
    {
        if (view_ != nullptr)
            UnmapViewOfFile(view_);
        view_ = nullptr;
        size_ = 0;
        mapping_.Reset();
    }

    uint8_t* Bytes() const { return static_cast<uint8_t*>(view_); }
    size_t Size() const { return size_; }
    bool IsMapped() const { return view_ != nullptr; }

private:
    ScopedHandle mapping_;
    void* view_ = nullptr;
    size_t size_ = 0;
};
