// Security attributes that let every user open the service's named objects.
// The service program runs as a system account while the panel, the
// companions and the tablet-interface library run as the user: the library
// duplicates the service's unnamed command event out of the service process.
// So the service program's own access list gains all access for Everyone,
// and the process's descriptor, read back, is the descriptor its sections
// and events are created with. The library form runs in its host's process,
// which it leaves as it is: its objects get a descriptor of their own that
// grants Everyone all access.
#pragma once

#include <windows.h>

#include <cstddef>

class SecurityAttributes {
public:
    SecurityAttributes() = default;
    SecurityAttributes(const SecurityAttributes&) = delete;
    SecurityAttributes& operator=(const SecurityAttributes&) = delete;
    ~SecurityAttributes() = default;

    // openProcess: grants Everyone the process and takes its descriptor;
    // otherwise builds one for the objects alone. False when any step fails.
    bool Init(bool openProcess);
    SECURITY_ATTRIBUTES* Get() { return initialised_ ? &attributes_ : nullptr; }

private:
    // A block of the process heap, freed with its owner.
    class HeapBlock {
    public:
        HeapBlock() = default;
        explicit HeapBlock(size_t size);
        ~HeapBlock();
        HeapBlock(HeapBlock&& other) noexcept;
        HeapBlock& operator=(HeapBlock&& other) noexcept;
        HeapBlock(const HeapBlock&) = delete;
        HeapBlock& operator=(const HeapBlock&) = delete;

        void* Get() const { return data_; }
        size_t Size() const { return size_; }
        explicit operator bool() const { return data_ != nullptr; }

    private:
        void* data_ = nullptr;
        size_t size_ = 0;
    };

    static HeapBlock ReadProcessDacl();
    static HeapBlock ExtendedAcl(PACL old, PSID everyone);
    static bool SetProcessDacl(PACL acl);
    static HeapBlock ReadProcessDescriptor();
    bool OpenProcessToEveryone(PSID everyone);
    bool BuildObjectDescriptor(PSID everyone);

    // Kept for the process's life: the objects are created with it.
    HeapBlock descriptor_;
    HeapBlock acl_;  // the object descriptor's access list
    SECURITY_ATTRIBUTES attributes_{};
    bool initialised_ = false;
};
