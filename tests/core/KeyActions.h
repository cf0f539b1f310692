// Key-table entries for the express-key tests.
#pragma once

#include "TabletRecords.h"

#include <cstdint>
#include <vector>

// An action of `code` whose data bytes start with `data`.
inline KEYACTION Action(int32_t code, const std::vector<uint8_t>& data = {})
{
    KEYACTION action{};
    action.actionCode = code;
    for (size_t i = 0; i < data.size() && i < sizeof action.data; ++i)
        action.data[i] = static_cast<char>(data[i]);
    return action;
}
