#include "PenFileWriter.h"

bool PenFileWriter::Write(IFileSystem& files, const char* path, const PENSETTINGS& settings)
{
    const IFileSystem::Handle file = files.OpenExisting(path, IFileSystem::Access::ReadWrite);
    if (file == IFileSystem::INVALID)
        return false;
    const bool written = files.Write(file, &settings, sizeof settings) == static_cast<int32_t>(sizeof settings);
    files.Close(file);
    return written;
}
