#include "CGDIpInitializer.h"

#include <cstdio>

namespace {

int g_useCount = 0;  // all guards of the process, on the UI thread

}  // namespace

CGDIpInitializer::CGDIpInitializer(bool startNow) : m_startAtConstruction(startNow) {
    if (startNow) Initialize();
}

CGDIpInitializer::~CGDIpInitializer() {
    if (m_startAtConstruction) Deinitialize();
}

int CGDIpInitializer::UseCount() { return g_useCount; }

void CGDIpInitializer::Initialize() {
    if (!m_started) {
        char name[64];
        std::snprintf(name, sizeof(name), "GDIPlusInitID=%lx", static_cast<unsigned long>(GetCurrentProcessId()));
        HANDLE mapping =
            CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_COMMIT, 0, 4, name);
        if (mapping) {
            if (GetLastError() == ERROR_ALREADY_EXISTS) {
                CloseHandle(mapping);  // another guard of this process started GDI+
            } else {
                m_mapping = mapping;
                m_started = true;
                Gdiplus::GdiplusStartup(&m_token, &m_input, nullptr);
            }
        }
    }
    ++g_useCount;
}

void CGDIpInitializer::Deinitialize() {
    const int before = g_useCount--;
    if (m_started && before == 1) {
        Gdiplus::GdiplusShutdown(m_token);
        CloseHandle(m_mapping);
        m_mapping = nullptr;
        m_started = false;
    }
}
