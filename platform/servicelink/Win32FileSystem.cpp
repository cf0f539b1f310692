#include "Win32FileSystem.h"

#include <windows.h>

namespace {
HANDLE AsHandle(IFileSystem::Handle file) { return reinterpret_cast<HANDLE>(file); }
}  // namespace

IFileSystem::Handle Win32FileSystem::OpenExisting(const char* path, Access access)
{
    DWORD desired = access == Access::Read ? GENERIC_READ : (GENERIC_READ | GENERIC_WRITE);
    HANDLE file = CreateFileA(path, desired, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return INVALID;
    return reinterpret_cast<Handle>(file);
}

int32_t Win32FileSystem::Read(Handle file, void* buffer, uint32_t size)
{
    DWORD got = 0;
    if (!ReadFile(AsHandle(file), buffer, size, &got, nullptr))
        return -1;
    return static_cast<int32_t>(got);
}

int32_t Win32FileSystem::Write(Handle file, const void* buffer, uint32_t size)
{
    DWORD put = 0;
    if (!WriteFile(AsHandle(file), buffer, size, &put, nullptr))
        return -1;
    return static_cast<int32_t>(put);
}

bool Win32FileSystem::SeekRelative(Handle file, int64_t offset)
{
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    return SetFilePointerEx(AsHandle(file), distance, nullptr, FILE_CURRENT) != 0;
}

int64_t Win32FileSystem::Position(Handle file)
{
    LARGE_INTEGER none{};
    LARGE_INTEGER position{};
    if (!SetFilePointerEx(AsHandle(file), none, &position, FILE_CURRENT))
        return -1;
    return position.QuadPart;
}

bool Win32FileSystem::EndHere(Handle file)
{
    return SetEndOfFile(AsHandle(file)) != 0;
}

void Win32FileSystem::Close(Handle file)
{
    if (file != INVALID)
        CloseHandle(AsHandle(file));
}
