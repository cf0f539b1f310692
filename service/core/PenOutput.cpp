#include "PenOutput.h"

#include "CDataManage.h"
#include "ServiceCodes.h"
#include "VirtualPenReport.h"

#include <cstring>

namespace {

constexpr uint32_t POINTER_FLAGS = MOUSE_ABSOLUTE | MOUSE_VIRTUALDESK;

// Change-mask bits (the Wintab packet-data bits of the changed fields).
constexpr uint32_t CHANGED_ALWAYS = 0x10 | 0x4;  // serial number, time
constexpr uint32_t CHANGED_CURSOR = 0x20;
constexpr uint32_t CHANGED_BUTTONS = 0x40;
constexpr uint32_t CHANGED_X = 0x80;
constexpr uint32_t CHANGED_Y = 0x100;
constexpr uint32_t CHANGED_PRESSURE = 0x400;
constexpr uint32_t CHANGED_ORIENTATION = 0x1000;
constexpr uint32_t CHANGED_REPEAT = 0x414;
constexpr uint32_t CHANGED_REPEAT_SECOND_BRAND = 0x14;

constexpr uint32_t PACKET_STATUS_ERASER = 0x10;
constexpr uint32_t CURSOR_PEN = 1;
constexpr uint32_t CURSOR_ERASER = 2;
constexpr uint16_t TOOL_ERASER_BIT = 8;

constexpr size_t TITLE_BUFFER_SIZE = 129;  // up to 128 characters
constexpr size_t IMAGE_NAME_SIZE = 260;
constexpr uint32_t FIRST_TOUCH_SETTLE_MS = 200;
constexpr uint32_t FIRST_TOUCH_EXTRA_MS = 100;

int16_t ClampAltitude(int64_t altitude)
{
    // Kept within what the frame's 16 bits hold with either sign.
    return static_cast<int16_t>(altitude < -32767 ? -32767 : altitude > 32767 ? 32767 : altitude);
}

bool FieldDiffers(const uint8_t* current, const uint8_t* previous, size_t offset)
{
    return FrameU16(current, offset) != FrameU16(previous, offset);
}

}  // namespace

int32_t PenOutput::NextSerial()
{
    int32_t serial = state_.packetSerial;
    state_.packetSerial = static_cast<int32_t>(static_cast<uint32_t>(serial) + 1u);
    return serial;
}

void PenOutput::ResetRing()
{
    if (context_.ring != nullptr)
        context_.ring->Reset();
}

void PenOutput::PutPacket(const RINGPACKET& packet)
{
    if (context_.ring != nullptr)
        context_.ring->PutPacket(packet);
}

bool PenOutput::PacketsEnabled() const
{
    return context_.pen->pen.disablePressure == 0;
}

void PenOutput::Pointer(uint32_t buttonFlags, int32_t x, int32_t y)
{
    context_.system->PointerRoutine(POINTER_FLAGS | buttonFlags, x, y, 0, 0);
}

void PenOutput::SetLeftDown(bool down)
{
    if (down)
        context_.flags.buttonState.fetch_or(HELD_LEFT_BUTTON);
    else
        context_.flags.buttonState.fetch_and(~HELD_LEFT_BUTTON);
    state_.leftDownInjected = down;
}

void PenOutput::PostToOnTop(uint32_t message, uint32_t lParam)
{
    const OnTopContexts& onTop = state_.onTop;
    for (int i = 0; i < onTop.count; ++i)
        context_.system->PostWindowMessage(onTop.windows[i], message, static_cast<uint32_t>(onTop.ids[i]), lParam);
}

void PenOutput::PostCursorChange(uint32_t serial)
{
    const OnTopContexts& onTop = state_.onTop;
    for (int i = 0; i < onTop.count; ++i)
        if (onTop.options[i] & CTX_OPTION_CSRCHANGE_MESSAGES)
            context_.system->PostWindowMessage(onTop.windows[i], WT_CSRCHANGE, serial, static_cast<uint32_t>(onTop.ids[i]));
}

void PenOutput::PostPacketMessages(uint32_t serial)
{
    const OnTopContexts& onTop = state_.onTop;
    for (int i = 0; i < onTop.count; ++i)
        if (onTop.options[i] & CTX_OPTION_PACKET_MESSAGES)
            context_.system->PostWindowMessage(onTop.windows[i], WT_PACKET, serial, static_cast<uint32_t>(onTop.ids[i]));
}

