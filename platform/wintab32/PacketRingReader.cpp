#include "PacketRingReader.h"

#include <cstring>

namespace {

// A writer that died holding the lock must not hang the application's
// window thread; the packets simply wait for the next call.
constexpr DWORD LOCK_TIMEOUT_MS = 500;

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
    if (!lock_.IsOpen() || !lock_.Acquire(LOCK_TIMEOUT_MS))
        return 0;
    int taken = TakeLocked(connection, out, maxPackets);
    lock_.Release();
    return taken;
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
