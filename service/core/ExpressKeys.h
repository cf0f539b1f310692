// Express-key reports (report id 12): the overlay button, the strips and
// the two key groups, whose keys become actions.
#pragma once

#include "ActionPerformer.h"
#include "ServiceContext.h"
#include "TabletRecords.h"

#include <cstdint>

constexpr int KEY_REPORT_LENGTH = 10;

// Kept by each read thread between key reports; zero at thread start. What
// this tablet's key presses sent is its own.
struct ExpressKeyState {
    uint8_t previous[KEY_REPORT_LENGTH] = {};
    uint8_t current[KEY_REPORT_LENGTH] = {};
    int32_t stateWord = 0;
    HeldKeys held;
};

class ExpressKeys {
public:
    ExpressKeys(ServiceContext& context, ActionPerformer& actions) : context_(context), actions_(actions) {}

    // Handles state.current against state.previous; the caller copies current
    // over previous afterwards.
    void ProcessKeyReport(const TABLETINFO& header, const KeyTableRef& table, ExpressKeyState& state);
    ActionPerformer& Actions() { return actions_; }

private:
    void ProcessOverlayButton(uint8_t current, uint8_t previous);
    void StartOverlayProgram();
    // False when this was the first strip report, which ends the report.
    bool ProcessStrip(uint8_t current, uint8_t previous, int32_t firstState, int offSwitchSlot,
                      const KeyTableRef& table, ExpressKeyState& state);
    void ProcessKeyGroup(uint8_t current, uint8_t previous, int group, const KeyTableRef& table,
                         ExpressKeyState& state);
    void ProcessSplitStripReport(const KeyTableRef& table, ExpressKeyState& state);
    void ReleaseSplitStripKeys(const KeyTableRef& table, ExpressKeyState& state);
    static bool StripIsOff(const KeyTableRef& table, int slot);

    ServiceContext& context_;
    ActionPerformer& actions_;
};
