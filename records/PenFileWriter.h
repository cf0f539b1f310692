// The write of the pen settings file behind SettingsFiles: the service's pen
// save, and the panel's own on older systems, where the service takes no save
// command.
#pragma once

#include "FileSystem.h"
#include "TabletRecords.h"

class PenFileWriter {
public:
    // Writes one PENSETTINGS over the start of the existing file at `path`;
    // true only when the file opened and all 1132 bytes were written. A
    // missing file is not created.
    static bool Write(IFileSystem& files, const char* path, const PENSETTINGS& settings);
};
