#include "SystemLibrary.h"

#include <string>

SystemLibrary::SystemLibrary(const char* fileName)
{
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder)
        return;
    module_ = LoadLibraryA((std::string(folder) + "\\" + fileName).c_str());
}

SystemLibrary::~SystemLibrary()
{
    if (module_ != nullptr)
        FreeLibrary(module_);
}
