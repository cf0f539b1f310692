#include "PenPipeline.h"

#include "CFilter.h"
#include "PacketClock.h"
#include "PenGeometry.h"
#include "PenMapping.h"
#include "PenPressure.h"
#include "SectionDefaults.h"
#include "ServiceCodes.h"
#include "SettingsFiles.h"
#include "VirtualPenReport.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t FLAT_REPORT_ALTITUDE = 900;

bool IsPenButton(uint8_t status) { return status == PEN_STATUS_BUTTON1 || status == PEN_STATUS_BUTTON2; }

uint8_t ButtonOfRawStatus(uint8_t raw)
{
    if (raw == 0xA2 || raw == 0xE2)
        return PEN_STATUS_BUTTON1;
    if (raw == 0xA4 || raw == 0xE4)
        return PEN_STATUS_BUTTON2;
    return PEN_STATUS_NONE;
}

// The tilt sensitivity comes from shared memory; keep the result a small angle.
int32_t BoundedAltitude(int64_t altitude)
{
    return static_cast<int32_t>(altitude < -32767 ? -32767 : altitude > 32767 ? 32767 : altitude);
}

void CopyContexts(const OnTopContexts& from, OnTopContexts& to)
{
    const int count = from.count < 0 ? 0 : from.count > MAX_ON_TOP_CONTEXTS ? MAX_ON_TOP_CONTEXTS : from.count;
    to.count = count;
    for (int i = 0; i < count; ++i) {
        to.ids[i] = from.ids[i];
        to.windows[i] = from.windows[i];
        to.options[i] = from.options[i];
        to.onTop[i] = from.onTop[i];
    }
}

}  // namespace

PenPipeline::PenPipeline(ServiceContext& context, ActionPerformer& actions)
    : context_(context), state_(*context.penState), output_(context, *context.penState), actions_(actions)
{
    PenGeometry::PrepareTiltTable();  // worked out here, not on the read thread's first report
}

void PenPipeline::ProcessPenReport(const TABLETINFO& header, const MAPPINGDEF& mapping)
{
    if (!PenMapping::HasTabletArea(mapping)) {
        // Without an area every report is dropped, a leave too: what this
        // tablet's pen pressed must not wait for the area to come back.
        if (state_.penHolder == state_.penOwner)
            LetGoOfPen(mapping);
        return;
    }
    if (!PacketClock::Advance(context_, state_))
        return;
    const bool heldBefore = PenHolds();
    CollectOnTopContexts();

    const uint8_t status = state_.report[1];
    if (status == REPORT_TOOL_ID)
        ToolIdentification();
    else if (status == REPORT_OUT_OF_RANGE)
        ProximityLeave(mapping);
    else if (header.InputReportByteLength_Pen == 10 || header.InputReportByteLength_Pen == 8)
        PenPacket(header, mapping);
    // Pen packets of any other length have no known layout and are dropped.

    if (!PenHolds())
        state_.penHolder = nullptr;
    else if (!heldBefore)
        state_.penHolder = state_.penOwner;
}

void PenPipeline::ReadThreadEnded(const void* source, const MAPPINGDEF& mapping, bool penInRange)
{
    if (source == state_.penOwner) {
        DeviceRemoved(mapping, penInRange);
        state_.penOwner = nullptr;
    } else if (source == state_.penHolder) {
        LetGoOfPen(mapping);
    }
    if (!PenHolds())
        state_.penHolder = nullptr;
}

bool PenPipeline::PenHolds() const
{
    const uint32_t bits = context_.flags.buttonState.load();
    // In the library form bit 0 alone can be the mark a context command leaves.
    const bool left = context_.policy->virtualPenOutput ? state_.leftDownInjected : (bits & HELD_LEFT_BUTTON) != 0;
    return left || state_.virtualTipDown || (bits & (HELD_PEN_BUTTON1 | HELD_PEN_BUTTON2)) != 0;
}

void PenPipeline::LetGoOfPen(const MAPPINGDEF& mapping)
{
    if (!PenHolds())
        return;
    DeviceRemoved(mapping, false);
    // Nothing is down any more: the next report is no lift and no button release.
    state_.previous[penframe::STATUS] = PEN_STATUS_NONE;
    state_.penHolder = nullptr;
}

