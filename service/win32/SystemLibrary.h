// A DLL of the system loaded from the system folder by its full path, never
// along the search path, and freed when it goes out of scope. For the calls
// the service needs only in one of its runs.
#pragma once

#include <windows.h>

class SystemLibrary {
public:
    explicit SystemLibrary(const char* fileName);
    ~SystemLibrary();
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    // The export, or null when the library or the export is missing.
    template <typename Function> Function Find(const char* name) const
    {
        return module_ == nullptr ? nullptr
                                  : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

private:
    HMODULE module_ = nullptr;
};
