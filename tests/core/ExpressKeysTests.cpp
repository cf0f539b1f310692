#include "ExpressKeys.h"
#include "KeyActions.h"
#include "ServiceFixture.h"

#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

using Calls = std::vector<SystemCall>;
using Bytes = std::vector<std::pair<int, uint8_t>>;
const BuildPolicy& REF = BuildPolicy::Reference();
const BuildPolicy& BRAND2 = BuildPolicy::SecondBrand();
const BuildPolicy& LIB = BuildPolicy::Library();

SystemCall P(uint32_t flags, int32_t data = 0) { return SystemCall::PointerOf(flags, 0, 0, data); }
SystemCall M(uint32_t flags, int32_t data = 0) { return SystemCall::MouseOf(flags, data); }
SystemCall K(uint8_t vk, uint32_t flags = 0) { return SystemCall::KeyOf(vk, flags); }
const SystemCall S4 = SystemCall::SleepOf(4), S5 = SystemCall::SleepOf(5);
Calls Zoom(int n)
{
    const uint8_t key = n > 0 ? 0xBB : 0xBD;
    return {K(0x11), K(key), K(key, KEY_UP), K(0x11, KEY_UP)};
}

struct KeysFixture : ServiceFixture {
    ExpressKeys keys{context};
    std::vector<KEYACTION> table = std::vector<KEYACTION>(18);
    ExpressKeyState state;

    explicit KeysFixture(const BuildPolicy& policy = REF) : ServiceFixture(policy) { system.recordSleeps = false; }
    // One report as the read thread hands it over, then kept as the previous one.
    void Report(const Bytes& bytes)
    {
        std::memset(state.current, 0, sizeof state.current);
        for (const auto& byte : bytes)
            state.current[byte.first] = byte.second;
        const KeyTableRef ref{static_cast<int32_t>(table.size()), table.data()};
        keys.ProcessKeyReport(TABLETINFO{}, ref, state);
        std::memcpy(state.previous, state.current, sizeof state.previous);
    }
    void Act(int index, int32_t pressed, int32_t count = 18)
    {
        const KeyTableRef ref{count, table.data()};
        keys.PerformAction(index, pressed, &ref, &state);
    }
};

}  // namespace

