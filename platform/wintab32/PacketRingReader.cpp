#include "PacketRingReader.h"

#include <cstring>

namespace {

bool IsRingIndex(int32_t index) { return index >= 0 && index < RING_CAPACITY; }

}  // namespace

wintab::PANELPACKET PacketRingReader::ToPanelPacket(const RINGPACKET& packet)
{
    wintab::PANELPACKET out{};
    out.cursor = packet.cursor;
    out.buttons = packet.buttons;
    out.x = packet.x;
    out.y = packet.y;
    out.normalPressure = packet.normalPressure;
    out.azimuth = packet.azimuth;
    out.altitude = packet.altitude;
    out.twist = packet.twist;
    return out;
}

int PacketRingReader::Take(ConnectionSection& connection, wintab::PANELPACKET* out, int maxPackets)
{
    // The ring never holds more than its capacity less one unread packets.
    wintab::PANELPACKET taken[RING_CAPACITY - 1];
    const int room = maxPackets < RING_CAPACITY - 1 ? maxPackets : RING_CAPACITY - 1;
    // A lock held too long is freed for the next call (see RingLock), so a
    // writer that died holding it delays this window thread once.
    if (!lock_.IsOpen() || !lock_.Acquire())
        return 0;
    const int count = TakeLocked(connection, out != nullptr ? taken : nullptr, room);
    lock_.Release();
    if (out != nullptr)
        std::memcpy(out, taken, static_cast<size_t>(count) * sizeof taken[0]);
    return count;
}

int PacketRingReader::TakeLocked(ConnectionSection& connection, wintab::PANELPACKET* out, int maxPackets)
{
    // Another process writes the indexes: read each once and use only values
    // that name a slot of the ring.
    volatile ConnectionSection& shared = connection;
    int32_t read = shared.readIndex;
    int32_t write = shared.writeIndex;
    if (!IsRingIndex(write))
        return 0;
    if (!IsRingIndex(read)) {
        shared.readIndex = write;
        return 0;
    }
    int taken = 0;
    while (read != write && (out == nullptr || taken < maxPackets)) {
        if (out != nullptr) {
            RINGPACKET packet;
            std::memcpy(&packet, &connection.ring[read], sizeof packet);
            out[taken] = ToPanelPacket(packet);
        }
        ++taken;
        read = (read + 1) % RING_CAPACITY;
    }
    shared.readIndex = read;
    return taken;
}
