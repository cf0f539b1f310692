#include "SettingsFileFixture.h"

#include <doctest/doctest.h>

#include <cstring>
#include <vector>

TEST_SUITE("settings files")
{
    TEST_CASE_FIXTURE(SettingsFileFixture, "a 3-key and a 1-key record are both found and rewriting the second spares the first")
    {
        const TABLETINFO three = Model(0x1234, 0x0003, 3), one = Model(0x1234, 0x0001, 1);
        const Bytes first = StoredRecord(three, 10), second = StoredRecord(one, 20);
        WriteDeviceFile(Join(first, second));
        REQUIRE(first.size() == 1788);
        REQUIRE(second.size() == 756);

        struct Row { TABLETINFO model; const Bytes* stored; int32_t keys; };
        for (const Row& row : {Row{three, &first, 3}, Row{one, &second, 1}}) {
            CAPTURE(row.keys);
            Bytes out(row.stored->size());
            CHECK(settings.LoadDeviceRecord(out.data(), out.size(), row.model) == row.keys);
            CHECK(out == *row.stored);
        }

        Bytes changed = second;
        Key(changed, 0).actionCode = ACTION_MIDDLE_CLICK;
        Head(changed).mapping.monitorChoice = 5;  // not part of a key save
        CHECK(settings.WriteDeviceKeys(changed.data(), changed.size()) == 1);
        const Bytes file = DeviceFile();
        REQUIRE(file.size() == 1788 + 756);
        CHECK(Bytes(file.begin(), file.begin() + 1788) == first);
        CHECK(Head(file, 1788).mapping.monitorChoice == Head(second).mapping.monitorChoice);
        CHECK(Key(file, 0, 1788).actionCode == ACTION_MIDDLE_CLICK);
        CHECK(files.openFiles == 0);
    }

    TEST_CASE_FIXTURE(SettingsFileFixture, "saving one part of a device without a record appends it whole and loading fills in the other")
    {
        for (bool keys : {true, false}) {
            CAPTURE(keys);
            const TABLETINFO other = Model(0x1234, 0x0003, 3), device = Model(0x2000, 0x0004, 4);
            const Bytes existing = StoredRecord(other, 10);
            WriteDeviceFile(existing);
            Bytes record = StoredRecord(device, 30);
            REQUIRE(record.size() == 2304);

            CHECK((keys ? settings.WriteDeviceKeys(record.data(), record.size())
                        : settings.WriteDeviceMapping(record.data(), record.size())) == 1);
            // The caller's copy carries the "not set" mark that was written.
            CHECK(Head(record).mapping.monitorListCount == (keys ? -1 : 1));
            CHECK(Head(record).keyCount == (keys ? 4 : -1));
            const Bytes file = DeviceFile();
            REQUIRE(file.size() == existing.size() + record.size());
            CHECK(Bytes(file.begin() + 1788, file.end()) == record);

            Bytes out(2304);
            CHECK(settings.LoadDeviceRecord(out.data(), out.size(), device) == 4);
            if (keys) {
                CHECK(Head(out).mapping.monitorListCount == 1);
                CHECK(Head(out).mapping.tabletArea.right == device.xMax);
                CHECK(Key(out, 3).actionCode == Key(record, 3).actionCode);
            } else {
                CHECK(Head(out).mapping.monitorChoice == Head(record).mapping.monitorChoice);
                CHECK(Key(out, 0).actionCode == ACTION_KEYSTROKE);
                CHECK(Key(out, 0).data[0] == 32);
            }
        }
    }

    TEST_CASE_FIXTURE(SettingsFileFixture, "a supported-device file of 600 records gives the first 512 and an end entry")
    {
        Bytes table;
        for (uint16_t i = 0; i < 600; ++i)
            table = Join(table, AsBytes(Model(0x1000, static_cast<uint16_t>(i + 1), 2, static_cast<uint16_t>(8 + i % 3))));
        folder.WriteFile("Tablet\\StyloraInfo.ked", table);

        std::vector<TABLETINFO> entries(SUPPORTED_TABLE_ENTRIES);
        std::memset(entries.data(), 0xAB, entries.size() * sizeof(TABLETINFO));
        CHECK(settings.ReadSupportedDeviceTable(entries.data()) == 512);
        CHECK(entries[511].PID == 512);
        CHECK(entries[512].VID == 0);
        CHECK(entries[512].PID == 0);

        struct Row { uint16_t pid; uint16_t penLength; int found; };
        const Row rows[] = {{1, 8, 1}, {1, 9, 0}, {512, 9, 1}, {513, 10, 0}, {600, 8, 0}};
        for (const Row& row : rows) {
            CAPTURE(row.pid);
            TABLETINFO found{};
            CHECK(settings.FindSupportedDevice(found, 0x1000, row.pid, row.penLength) == row.found);
            if (row.found)
                CHECK(found.PID == row.pid);
        }
    }

    TEST_CASE_FIXTURE(SettingsFileFixture, "default keys of a 10-key model in both tables")
    {
        struct Row { const BuildPolicy* policy; uint8_t keys[10]; };
        const Row rows[] = {
            {&BuildPolicy::Reference(), {32, 160, 162, 164, 0, 32, 160, 162, 164, 0}},
            {&BuildPolicy::SecondBrand(), {32, 16, 17, 18, 0, 32, 16, 17, 18, 0}},
        };
        for (const Row& row : rows) {
            SettingsFiles files10(system, files, *row.policy);
            Bytes out(TabletRecordSize(10));
            CHECK(files10.LoadDeviceRecord(out.data(), out.size(), Model(0x1234, 0x0010, 10)) == 10);
            CHECK(Head(out).keyCount == 10);
            for (int i = 0; i < 10; ++i) {
                CAPTURE(i);
                const bool strip = i == 4 || i == 9;
                CHECK(Key(out, i).actionCode == (strip ? ACTION_STRIP : ACTION_KEYSTROKE));
                CHECK(static_cast<uint8_t>(Key(out, i).data[0]) == row.keys[i]);
                CHECK(Key(out, i).data[1] == 0);
            }
        }
        // Past the table: empty keystrokes.
        Bytes out(TabletRecordSize(19));
        settings.InitDefaultKeyTable(out.data(), out.size(), 19);
        CHECK(Key(out, 17).data[0] == static_cast<char>(164));
        CHECK(Key(out, 18).actionCode == ACTION_KEYSTROKE);
        CHECK(Key(out, 18).data[0] == 0);
    }

    TEST_CASE_FIXTURE(SettingsFileFixture, "without files: defaults are built and nothing is written or created")
    {
        const TABLETINFO device = Model(0x1234, 0x0002, 2);
        Bytes out(TabletRecordSize(2));
        CHECK(settings.LoadDeviceRecord(out.data(), out.size(), device) == 2);
        CHECK(std::memcmp(&Head(out).info, &device, sizeof device) == 0);
        CHECK(Head(out).mapping.monitorListCount == 1);
        CHECK(Head(out).mapping.monitorFlags == 1);
        CHECK(Head(out).mapping.reservedRect.right == 0xFFFF);
        CHECK(Head(out).mapping.screenArea.bottom == 0xFFFF);
        CHECK(Head(out).mapping.tabletArea.bottom == device.yMax);

        CHECK(settings.WriteDeviceKeys(out.data(), out.size()) == 0);
        CHECK(settings.WriteDeviceMapping(out.data(), out.size()) == 0);
        CHECK(settings.ReadFirstDeviceRecord(nullptr, 0) == 0);
        PENSETTINGS pen{};
        CHECK(settings.ReadPenSettingsFile(pen) == 0);
        settings.WritePenSettingsFile(pen);
        std::vector<TABLETINFO> table(SUPPORTED_TABLE_ENTRIES);
        CHECK(settings.ReadSupportedDeviceTable(table.data()) == 0);
        CHECK_FALSE(folder.Exists("Tablet"));
        CHECK(files.openFiles == 0);
    }

    TEST_CASE_FIXTURE(SettingsFileFixture, "pen settings: a short file fills what it has and a save writes 1132 bytes at the start")
    {
        folder.WriteFile("Tablet\\qxpen.ked", {0x34, 0x12, 7});
        PENSETTINGS pen{};
        pen.clickSensitivity = 43;
        CHECK(settings.ReadPenSettingsFile(pen) == 1);
        CHECK(pen.toolId == 0x1234);
        CHECK(pen.serialNibble == 7);
        CHECK(pen.clickSensitivity == 43);

        folder.WriteFile("Tablet\\qxpen.ked", Bytes(2000, 0xEE));
        pen.penButton[1].actionCode = ACTION_RIGHT_CLICK;
        settings.WritePenSettingsFile(pen);
        const Bytes file = folder.ReadFile("Tablet\\qxpen.ked");
        REQUIRE(file.size() == 2000);
        CHECK(Bytes(file.begin(), file.begin() + 1132) == AsBytes(pen));
        CHECK(file[1132] == 0xEE);
    }

    TEST_CASE_FIXTURE(SettingsFileFixture, "the mapping save of the second brand also restores the header")
    {
        struct Row { const BuildPolicy* policy; bool headerRewritten; };
        for (const Row& row : {Row{&BuildPolicy::Reference(), false}, Row{&BuildPolicy::SecondBrand(), true}}) {
            const TABLETINFO device = Model(0x1234, 0x0002, 2);
            const Bytes stored = StoredRecord(device, 10);
            WriteDeviceFile(stored);
            Bytes record = stored;
            Head(record).info.rotationCode = 0x200;
            Head(record).mapping.screenArea.left = 100;
            CHECK(SettingsFiles(system, files, *row.policy).WriteDeviceMapping(record.data(), record.size()) == 1);
            const Bytes file = DeviceFile();
            CHECK(Head(file).mapping.screenArea.left == 100);
            CHECK(Head(file).info.rotationCode == (row.headerRewritten ? 0x200 : 0));
            CHECK(file.size() == stored.size());
        }
    }

    TEST_CASE_FIXTURE(SettingsFileFixture, "the first device record: its size, and at most the room copied")
    {
        const Bytes first = StoredRecord(Model(0x1234, 0x0003, 3), 10);
        WriteDeviceFile(Join(first, StoredRecord(Model(0x1234, 0x0001, 1), 20)));
        CHECK(settings.ReadFirstDeviceRecord(nullptr, 0) == 1788);
        Bytes out(1000);
        CHECK(settings.ReadFirstDeviceRecord(out.data(), out.size()) == 1788);
        CHECK(out == Bytes(first.begin(), first.begin() + 1000));
    }
}
