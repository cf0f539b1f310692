// EnumUsbID: the (VID, PID) pairs of the attached HID devices, each once, at
// most USB_ID_ROOM of them. In the test build (INKBRID_TEST_SEAMS) tests name
// their own devices: the variable INKBRID_TEST_USB_IDS ("7A4B:5A22,1234:0001",
// hexadecimal), or else the service's scripted HID interfaces
// (INKBRID_TEST_HID_SCRIPT), so the panel sees the tablets the service under
// test sees. The shipped library has none of this.
#include "UsbCheck.h"

#include <windows.h>
#include <setupapi.h>
// The HID headers declare their functions without C linkage.
extern "C" {
#include <hidsdi.h>
}

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

class PairList {
public:
    explicit PairList(USBIDPAIR* out) : out_(out) {}

    void Add(unsigned long vid, unsigned long pid)
    {
        if (count_ >= USB_ID_ROOM || vid > 0xFFFF || pid > 0xFFFF)
            return;
        for (int i = 0; i < count_; ++i) {
            if (out_[i].vid == vid && out_[i].pid == pid)
                return;
        }
        out_[count_++] = USBIDPAIR{static_cast<uint16_t>(vid), static_cast<uint16_t>(pid)};
    }
    int Count() const { return count_; }

private:
    USBIDPAIR* out_;
    int count_ = 0;
};

#ifdef INKBRID_TEST_SEAMS
bool ParseHex(const std::string& text, unsigned long& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtoul(text.c_str(), &end, 16);
    return end != nullptr && *end == '\0';
}

void AddListed(const char* list, PairList& pairs)
{
    std::stringstream entries(list);
    std::string entry;
    while (std::getline(entries, entry, ',')) {
        const size_t colon = entry.find(':');
        unsigned long vid = 0, pid = 0;
        if (colon != std::string::npos && ParseHex(entry.substr(0, colon), vid) &&
            ParseHex(entry.substr(colon + 1), pid))
            pairs.Add(vid, pid);
    }
}

// "device <pipe> <vid> <pid> ..." lines of the service's HID script.
void AddScripted(const char* scriptPath, PairList& pairs)
{
    std::ifstream script(scriptPath);
    std::string line;
    while (std::getline(script, line)) {
        std::istringstream words(line);
        std::string kind, pipe, vidText, pidText;
        words >> kind >> pipe >> vidText >> pidText;
        unsigned long vid = 0, pid = 0;
        if (kind == "device" && ParseHex(vidText, vid) && ParseHex(pidText, pid))
            pairs.Add(vid, pid);
    }
}

// The devices a test names in place of the machine's; false when it names none.
bool AddTestDevices(PairList& pairs)
{
    if (const char* listed = std::getenv("INKBRID_TEST_USB_IDS"))
        AddListed(listed, pairs);
    else if (const char* script = std::getenv("INKBRID_TEST_HID_SCRIPT"))
        AddScripted(script, pairs);
    else
        return false;
    return true;
}
#else
bool AddTestDevices(PairList&) { return false; }
#endif

void AddPresentHidDevices(PairList& pairs)
{
    GUID hidClass{};
    HidD_GetHidGuid(&hidClass);
    HDEVINFO devices = SetupDiGetClassDevsA(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices == INVALID_HANDLE_VALUE)
        return;
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof interfaceData;
    for (DWORD index = 0; SetupDiEnumDeviceInterfaces(devices, nullptr, &hidClass, index, &interfaceData); ++index) {
        DWORD needed = 0;
        SetupDiGetDeviceInterfaceDetailA(devices, &interfaceData, nullptr, 0, &needed, nullptr);
        if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) || needed > 4096)
            continue;
        std::string buffer(needed, '\0');
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (!SetupDiGetDeviceInterfaceDetailA(devices, &interfaceData, detail, needed, nullptr, nullptr))
            continue;
        // No access rights asked: the service may hold the device exclusively.
        HANDLE device = CreateFileA(detail->DevicePath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    0, nullptr);
        if (device == INVALID_HANDLE_VALUE)
            continue;
        HIDD_ATTRIBUTES attributes{};
        attributes.Size = sizeof attributes;
        if (HidD_GetAttributes(device, &attributes))
            pairs.Add(attributes.VendorID, attributes.ProductID);
        CloseHandle(device);
    }
    SetupDiDestroyDeviceInfoList(devices);
}

}  // namespace

extern "C" int USBCHK_CALL EnumUsbID(USBIDPAIR* pairs)
{
    if (pairs == nullptr)
        return 0;
    PairList list(pairs);
    if (!AddTestDevices(list))
        AddPresentHidDevices(list);
    return list.Count();
}
