#include "EventSourceList.h"

#include <algorithm>

EventSourceList::EventSourceList(const char* bytes, size_t size)
{
    size_t at = 0;
    while (at < size && bytes[at] != '\0') {
        size_t end = at;
        while (end < size && bytes[end] != '\0')
            ++end;
        names_.emplace_back(bytes + at, end - at);
        at = end + 1;
    }
}

bool EventSourceList::Add(const std::string& name)
{
    if (std::find(names_.begin(), names_.end(), name) != names_.end())
        return false;
    names_.push_back(name);
    return true;
}

bool EventSourceList::Remove(const std::string& name)
{
    const auto kept = std::remove(names_.begin(), names_.end(), name);
    if (kept == names_.end())
        return false;
    names_.erase(kept, names_.end());
    return true;
}

std::vector<char> EventSourceList::ToMultiString() const
{
    std::vector<char> data;
    for (const std::string& name : names_) {
        data.insert(data.end(), name.begin(), name.end());
        data.push_back('\0');
    }
    data.push_back('\0');
    if (names_.empty())
        data.push_back('\0');
    return data;
}
