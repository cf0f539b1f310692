// A language file held in memory, read with the profile functions' rules.
#pragma once

#include "ProfileSource.h"

#include <cstdlib>
#include <map>
#include <string>

class ProfileTable : public IProfileSource {
public:
    std::map<std::string, std::map<std::string, std::string>> sections;

    std::string ReadString(const char* section, const char* key, const char* fallback, size_t room) const override
    {
        const std::string* found = Find(section, key);
        std::string text = found != nullptr ? *found : fallback;
        return room == 0 ? std::string() : text.substr(0, room - 1);
    }
    int ReadInt(const char* section, const char* key, int fallback) const override
    {
        const std::string* found = Find(section, key);
        return found != nullptr ? std::atoi(found->c_str()) : fallback;
    }

private:
    const std::string* Find(const char* section, const char* key) const
    {
        auto s = sections.find(section);
        if (s == sections.end())
            return nullptr;
        auto k = s->second.find(key);
        return k == s->second.end() ? nullptr : &k->second;
    }
};
