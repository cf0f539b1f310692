#include "AttachedDeviceTable.h"
#include "KeyAreaPublisher.h"
#include "ServiceFixture.h"
#include "SettingsFiles.h"
#include "TabletRecordBuilder.h"
#include "TempFolder.h"

#include <doctest/doctest.h>

#include <cstring>
#include <vector>

namespace {

TABLETINFO Model(uint16_t pid, uint16_t penLength, int32_t keyCount)
{
    return TabletRecordBuilder(0x7A4B, pid).PenReport(penLength).Keys(keyCount).Extent(10000 + pid % 100, 8000).Model();
}

template <typename T> std::vector<uint8_t> BytesOf(const std::vector<T>& items)
{
    const uint8_t* begin = reinterpret_cast<const uint8_t*>(items.data());
    return std::vector<uint8_t>(begin, begin + items.size() * sizeof(T));
}

// A stored record of `keys` keys whose action codes count up from `firstCode`.
std::vector<uint8_t> StoredRecord(const TABLETINFO& model, int32_t keys, int32_t firstCode)
{
    return TabletRecordBuilder(model)
        .Keys(keys)
        .Monitors(1)
        .TabletArea({1, 2, 300, 400})
        .ActionCodes(firstCode)
        .Bytes();
}

struct PublisherBench {
    ServiceFixture service;
    TempFolder folder;
    SettingsFiles settings;
    KeyAreaPublisher publisher;

    explicit PublisherBench(const BuildPolicy& policy)
        : service(policy), settings(service.system, service.files, policy.files), publisher(service.context, policy, settings)
    {
        service.system.programFiles = folder.Path();
    }
    void Supported(const std::vector<TABLETINFO>& models)
    {
        folder.WriteFile("Tablet\\StyloraInfo.ked", BytesOf(models));
    }
    // Marks every byte of the key area so untouched bytes can be told apart.
    void MarkKeyArea() { std::memset(service.keyAreaBytes.data(), 0xEE, service.keyAreaBytes.size()); }
    uint8_t KeyAreaByte(size_t recordOffset) const
    {
        return service.keyAreaBytes[KEYAREA_RECORD_OFFSET + recordOffset];
    }
};

}  // namespace

TEST_SUITE("key area publishing")
{
    TEST_CASE("a record is copied whole: 756 bytes below two keys, else 240 + 516 n")
    {
        struct Row {
            int32_t keys;
            size_t bytes;
        };
        const Row rows[] = {{0, 756}, {1, 756}, {2, 1272}, {4, 2304}, {19, 10044}};
        for (const Row& row : rows) {
            CAPTURE(row.keys);
            PublisherBench bench(BuildPolicy::Reference());
            const TABLETINFO model = Model(0x5A24, 10, row.keys);
            const int32_t keys = bench.publisher.LoadDeviceRecord(model);
            CHECK(keys == row.keys);
            bench.MarkKeyArea();
            bench.publisher.PublishRecord(keys);
            CHECK(bench.service.Record().info.PID == 0x5A24);
            CHECK(bench.KeyAreaByte(row.bytes - 1) != 0xEE);
            if (KEYAREA_RECORD_OFFSET + row.bytes < KEYAREA_SIZE_SERVICE)
                CHECK(bench.KeyAreaByte(row.bytes) == 0xEE);
        }
    }

    TEST_CASE("a stored record with more keys than the key area holds is cut to its capacity")
    {
        struct Row {
            const BuildPolicy* policy;
            int32_t storedKeys;
            int32_t loadedKeys;  // what the thread's copy gets
            int32_t publishedKeys;
        };
        const Row rows[] = {{&BuildPolicy::Reference(), 25, 19, 19},
                            {&BuildPolicy::Library(), 19, 18, 18},
                            // The second-brand build loads up to 15 keys into its 8192-byte buffer.
                            {&BuildPolicy::SecondBrand(), 12, 12, 12},
                            {&BuildPolicy::SecondBrand(), 13, 13, 12},
                            {&BuildPolicy::SecondBrand(), 20, 15, 12}};
        for (const Row& row : rows) {
            CAPTURE(row.storedKeys);
            CAPTURE(row.policy->keyAreaSize);
            PublisherBench bench(*row.policy);
            const TABLETINFO model = Model(0x5A24, 10, row.storedKeys);
            bench.folder.WriteFile("Tablet\\StyloraFind.ked", StoredRecord(model, row.storedKeys, 100));
            const int32_t keys = bench.publisher.LoadDeviceRecord(model);
            CHECK(keys == row.loadedKeys);
            CHECK(bench.publisher.Keys()[keys - 1].actionCode == 100 + keys - 1);
            bench.publisher.PublishRecord(keys);
            const KEYACTION* published = RecordKeys(bench.service.context.keyArea.record());
            CHECK(published[row.publishedKeys - 1].actionCode == 100 + row.publishedKeys - 1);
            CHECK(bench.service.Record().mapping.tabletArea.right == 300);
        }
    }

    TEST_CASE("a new record leaves no keys of the tablet loaded before it")
    {
        PublisherBench bench(BuildPolicy::Reference());
        const TABLETINFO big = Model(0x5A24, 10, 6);
        bench.folder.WriteFile("Tablet\\StyloraFind.ked", StoredRecord(big, 6, 100));
        bench.publisher.LoadDeviceRecord(big);
        const int32_t keys = bench.publisher.LoadDeviceRecord(Model(0x5A30, 8, 0));
        CHECK(keys == 0);
        CHECK(bench.publisher.Keys()[1].actionCode == 0);
    }

    TEST_CASE("after an unplug the last attached tablet with a supported entry fills the key area")
    {
        PublisherBench bench(BuildPolicy::Reference());
        const TABLETINFO first = Model(0x5A24, 10, 4);
        const TABLETINFO second = Model(0x5A30, 8, 2);
        bench.Supported({first, second});
        AttachedDeviceTable attached;
        attached.AddAttachedDevice({first.VID, first.PID, 10, 0});
        attached.AddAttachedDevice({second.VID, second.PID, 8, 0});
        // Known by VID and PID, but with another pen report length: not in the table.
        attached.AddAttachedDevice({second.VID, second.PID, 9, 0});

        CHECK(bench.publisher.ReloadRemainingDeviceSettings(attached) == 1);
        CHECK(bench.service.Record().info.PID == second.PID);
        CHECK(bench.service.Record().info.keyCount == 2);

        attached.RemoveAttachedDevice(second.VID, second.PID, 8);
        CHECK(bench.publisher.ReloadRemainingDeviceSettings(attached) == 1);
        CHECK(bench.service.Record().info.PID == first.PID);
        CHECK(bench.service.Record().mapping.tabletArea.right == first.xMax);

        attached.RemoveAttachedDevice(first.VID, first.PID, 10);
        bench.service.Record().info.PID = 0x1234;
        CHECK(bench.publisher.ReloadRemainingDeviceSettings(attached) == 0);
        CHECK(bench.service.Record().info.PID == 0x1234);
    }
}
