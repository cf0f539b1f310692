#include "SectionAccess.h"

#include "SharedSections.h"

#include <cstring>

bool OpenSection(MappedSection& section, const char* name, size_t size)
{
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name);
    return mapping != nullptr && section.Map(mapping, size);
}

bool OpenKeyArea(MappedSection& section, const char* name, int keys)
{
    for (; keys >= 0; --keys) {
        if (OpenSection(section, name, KEYAREA_KEYS_OFFSET + KEYACTION_SIZE * static_cast<size_t>(keys)))
            return true;
        // Missing altogether: no smaller view will help.
        HANDLE probe = OpenFileMappingA(FILE_MAP_READ, FALSE, name);
        if (probe == nullptr)
            return false;
        CloseHandle(probe);
    }
    return false;
}

int32_t ReadInt32(const MappedSection& section, size_t offset)
{
    int32_t value = 0;
    if (section.IsMapped() && offset + sizeof value <= section.Size())
        std::memcpy(&value, section.Bytes() + offset, sizeof value);
    return value;
}

void WriteInt32(MappedSection& section, size_t offset, int32_t value)
{
    if (section.IsMapped() && offset + sizeof value <= section.Size())
        std::memcpy(section.Bytes() + offset, &value, sizeof value);
}
