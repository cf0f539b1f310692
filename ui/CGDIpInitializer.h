// Starts GDI+ once per process and shuts it down when the guard that started
// it is the last one done. A named mapping marks "started in this process".
#pragma once
#include <windows.h>
#include <cstdint>
#include "GdiplusHeaders.h"

class CGDIpInitializer {
public:
    explicit CGDIpInitializer(bool startNow = true);
    virtual ~CGDIpInitializer();
    CGDIpInitializer(const CGDIpInitializer&) = delete;
    CGDIpInitializer& operator=(const CGDIpInitializer&) = delete;

    void Initialize();
    void Deinitialize();

    bool StartedHere() const { return m_started; }
    static int UseCount();

private:
    HANDLE m_mapping = nullptr;
    bool m_started = false;
    bool m_startAtConstruction;
    ULONG_PTR m_token = 0;
    Gdiplus::GdiplusStartupInput m_input;
};
