// The main dialog's rules that need no window: which tablet models are
// treated as the plain model, the pen-id text, where a page is anchored, and
// which system-menu ids open the language choice.
#pragma once

#include <cstdint>
#include <string>

struct PageAnchor {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class MainDialogRules {
public:
    // System-menu id of the language item, and the range that opens the dialog.
    static constexpr unsigned kLanguageMenuId = 16;
    static bool OpensLanguageDialog(unsigned id) { return id >= 16 && id <= 31; }

    // Product ids of the models that have no express keys page, show no pen
    // id, no tilt choice and one pen button.
    static bool IsPlainModel(uint16_t productId);

    // "ID: " with the serial nibble as one hex digit and the 32-bit serial as
    // eight; empty for the plain models.
    static std::string PenIdText(uint32_t nibble, uint32_t serial, bool plainModel);
    // The same from the pen block (nibble at +2, serial bytes at +3..+6, most
    // significant first).
    static std::string PenIdTextFromBlock(const uint8_t* penBlock, bool plainModel);

    // Beside the first page button: from its window rectangle and the main dialog's.
    static PageAnchor AnchorBeside(const ScreenRect& button, const ScreenRect& dialog);
};
