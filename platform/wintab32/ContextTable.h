// The contexts this process has open. Ids are unique among processes as far
// as the service needs: it finds a context by id alone.
#pragma once

#include <windows.h>

#include <cstdint>

struct ClientContext {
    int32_t id;
    HWND window;
    uint32_t options;  // the service's option bits
    uint32_t status;   // the service's status bits
};

class ContextTable {
public:
    static constexpr int CAPACITY = 16;

    explicit ContextTable(DWORD processId);

    // A new context with a fresh id; nullptr when the table is full.
    ClientContext* Add(HWND window, uint32_t options, uint32_t status);
    ClientContext* Find(int32_t id);
    void Remove(int32_t id);
    bool IsEmpty() const;
    // The open context at `slot` (0..CAPACITY-1), or nullptr.
    ClientContext* At(int slot) { return used_[slot] ? &entries_[slot] : nullptr; }

private:
    int32_t NextFreeId();

    ClientContext entries_[CAPACITY] = {};
    bool used_[CAPACITY] = {};
    uint32_t idBase_;
    uint32_t serial_ = 0;
};
