// Every key the panel reads from language.ini with its built-in English text,
// and the names of the pen-button and express-key functions.
#pragma once

#include <cstddef>
#include <cstdint>

struct LanguageKey {
    const char* key;
    const char* english;
    size_t bufferSize;
};

namespace langkeys {

// The ten texts the application object keeps, in the order it loads them.
enum UiString { Enable, Disable, NoTabletAlert, Ok, Select, Clean, Keyboard, Cancel, Utility, Parameter,
                UiStringCount };
const LanguageKey& UiStringKey(UiString which);

// Texts of the main dialog, the pages and their messages.
extern const LanguageKey kPenSetting, kMapping, kKeySetting, kAbout, kSave, kExit, kProfile, kTryHere, kClean,
    kDisablePressure, kParameterSetting, kDefault, kNibPressure, kTilt, kNibClick, kNoKey, kNoKeyTitle, kLicence,
    kTabletId, kSelectMonitor, kPartMonitor, kAutoSetting, kCalibrate, kAllTablet, kFullMonitor, kMonitor;

// The whole table, for writing a complete English section.
const LanguageKey* AllKeys(size_t* count);

// Actions that are written tagged into function codes: 0xFF000000 | action.
constexpr uint32_t kTaggedAction = 0xFF000000u;
constexpr int kFunctionMenuEntries = 10;

// The key and English text of a function: `code` is a menu index 0..9 or a
// tagged action code. Null for anything else (launch, strip, unknown).
const LanguageKey* FunctionMenuKey(uint32_t code);

}  // namespace langkeys