void PenPipeline::DeviceRemoved(const MAPPINGDEF& mapping, bool penInRange)
{
    if (penInRange) {
        // The pen buttons' presses come up without their release actions.
        actions_.ReleaseHeldButtons(false);
        CollectOnTopContexts();
        ProximityLeave(mapping);
        return;
    }
    // In the library form bit 0 alone can be the mark a context command
    // leaves; only a button that was injected comes up.
    actions_.ReleaseHeldButtons(!context_.policy->virtualPenOutput || state_.leftDownInjected);
    state_.leftDownInjected = false;
    // A leave the pipeline could not take (the mapping had no tablet area)
    // left the virtual pen touching: it is lifted and taken out of range.
    if (state_.virtualTipDown) {
        output_.VirtualPen(state_.lastX, state_.lastY, 0, context_.pen->pen.clickSensitivity, mapping.tabletArea);
        VirtualPenReport::WriteVirtualOutOfRangeReport(*context_.system, state_.lastX, state_.lastY, 0,
                                                       mapping.tabletArea);
        context_.flags.buttonState.fetch_and(~HELD_LEFT_BUTTON);  // the touch's bit
    }
}

void PenPipeline::CollectOnTopContexts()
{
    const BuildPolicy& policy = *context_.policy;
    // The library form holds on to the last contexts while its left button is down.
    const bool mayKeep =
        policy.keepsOnTopWhileLeftDown && (context_.flags.buttonState.load() & HELD_LEFT_BUTTON) != 0;
    OnTopContexts& target = mayKeep ? state_.collected : state_.onTop;
    target.count = 0;
    if (context_.registry != nullptr) {
        context_.registry->RefreshOnTopContexts(state_.registryView, state_.registryChanges);
        CopyContexts(state_.registryView, target);
    }

    if (target.count == 0 && policy.clientlessReportEnablesPointer)
        context_.flags.pointerOutput.store(1);
    if (mayKeep && target.count > 0)
        CopyContexts(target, state_.onTop);
}

// A client that was killed leaves its contexts behind: its packets would go
// on to a window handle another program may come to own, and every stroke
// start would wait for its reading. Its windows are looked at once a stroke,
// before this stroke's packets go out.
void PenPipeline::DropClosedClients(PenPacketWork& work)
{
    if (context_.registry == nullptr || context_.registry->DropContextsOfClosedWindows() == 0)
        return;
    state_.onTop.count = 0;  // a kept collection must not hold on to a dropped window
    CollectOnTopContexts();
    work.clients = state_.onTop.count > 0;
}

// ---------------------------------------------------------------------------
// Tool identification

void PenPipeline::ToolIdentification()
{
    const BuildPolicy& policy = *context_.policy;
    const uint8_t* report = state_.report;
    const uint16_t toolId = static_cast<uint16_t>((report[2] << 4) | (report[3] >> 4));
    const uint8_t nibble = report[3] & 0x0F;
    state_.toolPacket = 1;

    if (policy.toolIdSamplesSwapButtons && context_.system->MouseButtonsSwapped())
        context_.flags.swappedButtons.store(1);

    if (policy.tracksToolChanges) {
        if (toolId != state_.tool.toolId)
            context_.flags.clientsOrToolChanged.store(1);
        state_.lastX = 0;
        state_.lastY = 0;
    }

    state_.tool.reportId = report[0];
    state_.tool.status = report[1];
    state_.tool.toolId = toolId;
    state_.tool.serialNibble = nibble;
    std::memcpy(state_.tool.serialBytes, report + 4, 4);

    // The pen record is another pen's only when both its id and its serial differ.
    PENSETTINGS& pen = context_.pen->pen;
    const bool otherId = static_cast<uint16_t>(pen.toolId) != toolId;
    const bool otherSerial = pen.serialNibble != nibble || std::memcmp(pen.serialBytes, report + 4, 4) != 0;
    if (otherId && otherSerial)
        ReloadPenRecord();
    pen.toolId = static_cast<int16_t>(toolId);
    pen.serialNibble = nibble;
    std::memcpy(pen.serialBytes, report + 4, 4);

    const uint32_t serial = static_cast<uint32_t>(report[4]) << 24 | static_cast<uint32_t>(report[5]) << 16 |
                            static_cast<uint32_t>(report[6]) << 8 | report[7];
    const OnTopContexts& onTop = state_.onTop;
    for (int i = 0; i < onTop.count; ++i)
        context_.system->PostWindowMessage(onTop.windows[i], WM_PEN_TOOL_ID, static_cast<uint32_t>(toolId) << 16 | nibble,
                                     serial);

    state_.toolDebounce = policy.toolDebounceReports;
    if (policy.recordsToolTime)
        state_.toolTime = context_.system->TickCount();
}

