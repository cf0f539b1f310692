#include "PenButtonDefaults.h"

#include "ServiceCodes.h"

bool IsRightClickFirstModel(uint16_t pid, const BuildPolicy& policy)
{
    if (pid == 0x5A21 || pid == 0x5A24 || pid == 0x5A25)
        return true;
    // The library form knows two later models of that kind.
    return policy.penButtonsFollowModelFlag && (pid == 0x6B12 || pid == 0x6B13);
}

namespace {

// The package's own pair, in either order; any other pair is the user's choice.
bool HoldsDefaultPair(const KEYACTION* buttons)
{
    const int32_t first = buttons[0].actionCode;
    const int32_t second = buttons[1].actionCode;
    return (first == ACTION_DOUBLE_CLICK && second == ACTION_RIGHT_CLICK) ||
           (first == ACTION_RIGHT_CLICK && second == ACTION_DOUBLE_CLICK);
}

}  // namespace

void ApplyPenButtonDefaults(ServiceContext& context)
{
    if (context.policy == nullptr || !context.keyArea.valid() || context.pen == nullptr)
        return;
    const BuildPolicy& policy = *context.policy;
    const bool model = IsRightClickFirstModel(context.keyArea.head()->record.info.PID, policy);
    if (model)
        context.flags.modelFlag = 1;
    const bool rightClickFirst = policy.penButtonsFollowModelFlag ? context.flags.modelFlag.load() != 0 : model;
    KEYACTION* buttons = context.pen->pen.penButton;
    if (!HoldsDefaultPair(buttons))
        return;
    buttons[0].actionCode = rightClickFirst ? ACTION_RIGHT_CLICK : ACTION_DOUBLE_CLICK;
    buttons[1].actionCode = rightClickFirst ? ACTION_DOUBLE_CLICK : ACTION_RIGHT_CLICK;
}
