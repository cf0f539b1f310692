#include "KeysFixture.h"

TEST_SUITE("actions")
{
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
                f.actions.PerformAction(row.index, 1, nullptr);  // the pen table
            else
                f.Act(row.index, 1, row.count);
            CHECK(f.system.calls.size() == row.calls);
        }
    }

    TEST_CASE("zoom uses the wheel only in a window of class Photoshop")
    {
        const std::pair<const char*, Calls> rows[] = {{"Photoshop", {M(0x4801, 120)}}, {"photoshop", Zoom(+1)}};
        for (const auto& row : rows) {
            KeysFixture f;
            f.system.classes[f.system.foregroundActive = 0x77] = row.first;
            f.actions.ZoomStep(+1);
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
                f.actions.PerformAction(entry, 1, nullptr);
            f.system.Clear();
            f.context.flags.buttonState = row.held | 0x80;
            f.actions.ReleaseHeldButtons(true);
            f.actions.ReleaseHeldButtons(true);
            CHECK(f.system.calls == row.expected);
            CHECK(f.context.flags.buttonState == 0x80u);
        }
    }
}

TEST_SUITE("actions of the second brand")
{
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
