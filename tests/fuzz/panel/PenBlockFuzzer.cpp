// The pen block as the panel's pen page reads it from shared memory: the
// sensitivities that feed the knob, the value label, the curve and the dial,
// the two pen buttons' label texts, and the packets of the try-here area.
// Promises: every value shown stays within its window, every text stays
// within its field, and the menu's writes keep the record's texts terminated.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "ExpressKeyActions.h"
#include "KeyNames.h"
#include "PenParameters.h"
#include "PressureCurve.h"
#include "SharedSections.h"
#include "TiltDial.h"
#include "TryHereStroke.h"

#include <cstring>
#include <string>

namespace {

#pragma pack(push, 1)
struct PenBlockSetup {
    uint8_t flags;  // bit 0: second brand, bit 1: model flag
    uint8_t command;  // function menu entry 4867 + command % 10
    wintab::AXIS axes[3];
    uint8_t penBlock[sizeof(PENSETTINGS) + sizeof(KEYACTION)];
};
#pragma pack(pop)

class NoKeyFile : public IProfileSource {
public:
    std::string ReadString(const char*, const char*, const char* fallback, size_t) const override { return fallback; }
};

void CheckLabel(const KEYACTION& record)
{
    static const NoKeyFile file;
    static const KeyNames names(file, kStyloraKeyNames);
    const std::string text = key_actions::LabelText(record, names, [](uint32_t) { return std::string("Menu"); });
    // The longest key name is "{Caps Lock}" or a multi-byte one of the file; well under 16.
    FuzzRequire(text.size() <= KEYACTION_DATA_SIZE * 16, "the keystroke walk stays in the data field");
    if (record.actionCode == 4096)
        FuzzRequire(text.size() <= KEYACTION_DATA_SIZE + 1 + KEYACTION_PARAM_SIZE, "a launch text stays within its two fields");
}

void CheckParameters(const PENSETTINGS& pen, const PenPagePolicy& policy, bool modelFlag)
{
    PenParameters list(policy, modelFlag);
    for (int i = 0; i < list.Count(); ++i) {
        PenParameterEntry entry{};
        FuzzRequire(list.EntryAt(i, entry), "every listed entry is readable");
        const int32_t value = PenParameters::Read(pen, entry.parameter);
        FuzzRequire(value >= 0 && value <= 200, "a sensitivity is shown within 0..200");
        const PenViewMessage message = PenParameters::MessageFor(entry.parameter, value);
        FuzzRequire(message.wParam <= 200, "a view message stays within its window");
    }
    const int32_t marker = PenParameters::ClickMarker(pen.clickSensitivity);
    FuzzRequire(marker >= 23 && marker <= 68, "the click marker stays between its ends");
    PressureCurve curve;
    curve.Compute(pen.pressureSensitivity);
    for (int i = 0; i < PressureCurve::kPointCount; ++i)
        FuzzRequire(curve.PointAt(i).y >= 0 && curve.PointAt(i).x <= 200, "curve points stay drawable");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const PenBlockSetup setup = input.Read<PenBlockSetup>();
    PENSETTINGS pen;
    std::memcpy(&pen, setup.penBlock, sizeof pen);
    const PenPagePolicy& policy = (setup.flags & 1) != 0 ? kPenmiraPenPage : kStyloraPenPage;
    const bool modelFlag = (setup.flags & 2) != 0;

    CheckParameters(pen, policy, modelFlag);
    for (const KEYACTION& record : pen.penButton)
        CheckLabel(record);

    // A menu choice over whatever the record held leaves readable texts.
    KEYACTION chosen = pen.penButton[0];
    const int command = key_actions::kFirstMenuCommand + setup.command % 10;
    if (command == key_actions::kLaunchCommand) {
        uint8_t launch[key_actions::kLaunchRecordSize];
        key_actions::BuildLaunchRecord(std::string(chosen.data, sizeof chosen.data),
                                       std::string(chosen.parameters, sizeof chosen.parameters), launch);
        FuzzRequire(key_actions::SetKeyFunction(chosen, command, launch), "a launch choice is written");
        FuzzRequire(std::memchr(chosen.data, 0, sizeof chosen.data) != nullptr, "a stored path is terminated");
        FuzzRequire(std::memchr(chosen.parameters, 0, sizeof chosen.parameters) != nullptr,
                    "stored parameters are terminated");
    } else {
        uint8_t keys[256];
        key_actions::KeystrokeBuffer(chosen, keys, sizeof keys);
        key_actions::SetKeyFunction(chosen, command, keys);
    }
    CheckLabel(chosen);

    // The packets that follow drive the try-here area and the dial.
    TiltDial dial;
    TiltDial::Factors factors;
    if (TiltDial::FactorsFromAxes(setup.axes, factors))
        dial.SetFactors(factors);
    TryHereStroke stroke(policy);
    while (!input.Done()) {
        const wintab::PANELPACKET packet = input.Read<wintab::PANELPACKET>();
        const TryHereStroke::Step step = stroke.Classify(packet);
        FuzzRequire(step.kind == TryHereStroke::Kind::Nothing ||
                        (step.size >= 1 && static_cast<uint32_t>(step.size) <= policy.pressureEnd / policy.sizeDivisor + 1),
                    "a line or square is as big as the pressure allows");
        stroke.Advance((packet.buttons & 1) != 0);
        dial.Feed(packet);
        const DialPoint needle = dial.NeedleEnd();
        FuzzRequire(needle.x > -20000 && needle.x < 20000 && needle.y > -20000 && needle.y < 20000,
                    "the needle's end is a drawable point");
    }
    return 0;
}
