// Pen-button actions by tablet model, set after a device search: some models
// put the secondary click on the first pen button.
#pragma once

#include "ServiceContext.h"

#include <cstdint>

// True for the product ids whose first pen button right-clicks in this build.
bool IsRightClickFirstModel(uint16_t pid, const BuildPolicy& policy);

// Looks at the product id of the record in the key area: those models set the
// model flag and get right click / double click on pen buttons 1 / 2, every
// other model double click / right click. Only the two action codes change,
// and only while they hold that default pair (in either order): a choice of
// the user's, from the pen settings file or the panel, stays.
// The library form decides by the model flag instead, so once such a model
// was seen its order stays for every later tablet.
void ApplyPenButtonDefaults(ServiceContext& context);