void PenOutput::Calibrate(const PenPacketWork& work)
{
    if (context_.policy->calibrationNeedsClients && !work.clients)
        return;
    uint32_t window = context_.system->FindWindowByTitle(CALIBRATION_WINDOW_TITLE);
    if (window == 0)
        return;  // posting to no window would fill the read thread's own queue
    const uint8_t* frame = state_.report;
    uint32_t position = static_cast<uint32_t>(FrameU16(frame, penframe::Y)) << 16 | FrameU16(frame, penframe::X);
    context_.system->PostWindowMessage(window, WM_CALIBRATE_POINT, work.status, position);
}

void PenOutput::FillPacket(PenPacketWork& work, int32_t azimuth, int32_t altitude)
{
    uint8_t* frame = state_.report;
    const uint8_t* previous = state_.previous;
    const bool eraser = (state_.tool.toolId & TOOL_ERASER_BIT) != 0;
    const int16_t storedAltitude = ClampAltitude(eraser ? -static_cast<int64_t>(altitude) : altitude);

    SetFrameU16(frame, penframe::PRESSURE, static_cast<uint16_t>(work.pressure));
    SetFrameU16(frame, penframe::AZIMUTH, static_cast<uint16_t>(azimuth));
    SetFrameU16(frame, penframe::ALTITUDE, static_cast<uint16_t>(storedAltitude));

    uint32_t changed = CHANGED_ALWAYS;
    if (FieldDiffers(frame, previous, penframe::X))
        changed |= CHANGED_X;
    if (FieldDiffers(frame, previous, penframe::Y))
        changed |= CHANGED_Y;
    if (FieldDiffers(frame, previous, penframe::PRESSURE))
        changed |= CHANGED_PRESSURE;
    if (frame[penframe::STATUS] != previous[penframe::STATUS])
        changed |= CHANGED_BUTTONS;
    if (work.clientsOrToolChanged != 0)
        changed |= CHANGED_CURSOR;
    // Compared as stored, so an eraser's negated altitude matches itself.
    if (FieldDiffers(frame, previous, penframe::AZIMUTH) || FieldDiffers(frame, previous, penframe::ALTITUDE))
        changed |= CHANGED_ORIENTATION;

    RINGPACKET& packet = work.packet;
    packet = RINGPACKET{};
    packet.status = eraser ? PACKET_STATUS_ERASER : 0;
    packet.time = state_.packetClock;
    packet.changed = changed;
    if (work.clients || context_.policy->serialPerPenPacket)
        packet.serialNumber = static_cast<uint32_t>(NextSerial());
    packet.cursor = eraser ? CURSOR_ERASER : CURSOR_PEN;
    packet.buttons = work.status;
    packet.normalPressure = static_cast<uint32_t>(work.pressure);
    packet.azimuth = azimuth;
    packet.altitude = storedAltitude;
}

void PenOutput::NotifyClients(PenPacketWork& work)
{
    const BuildPolicy& policy = *context_.policy;
    if (policy.tracksToolChanges) {
        // The tool-changed flag waits while a tool packet is pending (it was not taken then).
        if (work.clientsOrToolChanged != 0 && state_.toolPacket == 0) {
            if (work.clients)
                ResetRing();
            PostCursorChange(work.packet.serialNumber);
        }
    } else if (work.clientsOrToolChanged != 0) {
        if (work.clients)
            ResetRing();
        char title[TITLE_BUFFER_SIZE];
        const OnTopContexts& onTop = state_.onTop;
        for (int i = 0; i < onTop.count; ++i) {
            context_.system->GetWindowTitle(onTop.windows[i], title, sizeof title);
            if (std::strstr(title, COREL_PAINTER_TITLE) == nullptr)
                context_.system->PostWindowMessage(onTop.windows[i], WT_PROXIMITY, static_cast<uint32_t>(onTop.ids[i]),
                                             PROXIMITY_ENTER);
            if (onTop.options[i] & CTX_OPTION_CSRCHANGE_MESSAGES)
                context_.system->PostWindowMessage(onTop.windows[i], WT_CSRCHANGE, work.packet.serialNumber,
                                             static_cast<uint32_t>(onTop.ids[i]));
        }
    }

    if (state_.toolPacket != 0) {
        const OnTopContexts& onTop = state_.onTop;
        for (int i = 0; i < onTop.count; ++i) {
            context_.system->PostWindowMessage(onTop.windows[i], WT_PROXIMITY, static_cast<uint32_t>(onTop.ids[i]),
                                         PROXIMITY_TOOL);
            if (onTop.options[i] & CTX_OPTION_CSRCHANGE_MESSAGES)
                context_.system->PostWindowMessage(onTop.windows[i], WT_CSRCHANGE, work.packet.serialNumber,
                                             static_cast<uint32_t>(onTop.ids[i]));
        }
        state_.toolPacket = 0;
        // The rest of this report sees no tip and no button; the packet keeps its status.
        work.status = PEN_STATUS_NONE;
        state_.report[penframe::STATUS] = PEN_STATUS_NONE;
    }
}

