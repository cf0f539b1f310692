// Express-key reports (report id 12) and the actions of keys and pen buttons.
#pragma once

#include "ServiceContext.h"
#include "TabletRecords.h"

#include <cstdint>

constexpr int KEY_REPORT_LENGTH = 10;

// The read thread's copy of the key table: count n and n KEYACTIONs.
struct KeyTableRef {
    int32_t count = 0;
    const KEYACTION* keys = nullptr;
};

// Kept by each read thread between key reports; zero at thread start.
struct ExpressKeyState {
    uint8_t previous[KEY_REPORT_LENGTH] = {};
    uint8_t current[KEY_REPORT_LENGTH] = {};
    int32_t stateWord = 0;
};

class ExpressKeys {
public:
    explicit ExpressKeys(ServiceContext& context) : context_(context) {}

    // Handles state.current against state.previous; the caller copies current
    // over previous afterwards.
    void ProcessKeyReport(const TABLETINFO& header, const KeyTableRef& table, ExpressKeyState& state);
    // pressed: 1 press, 0 release (the wheel amount for a strip). No table: the pen table.
    void PerformAction(int index, int32_t pressed, const KeyTableRef* table);
    void ZoomStep(int n);

private:
    ServiceContext& context_;
};
