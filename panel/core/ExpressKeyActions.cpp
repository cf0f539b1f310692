#include "ExpressKeyActions.h"

#include "ActionNames.h"
#include "ServiceCodes.h"

#include <algorithm>
#include <cstring>

namespace key_actions {

namespace {

std::string FieldText(const char* field, size_t size)
{
    const void* end = std::memchr(field, '\0', size);
    return std::string(field, end != nullptr ? static_cast<const char*>(end) - field : size);
}

void CopyCut(const std::string& text, size_t maxLength, char* field)
{
    const size_t length = std::min(text.size(), maxLength);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

constexpr int32_t kCommandActions[] = {
    ACTION_LEFT_CLICK, ACTION_RIGHT_CLICK, ACTION_MIDDLE_CLICK, ACTION_DOUBLE_CLICK, ACTION_SCROLL_UP,
    ACTION_SCROLL_DOWN, ACTION_KEYSTROKE, ACTION_LAUNCH, ACTION_DISABLED,
};

}  // namespace

std::string LaunchPath(const KEYACTION& action)
{
    return FieldText(action.data, sizeof action.data);
}

std::string LaunchParameters(const KEYACTION& action)
{
    return FieldText(action.parameters, sizeof action.parameters);
}

std::string LabelText(const KEYACTION& action, const KeyNames& names, const MenuText& menuText)
{
    switch (action.actionCode) {
    case ACTION_LAUNCH:
        return LaunchPath(action) + " " + LaunchParameters(action);
    case ACTION_KEYSTROKE:
        return names.SequenceText(reinterpret_cast<const uint8_t*>(action.data), sizeof action.data);
    default:
        return menuText ? menuText(action_names::TagAction(action.actionCode)) : std::string();
    }
}

void BuildLaunchRecord(const std::string& path, const std::string& parameters, uint8_t* record)
{
    std::memset(record, 0, kLaunchRecordSize);
    CopyCut(path, kMaxLaunchPath, reinterpret_cast<char*>(record));
    CopyCut(parameters, kMaxLaunchParameters, reinterpret_cast<char*>(record + KEYACTION_DATA_SIZE));
}

bool SetKeyFunction(KEYACTION& slot, int command, const uint8_t* data)
{
    if (command < kFirstMenuCommand || command > kLastMenuCommand)
        return false;
    const bool needsData = command == kKeystrokeCommand || command == kLaunchCommand;
    if (needsData && data == nullptr)
        return false;
    // A path left under a click, scroll or disable choice would come back as
    // key codes in the keyboard; nothing else reads the data under those codes.
    if (!needsData && slot.actionCode == ACTION_LAUNCH)
        std::memset(slot.data, 0, sizeof slot.data);
    slot.actionCode = kCommandActions[command - kFirstMenuCommand];
    if (command == kKeystrokeCommand) {
        std::memcpy(slot.data, data, 256);
    } else if (command == kLaunchCommand) {
        std::memcpy(slot.data, data, KEYACTION_DATA_SIZE);
        std::memcpy(slot.parameters, data + KEYACTION_DATA_SIZE, KEYACTION_PARAM_SIZE);
        // Terminated whatever the record held.
        slot.data[KEYACTION_DATA_SIZE - 1] = '\0';
        slot.parameters[KEYACTION_PARAM_SIZE - 1] = '\0';
    }
    return true;
}

void KeystrokeBuffer(const KEYACTION& slot, uint8_t* keyBuffer, size_t size)
{
    std::memset(keyBuffer, 0, size);
    // A click, scroll or disable choice kept the keystroke's bytes: they come back.
    if (slot.actionCode != ACTION_LAUNCH)
        std::memcpy(keyBuffer, slot.data, std::min(size, sizeof slot.data));
}

}  // namespace key_actions