TEST_SUITE("express keys")
{
    TEST_CASE("strips zoom by their movement after the first strip report, unless switched off")
    {
        struct Row { const BuildPolicy& policy; Bytes reports; int offSlot; Calls expected; };
        const Row rows[] = {
            {REF, {{2, 10}, {2, 10}, {2, 12}}, -1, Zoom(-1)}, {REF, {{2, 12}, {2, 10}, {2, 0}}, -1, Zoom(+1)},
            {REF, {{2, 10}, {2, 12}}, 4, {}},                 {REF, {{4, 12}, {4, 10}}, 9, {}},
            {REF, {{4, 12}, {4, 10}}, 4, Zoom(+1)},
            // The second brand spreads each strip over two bytes, armed by the half touched first.
            {BRAND2, {{1, 10}, {1, 12}}, -1, Zoom(-1)},       {BRAND2, {{2, 10}, {1, 10}}, -1, Zoom(-1)},
            {BRAND2, {{1, 10}, {2, 10}}, -1, Zoom(+1)},       {BRAND2, {{4, 5}, {3, 5}}, -1, Zoom(-1)},
            {BRAND2, {{1, 10}, {1, 12}}, 4, {}},              {BRAND2, {{3, 10}, {3, 12}}, 9, {}},
        };
        for (const Row& row : rows) {
            CAPTURE(row.offSlot);
            KeysFixture f(row.policy);
            if (row.offSlot >= 0)
                f.table[static_cast<size_t>(row.offSlot)].data[0] = 1;
            for (const auto& report : row.reports)
                f.Report({report});
            CHECK(f.system.calls == row.expected);
        }
        KeysFixture f;  // keys in the arming report are not processed
        f.table[0] = Action(ACTION_KEYSTROKE, {0x41});
        f.Report({{2, 10}, {5, 1}});
        CHECK(f.system.calls.empty());
    }

    TEST_CASE("key bits act through their slots on press and release")
    {
        const std::pair<Bytes, uint8_t> rows[] = {{{{5, 0x20}}, 11}, {{{5, 0x08}}, 3}, {{{6, 0x01}}, 5}, {{{6, 0x80}}, 17}};
        for (const auto& row : rows) {
            KeysFixture f;
            for (size_t i = 0; i < f.table.size(); ++i)
                f.table[i] = Action(ACTION_KEYSTROKE, {static_cast<uint8_t>(0x30 + i)});
            f.Report(row.first);
            f.Report({});
            const uint8_t vk = static_cast<uint8_t>(0x30 + row.second);
            CHECK(f.system.calls == Calls{K(vk), K(vk, KEY_UP)});
        }
    }

    TEST_CASE("actions by code, swapped buttons and build")
    {
        struct Row { const BuildPolicy& policy; KEYACTION action; bool swapped; int32_t pressed; Calls expected; };
        const Row rows[] = {
            {REF, Action(ACTION_LEFT_CLICK), false, 1, {P(0x4002)}},
            {REF, Action(ACTION_LEFT_CLICK), true, 0, {P(0x4010)}},
            {REF, Action(ACTION_RIGHT_CLICK), true, 1, {P(0x4002)}},
            {REF, Action(ACTION_DOUBLE_CLICK), true, 1, {P(0x4008), P(0x4010), S4, P(0x4008), P(0x4010)}},
            {REF, Action(ACTION_SCROLL_DOWN), false, 1, {M(0x4801, -120)}},
            {REF, Action(ACTION_SCROLL_UP), false, 1, {M(0x4801, 120)}},
            {REF, Action(ACTION_STRIP), false, -3, {M(0x4801, -3)}},
            {REF, Action(ACTION_STRIP, {1}), false, 3, {}},
            {REF, Action(ACTION_KEYSTROKE, {0x11, 0x00, 0x43}), false, 1, {K(0x11), S5, K(0x43), S5}},
            {REF, Action(ACTION_KEYSTROKE, {0x11, 0x00, 0x43}), false, 0, {K(0x43, 2), S5, K(0x11, 2), S5}},
            {REF, Action(ACTION_KEYSTROKE, {0, 0, 0, 0, 0, 0, 0x41}), false, 1, {}},  // six key bytes only
            {REF, Action(ACTION_LAUNCH, {'x'}), false, 1, {}},
            {REF, Action(ACTION_LAUNCH, {'x'}), false, 0, {SystemCall::ShellOpenOf("x", "")}},
            {BRAND2, Action(ACTION_LEFT_CLICK), true, 1, {P(0x4002)}},
            {BRAND2, Action(ACTION_MIDDLE_CLICK), false, 1, {P(0x4020)}},
            {LIB, Action(ACTION_LEFT_CLICK), true, 1, {P(0x4008)}},
            {LIB, Action(ACTION_STRIP), false, 2, {P(0x4801, 2)}},
            {LIB, Action(ACTION_KEYSTROKE, {0x41}), false, 0, {K(0x41, 3), S5}},
        };
        for (const Row& row : rows) {
            CAPTURE(row.action.actionCode);
            KeysFixture f(row.policy);
            f.system.recordSleeps = true;
            f.context.flags.swappedButtons = row.swapped ? 1 : 0;
            f.table[2] = row.action;
            f.Act(2, row.pressed);
            CHECK(f.system.calls == row.expected);
        }
    }

    TEST_CASE("a launch's fields are bounded even without their terminating zero")
    {
        KeysFixture f;
        std::memset(f.table[1].data, 'a', sizeof f.table[1].data);
        std::memset(f.table[1].parameters, 'b', sizeof f.table[1].parameters);
        f.table[1].actionCode = ACTION_LAUNCH;
        f.Act(1, 0);
        CHECK(f.system.calls == Calls{SystemCall::ShellOpenOf(std::string(384, 'a'), std::string(128, 'b'))});
    }

    TEST_CASE("indexes outside the table, the pen table or the build's slots do nothing")
    {
        struct Row { const BuildPolicy& policy; int index; int32_t count; size_t calls; };
        const Row rows[] = {{REF, 17, 18, 1}, {REF, 18, 19, 0}, {REF, -1, 18, 0}, {REF, 5, 5, 0},
                            {BRAND2, 13, 18, 0}, {REF, 1, -1, 1}, {REF, 2, -1, 0}};
        for (const Row& row : rows) {
            KeysFixture f(row.policy);
            f.table.assign(19, Action(ACTION_LEFT_CLICK));
            f.pen->pen.penButton[1] = f.pen->spareKey = Action(ACTION_LEFT_CLICK);
            if (row.count < 0)
                f.keys.PerformAction(row.index, 1, nullptr);  // the pen table
            else
                f.Act(row.index, 1, row.count);
            CHECK(f.system.calls.size() == row.calls);
        }
    }

    TEST_CASE("the overlay button starts the overlay once and closes it on release")
    {
        const Calls start = {SystemCall::ShellOpenOf("C:\\PF\\Stylora\\TK3058Keyveil.exe", "TK3058Keyveil")};
        const Calls close = {SystemCall::PostOf(0x500, WM_KEYOVERLAY_CLOSE, 2, 0)};
        struct Row { uint8_t previous, current; bool window; Calls expected; };
        const Row rows[] = {{0, 0x10, false, start}, {0, 0x01, false, start}, {0, 0x10, true, {}},
                            {0x10, 0, true, close},   {0x10, 0x11, false, {}}, {0x01, 0x10, true, close}};
        for (const Row& row : rows) {
            KeysFixture f;
            f.system.programFiles = "C:\\PF";
            if (row.window)
                f.system.windowsByTitle[KEY_OVERLAY_WINDOW_TITLE] = 0x500;
            f.state.previous[7] = row.previous;
            f.Report({{7, row.current}});
            CHECK(f.system.calls == row.expected);
        }
        KeysFixture f;
        f.system.programFiles = std::string(240, 'x');  // the program's path would not fit
        f.Report({{7, 0x10}});
        CHECK(f.system.calls.empty());
    }

    TEST_CASE("zoom uses the wheel only in a window of class Photoshop")
    {
        const std::pair<const char*, Calls> rows[] = {{"Photoshop", {M(0x4801, 120)}}, {"photoshop", Zoom(+1)}};
        for (const auto& row : rows) {
            KeysFixture f;
            f.system.classes[f.system.foregroundActive = 0x77] = row.first;
            f.keys.ZoomStep(+1);
            CHECK(f.system.calls == row.second);
        }
    }

    TEST_CASE("a device that goes away releases what its pen still holds, once")
    {
        struct Row { const BuildPolicy& policy; uint32_t held; std::vector<int> pressed; Calls expected; };
        const Row rows[] = {{REF, 7, {0, 1}, {M(0x4040), P(0x4010), M(0x4004)}},
                            {BRAND2, 2, {1}, {P(0x4040)}}};  // both pen-button statuses act on the second entry
        for (const Row& row : rows) {
            KeysFixture f(row.policy);
            f.pen->pen.penButton[0] = Action(ACTION_RIGHT_CLICK);
            f.pen->pen.penButton[1] = Action(ACTION_MIDDLE_CLICK);
            for (int entry : row.pressed)
                f.keys.PerformAction(entry, 1, nullptr);
            f.system.Clear();
            f.context.flags.buttonState = row.held | 0x80;
            f.keys.ReleaseHeldButtons(true);
            f.keys.ReleaseHeldButtons(true);
            CHECK(f.system.calls == row.expected);
            CHECK(f.context.flags.buttonState == 0x80u);
        }
    }
}

