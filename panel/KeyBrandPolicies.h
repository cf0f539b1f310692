// This build's values for the express keys, the keyboard, the key names and
// the settings files: the reference panel's or the second brand's, chosen at
// build time.
#pragma once

#include "ExpressKeyLayout.h"
#include "ExpressKeyStorage.h"
#include "KeyNames.h"
#include "KeyboardLayout.h"
#include "PanelBrand.h"
#include "SettingsFiles.h"

inline const KeyPagePolicy& PanelKeyPagePolicy() { return kPenmiraPanel ? kPenmiraKeyPage : kStyloraKeyPage; }
inline const KeyStoragePolicy& PanelKeyStoragePolicy()
{
    return kPenmiraPanel ? kPenmiraKeyStorage : kStyloraKeyStorage;
}
inline const KeyboardPolicy& PanelKeyboardPolicy() { return kPenmiraPanel ? kPenmiraKeyboard : kStyloraKeyboard; }
inline const KeyNamePolicy& PanelKeyNamePolicy() { return kPenmiraPanel ? kPenmiraKeyNames : kStyloraKeyNames; }
inline const SettingsFilePolicy& PanelSettingsFilePolicy()
{
    return kPenmiraPanel ? kPenmiraSettingsFiles : kStyloraSettingsFiles;
}
