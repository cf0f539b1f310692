// The values the service writes into a freshly created section when no
// settings file supplies them.
#pragma once

#include "SharedSections.h"
#include "TabletRecords.h"

// Pen section defaults: no tool, linear curve, threshold 43, buttons double and right click.
void FillPenSettingsDefaults(PENSETTINGS& pen);
// The same values without clearing the rest of the record; rightClickFirst
// swaps the two pen buttons' actions.
void SetPenDefaultValues(PENSETTINGS& pen, bool rightClickFirst);
// Key area without any device record: one monitor, whole desktop, a 10206 x 7422 tablet.
void FillKeyAreaMappingDefaults(MAPPINGDEF& mapping);
// Mapping built from a model's description: whole desktop, the model's full extents.
void FillMappingFromInfo(MAPPINGDEF& mapping, const TABLETINFO& info);
