#include "ExpressKeyActions.h"
#include "ExpressKeyLayout.h"
#include "KeyboardLayout.h"
#include "ServiceCodes.h"

#include <doctest/doctest.h>

#include <algorithm>

#include <cstring>
#include <set>
#include <string>

namespace {

class NoFile : public IProfileSource {
public:
    std::string ReadString(const char*, const char*, const char* fallback, size_t) const override { return fallback; }
};

std::set<int> Ids(const std::vector<ExpressKeyControl>& controls)
{
    std::set<int> ids;
    for (const ExpressKeyControl& c : controls)
        ids.insert(c.id);
    return ids;
}

// The n-th key (gaps not counted) of a row of the selected layout; 0 when absent.
const KEYDEF* KeyInRow(const KeyboardLayout& layout, int row, int n)
{
    int currentRow = -1;
    for (const KEYDEF& key : layout.Keys()) {
        if (KeyboardLayout::IsSeparator(key))
            ++currentRow;
        else if (currentRow == row && !KeyboardLayout::IsGap(key) && n-- == 0)
            return &key;
    }
    return nullptr;
}

}  // namespace

TEST_CASE("Keyboard layouts: rows, widths, geometry and hit testing")
{
    KeyboardLayout layout(kStyloraKeyboard);
    struct Row {
        int index, rows, widest;
        uint8_t besideEscape;
    };
    for (const Row& row : {Row{0, 6, 297, 255}, Row{3, 6, 236, 255}, Row{4, 6, 236, 255}, Row{5, 6, 236, 255},
                           Row{6, 6, 0, 243}, Row{7, 6, 297, 255}, Row{-1, 6, 297, 255}}) {
        CAPTURE(row.index);
        layout.SelectLayout(row.index);
        CHECK(layout.RowCount() == row.rows);
        if (row.widest != 0)
            CHECK(layout.WidestRow() == row.widest);
        CHECK(layout.Keys()[2].keyCode == (row.besideEscape == 243 ? 243 : 0));
    }
    // The keys that tell the layouts apart: Y and Z exchanged, the key beside
    // the left Shift, and the two keys beside the space bar.
    struct Place {
        int index, row, n;
        uint8_t keyCode;
    };
    for (const Place& place : {Place{0, 2, 6, 'Y'}, Place{3, 2, 6, 'Z'}, Place{4, 2, 6, 'Y'}, Place{5, 2, 6, 'Y'},
                               Place{0, 4, 1, 'Z'}, Place{3, 4, 1, 226}, Place{3, 4, 2, 'Y'}, Place{4, 4, 2, 'Z'},
                               Place{5, 5, 3, 25}, Place{5, 5, 4, 32}, Place{5, 5, 5, 21}, Place{0, 5, 3, 32}}) {
        CAPTURE(place.index);
        CAPTURE(place.row);
        CAPTURE(place.n);
        layout.SelectLayout(place.index);
        const KEYDEF* key = KeyInRow(layout, place.row, place.n);
        REQUIRE(key != nullptr);
        CHECK(key->keyCode == place.keyCode);
        if (place.keyCode >= 'A' && place.keyCode <= 'Z')
            CHECK(key->character == place.keyCode - 'A' + 'a');
    }

    layout.SelectLayout(3);
    const size_t once = layout.Keys().size();
    layout.SelectLayout(3);
    CHECK(layout.Keys().size() == once);  // one layout, never two

    layout.SelectLayout(0);
    layout.ComputeKeyGeometry(594, 380);
    CHECK(layout.UnitWidth() == 20);
    CHECK(layout.RowHeight() == 50);
    std::vector<std::pair<uint8_t, KeyRect>> rects;
    layout.ForEachKey(600, [&](KEYDEF& key, const KeyRect& rect) { rects.push_back({key.keyCode, rect}); });
    CHECK(rects.front().first == 27);
    CHECK(rects.front().second.left == 0);
    CHECK(rects.front().second.right == 20);
    CHECK(rects.front().second.top == 0);
    CHECK(rects.back().first == 110);
    CHECK(rects.back().second.right == 600);  // reaches the right edge
    CHECK(rects.back().second.bottom == 300);
    const auto escape = layout.KeysAt(5, 5, 600);
    REQUIRE(escape.size() == 1);
    CHECK(layout.Keys()[escape[0].first].keyCode == 27);
    CHECK(layout.KeysAt(25, 5, 600).empty());   // the gap after Esc
    CHECK(layout.KeysAt(5, 310, 600).empty());  // the bottom band
    const auto letterQ = layout.KeysAt(14 * 2 + 1, 100 + 1, 600);
    REQUIRE(letterQ.size() == 1);
    CHECK(layout.Keys()[letterQ[0].first].keyCode == 'Q');
    CHECK(layout.Keys()[letterQ[0].first].character == 'q');

    SUBCASE("the second brand has no index-6 layout: the standard one, never a zero row count")
    {
        KeyboardLayout penmira(kPenmiraKeyboard);
        penmira.SelectLayout(6);
        CHECK(penmira.RowCount() == 6);
        CHECK(penmira.WidestRow() == 297);
        KeyboardLayout empty(kPenmiraKeyboard);
        empty.ComputeKeyGeometry(600, 300);
        CHECK(empty.UnitWidth() == 0);
        CHECK(empty.RowHeight() == 0);
    }
}

