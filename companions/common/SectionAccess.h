// Opening the service's named sections from a companion, for reading and
// writing, mapped for just the bytes the companion touches: a section made
// smaller than that cannot be mapped, so nothing is read past its end.
#pragma once

#include "ScopedHandle.h"

#include <cstddef>
#include <cstdint>

bool OpenSection(MappedSection& section, const char* name, size_t size);
// The key area with as many of its first `keys` key slots as it holds.
bool OpenKeyArea(MappedSection& section, const char* name, int keys);

int32_t ReadInt32(const MappedSection& section, size_t offset);
void WriteInt32(MappedSection& section, size_t offset, int32_t value);
