// The key-name file as the panel reads it: the profile-string calls on
// "<Program Files><brand folder>\KEY.ini", and the key names every page
// that shows a keystroke uses.
#pragma once

#include "KeyNames.h"

#include <windows.h>

#include <cstdint>
#include <string>

class KeyIniFile : public IProfileSource {
public:
    explicit KeyIniFile(const KeyNamePolicy& policy) : m_policy(policy) {}

    std::string ReadString(const char* section, const char* key, const char* fallback,
                           size_t room = kValueCapacity) const override;
    const KeyNamePolicy& Policy() const { return m_policy; }

    // The file's path into a 260-byte buffer; the folder look-up's result.
    static BOOL GetKeyIniPath(HWND window, char* path, const KeyNamePolicy& policy);

private:
    const KeyNamePolicy& m_policy;
};

// "{Ctrl}", "{A}": the display name of one virtual key in this build.
std::string GetKeyDisplayName(uint8_t code);
