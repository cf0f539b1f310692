// What the injected events leave pressed: each mouse button's down against
// its up, each key's down against its key-up, and the library form's virtual
// pen touching or not. Also notes any absolute position off the desktop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class HeldInputs {
public:
    // The pointer routine and mouse_event.
    void OnPointer(uint32_t flags, int64_t x, int64_t y);
    void OnKey(uint8_t virtualKey, uint32_t flags);
    void OnVirtualPenReport(const uint8_t* report, size_t length);

    bool AnyHeld() const;
    // What is held, for a failure message; empty when nothing is.
    std::string Describe() const;

    // Absolute positions seen outside 0..0xFFFF, and the first of them.
    int OffDesktopCount() const { return offDesktop_; }
    int64_t FirstOffX() const { return firstOffX_; }
    int64_t FirstOffY() const { return firstOffY_; }
    // Virtual pen reports of another length than the device takes.
    int BadVirtualReports() const { return badVirtualReports_; }

private:
    bool left_ = false;
    bool right_ = false;
    bool middle_ = false;
    bool virtualTip_ = false;
    bool keys_[256] = {};
    int offDesktop_ = 0;
    int64_t firstOffX_ = 0;
    int64_t firstOffY_ = 0;
    int badVirtualReports_ = 0;
};