void PenOutput::MapAndQueue(PenPacketWork& work, const TABLETINFO& header, const MAPPINGDEF& mapping)
{
    const BuildPolicy& policy = *context_.policy;
    const uint8_t* frame = state_.report;
    const bool keyAreaMapped = context_.keyArea.valid();

    RECT32 screenArea = mapping.screenArea;
    if (!policy.integerMappingFromThreadCopy && work.clients && keyAreaMapped && context_.system->MonitorCount() > 1)
        screenArea = context_.keyArea.head()->record.mapping.screenArea;
    work.screen = PenMapping::ToScreen(FrameU16(frame, penframe::X), FrameU16(frame, penframe::Y), mapping.tabletArea,
                                       screenArea, policy.integerMappingFromThreadCopy);

    const TABLETINFO& extents = keyAreaMapped ? context_.keyArea.head()->record.info : header;
    work.packet.x = PenMapping::ToPacket(work.screen.x, extents.xMax, policy.integerMappingFromThreadCopy);
    work.packet.y = PenMapping::ToPacket(work.screen.y, extents.yMax, policy.integerMappingFromThreadCopy);

    const bool strokeStart = work.previousStatus == PEN_STATUS_NONE && work.status == PEN_STATUS_TIP;
    // The library form's lift writes its own packets around the button-up.
    const bool lift = policy.liftWritesOwnPackets && work.previousStatus == PEN_STATUS_TIP &&
                      work.status != PEN_STATUS_TIP;
    if (PacketsEnabled() && work.clients && !strokeStart && !lift)
        PutPacket(work.packet);
}

RINGPACKET PenOutput::RepeatPacket(const RINGPACKET& packet, uint32_t changed)
{
    RINGPACKET again = packet;
    again.time = packet.time + 1;
    again.serialNumber = static_cast<uint32_t>(NextSerial());
    again.changed = changed;
    return again;
}

void PenOutput::WaitForReader()
{
    if (context_.ring == nullptr || context_.ring->GetReadIndex() == context_.ring->GetWriteIndex())
        return;
    if (context_.policy->strokeStartDebugLine)
        context_.system->DebugOutput("Inkbrid: packet ring not read yet\n");
    context_.system->Sleep(3);
}

void PenOutput::Move(const PenPacketWork& work)
{
    Pointer(MOUSE_MOVE, work.screen.x, work.screen.y);
}

void PenOutput::StrokeStart(PenPacketWork& work)
{
    context_.system->Sleep(1);
    if (work.clients && PacketsEnabled()) {
        // Touch-down announced first as a hover packet at the same place.
        RINGPACKET hover = work.packet;
        hover.buttons = 0;
        hover.normalPressure = 0;
        hover.changed &= ~(CHANGED_BUTTONS | CHANGED_PRESSURE);
        PutPacket(hover);
        PostPacketMessages(hover.serialNumber);
    }
    Move(work);
    if (work.clients) {
        WaitForReader();
        WaitForReader();
        if (PacketsEnabled())
            PutPacket(RepeatPacket(work.packet, CHANGED_REPEAT));
    }
    Pointer(MOUSE_LEFTDOWN, work.screen.x, work.screen.y);
    SetLeftDown(true);
}

void PenOutput::StrokeStartMovingFirst(PenPacketWork& work)
{
    Move(work);
    if (work.clients)
        context_.system->Sleep(4);
    Pointer(MOUSE_LEFTDOWN, work.screen.x, work.screen.y);
    SetLeftDown(true);
    if (work.clients && PacketsEnabled()) {
        PutPacket(work.packet);
        PostPacketMessages(work.packet.serialNumber);
        PutPacket(RepeatPacket(work.packet, CHANGED_REPEAT_SECOND_BRAND));
    }
}