void PenPipeline::ReloadPenRecord()
{
    PENSETTINGS& pen = context_.pen->pen;
    const BuildPolicy& policy = *context_.policy;
    if (context_.files != nullptr &&
        SettingsFiles(*context_.system, *context_.files, policy.files).ReadPenSettingsFile(pen) != 0)
        return;
    SetPenDefaultValues(pen, policy.toolDefaultsFollowModelFlag && context_.flags.modelFlag.load() != 0);
}

// ---------------------------------------------------------------------------
// Proximity leave

void PenPipeline::ProximityLeave(const MAPPINGDEF& mapping)
{
    const BuildPolicy& policy = *context_.policy;
    if (policy.leaveRestartsClock) {
        if (context_.system->MouseButtonsSwapped())
            context_.flags.swappedButtons.store(1);
        PacketClock::Restart(context_, state_);
    }
    ReleaseHeldPenButtons();
    output_.ResetRing();
    output_.PostToOnTop(WT_PROXIMITY, PROXIMITY_LEAVE);
    if (policy.leavePostsCursorChange)
        output_.PostCursorChange(static_cast<uint32_t>(state_.packetSerial));
    ReleaseLeftButtonAtLeave(mapping);

    std::memcpy(state_.previous, state_.report, PEN_FRAME_SIZE);
    state_.previous[penframe::STATUS] = PEN_STATUS_NONE;
    if (policy.tracksToolChanges) {
        context_.flags.clientsOrToolChanged.store(1);
        state_.lastX = 0;
        state_.lastY = 0;
    }
}

// Every held pen-button action is released, the second button's first.
void PenPipeline::ReleaseHeldPenButtons()
{
    for (uint8_t status : {PEN_STATUS_BUTTON2, PEN_STATUS_BUTTON1}) {
        if ((context_.flags.buttonState.load() & HeldBitOf(status)) == 0)
            continue;
        ReleasePenButton(status);
        if (context_.policy->leaveReleaseMovesPointer)
            output_.Pointer(MOUSE_MOVE, state_.lastX, state_.lastY);
    }
}

void PenPipeline::ReleaseLeftButtonAtLeave(const MAPPINGDEF& mapping)
{
    const BuildPolicy& policy = *context_.policy;
    ISystem& system = *context_.system;
    const bool held = (context_.flags.buttonState.load() & HELD_LEFT_BUTTON) != 0;
    const bool clients = state_.onTop.count > 0;

    if (policy.virtualPenOutput) {
        // The library form releases only what pointer output sent, and tells
        // the virtual pen it left when no client window takes the packets.
        // A touch begun on the other route (a client window came or went
        // since) is released there too.
        const bool touching = state_.virtualTipDown;
        if (held && (context_.flags.pointerOutput.load() != 0 || state_.leftDownInjected || touching)) {
            if (!clients || touching)
                output_.VirtualPen(state_.lastX, state_.lastY, 0, context_.pen->pen.clickSensitivity,
                                   mapping.tabletArea);
            if (clients || state_.leftDownInjected) {
                system.MouseEvent(MOUSE_VIRTUALDESK | MOUSE_LEFTUP, 0, 0, 0, 0);
                system.MouseEvent(MOUSE_VIRTUALDESK | MOUSE_MOVE, 0, 0, 0, 0);
            }
            context_.flags.buttonState.fetch_and(~HELD_LEFT_BUTTON);
            state_.leftDownInjected = false;
        }
        if (!clients || touching) {
            VirtualPenReport::WriteVirtualOutOfRangeReport(system, state_.lastX, state_.lastY, 0, mapping.tabletArea);
            state_.virtualTipDown = false;
        }
        return;
    }
    if (!held)
        return;
    if (policy.leaveLiftAtLastPosition)
        output_.Pointer(MOUSE_LEFTUP, state_.lastX, state_.lastY);
    else
        system.MouseEvent(MOUSE_VIRTUALDESK | MOUSE_LEFTUP, 0, 0, 0, 0);
    context_.flags.buttonState.fetch_and(~HELD_LEFT_BUTTON);
    state_.leftDownInjected = false;
}

