// The device service running in the foreground for a test, with its settings
// folder in a temporary folder. Stopped the way a session end stops it.
#pragma once

#include "ChildProcess.h"
#include "TempFolder.h"

#include <string>
#include <vector>

class RunningService {
public:
    // program: "Inkbrid.exe" or "InkbridPenmira.exe"; globalNames: the sections carry "Global\".
    explicit RunningService(const std::string& program = "Inkbrid.exe", bool globalNames = true);
    ~RunningService();

    // Adds "NAME=value" to the environment the next Start gives the service.
    void AddEnvironment(const std::string& entry) { environment_.push_back(entry); }
    // Starts it and waits until its sections are filled and its command loop
    // runs; false when that never happens.
    bool Start();
    // Ends the command loop through the faceless window; returns the exit code.
    int Stop();

    const TempFolder& Settings() const { return settings_; }
    DWORD ProcessId() const { return child_.ProcessId(); }
    std::string SectionName(const char* base) const;
    ChildProcess& Child() { return child_; }

private:
    std::string program_;
    bool globalNames_;
    TempFolder settings_;
    std::vector<std::string> environment_;
    ChildProcess child_;
    bool running_ = false;
};
