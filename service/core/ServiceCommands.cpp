#include "ServiceCommands.h"

#include "ClientContextRegistry.h"
#include "ServiceCodes.h"

#include <algorithm>
#include <cstring>

ServiceCommands::ServiceCommands(ServiceContext& context)
    : context_(context), files_(*context.system, *context.files, context.policy->files)
{
}

void ServiceCommands::Perform(int32_t code)
{
    switch (code) {
    case CMD_ADD_CONTEXT:
    case CMD_REMOVE_CONTEXT:
    case CMD_CONTEXT_ENABLE:
    case CMD_CONTEXT_OVERLAP:
        PerformContextCommand(code);
        break;
    case CMD_POINTER_OFF:
        context_.flags.pointerOutput = 0;
        break;
    case CMD_POINTER_ON:
        context_.flags.pointerOutput = 1;
        break;
    case CMD_SET_ROTATION:
        SetRotation();
        break;
    case CMD_SET_DISABLE_PRESSURE:
        SetDisablePressure();
        break;
    case CMD_SAVE_PEN_SETTINGS:
        SavePenSettings();
        break;
    case CMD_SAVE_KEYS:
        SaveKeys();
        break;
    case CMD_SAVE_MAPPING:
        SaveMapping();
        break;
    case CMD_RELOAD_DEVICE_RECORD:
        if (context_.policy->hasReloadDeviceCommand)
            ReloadDeviceRecord();
        break;
    default:
        break;
    }
}

size_t ServiceCommands::KeyAreaRecordSize(const KeyAreaView& keyArea)
{
    const int32_t capacity = keyArea.capacity();
    if (!keyArea.valid() || capacity < 1)
        return 0;
    // The count is written by other processes: never let it size a write
    // beyond the keys the section really holds.
    const int32_t keyCount = keyArea.head()->record.info.keyCount;
    return TabletRecordSize(std::min(keyCount, capacity));
}

void ServiceCommands::PerformContextCommand(int32_t code)
{
    ClientContextRegistry* registry = context_.registry;
    if (registry == nullptr || context_.connection == nullptr)
        return;
    switch (code) {
    case CMD_ADD_CONTEXT:
        registry->AddContext();
        break;
    case CMD_REMOVE_CONTEXT:
        registry->RemoveContext(context_.connection->contextId);
        break;
    case CMD_CONTEXT_ENABLE:
        registry->OnContextEnable();
        break;
    default:
        registry->OnContextOverlap();
        break;
    }
}

void ServiceCommands::SetRotation()
{
    if (context_.keyArea.valid())
        context_.flags.rotationCode = context_.keyArea.head()->record.info.rotationCode;
}

void ServiceCommands::SetDisablePressure()
{
    if (context_.pen != nullptr)
        context_.flags.disablePressureCopy = context_.pen->pen.disablePressure;
}

void ServiceCommands::SavePenSettings()
{
    if (context_.pen != nullptr)
        files_.WritePenSettingsFile(context_.pen->pen);
}

void ServiceCommands::SaveKeys()
{
    const size_t size = KeyAreaRecordSize(context_.keyArea);
    if (size != 0)
        files_.WriteDeviceKeys(context_.keyArea.record(), size);
}

void ServiceCommands::SaveMapping()
{
    const size_t size = KeyAreaRecordSize(context_.keyArea);
    if (size != 0)
        files_.WriteDeviceMapping(context_.keyArea.record(), size);
}

void ServiceCommands::ReloadDeviceRecord()
{
    const KeyAreaView& keyArea = context_.keyArea;
    if (!keyArea.valid() || keyArea.capacity() < 1)
        return;
    // The record is rebuilt over the very header that names the device.
    TABLETINFO device;
    std::memcpy(&device, &keyArea.head()->record.info, sizeof device);
    const size_t room = RECORD_KEYS_OFFSET + KEYACTION_SIZE * static_cast<size_t>(keyArea.capacity());
    files_.LoadDeviceRecord(keyArea.record(), room, device);
}
