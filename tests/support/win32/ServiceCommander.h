// Another process's side of the command word: fills the command fields of
// the connection section and signals the service's command event, as the
// panel, the rotation watcher and the tablet-interface library do.
#pragma once

#include "SectionView.h"
#include "SharedSections.h"

#include <windows.h>

#include <string>

class ServiceCommander {
public:
    ServiceCommander() = default;
    ~ServiceCommander();
    ServiceCommander(const ServiceCommander&) = delete;
    ServiceCommander& operator=(const ServiceCommander&) = delete;

    // Opens the connection section and the command event: by name for the
    // library form, else duplicated from the process whose id is at +0.
    bool Open(bool globalNames, bool libraryForm = false);
    ConnectionSection* Connection() const { return connection_.As<ConnectionSection>(); }

    void SetContext(int32_t id, HWND window, uint32_t status, uint32_t options = 0);
    // Writes the code, sets the event and waits until the service has taken
    // it (the loop resets the event on waking); false when it was not taken
    // within a few seconds. A pulse would be lost on a busy machine whenever
    // the loop is not waiting at that moment.
    [[nodiscard]] bool Send(int32_t code);
    // Sends the code no command uses; true once the loop has taken it, so
    // everything the service does before its loop is done.
    bool Ping(DWORD timeoutMs);
    // Writes the code and sets the event, as a careless client does.
    void Raise(int32_t code);

private:
    bool Taken(DWORD timeoutMs) const;

    SectionView connection_;
    HANDLE commandEvent_ = nullptr;
};

// A message-only window that records what is posted to it.
class MessageSink {
public:
    MessageSink();
    ~MessageSink();
    MessageSink(const MessageSink&) = delete;
    MessageSink& operator=(const MessageSink&) = delete;

    HWND Window() const { return window_; }
    // Pumps until a message `message` arrives or the time runs out.
    bool WaitFor(UINT message, DWORD timeoutMs, WPARAM* wParam = nullptr, LPARAM* lParam = nullptr);
    // Pumps for `ms` and counts `message`.
    int CountFor(UINT message, DWORD ms);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
};