TEST_SUITE("express keys of the second brand")
{
    TEST_CASE("keys act on release: group 1 goes to the clients, group 2 to slots 5-8")
    {
        KeysFixture f(BRAND2);
        f.table[6] = Action(ACTION_KEYSTROKE, {0x41});
        f.Add(1, 0x100, CTX_STATUS_ON_TOP, CTX_OPTION_PACKET_MESSAGES);
        f.Add(2, 0x200, CTX_STATUS_ON_TOP, 0);
        f.system.Clear();
        for (const Bytes& report : {Bytes{{7, 0x10}, {5, 8}}, Bytes{}, Bytes{{6, 2}}, Bytes{}, Bytes{{6, 3}}, Bytes{}})
            f.Report(report);
        CHECK(f.system.calls == Calls{SystemCall::PostOf(0x100, WM_EXPRESSKEY_DATA, 0x10, 8), K(0x41, KEY_UP)});
    }

    TEST_CASE("releasing another keystroke lets go of the one held first")
    {
        const SystemCall aDown = K(0x41), aUp = K(0x41, KEY_UP), bDown = K(0x42), bUp = K(0x42, KEY_UP);
        struct Row { std::vector<std::pair<int, int32_t>> steps; Calls expected; };
        const Row rows[] = {{{{0, 1}, {1, 1}, {1, 0}, {0, 0}}, {aDown, bDown, bUp, aUp, aUp}},
                            {{{0, 1}, {0, 0}, {1, 1}, {1, 0}}, {aDown, aUp, bDown, bUp, aUp}}};
        for (const Row& row : rows) {
            KeysFixture f(BRAND2);
            f.table[0] = Action(ACTION_KEYSTROKE, {0x41});
            f.table[1] = Action(ACTION_KEYSTROKE, {0x42});
            for (const auto& step : row.steps)
                f.Act(step.first, step.second);
            CHECK(f.system.calls == row.expected);
        }
    }
}
