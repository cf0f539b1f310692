// The supported tablets that are plugged in: the records of the installed
// device table whose (VID, PID) pair the USB check library reports.
#pragma once

#include "FileSystem.h"
#include "TabletRecords.h"
#include "UsbCheck.h"

#include <vector>

class ConnectedTablets {
public:
    // The panel hands the library room for this many pairs.
    static constexpr int kMaxReportedDevices = USB_ID_ROOM;

    // The pairs the library filled: its count cut to the room, none below 1.
    static int UsableCount(int reported) {
        return reported < 1 ? 0 : (reported > kMaxReportedDevices ? kMaxReportedDevices : reported);
    }

    // Reads the device table at `path` record by record until a read returns
    // less than a whole record; keeps each record whose pair was reported,
    // once, in file order. An unreadable file gives an empty list.
    static std::vector<TABLETINFO> Match(IFileSystem& files, const char* path, const USBIDPAIR* pairs,
                                         int reportedCount);
};
