// Inkbrid.dll in a host process of its own, with scripted tablets and a
// settings folder: the test writes the settings, plugs tablets, opens the
// library's sections and events by their unprefixed names, and tells the host
// when to call ExitDevService and when to unload.
#pragma once

#include "ChildProcess.h"
#include "SectionView.h"
#include "SharedSections.h"
#include "TabletBench.h"
#include "TempFolder.h"
#include "TestPipe.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class LibraryHostBench {
public:
    LibraryHostBench();
    ~LibraryHostBench();
    LibraryHostBench(const LibraryHostBench&) = delete;
    LibraryHostBench& operator=(const LibraryHostBench&) = delete;

    void WriteSupportedTable(const std::vector<TABLETINFO>& models);
    void WriteSettingsFile(const std::string& relative, const void* bytes, size_t size);
    // Adds an interface to the script; its pipe exists at once unless `plugged` is false.
    TestPipe& AddInterface(const ScriptedHid& hid, bool plugged = true, DWORD bufferSize = 4096);
    // The host's virtual HID output device (19-byte output reports); a small
    // buffer that nobody reads makes its writes wait.
    TestPipe& AddVirtualOutputDevice(DWORD bufferSize = 4096);
    // The pipe to which the library echoes every report a read thread hands
    // on (a ReportEcho each), before the pipeline takes it: once the echo of
    // a report has come, the pipeline is done with every report before it.
    // The test must take the echoes: a full pipe holds the read thread up.
    TestPipe& AddEchoPipe();

    // Starts the host and waits until StartDevService has returned.
    bool Start();
    // Has the host call ExitDevService and waits until it reported on it.
    bool Exit();
    // Has the host unload the library and end; its exit code.
    int Unload();

    std::string Output() { return host_.Output(); }
    DWORD ProcessId() const { return host_.ProcessId(); }
    const TempFolder& Settings() const { return settings_; }
    // Maps the library's three sections (unprefixed names).
    bool OpenSections();
    void CloseSections();
    KeyAreaSectionHead* KeyArea() { return keyArea_.As<KeyAreaSectionHead>(); }
    KEYACTION* Keys() { return RecordKeys(keyArea_.Bytes() + KEYAREA_RECORD_OFFSET); }
    PenSection* Pen() { return pen_.As<PenSection>(); }
    ConnectionSection* Connection() { return connection_.As<ConnectionSection>(); }

private:
    std::string NewName(const char* role);
    void WriteScript();
    bool WaitForOutput(const std::string& text, DWORD timeoutMs);

    int serial_ = 0;
    TempFolder settings_;
    std::vector<std::string> lines_;
    std::vector<std::unique_ptr<TestPipe>> pipes_;
    HANDLE exitEvent_ = nullptr;
    HANDLE unloadEvent_ = nullptr;
    std::string eventsName_;
    SectionView keyArea_;
    SectionView pen_;
    SectionView connection_;
    ChildProcess host_;
    bool running_ = false;
};
