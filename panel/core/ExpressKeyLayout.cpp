#include "ExpressKeyLayout.h"

namespace express_keys {

namespace {

constexpr int kHeight = 20;

ExpressKeyControl Label(int id, int left, int top, int right, const KeyPagePolicy& policy)
{
    return ExpressKeyControl{id, false, SlotOfControl(id, policy), left, top, right, top + kHeight};
}

ExpressKeyControl Box(int id, int left, int top, int right)
{
    return ExpressKeyControl{id, true, id == kStripBoxId ? kStripSlot : kRingSlot, left, top, right, top + kHeight};
}

std::vector<ExpressKeyControl> LargeLayout(const KeyPagePolicy& policy)
{
    std::vector<ExpressKeyControl> controls;
    const int tops[] = {155, 180, 205, 230};
    for (int row = 0; row < 4; ++row) {
        controls.push_back(Label(8192 + row, 60, tops[row], 220, policy));
        controls.push_back(Label(8208 + row, 300, tops[row], 460, policy));
    }
    controls.push_back(Box(kStripBoxId, 60, 275, 250));
    controls.push_back(Box(kRingBoxId, 300, 275, 490));
    const int lowerTops[] = {320, 345, 370, 395};
    for (int row = 0; row < 4; ++row) {
        controls.push_back(Label(8224 + row, 60, lowerTops[row], 220, policy));
        controls.push_back(Label(8240 + row, 300, lowerTops[row], 460, policy));
    }
    return controls;
}

std::vector<ExpressKeyControl> SmallLayout(int32_t n, const KeyPagePolicy& policy)
{
    std::vector<ExpressKeyControl> controls;
    const bool fourKeys = n == 5 || n == 10;
    const int right = policy.leftColumnRight;
    controls.push_back(Label(8192, 120, 155, right, policy));
    if (n >= 2)
        controls.push_back(Label(8193, 120, 190, right, policy));
    if (fourKeys) {
        controls.push_back(Label(8194, 120, 225, right, policy));
        controls.push_back(Label(8195, 120, 260, right, policy));
        controls.push_back(Box(kStripBoxId, 120, 320, 250));
    }
    if (n == 10) {
        controls.push_back(Box(kRingBoxId, 300, 320, 430));
        for (int row = 0; row < 4; ++row)
            controls.push_back(Label(8208 + row, policy.rightColumnLeft, 155 + 35 * row, 400, policy));
    }
    return controls;
}

}  // namespace

int SlotOfControl(int id, const KeyPagePolicy& policy)
{
    if (id > policy.maxKeyId)
        return -1;
    if (id >= 8192 && id <= 8195)
        return id - 8192;
    if (id >= 8208 && id <= 8211)
        return id - 8203;
    if (id >= 8224 && id <= 8227)
        return id - 8214;
    if (id >= 8240 && id <= 8243)
        return id - 8226;
    if (id == kStripBoxId)
        return kStripSlot;
    if (id == kRingBoxId)
        return kRingSlot;
    return -1;
}

bool UsesLargeBackground(int32_t n, const KeyPagePolicy& policy)
{
    return policy.hasLargeLayout && n == kLargeLayoutSlots;
}

std::vector<ExpressKeyControl> LayoutFor(int32_t n, const KeyPagePolicy& policy)
{
    if (n <= 0)
        return {};
    return UsesLargeBackground(n, policy) ? LargeLayout(policy) : SmallLayout(n, policy);
}

}  // namespace express_keys
