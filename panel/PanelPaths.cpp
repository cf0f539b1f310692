#include "PanelPaths.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>

std::string PanelPaths::ProgramFilesPath(const char* suffix)
{
    // Tests point the settings folder elsewhere, as they do for the service;
    // the shipped programs never set the variable.
    if (const char* folder = std::getenv("INKBRID_PROGRAM_FILES"))
        return std::string(folder) + suffix;
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAM_FILES, FALSE))
        return std::string();
    return std::string(path) + suffix;
}
