// Access to a private-profile (INI) file of sections and keys, as the
// profile calls give it. Reading: a missing file, section or key yields the
// fallback; the programs read language.ini and KEY.ini through it, the tests
// tables. Writing: one value at a time, as the programs store their choice
// of language.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class IProfileSource {
public:
    // The callers' usual text buffer: values cut to 259 characters.
    static constexpr size_t kValueCapacity = 260;

    virtual ~IProfileSource() = default;
    // The value of `key` in `section`, or `fallback` when missing; either cut
    // to room - 1 characters.
    virtual std::string ReadString(const char* section, const char* key, const char* fallback,
                                   size_t room = kValueCapacity) const = 0;
    // The value as the profile functions read an integer (see ParseInt).
    virtual int ReadInt(const char* section, const char* key, int fallback) const;

    // Leading decimal digits with an optional sign; `fallback` for an empty
    // value; values past the 32-bit range saturate.
    static int ParseInt(std::string_view value, int fallback);
};

class IProfileTarget {
public:
    virtual ~IProfileTarget() = default;
    // Stores `value` as `key` in `section`; false when it was not stored.
    virtual bool WriteString(const char* section, const char* key, const char* value) = 0;
};
