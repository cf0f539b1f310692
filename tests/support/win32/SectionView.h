// Opens one of the service's named sections from outside, as the panel does.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

class SectionView {
public:
    SectionView() = default;
    ~SectionView() { Close(); }
    SectionView(const SectionView&) = delete;
    SectionView& operator=(const SectionView&) = delete;

    bool Open(const std::string& name)
    {
        Close();
        mapping_ = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
        if (mapping_ == nullptr)
            return false;
        view_ = MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0);
        return view_ != nullptr;
    }
    void Close()
    {
        if (view_ != nullptr)
            UnmapViewOfFile(view_);
        if (mapping_ != nullptr)
            CloseHandle(mapping_);
        view_ = nullptr;
        mapping_ = nullptr;
    }

    template <typename T> T* As() const { return static_cast<T*>(view_); }
    uint8_t* Bytes() const { return static_cast<uint8_t*>(view_); }
    int32_t Int32At(size_t offset) const
    {
        int32_t value;
        std::memcpy(&value, Bytes() + offset, sizeof value);
        return value;
    }

private:
    HANDLE mapping_ = nullptr;
    void* view_ = nullptr;
};
