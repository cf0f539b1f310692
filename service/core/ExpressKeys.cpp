#include "ExpressKeys.h"

#include "ClientContextRegistry.h"
#include "ServiceCodes.h"

#include <cstring>

namespace {

// Bytes of the express-key report.
constexpr int STRIP_A_BYTE = 2;
constexpr int STRIP_B_BYTE = 4;
constexpr int KEY_GROUP_1_BYTE = 5;
constexpr int KEY_GROUP_2_BYTE = 6;
constexpr int OVERLAY_BYTE = 7;
constexpr uint8_t OVERLAY_BITS = 0x11;

// State word after the first report of each part.
constexpr int32_t STATE_STRIP_A = 1;
constexpr int32_t STATE_STRIP_B = 4;
constexpr int32_t STATE_KEY_GROUP_1 = 0x10;
constexpr int32_t STATE_KEY_GROUP_2 = 0x20;

// Key slots of the strips; their data byte 0 set to 1 turns the strip off.
constexpr int STRIP_A_SLOT = 4;
constexpr int STRIP_B_SLOT = 9;

constexpr int PEN_TABLE_ENTRIES = 2;
constexpr size_t FOLDER_PATH_SIZE = 260;

constexpr uint8_t VK_CONTROL_KEY = 0x11;
constexpr uint8_t VK_PLUS_KEY = 0xBB;
constexpr uint8_t VK_MINUS_KEY = 0xBD;
constexpr size_t CLASS_NAME_SIZE = 256;

constexpr uint32_t WHEEL_EVENT = MOUSE_VIRTUALDESK | MOUSE_WHEEL | MOUSE_MOVE;

constexpr uint32_t BUTTON_LEFT_HELD = 1;
constexpr uint32_t BUTTON_PEN_1_HELD = 2;
constexpr uint32_t BUTTON_PEN_2_HELD = 4;

// Group 1 bits 0-3 are slots 0-3, bits 4-7 slots 10-13; group 2 bits 0-3
// slots 5-8, bits 4-7 slots 14-17.
int SlotOf(int group, int bit) { return group == 1 ? bit + 6 * (bit / 4) : bit + 5 * (bit / 4 + 1); }

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

void ExpressKeys::ProcessKeyReport(const TABLETINFO& header, const KeyTableRef& table, ExpressKeyState& state)
{
    (void)header;
    if (context_.policy->keyReportSplitStrips) {
        ProcessSplitStripReport(table, state);
        return;
    }
    const uint8_t* current = state.current;
    const uint8_t* previous = state.previous;

    ProcessOverlayButton(current[OVERLAY_BYTE], previous[OVERLAY_BYTE]);
    if (!ProcessStrip(current[STRIP_A_BYTE], previous[STRIP_A_BYTE], STATE_STRIP_A, STRIP_A_SLOT, table, state))
        return;
    if (!ProcessStrip(current[STRIP_B_BYTE], previous[STRIP_B_BYTE], STATE_STRIP_B, STRIP_B_SLOT, table, state))
        return;
    if (current[KEY_GROUP_1_BYTE] != 0 || previous[KEY_GROUP_1_BYTE] != 0) {
        state.stateWord = STATE_KEY_GROUP_1;
        ProcessKeyGroup(current[KEY_GROUP_1_BYTE], previous[KEY_GROUP_1_BYTE], 1, table, state);
    }
    if (current[KEY_GROUP_2_BYTE] != 0 || previous[KEY_GROUP_2_BYTE] != 0) {
        state.stateWord = STATE_KEY_GROUP_2;
        ProcessKeyGroup(current[KEY_GROUP_2_BYTE], previous[KEY_GROUP_2_BYTE], 2, table, state);
    }
}

void ExpressKeys::ProcessOverlayButton(uint8_t current, uint8_t previous)
{
    if (current == 0 && previous == 0)
        return;
    ISystem& system = *context_.system;
    if (current & ~previous & OVERLAY_BITS) {
        const uint32_t overlay = system.FindWindowByTitle(KEY_OVERLAY_WINDOW_TITLE);
        if (previous == 0 && overlay == 0)
            StartOverlayProgram();
    }
    if (previous & ~current & OVERLAY_BITS) {
        const uint32_t overlay = system.FindWindowByTitle(KEY_OVERLAY_WINDOW_TITLE);
        if (overlay != 0)
            system.PostWindowMessage(overlay, WM_KEYOVERLAY_CLOSE, 2, 0);
    }
}

void ExpressKeys::StartOverlayProgram()
{
    char path[FOLDER_PATH_SIZE] = {};
    if (!context_.system->ProgramFilesFolder(path, sizeof path))
        return;
    const size_t folderLength = std::strlen(path);
    const size_t programLength = std::strlen(KEY_OVERLAY_PROGRAM);
    if (folderLength + programLength >= sizeof path)
        return;  // a path that does not fit names no program
    std::memcpy(path + folderLength, KEY_OVERLAY_PROGRAM, programLength + 1);
    context_.system->ShellOpen(path, KEY_OVERLAY_PARAMETER);
}

bool ExpressKeys::ProcessStrip(uint8_t current, uint8_t previous, int32_t firstState, int offSwitchSlot,
                               const KeyTableRef& table, ExpressKeyState& state)
{
    if (current == 0)
        return true;
    // The first strip report after the thread started only arms the strips.
    if (state.stateWord == 0) {
        state.stateWord = firstState;
        return false;
    }
    if (StripIsOff(table, offSwitchSlot))
        return true;
    if (current > previous)
        ZoomStep(-1);
    else if (current < previous)
        ZoomStep(+1);
    return true;
}

void ExpressKeys::ProcessKeyGroup(uint8_t current, uint8_t previous, int group, const KeyTableRef& table,
                                  ExpressKeyState& state)
{
    for (int bit = 0; bit < 8; ++bit) {
        const uint8_t mask = static_cast<uint8_t>(1u << bit);
        if ((current & mask) && !(previous & mask))
            PerformAction(SlotOf(group, bit), 1, &table, &state);
        else if (!(current & mask) && (previous & mask))
            PerformAction(SlotOf(group, bit), 0, &table, &state);
    }
}

bool ExpressKeys::StripIsOff(const KeyTableRef& table, int slot)
{
    // A table too short to have the strip's slot has no off switch.
    if (table.keys == nullptr || slot >= table.count)
        return false;
    return table.keys[slot].data[0] == 1;
}

// The second brand's report: each strip spread over two bytes (1-2 and 3-4),
// the state word remembering which half was touched first; keys act only
// when everything is released.
void ExpressKeys::ProcessSplitStripReport(const KeyTableRef& table, ExpressKeyState& state)
{
    struct StripHalf {
        int byte;
        int32_t ownState;
        int32_t otherHalfState;
        int crossingStep;
        int offSwitchSlot;
    };
    static const StripHalf halves[] = {
        {1, 1, 2, -1, STRIP_A_SLOT},
        {2, 2, 1, +1, STRIP_A_SLOT},
        {3, 4, 8, -1, STRIP_B_SLOT},
        {4, 8, 4, +1, STRIP_B_SLOT},
    };
    const uint8_t* current = state.current;
    const uint8_t* previous = state.previous;

    for (const StripHalf& half : halves) {
        const uint8_t value = current[half.byte];
        if (value == 0)
            continue;
        const bool off = StripIsOff(table, half.offSwitchSlot);
        if (state.stateWord & half.otherHalfState) {
            if (!off)
                ZoomStep(half.crossingStep);
        } else if (state.stateWord == 0) {
            state.stateWord = half.ownState;
        } else if (!off && value != previous[half.byte]) {
            ZoomStep(value > previous[half.byte] ? -1 : +1);
        }
        return;
    }
    if (current[KEY_GROUP_1_BYTE] != 0) {
        state.stateWord = STATE_KEY_GROUP_1;
        return;
    }
    if (current[KEY_GROUP_2_BYTE] != 0) {
        state.stateWord = STATE_KEY_GROUP_2;
        return;
    }
    ReleaseSplitStripKeys(table, state);
    state.stateWord = 0;
}

void ExpressKeys::ReleaseSplitStripKeys(const KeyTableRef& table, ExpressKeyState& state)
{
    if (state.stateWord & STATE_KEY_GROUP_1) {
        // Group 1 belongs to the client applications.
        OnTopContexts onTop;
        if (context_.registry != nullptr)
            context_.registry->CollectOnTopContexts(onTop);
        for (int i = 0; i < onTop.count; ++i)
            if (onTop.options[i] & CTX_OPTION_PACKET_MESSAGES)
                context_.system->PostWindowMessage(onTop.windows[i], WM_EXPRESSKEY_DATA, 0x10,
                                             state.previous[KEY_GROUP_1_BYTE]);
    }
    if (state.stateWord & STATE_KEY_GROUP_2) {
        static const uint8_t keyBits[] = {1, 2, 4, 8};
        for (int i = 0; i < 4; ++i)
            if (state.previous[KEY_GROUP_2_BYTE] == keyBits[i])
                PerformAction(5 + i, 0, &table, &state);
    }
}

const KEYACTION* ExpressKeys::EntryOf(int index, const KeyTableRef* table) const
{
    if (index < 0 || index > context_.policy->maxActionIndex)
        return nullptr;
    if (table != nullptr)
        return (table->keys != nullptr && index < table->count) ? &table->keys[index] : nullptr;
    if (context_.pen == nullptr || index >= PEN_TABLE_ENTRIES)
        return nullptr;
    return &context_.pen->pen.penButton[index];
}

HeldPress* ExpressKeys::HeldPressOf(int index, const KeyTableRef* table, ExpressKeyState* keyState)
{
    if (table == nullptr)
        return index >= 0 && index < PEN_BUTTON_ENTRIES ? &heldPenButtons_[index] : nullptr;
    return keyState != nullptr && index >= 0 && index < KEY_SLOTS ? &keyState->heldKeys[index] : nullptr;
}

void ExpressKeys::PerformAction(int index, int32_t pressed, const KeyTableRef* table, ExpressKeyState* keyState)
{
    const bool penTable = table == nullptr;
    HeldPress* held = HeldPressOf(index, table, keyState);
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

void ExpressKeys::Perform(int index, int32_t pressed, const KEYACTION& entry, bool penTable, bool swapped)
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

void ExpressKeys::ReleaseHeldPress(HeldPress& held, int index, bool penTable)
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

bool ExpressKeys::ButtonsSwapped() const
{
    return context_.policy->actionsHonourSwappedButtons && context_.flags.swappedButtons != 0;
}

// primary: the left-click action. With the system's buttons swapped the
// right-button flags are the primary button.
void ExpressKeys::ButtonClick(bool primary, int32_t pressed, bool swapped)
{
    const bool left = primary != swapped;
    uint32_t flags;
    if (pressed != 0)
        flags = left ? MOUSE_LEFTDOWN : MOUSE_RIGHTDOWN;
    else
        flags = left ? MOUSE_LEFTUP : MOUSE_RIGHTUP;
    context_.system->PointerRoutine(MOUSE_VIRTUALDESK | flags, 0, 0, 0, 0);
}

void ExpressKeys::DoubleClick(bool swapped)
{
    ButtonClick(true, 1, swapped);
    ButtonClick(true, 0, swapped);
    context_.system->Sleep(4);
    ButtonClick(true, 1, swapped);
    ButtonClick(true, 0, swapped);
}

void ExpressKeys::MiddleClick(int32_t pressed)
{
    const uint32_t flags = MOUSE_VIRTUALDESK | (pressed != 0 ? MOUSE_MIDDLEDOWN : MOUSE_MIDDLEUP);
    if (context_.policy->actionWheelThroughPointerRoutine)
        context_.system->PointerRoutine(flags, 0, 0, 0, 0);
    else
        context_.system->MouseEvent(flags, 0, 0, 0, 0);
}

void ExpressKeys::Wheel(int32_t amount)
{
    if (context_.policy->actionWheelThroughPointerRoutine)
        context_.system->PointerRoutine(WHEEL_EVENT, 0, 0, amount, 0);
    else
        context_.system->MouseEvent(WHEEL_EVENT, 0, 0, amount, 0);
}

void ExpressKeys::Keystroke(int index, int32_t pressed, const uint8_t* keys, bool penTable)
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

void ExpressKeys::PressKeys(const uint8_t* keys)
{
    const uint32_t flags = context_.policy->keystrokeExtendedKeys ? KEY_EXTENDED : 0;
    for (int i = 0; i < KEYSTROKE_BYTES; ++i) {
        if (keys[i] == 0)
            continue;  // a zero byte is passed over, not an end mark
        context_.system->KeyEvent(keys[i], flags);
        context_.system->Sleep(5);
    }
}

void ExpressKeys::ReleaseKeys(const uint8_t* keys)
{
    const uint32_t flags = KEY_UP | (context_.policy->keystrokeExtendedKeys ? KEY_EXTENDED : 0);
    for (int i = KEYSTROKE_BYTES - 1; i >= 0; --i) {
        if (keys[i] == 0)
            continue;
        context_.system->KeyEvent(keys[i], flags);
        context_.system->Sleep(5);
    }
}

void ExpressKeys::Launch(const KEYACTION& entry)
{
    // The fields come from the shared section and need not be terminated.
    char file[KEYACTION_DATA_SIZE + 1];
    char parameters[KEYACTION_PARAM_SIZE + 1];
    CopyField(file, sizeof file, entry.data, sizeof entry.data);
    CopyField(parameters, sizeof parameters, entry.parameters, sizeof entry.parameters);
    context_.system->ShellOpen(file, parameters);
}

void ExpressKeys::ZoomStep(int n)
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

void ExpressKeys::ReleaseHeldButtons(bool leftButton)
{
    const uint32_t released = BUTTON_PEN_1_HELD | BUTTON_PEN_2_HELD | (leftButton ? BUTTON_LEFT_HELD : 0);
    const uint32_t held = context_.flags.buttonState.fetch_and(~released) & released;
    if (held & (BUTTON_PEN_1_HELD | BUTTON_PEN_2_HELD))
        LetGoOfPenButtons();
    if (held & BUTTON_LEFT_HELD)
        context_.system->MouseEvent(MOUSE_VIRTUALDESK | MOUSE_LEFTUP, 0, 0, 0, 0);
}

// The second button's entry first, as a leave releases them.
void ExpressKeys::LetGoOfPenButtons()
{
    for (int index = PEN_BUTTON_ENTRIES - 1; index >= 0; --index)
        if (heldPenButtons_[index].active)
            ReleaseHeldPress(heldPenButtons_[index], index, true);
}

void ExpressKeys::LetGoOfKeys(ExpressKeyState& state)
{
    for (int slot = 0; slot < KEY_SLOTS; ++slot)
        if (state.heldKeys[slot].active)
            ReleaseHeldPress(state.heldKeys[slot], slot, false);
}
