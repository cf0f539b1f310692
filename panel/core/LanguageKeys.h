// Every key the panel reads from language.ini with its built-in English text
// (the names of the pen-button and express-key functions are the text
// module's ActionNames).
#pragma once

#include "LanguageKey.h"

#include <cstddef>

namespace langkeys {

// The ten texts the application object keeps, in the order it loads them.
enum UiString { Enable, Disable, NoTabletAlert, Ok, Select, Clean, Keyboard, Cancel, Utility, Parameter,
                UiStringCount };
const LanguageKey& UiStringKey(UiString which);

// Texts of the main dialog, the pages and their messages.
extern const LanguageKey kPenSetting, kMapping, kKeySetting, kAbout, kSave, kExit, kProfile, kTryHere, kClean,
    kDisablePressure, kParameterSetting, kDefault, kNibPressure, kTilt, kNibClick, kNoKey, kNoKeyTitle, kLicence,
    kTabletId, kSelectMonitor, kPartMonitor, kAutoSetting, kCalibrate, kAllTablet, kFullMonitor, kMonitor;

// The whole table: every key above and every function name but the
// keyboard's (a UI string already), each once.
const LanguageKey* AllKeys(size_t* count);

}  // namespace langkeys
