#include "ActionPerformer.h"

#include "ServiceCodes.h"

#include <cstring>

namespace {

constexpr int PEN_TABLE_ENTRIES = 2;

constexpr uint8_t VK_CONTROL_KEY = 0x11;
constexpr uint8_t VK_PLUS_KEY = 0xBB;
constexpr uint8_t VK_MINUS_KEY = 0xBD;
constexpr size_t CLASS_NAME_SIZE = 256;

constexpr uint32_t WHEEL_EVENT = MOUSE_VIRTUALDESK | MOUSE_WHEEL | MOUSE_MOVE;

constexpr uint32_t BUTTON_LEFT_HELD = 1;
constexpr uint32_t BUTTON_PEN_1_HELD = 2;
constexpr uint32_t BUTTON_PEN_2_HELD = 4;

// Actions whose press leaves something down until the release.
bool IsHoldAction(int32_t actionCode)
{
    return actionCode == ACTION_LEFT_CLICK || actionCode == ACTION_RIGHT_CLICK || actionCode == ACTION_MIDDLE_CLICK ||
           actionCode == ACTION_KEYSTROKE;
}

// Copies zero-terminated text from a fixed field that may lack the zero.
void CopyField(char* out, size_t outSize, const char* field, size_t fieldSize)
{
    size_t length = 0;
    while (length < fieldSize && length + 1 < outSize && field[length] != '\0')
        ++length;
    std::memcpy(out, field, length);
    out[length] = '\0';
}

}  // namespace

const KEYACTION* ActionPerformer::EntryOf(int index, const KeyTableRef* table) const
{
    if (index < 0 || index > context_.policy->maxActionIndex)
        return nullptr;
    if (table != nullptr)
        return (table->keys != nullptr && index < table->count) ? &table->keys[index] : nullptr;
    if (context_.pen == nullptr || index >= PEN_TABLE_ENTRIES)
        return nullptr;
    return &context_.pen->pen.penButton[index];
}

HeldPress* ActionPerformer::HeldPressOf(int index, const KeyTableRef* table, HeldKeys* held)
{
    if (table == nullptr)
        return index >= 0 && index < PEN_BUTTON_ENTRIES ? &heldPenButtons_[index] : nullptr;
    return held != nullptr && index >= 0 && index < KEY_SLOTS ? &held->slots[index] : nullptr;
}

void ActionPerformer::PerformAction(int index, int32_t pressed, const KeyTableRef* table, HeldKeys* heldKeys)
{
    const bool penTable = table == nullptr;
    HeldPress* held = HeldPressOf(index, table, heldKeys);
    // What the press put down comes up again, whatever the entry says now.
    if (held != nullptr && held->active) {
        ReleaseHeldPress(*held, index, penTable);
        if (pressed == 0)
            return;
    }
    const KEYACTION* entry = EntryOf(index, table);
    if (entry == nullptr)
        return;
    const bool swapped = ButtonsSwapped();
    if (pressed != 0 && held != nullptr && IsHoldAction(entry->actionCode)) {
        held->active = true;
        held->swapped = swapped;
        held->actionCode = entry->actionCode;
        std::memcpy(held->keys, entry->data, KEYSTROKE_BYTES);
    }
    Perform(index, pressed, *entry, penTable, swapped);
}

void ActionPerformer::Perform(int index, int32_t pressed, const KEYACTION& entry, bool penTable, bool swapped)
{
    switch (entry.actionCode) {
    case ACTION_LEFT_CLICK:
        ButtonClick(true, pressed, swapped);
        break;
    case ACTION_RIGHT_CLICK:
        ButtonClick(false, pressed, swapped);
        break;
    case ACTION_MIDDLE_CLICK:
        MiddleClick(pressed);
        break;
    case ACTION_DOUBLE_CLICK:
        if (pressed != 0)
            DoubleClick(swapped);
        break;
    case ACTION_SCROLL_UP:
        if (pressed != 0)
            Wheel(WHEEL_STEP);
        break;
    case ACTION_SCROLL_DOWN:
        if (pressed != 0)
            Wheel(-WHEEL_STEP);
        break;
    case ACTION_STRIP:
        // pressed is the wheel amount here; a strip switched off does nothing.
        if (entry.data[0] == 0)
            Wheel(pressed);
        break;
    case ACTION_KEYSTROKE:
        Keystroke(index, pressed, reinterpret_cast<const uint8_t*>(entry.data), penTable);
        break;
    case ACTION_LAUNCH:
        if (pressed == 0)
            Launch(entry);
        break;
    default:
        break;
    }
}

void ActionPerformer::ReleaseHeldPress(HeldPress& held, int index, bool penTable)
{
    held.active = false;
    switch (held.actionCode) {
    case ACTION_LEFT_CLICK:
    case ACTION_RIGHT_CLICK:
        ButtonClick(held.actionCode == ACTION_LEFT_CLICK, 0, held.swapped);
        break;
    case ACTION_MIDDLE_CLICK:
        MiddleClick(0);
        break;
    default:
        Keystroke(index, 0, held.keys, penTable);
        break;
    }
}

bool ActionPerformer::ButtonsSwapped() const
{
    return context_.policy->actionsHonourSwappedButtons && context_.flags.swappedButtons != 0;
}

// primary: the left-click action. With the system's buttons swapped the
// right-button flags are the primary button.
void ActionPerformer::ButtonClick(bool primary, int32_t pressed, bool swapped)
{
    const bool left = primary != swapped;
    uint32_t flags;
    if (pressed != 0)
        flags = left ? MOUSE_LEFTDOWN : MOUSE_RIGHTDOWN;
    else
        flags = left ? MOUSE_LEFTUP : MOUSE_RIGHTUP;
    context_.system->PointerRoutine(MOUSE_VIRTUALDESK | flags, 0, 0, 0, 0);
}

