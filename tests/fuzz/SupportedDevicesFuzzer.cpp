// The supported-device file as both readers take it: any bytes, read
// failures at any point, into a table of exactly 513 entries. Promises: at
// most 512 records and a cleared end entry behind them, and the look-up finds
// a device exactly when the table holds it, as its first such record.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzService.h"
#include "ServiceCodes.h"
#include "SettingsFiles.h"

#include <cstring>
#include <memory>

namespace {

#pragma pack(push, 1)
struct SupportedSetup {
    int16_t failAfter;
    uint16_t vid, pid, penReportLength;
    uint8_t lookUpFromFile;
};
#pragma pack(pop)

bool SameInterface(const TABLETINFO& entry, uint16_t vid, uint16_t pid, uint16_t penReportLength)
{
    return entry.VID == vid && entry.PID == pid && entry.InputReportByteLength_Pen == penReportLength;
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
    SettingsFiles settings(service.system, service.files, *service.context.policy);

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
