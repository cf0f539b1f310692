// The doors through which the record files are reached: the Program Files
// folder they live below and the files themselves. The Win32 side implements
// them with the real calls; tests implement them over memory or stdio.
#pragma once

#include <cstddef>
#include <cstdint>

class IProgramFilesFolder {
public:
    virtual ~IProgramFilesFolder() = default;
    // The Program Files folder (CSIDL_PROGRAM_FILES), terminated; false on failure.
    virtual bool ProgramFilesFolder(char* buffer, size_t size) = 0;
};

// Files opened with OPEN_EXISTING only: the service never creates a settings file.
class IFileSystem {
public:
    using Handle = intptr_t;
    static constexpr Handle INVALID = -1;
    enum class Access { Read, ReadWrite };

    virtual ~IFileSystem() = default;
    virtual Handle OpenExisting(const char* path, Access access) = 0;
    // Returns the bytes transferred, or -1 on failure.
    virtual int32_t Read(Handle file, void* buffer, uint32_t size) = 0;
    virtual int32_t Write(Handle file, const void* buffer, uint32_t size) = 0;
    // Moves the file position relative to the current one; false on failure.
    virtual bool SeekRelative(Handle file, int64_t offset) = 0;
    // The current position from the start of the file; -1 on failure.
    virtual int64_t Position(Handle file) = 0;
    // Ends the file at the current position; false on failure.
    virtual bool EndHere(Handle file) = 0;
    virtual void Close(Handle file) = 0;
};
