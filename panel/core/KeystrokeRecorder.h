// What the on-screen keyboard records: up to six key codes in press order,
// the text of their names, and the 256-byte key buffer it trades with its
// caller (key codes ended by 0 or 255, zeros behind).
#pragma once

#include "KeyNames.h"

#include <cstddef>
#include <cstdint>
#include <string>

class KeystrokeRecorder {
public:
    static constexpr size_t kBufferSize = 256;
    static constexpr int kMaxKeys = 6;

    explicit KeystrokeRecorder(const KeyNames& names) : names_(names) {}

    // Starts a run from the caller's buffer: every key up to the first 0 or 255.
    void Begin(const uint8_t* keyBuffer);
    // Records one more key; false (nothing changes) once six are recorded.
    bool Press(uint8_t keyCode);
    void Clean();
    // Hands the keys back; Ctrl+Alt+Del is stored as Ctrl+Shift+Esc.
    void Save(uint8_t* keyBuffer) const;

    int Count() const { return count_; }
    const std::string& SequenceText() const { return text_; }

private:
    const KeyNames& names_;
    uint8_t recorded_[kBufferSize] = {};
    int count_ = 0;
    std::string text_;
};
