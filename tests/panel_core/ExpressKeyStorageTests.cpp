#include "ExpressKeyStorage.h"
#include "FixedProgramFilesFolder.h"
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
const char* const kDeviceFile = "C:\\Program Files\\Tablet\\StyloraFind.ked";

TABLETINFO Tablet(uint16_t vid, uint16_t pid, int32_t keys)
{
    return TabletRecordBuilder(vid, pid).PenReport(10).Keys(keys).Model();
}

// A device-file record of `storedKeys` slots, slot k a keystroke of seed + k.
Bytes Record(const TABLETINFO& info, int32_t storedKeys, int seed)
{
    return TabletRecordBuilder(info).Monitors(1).StoredKeys(storedKeys).Keystrokes(seed).Bytes();
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A key area of `slots` capacity inside a larger buffer whose tail must never change.
struct KeyArea {
    static constexpr size_t kGuard = 2048;
    Bytes memory;
    KeyAreaView view;

    explicit KeyArea(int32_t slots) : memory(KEYAREA_KEYS_OFFSET + KEYACTION_SIZE * slots + kGuard, 0xA5)
    {
        std::memset(memory.data(), 0, memory.size() - kGuard);
        view = KeyAreaView{memory.data(), memory.size() - kGuard};
    }
    bool GuardIntact() const
    {
        return std::all_of(memory.end() - kGuard, memory.end(), [](uint8_t b) { return b == 0xA5; });
    }
    TABLETRECORD_HEAD& Record() { return view.head()->record; }
    KEYACTION& Slot(int k) { return RecordKeys(view.record())[k]; }
};

struct StorageFixture {
    FixedProgramFilesFolder programFiles{"C:\\Program Files"};
    MemoryFileSystem files;
    SettingsFiles settings{programFiles, files, kStyloraSettingsFiles};
    ExpressKeyStorage storage{files, settings, kStyloraKeyStorage};
    KeyBlock block;
};

uint8_t KeyOf(const KeyBlock& block, int k) { return static_cast<uint8_t>(block.Slot(k)->data[0]); }

}  // namespace

