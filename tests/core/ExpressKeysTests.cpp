#include "KeysFixture.h"

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
            f.keyState.previous[7] = row.previous;
            f.Report({{7, row.current}});
            CHECK(f.system.calls == row.expected);
        }
        KeysFixture f;
        f.system.programFiles = std::string(240, 'x');  // the program's path would not fit
        f.Report({{7, 0x10}});
        CHECK(f.system.calls.empty());
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
}
