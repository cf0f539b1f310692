#include "FixedProgramFilesFolder.h"
#include "ServiceCodes.h"
#include "SettingsFiles.h"
#include "StdioFileSystem.h"
#include "TabletRecordBuilder.h"
#include "TempFolder.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Join(Bytes a, const Bytes& b) { return a.insert(a.end(), b.begin(), b.end()), a; }
Bytes Part(const Bytes& bytes, size_t from, size_t to) { return Bytes(bytes.begin() + from, bytes.begin() + to); }
TABLETRECORD_HEAD& Head(Bytes& record, size_t at = 0) { return *RecordHead(record.data() + at); }
TABLETRECORD_HEAD Head(const Bytes& record, size_t at = 0) { return *RecordHead(record.data() + at); }
KEYACTION& Key(Bytes& record, int index, size_t at = 0) { return RecordKeys(record.data() + at)[index]; }

TABLETINFO Model(uint16_t pid, int32_t keys, uint16_t penLength = 10)
{
    return TabletRecordBuilder(0x1234, pid).PenReport(penLength).Extent(10206, 0).Keys(keys).Model();
}

// A record as the panel stores it: mapping set with monitor choice = seed,
// key i a keystroke of seed + i.
Bytes StoredRecord(const TABLETINFO& info, int32_t seed)
{
    return TabletRecordBuilder(info).Monitors(1, seed).Keystrokes(seed).Bytes();
}

// The settings-file policies of the reference build and of the second brand.
constexpr SettingsFilePolicy REFERENCE_FILES{false, DefaultKeyTable::SidedModifiers};
constexpr SettingsFilePolicy SECOND_BRAND_FILES{true, DefaultKeyTable::TenKeys};

// A Program Files folder of its own per test.
struct FilesFixture {
    TempFolder folder;
    FixedProgramFilesFolder programFiles{folder.Path()};
    StdioFileSystem files;
    SettingsFiles settings{programFiles, files, REFERENCE_FILES};

    void WriteDeviceFile(const Bytes& bytes) const { folder.WriteFile("Tablet\\StyloraFind.ked", bytes); }
    Bytes DeviceFile() const { return folder.ReadFile("Tablet\\StyloraFind.ked"); }
    // The loader's record of the device in `room` bytes (default: its own size).
    Bytes Load(const TABLETINFO& device, int32_t expectedKeys, size_t room = 0)
    {
        Bytes out(room != 0 ? room : TabletRecordSize(device.keyCount));
        CHECK(settings.LoadDeviceRecord(out.data(), out.size(), device) == expectedKeys);
        return out;
    }
};

}  // namespace

