// The reading side of the packet ring in the connection section: takes the
// unread packets under the ring lock and hands them out in the 32-byte
// layout the panel asks for. The caller's buffer is written only after the
// lock is given back, so a bad buffer cannot leave the service's writers
// locked out.
#pragma once

#include "RingLock.h"
#include "SharedSections.h"
#include "WintabContract.h"

class PacketRingReader {
public:
    bool Open() { return lock_.Open(); }
    void Close() { lock_.Close(); }

    // Takes up to `maxPackets` packets, oldest first, into `out`; with `out`
    // NULL discards every unread packet. Returns the number taken.
    int Take(ConnectionSection& connection, wintab::PANELPACKET* out, int maxPackets);

    static wintab::PANELPACKET ToPanelPacket(const RINGPACKET& packet);

private:
    // Copies up to `maxPackets` unread packets into `out`, or discards them
    // all when `out` is NULL.
    static int TakeLocked(ConnectionSection& connection, wintab::PANELPACKET* out, int maxPackets);

    RingLock lock_;
};
