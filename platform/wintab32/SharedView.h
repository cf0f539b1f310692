// A view of a section another process created, mapped for exactly the bytes
// we read. Mapping fails when the section is smaller, so a short section can
// never be read past its end.
#pragma once

#include "ScopedHandle.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

class SharedView {
public:
    SharedView() = default;
    ~SharedView() { Close(); }
    SharedView(const SharedView&) = delete;
    SharedView& operator=(const SharedView&) = delete;

    bool Open(const char* name, size_t size, DWORD access)
    {
        Close();
        mapping_.Reset(OpenFileMappingA(access, FALSE, name));
        if (!mapping_)
            return false;
        view_ = MapViewOfFile(mapping_.Get(), access, 0, 0, size);
        if (view_ == nullptr) {
            mapping_.Reset();
            return false;
        }
        return true;
    }
    void Close()
    {
        if (view_ != nullptr)
            UnmapViewOfFile(view_);
        view_ = nullptr;
        mapping_.Reset();
    }

    bool IsOpen() const { return view_ != nullptr; }
    template <typename T> T* As() const { return static_cast<T*>(view_); }

private:
    ScopedHandle mapping_;
    void* view_ = nullptr;
};
