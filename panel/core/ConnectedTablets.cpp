#include "ConnectedTablets.h"

std::vector<TABLETINFO> ConnectedTablets::Match(IFileSystem& files, const char* path, const USBIDPAIR* pairs,
                                                int reportedCount)
{
    std::vector<TABLETINFO> kept;
    const IFileSystem::Handle file = files.OpenExisting(path, IFileSystem::Access::Read);
    if (file == IFileSystem::INVALID)
        return kept;
    const int count = pairs != nullptr ? UsableCount(reportedCount) : 0;
    TABLETINFO record{};
    while (files.Read(file, &record, sizeof record) == static_cast<int32_t>(sizeof record)) {
        for (int i = 0; i < count; ++i) {
            if (pairs[i].vid == record.VID && pairs[i].pid == record.PID) {
                kept.push_back(record);
                break;
            }
        }
    }
    files.Close(file);
    return kept;
}