TEST_CASE("Key storage: the key area, the device file or the defaults, never beyond what each holds")
{
    StorageFixture f;
    const TABLETINFO tablets[] = {Tablet(0x3C5E, 0x1001, 10), Tablet(0x256C, 0x2002, 18), Tablet(0x3C5E, 0x3003, 1)};

    SUBCASE("the key area names the tablet: its slots, bounded by a 12-slot area")
    {
        KeyArea area(12);
        area.Record().info = tablets[1];
        area.Record().keyCount = 18;
        for (int k = 0; k < 12; ++k)
            area.Slot(k) = KEYACTION{ACTION_KEYSTROKE, {static_cast<char>(50 + k)}, {}};
        CHECK(f.storage.LoadTabletKeys(tablets, 3, 0x256C, 0x2002, area.view, f.block) == 1);
        CHECK(f.block.SlotCount() == 18);
        CHECK(f.block.Head().keyCount == 12);
        CHECK(KeyOf(f.block, 11) == 61);
        CHECK(f.block.Slot(12)->actionCode == 0);  // absent, not read past the section
        CHECK(f.block.Slot(17)->data[0] == 0);
    }
    SUBCASE("another vendor's tablet is found by its own vendor id")
    {
        f.files.files[kDeviceFile] = Join({Record(tablets[2], 1, 70), Record(tablets[1], 18, 20)});
        KeyArea area(19);
        CHECK(f.storage.LoadTabletKeys(tablets, 3, 0x256C, 0x2002, area.view, f.block) == 1);
        CHECK(KeyOf(f.block, 0) == 20);
        CHECK(KeyOf(f.block, 17) == 37);
    }
    SUBCASE("no ids in the key area: the first listed tablet with a record; a one-key record is stepped over whole")
    {
        const TABLETINFO other = Tablet(0x1111, 0x0001, 0);
        f.files.files[kDeviceFile] = Join({Record(other, 0, 1), Record(tablets[2], 1, 90), Record(tablets[0], 10, 5)});
        KeyArea area(19);
        CHECK(f.storage.LoadTabletKeys(tablets, 3, 0, 0, area.view, f.block) == 0);
        CHECK(KeyOf(f.block, 9) == 14);
        CHECK(f.files.openFiles == 0);
    }
    SUBCASE("a stored count of -1 shows the default table; new blocks are zero behind the defaults")
    {
        Bytes record = Record(tablets[0], -1, 99);
        f.files.files[kDeviceFile] = record;
        KeyArea area(19);
        CHECK(f.storage.LoadTabletKeys(tablets, 3, 0x3C5E, 0x1001, area.view, f.block) == 0);
        CHECK(f.block.Head().keyCount == 10);
        const uint8_t expected[] = {32, 16, 17, 18, 0, 32, 16, 17, 18, 0};
        for (int k = 0; k < 10; ++k) {
            CAPTURE(k);
            CHECK(KeyOf(f.block, k) == expected[k]);
            CHECK(f.block.Slot(k)->actionCode == (k == 4 || k == 9 ? ACTION_STRIP : ACTION_KEYSTROKE));
            CHECK(f.block.Slot(k)->data[1] == 0);
        }

        f.files.files.clear();
        CHECK(f.storage.LoadTabletKeys(tablets, 3, 0x3C5E, 0x3003, area.view, f.block) == 2);
        CHECK(f.block.Size() == 756);
        CHECK(f.block.Head().keyCount == 1);
        CHECK(f.block.Head().mapping.monitorListCount == 0);
        CHECK(std::all_of(f.block.Slot(0)->data + 1, f.block.Slot(0)->parameters + KEYACTION_PARAM_SIZE,
                          [](char c) { return c == 0; }));
    }
    SUBCASE("records cut short, damaged counts and an unknown tablet fall back to the defaults")
    {
        Bytes cut = Record(tablets[0], 10, 3);
        cut.resize(cut.size() - 7);
        for (const Bytes& file : {cut, Record(Tablet(0x3C5E, 0x1001, 100000), 10, 3), Bytes(100, 0)}) {
            f.files.files[kDeviceFile] = file;
            KeyArea area(19);
            CHECK(f.storage.LoadTabletKeys(tablets, 3, 0x3C5E, 0x1001, area.view, f.block) == 0);
            CHECK(f.block.SlotRoom() >= 10);
            CHECK(f.files.openFiles == 0);
        }
        KeyArea area(19);
        CHECK(f.storage.LoadTabletKeys(tablets, 3, 0x9999, 0x9999, area.view, f.block) == 0);
        CHECK(KeyOf(f.block, 0) == 32);
        CHECK(f.storage.LoadTabletKeys(tablets, 0, 0, 0, area.view, f.block) == -1);
        CHECK(f.block.Empty());
    }
    SUBCASE("the second brand's defaults stop after ten slots")
    {
        ExpressKeyStorage penmira(f.files, f.settings, kPenmiraKeyStorage);
        penmira.LoadDefaults(tablets[1], f.block);
        CHECK(KeyOf(f.block, 8) == 18);
        CHECK(f.block.Slot(10)->data[0] == 0);
        CHECK(f.block.Slot(17)->data[0] == 0);
        CHECK(f.block.Slot(10)->actionCode == ACTION_DISABLED);  // not an empty keystroke
        CHECK(f.block.Slot(17)->actionCode == ACTION_DISABLED);
    }
}

