// The display-configuration types come with the Windows 7 declarations; the
// functions themselves are reached through GetProcAddress only.
#undef WINVER
#define WINVER 0x0601
#include "DisplayConfigQuery.h"

#include <algorithm>
#include <string>

namespace {

std::string Narrow(const wchar_t* text)
{
    char narrow[64] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow - 1, nullptr, nullptr);
    return narrow;
}

using BufferSizesFn = LONG(WINAPI*)(UINT32, UINT32*, UINT32*);
using QueryFn = LONG(WINAPI*)(UINT32, UINT32*, DISPLAYCONFIG_PATH_INFO*, UINT32*, DISPLAYCONFIG_MODE_INFO*,
                              DISPLAYCONFIG_TOPOLOGY_ID*);
using DeviceInfoFn = LONG(WINAPI*)(DISPLAYCONFIG_DEVICE_INFO_HEADER*);

FARPROC Find(HMODULE module, const char* name)
{
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

template <typename Function> Function As(FARPROC address)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

}  // namespace

DisplayConfigQuery::DisplayConfigQuery()
{
    HMODULE user = GetModuleHandleW(L"user32.dll");
    bufferSizes_ = Find(user, "GetDisplayConfigBufferSizes");
    query_ = Find(user, "QueryDisplayConfig");
    deviceInfo_ = Find(user, "DisplayConfigGetDeviceInfo");
}

bool DisplayConfigQuery::ActivePaths(std::vector<rotation::DisplayPath>& paths) const
{
    paths.clear();
    if (!Available())
        return false;
    UINT32 pathCount = 0, modeCount = 0;
    if (As<BufferSizesFn>(bufferSizes_)(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) != ERROR_SUCCESS)
        return false;
    std::vector<DISPLAYCONFIG_PATH_INFO> pathInfo(pathCount);
    std::vector<DISPLAYCONFIG_MODE_INFO> modeInfo(modeCount);
    const QueryFn query = As<QueryFn>(query_);
    if (query(QDC_ONLY_ACTIVE_PATHS, &pathCount, pathInfo.data(), &modeCount, modeInfo.data(), nullptr) != ERROR_SUCCESS)
        return false;
    // The counts that came back may be smaller than the buffers, never larger.
    pathInfo.resize(std::min<size_t>(pathCount, pathInfo.size()));
    for (const DISPLAYCONFIG_PATH_INFO& info : pathInfo) {
        rotation::DisplayPath path;
        path.rotation = static_cast<int32_t>(info.targetInfo.rotation);
        const UINT32 mode = info.sourceInfo.modeInfoIdx;
        if (mode < modeCount && modeInfo[mode].infoType == DISPLAYCONFIG_MODE_INFO_TYPE_SOURCE) {
            const DISPLAYCONFIG_SOURCE_MODE& source = modeInfo[mode].sourceMode;
            path.x = source.position.x;
            path.y = source.position.y;
            path.width = static_cast<int32_t>(source.width);
            path.height = static_cast<int32_t>(source.height);
        }
        DISPLAYCONFIG_SOURCE_DEVICE_NAME name{};
        name.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME;
        name.header.size = sizeof name;
        name.header.adapterId = info.sourceInfo.adapterId;
        name.header.id = info.sourceInfo.id;
        if (As<DeviceInfoFn>(deviceInfo_)(&name.header) == ERROR_SUCCESS) {
            name.viewGdiDeviceName[CCHDEVICENAME - 1] = L'\0';
            path.sourceName = Narrow(name.viewGdiDeviceName);
        }
        paths.push_back(std::move(path));
    }
    return true;
}

std::vector<rotation::AttachedDisplay> DisplayConfigQuery::AttachedDisplays()
{
    std::vector<rotation::AttachedDisplay> displays;
    DISPLAY_DEVICEW device{};
    device.cb = sizeof device;
    for (DWORD i = 0; EnumDisplayDevicesW(nullptr, i, &device, 0); ++i, device.cb = sizeof device) {
        if (!(device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP))
            continue;
        DEVMODEW mode{};
        mode.dmSize = sizeof mode;
        if (!EnumDisplaySettingsExW(device.DeviceName, ENUM_CURRENT_SETTINGS, &mode, 0))
            continue;
        rotation::AttachedDisplay display;
        device.DeviceName[CCHDEVICENAME - 1] = L'\0';
        display.name = Narrow(device.DeviceName);
        display.x = mode.dmPosition.x;
        display.y = mode.dmPosition.y;
        display.width = static_cast<int32_t>(mode.dmPelsWidth);
        display.height = static_cast<int32_t>(mode.dmPelsHeight);
        displays.push_back(std::move(display));
    }
    return displays;
}
