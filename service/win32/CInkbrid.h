// The device service: the service shell around the runtime, with the
// command loop that serves other processes through the connection section.
#pragma once

#include "CNTService.h"
#include "ServiceRuntime.h"

#include <atomic>

class CInkbrid : public CNTService {
public:
    explicit CInkbrid(ServiceRuntime& runtime);
    ~CInkbrid() override;

    BOOL Run(int argc, char** argv, HANDLE* stopEvent) override;
    void OnStop() override;
    void OnShutdown() override;

protected:
    BOOL InitService() override;
    void OnDeviceArrival() override;

private:
    // Waits for the stop or the command event; false when the loop must end.
    bool WaitForCommand(HANDLE stopEvent);
    // Ends the read threads and waits for them, however long they take.
    void StopReadThreads();

    ServiceRuntime& runtime_;
    std::atomic<HANDLE> stopEvent_{nullptr};
    // The second brand's precise-mode messages; registered, never sent here.
    UINT preciseModeRectCenterMessage_ = 0;
    UINT preciseModeQuitMessage_ = 0;
};
