#include "PenButtonDefaults.h"

#include "ServiceCodes.h"

bool IsRightClickFirstModel(uint16_t pid) { return pid == 0x5A21 || pid == 0x5A24 || pid == 0x5A25; }

void ApplyPenButtonDefaults(ServiceContext& context)
{
    if (!context.keyArea.valid() || context.pen == nullptr)
        return;
    const uint16_t pid = context.keyArea.head()->record.info.PID;
    KEYACTION* buttons = context.pen->pen.penButton;
    if (IsRightClickFirstModel(pid)) {
        context.flags.modelFlag = 1;
        buttons[0].actionCode = ACTION_RIGHT_CLICK;
        buttons[1].actionCode = ACTION_DOUBLE_CLICK;
    } else {
        buttons[0].actionCode = ACTION_DOUBLE_CLICK;
        buttons[1].actionCode = ACTION_RIGHT_CLICK;
    }
}
