#include "HeldInputs.h"

#include "ServiceCodes.h"
#include "VirtualPenReport.h"

#include <cstdio>

namespace {

constexpr int64_t DESKTOP_MAX = 0xFFFF;

void Track(bool& held, uint32_t flags, uint32_t down, uint32_t up)
{
    // One event may carry both; the down comes first.
    if (flags & down)
        held = true;
    if (flags & up)
        held = false;
}

}  // namespace

void HeldInputs::OnPointer(uint32_t flags, int64_t x, int64_t y)
{
    if ((flags & MOUSE_ABSOLUTE) && (x < 0 || x > DESKTOP_MAX || y < 0 || y > DESKTOP_MAX)) {
        if (offDesktop_++ == 0) {
            firstOffX_ = x;
            firstOffY_ = y;
        }
    }
    Track(left_, flags, MOUSE_LEFTDOWN, MOUSE_LEFTUP);
    Track(right_, flags, MOUSE_RIGHTDOWN, MOUSE_RIGHTUP);
    Track(middle_, flags, MOUSE_MIDDLEDOWN, MOUSE_MIDDLEUP);
}

void HeldInputs::OnKey(uint8_t virtualKey, uint32_t flags)
{
    keys_[virtualKey] = (flags & KEY_UP) == 0;
}

void HeldInputs::OnVirtualPenReport(const uint8_t* report, size_t length)
{
    if (report == nullptr || length != VirtualPenReport::LENGTH) {
        ++badVirtualReports_;
        return;
    }
    const uint8_t status = report[2];
    virtualTip_ = status == VirtualPenReport::STATUS_PEN_TIP || status == VirtualPenReport::STATUS_ERASER_TIP;
}

bool HeldInputs::AnyHeld() const
{
    if (left_ || right_ || middle_ || virtualTip_)
        return true;
    for (bool key : keys_)
        if (key)
            return true;
    return false;
}

std::string HeldInputs::Describe() const
{
    std::string held;
    if (left_)
        held += " left";
    if (right_)
        held += " right";
    if (middle_)
        held += " middle";
    if (virtualTip_)
        held += " virtual-tip";
    for (int vk = 0; vk < 256; ++vk) {
        if (!keys_[vk])
            continue;
        char name[16];
        std::snprintf(name, sizeof name, " key%d", vk);
        held += name;
    }
    return held;
}
