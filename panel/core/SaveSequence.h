// The one order of every save of the panel (pen settings, express keys,
// mapping), and which way a system takes it. Above Windows 5 the panel meets
// the library form, which stores the settings when its save command arrives;
// the service program of older systems takes no save command, so the panel
// writes the settings file itself.
#pragma once

#include <cstdint>
#include <functional>

enum class SaveWay { Command, SettingsFile };

enum class ReloadEvent { None, Keys, Mapping };

// What one page saves.
struct SaveRequest {
    int32_t command = 0;                      // the service's save command
    std::function<void()> publishFields;      // the section's fields, ahead of the command
    std::function<bool()> writeDirectly;      // older systems, instead of the command: the
                                              // settings file (and the section); false when failed
    ReloadEvent reload = ReloadEvent::None;   // the device's read thread woken last
    uint16_t vid = 0;
    uint16_t pid = 0;
};

enum class SaveResult {
    Failed,   // no connection, or the file could not be written
    Unheard,  // the command word is written, but no command event took the pulse
    Done,
};

// The service as a save meets it.
class ISaveTarget {
public:
    enum class Sent { NoConnection, Unheard, Woken };

    virtual ~ISaveTarget() = default;
    // The command word, then the pulse of the command event.
    virtual Sent SendCommand(int32_t command) = 0;
    virtual void SignalReload(ReloadEvent reload, uint16_t vid, uint16_t pid) = 0;
};

class SaveSequence {
public:
    static SaveWay WayFor(int osMajorVersion) { return osMajorVersion > 5 ? SaveWay::Command : SaveWay::SettingsFile; }

    // The section's fields, then the command and its pulse (or the direct
    // write), then the reload event; nothing after a step that failed.
    static SaveResult Run(SaveWay way, const SaveRequest& request, ISaveTarget& service);
};
