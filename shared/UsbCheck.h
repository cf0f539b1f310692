// The USB check library "RZUsbChk.dll": its export "EnumUsbID" fills the
// caller's array of (VID, PID) pairs of the attached devices and returns their
// count. The caller always hands room for USB_ID_ROOM pairs.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define USBCHK_CALL __stdcall
#else
#define USBCHK_CALL
#endif

#pragma pack(push, 1)
struct USBIDPAIR {
    uint16_t vid;
    uint16_t pid;
};
#pragma pack(pop)
static_assert(sizeof(USBIDPAIR) == 4, "USB id pair");

constexpr int USB_ID_ROOM = 64;
constexpr const char* USB_CHECK_LIBRARY = "RZUsbChk.dll";
constexpr const char* USB_CHECK_EXPORT = "EnumUsbID";

using EnumUsbIdFunction = int(USBCHK_CALL*)(USBIDPAIR* pairs);
