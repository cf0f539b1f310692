#include "DisplayChange.h"

DisplayChangePlan PlanDisplayChange(const MappingBrand& brand, const MonitorLayout& monitors, int storedSelection)
{
    DisplayChangePlan plan;
    plan.entries = monitors.ComboEntryCount();
    if (plan.entries == 1) {
        plan.comboSelection = 0;
        plan.selectWholeScreen = true;
        plan.publish = brand.displayChangePublishes;
        return plan;
    }
    // A monitor that is gone falls back to the whole desktop.
    const bool stillThere = storedSelection > 0 && monitors.At(static_cast<size_t>(storedSelection) - 1) != nullptr;
    plan.storedSelection = stillThere ? storedSelection : 0;
    plan.recordToDesktop = brand.displayChangeSetsDesktop;
    return plan;
}
