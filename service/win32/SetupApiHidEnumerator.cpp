#include "SetupApiHidEnumerator.h"

#include <setupapi.h>
// The HID headers declare their functions without C linkage.
extern "C" {
#include <hidsdi.h>
}

#include <vector>

namespace {

class DeviceInfoList {
public:
    explicit DeviceInfoList(HDEVINFO list) : list_(list) {}
    ~DeviceInfoList()
    {
        if (list_ != INVALID_HANDLE_VALUE)
            SetupDiDestroyDeviceInfoList(list_);
    }
    DeviceInfoList(const DeviceInfoList&) = delete;
    DeviceInfoList& operator=(const DeviceInfoList&) = delete;
    HDEVINFO Get() const { return list_; }
    bool Valid() const { return list_ != INVALID_HANDLE_VALUE; }

private:
    HDEVINFO list_;
};

class PreparsedData {
public:
    explicit PreparsedData(HANDLE device)
    {
        if (!HidD_GetPreparsedData(device, &data_))
            data_ = nullptr;
    }
    ~PreparsedData()
    {
        if (data_ != nullptr)
            HidD_FreePreparsedData(data_);
    }
    PreparsedData(const PreparsedData&) = delete;
    PreparsedData& operator=(const PreparsedData&) = delete;
    PHIDP_PREPARSED_DATA Get() const { return data_; }

private:
    PHIDP_PREPARSED_DATA data_ = nullptr;
};

}  // namespace

ScopedHandle OpenHidInterface(const GUID& guid, int index)
{
    DeviceInfoList list(SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!list.Valid())
        return ScopedHandle();
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof interfaceData;
    if (!SetupDiEnumDeviceInterfaces(list.Get(), nullptr, &guid, static_cast<DWORD>(index), &interfaceData))
        return ScopedHandle();
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailA(list.Get(), &interfaceData, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
        return ScopedHandle();
    std::vector<BYTE> storage(required, 0);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!SetupDiGetDeviceInterfaceDetailA(list.Get(), &interfaceData, detail, required, nullptr, nullptr))
        return ScopedHandle();
    return ScopedHandle(CreateFileA(detail->DevicePath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OVERLAPPED, nullptr));
}

SetupApiHidEnumerator::SetupApiHidEnumerator() { HidD_GetHidGuid(&hidGuid_); }

ScopedHandle SetupApiHidEnumerator::Open(int index) { return OpenHidInterface(hidGuid_, index); }

HidInterfaceInfo SetupApiHidEnumerator::Describe(int, HANDLE device)
{
    HidInterfaceInfo info;
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (!HidD_GetAttributes(device, &attributes))
        return info;
    info.hasAttributes = true;
    info.vid = attributes.VendorID;
    info.pid = attributes.ProductID;
    PreparsedData preparsed(device);
    HIDP_CAPS caps{};
    if (preparsed.Get() == nullptr || HidP_GetCaps(preparsed.Get(), &caps) != HIDP_STATUS_SUCCESS)
        return info;
    info.hasCaps = true;
    info.usagePage = caps.UsagePage;
    info.usage = caps.Usage;
    info.inputReportLength = caps.InputReportByteLength;
    info.outputReportLength = caps.OutputReportByteLength;
    return info;
}

void SetupApiHidEnumerator::SetNumInputBuffers(HANDLE device, ULONG count) { HidD_SetNumInputBuffers(device, count); }
