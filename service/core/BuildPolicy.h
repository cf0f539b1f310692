// The three builds of the device service (service program, second-brand
// service program, library form) share one code path. Every place where they
// behave differently reads one value of this policy, next to the reference
// behaviour it changes.
#pragma once

#include "../../shared/SharedSections.h"
#include "SettingsFiles.h"

#include <cstddef>
#include <cstdint>

enum class ServiceBuild { Reference, SecondBrand, Library };

enum class SectionOrder { KeyConnectionPen, ConnectionPenKey };

struct BuildPolicy {
    ServiceBuild build;

    // Names and sections.
    const char* serviceName;          // service and display name; null for the library form
    bool globalNames;                 // "Global\" prefix on sections and events
    size_t keyAreaSize;               // 10048, 6436 or 9532 bytes
    SectionOrder sectionOrder;
    bool fillKeyAreaAtCreation;       // the library form writes only its process id
    bool createsRingLock;             // the second-brand build has no ring lock at all
    bool photoshopMutexAtSectionCreation;  // library form; the service makes it at process start
    bool hasPhotoshopMutex;
    size_t deviceRecordBufferSize;    // 0: room for the key area's capacity
    bool registersPreciseModeMessages;
    bool opensProcessToEveryone;      // service programs: their clients duplicate a handle out of the
                                      // process; the library form leaves its host's process as it is

    // Client-context registry.
    uint32_t onTopStatusMask;         // a context is on top when (status & mask) == 4
    uint32_t overlapChangeBits;       // status bits whose change makes an overlap act
    uint32_t overlapProximityMask;    // WT_PROXIMITY on overlap when (s & mask) == 4
    bool addPostsProximity;           // second brand: WT_PROXIMITY at once, no title test
    bool addRunsOverlap;              // library: add without flag/reset, then overlap
    bool removeRestoresPointer;       // library: pointer output := 1 before removal
    bool enableSetsLeftButtonBit;     // library: a non-system-cursor top context holds bit 0
    bool hasReloadDeviceCommand;      // command 18

    // Device search and settings.
    bool penButtonDefaultsInSearch;   // reference: by product id after every search
    bool penButtonsFollowModelFlag;   // library: two more models set the flag, and the flag, once set,
                                      // picks the pen-button order for every later tablet
    bool searchSetsRotation;          // second brand: rotation from the found record
    SettingsFilePolicy files;         // second brand: its own mapping writer and key table
    int32_t maxActionIndex;           // highest key slot PerformAction accepts

    // Pipeline.
    // Pen reports: tool identification and proximity leave.
    int32_t toolDebounceReports;      // pen packets whose pressure a new tool identification zeroes
    bool toolIdSamplesSwapButtons;    // SM_SWAPBUTTON read at a tool identification
    bool toolDefaultsFollowModelFlag; // pen-button defaults after a failed reload follow the model flag
    bool tracksToolChanges;           // second brand: the client flag means "tool changed" (new tool id,
                                      // proximity leave; waits for the tool packet, no WT_PROXIMITY 1)
                                      // and those events put the last injected position at 0,0
    bool recordsToolTime;             // library: tick of the last tool identification delays the first touch
    bool leaveReleaseMovesPointer;    // second brand: a released pen button also moves to the last position
    bool leavePostsCursorChange;      // second brand: WT_CSRCHANGE with the proximity leave
    bool leaveLiftAtLastPosition;     // second brand: the leave's button-up through the pointer routine
    bool leaveRestartsClock;          // library: the leave restarts the packet clock, samples SM_SWAPBUTTON
    // Pen reports: decoding and output.
    bool clientlessReportEnablesPointer;  // second brand: no on-top context turns pointer output on
    bool keepsOnTopWhileLeftDown;     // library: an empty collection keeps the last contexts while down
    bool rotatesByServiceCode;        // second brand: RotateReport takes the rotation code
    bool roundsPressureUp;            // second brand: curve above 100 and rescale take the ceiling
    bool calibrationNeedsClients;     // second brand
    bool serialPerPenPacket;          // second brand: the serial counter moves without clients too
    bool integerMappingFromThreadCopy; // second brand: never the live key area; integer arithmetic
    bool pointerGatesPenActions;      // second brand: pen buttons and the lift only with pointer output
    bool penButtonMovesPointer;       // second brand: a pen-button press or release also moves
    bool strokeStartMovesFirst;       // second brand: move, Sleep(4), down, then both packets
    bool strokeStartDebugLine;        // not in the library form
    bool liftWritesOwnPackets;        // library: the lift sends two packets around its button-up
    bool virtualPenOutput;            // library: virtual HID pen reports when no context is on top
    int16_t filterThresholdVariant;   // 1023 in the second-brand build

    // Express keys and actions.
    bool keyReportSplitStrips;        // second brand: strips in bytes 1-4, keys act on release, no overlay
    bool actionsHonourSwappedButtons; // the second brand has no swapped-buttons flag
    bool actionWheelThroughPointerRoutine;  // middle click, wheel and strip not through mouse_event
    bool keystrokeExtendedKeys;       // library: keystrokes sent as extended keys
    bool keystrokeHoldsEntry;         // second brand: remembers the held keystroke entry
    bool penButtonsShareSecondEntry;  // second brand: both pen-button statuses act on entry 1

    int32_t KeyAreaCapacity() const { return ::KeyAreaCapacity(keyAreaSize); }
    bool IsOnTop(uint32_t status) const { return (status & onTopStatusMask) == 4; }

    static const BuildPolicy& Reference();
    static const BuildPolicy& SecondBrand();
    static const BuildPolicy& Library();
    static const BuildPolicy& For(ServiceBuild build);
};
