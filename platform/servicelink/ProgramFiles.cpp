#include "ProgramFiles.h"

#include "TestSeams.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

bool ProgramFiles::Folder(char* buffer, size_t size)
{
    char path[MAX_PATH] = {};
    const char* folder = path;
    if (const char* chosen = testseams::ProgramFilesOverride())
        folder = chosen;
    else if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAM_FILES, FALSE))
        return false;
    const size_t length = std::strlen(folder);
    if (buffer == nullptr || length >= size)
        return false;
    std::memcpy(buffer, folder, length + 1);
    return true;
}

std::string ProgramFiles::Path(const char* suffix)
{
    char folder[MAX_PATH] = {};
    if (!Folder(folder, sizeof folder))
        return std::string();
    return std::string(folder) + suffix;
}
