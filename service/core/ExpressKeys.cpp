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

constexpr size_t FOLDER_PATH_SIZE = 260;

// Group 1 bits 0-3 are slots 0-3, bits 4-7 slots 10-13; group 2 bits 0-3
// slots 5-8, bits 4-7 slots 14-17.
int SlotOf(int group, int bit) { return group == 1 ? bit + 6 * (bit / 4) : bit + 5 * (bit / 4 + 1); }

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
        actions_.ZoomStep(-1);
    else if (current < previous)
        actions_.ZoomStep(+1);
    return true;
}

void ExpressKeys::ProcessKeyGroup(uint8_t current, uint8_t previous, int group, const KeyTableRef& table,
                                  ExpressKeyState& state)
{
    for (int bit = 0; bit < 8; ++bit) {
        const uint8_t mask = static_cast<uint8_t>(1u << bit);
        if ((current & mask) && !(previous & mask))
            actions_.PerformAction(SlotOf(group, bit), 1, &table, &state.held);
        else if (!(current & mask) && (previous & mask))
            actions_.PerformAction(SlotOf(group, bit), 0, &table, &state.held);
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
                actions_.ZoomStep(half.crossingStep);
        } else if (state.stateWord == 0) {
            state.stateWord = half.ownState;
        } else if (!off && value != previous[half.byte]) {
            actions_.ZoomStep(value > previous[half.byte] ? -1 : +1);
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
                actions_.PerformAction(5 + i, 0, &table, &state.held);
    }
}
