#include "KeystrokeRecorder.h"

#include <cstring>

namespace {
constexpr uint8_t VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18, VK_ESCAPE = 27, VK_DELETE = 46;
}

void KeystrokeRecorder::Begin(const uint8_t* keyBuffer)
{
    Clean();
    if (keyBuffer == nullptr)
        return;
    int keys = 0;
    while (keys < static_cast<int>(kBufferSize) && keyBuffer[keys] != 0 && keyBuffer[keys] != 255)
        text_ += names_.GetKeyDisplayName(keyBuffer[keys++]);
    if (keys > 0) {
        count_ = keys;
        std::memcpy(recorded_, keyBuffer, kBufferSize);
    }
}

bool KeystrokeRecorder::Press(uint8_t keyCode)
{
    if (count_ >= kMaxKeys)
        return false;
    text_ += names_.GetKeyDisplayName(keyCode);
    if (count_ == 0)
        std::memset(recorded_, 0, sizeof recorded_);
    recorded_[count_++] = keyCode;
    return true;
}

void KeystrokeRecorder::Clean()
{
    count_ = 0;
    std::memset(recorded_, 0, sizeof recorded_);
    text_.clear();
}

void KeystrokeRecorder::Save(uint8_t* keyBuffer) const
{
    if (keyBuffer == nullptr)
        return;
    std::memcpy(keyBuffer, recorded_, kBufferSize);
    // The system takes Ctrl+Alt+Del for itself; the task manager's own
    // combination is what the user can have pressed for them.
    if (recorded_[0] == VK_CONTROL && recorded_[1] == VK_MENU && recorded_[2] == VK_DELETE) {
        keyBuffer[1] = VK_SHIFT;
        keyBuffer[2] = VK_ESCAPE;
    }
}