// ---------------------------------------------------------------------------
// Pen packet

void PenPipeline::PenPacket(const TABLETINFO& header, const MAPPINGDEF& mapping)
{
    const BuildPolicy& policy = *context_.policy;
    uint8_t* report = state_.report;

    PenPacketWork work;
    work.previousStatus = state_.previous[penframe::STATUS];
    work.clients = state_.onTop.count > 0;

    PenGeometry::RotateReport(header, report, policy.rotatesByServiceCode ? context_.flags.rotationCode.load() : 0);
    int32_t azimuth = 0;
    int32_t altitude = 0;
    int32_t pressure = DecodePressure(header, azimuth, altitude);
    const int64_t range = static_cast<int64_t>(header.pressureMax) - header.pressureMin;
    pressure = PenPressure::ApplyCurve(pressure, context_.pen->pen.pressureSensitivity, range, policy.roundsPressureUp);
    ApplyClickThreshold(work, pressure, range);
    if (work.clients && work.previousStatus == PEN_STATUS_NONE && work.status == PEN_STATUS_TIP)
        DropClosedClients(work);

    output_.Calibrate(work);
    work.clientsOrToolChanged = TakeClientsOrToolChanged();
    output_.FillPacket(work, azimuth, altitude);
    output_.NotifyClients(work);
    output_.MapAndQueue(work, header, mapping);
    ButtonsAndPointer(work, mapping);
    output_.Finish(work);
    std::memcpy(state_.previous, report, PEN_FRAME_SIZE);
}

// Taken in one step, so a context command that sets the flag while this
// packet is on its way is seen by the next packet, not lost. The second
// brand's tool-changed flag waits, untaken, while a tool packet is pending.
int32_t PenPipeline::TakeClientsOrToolChanged()
{
    std::atomic<int32_t>& flag = context_.flags.clientsOrToolChanged;
    if (context_.policy->tracksToolChanges && state_.toolPacket != 0)
        return flag.load();
    return flag.exchange(0);
}

int32_t PenPipeline::DecodePressure(const TABLETINFO& header, int32_t& azimuth, int32_t& altitude)
{
    const uint8_t* report = state_.report;
    const uint16_t length = header.InputReportByteLength_Pen;
    int32_t pressure = PenPressure::Decode(report, length, header.pressureMax);
    if (length == 10) {
        PenGeometry::LookUpTilt(report, azimuth, altitude);
        altitude = BoundedAltitude(static_cast<int64_t>(altitude) - context_.pen->pen.tiltSensitivity);
    } else {
        azimuth = 0;
        altitude = FLAT_REPORT_ALTITUDE;
    }
    // A new tool's first packets carry no pressure.
    if (state_.toolDebounce != 0 && PenPressure::DebounceBits(report) != 0) {
        --state_.toolDebounce;
        pressure = 0;
    }
    return pressure;
}

