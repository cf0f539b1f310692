// A file door on which no settings file exists: the service over it finds no
// pen settings file and takes the defaults, and saves nothing.
#pragma once

#include "FileSystem.h"

class NoSettingsFiles : public IFileSystem {
public:
    Handle OpenExisting(const char*, Access) override { return INVALID; }
    int32_t Read(Handle, void*, uint32_t) override { return -1; }
    int32_t Write(Handle, const void*, uint32_t) override { return -1; }
    bool SeekRelative(Handle, int64_t) override { return false; }
    int64_t Position(Handle) override { return -1; }
    bool EndHere(Handle) override { return false; }
    void Close(Handle) override {}
};
