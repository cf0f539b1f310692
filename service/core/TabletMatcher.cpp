#include "TabletMatcher.h"

#include "DebugFormat.h"

namespace {

bool IsEndEntry(const TABLETINFO& entry) { return entry.VID == 0 && entry.PID == 0; }

bool SameDevice(const TABLETINFO& entry, const HidInterfaceInfo& hid)
{
    return entry.VID == hid.vid && entry.PID == hid.pid;
}

}  // namespace

TabletMatch TabletMatcher::MatchTabletDevice(const HidInterfaceInfo& hid, const TABLETINFO* table, int entries) const
{
    if (!hid.hasAttributes) {
        Print("!!HidD_GetAttributes!!\n");
        return {};
    }
    if (!hid.hasCaps) {
        Print("!!HidD_GetPreparsedData!!\n");
        return {};
    }
    // A tablet's mouse collection carries its own VID and PID; it is never ours.
    if (IsMouseCollection(hid)) {
        Print("!!Mouse!!\n");
        return {};
    }
    const bool library = policy_.build == ServiceBuild::Library;
    for (int index = 0; index < entries; ++index) {
        const TABLETINFO& entry = table[index];
        if (DebugLines())
            PrintEntry(index, entry, hid);
        if (library && SameDevice(entry, hid) && hid.outputReportLength != 0 &&
            hid.outputReportLength == entry.OutputReportByteLength)
            return {InterfaceKind::VirtualOutput, index};
        if (IsEndEntry(entry))
            break;
        if (!SameDevice(entry, hid))
            continue;
        if (hid.inputReportLength == entry.InputReportByteLength_Pen)
            return {InterfaceKind::Pen, index};
        if (hid.inputReportLength == entry.InputReportByteLength_Key)
            return {InterfaceKind::Key, index};
    }
    return {};
}

void TabletMatcher::PrintEntry(int index, const TABLETINFO& entry, const HidInterfaceInfo& hid) const
{
    DebugFormat(system_,
                "i %d:VID = 0x%4x, PID = 0x%4x, OutputReportByteLength = %d, InputReportByteLength_Pen = %d, "
                "InputReportByteLength_Key = %d\n",
                index, entry.VID, entry.PID, entry.OutputReportByteLength, entry.InputReportByteLength_Pen,
                entry.InputReportByteLength_Key);
    DebugFormat(system_, "HidAttributes: vid 0x%4x, pid 0x%4x, outputLen = %d, inputLenPen = %d, inputLenKey = %d\n",
                hid.vid, hid.pid, hid.outputReportLength, hid.inputReportLength, hid.inputReportLength);
}

void TabletMatcher::Print(const char* text) const
{
    if (DebugLines())
        system_.DebugOutput(text);
}
