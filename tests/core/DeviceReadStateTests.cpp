#include "DeviceReadState.h"
#include "ServiceCodes.h"
#include "SharedSections.h"
#include "TabletRecordBuilder.h"

#include <doctest/doctest.h>

#include <cstring>
#include <vector>

namespace {

// Remembers what reached it, with copies of what the read thread handed over.
class CapturingSink : public IReportSink {
public:
    struct Call {
        char kind = 0;  // 'P' pen, 'K' key
        std::vector<uint8_t> report;
        MAPPINGDEF mapping{};
        int32_t keyCount = 0;
        std::vector<int32_t> actions;
        uint8_t previousAtCall[KEY_REPORT_LENGTH] = {};
        uint8_t currentAtCall[KEY_REPORT_LENGTH] = {};
    };
    std::vector<Call> calls;

    void OnPenReport(ReportSource, const uint8_t* report, size_t length, const TABLETINFO&,
                     const MAPPINGDEF& mapping) override
    {
        Call call;
        call.kind = 'P';
        call.report.assign(report, report + length);
        call.mapping = mapping;
        calls.push_back(call);
    }
    void OnKeyReport(const uint8_t* report, size_t length, const TABLETINFO&, const KeyTableRef& keys,
                     ExpressKeyState& state) override
    {
        Call call;
        call.kind = 'K';
        call.report.assign(report, report + length);
        call.keyCount = keys.count;
        for (int index = 0; index < keys.count; ++index)
            call.actions.push_back(keys.keys[index].actionCode);
        std::memcpy(call.previousAtCall, state.previous, sizeof call.previousAtCall);
        std::memcpy(call.currentAtCall, state.current, sizeof call.currentAtCall);
        calls.push_back(call);
    }
    void OnDeviceRemoved(ReportSource, const TABLETINFO&, const MAPPINGDEF&, bool, ExpressKeyState&) override {}
};

TABLETINFO Header(uint16_t penLength)
{
    return TabletRecordBuilder(0x7A4B, 0x5A24).PenReport(penLength).Model();
}

std::vector<KEYACTION> Keys(int count, int32_t firstCode)
{
    std::vector<KEYACTION> keys(static_cast<size_t>(count));
    for (int index = 0; index < count; ++index)
        keys[static_cast<size_t>(index)].actionCode = firstCode + index;
    return keys;
}

void Receive(DeviceReadState& state, std::vector<uint8_t> bytes)
{
    std::memcpy(state.ReadBuffer(), bytes.data(), bytes.size());
}

// A key area of the service's size holding `count` keys starting at code `firstCode`.
std::vector<uint8_t> KeyAreaWith(int32_t count, int32_t firstCode, size_t size = KEYAREA_SIZE_SERVICE)
{
    std::vector<uint8_t> area(size, 0);
    std::memcpy(area.data() + KEYAREA_RECORD_KEYCOUNT_OFFSET, &count, sizeof count);
    const int32_t fits = KeyAreaCapacity(size);
    for (int32_t index = 0; index < count && index < fits; ++index) {
        const int32_t code = firstCode + index;
        std::memcpy(area.data() + KEYAREA_KEYS_OFFSET + KEYACTION_SIZE * static_cast<size_t>(index), &code,
                    sizeof code);
    }
    return area;
}

}  // namespace

