// The fixture of the express-key and action tests: the key handler and its
// actions over a recorder, an 18-slot key table and one read thread's state.
#pragma once

#include "ExpressKeys.h"
#include "KeyActions.h"
#include "ServiceFixture.h"

#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <utility>

using Calls = std::vector<SystemCall>;
using Bytes = std::vector<std::pair<int, uint8_t>>;
inline const BuildPolicy& REF = BuildPolicy::Reference();
inline const BuildPolicy& BRAND2 = BuildPolicy::SecondBrand();
inline const BuildPolicy& LIB = BuildPolicy::Library();

inline SystemCall P(uint32_t flags, int32_t data = 0) { return SystemCall::PointerOf(flags, 0, 0, data); }
inline SystemCall M(uint32_t flags, int32_t data = 0) { return SystemCall::MouseOf(flags, data); }
inline SystemCall K(uint8_t vk, uint32_t flags = 0) { return SystemCall::KeyOf(vk, flags); }
inline const SystemCall S4 = SystemCall::SleepOf(4), S5 = SystemCall::SleepOf(5);
inline Calls Zoom(int n)
{
    const uint8_t key = n > 0 ? 0xBB : 0xBD;
    return {K(0x11), K(key), K(key, KEY_UP), K(0x11, KEY_UP)};
}

struct KeysFixture : ServiceFixture {
    std::vector<KEYACTION> table = std::vector<KEYACTION>(18);
    ExpressKeyState keyState;

    explicit KeysFixture(const BuildPolicy& policy = REF) : ServiceFixture(policy) { system.recordSleeps = false; }
    // One report as the read thread hands it over, then kept as the previous one.
    void Report(const Bytes& bytes)
    {
        std::memset(keyState.current, 0, sizeof keyState.current);
        for (const auto& byte : bytes)
            keyState.current[byte.first] = byte.second;
        const KeyTableRef ref{static_cast<int32_t>(table.size()), table.data()};
        keys.ProcessKeyReport(TABLETINFO{}, ref, keyState);
        std::memcpy(keyState.previous, keyState.current, sizeof keyState.previous);
    }
    void Act(int index, int32_t pressed, int32_t count = 18)
    {
        const KeyTableRef ref{count, table.data()};
        actions.PerformAction(index, pressed, &ref, &keyState.held);
    }
};