void ActionPerformer::DoubleClick(bool swapped)
{
    ButtonClick(true, 1, swapped);
    ButtonClick(true, 0, swapped);
    context_.system->Sleep(4);
    ButtonClick(true, 1, swapped);
    ButtonClick(true, 0, swapped);
}

void ActionPerformer::MiddleClick(int32_t pressed)
{
    const uint32_t flags = MOUSE_VIRTUALDESK | (pressed != 0 ? MOUSE_MIDDLEDOWN : MOUSE_MIDDLEUP);
    if (context_.policy->actionWheelThroughPointerRoutine)
        context_.system->PointerRoutine(flags, 0, 0, 0, 0);
    else
        context_.system->MouseEvent(flags, 0, 0, 0, 0);
}

void ActionPerformer::Wheel(int32_t amount)
{
    if (context_.policy->actionWheelThroughPointerRoutine)
        context_.system->PointerRoutine(WHEEL_EVENT, 0, 0, amount, 0);
    else
        context_.system->MouseEvent(WHEEL_EVENT, 0, 0, amount, 0);
}

void ActionPerformer::Keystroke(int index, int32_t pressed, const uint8_t* keys, bool penTable)
{
    if (pressed != 0) {
        PressKeys(keys);
        // The second brand remembers the first keystroke entry held down.
        if (context_.policy->keystrokeHoldsEntry && !held_.active) {
            held_.active = true;
            held_.penTable = penTable;
            held_.index = index;
            std::memcpy(held_.keys, keys, KEYSTROKE_BYTES);
        }
        return;
    }
    ReleaseKeys(keys);
    // Releasing another entry lets go of the remembered one too.
    if (context_.policy->keystrokeHoldsEntry && held_.active &&
        (held_.index != index || held_.penTable != penTable)) {
        ReleaseKeys(held_.keys);
        held_.active = false;
    }
}

void ActionPerformer::PressKeys(const uint8_t* keys)
{
    const uint32_t flags = context_.policy->keystrokeExtendedKeys ? KEY_EXTENDED : 0;
    for (int i = 0; i < KEYSTROKE_BYTES; ++i) {
        if (keys[i] == 0)
            continue;  // a zero byte is passed over, not an end mark
        context_.system->KeyEvent(keys[i], flags);
        context_.system->Sleep(5);
    }
}

void ActionPerformer::ReleaseKeys(const uint8_t* keys)
{
    const uint32_t flags = KEY_UP | (context_.policy->keystrokeExtendedKeys ? KEY_EXTENDED : 0);
    for (int i = KEYSTROKE_BYTES - 1; i >= 0; --i) {
        if (keys[i] == 0)
            continue;
        context_.system->KeyEvent(keys[i], flags);
        context_.system->Sleep(5);
    }
}

void ActionPerformer::Launch(const KEYACTION& entry)
{
    // The fields come from the shared section and need not be terminated.
    char file[KEYACTION_DATA_SIZE + 1];
    char parameters[KEYACTION_PARAM_SIZE + 1];
    CopyField(file, sizeof file, entry.data, sizeof entry.data);
    CopyField(parameters, sizeof parameters, entry.parameters, sizeof entry.parameters);
    context_.system->ShellOpen(file, parameters);
}

void ActionPerformer::ZoomStep(int n)
{
    ISystem& system = *context_.system;
    char className[CLASS_NAME_SIZE] = {};
    system.GetWindowClass(system.GetForegroundActiveWindow(), className, sizeof className);
    // Photoshop zooms with the wheel; everything else with Ctrl and plus/minus.
    if (std::strcmp(className, PHOTOSHOP_CLASS) == 0) {
        system.MouseEvent(WHEEL_EVENT, 0, 0, n * WHEEL_STEP, 0);
        return;
    }
    const uint8_t key = n > 0 ? VK_PLUS_KEY : VK_MINUS_KEY;
    system.KeyEvent(VK_CONTROL_KEY, 0);
    system.KeyEvent(key, 0);
    system.KeyEvent(key, KEY_UP);
    system.KeyEvent(VK_CONTROL_KEY, KEY_UP);
}

void ActionPerformer::ReleaseHeldButtons(bool leftButton)
{
    const uint32_t released = BUTTON_PEN_1_HELD | BUTTON_PEN_2_HELD | (leftButton ? BUTTON_LEFT_HELD : 0);
    const uint32_t held = context_.flags.buttonState.fetch_and(~released) & released;
    if (held & (BUTTON_PEN_1_HELD | BUTTON_PEN_2_HELD))
        LetGoOfPenButtons();
    if (held & BUTTON_LEFT_HELD)
        context_.system->MouseEvent(MOUSE_VIRTUALDESK | MOUSE_LEFTUP, 0, 0, 0, 0);
}

// The second button's entry first, as a leave releases them.
void ActionPerformer::LetGoOfPenButtons()
{
    for (int index = PEN_BUTTON_ENTRIES - 1; index >= 0; --index)
        if (heldPenButtons_[index].active)
            ReleaseHeldPress(heldPenButtons_[index], index, true);
}

void ActionPerformer::LetGoOfKeys(HeldKeys& held)
{
    for (int slot = 0; slot < KEY_SLOTS; ++slot)
        if (held.slots[slot].active)
            ReleaseHeldPress(held.slots[slot], slot, false);
}
