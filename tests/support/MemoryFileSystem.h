// The core's file door over files held in memory: fast enough for fuzzing,
// and able to fail a transfer on demand to reach the error paths.
#pragma once

#include "FileSystem.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class MemoryFileSystem : public IFileSystem {
public:
    using Bytes = std::vector<uint8_t>;

    // Keyed by the path exactly as the core builds it.
    std::map<std::string, Bytes> files;
    // Reads, writes and seeks that succeed before every later one fails (-1: none fails).
    int64_t failAfter = -1;
    // Calls that succeed before one fails alone, a fault that passes: every
    // later call succeeds again (-1: none fails). A write failing so has put
    // the first half of its bytes.
    int64_t failOnceAfter = -1;
    int openFiles = 0;

    Handle OpenExisting(const char* path, Access access) override;
    int32_t Read(Handle file, void* buffer, uint32_t size) override;
    int32_t Write(Handle file, const void* buffer, uint32_t size) override;
    bool SeekRelative(Handle file, int64_t offset) override;
    int64_t Position(Handle file) override;
    bool EndHere(Handle file) override;
    void Close(Handle file) override;

private:
    struct OpenFile {
        Bytes* bytes = nullptr;
        uint64_t position = 0;
        bool writable = false;
    };

    OpenFile* Find(Handle file);
    static void Put(OpenFile& f, const void* buffer, uint32_t size);
    bool Fails();

    std::vector<OpenFile> open_;
};
