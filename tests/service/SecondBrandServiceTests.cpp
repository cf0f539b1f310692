// The second-brand service program running in the foreground: its smaller
// key area and the objects it does without.
#include "ObjectNames.h"
#include "RunningService.h"
#include "SectionView.h"
#include "ServiceCodes.h"
#include "SharedSections.h"
#include "TabletRecordBuilder.h"

#include <doctest/doctest.h>

#include <vector>

TEST_SUITE("second-brand service")
{
    TEST_CASE("the key area holds 12 keys: a 13-key record is cut, and there is no PhotoShop mutex")
    {
        RunningService service("InkbridPenmira.exe");
        const std::vector<uint8_t> record =
            TabletRecordBuilder(0, 0x2C0D).Keys(13).ActionCodes(ACTION_SCROLL_UP).Bytes();
        service.Settings().WriteFile("Tablet\\StyloraFind.ked", record);
        REQUIRE(service.Start());

        SectionView keyArea;
        REQUIRE(keyArea.Open(service.SectionName(objnames::KEY_AREA_SECTION)));
        CHECK(keyArea.As<KeyAreaSectionHead>()->record.info.PID == 0x2C0D);
        const KEYACTION* keys = RecordKeys(keyArea.Bytes() + KEYAREA_RECORD_OFFSET);
        CHECK(keys[11].actionCode == ACTION_SCROLL_UP + 11);
        // 6436 bytes take two pages; the thirteenth key would start at the section's end.
        MEMORY_BASIC_INFORMATION region{};
        REQUIRE(VirtualQuery(keyArea.Bytes(), &region, sizeof region) != 0);
        CHECK(region.RegionSize == 8192);
        const uint8_t* beyond = keyArea.Bytes() + KEYAREA_SIZE_SECOND_BRAND;
        const uint8_t* end = keyArea.Bytes() + region.RegionSize;
        CHECK(std::vector<uint8_t>(beyond, end) ==
              std::vector<uint8_t>(region.RegionSize - KEYAREA_SIZE_SECOND_BRAND, 0));

        CHECK(OpenMutexA(SYNCHRONIZE, FALSE, objnames::PHOTOSHOP_SYNC_MUTEX) == nullptr);
        CHECK(service.Stop() == 1);
    }
}