TEST_CASE("Key storage: Save publishes within the key area and keeps the device file's chain whole")
{
    StorageFixture f;
    const TABLETINFO tablet = Tablet(0x3C5E, 0x1001, 18);
    f.storage.LoadDefaults(tablet, f.block);
    f.block.Slot(0)->data[0] = 'Q';

    SUBCASE("18 slots into 19-, 18- and 12-slot areas")
    {
        for (int32_t capacity : {19, 18, 12}) {
            CAPTURE(capacity);
            KeyArea area(capacity);
            CHECK(f.storage.PublishKeys(f.block, area.view, true) == std::min(capacity, 18));
            CHECK(area.Record().info.PID == 0x1001);
            CHECK(area.Record().keyCount == std::min(capacity, 18));
            CHECK(area.Slot(0).data[0] == 'Q');
            CHECK(area.GuardIntact());
        }
        KeyArea area(19);  // the service's own header of the tablet, with a rotation Viewtap published
        area.Record().info = TabletRecordBuilder(tablet).Extent(7777, 7777).Rotation(768).Model();
        CHECK(f.storage.PublishKeys(f.block, area.view, false) == 18);
        CHECK(area.Record().info.xMax == 7777);
        CHECK(f.storage.PublishKeys(f.block, area.view, true) == 18);
        CHECK((area.Record().info.xMax == tablet.xMax && area.Record().info.rotationCode == 768));
        CHECK(f.storage.PublishKeys(f.block, KeyAreaView{}, true) == -1);
    }
    SUBCASE("a tablet the key area does not hold gets its whole record there on both systems")
    {
        f.files.files[kDeviceFile] = TabletRecordBuilder(tablet).Monitors(1).TabletArea({1, 2, 3, 4}).Bytes();
        for (bool olderSystem : {false, true}) {
            CAPTURE(olderSystem);
            KeyArea area(19);
            area.Record() = TabletRecordBuilder(Tablet(0x3C5E, 0x2002, 10)).TabletArea({5, 6, 7, 8}).Rotation(512).Record();
            std::memset(&area.Slot(0), 0x77, KEYACTION_SIZE * 19);
            CHECK((olderSystem ? f.storage.SaveToDeviceFile(f.block, area.view) : f.storage.PublishKeys(f.block, area.view, true)) > 0);
            CHECK((area.Record().info.PID == 0x1001 && area.Record().info.rotationCode == 512));
            CHECK(area.Record().mapping.tabletArea.right == 3);  // its own, from the device file
            CHECK((area.Record().keyCount == 18 && area.Slot(0).data[0] == 'Q'));
            CHECK(area.Slot(18).actionCode == 0);  // nothing of the other tablet behind its keys
        }
    }
    SUBCASE("older systems: the tablet's record is rewritten in place, every other byte kept")
    {
        const Bytes before = Record(Tablet(0x3C5E, 0x1002, 10), 10, 1);
        const Bytes mine = Record(tablet, 18, 40);
        const Bytes after = Record(Tablet(0x256C, 0x2002, 1), 1, 7);
        f.files.files[kDeviceFile] = Join({before, mine, after});
        KeyArea area(19);
        CHECK(f.storage.SaveToDeviceFile(f.block, area.view) == 1);
        const Bytes& file = f.files.files[kDeviceFile];
        REQUIRE(file.size() == before.size() + mine.size() + after.size());
        CHECK(Bytes(file.begin(), file.begin() + before.size()) == before);
        CHECK(Bytes(file.end() - after.size(), file.end()) == after);
        CHECK(std::equal(mine.begin(), mine.begin() + 236, file.begin() + before.size()));
        CHECK(file[before.size() + 240 + 4] == 'Q');
        CHECK(area.Slot(0).data[0] == 'Q');
        CHECK(area.Record().keyCount == 18);
    }
    SUBCASE("older systems: a record of the tablet's ids but another pen report length is not the one rewritten")
    {
        TABLETINFO otherInterface = tablet;
        otherInterface.InputReportByteLength_Pen = 12;
        const Bytes theirs = Record(otherInterface, 18, 1);
        f.files.files[kDeviceFile] = Join({theirs, Record(tablet, 18, 40)});
        KeyArea area(19);
        CHECK(f.storage.SaveToDeviceFile(f.block, area.view) == 1);
        const Bytes& file = f.files.files[kDeviceFile];
        REQUIRE(file.size() == 2 * theirs.size());
        CHECK(Bytes(file.begin(), file.begin() + theirs.size()) == theirs);
        CHECK(file[theirs.size() + 240 + 4] == 'Q');
    }
    SUBCASE("older systems: a record stored with another key count is resized where it stands, never appended")
    {
        for (int32_t storedKeys : {10, 20}) {
            CAPTURE(storedKeys);
            const Bytes stored = Record(Tablet(0x3C5E, 0x1001, storedKeys), storedKeys, 1);
            const Bytes after = Record(Tablet(0x256C, 0x2002, 1), 1, 7);
            Bytes file = Join({stored, after, Bytes(9, 0x5A)});  // a damaged tail moves along unread
            f.files.files[kDeviceFile] = file;
            KeyArea area(19);
            CHECK(f.storage.SaveToDeviceFile(f.block, area.view) == 1);
            file = f.files.files[kDeviceFile];
            REQUIRE(file.size() == TabletRecordSize(18) + after.size() + 9);
            CHECK(RecordHead(file.data())->info.keyCount == 18);
            CHECK(RecordHead(file.data())->mapping.monitorListCount == 1);
            CHECK(Bytes(file.begin() + TabletRecordSize(18), file.end() - 9) == after);
            KeyBlock reread;
            REQUIRE(f.storage.ReadTabletFindRecord(tablet, reread));
            CHECK(reread.Head().keyCount == 18);
            CHECK(KeyOf(reread, 0) == 'Q');
            CHECK(KeyOf(reread, 17) == 18);
        }
    }
    SUBCASE("older systems: a tablet without a record is appended whole")
    {
        const Bytes other = Record(Tablet(0x256C, 0x2002, 0), 0, 7);
        f.files.files[kDeviceFile] = other;
        KeyArea area(19);
        CHECK(f.storage.SaveToDeviceFile(f.block, area.view) == 1);
        const Bytes& file = f.files.files[kDeviceFile];
        REQUIRE(file.size() == other.size() + TabletRecordSize(18));
        CHECK(RecordHead(file.data() + other.size())->info.PID == 0x1001);
        CHECK(RecordHead(file.data() + other.size())->keyCount == 18);
    }
    SUBCASE("older systems: a missing file or a failed write is reported and leaves the key area alone")
    {
        KeyArea area(19);
        CHECK(f.storage.SaveToDeviceFile(f.block, area.view) == 0);
        f.files.files[kDeviceFile] = Record(tablet, 18, 40);
        f.files.failAfter = 3;
        CHECK(f.storage.SaveToDeviceFile(f.block, area.view) == 0);
        CHECK(area.Slot(0).data[0] == 0);
        CHECK(area.Record().keyCount == 0);
        CHECK(f.files.openFiles == 0);
    }
}