void PenOutput::Lift()
{
    Pointer(MOUSE_LEFTUP, state_.lastX, state_.lastY);
    SetLeftDown(false);
}

void PenOutput::LiftSequence(PenPacketWork& work)
{
    if (PacketsEnabled()) {
        // The last touching packet, so the client sees the tip leave where it is.
        RINGPACKET touching = work.packet;
        touching.buttons = PEN_STATUS_TIP;
        touching.normalPressure = static_cast<uint32_t>(static_cast<int64_t>(work.clickThreshold) + 10);
        touching.changed &= ~CHANGED_BUTTONS;
        PutPacket(touching);
        PostPacketMessages(touching.serialNumber);
    }
    Move(work);
    context_.system->Sleep(4);
    if (PacketsEnabled())
        PutPacket(RepeatPacket(work.packet, CHANGED_REPEAT));
    Pointer(MOUSE_LEFTUP, work.screen.x, work.screen.y);
    SetLeftDown(false);
}

bool PenOutput::ForegroundIsPaint()
{
    char image[IMAGE_NAME_SIZE] = {};
    if (!context_.system->GetForegroundProcessImageName(image, sizeof image))
        return false;
    image[IMAGE_NAME_SIZE - 1] = '\0';
    return std::strstr(image, PAINT_IMAGE_NAME) != nullptr;
}

void PenOutput::VirtualPen(int32_t x, int32_t y, int32_t pressure, int32_t clickThreshold, const RECT32& tabletArea)
{
    const uint8_t status = VirtualPenReport::StatusOf(state_.tool.toolId, pressure, clickThreshold);
    VirtualPenReport::WriteVirtualPenReport(*context_.system, x, y, state_.tool.toolId, pressure, clickThreshold,
                                            tabletArea);
    state_.virtualTipDown =
        status == VirtualPenReport::STATUS_PEN_TIP || status == VirtualPenReport::STATUS_ERASER_TIP;
}

void PenOutput::VirtualOutput(const PenPacketWork& work, const MAPPINGDEF& mapping)
{
    ISystem& system = *context_.system;
    const int32_t x = work.screen.x;
    const int32_t y = work.screen.y;

    if (work.previousStatus == PEN_STATUS_TIP && work.status == PEN_STATUS_NONE) {
        VirtualPen(x, y, 0, work.clickThreshold, mapping.tabletArea);
        // A stroke that began through the pointer, while a client window was on top, ends there too.
        if (state_.leftDownInjected)
            Pointer(MOUSE_LEFTUP, x, y);
        SetLeftDown(false);
        return;
    }
    bool settling = false;
    if (work.status != PEN_STATUS_NONE && state_.toolTime != 0) {
        // A touch right after the pen came into range: let the system see it
        // hover first, unless Paint (which copes) is in front.
        uint32_t elapsed = system.TickCount() - state_.toolTime;
        state_.toolTime = 0;
        settling = elapsed < FIRST_TOUCH_SETTLE_MS;
        if (settling) {
            VirtualPen(x, y, 0, work.clickThreshold, mapping.tabletArea);
            if (!ForegroundIsPaint())
                system.Sleep(elapsed + FIRST_TOUCH_EXTRA_MS);
        }
    }
    if (!settling)
        VirtualPen(x, y, work.pressure, work.clickThreshold, mapping.tabletArea);
    // Bit 0 only: the touch went to the virtual pen, not through the pointer.
    if (work.previousStatus == PEN_STATUS_NONE && work.status == PEN_STATUS_TIP)
        context_.flags.buttonState.fetch_or(HELD_LEFT_BUTTON);
}

void PenOutput::LiftVirtualPen(const PenPacketWork& work, const MAPPINGDEF& mapping)
{
    if (state_.virtualTipDown)
        VirtualPen(work.screen.x, work.screen.y, 0, work.clickThreshold, mapping.tabletArea);
}

void PenOutput::Finish(const PenPacketWork& work)
{
    state_.lastX = work.screen.x;
    state_.lastY = work.screen.y;
    PostPacketMessages(work.packet.serialNumber);
}
