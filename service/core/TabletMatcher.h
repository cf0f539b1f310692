// Decides what one HID interface is to the service: a tablet's pen
// interface, its separate key interface, the library form's virtual output
// device, or nothing. Works on what the HID queries returned, so the rules
// are the same for real interfaces and scripted ones.
#pragma once

#include "BuildPolicy.h"
#include "SystemInterface.h"
#include "TabletRecords.h"

#include <cstdint>

// What the attribute and capability queries of one interface gave.
struct HidInterfaceInfo {
    bool hasAttributes = false;
    uint16_t vid = 0;
    uint16_t pid = 0;
    bool hasCaps = false;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
};

enum class InterfaceKind : int32_t { None = 0, Pen = 1, Key = 2, VirtualOutput = 4 };

struct TabletMatch {
    InterfaceKind kind = InterfaceKind::None;
    int entry = -1;  // index of the deciding table entry
};

class TabletMatcher {
public:
    // system receives the library form's debug lines; the other builds print none.
    TabletMatcher(const BuildPolicy& policy, ISystem& system) : policy_(policy), system_(system) {}

    // Walks table (at most `entries` entries) up to its end entry (VID 0, PID 0);
    // the first entry with the interface's VID and PID whose pen or key report
    // length equals the interface's input report length decides.
    TabletMatch MatchTabletDevice(const HidInterfaceInfo& hid, const TABLETINFO* table, int entries) const;

    static bool IsMouseCollection(const HidInterfaceInfo& hid) { return hid.usagePage == 1 && hid.usage == 2; }

private:
    bool DebugLines() const { return policy_.build == ServiceBuild::Library; }
    void PrintEntry(int index, const TABLETINFO& entry, const HidInterfaceInfo& hid) const;
    void Print(const char* text) const;

    const BuildPolicy& policy_;
    ISystem& system_;
};
