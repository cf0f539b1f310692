#include "ContextTable.h"

namespace {

// Id = process part << 15 | serial: positive, never 0, and different from
// the ids of other processes unless their ids agree in these 16 bits.
constexpr uint32_t SERIAL_BITS = 15;
constexpr uint32_t SERIAL_MASK = (1u << SERIAL_BITS) - 1;

}  // namespace

ContextTable::ContextTable(DWORD processId) : idBase_(((processId >> 2) & 0xFFFFu) << SERIAL_BITS) {}

int32_t ContextTable::NextFreeId()
{
    for (;;) {
        serial_ = (serial_ & SERIAL_MASK) + 1;
        if (serial_ > SERIAL_MASK)
            serial_ = 1;
        int32_t id = static_cast<int32_t>(idBase_ | serial_);
        if (Find(id) == nullptr)
            return id;
    }
}

ClientContext* ContextTable::Add(HWND window, uint32_t options, uint32_t status)
{
    for (int slot = 0; slot < CAPACITY; ++slot) {
        if (!used_[slot]) {
            entries_[slot] = ClientContext{NextFreeId(), window, options, status};
            used_[slot] = true;
            return &entries_[slot];
        }
    }
    return nullptr;
}

ClientContext* ContextTable::Find(int32_t id)
{
    for (int slot = 0; slot < CAPACITY; ++slot) {
        if (used_[slot] && entries_[slot].id == id)
            return &entries_[slot];
    }
    return nullptr;
}

void ContextTable::Remove(int32_t id)
{
    for (int slot = 0; slot < CAPACITY; ++slot) {
        if (used_[slot] && entries_[slot].id == id)
            used_[slot] = false;
    }
}

bool ContextTable::IsEmpty() const
{
    for (bool used : used_) {
        if (used)
            return false;
    }
    return true;
}
