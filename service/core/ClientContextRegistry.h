// The client tablet contexts registered through the connection section: the
// windows of tablet-aware applications that receive packets and messages.
// The command loop changes the list while the read threads read it, so the
// list is guarded by a lock (freeing a node under a reader would crash).
#pragma once

#include "ServiceContext.h"
#include "ThreadLock.h"

#include <atomic>
#include <cstdint>

struct CLIENTNODE {
    int32_t contextId;
    uint32_t window;
    uint32_t status;   // 1 disabled, 2 obscured, 4 on top
    uint32_t options;  // 1 system cursor, 4 WT_PACKET, 8 WT_CSRCHANGE
    bool windowSeen;   // the window existed for this process when the context came
    CLIENTNODE* next;
};

constexpr int MAX_ON_TOP_CONTEXTS = 32;

// What CollectOnTopContexts copies for one report.
struct OnTopContexts {
    int count = 0;
    int32_t ids[MAX_ON_TOP_CONTEXTS] = {};
    uint32_t windows[MAX_ON_TOP_CONTEXTS] = {};
    uint32_t options[MAX_ON_TOP_CONTEXTS] = {};
    int32_t onTop[MAX_ON_TOP_CONTEXTS] = {};  // the library form's fourth array
};

class ClientContextRegistry {
public:
    explicit ClientContextRegistry(ServiceContext& context) : context_(context) {}
    ~ClientContextRegistry() { FreeContexts(); }
    ClientContextRegistry(const ClientContextRegistry&) = delete;
    ClientContextRegistry& operator=(const ClientContextRegistry&) = delete;

    // The context commands; they read ConnectionSection +20..+36.
    void AddContext();
    void RemoveContext(int32_t contextId);
    void OnContextEnable();
    void OnContextOverlap();

    // Copies the on-top contexts in list order, at most MAX_ON_TOP_CONTEXTS.
    int CollectOnTopContexts(OnTopContexts& out) const;
    // The same into a caller's own copy, only when the list changed since
    // `seen` (0 at first), which it updates: a pen report's look at an
    // unchanged list then takes no lock.
    void RefreshOnTopContexts(OnTopContexts& view, uint32_t& seen) const;
    void FreeContexts();
    // Drops every context whose window has been destroyed: its client was
    // killed or crashed and will never remove it. Returns how many went.
    int DropContextsOfClosedWindows();

    // 1 and the status of the first context with that id; 0 when none.
    int StatusOf(int32_t contextId, uint32_t& status) const;

private:
    // The helpers below expect lock_ to be held.
    CLIENTNODE* FindLocked(int32_t contextId) const;
    int CollectLocked(OnTopContexts& out) const;
    int OnTopSystemCursorLocked(uint32_t& value) const;
    void OverlapLocked(int32_t contextId, uint32_t status);
    void SetPointerOutputFromOnTopLocked();
    void SetPointerOutputForContext(const CLIENTNODE& node);
    void PostProximityUnlessPainter(const CLIENTNODE& node);
    void MarkListChanged();
    // Every change of the list or a status, counted under the lock.
    void CountChange() { changes_.fetch_add(1, std::memory_order_release); }

    ServiceContext& context_;
    mutable ThreadLock lock_;
    CLIENTNODE* head_ = nullptr;
    std::atomic<uint32_t> changes_{1};
};
