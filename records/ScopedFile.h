// Owns one file opened through the file door and closes it on every path.
#pragma once

#include "FileSystem.h"

class ScopedFile {
public:
    ScopedFile(IFileSystem& files, const char* path, IFileSystem::Access access)
        : files_(files), handle_(path != nullptr ? files.OpenExisting(path, access) : IFileSystem::INVALID)
    {
    }
    ~ScopedFile()
    {
        if (IsOpen())
            files_.Close(handle_);
    }
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;

    bool IsOpen() const { return handle_ != IFileSystem::INVALID; }
    IFileSystem::Handle Get() const { return handle_; }

    // True only when all `size` bytes were transferred.
    bool ReadAll(void* buffer, uint32_t size) const { return files_.Read(handle_, buffer, size) == static_cast<int32_t>(size); }
    bool WriteAll(const void* buffer, uint32_t size) const
    {
        return files_.Write(handle_, buffer, size) == static_cast<int32_t>(size);
    }
    int64_t Position() const { return files_.Position(handle_); }
    // To offset from the start of the file, from wherever a failed write left the position.
    bool MoveTo(int64_t offset) const
    {
        const int64_t at = Position();
        return at >= 0 && files_.SeekRelative(handle_, offset - at);
    }

private:
    IFileSystem& files_;
    IFileSystem::Handle handle_;
};