TEST_CASE("Express-key page: controls per slot count, slots per id, labels and menu choices")
{
    SUBCASE("layouts of 18, 10, 5, 2 and 1 slots")
    {
        CHECK(express_keys::LayoutFor(18, kStyloraKeyPage).size() == 18);
        CHECK(express_keys::UsesLargeBackground(18, kStyloraKeyPage));
        const auto ten = express_keys::LayoutFor(10, kStyloraKeyPage);
        CHECK(Ids(ten) == std::set<int>{8192, 8193, 8194, 8195, 8196, 8212, 8208, 8209, 8210, 8211});
        CHECK(ten[6].id == 8208);
        CHECK(ten[6].left == 270);
        CHECK(Ids(express_keys::LayoutFor(5, kStyloraKeyPage)) == std::set<int>{8192, 8193, 8194, 8195, 8196});
        CHECK(Ids(express_keys::LayoutFor(3, kStyloraKeyPage)) == std::set<int>{8192, 8193});
        CHECK(Ids(express_keys::LayoutFor(1, kStyloraKeyPage)) == std::set<int>{8192});
        CHECK(express_keys::LayoutFor(0, kStyloraKeyPage).empty());
        CHECK(express_keys::LayoutFor(-1, kStyloraKeyPage).empty());
        const auto penmira = express_keys::LayoutFor(10, kPenmiraKeyPage);
        CHECK(penmira[0].right == 220);
        CHECK(penmira[6].left == 300);
        CHECK(Ids(express_keys::LayoutFor(18, kPenmiraKeyPage)) == std::set<int>{8192, 8193});
        CHECK_FALSE(express_keys::UsesLargeBackground(18, kPenmiraKeyPage));
    }
    SUBCASE("slots of the ids")
    {
        const std::pair<int, int> slots[] = {{8192, 0}, {8195, 3}, {8196, 4}, {8208, 5}, {8211, 8},
                                             {8212, 9}, {8224, 10}, {8227, 13}, {8240, 14}, {8243, 17},
                                             {8197, -1}, {8244, -1}};
        for (const auto& [id, slot] : slots)
            CHECK(express_keys::SlotOfControl(id, kStyloraKeyPage) == slot);
        CHECK(express_keys::SlotOfControl(8224, kPenmiraKeyPage) == -1);
    }
    SUBCASE("label texts stay within their fields; menu choices write only what they name")
    {
        NoFile file;
        KeyNames names(file, kStyloraKeyNames);
        const key_actions::MenuText menu = [](uint32_t code) { return "menu " + std::to_string(code & 0xFFFF); };
        KEYACTION slot{};
        slot.actionCode = ACTION_KEYSTROKE;
        slot.data[0] = 17;
        slot.data[1] = 65;
        CHECK(key_actions::LabelText(slot, names, menu) == "{Ctrl}{A}");
        uint8_t keys[256];
        CHECK(key_actions::SetKeyFunction(slot, 4871, nullptr));  // Scroll Up keeps the keys for the keyboard
        key_actions::KeystrokeBuffer(slot, keys, sizeof keys);
        CHECK(keys[0] == 17);
        CHECK(keys[1] == 65);

        uint8_t record[key_actions::kLaunchRecordSize];
        key_actions::BuildLaunchRecord(std::string(500, 'p'), std::string(200, 'a'), record);
        CHECK(key_actions::SetKeyFunction(slot, key_actions::kLaunchCommand, record));
        CHECK(slot.actionCode == ACTION_LAUNCH);
        CHECK(key_actions::LaunchPath(slot).size() == 383);
        CHECK(key_actions::LaunchParameters(slot).size() == 127);
        CHECK(key_actions::LabelText(slot, names, menu) == std::string(383, 'p') + " " + std::string(127, 'a'));

        std::memset(slot.data, 'x', sizeof slot.data);           // unterminated fields
        std::memset(slot.parameters, 'y', sizeof slot.parameters);
        CHECK(key_actions::LabelText(slot, names, menu).size() == 384 + 1 + 128);

        key_actions::KeystrokeBuffer(slot, keys, sizeof keys);  // a launch slot gives no key codes
        CHECK(std::all_of(keys, keys + 256, [](uint8_t b) { return b == 0; }));

        // Nor does its path once a click took its place.
        CHECK(key_actions::SetKeyFunction(slot, 4867, nullptr));
        CHECK(slot.actionCode == ACTION_LEFT_CLICK);
        std::memset(keys, 0xEE, sizeof keys);
        key_actions::KeystrokeBuffer(slot, keys, sizeof keys);
        CHECK(std::all_of(keys, keys + 256, [](uint8_t b) { return b == 0; }));
        CHECK(slot.parameters[0] == 'y');
        CHECK(key_actions::LabelText(slot, names, menu) == "menu 16");
        CHECK_FALSE(key_actions::SetKeyFunction(slot, key_actions::kKeystrokeCommand, nullptr));
        CHECK_FALSE(key_actions::SetKeyFunction(slot, 4876, keys));
        CHECK(key_actions::SetKeyFunction(slot, 4875, nullptr));
        CHECK(slot.actionCode == ACTION_DISABLED);
    }
}
