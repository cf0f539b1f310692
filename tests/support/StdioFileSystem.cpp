#include "StdioFileSystem.h"

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif
#include <string>

namespace {
FILE* AsFile(IFileSystem::Handle file) { return reinterpret_cast<FILE*>(file); }
}  // namespace

IFileSystem::Handle StdioFileSystem::OpenExisting(const char* path, Access access)
{
    std::string native = path ? path : "";
#ifndef _WIN32
    // The core builds its paths the Windows way.
    for (char& c : native)
        if (c == '\\')
            c = '/';
#endif
    FILE* file = std::fopen(native.c_str(), access == Access::Read ? "rb" : "r+b");
    if (file == nullptr)
        return INVALID;
    ++openFiles;
    return reinterpret_cast<Handle>(file);
}

int32_t StdioFileSystem::Read(Handle file, void* buffer, uint32_t size)
{
    FILE* f = AsFile(file);
    std::fseek(f, 0, SEEK_CUR);  // switching from writing to reading needs a positioning call
    size_t got = std::fread(buffer, 1, size, f);
    if (got == 0 && std::ferror(f))
        return -1;
    return static_cast<int32_t>(got);
}

int32_t StdioFileSystem::Write(Handle file, const void* buffer, uint32_t size)
{
    FILE* f = AsFile(file);
    std::fseek(f, 0, SEEK_CUR);
    size_t put = std::fwrite(buffer, 1, size, f);
    return put == size ? static_cast<int32_t>(put) : -1;
}

bool StdioFileSystem::SeekRelative(Handle file, int64_t offset)
{
    return std::fseek(AsFile(file), static_cast<long>(offset), SEEK_CUR) == 0;
}

int64_t StdioFileSystem::Position(Handle file)
{
    return std::ftell(AsFile(file));
}

bool StdioFileSystem::EndHere(Handle file)
{
    FILE* f = AsFile(file);
    const long position = std::ftell(f);
    if (position < 0 || std::fflush(f) != 0)
        return false;
#ifdef _WIN32
    return _chsize(_fileno(f), position) == 0;
#else
    return ftruncate(fileno(f), position) == 0;
#endif
}

void StdioFileSystem::Close(Handle file)
{
    if (file == INVALID)
        return;
    std::fclose(AsFile(file));
    --openFiles;
}
