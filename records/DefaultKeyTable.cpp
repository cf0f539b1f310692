#include "DefaultKeyTable.h"

#include "ServiceCodes.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t VK_SPACE = 32;
constexpr uint8_t VK_SHIFT = 16;
constexpr uint8_t VK_CONTROL = 17;
constexpr uint8_t VK_MENU = 18;
constexpr uint8_t VK_LSHIFT = 160;
constexpr uint8_t VK_LCONTROL = 162;
constexpr uint8_t VK_LMENU = 164;

struct DefaultKey {
    int32_t action;
    uint8_t virtualKey;
};

constexpr DefaultKey STRIP_KEY = {ACTION_STRIP, 0};
// Keys past the end of a table get an empty keystroke.
constexpr DefaultKey EMPTY_KEY = {ACTION_KEYSTROKE, 0};

constexpr DefaultKey REFERENCE_KEYS[] = {
    {ACTION_KEYSTROKE, VK_SPACE}, {ACTION_KEYSTROKE, VK_LSHIFT}, {ACTION_KEYSTROKE, VK_LCONTROL},
    {ACTION_KEYSTROKE, VK_LMENU}, STRIP_KEY,
    {ACTION_KEYSTROKE, VK_SPACE}, {ACTION_KEYSTROKE, VK_LSHIFT}, {ACTION_KEYSTROKE, VK_LCONTROL},
    {ACTION_KEYSTROKE, VK_LMENU}, STRIP_KEY,
    {ACTION_KEYSTROKE, VK_SPACE}, {ACTION_KEYSTROKE, VK_LSHIFT}, {ACTION_KEYSTROKE, VK_LCONTROL},
    {ACTION_KEYSTROKE, VK_LMENU},
    {ACTION_KEYSTROKE, VK_SPACE}, {ACTION_KEYSTROKE, VK_LSHIFT}, {ACTION_KEYSTROKE, VK_LCONTROL},
    {ACTION_KEYSTROKE, VK_LMENU},
};

// The control panel's table: the same places with the plain modifier keys.
constexpr DefaultKey PANEL_KEYS[] = {
    {ACTION_KEYSTROKE, VK_SPACE}, {ACTION_KEYSTROKE, VK_SHIFT}, {ACTION_KEYSTROKE, VK_CONTROL},
    {ACTION_KEYSTROKE, VK_MENU}, STRIP_KEY,
    {ACTION_KEYSTROKE, VK_SPACE}, {ACTION_KEYSTROKE, VK_SHIFT}, {ACTION_KEYSTROKE, VK_CONTROL},
    {ACTION_KEYSTROKE, VK_MENU}, STRIP_KEY,
    {ACTION_KEYSTROKE, VK_SPACE}, {ACTION_KEYSTROKE, VK_SHIFT}, {ACTION_KEYSTROKE, VK_CONTROL},
    {ACTION_KEYSTROKE, VK_MENU},
    {ACTION_KEYSTROKE, VK_SPACE}, {ACTION_KEYSTROKE, VK_SHIFT}, {ACTION_KEYSTROKE, VK_CONTROL},
    {ACTION_KEYSTROKE, VK_MENU},
};

template <size_t N>
DefaultKey KeyOf(const DefaultKey (&table)[N], int32_t index, int32_t used = static_cast<int32_t>(N))
{
    return index >= 0 && index < used && static_cast<size_t>(index) < N ? table[index] : EMPTY_KEY;
}

DefaultKey DefaultKeyOf(DefaultKeyTable table, int32_t index)
{
    switch (table) {
    case DefaultKeyTable::SidedModifiers:
        return KeyOf(REFERENCE_KEYS, index);
    case DefaultKeyTable::PlainModifiers:
        return KeyOf(PANEL_KEYS, index);
    case DefaultKeyTable::TenKeys:
        break;
    }
    return KeyOf(PANEL_KEYS, index, 10);
}

}  // namespace

void FillDefaultKeyTable(uint8_t* record, size_t room, int32_t keyCount, DefaultKeyTable table)
{
    if (record == nullptr || room < TABLETRECORD_HEAD_SIZE)
        return;
    const int32_t count = std::max(0, std::min(keyCount, KeyCapacityOf(room)));
    KEYACTION* keys = RecordKeys(record);
    for (int32_t i = 0; i < count; ++i) {
        const DefaultKey key = DefaultKeyOf(table, i);
        // Cleared whole: a key byte left over from an earlier action would be
        // pressed with the default one.
        std::memset(&keys[i], 0, sizeof keys[i]);
        keys[i].actionCode = key.action;
        keys[i].data[0] = static_cast<char>(key.virtualKey);
        keys[i].data[1] = 0;
    }
    RecordHead(record)->keyCount = count;
}
