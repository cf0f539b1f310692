#include "PenButtonFunctions.h"

#include "ServiceCodes.h"

#include <algorithm>
#include <cstring>

namespace {

// Action codes of the menu entries by menu index; -1: the entry fills the
// record through a dialog.
constexpr int32_t kEntryActionCodes[PenButtonFunctions::kMenuEntryCount] = {
    ACTION_LEFT_CLICK,  ACTION_RIGHT_CLICK, ACTION_MIDDLE_CLICK, ACTION_DOUBLE_CLICK, ACTION_SCROLL_UP,
    ACTION_SCROLL_DOWN, -1,                -1,                  ACTION_DISABLED};

constexpr uint8_t kKeysEnd = 255;

}  // namespace

bool PenButtonFunctions::IsMenuCommand(uint32_t command)
{
    return command >= kFirstCommand && command <= kOtherCommand;
}

bool PenButtonFunctions::ActionCodeOf(uint32_t command, int32_t& code)
{
    if (command < kFirstCommand || command >= kFirstCommand + kMenuEntryCount)
        return false;
    const int32_t entryCode = kEntryActionCodes[MenuIndexOf(command)];
    if (entryCode < 0)
        return false;
    code = entryCode;
    return true;
}

std::string PenButtonFunctions::FieldText(const char* field, size_t size)
{
    const void* end = std::memchr(field, 0, size);
    return std::string(field, end != nullptr ? static_cast<const char*>(end) - field : size);
}

std::string PenButtonFunctions::KeystrokeText(const KEYACTION& record, const KeyName& keyName)
{
    std::string text;
    for (size_t i = 0; i < KEYACTION_DATA_SIZE; ++i) {
        const uint8_t code = static_cast<uint8_t>(record.data[i]);
        if (code == 0 || code == kKeysEnd)
            break;
        text += keyName(code);
    }
    return text;
}

std::string PenButtonFunctions::LaunchText(const KEYACTION& record)
{
    return FieldText(record.data, KEYACTION_DATA_SIZE) + " " + FieldText(record.parameters, KEYACTION_PARAM_SIZE);
}

std::string PenButtonFunctions::LabelOf(const KEYACTION& record, const MenuText& menuText, const KeyName& keyName)
{
    // One load of the shared code, then every decision uses the copy.
    const int32_t code = record.actionCode;
    if (code == ACTION_LAUNCH)
        return LaunchText(record);
    if (code == ACTION_KEYSTROKE)
        return KeystrokeText(record, keyName);
    return menuText(kActionCodeTag | static_cast<uint32_t>(code));
}

bool PenButtonFunctions::SetSimpleFunction(KEYACTION& record, uint32_t command)
{
    int32_t code = 0;
    if (!ActionCodeOf(command, code))
        return false;
    record.actionCode = code;
    return true;
}

void PenButtonFunctions::SetKeystroke(KEYACTION& record, const uint8_t (&keys)[kKeyBufferSize])
{
    std::memcpy(record.data, keys, kKeyBufferSize);
    record.actionCode = ACTION_KEYSTROKE;
}

void PenButtonFunctions::PreloadKeys(const KEYACTION& record, uint8_t (&keys)[kKeyBufferSize])
{
    std::memcpy(keys, record.data, kKeyBufferSize);
}

void PenButtonFunctions::SetLaunch(KEYACTION& record, const std::string& path, const std::string& parameters)
{
    char block[kLaunchBlockSize] = {};
    std::memcpy(block, path.data(), std::min(path.size(), KEYACTION_DATA_SIZE - 1));
    std::memcpy(block + KEYACTION_DATA_SIZE, parameters.data(), std::min(parameters.size(), KEYACTION_PARAM_SIZE - 1));
    std::memcpy(record.data, block, KEYACTION_DATA_SIZE);
    std::memcpy(record.parameters, block + KEYACTION_DATA_SIZE, KEYACTION_PARAM_SIZE);
    record.actionCode = ACTION_LAUNCH;
}

std::string PenButtonFunctions::LaunchChoiceText(const std::string& path)
{
    return path.substr(0, KEYACTION_DATA_SIZE - 1);
}
