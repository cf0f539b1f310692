// The names of the pen-button and express-key functions as language.ini
// gives them, for the panel's function menu and labels and the express-key
// overlay. A function is asked for by its menu index 0..9, or by the action
// code of a KEYACTION tagged with kTaggedAction.
#pragma once

#include "LanguageKey.h"

#include <cstdint>

namespace action_names {

// The high byte that marks a tagged action code.
constexpr uint32_t kTaggedAction = 0xFF000000u;
constexpr int kFunctionMenuEntries = 10;

// The tagged form of a KEYACTION action code: its high byte replaced.
constexpr uint32_t TagAction(int32_t actionCode) { return static_cast<uint32_t>(actionCode) | kTaggedAction; }

// The key and English text of a tagged action code; null for untagged codes
// and actions without a name (launch, strip, unknown codes).
const LanguageKey* TaggedActionName(uint32_t taggedCode);
// The same for a menu index 0..9 or a tagged action code; null for anything else.
const LanguageKey* FunctionName(uint32_t code);

}  // namespace action_names
