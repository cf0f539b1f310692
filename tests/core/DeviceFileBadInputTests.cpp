#include "SettingsFileFixture.h"

#include <doctest/doctest.h>

#include <climits>

// The device file comes from disk and from other programs: every damage
// below must stay inside the buffers and leave the whole records alone.
TEST_SUITE("device file bad input")
{
    TEST_CASE_FIXTURE(SettingsFileFixture, "a header key count below two always means a 756-byte record")
    {
        for (int32_t count : {INT_MIN, -5, -1, 0, 1}) {
            CAPTURE(count);
            Bytes damaged = StoredRecord(Model(0x1234, 0x0001, 1), 10);
            Head(damaged).info.keyCount = count;
            const TABLETINFO next = Model(0x1234, 0x0002, 2);
            const Bytes second = StoredRecord(next, 20);
            WriteDeviceFile(Join(damaged, second));
            Bytes out(second.size());
            CHECK(settings.LoadDeviceRecord(out.data(), out.size(), next) == 2);
            CHECK(out == second);
        }
    }

    TEST_CASE_FIXTURE(SettingsFileFixture, "a damaged tail is ignored by readers and replaced by the next append")
    {
        const TABLETINFO kept = Model(0x1234, 0x0001, 1), cut = Model(0x1234, 0x0002, 2);
        const Bytes first = StoredRecord(kept, 10);
        const Bytes whole = StoredRecord(cut, 20);
        Bytes absurd = whole;
        Head(absurd).info.keyCount = INT_MAX;
        struct Row { const char* what; Bytes tail; };
        const Row rows[] = {
            {"record cut short", Bytes(whole.begin(), whole.begin() + 500)},
            {"header cut short", Bytes(first.begin(), first.begin() + 100)},
            {"absurd key count", absurd},
        };
        for (const Row& row : rows) {
            CAPTURE(row.what);
            WriteDeviceFile(Join(first, row.tail));
            Bytes out(TabletRecordSize(2));
            CHECK(settings.LoadDeviceRecord(out.data(), out.size(), cut) == 2);
            CHECK(Head(out).mapping.monitorChoice == 0);  // the default mapping
            CHECK(settings.ReadFirstDeviceRecord(nullptr, 0) == 756);

            Bytes record = StoredRecord(Model(0x1234, 0x0002, 2), 30);
            CHECK(settings.WriteDeviceKeys(record.data(), record.size()) == 1);
            const Bytes file = DeviceFile();
            // Never beyond the end of the file, and the whole record before it untouched.
            CHECK(file.size() == std::max(first.size() + record.size(), first.size() + row.tail.size()));
            CHECK(Bytes(file.begin(), file.begin() + 756) == first);
            CHECK(settings.LoadDeviceRecord(out.data(), out.size(), cut) == 2);
            CHECK(Key(out, 1).data[0] == 31);
        }
    }

    TEST_CASE_FIXTURE(SettingsFileFixture, "a stored record with more keys than the room keeps only the keys that fit")
    {
        const TABLETINFO device = Model(0x1234, 0x0005, 5);
        Bytes stored = StoredRecord(device, 10);
        Head(stored).keyCount = 9999;  // the key table's count disagrees with the header
        WriteDeviceFile(stored);
        Bytes out(TabletRecordSize(2));  // exactly the room: any overrun shows under the sanitizer
        CHECK(settings.LoadDeviceRecord(out.data(), out.size(), device) == 2);
        CHECK(Head(out).keyCount == 2);
        CHECK(Key(out, 1).data[0] == 11);

        Bytes tiny(100, 0xCC);
        CHECK(settings.LoadDeviceRecord(tiny.data(), tiny.size(), device) == 0);
        CHECK(tiny == Bytes(100, 0xCC));
        CHECK(settings.ReadFirstDeviceRecord(tiny.data(), tiny.size()) == stored.size());
        CHECK(Bytes(tiny.begin(), tiny.end()) == Bytes(stored.begin(), stored.begin() + 100));
    }

    TEST_CASE_FIXTURE(SettingsFileFixture, "a write never spills into the record that follows")
    {
        const Bytes first = StoredRecord(Model(0x1234, 0x0001, 1), 10);
        const Bytes second = StoredRecord(Model(0x1234, 0x0002, 2), 20);
        WriteDeviceFile(Join(first, second));
        Bytes bigger = StoredRecord(Model(0x1234, 0x0001, 1), 40);
        bigger.resize(TabletRecordSize(2), 0x77);  // a size from a larger key count
        CHECK(settings.WriteDeviceKeys(bigger.data(), bigger.size()) == 1);
        const Bytes file = DeviceFile();
        REQUIRE(file.size() == first.size() + second.size());
        CHECK(Bytes(file.begin() + 756, file.end()) == second);
        CHECK(Key(file, 0).data[0] == 40);
    }

    TEST_CASE_FIXTURE(SettingsFileFixture, "an append from a smaller buffer is padded to the size its header names")
    {
        WriteDeviceFile({});
        Bytes twenty = StoredRecord(Model(0x1234, 0x0020, 20), 10);
        twenty.resize(TabletRecordSize(19));  // what a 19-key area holds
        CHECK(settings.WriteDeviceKeys(twenty.data(), twenty.size()) == 1);
        CHECK(DeviceFile().size() == TabletRecordSize(20));
        // The chain still walks: a record appended behind it is found.
        Bytes next = StoredRecord(Model(0x1234, 0x0002, 2), 50);
        CHECK(settings.WriteDeviceMapping(next.data(), next.size()) == 1);
        Bytes out(next.size());
        CHECK(settings.LoadDeviceRecord(out.data(), out.size(), Head(next).info) == 2);
        CHECK(Head(out).mapping.monitorChoice == 50);

        // A header naming an absurd count is not padded out: nothing is written.
        const Bytes before = DeviceFile();
        Bytes absurd = StoredRecord(Model(0x1234, 0x0030, 1), 60);
        Head(absurd).info.keyCount = 1 << 30;
        CHECK(settings.WriteDeviceMapping(absurd.data(), absurd.size()) == 0);
        CHECK(DeviceFile() == before);
    }

    TEST_CASE_FIXTURE(SettingsFileFixture, "default keys replace stale key bytes whole")
    {
        const TABLETINFO device = Model(0x1234, 0x0002, 2);
        Bytes stored = StoredRecord(device, 10);
        Head(stored).keyCount = -1;
        std::memset(Key(stored, 0).data, 0x41, 6);
        WriteDeviceFile(stored);
        Bytes out(stored.size());
        CHECK(settings.LoadDeviceRecord(out.data(), out.size(), device) == 2);
        CHECK(Head(out).mapping.monitorChoice == 10);
        CHECK(Key(out, 0).data[0] == 32);
        for (int i = 1; i < 6; ++i)
            CHECK(Key(out, 0).data[i] == 0);
    }
}