TEST_SUITE("settings files")
{
    TEST_CASE_FIXTURE(FilesFixture, "a 3-key and a 1-key record are both found and rewriting the second spares the first")
    {
        const Bytes first = StoredRecord(Model(3, 3), 10), second = StoredRecord(Model(1, 1), 20);
        WriteDeviceFile(Join(first, second));
        CHECK(Load(Model(3, 3), 3) == first);
        CHECK(Load(Model(1, 1), 1) == second);

        Bytes changed = StoredRecord(Model(1, 1), 40);  // its mapping is not part of a key save
        CHECK(settings.WriteDeviceKeys(changed.data(), changed.size()) == 1);
        Bytes file = DeviceFile();
        CHECK(file.size() == 1788 + 756);
        CHECK(Part(file, 0, 1788) == first);
        CHECK(Head(file, 1788).mapping.monitorChoice == 20);
        CHECK(Key(file, 0, 1788).data[0] == 40);
        CHECK(files.openFiles == 0);
    }

    TEST_CASE_FIXTURE(FilesFixture, "saving one part of a device without a record appends it whole and loading fills in the other")
    {
        for (bool keys : {true, false}) {
            CAPTURE(keys);
            WriteDeviceFile(StoredRecord(Model(3, 3), 10));
            const Bytes record = StoredRecord(Model(4, 4), 30);
            Bytes live = record;
            CHECK((keys ? settings.WriteDeviceKeys(live.data(), live.size())
                        : settings.WriteDeviceMapping(live.data(), live.size())) == 1);
            // The "not set" mark goes into the file only: the caller's bytes
            // are the live key area.
            CHECK(live == record);
            Bytes appended = Part(DeviceFile(), 1788, 1788 + 2304);
            CHECK(Head(appended).mapping.monitorListCount == (keys ? -1 : 1));
            CHECK(Head(appended).keyCount == (keys ? 4 : -1));
            CHECK(Part(appended, RECORD_KEYS_OFFSET, appended.size()) == Part(record, RECORD_KEYS_OFFSET, record.size()));

            Bytes out = Load(Model(4, 4), 4);
            CHECK(Head(out).mapping.monitorChoice == (keys ? 0 : 30));
            CHECK(static_cast<uint8_t>(Key(out, 3).data[0]) == (keys ? 33 : 164));
        }
    }

    TEST_CASE_FIXTURE(FilesFixture, "a supported-device file of 600 records gives the first 512 and an end entry")
    {
        std::vector<TABLETINFO> table(600 + SUPPORTED_TABLE_ENTRIES, Model(0xFFFF, 1));
        for (uint16_t i = 0; i < 600; ++i)
            table[i] = Model(static_cast<uint16_t>(i + 1), 2, static_cast<uint16_t>(8 + i % 3));
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(table.data());
        folder.WriteFile("Tablet\\StyloraInfo.ked", Bytes(bytes, bytes + 600 * sizeof(TABLETINFO)));

        CHECK(settings.ReadSupportedDeviceTable(table.data()) == 512);
        CHECK(table[511].PID == 512);
        CHECK((table[512].VID | table[512].PID) == 0);
        struct Row { uint16_t pid, penLength; int found; };
        for (const Row& row : {Row{1, 8, 1}, Row{1, 9, 0}, Row{512, 9, 1}, Row{513, 10, 0}}) {
            TABLETINFO found{};
            CHECK(settings.FindSupportedDevice(found, 0x1234, row.pid, row.penLength) == row.found);
            CHECK(found.PID == (row.found ? row.pid : 0));
        }
    }

    TEST_CASE_FIXTURE(FilesFixture, "missing files give defaults and take no writes and a short pen file fills what it has")
    {
        Bytes out = Load(Model(2, 2), 2);
        CHECK(Head(out).info.PID == 2);
        CHECK(Head(out).mapping.monitorFlags == 1);
        CHECK(Head(out).mapping.screenArea.bottom == 0xFFFF);
        CHECK(Head(out).mapping.tabletArea.right == 10206);
        CHECK(settings.WriteDeviceKeys(out.data(), out.size()) + settings.WriteDeviceMapping(out.data(), out.size()) == 0);
        PENSETTINGS pen{};
        CHECK(settings.ReadPenSettingsFile(pen) == 0);
        settings.WritePenSettingsFile(pen);
        CHECK_FALSE(folder.Exists("Tablet"));

        folder.WriteFile("Tablet\\qxpen.ked", {0x34, 0x12});
        pen.clickSensitivity = 43;
        CHECK(settings.ReadPenSettingsFile(pen) == 1);
        CHECK(pen.toolId == 0x1234);
        CHECK(pen.clickSensitivity == 43);
        folder.WriteFile("Tablet\\qxpen.ked", Bytes(2000, 0xEE));
        settings.WritePenSettingsFile(pen);
        const Bytes file = folder.ReadFile("Tablet\\qxpen.ked");
        CHECK(std::memcmp(file.data(), &pen, sizeof pen) == 0);
        CHECK(file[1132] == 0xEE);
    }

    TEST_CASE_FIXTURE(FilesFixture, "the mapping save of the second brand also restores the header")
    {
        for (const SettingsFilePolicy* policy : {&REFERENCE_FILES, &SECOND_BRAND_FILES}) {
            WriteDeviceFile(StoredRecord(Model(2, 2), 10));
            Bytes record = StoredRecord(Model(2, 2), 40);
            Head(record).info.rotationCode = 0x200;
            CHECK(SettingsFiles(programFiles, files, *policy).WriteDeviceMapping(record.data(), record.size()) == 1);
            Bytes file = DeviceFile();
            CHECK(Head(file).mapping.monitorChoice == 40);
            CHECK(Head(file).info.rotationCode == (policy->mappingWriterRewritesHeader ? 0x200 : 0));
            CHECK(Key(file, 0).data[0] == 10);
        }
    }
}

