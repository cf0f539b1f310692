#include "ServiceConnection.h"

#include "ObjectNames.h"
#include "ServiceLink.h"

#include <cstring>

namespace {

// The command loop reads the fields after it wakes; a second command written
// sooner would replace them, and a pulse while it is busy would be lost.
constexpr DWORD COMMAND_GAP_MS = 50;

// Above version 5 the openers meet the library form's unprefixed objects
// first; the service program's "Global\" objects are the fallback. Older
// systems the other way round.
struct NamespaceOrder {
    bool global[2];
};

NamespaceOrder CurrentNamespaceOrder()
{
    const bool globalFirst = ServiceLink::ForThisSystem().UsesGlobalNames();
    return NamespaceOrder{{globalFirst, !globalFirst}};
}

}  // namespace

bool ServiceConnection::Open()
{
    if (IsOpen())
        return true;
    NamespaceOrder order = CurrentNamespaceOrder();
    for (bool global : order.global) {
        if (OpenIn(global))
            return true;
    }
    Close();
    return false;
}

void ServiceConnection::Close()
{
    commandEvent_.Reset();
    section_.Close();
    borrowedFrom_ = ServiceLink::CommandEventOwner{};
}

bool ServiceConnection::OpenIn(bool global)
{
    Close();
    const ServiceLink link(global);
    if (!link.OpenSection(objnames::CONNECTION_SECTION, sizeof(ConnectionSection), section_))
        return false;
    commandEvent_ = link.OpenCommandEventToKeep(section_, borrowedFrom_);
    if (commandEvent_)
        return true;
    Close();
    return false;
}

bool ServiceConnection::CommandEventIsCurrent() const
{
    // A restarted service re-initialises the section we still hold with its
    // own process id and handle.
    const ServiceLink::CommandEventOwner none{};
    return borrowedFrom_ == none || ServiceLink::CommandEventOwnerOf(section_) == borrowedFrom_;
}

void ServiceConnection::WaitForPreviousCommand() const
{
    if (!pulsed_)
        return;
    DWORD elapsed = GetTickCount() - lastPulseTick_;
    if (elapsed < COMMAND_GAP_MS)
        Sleep(COMMAND_GAP_MS - elapsed);
}

bool ServiceConnection::Send(ServiceCommand command, const ContextFields& fields)
{
    if (!IsOpen())
        return false;
    if (!CommandEventIsCurrent()) {
        commandEvent_ = ServiceLink::BorrowCommandEvent(section_, borrowedFrom_);
        if (!commandEvent_)
            return false;
    }
    WaitForPreviousCommand();
    volatile ConnectionSection* section = Section();
    section->contextId = fields.id;
    section->contextWindow = fields.window;
    section->contextOptions = fields.options;
    section->contextStatus = fields.status;
    const ServiceLink::CommandResult sent =
        ServiceLink::SendCommand(section_, command, commandEvent_.Get(), ServiceLink::Wake::Pulse);
    pulsed_ = true;
    lastPulseTick_ = GetTickCount();
    return sent == ServiceLink::CommandResult::Woken;
}

bool ServiceConnection::ReadTabletInfo(TABLETINFO& info)
{
    NamespaceOrder order = CurrentNamespaceOrder();
    for (bool global : order.global) {
        MappedSection keyArea;
        if (ServiceLink(global).OpenSection(objnames::KEY_AREA_SECTION, KEYAREA_RECORD_OFFSET + sizeof(TABLETINFO),
                                            keyArea, FILE_MAP_READ)) {
            std::memcpy(&info, keyArea.Bytes() + KEYAREA_RECORD_OFFSET, sizeof info);
            return true;
        }
    }
    return false;
}
