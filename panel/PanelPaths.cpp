#include "PanelPaths.h"

#include "TestSeams.h"

#include <windows.h>
#include <shlobj.h>


std::string PanelPaths::ProgramFilesPath(const char* suffix)
{
    if (const char* folder = testseams::ProgramFilesOverride())
        return std::string(folder) + suffix;
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAM_FILES, FALSE))
        return std::string();
    return std::string(path) + suffix;
}
