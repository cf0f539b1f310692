// The names of an event log's "Sources" value, a multi-string: each name
// ends with a zero, and the list with one more.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class EventSourceList {
public:
    EventSourceList() = default;
    // The value's bytes as stored; a missing final zero counts as there.
    EventSourceList(const char* bytes, size_t size);

    // False when the name is listed already.
    bool Add(const std::string& name);
    // False when the name was not listed.
    bool Remove(const std::string& name);
    // The bytes to store: an empty list is two zeros.
    std::vector<char> ToMultiString() const;

private:
    std::vector<std::string> names_;
};
