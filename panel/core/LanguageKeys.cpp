#include "LanguageKeys.h"

#include "ActionNames.h"

namespace langkeys {

namespace {

const LanguageKey kUiStrings[UiStringCount] = {
    {"Enable", "Enable", 64},       {"Disable", "Disable", 64},
    {"NoTabletAlerm", "Not Find Tavrion Tablet", 256},
    {"OK", "OK", 64},               {"Select", "Select", 64},
    {"Clean", "Clean", 64},         {"Menu_Keyboard", "Keyboard", 64},
    {"Cancel", "Cancel", 64},       {"Utility", "Utility", 64},
    {"Parameter", "Parameter", 64},
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
    using action_names::FunctionName;
    // The functions' names but the keyboard's, which is a UI string already.
    static const LanguageKey table[] = {
        kUiStrings[0], kUiStrings[1], kUiStrings[2], kUiStrings[3], kUiStrings[4], kUiStrings[5],
        kUiStrings[6], kUiStrings[7], kUiStrings[8], kUiStrings[9],
        *FunctionName(0), *FunctionName(1), *FunctionName(2), *FunctionName(3), *FunctionName(4),
        *FunctionName(5), *FunctionName(7), *FunctionName(8), *FunctionName(9),
        kPenSetting, kMapping, kKeySetting, kAbout, kSave, kExit, kProfile, kTryHere,
        kDisablePressure, kParameterSetting, kDefault, kNibPressure, kTilt, kNibClick, kNoKey, kNoKeyTitle,
        kLicence, kTabletId, kSelectMonitor, kPartMonitor, kAutoSetting, kCalibrate, kAllTablet,
        kFullMonitor, kMonitor,
    };
    *count = sizeof table / sizeof table[0];
    return table;
}

}  // namespace langkeys
