// Where the page's record goes: the live key area (only what the page owns,
// or a complete record bounded by the area) and the device file of the
// older systems (chain intact, the "keys not set" mark only in the file).
#include "FixedProgramFilesFolder.h"
#include "MappingStore.h"
#include "MemoryFileSystem.h"
#include "ServiceCodes.h"
#include "SettingsFiles.h"
#include "TabletRecordBuilder.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
const std::string DEVICE_FILE = "C:\\Program Files\\Tablet\\StyloraFind.ked";

TABLETINFO Model(uint16_t vid, uint16_t pid, int32_t keys)
{
    return TabletRecordBuilder(vid, pid).PenReport(10).Extent(20000, 15000).Keys(keys).Model();
}

// A stored record: monitor choice = seed, every key byte = seed.
Bytes Stored(const TABLETINFO& info, int32_t keyCountField, uint8_t seed)
{
    return TabletRecordBuilder(info).Monitors(1, seed).StoredKeys(keyCountField).KeyBytes(seed).Bytes();
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct StoreFixture {
    FixedProgramFilesFolder programFiles{"C:\\Program Files"};
    MemoryFileSystem files;
    SettingsFiles settings{programFiles, files, kStyloraSettingsFiles};
    MappingStore store{settings};
    Bytes area = Bytes(KEYAREA_SIZE_SERVICE, 0xEE);

    KeyAreaView View() { return {area.data(), area.size()}; }
    void HoldInArea(const TABLETINFO& info)
    {
        std::memcpy(area.data() + KEYAREA_RECORD_OFFSET, &info, sizeof info);
    }
    MappingRecord Edited(const TABLETINFO& info)
    {
        MappingRecord record = MappingRecord::Fresh(info, {0, 0, 1024, 768});
        record.Head().mapping.screenArea = {100, 200, 300, 400};
        record.Head().keyCount = -1;  // never published
        return record;
    }
};

}  // namespace

TEST_CASE("publishing into the key area writes only what the page owns when it shows the same device")
{
    StoreFixture f;
    const TABLETINFO tablet = Model(0x3C5E, 0x1F, 8);
    f.HoldInArea(TabletRecordBuilder(tablet).Rotation(256).Model());  // a rotation Viewtap published
    const Bytes before = f.area;
    CHECK(f.store.PublishToKeyArea(f.View(), f.Edited(tablet)) == 236);
    CHECK(RecordHead(f.area.data() + KEYAREA_RECORD_OFFSET)->info.rotationCode == 256);
    // The key count at +240 and the keys behind it are the key page's.
    CHECK(std::equal(before.begin() + 240, before.end(), f.area.begin() + 240));
    MAPPINGDEF mapping;
    std::memcpy(&mapping, f.area.data() + KEYAREA_MAPPING_OFFSET, sizeof mapping);
    CHECK(mapping.screenArea.right == 300);

    // An unusable view is left alone.
    CHECK(f.store.PublishToKeyArea({f.area.data(), 100}, f.Edited(tablet)) == 0);
}

TEST_CASE("publishing another device's mapping gives the area that device's complete record, bounded by the area")
{
    StoreFixture f;
    const TABLETINFO shown = Model(0x3C5E, 0x20, 18);
    f.HoldInArea(Model(0x3C5E, 0x1F, 8));
    f.files.files[DEVICE_FILE] = Join({Stored(Model(0x3C5E, 0x1F, 8), 8, 3), Stored(shown, 18, 7)});

    // The second brand's 12-slot area: 18 stored keys must not run past it.
    Bytes small(KEYAREA_SIZE_SECOND_BRAND + 16, 0xEE);
    CHECK(f.store.PublishToKeyArea({small.data(), KEYAREA_SIZE_SECOND_BRAND}, f.Edited(shown)) ==
          KEYAREA_SIZE_SECOND_BRAND - 4);
    CHECK(std::all_of(small.end() - 16, small.end(), [](uint8_t b) { return b == 0xEE; }));
    TABLETRECORD_HEAD head;
    std::memcpy(&head, small.data() + 4, sizeof head);
    CHECK(int{head.info.PID} == 0x20);
    CHECK(head.mapping.screenArea.top == 200);  // the page's mapping, not the file's
    CHECK(head.keyCount == 12);                 // the keys it really holds
    CHECK(static_cast<uint8_t>(small[KEYAREA_KEYS_OFFSET + 10]) == 7);  // from the device file

    // No record in the file: the default keys, not the other device's.
    StoreFixture g;
    g.HoldInArea(Model(0x3C5E, 0x1F, 8));
    g.store.PublishToKeyArea(g.View(), g.Edited(Model(0x1111, 0x22, 2)));
    std::memcpy(&head, g.area.data() + 4, sizeof head);
    CHECK((head.info.VID == 0x1111 && head.keyCount == 2));
    // Past its keys nothing of the other device's is left.
    CHECK(std::all_of(g.area.begin() + KEYAREA_KEYS_OFFSET + 2 * 516, g.area.end(), [](uint8_t b) { return b == 0; }));
}

