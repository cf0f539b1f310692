#include "WintabLibrary.h"

#include "DefaultContext.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr UINT WTI_DEVICE_0 = wintab::WTI_DEVICES;

int32_t IdOf(HCTX handle)
{
    uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    return value <= static_cast<uintptr_t>(INT32_MAX) ? static_cast<int32_t>(value) : 0;
}

HCTX HandleOf(int32_t id) { return reinterpret_cast<HCTX>(static_cast<uintptr_t>(id)); }

// Wintab context options as the service's option bits.
uint32_t ServiceOptions(uint32_t contextOptions)
{
    uint32_t options = 0;
    if (contextOptions & wintab::CXO_SYSTEM)
        options |= CTX_OPTION_SYSTEM_CURSOR;
    if (contextOptions & wintab::CXO_MESSAGES)
        options |= CTX_OPTION_PACKET_MESSAGES;
    if (contextOptions & wintab::CXO_CSRMESSAGES)
        options |= CTX_OPTION_CSRCHANGE_MESSAGES;
    return options;
}

DesktopArea VirtualDesktop()
{
    return DesktopArea{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                       GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

WintabLibrary& WintabLibrary::Instance()
{
    static WintabLibrary library;
    return library;
}

WintabLibrary::WintabLibrary() : contexts_(GetCurrentProcessId()) {}

WintabLibrary::~WintabLibrary()
{
    CriticalSection::Hold hold(lock_);
    for (int slot = 0; slot < ContextTable::CAPACITY; ++slot) {
        if (ClientContext* context = contexts_.At(slot)) {
            Send(CMD_REMOVE_CONTEXT, *context);
            contexts_.Remove(context->id);
        }
    }
    DisconnectWhenUnused();
}

bool WintabLibrary::Connect()
{
    if (!connection_.Open())
        return false;
    if (!ring_.Open()) {
        connection_.Close();
        return false;
    }
    return true;
}

void WintabLibrary::DisconnectWhenUnused()
{
    if (!contexts_.IsEmpty())
        return;
    ring_.Close();
    connection_.Close();
}

bool WintabLibrary::Send(ServiceCommand command, const ClientContext& context)
{
    return connection_.Send(command,
                            ContextFields{context.id, HandleToULong(context.window), context.options, context.status});
}

UINT WintabLibrary::Info(UINT category, UINT index, void* output)
{
    if (category == 0)
        return InfoInterfacePresent();
    if (category == wintab::WTI_DEFSYSCTX)
        return InfoDefaultSystemContext(index, output);
    if (category == WTI_DEVICE_0 && index == wintab::DVC_ORIENTATION)
        return InfoOrientation(output);
    return 0;
}

UINT WintabLibrary::InfoInterfacePresent()
{
    CriticalSection::Hold hold(lock_);
    bool present = Connect();
    DisconnectWhenUnused();
    // The size of the largest item we report.
    return present ? static_cast<UINT>(sizeof(wintab::LOGCONTEXTA)) : 0;
}

UINT WintabLibrary::InfoDefaultSystemContext(UINT index, void* output)
{
    // Index 0 asks for the whole record; single fields are not offered.
    if (index != 0)
        return 0;
    if (output != nullptr) {
        TABLETINFO tablet;
        bool haveTablet = ServiceConnection::ReadTabletInfo(tablet);
        wintab::LOGCONTEXTA context = DefaultContext::SystemContext(haveTablet ? &tablet : nullptr, VirtualDesktop());
        std::memcpy(output, &context, sizeof context);
    }
    return sizeof(wintab::LOGCONTEXTA);
}

UINT WintabLibrary::InfoOrientation(void* output)
{
    wintab::AXIS axes[DefaultContext::ORIENTATION_AXIS_COUNT];
    if (output != nullptr) {
        DefaultContext::OrientationAxes(axes);
        std::memcpy(output, axes, sizeof axes);
    }
    return sizeof axes;
}

HCTX WintabLibrary::Open(HWND window, const wintab::LOGCONTEXTA* context, bool enable)
{
    // Packets leave this library in one layout only; a context asking for
    // another would read them wrongly.
    if (context == nullptr || !IsWindow(window) || context->lcPktData != wintab::PANEL_PACKET_DATA)
        return nullptr;
    CriticalSection::Hold hold(lock_);
    if (!Connect())
        return nullptr;
    uint32_t status = CTX_STATUS_ON_TOP | (enable ? 0 : CTX_STATUS_DISABLED);
    ClientContext* opened = contexts_.Add(window, ServiceOptions(context->lcOptions), status);
    if (opened == nullptr || !Send(CMD_ADD_CONTEXT, *opened)) {
        if (opened != nullptr)
            contexts_.Remove(opened->id);
        DisconnectWhenUnused();
        return nullptr;
    }
    // A new enabled context goes on top of the others, as Wintab's overlap
    // order has it: the service obscures the rest.
    if (enable)
        Send(CMD_CONTEXT_OVERLAP, *opened);
    return HandleOf(opened->id);
}

bool WintabLibrary::Close(HCTX handle)
{
    CriticalSection::Hold hold(lock_);
    ClientContext* context = contexts_.Find(IdOf(handle));
    if (context == nullptr)
        return false;
    Send(CMD_REMOVE_CONTEXT, *context);
    contexts_.Remove(context->id);
    DisconnectWhenUnused();
    return true;
}

int WintabLibrary::PacketsGet(HCTX handle, int maxPackets, void* packets)
{
    CriticalSection::Hold hold(lock_);
    ClientContext* context = contexts_.Find(IdOf(handle));
    // A disabled context gets nothing and leaves the ring to the others.
    if (context == nullptr || (context->status & CTX_STATUS_DISABLED) != 0 || !connection_.IsOpen())
        return 0;
    if (packets != nullptr && maxPackets <= 0)
        return 0;
    return ring_.Take(*connection_.Section(), static_cast<wintab::PANELPACKET*>(packets), maxPackets);
}