void PenPipeline::ApplyClickThreshold(PenPacketWork& work, int32_t pressure, int64_t range)
{
    uint8_t* report = state_.report;
    const uint8_t previous = work.previousStatus;
    const int32_t threshold = std::max(context_.pen->pen.clickSensitivity, 0);
    work.clickThreshold = threshold;

    if (pressure > threshold && !IsPenButton(previous)) {
        work.pressure = PenPressure::AboveThreshold(pressure, threshold, range, context_.policy->roundsPressureUp);
        work.status = PEN_STATUS_TIP;
        if (context_.filter != nullptr) {
            if (previous != PEN_STATUS_TIP)
                context_.filter->Reset(0);
            uint16_t x = FrameU16(report, penframe::X);
            uint16_t y = FrameU16(report, penframe::Y);
            context_.filter->Process(x, y, 1);
            SetFrameU16(report, penframe::X, x);
            SetFrameU16(report, penframe::Y, y);
        }
    } else {
        // A lift always passes one report without tip or button.
        work.pressure = 0;
        work.status = previous == PEN_STATUS_TIP ? PEN_STATUS_NONE : ButtonOfRawStatus(report[1]);
    }
    report[penframe::STATUS] = work.status;
}

// ---------------------------------------------------------------------------
// Pen buttons and pointer output

void PenPipeline::ButtonsAndPointer(PenPacketWork& work, const MAPPINGDEF& mapping)
{
    const BuildPolicy& policy = *context_.policy;
    const bool pointerOn = context_.flags.pointerOutput.load() != 0;
    const uint8_t previous = work.previousStatus;
    const uint8_t current = work.status;
    const bool lift = previous == PEN_STATUS_TIP && current == PEN_STATUS_NONE;

    if (policy.pointerGatesPenActions && !pointerOn)
        return;
    const bool buttonChanged = PenButtonChange(previous, current);
    if (policy.virtualPenOutput && !work.clients) {
        if (pointerOn || lift)
            output_.VirtualOutput(work, mapping);
        return;
    }
    if (buttonChanged) {
        if (policy.penButtonMovesPointer)
            output_.Move(work);
        return;
    }
    if (lift) {
        if (policy.liftWritesOwnPackets && (context_.flags.buttonState.load() & HELD_LEFT_BUTTON) != 0)
            output_.LiftSequence(work);
        else
            output_.Lift();
        output_.LiftVirtualPen(work, mapping);
        return;
    }
    if (!pointerOn)
        return;
    if (previous == PEN_STATUS_NONE && current == PEN_STATUS_TIP) {
        if (policy.strokeStartMovesFirst)
            output_.StrokeStartMovingFirst(work);
        else
            output_.StrokeStart(work);
        return;
    }
    output_.Move(work);
}

// Presses and releases pen-button actions on a change of button status. A
// move straight from one button to the other releases the first, so no
// action stays held.
bool PenPipeline::PenButtonChange(uint8_t previous, uint8_t current)
{
    if (previous == current || !(IsPenButton(previous) || IsPenButton(current)))
        return false;
    if (previous != PEN_STATUS_NONE && !IsPenButton(previous))
        return false;
    if (current != PEN_STATUS_NONE && !IsPenButton(current))
        return false;
    if (IsPenButton(previous) && IsPenButton(current) && HeldBitOf(previous) == HeldBitOf(current))
        return false;
    if (IsPenButton(previous))
        ReleasePenButton(previous);
    if (IsPenButton(current))
        PressPenButton(current);
    return true;
}

void PenPipeline::PressPenButton(uint8_t status)
{
    context_.flags.buttonState.fetch_or(HeldBitOf(status));
    actions_.PerformAction(ActionIndexOf(status), 1, nullptr);
}

void PenPipeline::ReleasePenButton(uint8_t status)
{
    context_.flags.buttonState.fetch_and(~HeldBitOf(status));
    actions_.PerformAction(ActionIndexOf(status), 0, nullptr);
}

// The second brand keeps both pen buttons on the first bit and the second entry.
uint32_t PenPipeline::HeldBitOf(uint8_t status) const
{
    if (status == PEN_STATUS_BUTTON2 && !context_.policy->penButtonsShareSecondEntry)
        return HELD_PEN_BUTTON2;
    return HELD_PEN_BUTTON1;
}

int PenPipeline::ActionIndexOf(uint8_t status) const
{
    if (status == PEN_STATUS_BUTTON1 && !context_.policy->penButtonsShareSecondEntry)
        return 0;
    return 1;
}
