#include "MainDialogRules.h"

#include <cstdio>

bool MainDialogRules::IsPlainModel(uint16_t productId)
{
    switch (productId) {
    case 0x5A21:
    case 0x5A24:
    case 0x5A25:
    case 0x6B12:
    case 0x6B13:
        return true;
    default:
        return false;
    }
}

std::string MainDialogRules::PenIdText(uint32_t nibble, uint32_t serial, bool plainModel)
{
    if (plainModel)
        return std::string();
    char text[32];
    std::snprintf(text, sizeof text, "ID: %01X%08X", static_cast<unsigned>(nibble & 0xFFFF),
                  static_cast<unsigned>(serial));
    return text;
}

std::string MainDialogRules::PenIdTextFromBlock(const uint8_t* penBlock, bool plainModel)
{
    const uint32_t serial = (uint32_t(penBlock[3]) << 24) | (uint32_t(penBlock[4]) << 16) |
                            (uint32_t(penBlock[5]) << 8) | uint32_t(penBlock[6]);
    return PenIdText(penBlock[2], serial, plainModel);
}

PageAnchor MainDialogRules::AnchorBeside(const ScreenRect& button, const ScreenRect& dialog)
{
    PageAnchor anchor;
    anchor.x = button.right + 4;
    anchor.y = button.top - 1;
    anchor.cx = dialog.right - anchor.x - 2;
    anchor.cy = dialog.bottom - anchor.y - 4;
    return anchor;
}
