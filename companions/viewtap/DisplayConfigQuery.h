// The display configuration as the rotation watcher needs it: the active
// paths (source mode, rotation, GDI name) and the displays attached to the
// desktop. The display-configuration functions are looked up at run time,
// so the program also starts on systems that lack them.
#pragma once

#include "DisplayRotation.h"

#include <windows.h>

#include <vector>

class DisplayConfigQuery {
public:
    DisplayConfigQuery();

    bool Available() const { return bufferSizes_ != nullptr && query_ != nullptr && deviceInfo_ != nullptr; }
    // The active paths; false when the functions are missing or the query fails.
    bool ActivePaths(std::vector<rotation::DisplayPath>& paths) const;

    static std::vector<rotation::AttachedDisplay> AttachedDisplays();

private:
    // In user32.dll from Windows 7 on; their types are known to the .cpp only.
    FARPROC bufferSizes_ = nullptr;
    FARPROC query_ = nullptr;
    FARPROC deviceInfo_ = nullptr;
};
