// The function a key slot holds, as the express-key page and the pen
// buttons edit and show it: the label text of a KEYACTION and the write of
// one function-menu choice into it. Every field is read within its own bytes.
#pragma once

#include "KeyNames.h"
#include "TabletRecords.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace key_actions {

// Function-menu commands 4867..4875 (left click .. disabled).
constexpr int kFirstMenuCommand = 4867;
constexpr int kKeystrokeCommand = 4873;
constexpr int kLaunchCommand = 4874;
constexpr int kLastMenuCommand = 4875;

// The launch record handed from the launch dialog: path at 0, parameters at 384.
constexpr size_t kLaunchRecordSize = KEYACTION_DATA_SIZE + KEYACTION_PARAM_SIZE;
constexpr size_t kMaxLaunchPath = KEYACTION_DATA_SIZE - 1;
constexpr size_t kMaxLaunchParameters = KEYACTION_PARAM_SIZE - 1;

using MenuText = std::function<std::string(uint32_t code)>;

// Launch: path, blank, parameters. Keystroke: the keys' display names.
// Anything else: the menu text of its tagged code (action_names::TagAction).
std::string LabelText(const KEYACTION& action, const KeyNames& names, const MenuText& menuText);
// The path, or the parameters, of a launch slot (never past their fields).
std::string LaunchPath(const KEYACTION& action);
std::string LaunchParameters(const KEYACTION& action);
// A zeroed record with the path and parameters, each cut to fit its field.
void BuildLaunchRecord(const std::string& path, const std::string& parameters, uint8_t* record);
// Writes a menu command into a slot. Keystroke data: 256 key bytes; launch
// data: a launch record. Commands without data keep the slot's bytes, but
// for a launch path, which they clear.
// False (nothing written) for an unknown command or missing data.
bool SetKeyFunction(KEYACTION& slot, int command, const uint8_t* data);
// The slot's data bytes for the keyboard dialog's buffer; zeros for a launch
// slot, whose bytes are a path, not key codes.
void KeystrokeBuffer(const KEYACTION& slot, uint8_t* keyBuffer, size_t size);

}  // namespace key_actions