TEST_SUITE("read thread copies")
{
    TEST_CASE("byte 0 of 12 is an express-key report, anything else a pen report")
    {
        DeviceReadState state;
        std::vector<KEYACTION> keys = Keys(4, 100);
        MAPPINGDEF mapping{};
        mapping.tabletArea = {1, 2, 3, 4};
        REQUIRE(state.Init(Header(10), mapping, 4, keys.data(), 4));
        CapturingSink sink;

        Receive(state, {2, 0xA0, 1, 2, 3, 4, 5, 6, 7, 8});
        CHECK(state.Dispatch(10, sink));
        Receive(state, {12, 0, 0, 0, 0, 0x01, 0, 0, 0, 0});
        CHECK(state.Dispatch(10, sink));
        Receive(state, {12, 0, 0, 0, 0, 0x00, 0, 0, 0, 0});
        CHECK(state.Dispatch(10, sink));

        REQUIRE(sink.calls.size() == 3);
        CHECK(sink.calls[0].kind == 'P');
        CHECK(sink.calls[0].report.size() == 10);
        CHECK(sink.calls[0].mapping.tabletArea.bottom == 4);
        CHECK(sink.calls[1].kind == 'K');
        CHECK(sink.calls[1].keyCount == 4);
        CHECK(sink.calls[1].actions == std::vector<int32_t>{100, 101, 102, 103});
        CHECK(sink.calls[1].currentAtCall[5] == 0x01);
        CHECK(sink.calls[1].previousAtCall[5] == 0x00);
        // The previous report is the last key report once the handler has run.
        CHECK(sink.calls[2].previousAtCall[5] == 0x01);
        CHECK(sink.calls[2].currentAtCall[5] == 0x00);
    }

    TEST_CASE("a read of another length than the pen report length is dropped")
    {
        DeviceReadState state;
        REQUIRE(state.Init(Header(10), MAPPINGDEF{}, 0, nullptr, 0));
        CapturingSink sink;
        Receive(state, {12, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        for (size_t length : {size_t{0}, size_t{1}, size_t{9}, size_t{11}, size_t{64}, size_t{65}}) {
            CAPTURE(length);
            CHECK_FALSE(state.Dispatch(length, sink));
        }
        CHECK(sink.calls.empty());
        CHECK(state.Dispatch(10, sink));
        CHECK(sink.calls.size() == 1);

        // A device whose pen reports could not fit the read buffer gets nothing through.
        CHECK_FALSE(DeviceReadState::IsReadableLength(65));
        CHECK_FALSE(DeviceReadState::IsReadableLength(0));
        REQUIRE(state.Init(Header(200), MAPPINGDEF{}, 0, nullptr, 0));
        CHECK_FALSE(state.Dispatch(200, sink));
        CHECK(sink.calls.size() == 1);
    }

    TEST_CASE("a short pen report length still fills a whole zeroed key report")
    {
        DeviceReadState state;
        REQUIRE(state.Init(Header(8), MAPPINGDEF{}, 0, nullptr, 0));
        CapturingSink sink;
        Receive(state, {12, 1, 2, 3, 4, 5, 6, 7, 0xEE, 0xEE});
        REQUIRE(state.Dispatch(8, sink));
        CHECK(sink.calls[0].currentAtCall[7] == 7);
        CHECK(sink.calls[0].currentAtCall[8] == 0);
        CHECK(sink.calls[0].currentAtCall[9] == 0);
        CHECK(sink.calls[0].report.size() == 8);
    }

    TEST_CASE("the key count is bounded by the keys given and never negative")
    {
        struct Row {
            int32_t count;
            int32_t room;
            int32_t kept;
        };
        const Row rows[] = {{4, 19, 4}, {25, 19, 19}, {-1, 19, 0}, {0, 19, 0}, {1000000, 12, 12}};
        std::vector<KEYACTION> keys = Keys(19, 1);
        for (const Row& row : rows) {
            CAPTURE(row.count);
            DeviceReadState state;
            REQUIRE(state.Init(Header(10), MAPPINGDEF{}, row.count, keys.data(), row.room));
            CHECK(state.KeyCount() == row.kept);
            CHECK(state.Keys().count == row.kept);
        }
    }

    TEST_CASE("a key reload copies only the thread's own number of keys")
    {
        std::vector<KEYACTION> keys = Keys(4, 100);
        DeviceReadState state;
        REQUIRE(state.Init(Header(10), MAPPINGDEF{}, 4, keys.data(), 4));
        // The panel stored a record with six keys.
        std::vector<uint8_t> area = KeyAreaWith(6, 200);
        state.ReloadKeys(KeyAreaView{area.data(), area.size()});
        KeyTableRef table = state.Keys();
        CHECK(table.count == 4);
        CHECK(table.keys[0].actionCode == 200);
        CHECK(table.keys[3].actionCode == 203);

        // Fewer keys in the key area than the thread has: the count word bounds the table.
        area = KeyAreaWith(2, 300);
        state.ReloadKeys(KeyAreaView{area.data(), area.size()});
        CHECK(state.Keys().count == 2);
        CHECK(state.Keys().keys[1].actionCode == 301);

        // Keys not set (-1) leave no key to act on.
        area = KeyAreaWith(-1, 0);
        state.ReloadKeys(KeyAreaView{area.data(), area.size()});
        CHECK(state.Keys().count == 0);
    }

    TEST_CASE("a key reload never reads beyond the key area")
    {
        // A thread of a 15-key model (second-brand record buffer) against a 12-key key area.
        std::vector<KEYACTION> keys = Keys(15, 1);
        DeviceReadState state;
        REQUIRE(state.Init(Header(10), MAPPINGDEF{}, 15, keys.data(), 15));
        std::vector<uint8_t> area = KeyAreaWith(15, 500, KEYAREA_SIZE_SECOND_BRAND);
        state.ReloadKeys(KeyAreaView{area.data(), area.size()});
        KeyTableRef table = state.Keys();
        CHECK(table.count == 15);
        CHECK(table.keys[11].actionCode == 511);
        // Beyond the section's twelve keys the thread keeps what it had.
        CHECK(table.keys[12].actionCode == 13);

        // An unmapped key area copies nothing.
        state.ReloadKeys(KeyAreaView{});
        CHECK(state.Keys().keys[0].actionCode == 500);
    }

    TEST_CASE("a mapping reload copies the 76-byte block from the key area")
    {
        DeviceReadState state;
        REQUIRE(state.Init(Header(10), MAPPINGDEF{}, 0, nullptr, 0));
        std::vector<uint8_t> area(KEYAREA_SIZE_SERVICE, 0);
        MAPPINGDEF stored{};
        stored.monitorChoice = -2;
        stored.screenArea = {100, 200, 30000, 40000};
        stored.tabletArea = {5, 6, 7000, 8000};
        std::memcpy(area.data() + KEYAREA_MAPPING_OFFSET, &stored, sizeof stored);
        // The bytes right behind the block are not part of it.
        area[KEYAREA_MAPPING_OFFSET + sizeof stored] = 0x7F;
        state.ReloadMapping(KeyAreaView{area.data(), area.size()});
        CHECK(std::memcmp(&state.Mapping(), &stored, sizeof stored) == 0);

        state.ReloadMapping(KeyAreaView{area.data(), 100});
        CHECK(state.Mapping().tabletArea.right == 7000);
    }
}
