// The settings-file rules of the service build each panel goes with: on
// older systems the panel writes the device file itself, as that service would.
#pragma once

#include "SettingsFiles.h"

inline constexpr SettingsFilePolicy kStyloraSettingsFiles{false, DefaultKeyTable::SidedModifiers};
inline constexpr SettingsFilePolicy kPenmiraSettingsFiles{true, DefaultKeyTable::TenKeys};
