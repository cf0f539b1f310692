// The pen-report processor the read threads call for every report that is
// not an express-key report: tool identification, pen leaving proximity, or
// a pen packet, decoded and sent on through the output steps.
#pragma once

#include "ActionPerformer.h"
#include "PenOutput.h"
#include "PenReportState.h"
#include "ServiceContext.h"
#include "TabletRecords.h"

#include <cstdint>

class PenPipeline {
public:
    // The context's pen state, pen section and system door must be set.
    // actions performs the pen buttons; it is the one the express keys use,
    // so a held keystroke entry is one for both.
    PenPipeline(ServiceContext& context, ActionPerformer& actions);

    // Handles the report in the state's read buffer with the read thread's
    // copies of the device's header and mapping block.
    void ProcessPenReport(const TABLETINFO& header, const MAPPINGDEF& mapping);
    // A tablet's read thread ends (the tablet went away, or the service
    // stops): what its reports pressed comes up and no action runs. The pen
    // the state follows, when it is this tablet's, leaves proximity too.
    // source: the read thread, as the report sink names it.
    void ReadThreadEnded(const void* source, const MAPPINGDEF& mapping, bool penInRange);
    // A device went away: whatever the pen held (left button, pen-button
    // actions) is released. A pen still in range leaves proximity with
    // everything that goes with it; one that had left posts nothing more.
    void DeviceRemoved(const MAPPINGDEF& mapping, bool penInRange);

private:
    // The pen has something pressed in the system.
    bool PenHolds() const;
    // Lets go of what the pen holds without a report: nothing is posted, and
    // the next report starts from a pen with nothing down.
    void LetGoOfPen(const MAPPINGDEF& mapping);
    void CollectOnTopContexts();
    void DropClosedClients(PenPacketWork& work);
    void ToolIdentification();
    void ReloadPenRecord();
    void ProximityLeave(const MAPPINGDEF& mapping);
    void ReleaseHeldPenButtons();
    void ReleaseLeftButtonAtLeave(const MAPPINGDEF& mapping);
    void PenPacket(const TABLETINFO& header, const MAPPINGDEF& mapping);
    int32_t TakeClientsOrToolChanged();
    int32_t DecodePressure(const TABLETINFO& header, int32_t& azimuth, int32_t& altitude);
    void ApplyClickThreshold(PenPacketWork& work, int32_t pressure, int64_t range);
    void ButtonsAndPointer(PenPacketWork& work, const MAPPINGDEF& mapping);
    bool PenButtonChange(uint8_t previous, uint8_t current);
    void PressPenButton(uint8_t status);
    void ReleasePenButton(uint8_t status);
    uint32_t HeldBitOf(uint8_t status) const;
    int ActionIndexOf(uint8_t status) const;

    ServiceContext& context_;
    PenReportState& state_;
    PenOutput output_;
    ActionPerformer& actions_;
};
