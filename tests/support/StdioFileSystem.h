// The core's file door over stdio, for tests natively and under Wine.
#pragma once

#include "FileSystem.h"

class StdioFileSystem : public IFileSystem {
public:
    Handle OpenExisting(const char* path, Access access) override;
    int32_t Read(Handle file, void* buffer, uint32_t size) override;
    int32_t Write(Handle file, const void* buffer, uint32_t size) override;
    bool SeekRelative(Handle file, int64_t offset) override;
    int64_t Position(Handle file) override;
    bool EndHere(Handle file) override;
    void Close(Handle file) override;

    int openFiles = 0;  // lets tests prove every opened file was closed
};
