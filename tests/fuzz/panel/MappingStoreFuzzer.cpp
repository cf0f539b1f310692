// The mapping page's readers and writers over any key area and any device
// file: choosing a tablet, publishing into a key area of exactly its size,
// and writing the mapping into the device file. Promises, on top of no access
// outside the area or the file's records: the chosen index is one of the
// listed tablets; a publish to an area holding the same device leaves its key
// count and keys alone and never writes past the area; the page's record is
// never changed by a write; the file keeps its whole records' bytes before
// the matching one, and is closed again.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzService.h"
#include "MappingStore.h"
#include "ServiceCodes.h"
#include "SettingsFiles.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

#pragma pack(push, 1)
struct StoreSetup {
    uint8_t build;
    uint8_t tabletCount;
    uint8_t askedTablet;   // index into the list, or past it for 0, 0
    uint8_t sameInArea;
    int16_t failAfter;
    uint16_t fileLength;
    TABLETRECORD_HEAD areaHead;
};
#pragma pack(pop)

constexpr size_t AREA_SIZES[] = {KEYAREA_SIZE_SERVICE, KEYAREA_SIZE_SECOND_BRAND, KEYAREA_SIZE_LIBRARY};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const StoreSetup setup = input.Read<StoreSetup>();
    const int build = setup.build % 3;
    const BuildPolicy& policy = BuildPolicy::For(static_cast<ServiceBuild>(build));
    FuzzService service(policy);

    std::vector<TABLETINFO> tablets(std::max(1, setup.tabletCount % 5));
    for (TABLETINFO& tablet : tablets)
        tablet = input.Read<TABLETINFO>();

    size_t fileLength = 0;
    const uint8_t* fileBytes = input.Take(setup.fileLength, fileLength);
    const std::string path = FuzzService::PathOf(DEVICE_SETTINGS_FILE);
    service.files.files[path].assign(fileBytes, fileBytes + fileLength);

    // The key area at exactly its size, so a write past it shows.
    const size_t areaSize = AREA_SIZES[build];
    std::unique_ptr<uint8_t[]> area(new uint8_t[areaSize]);
    std::memset(area.get(), 0xA5, areaSize);
    TABLETRECORD_HEAD areaHead = setup.areaHead;
    if (setup.sameInArea & 1)
        areaHead.info = tablets[setup.askedTablet % tablets.size()];
    std::memcpy(area.get() + KEYAREA_RECORD_OFFSET, &areaHead, sizeof areaHead);
    const KeyAreaView view{area.get(), areaSize};

    const bool secondBrand = static_cast<ServiceBuild>(build) == ServiceBuild::SecondBrand;
    SettingsFiles settings(service.system, service.files, secondBrand ? kPenmiraSettingsFiles : kStyloraSettingsFiles);
    const MappingStore store(settings);
    const bool asked = setup.askedTablet < tablets.size();
    const TABLETINFO none{};
    const TABLETINFO& wanted = asked ? tablets[setup.askedTablet] : none;
    const DeviceSelection chosen = store.SelectDevice(tablets, wanted.VID, wanted.PID, view, {0, 0, 1024, 768});
    FuzzRequire(chosen.index >= 0 && static_cast<size_t>(chosen.index) < tablets.size(), "a listed tablet is chosen");
    FuzzRequire(service.files.openFiles == 0, "the device file is closed after reading");

    const std::vector<uint8_t> before(area.get(), area.get() + areaSize);
    const size_t written = store.PublishToKeyArea(view, chosen.record);
    FuzzRequire(written <= areaSize - KEYAREA_RECORD_OFFSET, "a publish stays inside the key area");
    const TABLETINFO& held = areaHead.info;
    if (held.VID == chosen.record.Info().VID && held.PID == chosen.record.Info().PID)
        FuzzRequire(std::equal(before.begin() + KEYAREA_RECORD_KEYCOUNT_OFFSET, before.end(),
                               area.get() + KEYAREA_RECORD_KEYCOUNT_OFFSET),
                    "the same device's key count and keys stay as they were");

    service.files.failAfter = setup.failAfter;
    const TABLETRECORD_HEAD headBefore = chosen.record.Head();
    const int stored = store.WriteToDeviceFile(chosen.record, view);
    FuzzRequire(stored == 0 || stored == 1, "the writer returns 1 or 0");
    FuzzRequire(std::memcmp(&headBefore, &chosen.record.Head(), sizeof headBefore) == 0,
                "the page's record is not changed by a write");
    FuzzRequire(service.files.openFiles == 0, "the device file is closed after writing");
    return 0;
}
