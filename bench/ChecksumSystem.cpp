#include "ChecksumSystem.h"

#include <cstring>

namespace {

enum EventKind : uint32_t { POST = 1, POINTER, MOUSE, KEY, SLEEP, DEBUG_LINE, VIRTUAL_REPORT };

}  // namespace

void ChecksumSystem::Fold(const void* bytes, size_t size)
{
    const auto* p = static_cast<const uint8_t*>(bytes);
    for (size_t i = 0; i < size; ++i) {
        sum_ ^= p[i];
        sum_ *= 1099511628211ull;
    }
}

void ChecksumSystem::Event(uint32_t kind, uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t e)
{
    const uint32_t fields[] = {kind, a, b, c, d, e};
    Fold(fields, sizeof fields);
    ++events_;
}

void ChecksumSystem::PostWindowMessage(uint32_t window, uint32_t message, uint32_t wParam, uint32_t lParam)
{
    Event(POST, window, message, wParam, lParam, 0);
}

void ChecksumSystem::PointerRoutine(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra)
{
    Event(POINTER, flags, static_cast<uint32_t>(dx), static_cast<uint32_t>(dy), static_cast<uint32_t>(data), extra);
}

void ChecksumSystem::MouseEvent(uint32_t flags, int32_t dx, int32_t dy, int32_t data, uint32_t extra)
{
    Event(MOUSE, flags, static_cast<uint32_t>(dx), static_cast<uint32_t>(dy), static_cast<uint32_t>(data), extra);
}

void ChecksumSystem::KeyEvent(uint8_t virtualKey, uint32_t flags) { Event(KEY, virtualKey, flags, 0, 0, 0); }

void ChecksumSystem::Sleep(uint32_t milliseconds) { Event(SLEEP, milliseconds, 0, 0, 0, 0); }

void ChecksumSystem::DebugOutput(const char* text)
{
    Event(DEBUG_LINE, 0, 0, 0, 0, 0);
    Fold(text, std::strlen(text));
}

void ChecksumSystem::WriteVirtualOutput(const uint8_t* report, size_t length)
{
    Event(VIRTUAL_REPORT, static_cast<uint32_t>(length), 0, 0, 0, 0);
    Fold(report, length);
}
