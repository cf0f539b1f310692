#include "ActionNames.h"

#include "ServiceCodes.h"

namespace action_names {

namespace {

// The "other" function of the menu; no KEYACTION code of the service names it.
constexpr int64_t kActionOther = 0x130C;
constexpr int64_t kNoAction = -1;

struct FunctionEntry {
    LanguageKey text;
    int64_t action;  // kNoAction: no action code names it
};

// In menu order.
const FunctionEntry kFunctions[kFunctionMenuEntries] = {
    {{"Menu_Left", "Left Key", 64}, ACTION_LEFT_CLICK},
    {{"Menu_Right", "Right Key", 64}, ACTION_RIGHT_CLICK},
    {{"Menu_Middle", "Middle Key", 64}, ACTION_MIDDLE_CLICK},
    {{"Menu_Double_Click", "Double Click", 64}, ACTION_DOUBLE_CLICK},
    {{"Menu_ScrollUp", "Scroll Up", 64}, ACTION_SCROLL_UP},
    {{"Menu_ScrollDn", "Scroll Down", 64}, ACTION_SCROLL_DOWN},
    {{"Menu_Keyboard", "Keyboard", 64}, ACTION_KEYSTROKE},
    {{"Menu_App", "Application", 64}, kNoAction},
    {{"Menu_Disable", "Disable", 64}, ACTION_DISABLED},
    {{"Menu_Other", "Res...", 64}, kActionOther},
};

}  // namespace

const LanguageKey* TaggedActionName(uint32_t taggedCode)
{
    if ((taggedCode & kTaggedAction) != kTaggedAction)
        return nullptr;
    const int64_t action = taggedCode & ~kTaggedAction;
    for (const FunctionEntry& entry : kFunctions) {
        if (entry.action == action)
            return &entry.text;
    }
    return nullptr;
}

const LanguageKey* FunctionName(uint32_t code)
{
    if (code < kFunctionMenuEntries)
        return &kFunctions[code].text;
    return TaggedActionName(code);
}

}  // namespace action_names
