// The pen sensitivities the knob edits: the entries of the parameter list,
// their fields in the pen block, their defaults and the message each value
// sends to the curve window or the tilt dial. Every value read from the pen
// block is clamped to 0..200 first: the block is shared memory and a peer or
// an old settings file may hold anything.
#pragma once

#include "PenPagePolicy.h"
#include "TabletRecords.h"

#include <cstdint>

enum class PenParameter { Pressure, Tilt, Click };

struct PenParameterEntry {
    PenParameter parameter;
    const char* languageKey;
    const char* englishText;
};

// A message for one of the two drawing windows (message 1026 of each).
struct PenViewMessage {
    enum Target { Curve, Dial } target;
    uint32_t wParam;
    int32_t lParam;
};

class PenParameters {
public:
    static constexpr int32_t kMinimum = 0;
    static constexpr int32_t kMaximum = 200;
    static constexpr int32_t kLinearPressure = 100;
    static constexpr int32_t kDefaultClick = 43;
    static constexpr int32_t kDefaultTilt = 100;
    // The curve window's message (lParam 0: sensitivity, 1: click marker).
    static constexpr uint32_t kSetMessage = 0x400 + 2;

    // The model flag removes the tilt entry.
    PenParameters(const PenPagePolicy& policy, bool modelFlag);

    int Count() const { return count_; }
    // The entry at a list index; false for no choice (-1) or an index past the list.
    bool EntryAt(int index, PenParameterEntry& entry) const;

    static int32_t Clamp(int32_t value);
    static int32_t Read(const PENSETTINGS& pen, PenParameter parameter);
    static void Write(PENSETTINGS& pen, PenParameter parameter, int32_t value);
    static int32_t DefaultOf(PenParameter parameter);
    // Where the curve window draws the click threshold: 0 -> 23, 43 -> 32, 100 -> 43, 200 -> 68.
    static int32_t ClickMarker(int32_t clickSensitivity);
    // The tilt dial's marker length in pixels.
    static uint32_t TiltMarker(int32_t tiltSensitivity);
    // What a value of the parameter tells the windows that show it.
    static PenViewMessage MessageFor(PenParameter parameter, int32_t value);

private:
    PenParameterEntry entries_[3]{};
    int count_ = 0;
};
