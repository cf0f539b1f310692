// The output steps of a decoded pen packet: the calibration window, the
// packet and its client notifications, the mapping onto the screen, the
// packet ring, and the pointer (or, in the library form without a client
// window, the virtual pen device).
#pragma once

#include "PenMapping.h"
#include "PenReportState.h"
#include "ServiceContext.h"
#include "TabletRecords.h"

#include <cstdint>

// One pen packet on its way out.
struct PenPacketWork {
    RINGPACKET packet{};
    uint8_t previousStatus = 0;
    uint8_t status = 0;        // normalised status; a tool packet turns it to 0
    int32_t pressure = 0;      // after curve and threshold
    int32_t clickThreshold = 0;
    bool clients = false;      // at least one on-top context
    int32_t clientsOrToolChanged = 0;  // the flag of that name as this packet took it
    ScreenPoint screen;
};

class PenOutput {
public:
    PenOutput(ServiceContext& context, PenReportState& state) : context_(context), state_(state) {}

    // Posts the decoded position and status to the calibration window.
    void Calibrate(const PenPacketWork& work);
    // Writes pressure, azimuth and altitude into the frame and fills the
    // packet with its change mask against the previous frame.
    void FillPacket(PenPacketWork& work, int32_t azimuth, int32_t altitude);
    // The client-list-changed and tool-packet notifications.
    void NotifyClients(PenPacketWork& work);
    // Screen position and packet position, then the packet into the ring.
    void MapAndQueue(PenPacketWork& work, const TABLETINFO& header, const MAPPINGDEF& mapping);

    void Move(const PenPacketWork& work);
    void StrokeStart(PenPacketWork& work);
    void StrokeStartMovingFirst(PenPacketWork& work);
    void Lift();
    void LiftSequence(PenPacketWork& work);
    void VirtualOutput(const PenPacketWork& work, const MAPPINGDEF& mapping);
    // A lift through the pointer also lifts the virtual pen when it was last
    // told it touches (library form, before a client window came on top).
    void LiftVirtualPen(const PenPacketWork& work, const MAPPINGDEF& mapping);
    // A virtual pen report; remembers whether it tells the tip touches.
    void VirtualPen(int32_t x, int32_t y, int32_t pressure, int32_t clickThreshold, const RECT32& tabletArea);
    // The last position and WT_PACKET, for every pen packet.
    void Finish(const PenPacketWork& work);

    // Messages to the on-top contexts of this report.
    void PostToOnTop(uint32_t message, uint32_t lParam);
    void PostCursorChange(uint32_t serial);
    void PostPacketMessages(uint32_t serial);

    // Pointer routine with the absolute, virtual-desktop flags.
    void Pointer(uint32_t buttonFlags, int32_t x, int32_t y);
    int32_t NextSerial();
    void ResetRing();

private:
    void PutPacket(const RINGPACKET& packet);
    bool PacketsEnabled() const;
    void WaitForReader();
    RINGPACKET RepeatPacket(const RINGPACKET& packet, uint32_t changed);
    bool ForegroundIsPaint();
    void SetLeftDown(bool down);

    ServiceContext& context_;
    PenReportState& state_;
};
