#include "ClientContextRegistry.h"

#include "CDataManage.h"
#include "ServiceCodes.h"

#include <cstring>
#include <new>

namespace {

constexpr size_t TITLE_CHARACTERS = 128;
constexpr uint32_t ON_TOP_AND_ENABLED_MASK = CTX_STATUS_DISABLED | CTX_STATUS_ON_TOP;

// The pointer follows the first context whose status is exactly "on top",
// in every build (packet delivery reads the policy's own test).
bool IsExactlyOnTop(uint32_t status) { return status == CTX_STATUS_ON_TOP; }

bool IsEnabledOnTop(uint32_t status) { return (status & ON_TOP_AND_ENABLED_MASK) == CTX_STATUS_ON_TOP; }

}  // namespace

void ClientContextRegistry::AddContext()
{
    const ConnectionSection& connection = *context_.connection;
    const bool windowSeen = context_.system->WindowExists(connection.contextWindow);
    CLIENTNODE* node = new (std::nothrow) CLIENTNODE{connection.contextId, connection.contextWindow,
                                                     connection.contextStatus, connection.contextOptions,
                                                     windowSeen, nullptr};
    if (node == nullptr)
        return;

    ThreadLock::Hold guard(lock_);
    CLIENTNODE** tail = &head_;
    while (*tail != nullptr)
        tail = &(*tail)->next;
    *tail = node;
    CountChange();

    // The library form lets the overlap rules settle the new context instead
    // of flagging the change itself.
    if (context_.policy->addRunsOverlap) {
        OverlapLocked(connection.contextId, connection.contextStatus);
        return;
    }
    MarkListChanged();
    // The second brand greets every new context at once, whatever its title.
    if (context_.policy->addPostsProximity)
        context_.system->PostWindowMessage(node->window, WT_PROXIMITY, static_cast<uint32_t>(node->contextId),
                                     PROXIMITY_ENTER);
}

void ClientContextRegistry::RemoveContext(int32_t contextId)
{
    // The library form gives the pointer back to the system before the
    // context goes, in case that context had taken it.
    if (context_.policy->removeRestoresPointer)
        context_.flags.pointerOutput = 1;

    CLIENTNODE* removed = nullptr;
    {
        ThreadLock::Hold guard(lock_);
        for (CLIENTNODE** link = &head_; *link != nullptr; link = &(*link)->next) {
            if ((*link)->contextId == contextId) {
                removed = *link;
                *link = removed->next;
                CountChange();
                break;
            }
        }
    }
    delete removed;
}

void ClientContextRegistry::OnContextEnable()
{
    const int32_t contextId = context_.connection->contextId;
    const uint32_t status = context_.connection->contextStatus;

    ThreadLock::Hold guard(lock_);
    CLIENTNODE* node = FindLocked(contextId);
    if (node == nullptr)
        return;
    CountChange();

    if ((node->status ^ status) & CTX_STATUS_DISABLED) {
        node->status = status;
        if (IsEnabledOnTop(status)) {
            context_.flags.clientsOrToolChanged = 1;
            PostProximityUnlessPainter(*node);
        }
    }
    node->status = status;

    // The library form takes the pointer decision from this context when it
    // is on top; the others from the first context on top.
    if (context_.policy->enableSetsLeftButtonBit && IsEnabledOnTop(status))
        SetPointerOutputForContext(*node);
    else
        SetPointerOutputFromOnTopLocked();
    MarkListChanged();
}

void ClientContextRegistry::OnContextOverlap()
{
    ThreadLock::Hold guard(lock_);
    OverlapLocked(context_.connection->contextId, context_.connection->contextStatus);
}

void ClientContextRegistry::OverlapLocked(int32_t contextId, uint32_t status)
{
    // An overlap for a context the loop never heard of (its add was lost)
    // must not obscure the others.
    if (FindLocked(contextId) == nullptr)
        return;
    CountChange();
    const BuildPolicy& policy = *context_.policy;
    for (CLIENTNODE* node = head_; node != nullptr; node = node->next) {
        if (node->contextId == contextId) {
            if ((node->status ^ status) & policy.overlapChangeBits) {
                node->status = status;
                if ((status & policy.overlapProximityMask) == CTX_STATUS_ON_TOP)
                    PostProximityUnlessPainter(*node);
            }
            node->status = status;
            if (IsEnabledOnTop(status))
                SetPointerOutputForContext(*node);
            else
                SetPointerOutputFromOnTopLocked();
            MarkListChanged();
        } else if ((status & CTX_STATUS_ON_TOP) && (node->status & CTX_STATUS_ON_TOP)) {
            // Another context came on top of this one.
            node->status = (node->status & CTX_STATUS_DISABLED) | CTX_STATUS_OBSCURED;
        }
    }
}