TEST_CASE("Key storage: an older system's Save stopped by any failed transfer leaves the device file as it was")
{
    StorageFixture f;
    const TABLETINFO tablet = Tablet(0x3C5E, 0x1001, 18);
    f.storage.LoadDefaults(tablet, f.block);
    const Bytes other = Record(Tablet(0x256C, 0x2002, 1), 1, 7);
    // The tablet's record grown, shrunk, rewritten at its size; appended; written over a record cut short.
    for (const Bytes& file : {Join({other, Record(Tablet(0x3C5E, 0x1001, 10), 10, 1), other}),
                              Join({other, Record(Tablet(0x3C5E, 0x1001, 20), 20, 1), other}),
                              Join({other, Record(tablet, 18, 1), other}), other, Join({other, Bytes(1000, 0x33)})}) {
        for (int64_t passing = 0;; ++passing) {
            CAPTURE(file.size());
            CAPTURE(passing);
            REQUIRE(passing < 100);
            f.files.files[kDeviceFile] = file;
            KeyArea area(19);
            f.files.failOnceAfter = passing;
            const int saved = f.storage.SaveToDeviceFile(f.block, area.view);
            if (f.files.failOnceAfter >= 0) {  // every transfer of the save went through
                CHECK(saved == 1);
                break;
            }
            CHECK(saved == 0);
            CHECK(f.files.files[kDeviceFile] == file);
        }
    }
}
