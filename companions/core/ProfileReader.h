// Reading a settings file of sections and keys ("language.ini"): the
// programs read it through the system's profile functions, the tests
// through a table.
#pragma once

#include <cstddef>
#include <string>

class IProfileReader {
public:
    virtual ~IProfileReader() = default;
    // The value of `key` in `section` cut to `room` - 1 characters, or
    // `fallback` when the file, the section or the key is missing.
    virtual std::string ReadString(const char* section, const char* key, const char* fallback, size_t room) = 0;
    // The value as an integer (leading digits), or `fallback` when missing.
    virtual int ReadInt(const char* section, const char* key, int fallback) = 0;
};
