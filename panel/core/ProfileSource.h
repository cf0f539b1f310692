// Read access to a private-profile (INI) file, as the profile-string calls
// give it: a missing file, section or key yields the fallback, and a value
// is cut to the 259 characters of the callers' 260-byte buffers.
#pragma once

#include <cstddef>
#include <string>

class IProfileSource {
public:
    static constexpr size_t kValueCapacity = 260;

    virtual ~IProfileSource() = default;
    virtual std::string ReadString(const char* section, const char* key, const char* fallback) const = 0;
};