void ClientContextRegistry::RefreshOnTopContexts(OnTopContexts& view, uint32_t& seen) const
{
    if (seen != 0 && changes_.load(std::memory_order_acquire) == seen)
        return;
    ThreadLock::Hold guard(lock_);
    seen = changes_.load(std::memory_order_relaxed);
    CollectLocked(view);
}

int ClientContextRegistry::CollectOnTopContexts(OnTopContexts& out) const
{
    ThreadLock::Hold guard(lock_);
    return CollectLocked(out);
}

int ClientContextRegistry::CollectLocked(OnTopContexts& out) const
{
    out.count = 0;
    for (const CLIENTNODE* node = head_; node != nullptr && out.count < MAX_ON_TOP_CONTEXTS; node = node->next) {
        if (!context_.policy->IsOnTop(node->status))
            continue;
        out.ids[out.count] = node->contextId;
        out.windows[out.count] = node->window;
        out.options[out.count] = node->options;
        out.onTop[out.count] = 1;
        ++out.count;
    }
    return out.count;
}

void ClientContextRegistry::FreeContexts()
{
    ThreadLock::Hold guard(lock_);
    CountChange();
    while (head_ != nullptr) {
        CLIENTNODE* next = head_->next;
        delete head_;
        head_ = next;
    }
}

int ClientContextRegistry::DropContextsOfClosedWindows()
{
    int dropped = 0;
    {
        ThreadLock::Hold guard(lock_);
        for (CLIENTNODE** link = &head_; *link != nullptr;) {
            CLIENTNODE* node = *link;
            // A window never seen here (a client on another session's desktop)
            // tells nothing by still not being seen.
            if (!node->windowSeen || context_.system->WindowExists(node->window)) {
                link = &node->next;
                continue;
            }
            *link = node->next;
            delete node;
            ++dropped;
        }
        if (dropped != 0)
            CountChange();
    }
    // Gone as if removed.
    if (dropped != 0 && context_.policy->removeRestoresPointer)
        context_.flags.pointerOutput = 1;
    return dropped;
}

int ClientContextRegistry::StatusOf(int32_t contextId, uint32_t& status) const
{
    ThreadLock::Hold guard(lock_);
    const CLIENTNODE* node = FindLocked(contextId);
    if (node == nullptr)
        return 0;
    status = node->status;
    return 1;
}

CLIENTNODE* ClientContextRegistry::FindLocked(int32_t contextId) const
{
    for (CLIENTNODE* node = head_; node != nullptr; node = node->next)
        if (node->contextId == contextId)
            return node;
    return nullptr;
}

int ClientContextRegistry::OnTopSystemCursorLocked(uint32_t& value) const
{
    for (const CLIENTNODE* node = head_; node != nullptr; node = node->next) {
        if (IsExactlyOnTop(node->status)) {
            value = node->options & CTX_OPTION_SYSTEM_CURSOR;
            return 1;
        }
    }
    return 0;
}

void ClientContextRegistry::SetPointerOutputFromOnTopLocked()
{
    uint32_t systemCursor = 0;
    context_.flags.pointerOutput = OnTopSystemCursorLocked(systemCursor) ? static_cast<int32_t>(systemCursor) : 1;
}

// An enabled on-top context decides the pointer itself: its system-cursor
// option lets the pointer move with the pen.
void ClientContextRegistry::SetPointerOutputForContext(const CLIENTNODE& node)
{
    const bool systemCursor = (node.options & CTX_OPTION_SYSTEM_CURSOR) != 0;
    context_.flags.pointerOutput = systemCursor ? 1 : 0;
    // The library form keeps the pipeline's left-button bit while such a
    // context draws without the system pointer.
    if (context_.policy->enableSetsLeftButtonBit && !systemCursor)
        context_.flags.buttonState |= 1u;
}

void ClientContextRegistry::PostProximityUnlessPainter(const CLIENTNODE& node)
{
    char title[TITLE_CHARACTERS + 1] = {};
    context_.system->GetWindowTitle(node.window, title, sizeof title);
    if (std::strstr(title, COREL_PAINTER_TITLE) == nullptr)
        context_.system->PostWindowMessage(node.window, WT_PROXIMITY, static_cast<uint32_t>(node.contextId),
                                     PROXIMITY_ENTER);
}

void ClientContextRegistry::MarkListChanged()
{
    context_.flags.clientsOrToolChanged = 1;
    if (context_.ring != nullptr)
        context_.ring->Reset();
}
