// The Program Files folder, below which the package keeps its settings and
// language files ("\Tablet\...", "\Stylora\...").
#pragma once

#include "FileSystem.h"

#include <cstddef>
#include <string>

class ProgramFiles : public IProgramFilesFolder {
public:
    bool ProgramFilesFolder(char* buffer, size_t size) override { return Folder(buffer, size); }

    // The folder, terminated; false when it is unknown or does not fit.
    static bool Folder(char* buffer, size_t size);
    // The folder followed by `suffix`; empty when the folder is unknown.
    static std::string Path(const char* suffix);
};
