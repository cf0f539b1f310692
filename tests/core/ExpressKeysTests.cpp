#include "ExpressKeys.h"
#include "ServiceFixture.h"

#include <doctest/doctest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>

namespace {

using Calls = std::vector<SystemCall>;
using ReportBytes = std::initializer_list<std::pair<int, uint8_t>>;

constexpr uint32_t OVERLAY_WINDOW = 0x500;

KEYACTION Action(int32_t code, std::initializer_list<uint8_t> data = {})
{
    KEYACTION action{};
    action.actionCode = code;
    size_t i = 0;
    for (uint8_t byte : data)
        action.data[i++] = static_cast<char>(byte);
    return action;
}

Calls ZoomKeys(int n)
{
    const uint8_t key = n > 0 ? 0xBB : 0xBD;
    return {SystemCall::KeyOf(0x11, 0), SystemCall::KeyOf(key, 0), SystemCall::KeyOf(key, KEY_UP),
            SystemCall::KeyOf(0x11, KEY_UP)};
}

struct KeysFixture : ServiceFixture {
    ExpressKeys keys{context};
    std::vector<KEYACTION> table = std::vector<KEYACTION>(18);
    ExpressKeyState state;

    explicit KeysFixture(const BuildPolicy& policy = BuildPolicy::Reference()) : ServiceFixture(policy)
    {
        system.recordSleeps = false;
    }
    KeyTableRef Table() const { return {static_cast<int32_t>(table.size()), table.data()}; }
    // One report as the read thread hands it over, previous report kept.
    void Report(ReportBytes bytes)
    {
        std::memset(state.current, 0, sizeof state.current);
        state.current[0] = 12;
        for (const auto& byte : bytes)
            state.current[byte.first] = byte.second;
        const KeyTableRef ref = Table();
        keys.ProcessKeyReport(TABLETINFO{}, ref, state);
        std::memcpy(state.previous, state.current, sizeof state.previous);
    }
    void Act(int index, int32_t pressed)
    {
        const KeyTableRef ref = Table();
        keys.PerformAction(index, pressed, &ref);
    }
};

}  // namespace

