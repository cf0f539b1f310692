// The supported-device file as both readers take it, and the table as the
// device search matches interfaces against it: any bytes, read failures at
// any point, a table of exactly 513 entries, interfaces of any description.
// Promises: at most 512 records and a cleared end entry behind them; the
// look-up finds a device exactly when the table holds it, as its first such
// record; an interface is a pen or key interface only by an entry before the
// end entry whose VID, PID and report length it has, and the first decides.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzService.h"
#include "ServiceCodes.h"
#include "SettingsFiles.h"
#include "TabletMatcher.h"

#include <cstring>
#include <memory>

namespace {

#pragma pack(push, 1)
struct SupportedSetup {
    int16_t failAfter;
    uint16_t vid, pid, penReportLength;
    uint8_t lookUpFromFile;
    uint8_t build;
    uint8_t hidFlags;  // bit 0 attributes, bit 1 capabilities
    uint16_t usagePage, usage, inputReportLength, outputReportLength;
};
#pragma pack(pop)

bool SameInterface(const TABLETINFO& entry, uint16_t vid, uint16_t pid, uint16_t penReportLength)
{
    return entry.VID == vid && entry.PID == pid && entry.InputReportByteLength_Pen == penReportLength;
}

void RequireMatch(const SupportedSetup& setup, const TABLETINFO* table, uint16_t vid, uint16_t pid)
{
    const BuildPolicy& policy = BuildPolicy::For(static_cast<ServiceBuild>(setup.build % 3));
    FuzzSystem system;
    HidInterfaceInfo hid;
    hid.hasAttributes = (setup.hidFlags & 1) != 0;
    hid.hasCaps = (setup.hidFlags & 2) != 0;
    hid.vid = vid;
    hid.pid = pid;
    hid.usagePage = setup.usagePage;
    hid.usage = setup.usage;
    hid.inputReportLength = setup.inputReportLength;
    hid.outputReportLength = setup.outputReportLength;
    const TabletMatch match = TabletMatcher(policy, system).MatchTabletDevice(hid, table, SUPPORTED_TABLE_ENTRIES);
    if (match.kind == InterfaceKind::None)
        return;
    FuzzRequire(hid.hasAttributes && hid.hasCaps && !TabletMatcher::IsMouseCollection(hid),
                "only a described interface other than a mouse matches");
    FuzzRequire(match.entry >= 0 && match.entry < SUPPORTED_TABLE_ENTRIES, "the deciding entry is in the table");
    const TABLETINFO& entry = table[match.entry];
    FuzzRequire(entry.VID == vid && entry.PID == pid, "the deciding entry is the interface's device");
    for (int i = 0; i < match.entry; ++i) {
        FuzzRequire(table[i].VID != 0 || table[i].PID != 0, "no entry past the end entry decides");
        const bool sameDevice = table[i].VID == vid && table[i].PID == pid;
        FuzzRequire(!sameDevice || (hid.inputReportLength != table[i].InputReportByteLength_Pen &&
                                    hid.inputReportLength != table[i].InputReportByteLength_Key),
                    "the first matching entry decides");
    }
    switch (match.kind) {
    case InterfaceKind::Pen:
        FuzzRequire(hid.inputReportLength == entry.InputReportByteLength_Pen, "a pen interface by its length");
        break;
    case InterfaceKind::Key:
        FuzzRequire(hid.inputReportLength == entry.InputReportByteLength_Key, "a key interface by its length");
        break;
    default:
        FuzzRequire(policy.build == ServiceBuild::Library && hid.outputReportLength != 0 &&
                        hid.outputReportLength == entry.OutputReportByteLength,
                    "only the library knows a virtual output device");
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const SupportedSetup setup = input.Read<SupportedSetup>();
    FuzzService service(BuildPolicy::Reference());
    size_t fileLength = 0;
    const uint8_t* fileBytes = input.Take(input.Remaining(), fileLength);
    service.files.files[FuzzService::PathOf(SUPPORTED_DEVICES_FILE)].assign(fileBytes, fileBytes + fileLength);
    SettingsFiles settings(service.system, service.files, service.context.policy->files);

    std::unique_ptr<TABLETINFO[]> table(new TABLETINFO[SUPPORTED_TABLE_ENTRIES]);
    std::memset(table.get(), 0xEE, sizeof(TABLETINFO) * SUPPORTED_TABLE_ENTRIES);
    service.files.failAfter = setup.failAfter;
    const int count = settings.ReadSupportedDeviceTable(table.get());
    const bool failed = service.files.failAfter == 0;
    FuzzRequire(count >= 0 && count <= MAX_SUPPORTED_DEVICES, "at most 512 supported devices");
    FuzzRequire(count <= static_cast<int>(fileLength / sizeof(TABLETINFO)), "only whole records count");
    const TABLETINFO cleared{};
    FuzzRequire(std::memcmp(&table[count], &cleared, sizeof cleared) == 0, "the end entry is cleared whole");
    FuzzRequire(std::memcmp(table.get(), fileBytes, sizeof(TABLETINFO) * static_cast<size_t>(count)) == 0,
                "the records are the file's");
    FuzzRequire(service.files.openFiles == 0, "the table reader closes the file");

    // Looked up by an interface of the file or by any at all.
    uint16_t vid = setup.vid, pid = setup.pid, penReportLength = setup.penReportLength;
    if (setup.lookUpFromFile != 0 && count > 0) {
        const TABLETINFO& entry = table[setup.lookUpFromFile % count];
        vid = entry.VID;
        pid = entry.PID;
        penReportLength = entry.InputReportByteLength_Pen;
    }
    TABLETINFO found;
    std::memset(&found, 0xEE, sizeof found);
    const int result = settings.FindSupportedDevice(found, vid, pid, penReportLength);
    FuzzRequire(service.files.openFiles == 0, "the look-up closes the file");
    RequireMatch(setup, table.get(), vid, pid);
    if (failed || service.files.failAfter == 0)
        return 0;  // a failed read ends either walk early
    int expected = -1;
    for (int i = 0; i < count && expected < 0; ++i)
        if (SameInterface(table[i], vid, pid, penReportLength))
            expected = i;
    FuzzRequire(result == (expected >= 0 ? 1 : 0), "a device is found exactly when the table holds it");
    if (expected >= 0)
        FuzzRequire(std::memcmp(&found, &table[expected], sizeof found) == 0, "the first such record is given");
    return 0;
}
