#include "PenParameters.h"

namespace {

constexpr PenParameterEntry kPressureEntry{PenParameter::Pressure, "NibPressureSensitivity", "Nib Pressure Sensitivity"};
constexpr PenParameterEntry kTiltEntry{PenParameter::Tilt, "TiltSensitivity", "Tilt Sensitivity"};
constexpr PenParameterEntry kClickEntry{PenParameter::Click, "NibClickSensitivity", "Nib Click Sensitivity"};

}  // namespace

PenParameters::PenParameters(const PenPagePolicy& policy, bool modelFlag)
{
    entries_[count_++] = kPressureEntry;
    if (policy.offersTilt && !modelFlag)
        entries_[count_++] = kTiltEntry;
    entries_[count_++] = kClickEntry;
}

bool PenParameters::EntryAt(int index, PenParameterEntry& entry) const
{
    if (index < 0 || index >= count_)
        return false;
    entry = entries_[index];
    return true;
}

int32_t PenParameters::Clamp(int32_t value)
{
    return value < kMinimum ? kMinimum : (value > kMaximum ? kMaximum : value);
}

int32_t PenParameters::Read(const PENSETTINGS& pen, PenParameter parameter)
{
    // The pen block is shared memory: one load, then only the local copy is used.
    switch (parameter) {
    case PenParameter::Tilt:
        return Clamp(pen.tiltSensitivity);
    case PenParameter::Click:
        return Clamp(pen.clickSensitivity);
    case PenParameter::Pressure:
        break;
    }
    return Clamp(pen.pressureSensitivity);
}

void PenParameters::Write(PENSETTINGS& pen, PenParameter parameter, int32_t value)
{
    const int32_t clamped = Clamp(value);
    switch (parameter) {
    case PenParameter::Tilt:
        pen.tiltSensitivity = clamped;
        return;
    case PenParameter::Click:
        pen.clickSensitivity = clamped;
        return;
    case PenParameter::Pressure:
        break;
    }
    pen.pressureSensitivity = clamped;
}

int32_t PenParameters::DefaultOf(PenParameter parameter)
{
    switch (parameter) {
    case PenParameter::Tilt:
        return kDefaultTilt;
    case PenParameter::Click:
        return kDefaultClick;
    case PenParameter::Pressure:
        break;
    }
    return kLinearPressure;
}

int32_t PenParameters::ClickMarker(int32_t clickSensitivity)
{
    const int32_t v = Clamp(clickSensitivity);
    if (v > 100)
        return (v - 100) / 4 + 43;
    if (v == 100)
        return 43;
    return 43 - (100 - v) / 5;
}

uint32_t PenParameters::TiltMarker(int32_t tiltSensitivity)
{
    return static_cast<uint32_t>(Clamp(tiltSensitivity) / 10);
}

PenViewMessage PenParameters::MessageFor(PenParameter parameter, int32_t value)
{
    switch (parameter) {
    case PenParameter::Tilt:
        return {PenViewMessage::Dial, TiltMarker(value), 0};
    case PenParameter::Click:
        return {PenViewMessage::Curve, static_cast<uint32_t>(ClickMarker(value)), 1};
    case PenParameter::Pressure:
        break;
    }
    return {PenViewMessage::Curve, static_cast<uint32_t>(Clamp(value)), 0};
}