TEST_SUITE("express keys")
{
    TEST_CASE("strip movement zooms, finger off, no movement and the off switch do nothing")
    {
        struct Row { int byte; int offSlot; uint8_t from, to; Calls expected; };
        const Row rows[] = {
            {2, -1, 10, 12, ZoomKeys(-1)}, {2, -1, 12, 10, ZoomKeys(+1)}, {2, -1, 10, 0, {}},
            {2, -1, 10, 10, {}},           {2, 4, 10, 12, {}},             {4, -1, 10, 12, ZoomKeys(-1)},
            {4, 9, 12, 10, {}},            {4, 4, 12, 10, ZoomKeys(+1)},
        };
        for (const Row& row : rows) {
            CAPTURE(row.byte);
            CAPTURE(row.offSlot);
            KeysFixture f;
            f.table[4] = Action(ACTION_STRIP);
            f.table[9] = Action(ACTION_STRIP);
            if (row.offSlot >= 0)
                f.table[static_cast<size_t>(row.offSlot)].data[0] = 1;
            f.Report({{row.byte, row.from}});  // arms the strips
            f.Report({{row.byte, row.from}});
            f.system.Clear();
            f.Report({{row.byte, row.to}});
            CHECK(f.system.Events() == row.expected);
        }
    }

    TEST_CASE("the first strip report only arms the strips, and keys in it are not processed")
    {
        KeysFixture f;
        f.table[0] = Action(ACTION_KEYSTROKE, {0x41});
        f.Report({{2, 10}, {5, 1}});
        CHECK(f.state.stateWord == 1);
        CHECK(f.system.calls.empty());
        f.Report({{2, 12}, {5, 1}});
        CHECK(f.system.Events() == ZoomKeys(-1));
    }

    TEST_CASE("each key bit acts through its own slot on press and release")
    {
        const int group1[] = {0, 1, 2, 3, 10, 11, 12, 13};
        const int group2[] = {5, 6, 7, 8, 14, 15, 16, 17};
        for (int byte : {5, 6}) {
            for (int bit = 0; bit < 8; ++bit) {
                const int slot = byte == 5 ? group1[bit] : group2[bit];
                CAPTURE(byte);
                CAPTURE(bit);
                KeysFixture f;
                for (size_t i = 0; i < f.table.size(); ++i)
                    f.table[i] = Action(ACTION_KEYSTROKE, {static_cast<uint8_t>(0x30 + i)});
                const uint8_t vk = static_cast<uint8_t>(0x30 + slot);
                f.Report({{byte, static_cast<uint8_t>(1u << bit)}});
                f.Report({});
                CHECK(f.system.Events() == Calls{SystemCall::KeyOf(vk, 0), SystemCall::KeyOf(vk, KEY_UP)});
                CHECK(f.state.stateWord == (byte == 5 ? 0x10 : 0x20));
            }
        }
    }

    TEST_CASE("a keystroke presses its bytes in order, releases them in reverse and passes over zeros")
    {
        KeysFixture f;
        f.system.recordSleeps = true;
        f.table[0] = Action(ACTION_KEYSTROKE, {0x11, 0x00, 0x43});
        f.table[1] = Action(ACTION_KEYSTROKE, {1, 2, 3, 4, 5, 6, 7});
        f.Act(0, 1);
        f.Act(0, 0);
        CHECK(f.system.calls == Calls{SystemCall::KeyOf(0x11, 0), SystemCall::SleepOf(5),
                                      SystemCall::KeyOf(0x43, 0), SystemCall::SleepOf(5),
                                      SystemCall::KeyOf(0x43, KEY_UP), SystemCall::SleepOf(5),
                                      SystemCall::KeyOf(0x11, KEY_UP), SystemCall::SleepOf(5)});
        f.system.Clear();
        f.Act(1, 1);
        CHECK(f.system.Of(SystemCall::Key).size() == 6);  // the seventh byte is never sent
    }

    TEST_CASE("pointer actions by code, with and without swapped buttons")
    {
        const auto P = [](uint32_t flags, int32_t data = 0) { return SystemCall::PointerOf(flags, 0, 0, data); };
        const auto M = [](uint32_t flags, int32_t data = 0) { return SystemCall::MouseOf(flags, data); };
        struct Row { int32_t code; uint8_t data0; bool swapped; int32_t pressed; Calls expected; };
        const Row rows[] = {
            {ACTION_LEFT_CLICK, 0, false, 1, {P(0x4002)}},  {ACTION_LEFT_CLICK, 0, false, 0, {P(0x4004)}},
            {ACTION_LEFT_CLICK, 0, true, 1, {P(0x4008)}},   {ACTION_LEFT_CLICK, 0, true, 0, {P(0x4010)}},
            {ACTION_RIGHT_CLICK, 0, false, 1, {P(0x4008)}}, {ACTION_RIGHT_CLICK, 0, true, 0, {P(0x4004)}},
            {ACTION_MIDDLE_CLICK, 0, true, 1, {M(0x4020)}}, {ACTION_MIDDLE_CLICK, 0, false, 0, {M(0x4040)}},
            {ACTION_DOUBLE_CLICK, 0, false, 1, {P(0x4002), P(0x4004), SystemCall::SleepOf(4), P(0x4002), P(0x4004)}},
            {ACTION_DOUBLE_CLICK, 0, true, 1, {P(0x4008), P(0x4010), SystemCall::SleepOf(4), P(0x4008), P(0x4010)}},
            {ACTION_DOUBLE_CLICK, 0, false, 0, {}},
            {ACTION_SCROLL_UP, 0, false, 1, {M(0x4801, 120)}},   {ACTION_SCROLL_UP, 0, false, 0, {}},
            {ACTION_SCROLL_DOWN, 0, false, 1, {M(0x4801, -120)}},
            {ACTION_STRIP, 0, false, -3, {M(0x4801, -3)}},       {ACTION_STRIP, 1, false, 3, {}},
            {ACTION_DISABLED, 0, false, 1, {}},                  {99, 0, false, 1, {}},
        };
        for (const Row& row : rows) {
            CAPTURE(row.code);
            CAPTURE(row.swapped);
            CAPTURE(row.pressed);
            KeysFixture f;
            f.system.recordSleeps = true;
            f.context.flags.swappedButtons = row.swapped ? 1 : 0;
            f.table[2] = Action(row.code, {row.data0});
            f.Act(2, row.pressed);
            CHECK(f.system.calls == row.expected);
        }
    }

    TEST_CASE("a launch starts its program on release, with its fields bounded")
    {
        KeysFixture f;
        KEYACTION& launch = f.table[0] = Action(ACTION_LAUNCH);
        std::strcpy(launch.data, "C:\\Tools\\sketch.exe");
        std::strcpy(launch.parameters, "-new");
        f.Act(0, 1);
        CHECK(f.system.calls.empty());
        f.Act(0, 0);
        CHECK(f.system.calls == Calls{SystemCall::ShellOpenOf("C:\\Tools\\sketch.exe", "-new")});

        f.system.Clear();
        std::memset(launch.data, 'a', sizeof launch.data);
        std::memset(launch.parameters, 'b', sizeof launch.parameters);
        f.Act(0, 0);
        CHECK(f.system.calls == Calls{SystemCall::ShellOpenOf(std::string(384, 'a'), std::string(128, 'b'))});
    }

    TEST_CASE("indexes outside the table or the build's slots do nothing")
    {
        struct Row { const BuildPolicy& policy; int index; int32_t count; bool acts; };
        const Row rows[] = {
            {BuildPolicy::Reference(), 17, 18, true}, {BuildPolicy::Reference(), 18, 19, false},
            {BuildPolicy::Reference(), -1, 18, false}, {BuildPolicy::Reference(), 5, 5, false},
            {BuildPolicy::SecondBrand(), 12, 18, true}, {BuildPolicy::SecondBrand(), 13, 18, false},
        };
        for (const Row& row : rows) {
            CAPTURE(row.index);
            KeysFixture f(row.policy);
            f.table.assign(19, Action(ACTION_LEFT_CLICK));
            const KeyTableRef ref{row.count, f.table.data()};
            f.keys.PerformAction(row.index, 1, &ref);
            CHECK(f.system.calls.size() == (row.acts ? 1u : 0u));
        }
    }

    TEST_CASE("without a table the pen buttons act, and only the two of them")
    {
        KeysFixture f;
        f.pen->pen.penButton[1] = Action(ACTION_RIGHT_CLICK);
        f.pen->spareKey = Action(ACTION_LEFT_CLICK);
        f.keys.PerformAction(1, 1, nullptr);
        f.keys.PerformAction(2, 1, nullptr);
        CHECK(f.system.calls == Calls{SystemCall::PointerOf(0x4008)});
    }

    TEST_CASE("the overlay button starts the overlay once and closes it on release")
    {
        const Calls start = {SystemCall::ShellOpenOf("C:\\PF\\Stylora\\TK3058Keyveil.exe", "TK3058Keyveil")};
        const Calls close = {SystemCall::PostOf(OVERLAY_WINDOW, WM_KEYOVERLAY_CLOSE, 2, 0)};
        struct Row { uint8_t previous, current; bool window; Calls expected; };
        const Row rows[] = {
            {0, 0x10, false, start}, {0, 0x01, false, start}, {0, 0x10, true, {}},
            {0x10, 0x00, true, close}, {0x10, 0x11, false, {}}, {0x01, 0x10, true, close},
            {0x10, 0x00, false, {}},
        };
        for (const Row& row : rows) {
            CAPTURE(row.previous);
            CAPTURE(row.current);
            KeysFixture f;
            f.system.programFiles = "C:\\PF";
            if (row.window)
                f.system.windowsByTitle[KEY_OVERLAY_WINDOW_TITLE] = OVERLAY_WINDOW;
            f.state.previous[7] = row.previous;
            f.Report({{7, row.current}});
            CHECK(f.system.calls == row.expected);
        }
    }

    TEST_CASE("an overlay path that does not fit starts nothing")
    {
        KeysFixture f;
        f.system.programFiles = std::string(240, 'x');
        f.Report({{7, 0x10}});
        CHECK(f.system.calls.empty());
    }

    TEST_CASE("zoom uses the wheel only in a Photoshop window")
    {
        struct Row { const char* className; int n; Calls expected; };
        const Row rows[] = {
            {"Photoshop", +1, {SystemCall::MouseOf(0x4801, 120)}},
            {"Photoshop", -1, {SystemCall::MouseOf(0x4801, -120)}},
            {"photoshop", +1, ZoomKeys(+1)},
            {"Notepad", 0, ZoomKeys(-1)},
        };
        for (const Row& row : rows) {
            CAPTURE(row.className);
            KeysFixture f;
            f.system.foregroundActive = 0x77;
            f.system.classes[0x77] = row.className;
            f.keys.ZoomStep(row.n);
            CHECK(f.system.calls == row.expected);
        }
    }

    TEST_CASE("a device that goes away releases what its pen still holds")
    {
        struct Row { const BuildPolicy& policy; uint32_t held; Calls expected; };
        const SystemCall rightUp = SystemCall::PointerOf(0x4010);
        const SystemCall leftUp = SystemCall::MouseOf(0x4004);
        const Row rows[] = {
            {BuildPolicy::Reference(), 2, {rightUp}},
            {BuildPolicy::Reference(), 4, {SystemCall::MouseOf(0x4040)}},
            {BuildPolicy::Reference(), 1, {leftUp}},
            {BuildPolicy::Reference(), 7, {SystemCall::MouseOf(0x4040), rightUp, leftUp}},
            {BuildPolicy::SecondBrand(), 2, {SystemCall::PointerOf(0x4040)}},  // both statuses use entry 1
            {BuildPolicy::Reference(), 0, {}},
        };
        for (const Row& row : rows) {
            CAPTURE(row.held);
            KeysFixture f(row.policy);
            f.pen->pen.penButton[0] = Action(ACTION_RIGHT_CLICK);
            f.pen->pen.penButton[1] = Action(ACTION_MIDDLE_CLICK);
            f.context.flags.buttonState = row.held | 0x80;
            f.keys.ReleaseHeldButtons();
            f.keys.ReleaseHeldButtons();
            CHECK(f.system.calls == row.expected);
            CHECK(f.context.flags.buttonState == 0x80u);
        }
    }
}

