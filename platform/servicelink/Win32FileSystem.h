// The settings files' door over CreateFileA: existing files only, shared for
// reading and writing so the panel can keep its own copy open.
#pragma once

#include "FileSystem.h"

class Win32FileSystem : public IFileSystem {
public:
    Handle OpenExisting(const char* path, Access access) override;
    int32_t Read(Handle file, void* buffer, uint32_t size) override;
    int32_t Write(Handle file, const void* buffer, uint32_t size) override;
    bool SeekRelative(Handle file, int64_t offset) override;
    int64_t Position(Handle file) override;
    bool EndHere(Handle file) override;
    void Close(Handle file) override;
};
