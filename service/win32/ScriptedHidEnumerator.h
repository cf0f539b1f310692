// Test seam: HID interfaces scripted by a test instead of the machine's.
// Built into the test build only (INKBRID_TEST_SEAMS), where the programs use
// it when the variable INKBRID_TEST_HID_SCRIPT names a script file. Each interface is a named pipe served by
// the test in message mode, so one pipe message is one input report and the
// read thread's overlapped reads run unchanged. Script lines:
//   device <pipe> <vid> <pid> <usage page> <usage> <input length> <output length>
//   echo <pipe>
// A "-" for the VID makes the attribute query fail, for the usage page the
// capability query. The echo pipe receives what reached the report sink.
#pragma once

#include "IHidEnumerator.h"

#include <memory>
#include <string>
#include <vector>

constexpr const char* TEST_HID_SCRIPT_VARIABLE = "INKBRID_TEST_HID_SCRIPT";

class ScriptedHidEnumerator : public IHidEnumerator {
public:
    // The seam when the variable is set, else null.
    static std::unique_ptr<ScriptedHidEnumerator> FromEnvironment();

    explicit ScriptedHidEnumerator(std::string scriptPath) : scriptPath_(std::move(scriptPath)) {}

    ScopedHandle Open(int index) override;
    HidInterfaceInfo Describe(int index, HANDLE device) override;
    void SetNumInputBuffers(HANDLE, ULONG) override {}

    // The echo pipe of the script; empty when it names none.
    std::string EchoPipe() const;

private:
    struct ScriptedInterface {
        std::string pipe;
        HidInterfaceInfo info;
    };

    // The script is read anew on every call, so a test can plug in devices.
    std::vector<std::vector<std::string>> ReadLines() const;
    bool Find(int index, ScriptedInterface& out) const;

    std::string scriptPath_;
};