TEST_SUITE("express keys of the other builds")
{
    TEST_CASE("second brand: strips over two bytes each, armed by the first half touched")
    {
        using Sequence = std::vector<std::pair<int, uint8_t>>;
        struct Row { Sequence reports; int offSlot; Calls expected; };
        const Row rows[] = {
            {{{1, 10}, {1, 12}}, -1, ZoomKeys(-1)},
            {{{2, 10}, {2, 8}}, -1, ZoomKeys(+1)},
            {{{2, 10}, {1, 10}}, -1, ZoomKeys(-1)},
            {{{1, 10}, {2, 10}}, -1, ZoomKeys(+1)},
            {{{3, 5}, {4, 5}}, -1, ZoomKeys(+1)},
            {{{4, 5}, {3, 5}}, -1, ZoomKeys(-1)},
            {{{1, 10}, {1, 12}}, 4, {}},
            {{{3, 10}, {3, 12}}, 9, {}},
            {{{3, 10}, {3, 12}}, 4, ZoomKeys(-1)},
        };
        for (const Row& row : rows) {
            CAPTURE(row.offSlot);
            KeysFixture f(BuildPolicy::SecondBrand());
            if (row.offSlot >= 0)
                f.table[static_cast<size_t>(row.offSlot)].data[0] = 1;
            for (const auto& report : row.reports)
                f.Report({report});
            CHECK(f.system.Events() == row.expected);
        }
    }

    TEST_CASE("second brand: keys act on release, group 1 goes to the clients, group 2 to slots 5-8")
    {
        KeysFixture f(BuildPolicy::SecondBrand());
        f.table[6] = Action(ACTION_KEYSTROKE, {0x41});
        f.Add(1, 0x100, CTX_STATUS_ON_TOP, CTX_OPTION_PACKET_MESSAGES);
        f.Add(2, 0x200, CTX_STATUS_ON_TOP, 0);
        f.system.Clear();
        f.Report({{7, 0x10}, {5, 0x08}});  // no overlay in this build
        f.Report({});
        f.Report({{6, 0x02}});
        f.Report({});
        f.Report({{6, 0x03}});
        f.Report({});
        CHECK(f.system.Events() == Calls{SystemCall::PostOf(0x100, WM_EXPRESSKEY_DATA, 0x10, 0x08),
                                         SystemCall::KeyOf(0x41, KEY_UP)});
        CHECK(f.state.stateWord == 0);
    }

    TEST_CASE("pointer and key flags of actions in each build")
    {
        const auto P = [](uint32_t flags, int32_t data = 0) { return SystemCall::PointerOf(flags, 0, 0, data); };
        struct Row { const BuildPolicy& policy; KEYACTION action; int32_t pressed; Calls expected; };
        const Row rows[] = {
            {BuildPolicy::SecondBrand(), Action(ACTION_LEFT_CLICK), 1, {P(0x4002)}},  // swapped flag ignored
            {BuildPolicy::SecondBrand(), Action(ACTION_MIDDLE_CLICK), 1, {P(0x4020)}},
            {BuildPolicy::SecondBrand(), Action(ACTION_SCROLL_DOWN), 1, {P(0x4801, -120)}},
            {BuildPolicy::Library(), Action(ACTION_LEFT_CLICK), 1, {P(0x4008)}},
            {BuildPolicy::Library(), Action(ACTION_STRIP), 2, {P(0x4801, 2)}},
            {BuildPolicy::Library(), Action(ACTION_KEYSTROKE, {0x41}), 1, {SystemCall::KeyOf(0x41, 1)}},
            {BuildPolicy::Library(), Action(ACTION_KEYSTROKE, {0x41}), 0, {SystemCall::KeyOf(0x41, 3)}},
        };
        for (const Row& row : rows) {
            CAPTURE(row.action.actionCode);
            KeysFixture f(row.policy);
            f.context.flags.swappedButtons = 1;
            f.table[0] = row.action;
            f.Act(0, row.pressed);
            CHECK(f.system.calls == row.expected);
        }
    }

    TEST_CASE("second brand: releasing another keystroke lets go of the one held first")
    {
        const SystemCall aDown = SystemCall::KeyOf(0x41, 0), aUp = SystemCall::KeyOf(0x41, KEY_UP);
        const SystemCall bDown = SystemCall::KeyOf(0x42, 0), bUp = SystemCall::KeyOf(0x42, KEY_UP);
        struct Row { std::vector<std::pair<int, int32_t>> steps; Calls expected; };
        const Row rows[] = {
            {{{0, 1}, {1, 1}, {1, 0}, {0, 0}}, {aDown, bDown, bUp, aUp, aUp}},
            {{{0, 1}, {0, 0}, {1, 1}, {1, 0}}, {aDown, aUp, bDown, bUp, aUp}},
        };
        for (const Row& row : rows) {
            KeysFixture f(BuildPolicy::SecondBrand());
            f.table[0] = Action(ACTION_KEYSTROKE, {0x41});
            f.table[1] = Action(ACTION_KEYSTROKE, {0x42});
            for (const auto& step : row.steps)
                f.Act(step.first, step.second);
            CHECK(f.system.calls == row.expected);
        }
    }
}
