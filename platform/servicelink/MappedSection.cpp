#include "MappedSection.h"

#include <cstring>

bool MappedSection::Map(HANDLE mapping, size_t size, DWORD access)
{
    Close();
    mapping_.Reset(mapping);
    view_ = mapping_ ? MapViewOfFile(mapping_.Get(), access, 0, 0, size) : nullptr;
    if (view_ == nullptr) {
        mapping_.Reset();
        return false;
    }
    size_ = size;
    return true;
}

bool MappedSection::Open(const char* name, size_t size, DWORD access)
{
    Close();
    HANDLE mapping = OpenFileMappingA(access, FALSE, name);
    return mapping != nullptr && Map(mapping, size, access);
}

void MappedSection::Close()
{
    if (view_ != nullptr)
        UnmapViewOfFile(view_);
    view_ = nullptr;
    size_ = 0;
    mapping_.Reset();
}

int32_t MappedSection::ReadInt32(size_t offset) const
{
    int32_t value = 0;
    if (Holds(offset, sizeof value))
        std::memcpy(&value, Bytes() + offset, sizeof value);
    return value;
}

void MappedSection::WriteInt32(size_t offset, int32_t value)
{
    if (Holds(offset, sizeof value))
        std::memcpy(Bytes() + offset, &value, sizeof value);
}
