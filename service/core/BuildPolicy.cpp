#include "BuildPolicy.h"

namespace {

BuildPolicy MakeReference()
{
    BuildPolicy p{};
    p.build = ServiceBuild::Reference;
    p.serviceName = "Stylora";
    p.globalNames = true;
    p.keyAreaSize = KEYAREA_SIZE_SERVICE;
    p.sectionOrder = SectionOrder::KeyConnectionPen;
    p.fillKeyAreaAtCreation = true;
    p.createsRingLock = true;
    p.photoshopMutexAtSectionCreation = false;
    p.hasPhotoshopMutex = true;
    p.deviceRecordBufferSize = 0;
    p.registersPreciseModeMessages = false;
    p.opensProcessToEveryone = true;
    p.onTopStatusMask = 0xFFFFFFFFu;  // exactly 4
    p.overlapChangeBits = 1u | 4u;
    p.overlapProximityMask = 7u;
    p.addPostsProximity = false;
    p.addRunsOverlap = false;
    p.removeRestoresPointer = false;
    p.enableSetsLeftButtonBit = false;
    p.hasReloadDeviceCommand = false;
    p.penButtonDefaultsInSearch = true;
    p.penButtonsFollowModelFlag = false;
    p.searchSetsRotation = false;
    p.files = kStyloraSettingsFiles;
    p.maxActionIndex = 17;
    p.toolDebounceReports = 3;
    p.toolIdSamplesSwapButtons = true;
    p.toolDefaultsFollowModelFlag = true;
    p.tracksToolChanges = false;
    p.recordsToolTime = false;
    p.leaveReleaseMovesPointer = false;
    p.leavePostsCursorChange = false;
    p.leaveLiftAtLastPosition = false;
    p.leaveRestartsClock = false;
    p.clientlessReportEnablesPointer = false;
    p.keepsOnTopWhileLeftDown = false;
    p.rotatesByServiceCode = false;
    p.roundsPressureUp = false;
    p.calibrationNeedsClients = false;
    p.serialPerPenPacket = false;
    p.integerMappingFromThreadCopy = false;
    p.pointerGatesPenActions = false;
    p.penButtonMovesPointer = false;
    p.strokeStartMovesFirst = false;
    p.strokeStartDebugLine = true;
    p.liftWritesOwnPackets = false;
    p.virtualPenOutput = false;
    p.filterThresholdVariant = 0;
    p.keyReportSplitStrips = false;
    p.actionsHonourSwappedButtons = true;
    p.actionWheelThroughPointerRoutine = false;
    p.keystrokeExtendedKeys = false;
    p.keystrokeHoldsEntry = false;
    p.penButtonsShareSecondEntry = false;
    return p;
}

BuildPolicy MakeSecondBrand()
{
    BuildPolicy p = MakeReference();
    p.build = ServiceBuild::SecondBrand;
    p.serviceName = "Penmira";
    p.keyAreaSize = KEYAREA_SIZE_SECOND_BRAND;
    p.sectionOrder = SectionOrder::ConnectionPenKey;
    p.createsRingLock = false;
    p.hasPhotoshopMutex = false;
    p.deviceRecordBufferSize = 8192;  // models of up to 15 keys
    p.registersPreciseModeMessages = true;
    p.onTopStatusMask = 7u;
    p.overlapChangeBits = 2u | 4u;
    p.addPostsProximity = true;
    p.penButtonDefaultsInSearch = false;
    p.searchSetsRotation = true;
    p.files = kPenmiraSettingsFiles;
    p.maxActionIndex = 12;
    p.toolDebounceReports = 0;
    p.toolIdSamplesSwapButtons = false;
    p.toolDefaultsFollowModelFlag = false;
    p.tracksToolChanges = true;
    p.leaveReleaseMovesPointer = true;
    p.leavePostsCursorChange = true;
    p.leaveLiftAtLastPosition = true;
    p.clientlessReportEnablesPointer = true;
    p.rotatesByServiceCode = true;
    p.roundsPressureUp = true;
    p.calibrationNeedsClients = true;
    p.serialPerPenPacket = true;
    p.integerMappingFromThreadCopy = true;
    p.pointerGatesPenActions = true;
    p.penButtonMovesPointer = true;
    p.strokeStartMovesFirst = true;
    p.filterThresholdVariant = 1023;
    p.keyReportSplitStrips = true;
    p.actionsHonourSwappedButtons = false;
    p.actionWheelThroughPointerRoutine = true;
    p.keystrokeHoldsEntry = true;
    p.penButtonsShareSecondEntry = true;
    return p;
}

BuildPolicy MakeLibrary()
{
    BuildPolicy p = MakeReference();
    p.build = ServiceBuild::Library;
    p.serviceName = nullptr;
    p.globalNames = false;
    p.keyAreaSize = KEYAREA_SIZE_LIBRARY;
    p.fillKeyAreaAtCreation = false;
    p.photoshopMutexAtSectionCreation = true;
    p.opensProcessToEveryone = false;
    p.onTopStatusMask = 5u;
    p.overlapChangeBits = 2u | 4u;
    p.overlapProximityMask = 5u;
    p.addRunsOverlap = true;
    p.removeRestoresPointer = true;
    p.enableSetsLeftButtonBit = true;
    p.hasReloadDeviceCommand = true;
    p.recordsToolTime = true;
    p.leaveRestartsClock = true;
    p.keepsOnTopWhileLeftDown = true;
    p.strokeStartDebugLine = false;
    p.liftWritesOwnPackets = true;
    p.virtualPenOutput = true;
    p.penButtonDefaultsInSearch = false;  // the library's callers set them after a search
    p.penButtonsFollowModelFlag = true;
    p.actionWheelThroughPointerRoutine = true;  // its pointer routine is mouse_event itself
    p.keystrokeExtendedKeys = true;
    return p;
}

}  // namespace

const BuildPolicy& BuildPolicy::Reference()
{
    static const BuildPolicy policy = MakeReference();
    return policy;
}

const BuildPolicy& BuildPolicy::SecondBrand()
{
    static const BuildPolicy policy = MakeSecondBrand();
    return policy;
}

const BuildPolicy& BuildPolicy::Library()
{
    static const BuildPolicy policy = MakeLibrary();
    return policy;
}

const BuildPolicy& BuildPolicy::For(ServiceBuild build)
{
    switch (build) {
    case ServiceBuild::SecondBrand:
        return SecondBrand();
    case ServiceBuild::Library:
        return Library();
    case ServiceBuild::Reference:
        break;
    }
    return Reference();
}
