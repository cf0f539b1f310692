// The actions of express keys and pen buttons (KEYACTIONs): clicks, wheel,
// keystrokes, launches and zoom steps, and what a press left held until its
// release or until the tablet goes away.
#pragma once

#include "ServiceContext.h"
#include "TabletRecords.h"

#include <cstdint>

// The read thread's copy of the key table: count n and n KEYACTIONs.
struct KeyTableRef {
    int32_t count = 0;
    const KEYACTION* keys = nullptr;
};

constexpr int KEYSTROKE_BYTES = 6;
constexpr int KEY_SLOTS = 18;

// What a press left down (a mouse button or keys), so that its release lets
// go of exactly that, even when the entry or the swapped-buttons flag
// changed in between.
struct HeldPress {
    bool active = false;
    bool swapped = false;
    int32_t actionCode = 0;
    uint8_t keys[KEYSTROKE_BYTES] = {};
};

// What one tablet's key presses left held; its own, so that another
// tablet's release of the same slot lets none of it go.
struct HeldKeys {
    HeldPress slots[KEY_SLOTS];
};

class ActionPerformer {
public:
    explicit ActionPerformer(ServiceContext& context) : context_(context) {}

    // pressed: 1 press, 0 release (the wheel amount for a strip). No table:
    // the pen table. held: the read thread's record of what its key presses
    // sent; without it a key table's press is not remembered.
    void PerformAction(int index, int32_t pressed, const KeyTableRef* table, HeldKeys* held = nullptr);
    void ZoomStep(int n);

    // A tablet went away. What its pen buttons (button-state bits 1 and 2)
    // pressed into the system comes up, and with leftButton the left button
    // (bit 0) too; no action runs and nothing is posted.
    void ReleaseHeldButtons(bool leftButton);
    // What the tablet's express keys pressed into the system comes up; no action runs.
    void LetGoOfKeys(HeldKeys& held);

private:
    static constexpr int PEN_BUTTON_ENTRIES = 2;

    // The second brand's keystroke entry held down by a press, released when
    // another entry is released.
    struct HeldKeystroke {
        bool active = false;
        bool penTable = false;
        int index = 0;
        uint8_t keys[KEYSTROKE_BYTES] = {};
    };

    const KEYACTION* EntryOf(int index, const KeyTableRef* table) const;
    HeldPress* HeldPressOf(int index, const KeyTableRef* table, HeldKeys* held);
    void Perform(int index, int32_t pressed, const KEYACTION& entry, bool penTable, bool swapped);
    void ReleaseHeldPress(HeldPress& held, int index, bool penTable);
    void LetGoOfPenButtons();
    bool ButtonsSwapped() const;
    void ButtonClick(bool primary, int32_t pressed, bool swapped);
    void DoubleClick(bool swapped);
    void MiddleClick(int32_t pressed);
    void Wheel(int32_t amount);
    void Keystroke(int index, int32_t pressed, const uint8_t* keys, bool penTable);
    void PressKeys(const uint8_t* keys);
    void ReleaseKeys(const uint8_t* keys);
    void Launch(const KEYACTION& entry);

    ServiceContext& context_;
    HeldKeystroke held_;
    HeldPress heldPenButtons_[PEN_BUTTON_ENTRIES];
};
