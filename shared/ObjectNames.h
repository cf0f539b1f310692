// Names of every named kernel object of the package and the one rule that
// decides whether a name carries the "Global\" prefix.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace objnames {

constexpr const char* GLOBAL_PREFIX = "Global\\";

constexpr const char* KEY_AREA_SECTION = "TavrionWintab32KeyAreaConnectionControlData";
constexpr const char* CONNECTION_SECTION = "TavrionWintab32ConnectionControlData";
constexpr const char* PEN_SECTION = "TavrionWintab32PenConnectionControlData";
constexpr const char* MAPPING_RELOAD_EVENT = "QXPENReadThread";
constexpr const char* KEY_RELOAD_EVENT = "QXPENReadThreadKeyboard";
constexpr const char* COMMAND_EVENT = "belmortarsinWintabhAppGetData";
constexpr const char* SYNC_EVENT = "belmortarsinWintabhAppGetDataSyn";
constexpr const char* READ_THREAD_QUIT_EVENT = "QXPENReadThreadQuitReadThread";

// These two always carry the prefix, whichever build creates them.
constexpr const char* RING_LOCK = "Global\\stylora123";
constexpr const char* PHOTOSHOP_SYNC_MUTEX = "Global\\MorvexPhotoShopSyc";

// Room for any name built here.
constexpr size_t NAME_BUFFER_SIZE = 96;

// Joins the parts into `out` when the whole name fits; otherwise leaves an
// empty string and returns false.
inline bool JoinName(char* out, size_t size, const char* a, const char* b, const char* c)
{
    if (out == nullptr || size == 0)
        return false;
    size_t la = std::strlen(a), lb = std::strlen(b), lc = std::strlen(c);
    if (la + lb + lc >= size) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, a, la);
    std::memcpy(out + la, b, lb);
    std::memcpy(out + la + lb, c, lc);
    out[la + lb + lc] = '\0';
    return true;
}

// Writes `base`, prefixed with "Global\" when `global`, into `out`.
inline bool FormatObjectName(char* out, size_t size, bool global, const char* base)
{
    return JoinName(out, size, global ? GLOBAL_PREFIX : "", base, "");
}

// The per-device number of the reload events: VID << 16 | PID as a signed
// 32-bit decimal, so a VID of 0x8000 or more gives a negative number.
inline int32_t DeviceEventNumber(uint16_t vid, uint16_t pid)
{
    return static_cast<int32_t>((static_cast<uint32_t>(vid) << 16) | pid);
}

// "QXPENReadThread%d" (mapping) or "QXPENReadThreadKeyboard%d" (keys).
inline bool FormatReloadEventName(char* out, size_t size, bool global, bool keyboard, uint16_t vid, uint16_t pid)
{
    char number[16];
    std::snprintf(number, sizeof number, "%d", static_cast<int>(DeviceEventNumber(vid, pid)));
    char base[64];
    JoinName(base, sizeof base, keyboard ? KEY_RELOAD_EVENT : MAPPING_RELOAD_EVENT, number, "");
    return JoinName(out, size, global ? GLOBAL_PREFIX : "", base, "");
}

// Openers (panel, overlay) use the unprefixed names above major version 5,
// where they meet the library form; the rotation watcher always does.
inline bool OpenerUsesGlobalNames(uint32_t osMajorVersion) { return osMajorVersion <= 5; }

}  // namespace objnames
