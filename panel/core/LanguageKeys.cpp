#include "LanguageKeys.h"

#include "ServiceCodes.h"

namespace langkeys {

namespace {

// The "other" function of the menu; no KEYACTION code of the service names it.
constexpr int64_t kActionOther = 0x130C;

const LanguageKey kUiStrings[UiStringCount] = {
    {"Enable", "Enable", 64},       {"Disable", "Disable", 64},
    {"NoTabletAlerm", "Not Find Tavrion Tablet", 256},
    {"OK", "OK", 64},               {"Select", "Select", 64},
    {"Clean", "Clean", 64},         {"Menu_Keyboard", "Keyboard", 64},
    {"Cancel", "Cancel", 64},       {"Utility", "Utility", 64},
    {"Parameter", "Parameter", 64},
};

struct FunctionEntry {
    LanguageKey text;
    int64_t action;  // -1: no action code names it
};

const FunctionEntry kFunctions[kFunctionMenuEntries] = {
    {{"Menu_Left", "Left Key", 64}, ACTION_LEFT_CLICK},
    {{"Menu_Right", "Right Key", 64}, ACTION_RIGHT_CLICK},
    {{"Menu_Middle", "Middle Key", 64}, ACTION_MIDDLE_CLICK},
    {{"Menu_Double_Click", "Double Click", 64}, ACTION_DOUBLE_CLICK},
    {{"Menu_ScrollUp", "Scroll Up", 64}, ACTION_SCROLL_UP},
    {{"Menu_ScrollDn", "Scroll Down", 64}, ACTION_SCROLL_DOWN},
    {{"Menu_Keyboard", "Keyboard", 64}, ACTION_KEYSTROKE},
    {{"Menu_App", "Application", 64}, -1},
    {{"Menu_Disable", "Disable", 64}, ACTION_DISABLED},
    {{"Menu_Other", "Res...", 64}, kActionOther},
};

}  // namespace

const LanguageKey kPenSetting{"Pen_Setting", "Pen Setting", 64};
const LanguageKey kMapping{"Mapping", "Mapping", 64};
const LanguageKey kKeySetting{"Key_Setting", "Key Setting", 64};
const LanguageKey kAbout{"About", "About", 64};
const LanguageKey kSave{"Save", "Save", 64};
const LanguageKey kExit{"Exit", "Exit", 64};
const LanguageKey kProfile{"Profile", "Profile", 64};
const LanguageKey kTryHere{"TryHere", "Try Here", 64};
const LanguageKey kClean{"Clean", "Clean", 64};
const LanguageKey kDisablePressure{"DisablePressure", "Disable Pressure", 64};
const LanguageKey kParameterSetting{"ParameterSetting", "Parameter Setting", 64};
const LanguageKey kDefault{"Default", "Default", 64};
const LanguageKey kNibPressure{"NibPressureSensitivity", "Nib Pressure Sensitivity", 64};
const LanguageKey kTilt{"TiltSensitivity", "Tilt Sensitivity", 64};
const LanguageKey kNibClick{"NibClickSensitivity", "Nib Click Sensitivity", 64};
const LanguageKey kNoKey{"NoKey", "Your product do not have function with Keypad.", 128};
const LanguageKey kNoKeyTitle{"NoKeyTitle", "Morvex", 128};
const LanguageKey kLicence{"Lience", "", 1024};
const LanguageKey kTabletId{"TabletID", "Tablet ID", 64};
const LanguageKey kSelectMonitor{"SelectMonitor", "Select Monitor", 64};
const LanguageKey kPartMonitor{"PartMonitor", "Part of Monitor", 64};
const LanguageKey kAutoSetting{"AutoSetting", "Auto Setting", 64};
const LanguageKey kCalibrate{"RegCalibrate", "Calibrate", 64};
const LanguageKey kAllTablet{"AllTablet", "All Tablet", 64};
const LanguageKey kFullMonitor{"FullMonitor", "Full Monitor", 64};
const LanguageKey kMonitor{"Monitor", "Monitor", 64};

const LanguageKey& UiStringKey(UiString which) { return kUiStrings[which]; }

const LanguageKey* AllKeys(size_t* count)
{
    static const LanguageKey table[] = {
        kUiStrings[0], kUiStrings[1], kUiStrings[2], kUiStrings[3], kUiStrings[4], kUiStrings[5],
        kUiStrings[6], kUiStrings[7], kUiStrings[8], kUiStrings[9],
        kFunctions[0].text, kFunctions[1].text, kFunctions[2].text, kFunctions[3].text, kFunctions[4].text,
        kFunctions[5].text, kFunctions[7].text, kFunctions[8].text, kFunctions[9].text,
        kPenSetting, kMapping, kKeySetting, kAbout, kSave, kExit, kProfile, kTryHere,
        kDisablePressure, kParameterSetting, kDefault, kNibPressure, kTilt, kNibClick, kNoKey, kNoKeyTitle,
        kLicence, kTabletId, kSelectMonitor, kPartMonitor, kAutoSetting, kCalibrate, kAllTablet,
        kFullMonitor, kMonitor,
    };
    *count = sizeof table / sizeof table[0];
    return table;
}

const LanguageKey* FunctionMenuKey(uint32_t code)
{
    if (code < kFunctionMenuEntries)
        return &kFunctions[code].text;
    if ((code & kTaggedAction) != kTaggedAction)
        return nullptr;
    const int64_t action = code & ~kTaggedAction;
    for (const FunctionEntry& entry : kFunctions) {
        if (entry.action == action)
            return &entry.text;
    }
    return nullptr;
}

}  // namespace langkeys
