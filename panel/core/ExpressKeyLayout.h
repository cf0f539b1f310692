// Which key labels and check boxes the express-key page shows for a tablet
// with n key slots, where, and which slot each one edits.
#pragma once

#include <cstdint>
#include <vector>

struct KeyPagePolicy {
    bool hasLargeLayout;        // 18 slots: 16 labels on the large background
    int leftColumnRight;        // right edge of labels 8192..8195 in the small layout
    int rightColumnLeft;        // left edge of labels 8208..8211 in the small layout
    bool disablesForKeypadModel;  // the keypad model in the key area disables the small layout
    int maxKeyId;               // highest key label id the page knows
};

inline constexpr KeyPagePolicy kStyloraKeyPage{true, 250, 270, true, 8243};
inline constexpr KeyPagePolicy kPenmiraKeyPage{false, 220, 300, false, 8211};

struct ExpressKeyControl {
    int id;
    bool checkBox;
    int slot;
    int left, top, right, bottom;
};

namespace express_keys {

constexpr int kStripBoxId = 8196;
constexpr int kRingBoxId = 8212;
constexpr int kStripSlot = 4;
constexpr int kRingSlot = 9;
constexpr int kLargeLayoutSlots = 18;
constexpr uint16_t kKeypadModelPid = 0x5A21;   // its keys are not the tablet's
constexpr uint16_t kKeypadOnlyPid = 0x7C31;    // a keypad, passed over when the page picks a tablet
constexpr uint16_t kListedTabletVid = 0x3C5E;

// The slot a key label or check box id edits, or -1.
int SlotOfControl(int id, const KeyPagePolicy& policy);
// The controls of a tablet with n slots, in creation order (none for n <= 0).
std::vector<ExpressKeyControl> LayoutFor(int32_t n, const KeyPagePolicy& policy);
bool UsesLargeBackground(int32_t n, const KeyPagePolicy& policy);

}  // namespace express_keys
