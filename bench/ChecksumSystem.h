// The null system door that also folds every call the pipeline makes to the
// outside (messages, pointer and key events, sleeps, debug lines, virtual
// pen reports) into a running FNV-1a checksum, so a faster pipeline can be
// shown to do exactly what the old one did.
#pragma once

#include "NullSystem.h"

#include <cstddef>
#include <cstdint>

class ChecksumSystem : public NullSystem {
public:
    void PostWindowMessage(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam) override;
    void PointerRoutine(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra) override;
    void MouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra) override;
    void KeyEvent(uint8_t virtualKey, uint32_t flags) override;
    void Sleep(uint32_t milliseconds) override;
    void DebugOutput(const char* text) override;
    void WriteVirtualOutput(const uint8_t* report, size_t length) override;

    // Folds bytes the caller saw (the ring's packets) into the same sum.
    void Fold(const void* bytes, size_t size);
    uint64_t Sum() const { return sum_; }
    uint64_t Events() const { return events_; }

private:
    void Event(uint32_t kind, uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t e);

    uint64_t sum_ = 14695981039346656037ull;
    uint64_t events_ = 0;
};
