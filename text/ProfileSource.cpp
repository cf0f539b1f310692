#include "ProfileSource.h"

#include <cctype>
#include <climits>

int IProfileSource::ReadInt(const char* section, const char* key, int fallback) const
{
    return ParseInt(ReadString(section, key, "", kValueCapacity), fallback);
}

int IProfileSource::ParseInt(std::string_view value, int fallback)
{
    if (value.empty())
        return fallback;
    size_t at = 0;
    bool negative = false;
    if (value[0] == '-' || value[0] == '+') {
        negative = value[0] == '-';
        at = 1;
    }
    long long number = 0;
    for (; at < value.size() && std::isdigit(static_cast<unsigned char>(value[at])); ++at) {
        number = number * 10 + (value[at] - '0');
        if (number > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -number : number);
}