TEST_CASE("the device-file writer keeps the chain and marks keys not set only in appended bytes")
{
    StoreFixture f;
    const TABLETINFO first = Model(0x3C5E, 0x1F, 8), second = Model(0x3C5E, 0x20, 0), third = Model(0x3C5E, 0x21, 4);
    const Bytes a = Stored(first, 8, 1), b = Stored(second, -1, 2), c = Stored(third, 4, 3);
    f.files.files[DEVICE_FILE] = Join({a, b, c});

    // In place: only the 76 mapping bytes of the matching record change.
    MappingRecord edited = f.Edited(second);
    CHECK(f.store.WriteToDeviceFile(edited, f.View()) == 1);
    Bytes expected = Join({a, b, c});
    std::memcpy(expected.data() + a.size() + 160, &edited.Mapping(), sizeof(MAPPINGDEF));
    CHECK(f.files.files[DEVICE_FILE] == expected);

    // Appended behind a record cut short: the page's record keeps its count.
    const TABLETINFO fresh = Model(0x3C5E, 0x30, 2);
    f.files.files[DEVICE_FILE] = Join({a, Bytes(c.begin(), c.begin() + 300)});
    MappingRecord appended = f.Edited(fresh);
    appended.Head().keyCount = 2;
    CHECK(f.store.WriteToDeviceFile(appended, f.View()) == 1);
    CHECK(appended.Head().keyCount == 2);
    const Bytes& file = f.files.files[DEVICE_FILE];
    REQUIRE(file.size() == a.size() + 240 + 2 * 516);
    CHECK(std::equal(a.begin(), a.end(), file.begin()));
    int32_t marker;
    std::memcpy(&marker, file.data() + a.size() + 236, sizeof marker);
    CHECK(marker == -1);

    // Without the file: nothing written, nothing created.
    f.files.files.clear();
    CHECK(f.store.WriteToDeviceFile(edited, f.View()) == 0);
    CHECK(f.files.files.empty());
}

TEST_CASE("choosing a tablet: key area first, then the file, else a fresh record; each with its own vendor id")
{
    StoreFixture f;
    const TABLETINFO ours = Model(0x3C5E, 0x1F, 8), other = Model(0x256C, 0x6B01, 4), third = Model(0x3C5E, 0x40, 2);
    // The file: a record with key count -1 and one cut short, then other's.
    f.files.files[DEVICE_FILE] = Join({Stored(Model(0x3C5E, 0x99, -1), -1, 9), Stored(other, 4, 5)});
    const std::vector<TABLETINFO> tablets{ours, other, third};

    // The area holds the first tablet: its live head.
    f.HoldInArea(ours);
    std::memset(f.area.data() + KEYAREA_MAPPING_OFFSET, 0, sizeof(MAPPINGDEF));
    DeviceSelection chosen = f.store.SelectDevice(tablets, 0x3C5E, 0x1F, f.View(), {0, 0, 800, 600});
    CHECK((chosen.index == 0 && chosen.stored));

    // A tablet of another vendor is found under its own vendor id.
    chosen = f.store.SelectDevice(tablets, 0x256C, 0x6B01, f.View(), {0, 0, 800, 600});
    CHECK((chosen.index == 1 && chosen.stored));
    CHECK(int{chosen.record.Info().VID} == 0x256C);
    CHECK(chosen.record.Mapping().monitorChoice == 5);

    // No record anywhere: a fresh one for the asked tablet.
    chosen = f.store.SelectDevice(tablets, 0x3C5E, 0x40, f.View(), {-1024, 0, 800, 600});
    CHECK((chosen.index == 2 && !chosen.stored));
    CHECK(chosen.record.Mapping().monitorChoice == MONITOR_CHOICE_DESKTOP);
    CHECK(chosen.record.Mapping().reservedRect.left == -1024);
    CHECK(chosen.record.Mapping().tabletArea.right == 20000);

    // Nothing asked: the first tablet with a stored record.
    f.HoldInArea(Model(0, 0, 0));
    chosen = f.store.SelectDevice(tablets, 0, 0, f.View(), {0, 0, 800, 600});
    CHECK((chosen.index == 1 && chosen.stored));
}
