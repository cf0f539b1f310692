// Security attributes that let every user open the service's named objects:
// a descriptor whose access list grants Everyone all access. The service runs
// as a system account while the panel and companions run as the user.
#pragma once

#include <windows.h>

#include <vector>

class SecurityAttributes {
public:
    SecurityAttributes() = default;
    SecurityAttributes(const SecurityAttributes&) = delete;
    SecurityAttributes& operator=(const SecurityAttributes&) = delete;
    ~SecurityAttributes();

    // Builds the descriptor; false when any step fails.
    bool Init();
    SECURITY_ATTRIBUTES* Get() { return initialised_ ? &attributes_ : nullptr; }

private:
    PSID everyone_ = nullptr;
    std::vector<BYTE> acl_;
    SECURITY_DESCRIPTOR descriptor_{};
    SECURITY_ATTRIBUTES attributes_{};
    bool initialised_ = false;
};