// The device file comes from disk and from other programs: no damage below
// may reach outside a buffer or spoil the whole records around it.
TEST_SUITE("device file bad input")
{
    TEST_CASE_FIXTURE(FilesFixture, "a header key count below two always means a 756-byte record")
    {
        for (int32_t count : {INT_MIN, -5, 0, 1}) {
            Bytes damaged = StoredRecord(Model(1, 1), 10);
            Head(damaged).info.keyCount = count;
            const Bytes second = StoredRecord(Model(2, 2), 20);
            WriteDeviceFile(Join(damaged, second));
            CHECK(Load(Model(2, 2), 2) == second);
        }
    }

    TEST_CASE_FIXTURE(FilesFixture, "a damaged tail is ignored by readers and replaced by the next append")
    {
        const Bytes first = StoredRecord(Model(1, 1), 10), whole = StoredRecord(Model(2, 2), 20);
        Bytes absurd = whole;
        Head(absurd).info.keyCount = INT_MAX;
        for (const Bytes& tail : {Part(whole, 0, 500), Part(first, 0, 100), absurd}) {
            CAPTURE(tail.size());
            WriteDeviceFile(Join(first, tail));
            CHECK(Head(Load(Model(2, 2), 2)).mapping.monitorChoice == 0);  // the default record
            Bytes found;
            CHECK_FALSE(settings.ReadDeviceRecord(0x1234, 2, 64, found));  // the panels' lookup
            CHECK(settings.ReadFirstDeviceRecord(nullptr, 0) == 756);

            Bytes record = StoredRecord(Model(2, 2), 30);
            CHECK(settings.WriteDeviceKeys(record.data(), record.size()) == 1);
            Bytes file = DeviceFile();
            CHECK(file.size() == 756 + std::max(record.size(), tail.size()));
            CHECK(Part(file, 0, 756) == first);
            CHECK(Key(file, 1, 756).data[0] == 31);
        }
    }

    TEST_CASE_FIXTURE(FilesFixture, "a stored record with more keys than the room keeps only the keys that fit")
    {
        Bytes stored = StoredRecord(Model(5, 5), 10);
        Head(stored).keyCount = 9999;  // the key table's count disagrees with the header
        WriteDeviceFile(stored);
        Bytes out = Load(Model(5, 5), 2, TabletRecordSize(2));  // exact size: an overrun shows under ASan
        CHECK(Head(out).keyCount == 2);
        CHECK(Key(out, 1).data[0] == 11);

        Bytes tiny(100, 0xCC);
        CHECK(settings.LoadDeviceRecord(tiny.data(), tiny.size(), Model(5, 5)) == 0);
        CHECK(tiny == Bytes(100, 0xCC));
        CHECK(settings.ReadFirstDeviceRecord(tiny.data(), tiny.size()) == stored.size());
        CHECK(tiny == Part(stored, 0, 100));
    }

    TEST_CASE_FIXTURE(FilesFixture, "a save writes exactly one record whatever size it is given")
    {
        const Bytes second = StoredRecord(Model(2, 2), 20);
        WriteDeviceFile(Join(StoredRecord(Model(1, 1), 10), second));
        Bytes bigger = StoredRecord(Model(1, 1), 40);
        bigger.resize(TabletRecordSize(2), 0x77);  // in place: never into the next record
        CHECK(settings.WriteDeviceKeys(bigger.data(), bigger.size()) == 1);
        CHECK(Part(DeviceFile(), 756, 756 + 1272) == second);

        Bytes twenty = StoredRecord(Model(20, 20), 50);
        twenty.resize(TabletRecordSize(19));  // what a 19-key area holds: padded when appended
        CHECK(settings.WriteDeviceKeys(twenty.data(), twenty.size()) == 1);
        CHECK(DeviceFile().size() == 756 + 1272 + TabletRecordSize(20));
        Bytes next = StoredRecord(Model(3, 3), 60);
        CHECK(settings.WriteDeviceMapping(next.data(), next.size()) == 1);
        CHECK(Head(Load(Model(3, 3), 3)).mapping.monitorChoice == 60);

        const Bytes before = DeviceFile();
        Head(next).info.keyCount = 1 << 30;  // not padded out that far: nothing is written
        CHECK(settings.WriteDeviceMapping(next.data(), next.size()) == 0);
        CHECK(DeviceFile() == before);
    }

    TEST_CASE_FIXTURE(FilesFixture, "default keys replace stale key bytes whole")
    {
        Bytes stored = StoredRecord(Model(2, 2), 10);
        Head(stored).keyCount = -1;
        std::fill(Key(stored, 0).data, Key(stored, 0).data + 6, 0x41);
        WriteDeviceFile(stored);
        Bytes out = Load(Model(2, 2), 2);
        CHECK(Head(out).mapping.monitorChoice == 10);
        CHECK(Bytes(Key(out, 0).data, Key(out, 0).data + 6) == Bytes{32, 0, 0, 0, 0, 0});
    }
}
