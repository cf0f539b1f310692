// What the recorded calls leave pressed, followed through HeldInputs.
#pragma once

#include "HeldInputs.h"
#include "RecordingSystem.h"

#include <cstdint>
#include <string>
#include <vector>

inline HeldInputs HeldAfter(const std::vector<SystemCall>& calls)
{
    HeldInputs held;
    for (const SystemCall& call : calls) {
        if (call.kind == SystemCall::Pointer || call.kind == SystemCall::Mouse) {
            held.OnPointer(static_cast<uint32_t>(call.a), call.b, call.c);
        } else if (call.kind == SystemCall::Key) {
            held.OnKey(static_cast<uint8_t>(call.a), static_cast<uint32_t>(call.b));
        } else if (call.kind == SystemCall::VirtualOutput) {
            // The recorder keeps the report as hex text.
            std::vector<uint8_t> report;
            for (size_t i = 0; i + 1 < call.text.size(); i += 2)
                report.push_back(static_cast<uint8_t>(std::stoul(call.text.substr(i, 2), nullptr, 16)));
            held.OnVirtualPenReport(report.data(), report.size());
        }
    }
    return held;
}
