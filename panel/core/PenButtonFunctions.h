// The pen buttons' functions: the nine entries of the function menu and what
// each writes into a pen button's KEYACTION, and the text a pen-button label
// shows for a record. Records come from shared memory or a settings file, so
// every text is read within its field: a data or parameter field without a
// terminator ends at the field's end.
#pragma once

#include "TabletRecords.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class PenButtonFunctions {
public:
    // Menu entries 4867 + index for index 0..8; 4876 is a label text only.
    static constexpr uint32_t kFirstCommand = 4867;
    static constexpr int kMenuEntryCount = 9;
    static constexpr uint32_t kKeyboardCommand = 4873;
    static constexpr uint32_t kLaunchCommand = 4874;
    static constexpr uint32_t kOtherCommand = 4876;
    static constexpr int kOtherMenuIndex = 9;
    // GetFunctionMenuText takes a menu index or an action code tagged with this.
    static constexpr uint32_t kActionCodeTag = 0xFF000000u;
    static constexpr size_t kKeyBufferSize = 256;
    static constexpr size_t kLaunchBlockSize = KEYACTION_DATA_SIZE + KEYACTION_PARAM_SIZE;

    // The localised function name of a menu index or a tagged action code;
    // empty for codes it does not know.
    using MenuText = std::function<std::string(uint32_t code)>;
    // The display name of one virtual-key code, braces included.
    using KeyName = std::function<std::string(uint8_t code)>;

    static bool IsMenuCommand(uint32_t command);
    static int MenuIndexOf(uint32_t command) { return static_cast<int>(command - kFirstCommand); }
    // The action code a click, scroll or disable entry sets; false for the
    // keyboard, launch and "other" commands and for ids outside the menu.
    static bool ActionCodeOf(uint32_t command, int32_t& code);

    // The label text of a pen button's record.
    static std::string LabelOf(const KEYACTION& record, const MenuText& menuText, const KeyName& keyName);
    // The key names of a keystroke record up to the first 0 or 255, within the data field.
    static std::string KeystrokeText(const KEYACTION& record, const KeyName& keyName);
    // Path, a blank and the parameters of a launch record.
    static std::string LaunchText(const KEYACTION& record);
    // The text of a fixed-size character field, ended by its terminator or its end.
    static std::string FieldText(const char* field, size_t size);

    // A click, scroll or disable entry: the action code only, data and parameters kept.
    static bool SetSimpleFunction(KEYACTION& record, uint32_t command);
    // The keyboard dialog's 256-byte key buffer into the data field's start.
    static void SetKeystroke(KEYACTION& record, const uint8_t (&keys)[kKeyBufferSize]);
    // What the keyboard dialog starts from: the record's first 256 data bytes.
    static void PreloadKeys(const KEYACTION& record, uint8_t (&keys)[kKeyBufferSize]);
    // A program and its parameters, cut to 383 and 127 characters.
    static void SetLaunch(KEYACTION& record, const std::string& path, const std::string& parameters);
    // The label right after a launch choice: the path alone, as stored.
    static std::string LaunchChoiceText(const std::string& path);
};
