#include "SharedSectionView.h"

bool SharedSectionView::Open(const char* name, size_t minimumSize)
{
    Close();
    mapping_ = OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name);
    if (mapping_ == nullptr)
        return false;
    view_ = MapViewOfFile(mapping_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0);
    MEMORY_BASIC_INFORMATION region{};
    if (view_ == nullptr || VirtualQuery(view_, &region, sizeof region) == 0 || region.RegionSize < minimumSize) {
        Close();
        return false;
    }
    size_ = region.RegionSize;
    return true;
}

void SharedSectionView::Close()
{
    if (view_ != nullptr)
        UnmapViewOfFile(view_);
    if (mapping_ != nullptr)
        CloseHandle(mapping_);
    view_ = nullptr;
    mapping_ = nullptr;
    size_ = 0;
}
